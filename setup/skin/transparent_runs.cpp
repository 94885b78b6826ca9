#include "setup/skin/transparent_runs.h"

namespace skin {
namespace {

constexpr int kTolerance = 17;

bool Inside(uint8_t value, Band band) { return value >= band.low && value <= band.high; }

}  // namespace

Band BandOf(uint8_t channel) {
  const int low = channel <= kTolerance - 1 ? 0 : channel - kTolerance;
  const int high = channel >= 255 - kTolerance + 1 ? 255 : channel + kTolerance;
  return {static_cast<uint8_t>(low), static_cast<uint8_t>(high)};
}

std::vector<Run> TransparentRuns(const uint32_t* pixels, int width, int height, uint8_t red, uint8_t green,
                                 uint8_t blue) {
  const Band r = BandOf(red), g = BandOf(green), b = BandOf(blue);
  auto transparent = [&](uint32_t p) { return Inside(Red(p), r) && Inside(Green(p), g) && Inside(Blue(p), b); };
  std::vector<Run> runs;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(width);
    for (int x = 0; x < width;) {
      if (!transparent(row[x])) {
        ++x;
        continue;
      }
      const int left = x;
      while (x < width && transparent(row[x])) ++x;
      runs.push_back({left, x, y});
    }
  }
  return runs;
}

}  // namespace skin
