// DrawLabel over SDL2_ttf: the Japanese Gothic face, one open font per cell height, text rendered
// blended and wrapped at the screen's right edge, laid transparently over the back buffer; the
// renderings of recent labels are kept.
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <map>
#include <string>
#include <tuple>

#include "gfx/display.h"
#include "gfx/display_device.h"
#include "gfx/draw_trace_record.h"
#include "gfx/font_lookup.h"
#include "gfx/text.h"
#include "gfx/text_fonts.h"

namespace {

// Opening a font costs far more than rendering a label with it, so each height stays open. The
// map is never destroyed: the quits that skip the teardown keep the fonts until the process ends.
std::map<int, TTF_Font*>& fontsByHeight = *new std::map<int, TTF_Font*>;
bool engineStarted = false;
bool fontSearched = false;
std::string fontFile;
bool fontReported = false;

void ReportNoFont(const char* why) {
  if (!fontReported) {
    std::fprintf(stderr,
                 "astorine: no Japanese font (%s); text is not drawn. Install the package "
                 "fonts-ipafont-gothic.\n",
                 why);
    fontReported = true;
  }
}

bool StartEngine() {
  if (!fontSearched) {
    fontSearched = true;
    fontFile = FindJapaneseGothicFont();
  }
  if (fontFile.empty()) {
    ReportNoFont("none found through fontconfig");
    return false;
  }
  if (!engineStarted) {
    if (TTF_Init() != 0) {
      ReportNoFont(TTF_GetError());
      return false;
    }
    engineStarted = true;
  }
  return true;
}

// The point size whose cell height (ascent plus descent) is `height` pixels. For IPAGothic the
// two are equal; other faces are searched from the proportional estimate.
TTF_Font* OpenFontOfHeight(int height) {
  TTF_Font* font = TTF_OpenFont(fontFile.c_str(), height);
  if (font == nullptr) {
    return nullptr;
  }
  int points = height;
  for (int attempt = 0; attempt < 8 && TTF_FontHeight(font) != height; ++attempt) {
    int cell = TTF_FontHeight(font);
    int next = cell > 0 ? points * height / cell : points;
    if (next == points) {
      next += cell < height ? 1 : -1;
    }
    if (next < 1 || TTF_SetFontSize(font, next) != 0) {
      break;
    }
    points = next;
  }
  return font;
}

TTF_Font* FontOfHeight(int height) {
  auto found = fontsByHeight.find(height);
  if (found != fontsByHeight.end()) {
    return found->second;
  }
  TTF_Font* font = OpenFontOfHeight(height);
  if (font == nullptr) {
    ReportNoFont(TTF_GetError());
    return nullptr;
  }
  fontsByHeight[height] = font;
  return font;
}

// Most labels are drawn again unchanged every frame (the frame rate changes once in 20 frames, the
// title's hint never), and rendering the glyphs costs far more than laying them over the picture.
// A label is the same picture for the same text, height, colour and wrapping width.
using LabelKey = std::tuple<std::string, int, Uint32, int>;
constexpr size_t KeptLabels = 32;
std::map<LabelKey, SDL_Surface*>& renderedLabels = *new std::map<LabelKey, SDL_Surface*>;

void ForgetRenderedLabels() {
  for (auto& [key, surface] : renderedLabels) {
    SDL_FreeSurface(surface);
  }
  renderedLabels.clear();
}

SDL_Surface* RenderedLabel(TTF_Font* font, const char* text, int height, SDL_Color colour,
                           int wrapWidth) {
  const Uint32 rgb = static_cast<Uint32>(colour.r << 16 | colour.g << 8 | colour.b);
  LabelKey key{text, height, rgb, wrapWidth};
  auto found = renderedLabels.find(key);
  if (found != renderedLabels.end()) {
    return found->second;
  }
  SDL_Surface* rendered =
      TTF_RenderUTF8_Blended_Wrapped(font, text, colour, static_cast<Uint32>(wrapWidth));
  if (rendered == nullptr) {
    return nullptr;
  }
  // Labels that change often (a score, the frame rate) would grow the store without end.
  if (renderedLabels.size() >= KeptLabels) {
    ForgetRenderedLabels();
  }
  renderedLabels.emplace(std::move(key), rendered);
  return rendered;
}

void TraceLabel(const char* text, int x, int y, int height, int red, int green, int blue) {
  DrawCall call;
  call.kind = DrawCall::Label;
  call.text = text != nullptr ? text : "";
  call.dx = x;
  call.dy = y;
  call.dh = height;
  call.red = red;
  call.green = green;
  call.blue = blue;
  TraceDrawCall(call);
}

}  // namespace

int DrawLabel(const char* text, int x, int y, int height, int red, int green, int blue) {
  if (DrawTraceActive()) {
    TraceLabel(text, x, y, height, red, green, blue);
  }
  SDL_Surface* backBuffer = BackBuffer();
  // Text starting at or past the right edge is clipped away whole.
  if (backBuffer == nullptr || text == nullptr || text[0] == '\0' || height < 1 ||
      x >= ScreenWidth || y >= ScreenHeight || !StartEngine()) {
    return 0;
  }
  TTF_Font* font = FontOfHeight(height);
  if (font == nullptr) {
    return 0;
  }
  SDL_Color colour = {static_cast<Uint8>(red), static_cast<Uint8>(green), static_cast<Uint8>(blue),
                      255};
  SDL_Surface* rendered = RenderedLabel(font, text, height, colour, ScreenWidth - x);
  if (rendered == nullptr) {
    return 0;
  }
  SDL_Rect place = {x, y, rendered->w, rendered->h};
  SDL_BlitSurface(rendered, nullptr, backBuffer, &place);
  return 0;
}

void ReleaseText() {
  ForgetRenderedLabels();
  for (auto& [height, font] : fontsByHeight) {
    TTF_CloseFont(font);
  }
  fontsByHeight.clear();
  if (engineStarted) {
    TTF_Quit();
    engineStarted = false;
  }
}
