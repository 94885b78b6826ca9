// Pictures through the system's imaging component (WIC). Only the four
// formats the package accepts are handed to it, so a file prints alike in
// every build; the size is checked from the frame before any pixels are
// converted.
#include <windows.h>
#include <wincodec.h>

#include <cstring>
#include <utility>

#include "platform/picture_codec.h"

namespace platform {
namespace {

bool KnownFormat(const uint8_t* b, size_t n) {
  static const struct {
    const char* signature;
    size_t length;
  } kSignatures[] = {{"\x89PNG\r\n\x1A\n", 8}, {"\xFF\xD8\xFF", 3}, {"GIF87a", 6}, {"GIF89a", 6}, {"BM", 2}};
  for (const auto& s : kSignatures) {
    if (n >= s.length && std::memcmp(b, s.signature, s.length) == 0) return true;
  }
  return false;
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
  if (width == 0 || height == 0 || width > static_cast<UINT>(limits.maxSide) ||
      height > static_cast<UINT>(limits.maxSide) || static_cast<int64_t>(width) * height > limits.maxPixels) {
    return false;
  }
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

}  // namespace

bool DecodePictureFile(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out) {
  if (bytes == nullptr || size == 0 || size > MAXDWORD || !KnownFormat(bytes, size)) return false;
  ComScope com;
  return com.Usable() && Decode(bytes, size, limits, out);
}

}  // namespace platform
