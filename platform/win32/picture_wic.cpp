// PNG and JPEG through the system's imaging component (WIC), which Windows
// keeps patched. The size is checked from the frame before any pixels are
// converted.
#include <windows.h>
#include <wincodec.h>

#include <cstring>
#include <utility>

#include "platform/any/picture_readers.h"

namespace platform {
namespace {

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

}  // namespace

bool ReadPng(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out) {
  ComScope com;
  return size <= MAXDWORD && com.Usable() && Decode(bytes, size, limits, out);
}

bool ReadJpeg(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out) {
  return ReadPng(bytes, size, limits, out);  // the decoder is chosen by the signature
}

}  // namespace platform
