// FNV-1a over each field's value, little-endian at the field's own width.
#include "state/state_hash.h"

#include <type_traits>

#include "state/state_schema.h"

namespace {

constexpr uint64_t FnvOffset = 14695981039346656037ull;
constexpr uint64_t FnvPrime = 1099511628211ull;

class FieldHasher {
 public:
  template <class T>
  void Int(const char*, T& field) {
    Value(field);
  }
  void Code(const char*, int32_t& field) { Value(field); }
  void Scene(const char*, int32_t& field) { Value(field); }
  void SideStateName(const char*, int32_t& field) { Value(field); }
  void Grid(const char*, WellGrid& grid) {
    for (int32_t cell : grid) {
      Value(cell);
    }
  }
  template <class R>
  void Record(const char*, R& record) {
    WalkState(*this, record);
  }
  template <class T, size_t N>
  void List(const char*, std::array<T, N>& list) {
    for (T& item : list) {
      if constexpr (std::is_integral_v<T>) {
        Value(item);
      } else {
        WalkState(*this, item);
      }
    }
  }
  template <class T, size_t N>
  void Words(const char* name, std::array<T, N>& list) {
    List(name, list);
  }

  template <class T>
  void Value(T value) {
    auto bits = static_cast<std::make_unsigned_t<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i) {
      hash_ = (hash_ ^ static_cast<uint8_t>(bits >> (8 * i))) * FnvPrime;
    }
  }
  uint64_t Hash() const { return hash_; }

 private:
  uint64_t hash_ = FnvOffset;
};

// Hashes each top-level member on its own, remembering the names in order.
class MemberHasher {
 public:
  template <class T>
  void Int(const char* name, T& field) {
    Member(name, [&](FieldHasher& h) { h.Int(name, field); });
  }
  void Code(const char* name, int32_t& field) {
    Member(name, [&](FieldHasher& h) { h.Code(name, field); });
  }
  void Scene(const char* name, int32_t& field) {
    Member(name, [&](FieldHasher& h) { h.Scene(name, field); });
  }
  void SideStateName(const char* name, int32_t& field) {
    Member(name, [&](FieldHasher& h) { h.SideStateName(name, field); });
  }
  void Grid(const char* name, WellGrid& grid) {
    Member(name, [&](FieldHasher& h) { h.Grid(name, grid); });
  }
  template <class R>
  void Record(const char* name, R& record) {
    Member(name, [&](FieldHasher& h) { h.Record(name, record); });
  }
  template <class T, size_t N>
  void List(const char* name, std::array<T, N>& list) {
    Member(name, [&](FieldHasher& h) { h.List(name, list); });
  }

  StateHash result;
  std::vector<std::string> names;

 private:
  template <class Walk>
  void Member(const char* name, Walk walk) {
    FieldHasher member;
    walk(member);
    uint64_t hash = member.Hash();
    whole_.Value(hash);
    result.whole = whole_.Hash();
    result.members.push_back(static_cast<uint32_t>(hash ^ (hash >> 32)));
    names.emplace_back(name);
  }

  FieldHasher whole_;
};

}  // namespace

StateHash HashState(const GameState& state, const RandomState& random) {
  GameState game = state;
  RandomState generator = random;
  DocumentRoot root{game, generator};
  MemberHasher hasher;
  WalkState(hasher, root);
  return std::move(hasher.result);
}

const std::vector<std::string>& StateMemberNames() {
  static const std::vector<std::string> names = [] {
    GameState game;
    RandomState generator;
    DocumentRoot root{game, generator};
    MemberHasher hasher;
    WalkState(hasher, root);
    return hasher.names;
  }();
  return names;
}
