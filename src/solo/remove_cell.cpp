// The removal of one cell of a found line: counted once per step, with its explosion and sound.
#include "scenes/game_state.h"
#include "solo/chain.h"
#include "sound/sound.h"
#include "versus/versus_chain.h"

void RemoveCell(int side, int row, int column) {
  if (Game.CurrentScene == SceneVersus) {
    RemoveCellVersus(side, row, column);
    return;
  }
  VersusSide& well = Side(side);
  const int index = row * WellColumns + column;
  if (well.RemovalMarks[index]) {
    return;
  }
  well.RemovalMarks[index] = 1;
  AddExplosion(side, Game.ScanSnapshot[index] - 1, CellScreenPosition(row, column));
  // Restarted for every cell, so one step is heard as one sound.
  const SoundId sound = well.chainCount == 0   ? SndBom
                        : well.chainCount == 1 ? SndChain2
                                               : SndChain3;
  StartSound(sound, 0);
}
