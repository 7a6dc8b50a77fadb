// The state document: all of GameState and the random generator's state (member "random") as
// JSON, written whole and read back in any subset, so that a document alone restores a run. The
// headless runner's --state-in and --state-out, replays' starting points, and tests that set up
// or compare whole states.
#pragma once
#include <string>

#include "scenes/game_state.h"
#include "services/random.h"
#include "state/json_text.h"

Json StateToJson(const GameState& state, const RandomState& random);
// The whole state as formatted JSON text.
std::string WriteStateDocument(const GameState& state, const RandomState& random);
// Replaces the fields the document names and keeps all others; the generator only when the
// document has it, and then whole. A bad document changes nothing: the result is false and
// `error` holds one line naming the member and what is wrong with it.
bool ReadStateDocument(const std::string& text, GameState& state, RandomState& random,
                       std::string& error);
// The same from a document already parsed.
bool ReadParsedStateDocument(const Json& document, GameState& state, RandomState& random,
                             std::string& error);

// The same with the program's own generator, Random.
std::string WriteStateDocument(const GameState& state);
bool ReadStateDocument(const std::string& text, GameState& state, std::string& error);

// A scene as the document and the events log name it ("SceneTitle"); a number if it has no name.
std::string SceneName(int32_t scene);
