#include "setup/skin/win32/skinned_dialog.h"

#include "setup/skin/win32/skin_resources.h"

CSkinnedDialog::CSkinnedDialog(int templateId) : CDialogBase(templateId), frame_(skin_res::kDialogBackground) {}

BOOL CSkinnedDialog::OnInitDialog() {
  frame_.ApplyRegion(Handle());
  PlaceSkinnedWindow(Handle(), skin_res::kDialogWidth, skin_res::kDialogHeight, 1);
  return TRUE;
}

bool CSkinnedDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  return frame_.Handle(Handle(), message, wParam, lParam, result);
}

void CSkinnedDialog::SetUpButton(CSkinButton& button, int controlId, const char* caption, int textX) {
  button.SetBitmaps(skin_res::kDialogButtonNormal, skin_res::kDialogButtonPressed, skin_res::kDialogButtonDisabled);
  button.SetCaption(caption);
  button.SetCaptionFont("Arial", 14);
  button.SetTextOrigin(textX, 6);
  button.SetTextColors(skin_res::kDialogText, skin_res::kDisabledText);
  button.Attach(Handle(), controlId);
}
