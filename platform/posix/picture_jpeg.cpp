// JPEG through libjpeg-turbo. Its errors leave by longjmp, so the frames
// between setjmp and the library hold nothing with a destructor; the output
// buffer lives in the caller. A file that ends early or whose entropy data
// is damaged is refused rather than printed with grey filled in.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "platform/any/picture_readers.h"

namespace platform {
namespace {

// Progressive files may hold any number of scans, each a pass over the
// whole picture; real ones hold about ten.
constexpr int kMaxScans = 100;

struct Failure {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void Fail(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<Failure*>(cinfo->err)->jump, 1); }

// Warnings that mean missing or broken data fail the decoding; the others
// (extra bytes between markers and the like) do not.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  const int code = cinfo->err->msg_code;
  if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE ||
      code == JWRN_MUST_RESYNC || code == JWRN_NOT_SEQUENTIAL || code == JWRN_BOGUS_PROGRESSION) {
    Fail(cinfo);
  }
}

void OnProgress(j_common_ptr cinfo) {
  if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
    Fail(cinfo);
  }
}

// CMYK from Adobe's programs is stored inverted: each channel is already
// the share of light left, so the key scales the other three.
void CmykToRgba(const uint8_t* in, uint8_t* out, int32_t width) {
  for (int32_t x = 0; x < width; ++x, in += 4, out += 4) {
    for (int i = 0; i < 3; ++i) out[i] = static_cast<uint8_t>((in[i] * in[3] + 127) / 255);
    out[3] = 255;
  }
}

// Decodes into picture (sized by the caller once the header is read).
// Returns false on any failure; nothing here needs unwinding.
bool Decode(jpeg_decompress_struct* cinfo, const uint8_t* bytes, size_t size, const PictureLimits& limits,
            RgbaPicture* picture, std::vector<uint8_t>* cmykRow) {
  Failure* failure = reinterpret_cast<Failure*>(cinfo->err);
  if (setjmp(failure->jump)) return false;
  jpeg_mem_src(cinfo, bytes, static_cast<unsigned long>(size));
  if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return false;
  if (!WithinLimits(cinfo->image_width, cinfo->image_height, limits)) return false;
  const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
  cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
  jpeg_start_decompress(cinfo);
  picture->width = static_cast<int32_t>(cinfo->output_width);
  picture->height = static_cast<int32_t>(cinfo->output_height);
  if (!WithinLimits(picture->width, picture->height, limits)) return false;
  const size_t stride = static_cast<size_t>(picture->width) * 4;
  picture->rgba.resize(stride * static_cast<size_t>(picture->height));
  if (cmyk) cmykRow->resize(stride);
  while (cinfo->output_scanline < cinfo->output_height) {
    uint8_t* row = picture->rgba.data() + stride * cinfo->output_scanline;
    JSAMPROW target = cmyk ? cmykRow->data() : row;
    if (jpeg_read_scanlines(cinfo, &target, 1) != 1) return false;
    if (cmyk) CmykToRgba(cmykRow->data(), row, picture->width);
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

}  // namespace

bool ReadJpeg(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out) {
  jpeg_decompress_struct cinfo{};
  Failure failure{};
  cinfo.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = Fail;
  failure.manager.emit_message = OnMessage;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = OnProgress;
  jpeg_create_decompress(&cinfo);
  cinfo.progress = &progress;
  RgbaPicture picture;
  std::vector<uint8_t> cmykRow;
  const bool ok = Decode(&cinfo, bytes, size, limits, &picture, &cmykRow);
  jpeg_destroy_decompress(&cinfo);
  if (ok) *out = std::move(picture);
  return ok;
}

}  // namespace platform
