// blackhole.bmp and whitehole.bmp: four 48 x 48 frames each of a turning hole.
#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "pictures.h"

namespace datagen {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Three spiral arms, turned a quarter of their period further each frame so that the four
// frames loop; `turn` +1 or -1 picks the direction.
double Arm(double u, double v, int frame, double turn, double winding) {
  const double r = std::sqrt(u * u + v * v);
  const double angle = std::atan2(v, u);
  const double phase = turn * frame * kPi / 2;
  return 0.5 + 0.5 * std::cos(3.0 * angle - winding * std::log(r + 1.0) + phase);
}

Rgba BlackHoleShader(int frame, double x, double y) {
  const double u = x - 24, v = y - 24;
  const double r = std::sqrt(u * u + v * v);
  if (r < 7.0) {
    return Colour(Rgb(4, 0, 10));
  }
  if (r < 8.6) {
    return Colour(Rgb(255, 215, 160));
  }
  const double arm = std::pow(Arm(u, v, frame, 1.0, 4.0), 2.0);
  const double heat = std::clamp(1.0 - (r - 8.6) / 14.0, 0.0, 1.0);
  const Rgba glow = Mix(Colour(Rgb(110, 45, 190)), Colour(Rgb(255, 150, 60)), heat * heat);
  if (r < 17.5) {
    return Mix(Colour(Rgb(24, 8, 44)), glow, std::clamp(arm * (0.4 + 0.8 * heat), 0.0, 1.0));
  }
  // Beyond the disc only the arms reach out, thinning.
  if (r < 23.5 && arm > 0.35 + (r - 17.5) * 0.1) {
    return Mix(Colour(Rgb(60, 25, 110)), glow, 0.6);
  }
  return {};
}

Rgba WhiteHoleShader(int frame, double x, double y) {
  const double u = x - 24, v = y - 24;
  const double r = std::sqrt(u * u + v * v);
  if (r < 6.5) {
    return Colour(Rgb(255, 255, 255));
  }
  const double arm = std::pow(Arm(u, v, frame, -1.0, -4.0), 1.5);
  const double fade = std::clamp(1.0 - (r - 6.5) / 16.0, 0.0, 1.0);
  const Rgba bright = Mix(Colour(Rgb(90, 170, 255)), Colour(Rgb(235, 250, 255)), fade);
  if (r < 11.0) {
    return Mix(Colour(Rgb(200, 240, 255)), Colour(Rgb(255, 255, 255)), fade);
  }
  if (r < 16.5) {
    return Mix(Colour(Rgb(60, 120, 210)), bright, std::clamp(arm + 0.25 * fade, 0.0, 1.0));
  }
  if (r < 23.5 && arm > 0.3 + (r - 16.5) * 0.09) {
    return bright;
  }
  // Thin rays of light, turning with the arms.
  const double ray = std::cos(4.0 * (std::atan2(v, u) + frame * kPi / 8));
  if (r < 23.5 && ray > 0.985 - 0.004 * (23.5 - r)) {
    return Colour(Rgb(235, 250, 255));
  }
  return {};
}

Picture HoleSheet(const char* fileName, Rgba (*shader)(int, double, double)) {
  Canvas canvas(192, 48);
  for (int frame = 0; frame < 4; ++frame) {
    canvas.Shade(frame * 48, 0, 48, 48, 4,
                 [&](double x, double y) { return shader(frame, x - frame * 48, y); });
  }
  Image image(192, 48);
  Stamp(canvas, image, 0, 0);
  return {fileName, image};
}

}  // namespace

Picture MakeBlackHole() {
  return HoleSheet("blackhole.bmp", BlackHoleShader);
}
Picture MakeWhiteHole() {
  return HoleSheet("whitehole.bmp", WhiteHoleShader);
}

}  // namespace datagen
