// The SurfaceTable: the game's 14 pictures, read once from the data folder, converted to the back
// buffer's format, each with the colour of its top-left pixel as its transparent colour.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/data_folder.h"
#include "gfx/surface_table.h"

namespace {

SDL_Surface* SurfaceTable[SurfaceCount] = {};

bool ValidEntry(SurfaceId entry) {
  return entry >= 0 && entry < SurfaceCount;
}

void ReleaseEntry(SurfaceId entry) {
  if (SurfaceTable[entry] != nullptr) {
    SDL_FreeSurface(SurfaceTable[entry]);
    SurfaceTable[entry] = nullptr;
  }
}

}  // namespace

SDL_Surface* TableSurface(SurfaceId entry) {
  return ValidEntry(entry) ? SurfaceTable[entry] : nullptr;
}

int SetTableSurface(SurfaceId entry, SDL_Surface* picture) {
  if (!ValidEntry(entry)) {
    return 0;
  }
  ReleaseEntry(entry);
  if (picture == nullptr) {
    return 1;
  }
  // Every picture shares the back buffer's format, so no blit ever converts pixels.
  SurfaceTable[entry] = SDL_ConvertSurfaceFormat(picture, SDL_PIXELFORMAT_XRGB8888, 0);
  return SurfaceTable[entry] != nullptr ? 1 : 0;
}

int LoadBitmapSurface(SurfaceId entry, const char* fileName) {
  if (!ValidEntry(entry)) {
    return 0;
  }
  std::string path = DataPath(fileName);
  SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
  if (file == nullptr) {
    ReleaseEntry(entry);
    std::fprintf(stderr, "astorine: picture %s not loaded (cannot open it)\n", path.c_str());
    return 0;
  }
  return LoadBitmapSurfaceFrom(entry, file, path.c_str());
}

int LoadBitmapSurfaceFrom(SurfaceId entry, SDL_RWops* source, const char* name) {
  if (!ValidEntry(entry)) {
    if (source != nullptr) {
      SDL_RWclose(source);
    }
    return 0;
  }
  SDL_Surface* loaded = SDL_LoadBMP_RW(source, 1);  // refuses a null source
  if (loaded == nullptr) {
    ReleaseEntry(entry);
    std::fprintf(stderr, "astorine: picture %s not loaded (%s)\n", name, SDL_GetError());
    return 0;
  }
  int result = SetTableSurface(entry, loaded);
  SDL_FreeSurface(loaded);
  if (result == 0) {
    std::fprintf(stderr, "astorine: picture %s not converted (%s)\n", name, SDL_GetError());
  }
  return result;
}

int SetColourKeyFromCorner(SurfaceId entry) {
  SDL_Surface* picture = TableSurface(entry);
  if (picture == nullptr || picture->w < 1 || picture->h < 1) {
    return 0;
  }
  if (SDL_LockSurface(picture) != 0) {
    return 0;
  }
  // The corner pixel's value in the picture's own format, read as a little-endian word.
  int bytes = picture->format->BytesPerPixel;
  Uint8 corner[4] = {};
  std::memcpy(corner, picture->pixels, bytes < 4 ? bytes : 4);
  SDL_UnlockSurface(picture);
  Uint32 key = corner[0] | corner[1] << 8 | corner[2] << 16 | static_cast<Uint32>(corner[3]) << 24;
  return SDL_SetColorKey(picture, SDL_TRUE, key) == 0 ? 1 : 0;
}

int ReleaseSurfaceTable() {
  for (int entry = 0; entry < SurfaceCount; ++entry) {
    ReleaseEntry(static_cast<SurfaceId>(entry));
  }
  return 1;
}
