// The generated Data/ folder read back with plain readers: what the game relies on when it loads
// and draws the pictures and plays the sounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kKey = 0xFF00FF;

std::vector<uint8_t> ReadFile(const std::string& name) {
  std::ifstream file(std::string(ASTORINE_DATA_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

uint32_t Little(const std::vector<uint8_t>& bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) {
    value = (value << 8) | bytes.at(at + i);
  }
  return value;
}

// A 24-bit uncompressed bottom-up BMP, as the game's loader reads it.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xRRGGBB, row 0 at the top
  uint32_t At(int x, int y) const { return pixels.at(size_t(y) * width + x); }
};

Bitmap ReadBitmap(const std::string& name) {
  const std::vector<uint8_t> bytes = ReadFile(name);
  Bitmap bitmap;
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
    ADD_FAILURE() << name << " is not a BMP file";
    return bitmap;
  }
  EXPECT_EQ(Little(bytes, 14, 4), 40u) << name;
  EXPECT_EQ(Little(bytes, 28, 2), 24u) << name << " bits per pixel";
  EXPECT_EQ(Little(bytes, 30, 4), 0u) << name << " compression";
  bitmap.width = int(Little(bytes, 18, 4));
  bitmap.height = int(Little(bytes, 22, 4));
  const size_t offset = Little(bytes, 10, 4);
  const size_t rowBytes = (size_t(bitmap.width) * 3 + 3) & ~size_t(3);
  if (bytes.size() < offset + rowBytes * bitmap.height) {
    ADD_FAILURE() << name << " is shorter than its pixels";
    return Bitmap{};
  }
  for (int y = 0; y < bitmap.height; ++y) {
    const size_t row = offset + size_t(bitmap.height - 1 - y) * rowBytes;
    for (int x = 0; x < bitmap.width; ++x) {
      bitmap.pixels.push_back(Little(bytes, row + size_t(x) * 3, 3));
    }
  }
  return bitmap;
}

struct Rect {
  int x, y, w, h;
};

int KeyPixelsIn(const Bitmap& bitmap, Rect r) {
  int count = 0;
  for (int y = r.y; y < r.y + r.h; ++y) {
    for (int x = r.x; x < r.x + r.w; ++x) {
      count += bitmap.At(x, y) == kKey;
    }
  }
  return count;
}

TEST(DataFilesTest, EveryPictureCoversItsSizeAndIsKeyedInItsCorner) {
  const struct {
    const char* name;
    int width, height;
    bool keyed;
  } pictures[] = {{"planet.bmp", 224, 96, true},
                  {"back.bmp", 288, 480, true},
                  {"line.bmp", 1, 1, true},
                  {"universe.bmp", 640, 480, false},
                  {"waku_tate.bmp", 88, 120, true},
                  {"waku_yoko.bmp", 104, 120, true},
                  {"spaceshuttle.bmp", 196, 128, true},
                  {"title.bmp", 640, 240, true},
                  {"menu.bmp", 300, 300, true},
                  {"baku.bmp", 480, 192, true},
                  {"blackhole.bmp", 192, 48, true},
                  {"sun.bmp", 64, 64, true},
                  {"fixed.bmp", 64, 16, true},
                  {"whitehole.bmp", 192, 48, true},
                  {"icon.bmp", 32, 32, false}};
  for (const auto& picture : pictures) {
    const Bitmap bitmap = ReadBitmap(picture.name);
    EXPECT_GE(bitmap.width, picture.width) << picture.name;
    EXPECT_GE(bitmap.height, picture.height) << picture.name;
    if (bitmap.pixels.empty()) {
      continue;
    }
    if (picture.keyed) {
      EXPECT_EQ(bitmap.At(0, 0), kKey) << picture.name;
    } else {
      EXPECT_EQ(KeyPixelsIn(bitmap, {0, 0, bitmap.width, bitmap.height}), 0) << picture.name;
    }
  }
}

TEST(DataFilesTest, WindowsOverWellsPreviewAndGaugesAreTransparent) {
  const Bitmap back = ReadBitmap("back.bmp");
  const Bitmap upright = ReadBitmap("waku_tate.bmp");
  const Bitmap sideways = ReadBitmap("waku_yoko.bmp");
  ASSERT_FALSE(back.pixels.empty() || upright.pixels.empty() || sideways.pixels.empty());
  const Rect preview{32, 384, 32, 64}, gauges{128, 62, 128, 130};
  EXPECT_EQ(KeyPixelsIn(back, preview), 32 * 64);
  EXPECT_EQ(KeyPixelsIn(back, gauges), 128 * 130);
  EXPECT_EQ(KeyPixelsIn(upright, {32, 16, 48, 88}), 48 * 88);
  EXPECT_EQ(KeyPixelsIn(sideways, {8, 40, 88, 48}), 88 * 48);
  EXPECT_EQ(KeyPixelsIn(sideways, {88, 96, 8, 16}), 8 * 16);
  // The panel frames its windows, the emblem and the score: those parts are drawn.
  EXPECT_EQ(KeyPixelsIn(back, {128, 236, 133, 148}), 0) << "shuttle emblem display";
  EXPECT_EQ(KeyPixelsIn(back, {160, 416, 124, 34}), 0) << "score box";
  // A versus frame stretched at x 256 leaves the preview box at screen x 303..337 uncovered.
  EXPECT_EQ(KeyPixelsIn(upright, {11, 88, 10, 20}), 10 * 20);
}

TEST(DataFilesTest, ColourPixelsUsedForFillsAreNotTheKey) {
  const Bitmap back = ReadBitmap("back.bmp");
  const Bitmap shuttle = ReadBitmap("spaceshuttle.bmp");
  ASSERT_FALSE(back.pixels.empty() || shuttle.pixels.empty());
  EXPECT_NE(back.At(287, 350), kKey) << "gauge square";
  EXPECT_NE(shuttle.At(100, 50), kKey) << "gauge bar";
  EXPECT_NE(back.At(287, 350), shuttle.At(100, 50)) << "the bars must show on their square";
}

// Key pixels within `radius` of the middle of the 32 x 32 cell at (x, y).
int KeyPixelsInDisc(const Bitmap& bitmap, int x, int y, int radius) {
  int count = 0;
  for (int dy = -radius; dy < radius; ++dy) {
    for (int dx = -radius; dx < radius; ++dx) {
      if ((2 * dx + 1) * (2 * dx + 1) + (2 * dy + 1) * (2 * dy + 1) <= 4 * radius * radius) {
        count += bitmap.At(x + 16 + dx, y + 16 + dy) == kKey;
      }
    }
  }
  return count;
}

TEST(DataFilesTest, PlanetAndStarBodiesHoldNoKeyColour) {
  const Bitmap planets = ReadBitmap("planet.bmp");
  const Bitmap stars = ReadBitmap("fixed.bmp");
  ASSERT_FALSE(planets.pixels.empty() || stars.pixels.empty());
  // A body: the disc of radius 8 in the middle of a cell (a ringed planet's rings and a moon
  // lie outside it). Seven pieces in two rows, four black-hole frames.
  for (int row = 0; row < 2; ++row) {
    for (int cell = 0; cell < 7; ++cell) {
      EXPECT_EQ(KeyPixelsInDisc(planets, cell * 32, row * 32, 8), 0)
          << "cell " << cell << " row " << row;
    }
  }
  for (int frame = 0; frame < 4; ++frame) {
    EXPECT_EQ(KeyPixelsInDisc(planets, frame * 32, 64, 8), 0) << "black hole " << frame;
  }
  // Stars are drawn down to 5 pixels wide: their middle 6 x 6 must be solid.
  for (int star = 0; star < 4; ++star) {
    EXPECT_EQ(KeyPixelsIn(stars, {star * 16 + 5, 5, 6, 6}), 0) << "star " << star;
  }
}

TEST(DataFilesTest, MirroredPlanetsAreTheNormalOnesFlippedAndLookDifferent) {
  const Bitmap planets = ReadBitmap("planet.bmp");
  ASSERT_FALSE(planets.pixels.empty());
  for (int cell = 0; cell < 7; ++cell) {
    int changed = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const uint32_t normal = planets.At(cell * 32 + x, y);
        ASSERT_EQ(planets.At(cell * 32 + 31 - x, 32 + y), normal) << "cell " << cell;
        changed += planets.At(cell * 32 + x, 32 + y) != normal;
      }
    }
    if (cell < 6) {  // planets show an off-centre highlight or marking
      EXPECT_GT(changed, 100) << "planet " << cell << " looks the same mirrored";
    }
  }
}

// Told apart by markings alone: seen in grey, each planet's brightness and contrast evened out
// (so the same planet in another colour would match), every two planets still differ clearly.
TEST(DataFilesTest, PlanetsDifferInGreyAsWellAsInColour) {
  const Bitmap planets = ReadBitmap("planet.bmp");
  ASSERT_FALSE(planets.pixels.empty());
  constexpr double kOutside = -1000;
  std::vector<std::vector<double>> grey(6);
  for (int planet = 0; planet < 6; ++planet) {
    double sum = 0, squares = 0;
    int shown = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const uint32_t c = planets.At(planet * 32 + x, y);
        const double level = 0.3 * (c >> 16) + 0.59 * ((c >> 8) & 255) + 0.11 * (c & 255);
        grey[planet].push_back(c == kKey ? kOutside : level);
        if (c != kKey) {
          sum += level;
          squares += level * level;
          ++shown;
        }
      }
    }
    const double mean = sum / shown;
    const double spread = std::sqrt(squares / shown - mean * mean);
    for (double& level : grey[planet]) {
      level = level == kOutside ? kOutside : (level - mean) / spread;
    }
  }
  for (int a = 0; a < 6; ++a) {
    for (int b = a + 1; b < 6; ++b) {
      double difference = 0;
      for (int i = 0; i < 32 * 32; ++i) {
        const bool shownA = grey[a][i] != kOutside, shownB = grey[b][i] != kOutside;
        difference += shownA != shownB ? 2.0 : (shownA ? std::abs(grey[a][i] - grey[b][i]) : 0);
      }
      EXPECT_GT(difference / (32 * 32), 0.18) << "planets " << a << " and " << b;
    }
  }
}

TEST(DataFilesTest, UniverseWrapsWithoutASeam) {
  const Bitmap universe = ReadBitmap("universe.bmp");
  ASSERT_EQ(universe.width, 640);
  ASSERT_EQ(universe.height, 480);
  auto difference = [&](int x1, int y1, int x2, int y2) {
    const uint32_t a = universe.At(x1, y1), b = universe.At(x2, y2);
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      sum += std::abs(int((a >> shift) & 255) - int((b >> shift) & 255));
    }
    return sum;
  };
  // Across the wrap the picture changes no more than between neighbours inside it.
  long seamX = 0, insideX = 0, seamY = 0, insideY = 0;
  for (int y = 0; y < 480; ++y) {
    seamX += difference(639, y, 0, y);
    insideX += difference(319, y, 320, y);
  }
  for (int x = 0; x < 640; ++x) {
    seamY += difference(x, 479, x, 0);
    insideY += difference(x, 239, x, 240);
  }
  EXPECT_LT(seamX, 2 * insideX + 480 * 6);
  EXPECT_LT(seamY, 2 * insideY + 640 * 6);
}

// A RIFF WAVE file, read the way the game's loader reads it.
struct Wave {
  std::vector<std::string> chunks;  // in file order
  uint32_t fmtSize = 0, formatTag = 0, channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;  // of the first channel
  double Seconds() const { return rate == 0 ? 0 : double(samples.size()) / rate; }
};

Wave ReadWave(const std::string& name) {
  const std::vector<uint8_t> bytes = ReadFile(name);
  Wave wave;
  if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF" ||
      std::string(bytes.begin() + 8, bytes.begin() + 12) != "WAVE") {
    ADD_FAILURE() << name << " is not a RIFF WAVE file";
    return wave;
  }
  for (size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id(bytes.begin() + at, bytes.begin() + at + 4);
    const uint32_t size = Little(bytes, at + 4, 4);
    wave.chunks.push_back(id);
    if (id == "fmt ") {
      wave.fmtSize = size;
      wave.formatTag = Little(bytes, at + 8, 2);
      wave.channels = Little(bytes, at + 10, 2);
      wave.rate = Little(bytes, at + 12, 4);
      wave.bits = Little(bytes, at + 22, 2);
    } else if (id == "data" && wave.bits == 16 && wave.channels > 0) {
      for (size_t i = at + 8; i + 2 * wave.channels <= at + 8 + size; i += 2 * wave.channels) {
        wave.samples.push_back(int16_t(Little(bytes, i, 2)));
      }
    }
    at += 8 + size + (size & 1);
  }
  return wave;
}

TEST(DataFilesTest, SoundsArePcmOfTheRightLengthAndStartAndEndSilent) {
  const struct {
    const char* name;
    double shortest, longest;  // seconds
  } sounds[] = {{"titlebgm.wav", 20, 40}, {"playbgm.wav", 30, 60},   {"select.wav", 0.02, 0.2},
                {"mode.wav", 0.02, 0.2},  {"enter.wav", 0.05, 0.5},  {"bom.wav", 0.1, 0.6},
                {"gage.wav", 0.02, 0.15}, {"sun.wav", 0.7, 1.3},     {"chain2.wav", 0.1, 1.0},
                {"chain3.wav", 0.1, 1.0}, {"shuttle.wav", 3.5, 5.1}, {"pinch.wav", 10, 60}};
  for (const auto& sound : sounds) {
    const Wave wave = ReadWave(sound.name);
    ASSERT_GE(wave.chunks.size(), 2u) << sound.name;
    EXPECT_EQ(wave.chunks[0], "fmt ") << sound.name;
    EXPECT_EQ(wave.chunks[1], "data") << sound.name;
    EXPECT_EQ(wave.fmtSize, 16u) << sound.name;
    EXPECT_EQ(wave.formatTag, 1u) << sound.name;
    EXPECT_EQ(wave.bits, 16u) << sound.name;
    EXPECT_TRUE(wave.rate == 22050 || wave.rate == 44100) << sound.name << " " << wave.rate;
    EXPECT_GE(wave.Seconds(), sound.shortest) << sound.name;
    EXPECT_LE(wave.Seconds(), sound.longest) << sound.name;
    ASSERT_FALSE(wave.samples.empty()) << sound.name;
    EXPECT_LE(std::abs(wave.samples.front()), 64) << sound.name;
    EXPECT_LE(std::abs(wave.samples.back()), 64) << sound.name;
    int loudest = 0;
    for (int16_t sample : wave.samples) {
      loudest = std::max(loudest, std::abs(int(sample)));
    }
    EXPECT_GT(loudest, 8000) << sound.name << " is nearly silent";
  }
}

// Played round and round, a tune jumps no more at its join than it does within itself: no step
// between neighbouring samples near the join exceeds 99% of the steps of the whole tune.
TEST(DataFilesTest, TunesLoopWithoutAClick) {
  for (const char* name : {"titlebgm.wav", "playbgm.wav", "pinch.wav"}) {
    const Wave wave = ReadWave(name);
    ASSERT_GT(wave.samples.size(), 1000u) << name;
    std::vector<int> steps;
    for (size_t i = 1; i < wave.samples.size(); ++i) {
      steps.push_back(std::abs(wave.samples[i] - wave.samples[i - 1]));
    }
    std::sort(steps.begin(), steps.end());
    const int usual = steps[steps.size() * 99 / 100];
    std::vector<int16_t> join(wave.samples.end() - 64, wave.samples.end());
    join.insert(join.end(), wave.samples.begin(), wave.samples.begin() + 64);
    for (size_t i = 1; i < join.size(); ++i) {
      EXPECT_LE(std::abs(join[i] - join[i - 1]), usual) << name << " at " << i;
    }
  }
}

// The chain steps sound brighter and brighter: measured as the typical frequency of the sound
// (from the energy of its sample-to-sample changes against its own).
TEST(DataFilesTest, LaterChainStepsSoundBrighter) {
  auto brightness = [](const char* name) {
    const Wave wave = ReadWave(name);
    double energy = 0, change = 0;
    for (size_t i = 1; i < wave.samples.size(); ++i) {
      const double step = double(wave.samples[i]) - wave.samples[i - 1];
      energy += double(wave.samples[i]) * wave.samples[i];
      change += step * step;
    }
    return energy > 0 ? std::sqrt(change / energy) : 0.0;
  };
  const double burst = brightness("bom.wav"), second = brightness("chain2.wav"),
               third = brightness("chain3.wav");
  EXPECT_LT(burst * 1.2, second);
  EXPECT_LT(second * 1.2, third);
}

}  // namespace
