// astorine-json-subset: checks that one JSON document is contained in another, for scenario
// tests whose expected state names only the members they care about.
//   astorine-json-subset EXPECTED ACTUAL            0 when contained; else each difference, 1
//   astorine-json-subset --project EXPECTED ACTUAL  ACTUAL cut down to the members of EXPECTED
// Objects match when every member of the expected one matches; arrays when each expected
// element matches the actual element at the same place (an expected array may be shorter).
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "state/json_text.h"

namespace {

bool ReadJson(const char* path, Json& value) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  if (!file) {
    std::fprintf(stderr, "astorine-json-subset: %s cannot be read\n", path);
    return false;
  }
  value = Json::parse(text.str(), nullptr, false);
  if (value.is_discarded()) {
    std::fprintf(stderr, "astorine-json-subset: %s is not valid JSON\n", path);
    return false;
  }
  return true;
}

std::string Child(const std::string& path, const std::string& key) {
  return path.empty() ? key : path + "." + key;
}

std::string Element(const std::string& path, size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

int ReportDifferences(const Json& expected, const Json& actual, const std::string& path) {
  if (expected.is_object() && actual.is_object()) {
    int differences = 0;
    for (auto it = expected.begin(); it != expected.end(); ++it) {
      auto found = actual.find(it.key());
      if (found == actual.end()) {
        std::printf("%s: missing\n", Child(path, it.key()).c_str());
        ++differences;
      } else {
        differences += ReportDifferences(*it, *found, Child(path, it.key()));
      }
    }
    return differences;
  }
  if (expected.is_array() && actual.is_array() && expected.size() <= actual.size()) {
    int differences = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
      differences += ReportDifferences(expected[i], actual[i], Element(path, i));
    }
    return differences;
  }
  if (expected == actual) {
    return 0;
  }
  std::printf("%s: expected %s, got %s\n", path.empty() ? "(document)" : path.c_str(),
              expected.dump().c_str(), actual.dump().c_str());
  return 1;
}

Json Project(const Json& shape, const Json& actual) {
  if (shape.is_object() && actual.is_object()) {
    Json result = Json::object();
    for (auto it = shape.begin(); it != shape.end(); ++it) {
      auto found = actual.find(it.key());
      if (found != actual.end()) {
        result[it.key()] = Project(*it, *found);
      }
    }
    return result;
  }
  if (shape.is_array() && actual.is_array()) {
    Json result = Json::array();
    for (size_t i = 0; i < shape.size() && i < actual.size(); ++i) {
      result.push_back(Project(shape[i], actual[i]));
    }
    return result;
  }
  return actual;
}

}  // namespace

int main(int argc, char* argv[]) {
  bool project = argc == 4 && std::string(argv[1]) == "--project";
  if (argc != 3 && !project) {
    std::fprintf(stderr, "usage: astorine-json-subset [--project] EXPECTED ACTUAL\n");
    return 2;
  }
  Json expected;
  Json actual;
  if (!ReadJson(argv[argc - 2], expected) || !ReadJson(argv[argc - 1], actual)) {
    return 2;
  }
  if (project) {
    std::cout << FormatJson(Project(expected, actual));
    return 0;
  }
  return ReportDifferences(expected, actual, "") == 0 ? 0 : 1;
}
