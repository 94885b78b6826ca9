// PNG and JPEG through the system's imaging component (WIC), which Windows
// keeps patched. Some implementations (Wine's) decode the whole picture as
// the decoder is created, so the size is read from the file's own header
// first, and checked again from the frame.
#include <windows.h>
#include <wincodec.h>

#include <cstring>
#include <utility>

#include "platform/any/picture_readers.h"
#include "platform/any/png_budget.h"

namespace platform {
namespace {

uint32_t Be16(const uint8_t* p) { return p[0] << 8 | p[1]; }
uint32_t Be32(const uint8_t* p) { return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

// PNG: the header chunk comes first, right after the signature.
bool PngSize(const uint8_t* b, size_t n, uint32_t* width, uint32_t* height) {
  if (n < 24 || std::memcmp(b + 12, "IHDR", 4) != 0) return false;
  *width = Be32(b + 16);
  *height = Be32(b + 20);
  return true;
}

// JPEG: the first start-of-frame marker, walking the segments before it.
bool JpegSize(const uint8_t* b, size_t n, uint32_t* width, uint32_t* height) {
  size_t at = 2;
  for (;;) {
    if (at >= n || b[at] != 0xFF) return false;
    while (at < n && b[at] == 0xFF) ++at;
    if (at >= n) return false;
    const uint8_t marker = b[at++];
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
    if (at + 2 > n) return false;
    const uint32_t length = Be16(b + at);
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (length < 7 || at + 7 > n) return false;
      *height = Be16(b + at + 3);
      *width = Be16(b + at + 5);
      return true;
    }
    if (length < 2) return false;
    at += length;
  }
}

// Releases a COM pointer at scope end.
template <typename T>
struct Ref {
  T* p = nullptr;
  ~Ref() {
    if (p != nullptr) p->Release();
  }
  T** operator&() { return &p; }
  T* operator->() const { return p; }
};

// COM for the thread while the call runs, unless the thread has it already
// (then in whichever model it chose).
struct ComScope {
  HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  ~ComScope() {
    if (SUCCEEDED(hr)) CoUninitialize();
  }
  bool Usable() const { return SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE; }
};

bool Decode(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out) {
  Ref<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&factory)))) {
    return false;
  }
  Ref<IWICStream> stream;
  if (FAILED(factory->CreateStream(&stream)) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes), static_cast<DWORD>(size)))) {
    return false;
  }
  Ref<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder))) {
    return false;
  }
  Ref<IWICBitmapFrameDecode> frame;
  UINT width = 0, height = 0;
  if (FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height))) return false;
  if (!WithinLimits(width, height, limits)) return false;
  Ref<IWICBitmapSource> converted;
  if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.p, &converted))) return false;
  RgbaPicture picture;
  picture.width = static_cast<int32_t>(width);
  picture.height = static_cast<int32_t>(height);
  picture.rgba.resize(static_cast<size_t>(width) * height * 4);
  const UINT stride = width * 4;
  if (FAILED(converted->CopyPixels(nullptr, stride, static_cast<UINT>(picture.rgba.size()), picture.rgba.data()))) {
    return false;
  }
  for (size_t i = 0; i < picture.rgba.size(); i += 4) std::swap(picture.rgba[i], picture.rgba[i + 2]);
  *out = std::move(picture);
  return true;
}

bool DecodeChecked(bool (*headerSize)(const uint8_t*, size_t, uint32_t*, uint32_t*), const uint8_t* bytes,
                   size_t size, const PictureLimits& limits, RgbaPicture* out) {
  uint32_t width = 0, height = 0;
  if (size > MAXDWORD || !headerSize(bytes, size, &width, &height) || !WithinLimits(width, height, limits)) {
    return false;
  }
  ComScope com;
  return com.Usable() && Decode(bytes, size, limits, out);
}

}  // namespace

bool ReadPng(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out) {
  return PngInflatesWithinBudgets(bytes, size, limits) && DecodeChecked(PngSize, bytes, size, limits, out);
}

bool ReadJpeg(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out) {
  return DecodeChecked(JpegSize, bytes, size, limits, out);
}

}  // namespace platform
