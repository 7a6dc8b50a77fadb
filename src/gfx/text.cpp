// DrawLabel over SDL2_ttf: the Japanese Gothic face, one open font per cell height, text rendered
// blended and wrapped at the screen's right edge, laid transparently over the back buffer; the
// renderings of recent labels are kept. Without that face, each character is drawn in the first
// face fontconfig offers that has it.
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "gfx/back_buffer.h"
#include "gfx/display.h"
#include "gfx/draw_silence.h"
#include "gfx/draw_trace_record.h"
#include "gfx/font_lookup.h"
#include "gfx/label_runs.h"
#include "gfx/text.h"
#include "gfx/text_fonts.h"
#include "services/texts.h"

namespace {

// Opening a font costs far more than rendering a label with it, so each height stays open, one
// font per face. The map is never destroyed: the quits that skip the teardown keep the fonts
// until the process ends.
std::map<int, std::vector<TTF_Font*>>& fontsByHeight = *new std::map<int, std::vector<TTF_Font*>>;
bool engineStarted = false;
bool fontSearched = false;
bool japaneseFace = false;
std::vector<std::string>& faceFiles = *new std::vector<std::string>;
bool fontReported = false;

void ReportFont(const char* what) {
  if (!fontReported) {
    std::fprintf(stderr,
                 Tr("astorine: no Japanese font (%s). Install the package fonts-ipafont-gothic.\n"),
                 what);
    fontReported = true;
  }
}

void SearchFonts() {
  fontSearched = true;
  std::string japanese = FindJapaneseGothicFont();
  japaneseFace = !japanese.empty();
  if (japaneseFace) {
    faceFiles.push_back(japanese);
    return;
  }
  faceFiles = FindFallbackFonts();
  ReportFont(faceFiles.empty() ? Tr("and no other font either; text is not drawn")
                               : Tr("none found through fontconfig; text is drawn in other faces"));
}

bool StartEngine() {
  if (!fontSearched) {
    SearchFonts();
  }
  if (faceFiles.empty()) {
    return false;
  }
  if (!engineStarted) {
    if (TTF_Init() != 0) {
      ReportFont(TTF_GetError());
      return false;
    }
    engineStarted = true;
  }
  return true;
}

// The point size whose cell height (ascent plus descent) is `height` pixels. For IPAGothic the
// two are equal; other faces are searched from the proportional estimate.
TTF_Font* OpenFontOfHeight(const std::string& file, int height) {
  TTF_Font* font = TTF_OpenFont(file.c_str(), height);
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

// One font per face that opened at this height; empty when none did.
const std::vector<TTF_Font*>& FontsOfHeight(int height) {
  auto found = fontsByHeight.find(height);
  if (found != fontsByHeight.end()) {
    return found->second;
  }
  std::vector<TTF_Font*>& fonts = fontsByHeight[height];
  for (const std::string& file : faceFiles) {
    if (TTF_Font* font = OpenFontOfHeight(file, height)) {
      fonts.push_back(font);
    }
  }
  if (fonts.empty()) {
    ReportFont(TTF_GetError());
  }
  return fonts;
}

void Place(SDL_Surface* rendered, SDL_Surface* target, int x, int y) {
  SDL_Rect place = {x, y, rendered->w, rendered->h};
  SDL_BlitSurface(rendered, nullptr, target, &place);
  SDL_FreeSurface(rendered);
}

// One line, run by run, every face on the first face's baseline; the target clips it.
void DrawInFaces(const std::vector<TTF_Font*>& fonts, SDL_Surface* target, const char* text, int x,
                 int y, SDL_Color colour) {
  auto has = [&fonts](int face, char32_t character) {
    return TTF_GlyphIsProvided32(fonts[face], static_cast<Uint32>(character)) != 0;
  };
  const int baseline = y + TTF_FontAscent(fonts[0]);
  for (const LabelRun& run : SplitIntoFaceRuns(text, static_cast<int>(fonts.size()), has)) {
    if (x >= ScreenWidth) {
      return;
    }
    TTF_Font* font = fonts[run.face];
    if (SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, run.text.c_str(), colour)) {
      const int width = rendered->w;
      Place(rendered, target, x, baseline - TTF_FontAscent(font));
      x += width;
    }
  }
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
  if (DrawingSilenced()) {
    return 0;
  }
  if (DrawTraceActive()) {
    TraceLabel(text, x, y, height, red, green, blue);
  }
  DrawLabelOn(BackBuffer(), text, x, y, height, red, green, blue);
  return 0;
}

void DrawLabelOn(SDL_Surface* target, const char* text, int x, int y, int height, int red,
                 int green, int blue) {
  // Text starting at or past the right edge is clipped away whole.
  if (target == nullptr || text == nullptr || text[0] == '\0' || height < 1 || x >= ScreenWidth ||
      y >= ScreenHeight || !StartEngine()) {
    return;
  }
  const std::vector<TTF_Font*>& fonts = FontsOfHeight(height);
  if (fonts.empty()) {
    return;
  }
  SDL_Color colour = {static_cast<Uint8>(red), static_cast<Uint8>(green), static_cast<Uint8>(blue),
                      255};
  if (!japaneseFace) {
    DrawInFaces(fonts, target, text, x, y, colour);
    return;
  }
  SDL_Surface* rendered = RenderedLabel(fonts[0], text, height, colour, ScreenWidth - x);
  if (rendered == nullptr) {
    return;
  }
  SDL_Rect place = {x, y, rendered->w, rendered->h};
  SDL_BlitSurface(rendered, nullptr, target, &place);
}

void ReleaseText() {
  ForgetRenderedLabels();
  for (auto& [height, fonts] : fontsByHeight) {
    for (TTF_Font* font : fonts) {
      TTF_CloseFont(font);
    }
  }
  fontsByHeight.clear();
  if (engineStarted) {
    TTF_Quit();
    engineStarted = false;
  }
}
