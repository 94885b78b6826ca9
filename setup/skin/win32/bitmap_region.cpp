#include "setup/skin/win32/bitmap_region.h"

#include <cstring>
#include <vector>

#include "setup/skin/transparent_runs.h"

namespace {

constexpr size_t kRectsPerRequest = 3000;
constexpr size_t kGrowth = 100;

// Unites the collected rectangles into *region and empties the buffer.
void Flush(std::vector<RECT>* rects, RECT bounds, HRGN* region) {
  if (rects->empty()) return;
  const size_t bytes = sizeof(RGNDATAHEADER) + rects->size() * sizeof(RECT);
  std::vector<unsigned char> buffer(bytes);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  data->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects->size()), 0, bounds};
  std::memcpy(data->Buffer, rects->data(), rects->size() * sizeof(RECT));
  HRGN part = ExtCreateRegion(nullptr, static_cast<DWORD>(bytes), data);
  rects->clear();
  if (!part) return;
  if (*region) {
    CombineRgn(*region, *region, part, RGN_OR);
    DeleteObject(part);
  } else {
    *region = part;
  }
}

// The bitmap's pixels as 0x00RRGGBB, top row first; false on failure.
bool ReadPixels(HBITMAP bitmap, int width, int height, std::vector<uint32_t>* pixels) {
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC target = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP section = source && target ? CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
  ReleaseDC(nullptr, screen);
  bool ok = false;
  if (section && bits) {
    HGDIOBJ oldSource = SelectObject(source, bitmap);
    HGDIOBJ oldTarget = SelectObject(target, section);
    BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    pixels->assign(first, first + static_cast<size_t>(width) * static_cast<size_t>(height));
    SelectObject(source, oldSource);
    SelectObject(target, oldTarget);
    ok = true;
  }
  if (section) DeleteObject(section);
  if (source) DeleteDC(source);
  if (target) DeleteDC(target);
  return ok;
}

}  // namespace

HRGN CreateRegionFromBitmap(HBITMAP bitmap, COLORREF transparent) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
  const int width = info.bmWidth, height = info.bmHeight;
  std::vector<uint32_t> pixels;
  if (!ReadPixels(bitmap, width, height, &pixels)) return nullptr;

  const RECT bounds{0, 0, width, height};
  std::vector<RECT> rects;
  rects.reserve(kGrowth);
  HRGN region = nullptr;
  for (const skin::Run& run : skin::TransparentRuns(pixels.data(), width, height, GetRValue(transparent),
                                                    GetGValue(transparent), GetBValue(transparent))) {
    if (rects.size() == rects.capacity()) rects.reserve(rects.capacity() + kGrowth);
    rects.push_back({run.left, run.y, run.right, run.y + 1});
    if (rects.size() == kRectsPerRequest) Flush(&rects, bounds, &region);
  }
  Flush(&rects, bounds, &region);

  HRGN full = CreateRectRgn(0, 0, width, height);
  if (!region) return full;
  CombineRgn(region, region, full, RGN_XOR);
  DeleteObject(full);
  return region;
}
