// Writing and reading the state document, both by walking the fields listed in state_schema.h.
#include "state/state_document.h"

#include <cstdint>
#include <limits>
#include <set>
#include <stdexcept>
#include <type_traits>

#include "state/state_schema.h"

namespace {

struct NameTable {
  const char* const* names;
  int count;
};
constexpr const char* SceneNames[] = {"SceneTitle",     "SceneStart",    "SceneSolo", "SceneVersus",
                                      "SceneSoloChain", "SceneGameOver", "SceneQuit"};
constexpr const char* SideStateNames[] = {"SideFalling", "SideChain", "SideNewPair", "SideLost",
                                          "SideWon"};
constexpr NameTable Scenes{SceneNames, 7};
constexpr NameTable SideStates{SideStateNames, 5};

// Well cells as characters: '#' wall, '.' empty, digits for planets and pieces.
constexpr int LowestCellCharacter = CellWall;
constexpr int HighestCellCharacter = 9;

char CellCharacter(int32_t cell) {
  return cell == CellWall ? '#' : cell == CellEmpty ? '.' : static_cast<char>('0' + cell);
}

bool CharacterCell(char character, int32_t& cell) {
  if (character == '#' || character == '.') {
    cell = character == '#' ? CellWall : CellEmpty;
    return true;
  }
  cell = character - '0';
  return character >= '1' && character <= '9';
}

class JsonWriter {
 public:
  explicit JsonWriter(Json& node) : node_(node) {}

  template <class T>
  void Int(const char* name, T& field) {
    node_[name] = field;
  }
  void Code(const char* name, int32_t& field) {
    // Anything but a printable character stays a number, so every value survives the trip.
    if (field > ' ' && field < 127) {
      node_[name] = std::string(1, static_cast<char>(field));
    } else {
      node_[name] = field;
    }
  }
  void Scene(const char* name, int32_t& field) { Named(name, field, Scenes); }
  void SideStateName(const char* name, int32_t& field) { Named(name, field, SideStates); }
  void Grid(const char* name, WellGrid& grid) {
    bool characters = true;
    for (int32_t cell : grid) {
      characters = characters && cell >= LowestCellCharacter && cell <= HighestCellCharacter;
    }
    Json rows = Json::array();
    for (int row = 0; row < WellRows; ++row) {
      Json cells = characters ? Json(std::string()) : Json::array();
      for (int column = 0; column < WellColumns; ++column) {
        int32_t cell = grid[row * WellColumns + column];
        if (characters) {
          cells.get_ref<std::string&>() += CellCharacter(cell);
        } else {
          cells.push_back(cell);
        }
      }
      rows.push_back(std::move(cells));
    }
    node_[name] = std::move(rows);
  }
  template <class R>
  void Record(const char* name, R& record) {
    node_[name] = Object(record);
  }
  template <class T, size_t N>
  void List(const char* name, std::array<T, N>& list) {
    Json items = Json::array();
    for (T& item : list) {
      if constexpr (std::is_integral_v<T>) {
        items.push_back(item);
      } else {
        items.push_back(Object(item));
      }
    }
    node_[name] = std::move(items);
  }
  template <class T, size_t N>
  void Words(const char* name, std::array<T, N>& list) {
    List(name, list);
  }

 private:
  template <class R>
  static Json Object(R& record) {
    Json object = Json::object();
    JsonWriter writer(object);
    WalkState(writer, record);
    return object;
  }
  void Named(const char* name, int32_t field, NameTable table) {
    if (field >= 0 && field < table.count) {
      node_[name] = table.names[field];
    } else {
      node_[name] = field;
    }
  }

  Json& node_;
};

// Text from the document as an error message may quote it: escaped as in JSON, so a name holding
// a line break or a stray byte still gives one clear line.
std::string Printable(const std::string& text) {
  std::string quoted = Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
  return quoted.substr(1, quoted.size() - 2);
}

struct DocumentError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class JsonReader {
 public:
  JsonReader(const Json& node, std::string path) : node_(node), path_(std::move(path)) {}

  template <class T>
  void Int(const char* name, T& field) {
    if (const Json* member = Member(name)) {
      field = ToInt<T>(*member, Path(name));
    }
  }
  void Code(const char* name, int32_t& field) {
    const Json* member = Member(name);
    if (member == nullptr) {
      return;
    }
    if (member->is_string()) {
      const std::string& text = member->get_ref<const std::string&>();
      if (text.size() != 1) {
        Fail(Path(name), "expected a one-letter string");
      }
      field = static_cast<unsigned char>(text[0]);
    } else {
      field = ToInt<int32_t>(*member, Path(name));
    }
  }
  void Scene(const char* name, int32_t& field) { Named(name, field, Scenes); }
  void SideStateName(const char* name, int32_t& field) { Named(name, field, SideStates); }
  void Grid(const char* name, WellGrid& grid) {
    const Json* member = Member(name);
    if (member == nullptr) {
      return;
    }
    std::string path = Path(name);
    if (!member->is_array() || member->size() != WellRows) {
      Fail(path, "expected 13 rows");
    }
    for (int row = 0; row < WellRows; ++row) {
      const Json& cells = (*member)[row];
      std::string rowPath = path + "[" + std::to_string(row) + "]";
      if (cells.is_string()) {
        const std::string& text = cells.get_ref<const std::string&>();
        if (text.size() != WellColumns) {
          Fail(rowPath, "expected 8 characters");
        }
        for (int column = 0; column < WellColumns; ++column) {
          if (!CharacterCell(text[column], grid[row * WellColumns + column])) {
            Fail(rowPath, "unknown cell '" + Printable(text.substr(column, 1)) + "' (use # . 1-9)");
          }
        }
      } else if (cells.is_array() && cells.size() == WellColumns) {
        for (int column = 0; column < WellColumns; ++column) {
          grid[row * WellColumns + column] = ToInt<int32_t>(cells[column], rowPath);
        }
      } else {
        Fail(rowPath, "expected a string of 8 characters or an array of 8 integers");
      }
    }
  }
  template <class R>
  void Record(const char* name, R& record) {
    if (const Json* member = Member(name)) {
      ReadObject(*member, Path(name), record);
    }
  }
  template <class T, size_t N>
  void List(const char* name, std::array<T, N>& list) {
    const Json* member = Member(name);
    if (member == nullptr) {
      return;
    }
    std::string path = Path(name);
    if (!member->is_array() || member->size() > N) {
      Fail(path, "expected an array of at most " + std::to_string(N) + " elements");
    }
    // A shorter array replaces the first elements only.
    for (size_t i = 0; i < member->size(); ++i) {
      std::string itemPath = path + "[" + std::to_string(i) + "]";
      if constexpr (std::is_integral_v<T>) {
        list[i] = ToInt<T>((*member)[i], itemPath);
      } else {
        ReadObject((*member)[i], itemPath, list[i]);
      }
    }
  }

  template <class T, size_t N>
  void Words(const char* name, std::array<T, N>& list) {
    const Json* member = Member(name);
    if (member == nullptr) {
      return;
    }
    if (!member->is_array() || member->size() != N) {
      Fail(Path(name), "expected an array of exactly " + std::to_string(N) + " integers");
    }
    for (size_t i = 0; i < N; ++i) {
      list[i] = ToInt<T>((*member)[i], Path(name) + "[" + std::to_string(i) + "]");
    }
  }

  template <class R>
  static void ReadObject(const Json& node, const std::string& path, R& record) {
    if (!node.is_object()) {
      Fail(path.empty() ? "the document" : path, "expected an object");
    }
    JsonReader reader(node, path);
    WalkState(reader, record);
    reader.RefuseUnknownMembers();
  }

 private:
  [[noreturn]] static void Fail(const std::string& path, const std::string& problem) {
    throw DocumentError(path + ": " + problem);
  }

  std::string Path(const char* name) const { return path_.empty() ? name : path_ + "." + name; }

  const Json* Member(const char* name) {
    known_.insert(name);
    auto found = node_.find(name);
    return found == node_.end() ? nullptr : &*found;
  }

  // A misspelt member would otherwise be ignored without a word.
  void RefuseUnknownMembers() const {
    for (auto it = node_.begin(); it != node_.end(); ++it) {
      if (known_.count(it.key()) == 0) {
        Fail(Path(Printable(it.key()).c_str()), "no such member in the state");
      }
    }
  }

  template <class T>
  static T ToInt(const Json& value, const std::string& path) {
    if (value.is_boolean()) {
      return value.get<bool>() ? 1 : 0;
    }
    bool fits = false;
    if (value.is_number_unsigned()) {
      fits = value.get<uint64_t>() <= static_cast<uint64_t>(std::numeric_limits<T>::max());
    } else if (value.is_number_integer()) {
      auto number = value.get<int64_t>();
      fits = number >= static_cast<int64_t>(std::numeric_limits<T>::min()) &&
             number <= static_cast<int64_t>(std::numeric_limits<T>::max());
    } else {
      Fail(path, "expected an integer");
    }
    if (!fits) {
      Fail(path, value.dump() + " is out of range");
    }
    return value.is_number_unsigned() ? static_cast<T>(value.get<uint64_t>())
                                      : static_cast<T>(value.get<int64_t>());
  }

  void Named(const char* name, int32_t& field, NameTable table) {
    const Json* member = Member(name);
    if (member == nullptr) {
      return;
    }
    if (!member->is_string()) {
      field = ToInt<int32_t>(*member, Path(name));
      return;
    }
    const std::string& text = member->get_ref<const std::string&>();
    for (int i = 0; i < table.count; ++i) {
      if (text == table.names[i]) {
        field = i;
        return;
      }
    }
    Fail(Path(name), "unknown name \"" + Printable(text) + "\"");
  }

  const Json& node_;
  std::string path_;
  std::set<std::string> known_;
};

// Half a generator would draw numbers no run ever drew.
void RequireWholeGenerator(const Json& document) {
  auto random = document.is_object() ? document.find("random") : document.end();
  if (random != document.end() && random->is_object() &&
      (!random->contains("words") || !random->contains("index"))) {
    throw DocumentError("random: expected both words and index");
  }
}

}  // namespace

Json StateToJson(const GameState& state, const RandomState& random) {
  GameState game = state;
  RandomState generator = random;
  DocumentRoot root{game, generator};
  Json document = Json::object();
  JsonWriter writer(document);
  WalkState(writer, root);
  return document;
}

std::string WriteStateDocument(const GameState& state, const RandomState& random) {
  return FormatJson(StateToJson(state, random));
}

std::string WriteStateDocument(const GameState& state) {
  return WriteStateDocument(state, Random);
}

bool ReadStateDocument(const std::string& text, GameState& state, std::string& error) {
  return ReadStateDocument(text, state, Random, error);
}

bool ReadStateDocument(const std::string& text, GameState& state, RandomState& random,
                       std::string& error) {
  Json document;
  try {
    document = Json::parse(text);
  } catch (const Json::exception& fault) {
    // Not only syntax: a number too large for a double ("1e930") is refused while parsing too.
    error = std::string("not valid JSON: ") + fault.what();
    return false;
  }
  return ReadParsedStateDocument(document, state, random, error);
}

bool ReadParsedStateDocument(const Json& document, GameState& state, RandomState& random,
                             std::string& error) {
  GameState game = state;
  RandomState generator = random;
  DocumentRoot root{game, generator};
  try {
    RequireWholeGenerator(document);
    JsonReader::ReadObject(document, "", root);
  } catch (const DocumentError& fault) {
    error = fault.what();
    return false;
  }
  state = game;
  random = generator;
  return true;
}

std::string SceneName(int32_t scene) {
  return scene >= 0 && scene < Scenes.count ? Scenes.names[scene] : std::to_string(scene);
}
