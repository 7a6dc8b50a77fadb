// ClearToColour: one colour over the whole back buffer, with the pixel value built for its format.
#include <SDL.h>

#include "gfx/back_buffer.h"
#include "gfx/display.h"
#include "gfx/draw_silence.h"
#include "gfx/draw_trace_record.h"

namespace {

// A 16-bit channel: the normalised value times the field's scale, truncated. The scale is 16 for
// 5-bit fields and 32 for the 6-bit green, not 31 and 63, so full intensity sets only the top bit
// of a field; kept as the game has always cleared (it only ever clears to black, 0 in any case).
int ScaleChannel(int value, float scale) {
  float unit = static_cast<float>(value) * 0.003921569f;
  if (unit <= 0.0f) {
    unit = 0.0f;
  } else if (unit >= 1.0f) {
    unit = 1.0f;
  }
  return static_cast<int>(unit * scale);
}

bool HasMasks(const SDL_PixelFormat* format, Uint32 red, Uint32 green, Uint32 blue) {
  return format->Rmask == red && format->Gmask == green && format->Bmask == blue;
}

}  // namespace

int32_t ClearSurfaceToColour(SDL_Surface* surface, int red, int green, int blue) {
  if (surface == nullptr) {
    return ErrorFail;
  }
  const SDL_PixelFormat* format = surface->format;
  Uint32 pixel = 0;
  if (format->BytesPerPixel == 4) {
    pixel = static_cast<Uint32>((red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF));
  } else if (format->BytesPerPixel == 2 && HasMasks(format, 0x7C00, 0x03E0, 0x001F)) {
    pixel = static_cast<Uint32>(ScaleChannel(red, 16.0f) << 10 | ScaleChannel(green, 16.0f) << 5 |
                                ScaleChannel(blue, 16.0f));
  } else if (format->BytesPerPixel == 2 && HasMasks(format, 0xF800, 0x07E0, 0x001F)) {
    pixel = static_cast<Uint32>(ScaleChannel(red, 16.0f) << 11 | ScaleChannel(green, 32.0f) << 5 |
                                ScaleChannel(blue, 16.0f));
  } else {
    return ErrorFail;
  }
  return SDL_FillRect(surface, nullptr, pixel) == 0 ? 0 : ErrorFail;
}

int32_t ClearToColour(int red, int green, int blue) {
  if (DrawingSilenced()) {
    return 0;
  }
  if (DrawTraceActive()) {
    DrawCall call;
    call.kind = DrawCall::Clear;
    call.red = red;
    call.green = green;
    call.blue = blue;
    TraceDrawCall(call);
  }
  return ClearSurfaceToColour(BackBuffer(), red, green, blue);
}
