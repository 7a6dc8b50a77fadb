#include "state_out.h"

#include <fstream>
#include <iostream>

#include "scenes/game_state.h"
#include "services/random.h"
#include "state/state_document.h"

bool WriteStateOut(const std::string& path) {
  std::string document = WriteStateDocument(Game, Random);
  if (path == "-") {
    std::cout << document << std::flush;
    return true;
  }
  std::ofstream file(path, std::ios::binary);
  file << document;
  return static_cast<bool>(file.flush());
}
