// Gamepads on SDL's virtual joysticks: hot-plug and connection order, the sticks' dead zone and
// hysteresis, two pads in a match, the mappings SDL and the player give, and the window's pause
// when a playing pad goes.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "input/gamepads.h"
#include "input/input_map.h"
#include "input/pad_mappings.h"
#include "input/pad_reading.h"
#include "program/window_pads.h"
#include "scenes/game_state.h"
#include "virtual_pad.h"

namespace {

constexpr int South = PadButtonInput(SDL_CONTROLLER_BUTTON_A);
constexpr int East = PadButtonInput(SDL_CONTROLLER_BUTTON_B);
using Flags = std::vector<bool>;

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
  // Drains SDL's queue as the window's loop does; what went to stderr meanwhile.
  std::string Drain() {
    testing::internal::CaptureStderr();
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
      if (event.type == SDL_CONTROLLERDEVICEADDED) {
        pads.OpenAll();
      } else if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
        pads.Disconnect(event.cdevice.which);
      }
    }
    return testing::internal::GetCapturedStderr();
  }
  Flags Holding(int input) {
    SDL_PumpEvents();
    Flags holding;
    for (const PadState& pad : pads.Read()) {
      holding.push_back(pad.Holds(input));
    }
    return holding;
  }
  static std::filesystem::path TempFile(const std::string& name, const std::string& text) {
    const std::filesystem::path path = std::filesystem::path(testing::TempDir()) / name;
    std::ofstream(path) << text;
    return path;
  }
  static std::string Report(const std::filesystem::path& path) {
    testing::internal::CaptureStderr();
    AddUserPadMappings(path);
    return testing::internal::GetCapturedStderr();
  }

  Gamepads pads;
};

TEST_F(Pads, HotPlugKeepsConnectionOrderAndAnnouncesEachPad) {
  VirtualPad one("Pad One", 1);
  VirtualPad two("Pad Two", 2);
  EXPECT_EQ(Drain(),
            "astorine: gamepad connected: Pad One\nastorine: gamepad connected: Pad Two\n");
  pads.OpenAll();  // SDL offers them too: they are open already
  two.Press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(Holding(South), (Flags{false, true}));
  // Each pad keeps its own stick history: the second's stick, short of half way, never stepped.
  const int right = PadAxisInput(SDL_CONTROLLER_AXIS_LEFTX, 1);
  one.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, SDL_JOYSTICK_AXIS_MAX);
  two.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, StickOffBelow);
  EXPECT_EQ(Holding(right), (Flags{true, false}));
  one.Detach();
  EXPECT_EQ(Drain(), "astorine: gamepad disconnected: Pad One\n");
  EXPECT_EQ(Holding(South), Flags{true});
  EXPECT_EQ(Holding(right), Flags{false});
  VirtualPad again("Pad One", 1);
  EXPECT_EQ(Drain(), "astorine: gamepad connected: Pad One\n");
  again.Press(SDL_CONTROLLER_BUTTON_B);
  EXPECT_EQ(Holding(South), (Flags{true, false}));
  EXPECT_EQ(Holding(East), (Flags{false, true}));
}

TEST_F(Pads, StickDirectionsNeedHalfTheRangeAndLetGoBelowThirtyPercent) {
  VirtualPad pad("Stick Pad");
  Drain();
  // Left and right held, as the stick leans.
  auto lean = [&](int value) {
    pad.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, value);
    SDL_PumpEvents();
    const PadState state = pads.Read()[0];
    return std::pair(state.Holds(PadAxisInput(SDL_CONTROLLER_AXIS_LEFTX, -1)),
                     state.Holds(PadAxisInput(SDL_CONTROLLER_AXIS_LEFTX, 1)));
  };
  const std::pair none(false, false), left(true, false), right(false, true);
  // A slow drift short of half the range never steps, either way.
  for (int value = -StickOnFrom + 1; value < StickOnFrom; value += 97) {
    ASSERT_EQ(lean(value), none) << value;
  }
  EXPECT_EQ(lean(StickOnFrom), right);
  // Wobbling between 30 % and half the range, it stays held.
  for (int wobble = 0; wobble < 20; ++wobble) {
    ASSERT_EQ(lean(wobble % 2 == 0 ? StickOffBelow : StickOnFrom - 1), right);
  }
  EXPECT_EQ(lean(StickOffBelow - 1), none);
  EXPECT_EQ(lean(StickOnFrom - 1), none);
  EXPECT_EQ(lean(-StickOnFrom), left);
  EXPECT_EQ(lean(StickOnFrom), right);  // straight across: the other way at once
  // A trigger at rest is released; pulled, it holds its one direction.
  const int trigger = PadAxisInput(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1);
  EXPECT_EQ(Holding(trigger), Flags{false});
  pad.SetAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MAX);
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
  EXPECT_TRUE(keys().Held('K') && !keys().Held('A'));
  first.Release(SDL_CONTROLLER_BUTTON_A);
  second.Press(SDL_CONTROLLER_BUTTON_A);
  second.SetAxis(SDL_CONTROLLER_AXIS_LEFTX, SDL_JOYSTICK_AXIS_MIN);
  const InputFrame frame = keys();
  EXPECT_TRUE(frame.Held('A') && frame.Held('E'));
  EXPECT_FALSE(frame.Held('K') || frame.Held(37));  // player 1's turn and Left
}

TEST_F(Pads, ThePlayersFileAndSdlsVariableRemapAPad) {
  std::string guid;
  const std::string swapSouthAndEast = ",Swapped Pad,a:b1,b:b0,platform:Linux,\n";
  {
    VirtualPad pad("Remapped Pad", 3);
    guid = pad.Guid();
    EXPECT_EQ(Report(TempFile("swap.txt", "# the player's own\n" + guid + swapSouthAndEast)), "");
    pads.OpenAll();
    pad.Press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(Holding(East), Flags{true});
  }
  TearDown();
  // SDL reads the variable when its layer starts; it wins over the player's file.
  setenv("SDL_GAMECONTROLLERCONFIG", (guid + ",From The Variable,a:b2,x:b0,").c_str(), 1);
  StartLayer();
  unsetenv("SDL_GAMECONTROLLERCONFIG");
  AddUserPadMappings(TempFile("swap.txt", guid + swapSouthAndEast));
  VirtualPad pad("Remapped Pad", 3);
  Drain();
  pad.Press(SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(Holding(PadButtonInput(SDL_CONTROLLER_BUTTON_X)), Flags{true});
  EXPECT_EQ(Holding(East), Flags{false});
}

TEST_F(Pads, ABadMappingFileIsNamedInOneLineAndAMissingOneIsSilent) {
  EXPECT_EQ(Report(std::filesystem::path(testing::TempDir()) / "none.txt"), "");
  EXPECT_EQ(Report(TempFile("blank.txt", "# nothing yet\n\n  \r\n")), "");
  VirtualPad pad("Half Good Pad", 4);
  // SDL would skip the line without its platform silently: it counts as bad.
  const auto mixed = TempFile("mixed.txt", pad.Guid() + ",Good,a:b1,platform:Linux,\ngarbage\n" +
                                               pad.Guid() + ",No Platform,a:b2,\n\x01\xff\n");
  EXPECT_EQ(Report(mixed), "astorine: " + mixed.string() +
                               ": 3 lines ignored, not gamepad mappings "
                               "(GUID,name,bindings,platform:Linux,); the first is line 2\n");
  pads.OpenAll();
  pad.Press(SDL_CONTROLLER_BUTTON_B);
  EXPECT_EQ(Holding(South), Flags{true});  // the good line is used
  const std::string folder = Report(testing::TempDir());
  EXPECT_NE(folder.find("could not be read"), std::string::npos) << folder;
  EXPECT_EQ(std::count(folder.begin(), folder.end(), '\n'), 1) << folder;
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
  bool PausedAfterEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
      HandleWindowPadEvent(event, pause);
    }
    return pause.Paused();
  }
  void PressStart(VirtualPad& pad) {
    pad.Press(SDL_CONTROLLER_BUTTON_START);
    PausedAfterEvents();
    pad.Release(SDL_CONTROLLER_BUTTON_START);
  }

  PauseState pause;
  int32_t savedScene = 0;
};

TEST_F(WindowPads, UnpluggingAPlayingPadPausesUntilStartOrAPadComesBack) {
  Game.CurrentScene = SceneSolo;
  VirtualPad spare("Spare Pad", 1);
  std::optional<VirtualPad> player(std::in_place, "Player Pad", 2);
  EXPECT_FALSE(PausedAfterEvents());
  player->Detach();
  EXPECT_TRUE(PausedAfterEvents());
  EXPECT_EQ(ReadWindowPads().size(), 1u);
  PressStart(spare);
  EXPECT_FALSE(PausedAfterEvents());
  player.emplace("Player Pad", 2);
  EXPECT_FALSE(PausedAfterEvents());
  player->Detach();
  EXPECT_TRUE(PausedAfterEvents());
  player.emplace("Player Pad", 2);  // back: the game goes on
  EXPECT_FALSE(PausedAfterEvents());
  // A pause the player chose outlasts a pad's going and coming.
  PressStart(spare);
  player.reset();
  player.emplace("Player Pad", 2);
  EXPECT_TRUE(PausedAfterEvents());
  PressStart(spare);
  EXPECT_FALSE(PausedAfterEvents());
  // A third pad plays no one in a match; in menus no pad does, and Start is Return there.
  Game.CurrentScene = SceneVersus;
  std::optional<VirtualPad> third(std::in_place, "Third Pad", 3);
  EXPECT_FALSE(PausedAfterEvents());
  third.reset();
  EXPECT_FALSE(PausedAfterEvents());
  Game.CurrentScene = SceneTitle;
  player.reset();
  PressStart(spare);
  EXPECT_FALSE(PausedAfterEvents());
  EXPECT_EQ(ReadWindowPads().size(), 1u);
}

}  // namespace
