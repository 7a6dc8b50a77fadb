// astorine-data: writes the game's pictures and sounds into a folder, the desktop's icons, or a
// contact sheet of the pictures for review.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "bmp_writer.h"
#include "contact_sheet.h"
#include "pictures.h"
#include "png_writer.h"
#include "sounds.h"
#include "wav_writer.h"

namespace {

int Usage() {
  std::fprintf(
      stderr,
      "usage: astorine-data FOLDER              write every picture and sound into FOLDER\n"
      "       astorine-data --icons FOLDER      the icon as FOLDER/icon-N.png, N pixels square\n"
      "       astorine-data --contact-sheet FILE.png   every picture, 2x, on one sheet\n");
  return 2;
}

int WriteFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  for (const datagen::Picture& picture : datagen::MakeAllPictures()) {
    if (!datagen::WriteBmp(folder + "/" + picture.fileName, picture.image)) {
      std::fprintf(stderr, "astorine-data: cannot write %s/%s\n", folder.c_str(),
                   picture.fileName.c_str());
      return 1;
    }
  }
  for (const datagen::Sound& sound : datagen::MakeAllSounds()) {
    if (!datagen::WriteWav(folder + "/" + sound.fileName, sound.samples)) {
      std::fprintf(stderr, "astorine-data: cannot write %s/%s\n", folder.c_str(),
                   sound.fileName.c_str());
      return 1;
    }
  }
  return 0;
}

int WriteIcons(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  for (const int size : datagen::kDesktopIconSizes) {
    const std::string path = folder + "/icon-" + std::to_string(size) + ".png";
    if (!datagen::WritePng(path, datagen::DrawIcon(size))) {
      std::fprintf(stderr, "astorine-data: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--contact-sheet") == 0) {
    if (!datagen::WriteContactSheet(datagen::MakeAllPictures(), argv[2])) {
      std::fprintf(stderr, "astorine-data: cannot write %s\n", argv[2]);
      return 1;
    }
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "--icons") == 0) {
    return WriteIcons(argv[2]);
  }
  if (argc != 2 || argv[1][0] == '-') {
    return Usage();
  }
  return WriteFolder(argv[1]);
}
