// Pictures and symbols to printer bytes: a full-width picture to raster
// bytes, the whole PrintBitmap path for a PNG file (read, decode, scale,
// encode), and one bar code or QR Code command.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/opos.h"
#include "service/pipeline/barcode/bar_code.h"
#include "service/pipeline/image/bitmap_job.h"
#include "service/pipeline/image/image_formats.h"
#include "service/pipeline/image/picture_file.h"
#include "service/pipeline/image/picture_transform.h"
#include "tests/support/pictures/picture_bytes.h"

namespace {

constexpr int32_t kWidth = 576, kHeight = 800;

// A receipt-like two-level picture: bands of text-sized blocks and frames.
RgbImage ReceiptPicture() {
  return tavo_test::Draw(kWidth, kHeight, [](int32_t x, int32_t y) {
    const bool frame = x < 4 || x >= kWidth - 4 || y < 4 || y >= kHeight - 4;
    const bool glyph = (y / 24) % 2 == 0 && (x / 12) % 3 != 2 && (x * 7 + y * 3) % 5 < 3;
    return frame || glyph ? kBlack : kWhite;
  });
}

void RasterImage(benchmark::State& state) {
  const DotImage dots = ReduceToDots(ReceiptPicture(), false);
  for (auto _ : state) benchmark::DoNotOptimize(MakeRasterImage(dots));
}
BENCHMARK(RasterImage)->Unit(benchmark::kMillisecond);

void PrintBitmapPath(benchmark::State& state) {
  const std::string path = (std::filesystem::temp_directory_path() / "tavo_bench_picture.png").string();
  {
    std::ofstream out(path, std::ios::binary);
    out << tavo_test::PngBytes(ReceiptPicture());
  }
  BitmapSettings s;
  s.printerType = 2;
  s.widthDots = kWidth;
  for (auto _ : state) {
    RgbImage picture;
    std::vector<std::string> strings;
    if (!LoadPictureFile(path, &picture) || BuildBitmapJob(picture, s, &strings) != 0) state.SkipWithError("failed");
    benchmark::DoNotOptimize(strings);
  }
  std::remove(path.c_str());
}
BENCHMARK(PrintBitmapPath)->Unit(benchmark::kMillisecond);

void Code128(benchmark::State& state) {
  for (auto _ : state) {
    std::string out;
    BuildLinearBarCode("TAVO-0042-1187", opos::PTR_BCS_Code128, 80, 400, {}, &out);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(Code128);

void QrCode(benchmark::State& state) {
  for (auto _ : state) {
    std::string out;
    BuildTwoDimensionalCode("TAVO-0042-1187", kSymbologyQrCode, {}, &out);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(QrCode);

}  // namespace
