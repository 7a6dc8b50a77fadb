// Reads the fields of one message of a binary protocol (the online match's, the lobby's); the
// first problem found is the one reported, as "NAME message: what".
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "replay/byte_stream.h"

class FieldReader {
 public:
  // `name` must outlive the reader (the protocols pass their static names).
  FieldReader(const uint8_t* data, size_t size, std::string_view name)
      : in_(data, size), name_(name) {}

  uint8_t U8(const char* field) {
    uint8_t value = 0;
    Require(in_.U8(value), field);
    return value;
  }
  uint16_t U16(const char* field) {
    uint16_t value = 0;
    Require(in_.U16(value), field);
    return value;
  }
  uint32_t U32(const char* field) {
    uint32_t value = 0;
    Require(in_.U32(value), field);
    return value;
  }
  uint64_t U64(const char* field) {
    uint64_t value = 0;
    Require(in_.U64(value), field);
    return value;
  }
  const uint8_t* Take(size_t size, const char* field) {
    const uint8_t* bytes = Ok() ? in_.Take(size) : nullptr;
    Require(bytes != nullptr, field);
    return bytes;
  }
  size_t Left() const { return in_.Left(); }
  void Refuse(const std::string& what) {
    if (error_.empty()) {
      error_ = std::string(name_) + " message: " + what;
    }
  }
  void RequireEnd() {
    if (Ok() && in_.Left() > 0) {
      Refuse(std::to_string(in_.Left()) + " bytes left over after its last field");
    }
  }
  bool Ok() const { return error_.empty(); }
  const std::string& Error() const { return error_; }

 private:
  void Require(bool present, const char* field) {
    if (!present) {
      Refuse(std::string("cut short in ") + field);
    }
  }

  ByteReader in_;
  std::string_view name_;
  std::string error_;
};
