// The check-health dialogs as windows: the templates from ptrservice.dll,
// shown modally by CheckHealth(3) while a second thread reads the controls
// and presses the buttons with window messages. With TAVO_SCREENSHOT_DIR
// set, each dialog is saved there as a bitmap.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "resources/ptrservice/health_dialog_ids.h"
#include "server_dll.h"
#include "service/server/drawer_health_dialog.h"
#include "service/server/printer_health_dialog.h"
#include "tests/service/drawer/drawer_fixture.h"

namespace {

bool WaitUntil(const std::function<bool()>& pred, int timeoutMs = 10000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!pred()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Sleep(20);
  }
  return true;
}

HWND WaitForDialog(const std::string& caption) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowA("#32770", caption.c_str())) != nullptr; });
  return found;
}

std::string Text(HWND dialog, int id) {
  char buffer[1024] = {};
  GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
  return buffer;
}

void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Saves the dialog as a 24-bit bitmap when TAVO_SCREENSHOT_DIR names a folder.
void Screenshot(HWND dialog, const char* name) {
  const char* folder = std::getenv("TAVO_SCREENSHOT_DIR");
  if (folder == nullptr || *folder == '\0') return;
  RECT r;
  GetWindowRect(dialog, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  const DWORD rowBytes = ((w * 3 + 3) / 4) * 4;
  BITMAPFILEHEADER file = {0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  file.bfSize = file.bfOffBits + rowBytes * h;
  const std::string path = std::string(folder) + "\\" + name + ".bmp";
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    std::fwrite(bits, rowBytes * h, 1, out);
    std::fclose(out);
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

class HealthDialogs : public drawer_test::DrawerTest {
 protected:
  void SetUp() override {
    ASSERT_NE(Server().module, nullptr);
    DrawerTest::SetUp();
  }
  // Runs the driver beside the modal dialog that call() shows.
  template <class Call>
  void WithDriver(const std::function<void()>& driver, Call call) {
    std::thread t(driver);
    call();
    t.join();
  }
  HINSTANCE Templates() const { return Server().module; }
};

TEST_F(HealthDialogs, DrawerDialogShowsTheDrawerAndKicksIt) {
  CCashDrawer d;
  OpenEnable(d);
  d.SetHealthDialog([this](CCashDrawer& drawer) { server::CCashDrawerHealthDlg::Show(drawer, Templates()); });
  int32_t rc = -99;
  WithDriver(
      [&] {
        HWND dialog = WaitForDialog("Cash Drawer Check Health: CashDrawer");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(Text(dialog, IDC_IDENTITY_VALUES),
                  "Tavo OPOS CashDrawer Service Object\n\n1.9.1\nDrawer on Printer1\nCashDrawer");
        EXPECT_EQ(Text(dialog, IDC_POWER_STATE), "Power State: Unknown");
        EXPECT_EQ(Text(dialog, IDC_TEST_RESULT), "-- Open Drawer Result --");
        d.OnDrawerStatus(0x00);  // opened by hand: ticked by the next refresh
        EXPECT_TRUE(WaitUntil([&] { return IsDlgButtonChecked(dialog, IDC_DRAWER_OPEN) == BST_CHECKED; }));
        Press(dialog, IDC_OPEN_DRAWER);
        EXPECT_TRUE(WaitUntil([&] { return Text(dialog, IDC_TEST_RESULT) == "Success (0/0)"; }));
        Screenshot(dialog, "drawer-health-dialog");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      },
      [&] { rc = d.CheckHealth(3); });
  EXPECT_EQ(rc, 0);
  EXPECT_NE(fake().Written().find(printer_test::Bytes({0x1B, 0x70, 0x00, 0x64, 0x64})), std::string::npos);

  // Closed without a press: the internal check answers.
  WithDriver(
      [&] {
        HWND dialog = WaitForDialog("Cash Drawer Check Health: CashDrawer");
        ASSERT_NE(dialog, nullptr);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      },
      [&] { rc = d.CheckHealth(3); });
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(d.GetPropertyString(1000001), "CheckHealth: Successful");
}

TEST_F(HealthDialogs, PrinterDialogPrintsTheTestReceipt) {
  SeedSerialPrinter("Printer1", "PX-AA", profilePath, "Ethernet", 1);
  SeedString("Printer1", "TcpIp", "127.0.0.1");
  CPOSPrinter p;
  OpenClaimEnable(p);
  p.SetHealthDialog([this](CPOSPrinter& printer) { server::CPrinterHealthDlg::Show(printer, Templates()); });
  int32_t rc = -99;
  WithDriver(
      [&] {
        HWND dialog = WaitForDialog("Printer Check Health : - Interactive -PX-AA");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(Text(dialog, IDC_IDENTITY_VALUES), "Tavo OPOS POSPrinter Service Object\n1.9.3\nPX-AA receipt printer\nPX-AA");
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_COVER_OPEN), BST_UNCHECKED);
        Press(dialog, IDC_PRINT_TEST);
        EXPECT_TRUE(WaitUntil([&] { return Text(dialog, IDC_TEST_RESULT) == "Success (0/0)"; }));
        Screenshot(dialog, "printer-health-dialog");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      },
      [&] { rc = p.CheckHealth(3); });
  EXPECT_EQ(rc, 0);
  EXPECT_NE(fake().Written().find("Version 1.9.3"), std::string::npos);
}

}  // namespace
