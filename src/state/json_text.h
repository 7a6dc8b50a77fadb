// JSON text laid out for reading and diffing: short flat objects and arrays of numbers on one
// line, everything else one member or element per line.
#pragma once
#include <nlohmann/json.hpp>
#include <string>

// Members keep the order they were written or read in.
using Json = nlohmann::ordered_json;

std::string FormatJson(const Json& value);
