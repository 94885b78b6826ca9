// The window region of a skinned window, made from the skin's own art and
// from bitmaps with more transparent runs than one region request takes.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

#include "setup/skin/win32/bitmap_region.h"

namespace {

// A 32-bit bitmap drawn pixel by pixel (colour as COLORREF).
HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& colour) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  auto* pixels = static_cast<uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      pixels[y * width + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  }
  return bitmap;
}

DWORD RectangleCount(HRGN region) {
  const DWORD bytes = GetRegionData(region, 0, nullptr);
  std::vector<unsigned char> buffer(bytes);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (bytes == 0 || GetRegionData(region, bytes, data) != bytes) return 0;
  return data->rdh.nCount;
}

// The skinned dialogs' background: a region as large as the art, with
// its corners cut away, so not a plain rectangle.
TEST(SkinRegion, SkinArtGivesAShapedRegionOfItsOwnSize) {
  for (const char* name : {"dialog_background.bmp"}) {
    const std::string path = std::string(TAVO_SKIN_ART) + "/" + name;
    HBITMAP art = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(art, nullptr) << path;
    BITMAP info{};
    ASSERT_TRUE(GetObjectA(art, sizeof info, &info));
    HRGN region = CreateRegionFromBitmap(art, kSkinTransparent);
    ASSERT_NE(region, nullptr) << name;
    RECT box{};
    EXPECT_EQ(GetRgnBox(region, &box), COMPLEXREGION) << name << ": a plain rectangle";
    EXPECT_EQ(box.right - box.left, info.bmWidth) << name;
    EXPECT_EQ(box.bottom - box.top, info.bmHeight) << name;
    EXPECT_GT(RectangleCount(region), 2u) << name;
    EXPECT_EQ(info.bmWidth, 600);
    EXPECT_EQ(info.bmHeight, 343);
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << name << ": the top left corner is transparent";
    EXPECT_FALSE(PtInRegion(region, info.bmWidth - 1, info.bmHeight - 1)) << name;
    EXPECT_TRUE(PtInRegion(region, info.bmWidth / 2, info.bmHeight / 2)) << name;
    DeleteObject(region);
    DeleteObject(art);
  }
}

TEST(SkinRegion, BitmapWithoutTransparencyGivesItsRectangleAndNoneGivesNull) {
  HBITMAP grey = MakeBitmap(7, 5, [](int, int) { return RGB(128, 128, 128); });
  ASSERT_NE(grey, nullptr);
  HRGN region = CreateRegionFromBitmap(grey, kSkinTransparent);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 7);
  EXPECT_EQ(box.bottom, 5);
  DeleteObject(region);
  DeleteObject(grey);
  EXPECT_EQ(CreateRegionFromBitmap(nullptr, kSkinTransparent), nullptr);
}

// More transparent runs than one request carries (3000): the region is
// gathered in parts, and every run of every part is cut out, the first
// ones, those about the boundary and the last.
TEST(SkinRegion, RunsBeyondOneRequestAreAllCutOut) {
  constexpr int kWidth = 4, kHeight = 3100;  // one run per row
  auto transparentAt = [](int x, int y) { return x == y % kWidth; };
  HBITMAP bitmap = MakeBitmap(kWidth, kHeight, [&](int x, int y) {
    return transparentAt(x, y) ? RGB(0, 255, 0) : RGB(200, 40, 40);
  });
  ASSERT_NE(bitmap, nullptr);
  HRGN region = CreateRegionFromBitmap(bitmap, kSkinTransparent);
  ASSERT_NE(region, nullptr);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region, &box), COMPLEXREGION);
  EXPECT_EQ(box.right, kWidth);
  EXPECT_EQ(box.bottom, kHeight);
  int wrong = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (PtInRegion(region, x, y) == (transparentAt(x, y) ? TRUE : FALSE)) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0);
  DeleteObject(region);
  DeleteObject(bitmap);
}

}  // namespace
