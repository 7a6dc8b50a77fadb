// Every integer of the state, in the state schema's order, as a dotted path ("side1.Board[12]")
// and a pointer: tests that set, dirty or compare the state field by field walk it here, so a
// field added to the schema later is covered too.
#pragma once
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "state/state_schema.h"

// How the state document writes the field: the same number may be a name or a character there.
enum class LeafKind { Int, Code, Scene, SideState, Cell, Word };

struct Leaf {
  std::string path;
  void* at;
  int bytes;
  bool isSigned;
  LeafKind kind = LeafKind::Int;
};

struct LeafWalker {
  std::vector<Leaf> leaves;
  std::string prefix;
  LeafKind kind = LeafKind::Int;  // of the integers listed next

  template <class T>
  void Int(const char* name, T& field) {
    leaves.push_back({prefix + name, &field, sizeof field, std::is_signed_v<T>, kind});
  }
  void Code(const char* name, int32_t& field) { Named(name, field, LeafKind::Code); }
  void Scene(const char* name, int32_t& field) { Named(name, field, LeafKind::Scene); }
  void SideStateName(const char* name, int32_t& field) { Named(name, field, LeafKind::SideState); }
  void Grid(const char* name, WellGrid& grid) {
    kind = LeafKind::Cell;
    List(name, grid);
    kind = LeafKind::Int;
  }
  template <class T, size_t N>
  void Words(const char* name, std::array<T, N>& words) {
    kind = LeafKind::Word;
    List(name, words);
    kind = LeafKind::Int;
  }
  template <class R>
  void Record(const char* name, R& record) {
    std::string outer = prefix;
    prefix = outer + name + ".";
    WalkState(*this, record);
    prefix = outer;
  }
  template <class T, size_t N>
  void List(const char* name, std::array<T, N>& list) {
    std::string outer = prefix;
    for (size_t i = 0; i < N; ++i) {
      std::string item = std::string(name) + "[" + std::to_string(i) + "]";
      if constexpr (std::is_integral_v<T>) {
        Int(item.c_str(), list[i]);
      } else {
        prefix = outer + item + ".";
        WalkState(*this, list[i]);
        prefix = outer;
      }
    }
  }

 private:
  void Named(const char* name, int32_t& field, LeafKind named) {
    kind = named;
    Int(name, field);
    kind = LeafKind::Int;
  }
};

inline std::vector<Leaf> LeavesOf(GameState& state) {
  LeafWalker walker;
  WalkState(walker, state);
  return walker.leaves;
}

// The game's leaves, then the generator's ("random.words[0]" ... "random.index"), in the order
// of the state document.
inline std::vector<Leaf> LeavesOf(GameState& state, RandomState& random) {
  LeafWalker walker;
  DocumentRoot root{state, random};
  WalkState(walker, root);
  return walker.leaves;
}

inline int64_t ValueOf(const Leaf& leaf) {
  switch (leaf.bytes) {
    case 1:
      return *static_cast<uint8_t*>(leaf.at);
    case 4:
      return leaf.isSigned ? *static_cast<int32_t*>(leaf.at) : *static_cast<uint32_t*>(leaf.at);
    default:
      ADD_FAILURE() << leaf.path << ": a field of " << leaf.bytes << " bytes";
      return 0;
  }
}

// Stores `value`, which the caller keeps within the field's type.
inline void SetValue(const Leaf& leaf, int64_t value) {
  switch (leaf.bytes) {
    case 1:
      *static_cast<uint8_t*>(leaf.at) = static_cast<uint8_t>(value);
      break;
    case 4:
      *static_cast<uint32_t*>(leaf.at) = static_cast<uint32_t>(value);
      break;
    default:
      ADD_FAILURE() << leaf.path << ": a field of " << leaf.bytes << " bytes";
  }
}

// The smallest and largest value the field's type holds.
inline int64_t LowestOf(const Leaf& leaf) {
  return leaf.isSigned ? -(int64_t{1} << (8 * leaf.bytes - 1)) : 0;
}
inline int64_t HighestOf(const Leaf& leaf) {
  return leaf.isSigned ? (int64_t{1} << (8 * leaf.bytes - 1)) - 1
                       : (int64_t{1} << (8 * leaf.bytes)) - 1;
}
