// Resource ids and colours of the skin, as the program's resource script
// numbers them.
#pragma once

#include <windows.h>

#include "resources/devsetup/resource.h"

namespace skin_res {

inline constexpr int kMainButtonNormal = IDB_MAIN_BUTTON;
inline constexpr int kMainButtonPressed = IDB_MAIN_BUTTON_PRESSED;
inline constexpr int kMainButtonDisabled = IDB_MAIN_BUTTON_DISABLED;
inline constexpr int kMainBackground = IDB_MAIN_BACKGROUND;
inline constexpr int kDialogBackground = IDB_DIALOG_BACKGROUND;
inline constexpr int kDialogButtonNormal = IDB_DIALOG_BUTTON;
inline constexpr int kDialogButtonPressed = IDB_DIALOG_BUTTON_PRESSED;
inline constexpr int kDialogButtonDisabled = IDB_DIALOG_BUTTON_DISABLED;

inline constexpr int kDialogWidth = 600;
inline constexpr int kDialogHeight = 353;

inline constexpr COLORREF kDialogText = RGB(0, 88, 38);
inline constexpr COLORREF kDisabledText = RGB(129, 129, 129);

}  // namespace skin_res
