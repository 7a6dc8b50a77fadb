// The game's entry point: the command line, the clock check, the full-screen question, start-up
// and the loop.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "platform/config_folder.h"
#include "platform/data_folder.h"
#include "platform/frame_clock.h"
#include "platform/message_box.h"
#include "platform/message_catalog.h"
#include "program/command_line.h"
#include "program/controls_loading.h"
#include "program/online_frame.h"
#include "program/online_plan.h"
#include "program/online_window.h"
#include "program/settings_loading.h"
#include "program/shell.h"
#include "program/show_records.h"
#include "program/startup_settings.h"
#include "program/version.h"
#include "program/window_input.h"
#include "program/window_replay.h"
#include "program/window_sound.h"
#include "program/write_controls.h"
#include "program/write_settings.h"
#include "services/texts.h"

namespace {

// The help, the version, the controls file or a refusal, before anything is opened; -1 when the
// game is to play.
int AnswerWithoutPlaying(const LaunchOptions& options) {
  switch (options.action) {
    case LaunchAction::ShowHelp:
      std::fputs(UsageText().c_str(), stdout);
      return 0;
    case LaunchAction::ShowVersion:
      std::fputs(VersionText().c_str(), stdout);
      return 0;
    case LaunchAction::WriteControls:
      return WriteControlsFile(options.force);
    case LaunchAction::WriteSettings:
      return WriteSettingsFile(options.force);
    case LaunchAction::ShowRecords:
      return PrintRecords();
    case LaunchAction::Refuse:
      std::fprintf(stderr, "astorine: %s\n%s", options.error.c_str(), UsageText().c_str());
      return 2;
    case LaunchAction::Play:
      break;
  }
  return -1;
}

// The window's own part of an online session: a fresh seed, its frames drawn, rematches offered.
OnlineSettings InTheWindow(OnlineSettings settings) {
  settings.seed = std::random_device()();
  settings.runNewFrame = RunOnlineFrame;
  settings.offerRematch = true;
  return settings;
}

}  // namespace

int main(int argc, char* argv[]) {
  // The language comes first, so that every message is in it; the settings file's complaints are
  // told when it is read again below.
  std::vector<std::string> untold;
  const Settings early = LoadSettingsFile(SettingsFilePath(), untold);
  UseLanguage(SettingsLanguage(early.language, LocaleLanguage()), ExecutableFolder(argv[0]));
  const LaunchOptions options = ParseCommandLine({argv + 1, argv + argc});
  if (const int status = AnswerWithoutPlaying(options); status >= 0) {
    return status;
  }
  if (!options.replay.empty() && !LoadWindowReplay(options.replay)) {
    return 2;
  }
  // A missing lobby, a port in use or an unknown host is told before the display is touched.
  std::unique_ptr<OnlineWindow> online;
  if (options.online != OnlineRole::None) {
    const OnlinePlan plan = PlanOnline(options, std::getenv("ASTORINE_LOBBY"), early.lobby);
    if (!plan.error.empty()) {
      std::fprintf(stderr, "astorine: %s\n", plan.error.c_str());
      return 2;
    }
    online = std::make_unique<OnlineWindow>(InTheWindow(plan.settings), plan.typeCode);
    std::string error;
    if (!online->Open(error)) {
      std::fprintf(stderr, "astorine: %s\n", error.c_str());
      return 1;
    }
  }
  FindDataFolder(argv[0]);
  Settings settings = LoadPlayerSettings();
  const Controls controls = LoadPlayerControls();
  UseControls(controls);
  // The frame wait could never end on a counter that does not count.
  if (CounterFrequency() == 0) {
    ShowStartupFailure(Tr("高分解能タイマーが使えないため、起動できません。"));
    return 0;
  }
  // Desktops match the window to its desktop entry and icons by its class. SDL 2.26 reads it
  // only from the environment; one set by the player is kept.
  setenv("SDL_VIDEO_X11_WMCLASS", AstorineAppId, 0);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, Tr("astorine: the display could not be opened: %s\n"), SDL_GetError());
    ShowStartupFailure(Tr("ウィンドウクラスの登録に失敗しました。"));
    return 0;
  }
  const std::optional<bool> decided =
      FullScreenWithoutAsking(options.fullScreen, settings.fullScreen);
  const bool fullScreen = decided ? *decided : AskFullScreenAndRemember(settings);
  if (!StartWindowedGame(fullScreen, WindowScale(options.scale, settings))) {
    if (online != nullptr) {
      online->Close();
    }
    return 0;
  }
  StartWindowSound(settings, controls);
  return online == nullptr ? RunEventLoop() : RunOnlineEventLoop(*online);
}
