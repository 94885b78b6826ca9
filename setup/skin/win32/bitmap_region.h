// CreateRegionFromBitmap: the window region of a skinned window, covering
// exactly the bitmap's pixels that are not in the transparent colour's
// band. The caller owns the region (until it gives it to a window).
#pragma once

#include <windows.h>

// Null when the bitmap is missing or a drawing context or section can't be
// made. A bitmap without transparent pixels gives its full rectangle.
HRGN CreateRegionFromBitmap(HBITMAP bitmap, COLORREF transparent);

// Pure green, the transparent colour of every skin bitmap.
inline constexpr COLORREF kSkinTransparent = RGB(0, 255, 0);
