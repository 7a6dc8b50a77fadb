// The blits: every picture of the game reaches the back buffer through the loop here, so stretched
// and clipped pictures sample exactly the same source pixels as unclipped ones.
#include "gfx/blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "gfx/back_buffer.h"
#include "gfx/display.h"
#include "gfx/draw_silence.h"
#include "gfx/draw_trace_record.h"
#include "gfx/surface_table.h"

namespace {

bool IsEmpty(const BlitBox& box) {
  return box.right <= box.left || box.bottom <= box.top;
}

bool InsidePicture(const BlitBox& box, const SDL_Surface* picture) {
  return box.left >= 0 && box.top >= 0 && box.right <= picture->w && box.bottom <= picture->h;
}

// Source offsets for each destination step, sampled from the whole (unclipped) destination as
// inc = (sw << 16) / dw, s = (inc / 2 + d * inc) >> 16, for the visible steps first..last-1.
void SampleOffsets(int sourceSize, int destinationSize, int first, int last, int* offsets) {
  int64_t increment = (static_cast<int64_t>(sourceSize) << 16) / destinationSize;
  int64_t position = increment / 2 + first * increment;
  for (int d = first; d < last; ++d) {
    *offsets++ = static_cast<int>(position >> 16);
    position += increment;
  }
}

// Four pixels at a time through the compiler's generic vectors (SSE2 on x86-64): a compare and a
// blend per step in place of a branch per pixel, which the compiler does not vectorise itself.
using Pixels4 = int32_t __attribute__((vector_size(16)));
constexpr int Lanes = 4;

// Copies `width` pixels, leaving the target as it was wherever the source shows the key.
void CopyKeyedRow(const Uint32* from, Uint32* to, int width, Uint32 colourBits, Uint32 key) {
  const Pixels4 bits = Pixels4{} + static_cast<int32_t>(colourBits);
  const Pixels4 keys = Pixels4{} + static_cast<int32_t>(key);
  int i = 0;
  for (; i + Lanes <= width; i += Lanes) {
    Pixels4 pixel;
    Pixels4 under;
    std::memcpy(&pixel, from + i, sizeof pixel);
    std::memcpy(&under, to + i, sizeof under);
    Pixels4 transparent = (pixel & bits) == keys;  // all ones where the key shows
    Pixels4 result = (under & transparent) | (pixel & ~transparent);
    std::memcpy(to + i, &result, sizeof result);
  }
  for (; i < width; ++i) {
    if ((from[i] & colourBits) != key) {
      to[i] = from[i];
    }
  }
}

}  // namespace

int32_t BlitPicture(SDL_Surface* target, const BlitBox& destination, SDL_Surface* picture,
                    const BlitBox& source) {
  if (target == nullptr || picture == nullptr) {
    return ErrorFail;
  }
  if (IsEmpty(source) || IsEmpty(destination) || !InsidePicture(source, picture)) {
    return ErrorInvalidRect;
  }
  if (picture->format->BytesPerPixel != 4 || target->format->BytesPerPixel != 4) {
    return ErrorFail;
  }
  int firstX = std::max(destination.left, 0) - destination.left;
  int lastX = std::min(destination.right, target->w) - destination.left;
  int firstY = std::max(destination.top, 0) - destination.top;
  int lastY = std::min(destination.bottom, target->h) - destination.top;
  if (firstX >= lastX || firstY >= lastY) {
    return 0;  // wholly off screen: nothing to draw, nothing wrong
  }
  int width = lastX - firstX;
  bool sameWidth = source.right - source.left == destination.right - destination.left;
  // A stretched row is sampled into `sampled` once per source row, however many target rows
  // repeat it, through one source column per visible destination column.
  static std::vector<int> columns;
  static std::vector<Uint32> sampled;
  if (!sameWidth) {
    if (static_cast<int>(columns.size()) < width) {
      columns.resize(width);
      sampled.resize(width);
    }
    SampleOffsets(source.right - source.left, destination.right - destination.left, firstX, lastX,
                  columns.data());
  }
  int64_t rowIncrement = (static_cast<int64_t>(source.bottom - source.top) << 16) /
                         (destination.bottom - destination.top);
  int64_t rowPosition = rowIncrement / 2 + firstY * rowIncrement;

  Uint32 key = 0;
  bool keyed = SDL_GetColorKey(picture, &key) == 0;
  // The unused top byte of XRGB8888 never takes part in the key compare.
  Uint32 colourBits = picture->format->Rmask | picture->format->Gmask | picture->format->Bmask |
                      picture->format->Amask;
  key &= colourBits;

  const auto* sourceBase = static_cast<const Uint8*>(picture->pixels);
  auto* targetBase = static_cast<Uint8*>(target->pixels);
  int sampledRow = -1;
  for (int y = firstY; y < lastY; ++y, rowPosition += rowIncrement) {
    int sourceRow = source.top + static_cast<int>(rowPosition >> 16);
    const auto* from =
        reinterpret_cast<const Uint32*>(sourceBase + sourceRow * picture->pitch) + source.left;
    if (sameWidth) {
      from += firstX;
    } else {
      if (sourceRow != sampledRow) {
        for (int i = 0; i < width; ++i) {
          sampled[i] = from[columns[i]];
        }
        sampledRow = sourceRow;
      }
      from = sampled.data();
    }
    auto* to = reinterpret_cast<Uint32*>(targetBase + (destination.top + y) * target->pitch) +
               destination.left + firstX;
    if (keyed) {
      CopyKeyedRow(from, to, width, colourBits, key);
    } else {
      std::memcpy(to, from, static_cast<size_t>(width) * sizeof(Uint32));
    }
  }
  return 0;
}

int32_t BlitToBackBuffer(const BlitBox& destination, SurfaceId surface, const BlitBox& source) {
  SDL_Surface* picture = TableSurface(surface);
  if (picture == nullptr) {
    return ErrorFail;
  }
  return BlitPicture(BackBuffer(), destination, picture, source);
}

int32_t BlitScaled(SurfaceId surface, int sx, int sy, int sw, int sh, int dx, int dy, int dw,
                   int dh) {
  if (DrawingSilenced()) {
    return 0;
  }
  if (DrawTraceActive()) {
    DrawCall call;
    call.kind = DrawCall::Blit;
    call.surface = surface;
    call.sx = sx;
    call.sy = sy;
    call.sw = sw;
    call.sh = sh;
    call.dx = dx;
    call.dy = dy;
    call.dw = dw;
    call.dh = dh;
    TraceDrawCall(call);
  }
  // Far beyond any picture or screen; keeps every sum below from overflowing.
  constexpr int Reach = 1 << 24;
  for (int value : {sx, sy, sw, sh, dx, dy, dw, dh}) {
    if (value < -Reach || value > Reach) {
      return ErrorInvalidRect;
    }
  }
  return BlitToBackBuffer({dx, dy, dx + dw, dy + dh}, surface, {sx, sy, sx + sw, sy + sh});
}

int32_t BlitRect(SurfaceId surface, int sx, int sy, int width, int height, int dx, int dy) {
  return BlitScaled(surface, sx, sy, width, height, dx, dy, width, height);
}
