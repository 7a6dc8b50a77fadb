// The game's command line: what the player may decide before the window opens.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class FullScreenAnswer { Ask, Yes, No };
enum class LaunchAction {
  Play,
  ShowHelp,
  ShowVersion,
  WriteControls,
  WriteSettings,
  ShowRecords,
  Refuse
};
enum class OnlineRole { None, Host, Join };

struct LaunchOptions {
  LaunchAction action = LaunchAction::Play;
  FullScreenAnswer fullScreen = FullScreenAnswer::Ask;
  int scale = 0;       // the window's size in multiples of 640 x 480; 0: not given
  bool force = false;  // --write-controls or --write-settings may replace an existing file
  std::string replay;  // the replay to show; empty: play
  OnlineRole online = OnlineRole::None;
  // --join joins a host directly or a room by its code; with neither, the code is typed later.
  std::string onlineHost;   // whom --join connects to directly
  std::string roomCode;     // the room --join joins through the lobby, as typed
  uint16_t onlinePort = 0;  // the port hosted (0: not given) or joined directly
  std::string lobby;        // --lobby's HOST[:PORT]; empty: not given
  std::string error;        // why the command line was refused, one line
};

constexpr int LargestScale = 8;

// Reads the arguments after the program's name. No arguments: play exactly as without a
// command line.
LaunchOptions ParseCommandLine(const std::vector<std::string>& arguments);
// The usage text printed by --help and after a refused command line.
std::string UsageText();
// The one line of --version.
std::string VersionText();
