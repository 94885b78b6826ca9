// The printer's three image formats, made from dots. Each returns the
// command bytes, or an empty string when the picture does not fit the
// format's size fields.
#pragma once

#include <string>

#include "service/pipeline/image/pixel_image.h"

// Raster image (GS v 0): one bit per dot, every non-blank dot printed;
// rows of width/8 bytes rounded up, leftmost dot in bit 7.
std::string MakeRasterImage(const DotImage& image);

// Largest picture the colour graphics format takes.
constexpr int64_t kMaxColorGraphicsPixels = 524288;

// Colour graphics (GS ( L): a plane of colour-1 dots, a plane of colour-2
// dots, laid out like raster rows, then the print command. The length of
// each store counts every byte after it: ten parameter bytes and the plane.
std::string MakeColorGraphics(const DotImage& image);

// Band image (ESC *, 8 dots high): per band one line of colour-1 columns
// and one of colour-2 columns; letter quality prints each band twice
// before the paper moves.
std::string MakeBandImage(const DotImage& image, bool letterQuality);
