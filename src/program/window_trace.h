// What the windowed game tells tests in a real window, which cannot read its frames: with
// ASTORINE_TRACE set, one line on stderr per scene change, per teardown step, per pause, per switch
// of full screen or of the focus and per change of the keys a frame sees held; with
// ASTORINE_STATE_OUT=FILE, the state document written to FILE when the event loop ends.
#pragma once
#include <cstdint>
#include <filesystem>

#include "services/input_frame.h"

// "astorine: STEP" on stderr when tracing.
void TraceStep(const char* step);
// "astorine: scene FROM TO" when tracing and the scene changed.
void TraceSceneChange(int32_t from, int32_t to);
// "astorine: keys FRAME NAME+NAME..." ("none" when no key is held) when tracing and the keys
// the game polls that are held for the frame about to run differ from the last line's.
void TraceKeysHeld(const InputFrame& input);
// "astorine: replay saved NAME" when tracing: a game's or a match's replay kept in the folder.
void TraceReplaySaved(const std::filesystem::path& saved);
// "astorine: frames run N presented M" when tracing: how many frames ran since start and how many
// of them the screen showed.
void TraceFramesPresented(uint64_t run, uint64_t presented);
// "astorine: sound volume V mute yes|no levels T E" when tracing: the settings after a [game] key
// and the levels the mixer reports for the tunes and the effects (-1: not loaded).
void TraceSound(int volume, bool mute, int tuneLevel, int effectLevel);
// Writes the state document where ASTORINE_STATE_OUT asks, if it does.
void WriteStateIfAsked();
