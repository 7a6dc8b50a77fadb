// The state document over generated states: any value a field's type holds reads back equal and
// writes back the same text; a subset changes exactly the fields it names; a value outside its
// field, damaged text or a reshaped document is refused with one line, the state untouched.
#include <rapidcheck/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "boundary_values.h"
#include "state/state_document.h"
#include "state_leaves.h"

namespace {

// Where the document's way of writing a field changes: a character or a number, a name or a
// number, a well's row as characters or as numbers.
std::vector<int64_t> LimitsOf(LeafKind kind) {
  switch (kind) {
    case LeafKind::Code:
      return {31, ' ', '!', 'b', '~', 127, 128};
    case LeafKind::Scene:
      return {-1, 0, 1, 5, 6, 7};
    case LeafKind::SideState:
      return {-1, 0, 1, 3, 4, 5};
    case LeafKind::Cell:
      return {-2, -1, 0, 1, 8, 9, 10};
    default:
      return {};
  }
}

// The well a cell belongs to ("side1.Board").
std::string WellOf(const Leaf& leaf) {
  return leaf.path.substr(0, leaf.path.rfind('['));
}

// The member names and array places of a leaf's path: "StarField[3].x" is StarField, 3, x.
std::vector<std::pair<std::string, int>> Steps(const std::string& path) {
  std::vector<std::pair<std::string, int>> steps;
  for (size_t start = 0; start < path.size();) {
    size_t end = path.find('.', start);
    end = end == std::string::npos ? path.size() : end;
    const std::string step = path.substr(start, end - start);
    const size_t open = step.find('[');
    steps.push_back(
        {step.substr(0, open), open == std::string::npos ? -1 : std::stoi(step.substr(open + 1))});
    start = end + 1;
  }
  return steps;
}

// A leaf as a place in any state: the schema is walked once, not once per case.
struct Field {
  Leaf leaf;  // its path, size and kind; `at` points nowhere
  bool inGenerator;
  size_t offset;
  std::vector<int64_t> specials;  // the values it leans on
  int well;                       // a cell's well, -1 for other fields
  std::vector<std::pair<std::string, int>> steps;
};

const std::vector<Field>& Fields() {
  static const std::vector<Field> fields = [] {
    GameState game;
    RandomState random;
    std::vector<Field> fields;
    std::map<std::string, int> wells;
    for (Leaf& leaf : LeavesOf(game, random)) {
      const bool inGenerator = leaf.kind == LeafKind::Word || leaf.path.starts_with("random.");
      const auto* base = reinterpret_cast<const char*>(inGenerator ? static_cast<void*>(&random)
                                                                   : static_cast<void*>(&game));
      const auto offset = static_cast<size_t>(static_cast<const char*>(leaf.at) - base);
      const int well =
          leaf.kind != LeafKind::Cell
              ? -1
              : wells.try_emplace(WellOf(leaf), static_cast<int>(wells.size())).first->second;
      leaf.at = nullptr;
      fields.push_back({leaf, inGenerator, offset,
                        boundary::Specials(LowestOf(leaf), HighestOf(leaf), LimitsOf(leaf.kind)),
                        well, Steps(leaf.path)});
    }
    return fields;
  }();
  return fields;
}

// A state and generator with every field drawn within its type. Most wells hold only what the
// document writes as characters, some all but one cell, the others anything.
struct AnyState {
  GameState game;
  RandomState random;

  AnyState() {
    std::mt19937_64 draw(*rc::gen::arbitrary<uint64_t>());
    struct Well {
      uint64_t kind;
      int odd;  // the cell that has no character, in a well of the second kind
    };
    std::vector<Well> wells;
    for (const Field& field : Fields()) {
      if (field.well >= static_cast<int>(wells.size())) {
        wells.push_back({draw() % 4, static_cast<int>(draw() % WellCells)});
      }
      const Well* well = field.well >= 0 ? &wells[field.well] : nullptr;
      if (well == nullptr || well->kind == 3) {
        Set(field, boundary::DrawLeaning(draw, field.specials));
      } else if (well->kind == 2 && field.steps.back().second == well->odd) {
        Set(field, draw() % 2 == 0 ? CellWall - 1 : 10);
      } else {
        Set(field, static_cast<int64_t>(draw() % 11) - 1);
      }
    }
  }
  void* At(const Field& field) {
    return (field.inGenerator ? reinterpret_cast<char*>(&random) : reinterpret_cast<char*>(&game)) +
           field.offset;
  }
  int64_t Get(const Field& field) {
    void* at = At(field);
    if (field.leaf.bytes == 1) {
      return *static_cast<uint8_t*>(at);
    }
    return field.leaf.isSigned ? *static_cast<int32_t*>(at) : *static_cast<uint32_t*>(at);
  }
  void Set(const Field& field, int64_t value) {
    void* at = At(field);
    if (field.leaf.bytes == 1) {
      *static_cast<uint8_t*>(at) = static_cast<uint8_t>(value);
    } else {
      *static_cast<uint32_t*>(at) = static_cast<uint32_t>(value);
    }
  }
  std::string Text() const { return WriteStateDocument(game, random); }
};

// The first field whose value differs, or "".
std::string FirstDifference(AnyState& a, AnyState& b) {
  for (const Field& field : Fields()) {
    if (a.Get(field) != b.Get(field)) {
      return field.leaf.path + ": " + std::to_string(a.Get(field)) + " instead of " +
             std::to_string(b.Get(field));
    }
  }
  return "";
}

// Whether the document holds a field: a well and the generator's words come whole or not at all.
bool Holds(const Json& document, const Field& field) {
  const Json* node = &document;
  for (const auto& [name, place] : field.steps) {
    if (!node->is_object() || !node->contains(name)) {
      return false;
    }
    node = &(*node)[name];
    if (place >= 0 && field.leaf.kind != LeafKind::Cell && field.leaf.kind != LeafKind::Word) {
      if (!node->is_array() || node->size() <= static_cast<size_t>(place)) {
        return false;
      }
      node = &(*node)[place];
    }
  }
  return true;
}

// Where a leaf's value stands in the document, a well's row turned into numbers first; and the
// path a complaint about it names (a cell's row).
std::pair<Json*, std::string> Locate(Json& document, const Field& field) {
  Json* node = &document;
  std::string named;
  for (const auto& [name, place] : field.steps) {
    node = &(*node)[name];
    named += (named.empty() ? "" : ".") + name;
    if (place < 0) {
      continue;
    }
    if (field.leaf.kind == LeafKind::Cell) {
      const int row = place / WellColumns;
      Json& cells = (*node)[row];
      if (cells.is_string()) {
        Json numbers = Json::array();
        for (char c : cells.get<std::string>()) {
          numbers.push_back(c == '#' ? -1 : c == '.' ? 0 : c - '0');
        }
        cells = numbers;
      }
      return {&cells[place % WellColumns], named + "[" + std::to_string(row) + "]"};
    }
    node = &(*node)[place];
    named += "[" + std::to_string(place) + "]";
  }
  return {node, named};
}

// Leaves out members at random at every level, and the end of any array but a well's rows and
// the generator's words.
void Prune(Json& node, std::mt19937_64& draw) {
  if (node.is_object()) {
    for (auto it = node.begin(); it != node.end();) {
      if (draw() % 3 == 0) {
        it = node.erase(it);
        continue;
      }
      if (it.key() != "random") {
        Prune(it.value(), draw);
      }
      ++it;
    }
  } else if (node.is_array() && !node.empty() && (node[0].is_object() || node[0].is_number())) {
    node.erase(node.begin() + static_cast<long>(draw() % (node.size() + 1)), node.end());
    for (Json& item : node) {
      Prune(item, draw);
    }
  }
}

// Read `text` over `before`: refused with one line and nothing changed, or accepted, and then
// the state read writes a document that reads back to itself. Returns whether it was accepted.
bool ReadsSafely(const std::string& text, AnyState& before, const std::string& what) {
  AnyState state = before;
  std::string error;
  if (ReadStateDocument(text, state.game, state.random, error)) {
    const std::string written = state.Text();
    AnyState again = before;
    if (!ReadStateDocument(written, again.game, again.random, error) || again.Text() != written) {
      RC_FAIL(what + ": accepted, but what it read does not read back: " + error);
    }
    return true;
  }
  const std::string changed = FirstDifference(state, before);
  if (error.empty() || error.find('\n') != std::string::npos || !changed.empty()) {
    RC_FAIL(what + ": refused with \"" + error + "\"; changed " + changed);
  }
  return false;
}

TEST(StateDocumentProperties, ReadsBackAnyValueEachFieldHolds) {
  boundary::CheckCases(40, [] {
    AnyState written;
    const std::string text = written.Text();
    AnyState read;
    std::string error;
    if (!ReadStateDocument(text, read.game, read.random, error)) {
      RC_FAIL("refused what it wrote: " + error);
    }
    const std::string changed = FirstDifference(read, written);
    if (!changed.empty()) {
      RC_FAIL("read back " + changed);
    }
    RC_ASSERT(read.Text() == text);
  });
}

TEST(StateDocumentProperties, ASubsetChangesExactlyTheFieldsItNames) {
  boundary::CheckCases(50, [] {
    AnyState base;
    AnyState other;
    Json document = StateToJson(other.game, other.random);
    std::mt19937_64 draw(*rc::gen::arbitrary<uint64_t>());
    Prune(document, draw);
    AnyState state = base;
    std::string error;
    const std::string text = *rc::gen::arbitrary<bool>() ? FormatJson(document) : document.dump();
    if (!ReadStateDocument(text, state.game, state.random, error)) {
      RC_FAIL("refused a subset: " + error);
    }
    for (const Field& field : Fields()) {
      const bool held = Holds(document, field);
      if (state.Get(field) != (held ? other : base).Get(field)) {
        RC_FAIL(field.leaf.path +
                (held ? " was named but not read" : " was not named but changed"));
      }
    }
  });
}

TEST(StateDocumentProperties, RefusesAValueOutsideItsFieldWhole) {
  boundary::CheckCases(50, [] {
    AnyState written;
    Json document = StateToJson(written.game, written.random);
    const Field& field = Fields()[boundary::Uniform(Fields().size())];
    const Leaf& leaf = field.leaf;
    const auto [node, path] = Locate(document, field);
    switch (boundary::Uniform(6)) {
      case 0:
        *node = HighestOf(leaf) + *boundary::Leaning<int64_t>({1}, 1, int64_t{1} << 40);
        break;
      case 1:
        *node = LowestOf(leaf) - *boundary::Leaning<int64_t>({1}, 1, int64_t{1} << 40);
        break;
      case 2:
        *node = 0.5;
        break;
      case 3:
        *node = "xx";
        break;
      case 4:
        *node = nullptr;
        break;
      default:
        *node = Json::array();
    }
    AnyState base;
    AnyState state = base;
    std::string error;
    RC_ASSERT_FALSE(ReadStateDocument(document.dump(), state.game, state.random, error));
    if (error.rfind(path + ": ", 0) != 0 || error.find('\n') != std::string::npos) {
      RC_FAIL("expected one line about " + path + ", got \"" + error + "\"");
    }
    RC_ASSERT(FirstDifference(state, base).empty());
  });
}

TEST(StateDocumentProperties, DamagedTextIsRefusedOrReadsAsItIsWritten) {
  boundary::CheckCases(50, [] {
    AnyState written;
    const std::string text = written.Text();
    AnyState base;
    // Any cut before the closing brace leaves an object unclosed.
    const size_t cut = boundary::Uniform(text.size() - 1);
    RC_ASSERT_FALSE(ReadsSafely(text.substr(0, cut), base, "cut to " + std::to_string(cut)));
    std::string damaged = text;
    const size_t at = boundary::Uniform(text.size());
    const char byte = static_cast<char>(*boundary::Leaning<uint8_t>(
        {'"', ',', ':', '{', '}', '[', ']', ' ', '\n', '0', '9', '-', '.', 'e', '#', 0, 0xFF}));
    switch (boundary::Uniform(3)) {
      case 0:
        damaged[at] = byte;
        break;
      case 1:
        damaged.insert(at, 1, byte);
        break;
      default:
        damaged.erase(at, 1);
    }
    ReadsSafely(damaged, base, "damaged at " + std::to_string(at));
  });
}

// Any JSON value in any place of a subset: types, names and sizes the reader must refuse
// without a crash or a half-read state.
Json AnyValue() {
  switch (boundary::Uniform(6)) {
    case 0:
      return *boundary::Leaning<int64_t>();
    case 1:
      return *boundary::Leaning<uint64_t>();
    case 2:
      return *rc::gen::element<Json>(0.5, true, false, nullptr, Json::array(), Json::object());
    case 3:
      return *rc::gen::element<std::string>("", "x", "xx", "SceneSolo", "SideLost", "#......#",
                                            "#..\n..#");
    case 4:
      return Json::array({"#......#", "#......#", "#......#", "#......#", "#......#", "#......#",
                          "#......#", "#......#", "#......#", "#......#", "#......#", "#......#",
                          "########"});
    default:
      return Json::array({1, 2, 3, 4, 5, 6, 7, 8});
  }
}

void Nodes(Json& node, std::vector<Json*>& nodes) {
  if (node.is_structured()) {
    for (Json& child : node) {
      nodes.push_back(&child);
      Nodes(child, nodes);
    }
  }
}

TEST(StateDocumentProperties, ReadsAnyReshapedDocumentSafely) {
  boundary::CheckCases(50, [] {
    AnyState other;
    Json document = StateToJson(other.game, other.random);
    std::mt19937_64 draw(*rc::gen::arbitrary<uint64_t>());
    Prune(document, draw);
    std::vector<Json*> nodes;
    Nodes(document, nodes);
    RC_PRE(!nodes.empty());
    const size_t changes = 1 + boundary::Uniform(2);
    for (size_t i = 0; i < changes; ++i) {
      *nodes[boundary::Uniform(nodes.size())] = AnyValue();
      nodes.clear();
      Nodes(document, nodes);
      if (nodes.empty()) {
        break;
      }
    }
    AnyState base;
    ReadsSafely(document.dump(), base, "reshaped");
  });
}

}  // namespace
