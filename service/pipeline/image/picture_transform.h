// Turning, scaling and reducing a picture to printable dots.
#pragma once

#include <cstdint>

#include "service/pipeline/image/pixel_image.h"

// Turns the picture by a rotation mode: PTR_RP_LEFT90 a quarter turn
// anticlockwise, PTR_RP_RIGHT90 clockwise, PTR_RP_ROTATE180 a half turn.
// Exact index transforms: no pixel is lost or repeated. Any other mode
// returns the picture as it is.
RgbImage RotateBitmap(const RgbImage& picture, int32_t rotationMode);

// Nearest-pixel stretch to width x height (both above 0), so a picture of
// pure black and white stays so.
RgbImage StretchImage(const RgbImage& picture, int32_t width, int32_t height);

// Dots of a picture. Pure white is blank, pure black colour 1. Other
// colours are colour 2 when the format prints a second colour (colour
// true). Pictures of pure black and white map pixel for pixel. Tones the
// format cannot print as such (greys always, and every colour without a
// second colour) are error-diffused by luminance into black and blank, so
// a photograph prints as a picture and not as a black block.
DotImage ReduceToDots(const RgbImage& picture, bool colour);
