// The replay file: reading refuses anything it cannot play exactly (another format or logic
// version, damage, truncation, oversize) with one line saying which; writing goes through a
// temporary file, fsync and a rename, so no reader ever sees half a replay.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "replay/replay.h"

std::vector<uint8_t> EncodeReplay(const Replay& replay);
// On refusal `replay` is left as it was and `error` holds one line.
bool DecodeReplay(const uint8_t* data, size_t size, Replay& replay, std::string& error);

// The file's size is checked before a byte of it is read.
bool ReadReplayFile(const std::string& path, Replay& replay, std::string& error);
bool WriteReplayFile(const std::string& path, const Replay& replay, std::string& error);
