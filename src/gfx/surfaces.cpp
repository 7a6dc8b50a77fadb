// The SurfaceTable: the game's 14 pictures, read once from the data folder, converted to the back
// buffer's format, each with the colour of its top-left pixel as its transparent colour.
#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "gfx/surface_table.h"
#include "services/data_path.h"
#include "services/texts.h"

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

// No picture of the game comes near this; a damaged header claiming more is refused before SDL
// allocates (and clears) memory for it: a 90-byte file could otherwise ask for terabytes.
constexpr int64_t LargestPictureSide = 4096;

int64_t LittleEndian(const Uint8* at, int bytes) {
  int64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    value = value << 8 | at[i];
  }
  return value;
}

// Why the BMP header at the source's position must not reach SDL's reader (which takes missing
// header bytes for zeros and allocates the claimed size at once), or nullptr when it may. The
// source is left where it was.
const char* RefusedHeader(SDL_RWops* source) {
  Sint64 start = SDL_RWtell(source);
  Uint8 header[26] = {};
  size_t got = SDL_RWread(source, header, 1, sizeof header);
  if (start < 0 || SDL_RWseek(source, start, RW_SEEK_SET) != start) {
    return nullptr;  // cannot look ahead: SDL's own checks alone
  }
  // The file header, the info header's size, then the sizes: 16 bits each in the old 12-byte
  // header, 32 bits each (a negative height for rows stored top-down) in every later one.
  bool old = got >= 18 && LittleEndian(header + 14, 4) == 12;
  if (got < (old ? 22u : 26u)) {
    return Tr("its header is cut short");
  }
  int64_t width =
      old ? LittleEndian(header + 18, 2) : static_cast<Sint32>(LittleEndian(header + 18, 4));
  int64_t height =
      old ? LittleEndian(header + 20, 2) : static_cast<Sint32>(LittleEndian(header + 22, 4));
  if (width > LargestPictureSide || height > LargestPictureSide || height < -LargestPictureSide) {
    return Tr("it claims more than 4096 pixels a side");
  }
  return nullptr;
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
    std::fprintf(stderr, Tr("astorine: picture %s not loaded (cannot open it)\n"), path.c_str());
    return 0;
  }
  return LoadBitmapSurfaceFrom(entry, file, path.c_str());
}

SDL_Surface* ReadBitmap(SDL_RWops* source, const char* name) {
  if (source == nullptr) {
    std::fprintf(stderr, Tr("astorine: picture %s not loaded (cannot open it)\n"), name);
    return nullptr;
  }
  const char* refused = RefusedHeader(source);
  if (refused != nullptr) {
    SDL_RWclose(source);
    std::fprintf(stderr, Tr("astorine: picture %s not loaded (%s)\n"), name, refused);
    return nullptr;
  }
  SDL_Surface* loaded = SDL_LoadBMP_RW(source, 1);
  if (loaded == nullptr) {
    std::fprintf(stderr, Tr("astorine: picture %s not loaded (%s)\n"), name, SDL_GetError());
  }
  return loaded;
}

int LoadBitmapSurfaceFrom(SurfaceId entry, SDL_RWops* source, const char* name) {
  if (!ValidEntry(entry)) {
    if (source != nullptr) {
      SDL_RWclose(source);
    }
    return 0;
  }
  SDL_Surface* loaded = ReadBitmap(source, name);
  if (loaded == nullptr) {
    ReleaseEntry(entry);
    return 0;
  }
  int result = SetTableSurface(entry, loaded);
  SDL_FreeSurface(loaded);
  if (result == 0) {
    std::fprintf(stderr, Tr("astorine: picture %s not converted (%s)\n"), name, SDL_GetError());
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
