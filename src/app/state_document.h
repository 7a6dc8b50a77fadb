// The state document: all of GameState as JSON, written whole and read back in any subset. The
// headless runner's --state-in and --state-out, and tests that set up or compare whole states.
#pragma once
#include <string>

#include "app/json_text.h"
#include "scenes/game_state.h"

Json StateToJson(const GameState& state);
// The whole state as formatted JSON text.
std::string WriteStateDocument(const GameState& state);
// Replaces the fields the document names and keeps all others. A bad document changes nothing:
// the result is false and `error` holds one line naming the member and what is wrong with it.
bool ReadStateDocument(const std::string& text, GameState& state, std::string& error);

// A scene as the document and the events log name it ("SceneTitle"); a number if it has no name.
std::string SceneName(int32_t scene);
