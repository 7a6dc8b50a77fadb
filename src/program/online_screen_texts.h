// What each screen around an online match says, from plain values: the window picks the screen,
// these words it.
#pragma once
#include <string>
#include <vector>

#include "net/lobby_protocol.h"
#include "program/online_screen.h"
#include "program/room_code_entry.h"

// The guest types the room code: the code so far large, then why the last one failed, if it did.
OnlineScreen CodeEntryScreen(const RoomCodeEntry& entry);
// The host's room is open: its code large, the command the opponent types, the lobby, the status.
OnlineScreen RoomScreen(const std::string& code, const std::string& lobby,
                        const std::string& status);
// The host waits without a lobby: the status, the commands that join this machine's addresses
// (a few), and how to meet by a room code instead.
OnlineScreen DirectWaitScreen(const std::string& status, const std::vector<PeerAddress>& addresses);
// Any other wait before the match: the meeting's or the connection's status.
OnlineScreen ConnectingScreen(const std::string& status);
// After a match, with the link kept: the choice of a rematch and the path, if known.
OnlineScreen RematchScreen(bool accepted, bool opponentAccepted, const std::string& path);
// The session is over: why, and the path the match took, if known.
OnlineScreen EndScreen(const std::string& status, const std::string& path);
