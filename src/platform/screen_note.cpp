// The note's copy of the picture: a dark band across the top with the note's text on it.
#include "platform/screen_note.h"

#include "gfx/display.h"
#include "gfx/text_fonts.h"

namespace {

constexpr int NoteHeight = 20;
constexpr int BandHeight = NoteHeight + 12;
constexpr SDL_Rect Band{0, 0, ScreenWidth, BandHeight};

std::string note;
SDL_Surface* composed = nullptr;
// The band's half-dark overlay, made once with the copy.
SDL_Surface* shade = nullptr;

bool MakeSurfaces(const SDL_Surface* backBuffer) {
  composed = SDL_CreateRGBSurfaceWithFormat(0, backBuffer->w, backBuffer->h, 32,
                                            backBuffer->format->format);
  shade = SDL_CreateRGBSurfaceWithFormat(0, Band.w, Band.h, 32, SDL_PIXELFORMAT_ARGB8888);
  if (composed == nullptr || shade == nullptr) {
    ReleaseScreenNote();
    return false;
  }
  // Half the band's light is taken away, so the picture still shows through it.
  SDL_FillRect(shade, nullptr, SDL_MapRGBA(shade->format, 0, 0, 0, 160));
  SDL_SetSurfaceBlendMode(shade, SDL_BLENDMODE_BLEND);
  return true;
}

}  // namespace

void SetScreenNote(const std::string& text) {
  note = text;
}

const std::string& ScreenNote() {
  return note;
}

SDL_Surface* PictureWithNote(SDL_Surface* backBuffer) {
  if (note.empty()) {
    return backBuffer;
  }
  if (composed == nullptr && !MakeSurfaces(backBuffer)) {
    return nullptr;
  }
  SDL_BlitSurface(backBuffer, nullptr, composed, nullptr);
  SDL_Rect place = Band;
  SDL_BlitSurface(shade, nullptr, composed, &place);
  DrawLabelOn(composed, note.c_str(), 12, (BandHeight - NoteHeight) / 2, NoteHeight, 255, 255, 255);
  return composed;
}

void ReleaseScreenNote() {
  for (SDL_Surface** surface : {&composed, &shade}) {
    if (*surface != nullptr) {
      SDL_FreeSurface(*surface);
      *surface = nullptr;
    }
  }
}
