// The title's handover to a two-player match, run by the title itself.
#include "net/online_start.h"

#include "scenes/game_state.h"
#include "scenes/scene_machine.h"
#include "services/input_frame.h"
#include "services/keyboard.h"
#include "services/random.h"
#include "state/state_document.h"

namespace {

// Where the title's picture settles and its menu starts reading keys.
constexpr int32_t TitleMenuLiveY = 10;

uint32_t onlineSeed = 0;
uint32_t OnlineSeed() {
  return onlineSeed;
}

void ChooseTwoPlayers() {
  TitleMenu& menu = Game.title;
  menu.TitleLogoY = TitleMenuLiveY;
  menu.MenuChoice = 's';
  menu.PlayMode = 'p';
  menu.versusMode = 1;
  menu.computerPlayer = 0;
}

}  // namespace

void EnterOnlineStart(uint32_t seed) {
  Game = GameState{};
  const ClockSeedSource previousSource = InstalledClockSeedSource();
  onlineSeed = seed;
  SetClockSeedSource(OnlineSeed);
  InitGame();
  SetClockSeedSource(previousSource);
  ChooseTwoPlayers();
  InputFrame returnPressed;
  returnPressed.Press(KeyReturn);
  SetFrameInput(returnPressed);
  StepFrame();
  SetFrameInput(InputFrame{});
}

bool EnterOnlineStartFromDocument(const std::string& document, std::string& error) {
  GameState state;
  RandomState random;
  if (!ReadStateDocument(document, state, random, error)) {
    return false;
  }
  Game = state;
  Random = random;
  return true;
}
