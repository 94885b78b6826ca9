// devsetup's Control Object wrappers in this process: the object that a
// dialog's host control holds, or one created directly where the dialog
// holds none. The Control Object stand-in serves the three class ids,
// registered for this process only.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <vector>

#include "common/opos.h"
#include "platform/com/win32/dispatch_call.h"
#include "resources/devsetup/resource.h"
#include "setup/hosting/win32/control_host.h"
#include "platform/com/win32/opos_control_ids.h"
#include "setup/hosting/win32/opos_controls.h"

namespace {

constexpr char kPrinterClassText[] = "{CCB90152-B81E-11D2-AB74-0040054C3719}";
constexpr char kUnknownClassText[] = "{7A5E0C11-0B9D-4B61-9B52-3C1D0E2F4A01}";
const CLSID kClasses[] = {opos_control::kCashDrawerClass, opos_control::kPOSPrinterClass,
                          opos_control::kLineDisplayClass};

class ControlHosting : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ASSERT_TRUE(control_host::Enable()) << "the system has no control host";
    RegisterStandIns();
    dialog_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 100, 100, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(dialog_);
    HWND probe = Child("STATIC", "", 1);
    if (!probe) GTEST_SKIP() << "no child windows without a display (run under xvfb-run)";
    DestroyWindow(probe);
  }
  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    RevokeStandIns();
    OleUninitialize();
  }

  void RegisterStandIns() {
    HMODULE module = LoadLibraryA("costandin.dll");
    ASSERT_TRUE(module) << "costandin.dll beside the test";
    using GetClassObjectFn = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);
    const auto getClassObject =
        reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    ASSERT_TRUE(getClassObject);
    for (const CLSID& clsid : kClasses) {
      IUnknown* factory = nullptr;
      ASSERT_TRUE(SUCCEEDED(getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory))));
      DWORD cookie = 0;
      const HRESULT hr = CoRegisterClassObject(clsid, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
      factory->Release();
      ASSERT_TRUE(SUCCEEDED(hr));
      cookies_.push_back(cookie);
    }
  }
  void RevokeStandIns() {
    for (DWORD cookie : cookies_) CoRevokeClassObject(cookie);
    cookies_.clear();
  }
  HWND Child(const char* windowClass, const char* text, int id) {
    return CreateWindowExA(0, windowClass, text, WS_CHILD, 0, 0, 10, 10, dialog_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }
  static std::string Text105(IDispatch* object) {
    VARIANT result;
    if (FAILED(dispatch::Invoke(object, opos_control::kTextProperty105, DISPATCH_PROPERTYGET, {}, &result))) {
      return "<failed>";
    }
    std::string text = result.vt == VT_BSTR ? dispatch::Narrow(result.bstrVal) : "<not text>";
    VariantClear(&result);
    return text;
  }

  HWND dialog_ = nullptr;
  std::vector<DWORD> cookies_;
};

TEST_F(ControlHosting, WrapperCallsTheControlItsDialogHostsWhichGoesWithTheWindow) {
  EXPECT_TRUE(control_host::Enable()) << "a second call finds the host ready";
  HWND host = Child(control_host::kWindowClass, kPrinterClassText, IDC_OPOS_POSPRINTER);
  ASSERT_TRUE(host);
  IDispatch* hosted = control_host::HostedDispatch(host);
  ASSERT_TRUE(hosted) << "the host created no control";
  IOleObject* ole = nullptr;
  ASSERT_TRUE(SUCCEEDED(hosted->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole))));
  IOleClientSite* site = nullptr;
  EXPECT_TRUE(SUCCEEDED(ole->GetClientSite(&site)) && site) << "the control sits in no host";
  if (site) site->Release();

  {
    COPOSPOSPrinter printer(dialog_);
    EXPECT_TRUE(printer.Created());
    EXPECT_TRUE(printer.Hosted());
    EXPECT_EQ(printer.Open("NoSuchPrinter"), opos::OPOS_E_NOEXIST);
    EXPECT_EQ(printer.TextProperty105(), "no device entry \"NoSuchPrinter\"");
  }
  // The same object answered: it keeps the failure text.
  EXPECT_EQ(Text105(hosted), "no device entry \"NoSuchPrinter\"");

  DestroyWindow(host);
  site = nullptr;
  EXPECT_TRUE(SUCCEEDED(ole->GetClientSite(&site)));
  EXPECT_EQ(site, nullptr) << "the host kept the control after its window was destroyed";
  if (site) site->Release();
  ole->Release();
  hosted->Release();
}

TEST_F(ControlHosting, WrappersCreateTheObjectWhereTheDialogHostsNone) {
  // No control under the id, a control of another class under it, a host
  // that could not create its control, no dialog at all.
  ASSERT_TRUE(Child("STATIC", "", IDC_OPOS_LINEDISPLAY));
  const HWND empty = Child(control_host::kWindowClass, kUnknownClassText, IDC_OPOS_POSPRINTER);
  if (empty) {
    EXPECT_EQ(control_host::HostedDispatch(empty), nullptr);
  }
  EXPECT_EQ(control_host::HostedDispatch(nullptr), nullptr);
  EXPECT_EQ(control_host::HostedDispatch(GetDlgItem(dialog_, IDC_OPOS_LINEDISPLAY)), nullptr);

  COPOSCashDrawer drawer(dialog_);
  COPOSLineDisplay display(dialog_);
  COPOSPOSPrinter printer(dialog_);
  COPOSPOSPrinter detached(nullptr);
  for (COposControl* control : std::vector<COposControl*>{&drawer, &display, &printer, &detached}) {
    EXPECT_TRUE(control->Created());
    EXPECT_FALSE(control->Hosted());
    EXPECT_EQ(control->Open("NoSuchDevice"), opos::OPOS_E_NOEXIST);
    EXPECT_EQ(control->TextProperty105(), "no device entry \"NoSuchDevice\"");
  }
}

TEST_F(ControlHosting, UnregisteredControlObjectFailsEveryCallHostedOrNot) {
  RevokeStandIns();
  IUnknown* registered = nullptr;
  if (SUCCEEDED(CoCreateInstance(opos_control::kPOSPrinterClass, nullptr, CLSCTX_ALL, IID_IUnknown,
                                 reinterpret_cast<void**>(&registered)))) {
    registered->Release();
    GTEST_SKIP() << "this prefix has Control Objects registered";
  }
  Child(control_host::kWindowClass, kPrinterClassText, IDC_OPOS_POSPRINTER);
  COPOSPOSPrinter printer(dialog_);
  EXPECT_FALSE(printer.Created());
  EXPECT_FALSE(printer.Hosted());
  EXPECT_EQ(printer.Open("TavoPOS-R200"), opos::OPOS_E_NOSERVICE);
  EXPECT_EQ(printer.ClaimDevice(1000), opos::OPOS_E_NOSERVICE);
  EXPECT_FALSE(printer.DeviceEnabled());
  EXPECT_EQ(printer.TextProperty105(), "Control Object not installed");
}

}  // namespace
