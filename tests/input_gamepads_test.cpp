// Gamepads on SDL's virtual joysticks: hot-plug and connection order, the sticks' dead zone and
// hysteresis, two pads in a match, the mappings SDL and the player give, and the window's pause
// when a playing pad goes.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "app/pause_state.h"
#include "app/window_pads.h"
#include "input/gamepads.h"
#include "input/input_map.h"
#include "input/pad_mappings.h"
#include "input/pad_reading.h"
#include "scenes/game_state.h"
#include "virtual_pad.h"

namespace {

constexpr int South = PadButtonInput(SDL_CONTROLLER_BUTTON_A);
constexpr int East = PadButtonInput(SDL_CONTROLLER_BUTTON_B);
constexpr int StickRight = PadAxisInput(SDL_CONTROLLER_AXIS_LEFTX, 1);
constexpr int StickLeft = PadAxisInput(SDL_CONTROLLER_AXIS_LEFTX, -1);

class Pads : public testing::Test {
 protected:
  void SetUp() override { StartLayer(); }
  void TearDown() override {
    pads.CloseAll();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }
  void StartLayer() {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    if (SDL_NumJoysticks() > 0) {
      GTEST_SKIP() << "a joystick is plugged in; these tests count their own pads";
    }
  }
  // Drains SDL's queue as the window's loop does before a frame; the stderr it gave.
  std::string Drain() {
    testing::internal::CaptureStderr();
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
      if (event.type == SDL_CONTROLLERDEVICEADDED) {
        pads.Connect(event.cdevice.which);
      } else if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
        pads.Disconnect(event.cdevice.which);
      }
    }
    return testing::internal::GetCapturedStderr();
  }
  // Whether each pad holds the input now.
  std::vector<bool> Holding(int input) {
    SDL_PumpEvents();
    std::vector<bool> holding;
    for (const PadState& pad : pads.Read()) {
      holding.push_back(pad.Holds(input));
    }
    return holding;
  }
  std::filesystem::path TempFile(const std::string& name, const std::string& text) {
    const std::filesystem::path path = std::filesystem::path(testing::TempDir()) / name;
    std::ofstream(path) << text;
    return path;
  }

  Gamepads pads;
};

using Flags = std::vector<bool>;

TEST_F(Pads, HotPlugKeepsConnectionOrderAndAnnouncesEachPad) {
  VirtualPad one("Pad One", 1);
  VirtualPad two("Pad Two", 2);
  EXPECT_EQ(Drain(),
            "astorine: gamepad connected: Pad One\nastorine: gamepad connected: Pad Two\n");
  // SDL also offers the pads it announced; they are open already.
  pads.OpenAll();
  EXPECT_EQ(pads.Count(), 2);
  two.Press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(Holding(South), (Flags{false, true}));
  // The first goes: the second moves up, its buttons still held.
  one.Detach();
  EXPECT_EQ(Drain(), "astorine: gamepad disconnected: Pad One\n");
  EXPECT_EQ(Holding(South), Flags{true});
  // Back again, it comes last.
  VirtualPad again("Pad One", 1);
  EXPECT_EQ(Drain(), "astorine: gamepad connected: Pad One\n");
  EXPECT_EQ(Holding(South), (Flags{true, false}));
  again.Press(SDL_CONTROLLER_BUTTON_B);
  EXPECT_EQ(Holding(East), (Flags{false, true}));
  two.Detach();
  again.Detach();
  Drain();
  EXPECT_TRUE(pads.Read().empty());
}

TEST_F(Pads, StickDirectionsNeedHalfTheRangeAndLetGoBelowThirtyPercent) {
  EXPECT_FALSE(StickDirectionHeld(false, StickOnFrom - 1));
  EXPECT_TRUE(StickDirectionHeld(false, StickOnFrom));
  EXPECT_TRUE(StickDirectionHeld(true, StickOffBelow));
  EXPECT_FALSE(StickDirectionHeld(true, StickOffBelow - 1));
  EXPECT_FALSE(StickDirectionHeld(true, -32768));

  VirtualPad pad("Stick Pad");
  Drain();
  auto lean = [&](int value) {
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, value);
    const std::vector<bool> right = Holding(StickRight);
    const std::vector<bool> left = Holding(StickLeft);
    return std::pair<bool, bool>{left.at(0), right.at(0)};
  };
  // A slow drift anywhere short of half the range never steps.
  for (int value = 0; value < StickOnFrom; value += 97) {
    ASSERT_EQ(lean(value), std::make_pair(false, false)) << value;
  }
  for (int value = StickOnFrom - 1; value > -StickOnFrom; value -= 89) {
    ASSERT_EQ(lean(value), std::make_pair(false, false)) << value;
  }
  // Past it, the direction holds while the stick wobbles above 30 %.
  EXPECT_EQ(lean(StickOnFrom), std::make_pair(false, true));
  for (int wobble = 0; wobble < 40; ++wobble) {
    ASSERT_EQ(lean(wobble % 2 == 0 ? StickOffBelow : StickOnFrom - 1), std::make_pair(false, true));
  }
  EXPECT_EQ(lean(StickOffBelow - 1), std::make_pair(false, false));
  EXPECT_EQ(lean(StickOnFrom - 1), std::make_pair(false, false));
  EXPECT_EQ(lean(-StickOnFrom), std::make_pair(true, false));
  EXPECT_EQ(lean(-32768), std::make_pair(true, false));
  EXPECT_EQ(lean(0), std::make_pair(false, false));
  // A trigger at rest is released; pulled, it holds its one direction.
  const int trigger = PadAxisInput(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1);
  EXPECT_EQ(Holding(trigger), Flags{false});
  pad.SetAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  EXPECT_EQ(Holding(trigger), Flags{true});
}

TEST_F(Pads, TwoPadsPlayTheirOwnPlayerInAMatch) {
  VirtualPad first("First Pad", 1);
  VirtualPad second("Second Pad", 2);
  Drain();
  auto keys = [&] {
    SDL_PumpEvents();
    return MapInput(KeyboardSnapshot{}, pads.Read(), DefaultControls(), InputContext::TwoPlayers);
  };
  first.Press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_TRUE(keys().Held('K'));
  EXPECT_FALSE(keys().Held('A'));
  first.Release(SDL_CONTROLLER_BUTTON_A);
  second.Press(SDL_CONTROLLER_BUTTON_A);
  second.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
  const InputFrame frame = keys();
  EXPECT_TRUE(frame.Held('A'));
  EXPECT_TRUE(frame.Held('E'));
  EXPECT_FALSE(frame.Held('K'));
  EXPECT_FALSE(frame.Held(37));  // player 1's Left
}

TEST_F(Pads, ThePlayersFileAndSdlsVariableRemapAPad) {
  std::string guid;
  {
    VirtualPad pad("Remapped Pad", 3);
    guid = pad.Guid();
    const auto file = TempFile("swap.txt", "# south and east swapped\n" + guid +
                                               ",Swapped Pad,a:b1,b:b0,platform:Linux,\n");
    testing::internal::CaptureStderr();
    AddUserPadMappings(file);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    pads.OpenAll();
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(Holding(East), Flags{true});
    EXPECT_EQ(Holding(South), Flags{false});
  }
  TearDown();
  // SDL reads the variable when its layer starts; it wins over the player's file.
  setenv("SDL_GAMECONTROLLERCONFIG", (guid + ",From The Variable,a:b2,x:b0,").c_str(), 1);
  StartLayer();
  unsetenv("SDL_GAMECONTROLLERCONFIG");
  AddUserPadMappings(TempFile("swap.txt", guid + ",Swapped Pad,a:b1,b:b0,platform:Linux,\n"));
  VirtualPad pad("Remapped Pad", 3);
  Drain();
  pad.Press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(Holding(PadButtonInput(SDL_CONTROLLER_BUTTON_X)), Flags{true});
  EXPECT_EQ(Holding(South), Flags{false});
  EXPECT_EQ(Holding(East), Flags{false});
}

TEST_F(Pads, ABadMappingFileIsNamedInOneLineAndAMissingOneIsSilent) {
  auto report = [](const std::filesystem::path& path) {
    testing::internal::CaptureStderr();
    AddUserPadMappings(path);
    return testing::internal::GetCapturedStderr();
  };
  EXPECT_EQ(report(std::filesystem::path(testing::TempDir()) / "none.txt"), "");
  EXPECT_EQ(report(TempFile("empty.txt", "")), "");
  EXPECT_EQ(report(TempFile("comments.txt", "# nothing yet\n\n  \r\n")), "");
  VirtualPad pad("Half Good Pad", 4);
  const std::string guid = pad.Guid();
  // A line without its platform, which SDL would skip silently, counts as bad.
  const auto mixed = TempFile("mixed.txt", guid + ",Good,a:b1,b:b0,platform:Linux,\ngarbage\n" +
                                               guid + ",No Platform,a:b2,\n\x01\xff\n");
  const std::string reported = report(mixed);
  EXPECT_EQ(reported, "astorine: " + mixed.string() +
                          ": 3 lines ignored, not gamepad mappings "
                          "(GUID,name,bindings,platform:Linux,); the first is line 2\n");
  // The good line is used all the same.
  pads.OpenAll();
  pad.Press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(Holding(East), Flags{true});
  const std::string folder = report(testing::TempDir());
  EXPECT_NE(folder.find("could not be read"), std::string::npos) << folder;
  EXPECT_EQ(std::count(folder.begin(), folder.end(), '\n'), 1) << folder;
}

TEST(PadMappingsPath, FollowsTheXdgRules) {
  EXPECT_EQ(UserPadMappingsPath("/config", "/home/me"), "/config/astorine/gamecontrollerdb.txt");
  EXPECT_EQ(UserPadMappingsPath(nullptr, "/home/me"),
            "/home/me/.config/astorine/gamecontrollerdb.txt");
  EXPECT_EQ(UserPadMappingsPath("", "/home/me"), "/home/me/.config/astorine/gamecontrollerdb.txt");
  EXPECT_EQ(UserPadMappingsPath("config", "/home/me"),
            "/home/me/.config/astorine/gamecontrollerdb.txt");
  EXPECT_EQ(UserPadMappingsPath(nullptr, nullptr), "");
}

TEST(PauseState, PauseTogglesAndAnUnpluggedPlayerHoldsTheGameUntilAPadComes) {
  PauseState pause;
  pause.PressPause();
  EXPECT_TRUE(pause.Paused());
  pause.PressPause();
  EXPECT_FALSE(pause.Paused());
  // Pads that play no one may go: in menus, and a third pad in a match.
  EXPECT_FALSE(pause.PadLeft(0, InputContext::Menu));
  EXPECT_FALSE(pause.PadLeft(2, InputContext::TwoPlayers));
  EXPECT_FALSE(pause.Paused());
  EXPECT_TRUE(pause.PadLeft(1, InputContext::TwoPlayers));
  EXPECT_TRUE(pause.Paused());
  EXPECT_TRUE(pause.PadCame());
  EXPECT_FALSE(pause.Paused());
  EXPECT_TRUE(pause.PadLeft(3, InputContext::SoloPlay));
  pause.PressPause();
  EXPECT_FALSE(pause.Paused());
  EXPECT_FALSE(pause.PadCame());
  // A pause the player chose outlasts a pad's going and coming.
  pause.PressPause();
  EXPECT_FALSE(pause.PadLeft(0, InputContext::AgainstComputer));
  EXPECT_FALSE(pause.PadCame());
  EXPECT_TRUE(pause.Paused());
}

// The window's handling of pad events, with the game in a given scene.
class WindowPads : public Pads {
 protected:
  void SetUp() override {
    Pads::SetUp();
    savedScene = Game.CurrentScene;
  }
  void TearDown() override {
    CloseWindowPads();
    Game.CurrentScene = savedScene;
    Pads::TearDown();
  }
  // The trace of the window's loop draining the queue.
  void Handle() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
      HandleWindowPadEvent(event, pause);
    }
  }

  PauseState pause;
  int32_t savedScene = 0;
};

TEST_F(WindowPads, UnpluggingAPlayingPadPausesUntilStartOrAPadComesBack) {
  Game.CurrentScene = SceneSolo;
  VirtualPad spare("Spare Pad", 2);
  {
    VirtualPad player("Player Pad", 1);
    Handle();
    ASSERT_EQ(ReadWindowPads().size(), 2u);
    player.Detach();
    Handle();
  }
  EXPECT_TRUE(pause.Paused());
  EXPECT_EQ(ReadWindowPads().size(), 1u);
  // Start on the pad left resumes, and pauses again.
  spare.Press(SDL_CONTROLLER_BUTTON_START);
  Handle();
  EXPECT_FALSE(pause.Paused());
  spare.Release(SDL_CONTROLLER_BUTTON_START);
  Handle();
  spare.Press(SDL_CONTROLLER_BUTTON_START);
  Handle();
  EXPECT_TRUE(pause.Paused());
  spare.Release(SDL_CONTROLLER_BUTTON_START);
  Handle();
  pause.PressPause();
  {
    VirtualPad gone("Gone Pad", 3);
    Handle();
    gone.Detach();
    Handle();
    EXPECT_TRUE(pause.Paused());
  }
  VirtualPad back("Back Pad", 4);
  Handle();
  EXPECT_FALSE(pause.Paused());
  // In menus a pad may go, and Start is Return there, no pause.
  Game.CurrentScene = SceneTitle;
  back.Detach();
  spare.Press(SDL_CONTROLLER_BUTTON_START);
  Handle();
  EXPECT_FALSE(pause.Paused());
  EXPECT_EQ(ReadWindowPads().size(), 1u);
}

}  // namespace
