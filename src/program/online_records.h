// What an online match leaves in the replays folder: its replay, or after a desync the replay and
// this machine's state document, for a bug report.
#pragma once
#include <filesystem>

#include "net/online_session.h"

// Saves the match's replay as every game's is; the path, or empty with why on stderr.
std::filesystem::path SaveOnlineReplay(OnlineSession& session);
// "STAMP-online-desync.replay" and "STAMP-online-desync.json" beside it, named on stderr.
void SaveDesyncReport(OnlineSession& session);
