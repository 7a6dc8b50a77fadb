// Little-endian numbers in and out of a byte buffer. The reader never reads past its end: a read
// that would fails and leaves the reader failed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class ByteWriter {
 public:
  void U8(uint8_t value) { bytes_.push_back(value); }
  void U16(uint16_t value) { Fixed(value, 2); }
  void U32(uint32_t value) { Fixed(value, 4); }
  void U64(uint64_t value) { Fixed(value, 8); }
  // Seven bits a byte, low groups first, the top bit set on all but the last.
  void Varint(uint64_t value) {
    while (value >= 0x80) {
      bytes_.push_back(static_cast<uint8_t>(value | 0x80));
      value >>= 7;
    }
    bytes_.push_back(static_cast<uint8_t>(value));
  }
  void Bytes(const void* data, size_t size) {
    const auto* first = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), first, first + size);
  }
  // Overwrites four bytes written earlier (a length known only at the end).
  void PatchU32(size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
      bytes_[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
  }
  size_t Size() const { return bytes_.size(); }
  std::vector<uint8_t>& Buffer() { return bytes_; }

 private:
  void Fixed(uint64_t value, int size) {
    for (int i = 0; i < size; ++i) {
      bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
  }
  std::vector<uint8_t> bytes_;
};

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool U8(uint8_t& value) { return Fixed(value, 1); }
  bool U16(uint16_t& value) { return Fixed(value, 2); }
  bool U32(uint32_t& value) { return Fixed(value, 4); }
  bool U64(uint64_t& value) { return Fixed(value, 8); }
  // At most ten bytes; anything wider than 64 bits, or longer than it needs to be, fails: each
  // number has one form only.
  bool Varint(uint64_t& value) {
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      uint8_t byte = 0;
      if (!U8(byte) || (shift == 63 && byte > 1) || (shift > 0 && byte == 0)) {
        return Fail();
      }
      value |= static_cast<uint64_t>(byte & 0x7F) << shift;
      if ((byte & 0x80) == 0) {
        return true;
      }
    }
    return Fail();
  }
  // A pointer to the next `size` bytes, skipped; nullptr when fewer are left.
  const uint8_t* Take(size_t size) {
    if (failed_ || size > size_ - position_) {
      Fail();
      return nullptr;
    }
    const uint8_t* start = data_ + position_;
    position_ += size;
    return start;
  }
  size_t Left() const { return size_ - position_; }
  size_t Position() const { return position_; }
  bool Failed() const { return failed_; }

 private:
  template <class T>
  bool Fixed(T& value, size_t size) {
    const uint8_t* bytes = Take(size);
    if (bytes == nullptr) {
      return false;
    }
    uint64_t number = 0;
    for (size_t i = 0; i < size; ++i) {
      number |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    }
    value = static_cast<T>(number);
    return true;
  }
  bool Fail() {
    failed_ = true;
    return false;
  }

  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
  bool failed_ = false;
};
