// The sound's keys as the window's loop hands them events: which presses act, and what each
// leaves in the settings file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "input/pad_state.h"
#include "platform/config_folder.h"
#include "program/settings_loading.h"
#include "program/window_sound.h"

namespace fs = std::filesystem;

namespace {

SDL_Event KeyPress(SDL_Keycode key, Uint16 modifiers = KMOD_NONE, Uint8 repeat = 0) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.keysym.sym = key;
  event.key.keysym.mod = modifiers;
  event.key.repeat = repeat;
  return event;
}

SDL_Event PadButton(SDL_GameControllerButton button) {
  SDL_Event event{};
  event.type = SDL_CONTROLLERBUTTONDOWN;
  event.cbutton.button = static_cast<Uint8>(button);
  return event;
}

SDL_Event PadAxis(SDL_GameControllerAxis axis, Sint16 value) {
  SDL_Event event{};
  event.type = SDL_CONTROLLERAXISMOTION;
  event.caxis.axis = static_cast<Uint8>(axis);
  event.caxis.value = value;
  return event;
}

}  // namespace

class WindowSound : public testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("astorine-window-sound-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
    setenv("HOME", root.c_str(), 1);
    setenv("XDG_CONFIG_HOME", "", 1);
  }
  void TearDown() override { fs::remove_all(root); }

  Settings Saved() {
    std::vector<std::string> messages;
    return LoadSettingsFile(SettingsFilePath(), messages);
  }

  fs::path root;
};

TEST_F(WindowSound, KeysAndPadsChangeTheSoundAndTheFileKeepsIt) {
  Controls controls = DefaultControls();
  controls.Of(GameAction::VolumeUp)
      .push_back({Binding::Kind::Pad, PadAxisInput(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1)});
  StartWindowSound(Settings{}, controls);

  EXPECT_TRUE(HandleSoundEvent(KeyPress(SDLK_MINUS)));
  EXPECT_TRUE(HandleSoundEvent(KeyPress(SDLK_MINUS, KMOD_NONE, 1)));  // a held key repeats
  EXPECT_EQ(Saved().volume, 80);
  // A shortcut of the desktop, a held mute key and a key of no [game] action do nothing.
  EXPECT_FALSE(HandleSoundEvent(KeyPress(SDLK_m, KMOD_LCTRL)));
  EXPECT_FALSE(HandleSoundEvent(KeyPress(SDLK_m, KMOD_NONE, 1)));
  EXPECT_FALSE(HandleSoundEvent(KeyPress(SDLK_k)));
  EXPECT_FALSE(Saved().mute);

  EXPECT_TRUE(HandleSoundEvent(PadButton(SDL_CONTROLLER_BUTTON_RIGHTSTICK)));
  EXPECT_TRUE(Saved().mute);
  // A trigger acts once as it is pressed in, not again while it is held.
  EXPECT_TRUE(HandleSoundEvent(PadAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 30000)));
  EXPECT_FALSE(HandleSoundEvent(PadAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32000)));
  EXPECT_FALSE(HandleSoundEvent(PadAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0)));
  EXPECT_TRUE(HandleSoundEvent(PadAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 30000)));
  const Settings saved = Saved();
  EXPECT_FALSE(saved.mute);
  EXPECT_EQ(saved.volume, 100);
}
