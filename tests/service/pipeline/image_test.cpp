// Pictures to printer bytes: the three formats, turning and scaling, the
// reduction to dots, and image files good and bad.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "common/opos.h"
#include "pipeline_test_util.h"
#include "service/pipeline/image/bitmap_job.h"
#include "service/pipeline/image/image_formats.h"
#include "service/pipeline/image/picture_file.h"
#include "service/pipeline/image/picture_transform.h"
#include "tests/support/pictures/picture_bytes.h"
#include "tests/support/pictures/picture_forms.h"

namespace {

using namespace opos;
using tavo_test::Draw;

DotImage Dots(int32_t w, int32_t h, const std::function<uint8_t(int32_t, int32_t)>& dot) {
  DotImage d(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) d.dots[static_cast<size_t>(y) * w + x] = dot(x, y);
  return d;
}

TEST(ImageFormats, RasterRowsAndHeader) {
  const std::string raster = MakeRasterImage(DotImage(100, 50));
  EXPECT_EQ(HexOf(raster.substr(0, 8)), "1D 76 30 00 0D 00 32 00");
  EXPECT_EQ(raster.size(), 8u + 650u);
  // Width 9: two bytes a row, the second using its top bit only; colour 2
  // prints too.
  EXPECT_EQ(HexOf(MakeRasterImage(Dots(9, 2, [](int32_t x, int32_t y) { return y == 0 ? (x == 8) : (x == 0 ? 2 : 0); }))),
            "1D 76 30 00 02 00 02 00 00 80 80 00");
  EXPECT_EQ(MakeRasterImage(DotImage(0, 5)), "");
}

TEST(ImageFormats, ColourGraphicsPlanesCountTheirParameters) {
  const DotImage d = Dots(10, 1, [](int32_t x, int32_t) { return x == 0 ? 1 : x == 9 ? 2 : 0; });
  EXPECT_EQ(HexOf(MakeColorGraphics(d)),
            "1D 28 4C 0C 00 30 70 30 01 01 31 10 00 01 00 80 00 "
            "1D 28 4C 0C 00 30 70 30 01 01 32 10 00 01 00 00 40 "
            "1D 28 4C 02 00 30 32");
  EXPECT_EQ(MakeColorGraphics(DotImage(1024, 600)), "");
  EXPECT_EQ(MakeColorGraphics(DotImage(1024, 512)), "");  // 65536 plane bytes overflow the length
  EXPECT_NE(MakeColorGraphics(DotImage(1024, 511)), "");
}

TEST(ImageFormats, BandsOfEightRowsPerColour) {
  // Height 9: two bands; the second has only its top row.
  const DotImage d = Dots(2, 9, [](int32_t x, int32_t y) { return x == 0 ? 1 : (y == 8 ? 2 : 0); });
  EXPECT_EQ(HexOf(MakeBandImage(d, false)),
            "1B 72 00 1B 2A 00 02 00 FF 00 0D 1B 72 01 1B 2A 00 02 00 00 00 0A "
            "1B 72 00 1B 2A 00 02 00 80 00 0D 1B 72 01 1B 2A 00 02 00 00 80 0A");
  // Letter quality sends each band twice before the feed.
  const std::string lq = MakeBandImage(DotImage(2, 8), true);
  EXPECT_EQ(HexOf(lq), "1B 72 00 1B 2A 00 02 00 00 00 0D 1B 72 01 1B 2A 00 02 00 00 00 0D "
                       "1B 72 00 1B 2A 00 02 00 00 00 0D 1B 72 01 1B 2A 00 02 00 00 00 0A");
}

TEST(PictureTransform, TurnsAreExactIndexTransforms) {
  // 3 x 2, pixel value = index.
  const RgbImage p = Draw(3, 2, [](int32_t x, int32_t y) { return static_cast<uint32_t>(y * 3 + x); });
  EXPECT_EQ(RotateBitmap(p, PTR_RP_ROTATE180).pixels, (std::vector<uint32_t>{5, 4, 3, 2, 1, 0}));
  const RgbImage left = RotateBitmap(p, PTR_RP_LEFT90);
  EXPECT_EQ(left.width, 2);
  EXPECT_EQ(left.pixels, (std::vector<uint32_t>{2, 5, 1, 4, 0, 3}));
  EXPECT_EQ(RotateBitmap(p, PTR_RP_RIGHT90).pixels, (std::vector<uint32_t>{3, 0, 4, 1, 5, 2}));
  EXPECT_EQ(RotateBitmap(RotateBitmap(p, PTR_RP_RIGHT90), PTR_RP_LEFT90).pixels, p.pixels);
  EXPECT_EQ(RotateBitmap(p, PTR_RP_NORMAL).pixels, p.pixels);
}

TEST(PictureTransform, TwoLevelPicturesKeepEveryPixelAndTonesAreDiffused) {
  const RgbImage checks = Draw(16, 16, [](int32_t x, int32_t y) { return (x + y) % 2 ? kBlack : kWhite; });
  const DotImage doubled = ReduceToDots(StretchImage(checks, 32, 32), false);
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 32; ++x) ASSERT_EQ(doubled.At(x, y), (x / 2 + y / 2) % 2 ? DOT_COLOUR1 : DOT_BLANK);
  // A two-colour logo keeps its second colour where the format has one.
  EXPECT_EQ(ReduceToDots(Draw(1, 1, [](int32_t, int32_t) { return 0xFF0000u; }), true).dots[0], DOT_COLOUR2);
  // Mid grey prints about half its dots; a light grey fewer; never all.
  auto share = [](uint32_t grey, bool colour) {
    const DotImage d = ReduceToDots(Draw(64, 64, [grey](int32_t, int32_t) { return grey; }), colour);
    size_t black = 0;
    for (uint8_t v : d.dots) black += v == DOT_COLOUR1;
    return static_cast<double>(black) / static_cast<double>(d.dots.size());
  };
  EXPECT_NEAR(share(0x808080, false), 0.5, 0.05);
  EXPECT_NEAR(share(0x808080, true), 0.5, 0.05);
  EXPECT_NEAR(share(0xC0C0C0, false), 0.25, 0.05);
}

TEST(BitmapJob, FormatScaleAndStrings) {
  const RgbImage p = Draw(400, 100, [](int32_t x, int32_t) { return x < 200 ? kBlack : kWhite; });
  std::vector<std::string> strings;
  BitmapSettings s;
  s.printerType = 1;  // band image, at most 200 dots wide
  s.alignment = PTR_BM_CENTER;
  s.lineSpacingDots = 30;
  ASSERT_EQ(BuildBitmapJob(p, s, &strings), OPOS_SUCCESS);
  ASSERT_EQ(strings.size(), 4u);
  EXPECT_EQ(HexOf(strings[3]), "1B 33 3C");  // the text's spacing back
  EXPECT_EQ(HexOf(strings[0]), "1B 61 01");
  EXPECT_EQ(HexOf(strings[1]), "1B 33 10");
  EXPECT_EQ(HexOf(strings[2].substr(0, 8)), "1B 72 00 1B 2A 00 C8 00");  // 200 columns
  EXPECT_EQ(strings[2].size(), 7u * 2 * (8 + 200 + 1));                // 50 rows: 7 bands

  strings.clear();
  s.printerType = 3;
  s.rotation = PTR_RP_ROTATE180;
  s.alignment = PTR_BM_RIGHT;
  ASSERT_EQ(BuildBitmapJob(p, s, &strings), OPOS_SUCCESS);
  EXPECT_EQ(HexOf(strings[0]), "1B 61 02");
  EXPECT_EQ(HexOf(strings[2].substr(0, 11)), "1B 7B 00 1D 76 30 00 1F 00 3E 00");  // 248 x 62
  EXPECT_EQ(HexOf(strings[2].substr(strings[2].size() - 3)), "1B 7B 01");

  strings.clear();
  s = BitmapSettings{};
  s.printerType = 2;
  s.letterQuality = 1;
  s.widthDots = 100;
  ASSERT_EQ(BuildBitmapJob(p, s, &strings), OPOS_SUCCESS);
  ASSERT_EQ(strings.size(), 2u);  // no line spacing for class 2
  EXPECT_EQ(HexOf(strings[1].substr(0, 8)), "1D 76 30 00 07 00 0C 00");  // halved: 50 x 12

  // Too flat to keep a row, and absurd widths, are refused.
  s = BitmapSettings{};
  s.printerType = 2;
  s.widthDots = 100;
  EXPECT_EQ(BuildBitmapJob(Draw(1000, 1, [](int32_t, int32_t) { return kBlack; }), s, &strings), OPOS_E_ILLEGAL);
  s.widthDots = 1 << 30;
  EXPECT_EQ(BuildBitmapJob(p, s, &strings), OPOS_E_ILLEGAL);
}

// The file with four bytes at `at` replaced by v, low byte first.
std::string Ints(std::string bytes, size_t at, uint32_t v) {
  const char le[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                      static_cast<char>(v >> 24)};
  return bytes.replace(at, 4, le, 4);
}

bool Decodes(const std::string& file, RgbImage* out = nullptr) {
  RgbImage ignored;
  return DecodePicture(reinterpret_cast<const uint8_t*>(file.data()), file.size(), out ? out : &ignored);
}

TEST(PictureFile, EveryFormatDecodesAndBadFilesAreRefused) {
  const RgbImage p = Draw(20, 10, [](int32_t x, int32_t y) { return x > y ? kBlack : 0xFF0000u; });
  RgbImage got;
  ASSERT_TRUE(Decodes(tavo_test::PngBytes(p), &got));
  EXPECT_EQ(got.pixels, p.pixels);
  ASSERT_TRUE(Decodes(tavo_test::BmpBytes(p), &got));
  EXPECT_EQ(got.pixels, p.pixels);
  ASSERT_TRUE(Decodes(tavo_test::JpegBytes(p), &got));
  EXPECT_EQ(got.width, 20);

  for (const std::string& file : {tavo_test::PngBytes(p), tavo_test::BmpBytes(p), tavo_test::JpegBytes(p)}) {
    EXPECT_FALSE(Decodes(file.substr(0, file.size() * 2 / 3))) << HexOf(file.substr(0, 4));
  }
  const std::string bmp = tavo_test::BmpBytes(p);
  EXPECT_FALSE(Decodes(Ints(bmp, 22, 11)));  // claims a row it does not hold
  // A header that asks for 20000 x 20000 pixels is refused before decoding.
  std::string png = tavo_test::PngBytes(p);
  EXPECT_FALSE(Decodes(Ints(Ints(png, 16, 0x204E0000), 20, 0x204E0000)));
  EXPECT_FALSE(Decodes("not a picture"));
  EXPECT_FALSE(Decodes(""));
  EXPECT_FALSE(LoadPictureFile("/nonexistent/picture.png", &got));
}

// Four colours every form stores exactly, in blocks whose rows differ, so a
// row order or interlace pass mixed up shows.
RgbImage FourColours(int32_t w, int32_t h) {
  return Draw(w, h, [](int32_t x, int32_t y) {
    static const uint32_t kColours[] = {kBlack, 0xFF0000u, 0x0000FFu, kWhite};
    return kColours[(x / 3 + y) % 4];
  });
}

// Run in every build: natively the libraries and our BMP reader, under
// Wine the system's imaging component, held to the same pixels.
TEST(PictureFile, GifAndBmpFormsDecodeToTheirPixels) {
  const RgbImage p = FourColours(13, 11);
  RgbImage got;
  ASSERT_TRUE(Decodes(tavo_test::GifBytes(p), &got));
  EXPECT_EQ(got.pixels, p.pixels);
  ASSERT_TRUE(Decodes(tavo_test::GifBytes(p, true), &got)) << "interlaced";
  EXPECT_EQ(got.pixels, p.pixels);
  // The transparent colour prints as paper.
  ASSERT_TRUE(Decodes(tavo_test::GifBytes(p, false, 0xFF0000), &got));
  EXPECT_EQ(got.At(3, 0), kWhite);
  EXPECT_EQ(got.At(0, 0), kBlack);

  const RgbImage two = Draw(19, 5, [](int32_t x, int32_t y) { return (x + y) % 3 ? kWhite : kBlack; });
  ASSERT_TRUE(Decodes(tavo_test::BmpBytesAs(two, {1, false, false}), &got));
  EXPECT_EQ(got.pixels, two.pixels);
  for (const tavo_test::BmpForm form : {tavo_test::BmpForm{4, false, false}, tavo_test::BmpForm{8, true, false},
                                        tavo_test::BmpForm{16, false, false}, tavo_test::BmpForm{24, true, false},
                                        tavo_test::BmpForm{32, false, false}, tavo_test::BmpForm{24, false, true}}) {
    got = RgbImage();
    ASSERT_TRUE(Decodes(tavo_test::BmpBytesAs(p, form), &got)) << form.bits << " bits";
    EXPECT_EQ(got.pixels, p.pixels) << form.bits << " bits, top down " << form.topDown << ", core " << form.core;
  }
}

TEST(PictureFile, HostileFilesAreRefusedOrDecodeWithinTheLimits) {
  const std::string mustRefuse[] = {"huffman_counts_past_256.jpg", "truncated.png", "truncated.jpg", "truncated.bmp",
                                    "header_only.png", "signature_only.jpg", "huge.png", "huge_area.png",
                                    "zero_width.png", "huge.bmp", "huge_screen.gif", "header_size.bmp",
                                    "image_outside_screen.gif", "lzw_code_size.gif", "no_colour_table.gif",
                                    "huge.jpg"};
  for (const auto& [name, bytes] : tavo_test::HostilePictureFiles()) {
    RgbImage got(1, 1, 0x123456);
    const bool decoded = Decodes(bytes, &got);
    if (std::find(std::begin(mustRefuse), std::end(mustRefuse), name) != std::end(mustRefuse)) {
      EXPECT_FALSE(decoded) << name;
    }
    if (!decoded) {
      EXPECT_EQ(got.pixels, std::vector<uint32_t>{0x123456}) << name << ": a refused file changed the picture";
    } else {
      EXPECT_TRUE(got.width > 0 && got.height > 0 && got.width <= kMaxPictureSide && got.height <= kMaxPictureSide &&
                  got.pixels.size() == static_cast<size_t>(got.width) * got.height)
          << name;
    }
  }
}

}  // namespace
