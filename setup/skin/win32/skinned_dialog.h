// The frame of every skinned dialog: captionless, shaped by the region of
// the dialog background, painted with it, 600 by 353 pixels, dragged by
// any free point, with the dialog buttons' common look.
#pragma once

#include <initializer_list>

#include "setup/skin/win32/skin_button.h"
#include "setup/skin/win32/skin_frame.h"
#include "setup/ui/win32/dialog_base.h"

class CSkinnedDialog : public CDialogBase {
 protected:
  explicit CSkinnedDialog(int templateId);

  // Applies the region and the size; derived dialogs call it first.
  BOOL OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

  void SetTransparentLabels(std::initializer_list<int> ids) { frame_.SetTransparentControls(ids); }
  // A dialog button: the dialog picture set, Arial 14, caption at (textX, 6).
  void SetUpButton(CSkinButton& button, int controlId, const char* caption, int textX);

 private:
  CSkinFrame frame_;
};
