#include "input/input_context.h"

#include "scenes/game_state.h"

InputContext InputContextOf(const GameState& game) {
  switch (game.CurrentScene) {
    case SceneSolo:
    case SceneSoloChain:
      return InputContext::SoloPlay;
    case SceneVersus:
      return game.title.computerPlayer != 0 ? InputContext::AgainstComputer
                                            : InputContext::TwoPlayers;
    default:
      return InputContext::Menu;
  }
}
