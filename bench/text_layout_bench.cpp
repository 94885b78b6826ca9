// A receipt line of a script the printer has no table for, drawn as a
// picture 24 dots high (what a run the fonts lack costs): target < 2 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/text_layout.h"

namespace {

void DrawLine(benchmark::State& st, const std::u32string& line) {
  platform::TextPicture picture;
  for (auto _ : st) {
    if (!platform::DrawTextRun(line, 24, false, &picture)) st.SkipWithError("nothing drawn");
    benchmark::DoNotOptimize(picture.dots.data());
  }
}

void BM_DrawArabicLine(benchmark::State& st) { DrawLine(st, U"قهوة عربية مع حليب ٢ × ١٢٫٥٠ ريال"); }
void BM_DrawDevanagariLine(benchmark::State& st) { DrawLine(st, U"मसाला चाय और समोसा 2 × 45.00 रुपये"); }
void BM_DrawMixedLine(benchmark::State& st) { DrawLine(st, U"Café 日本茶 שלום \U0001F600 नमस्ते 12.50"); }

BENCHMARK(BM_DrawArabicLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawDevanagariLine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawMixedLine)->Unit(benchmark::kMicrosecond);

}  // namespace
