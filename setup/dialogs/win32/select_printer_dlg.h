// CSelectPrinterDlg: the first step of adding a cash drawer, a skinned
// dialog listing the package's printers; choosing one ends it.
#pragma once

#include <string>

#include "setup/dialogs/select_printer.h"
#include "setup/skin/win32/skinned_dialog.h"

class CSelectPrinterDlg : public CSkinnedDialog {
 public:
  explicit CSelectPrinterDlg(const CRegistryAccess& reg);
  // Valid after the dialog ended with IDOK.
  const std::string& SelectedPrinter() const { return selected_; }

 protected:
  BOOL OnInitDialog() override;
  void OnCommand(int id, int notifyCode) override;

 private:
  devsetup::CSelectPrinterRules rules_;
  CSkinButton cancel_;
  std::string selected_;
};
