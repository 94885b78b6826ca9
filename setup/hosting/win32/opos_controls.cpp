#include "setup/hosting/win32/opos_controls.h"

#include "common/opos.h"
#include "platform/com/win32/dispatch_call.h"
#include "resources/devsetup/resource.h"
#include "setup/hosting/win32/control_host.h"
#include "platform/com/win32/opos_control_ids.h"

using namespace opos_control;

COposControl::COposControl(HWND host, const CLSID& classId) : object_(control_host::HostedDispatch(host)) {
  hosted_ = object_ != nullptr;
  if (!object_ && FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                          reinterpret_cast<void**>(&object_)))) {
    object_ = nullptr;
  }
}

COposControl::~COposControl() {
  if (object_) object_->Release();
}

int32_t COposControl::Method(DISPID id, std::vector<VARIANT> args) {
  VARIANT result;
  if (FAILED(dispatch::Invoke(object_, id, DISPATCH_METHOD, std::move(args), &result))) {
    return opos::OPOS_E_NOSERVICE;
  }
  const long code = dispatch::LongOf(result, opos::OPOS_E_NOSERVICE);
  VariantClear(&result);
  return static_cast<int32_t>(code);
}

int32_t COposControl::Open(const std::string& deviceName) { return Method(kOpen, {dispatch::Text(deviceName)}); }
int32_t COposControl::ClaimDevice(int32_t timeoutMs) { return Method(kClaimDevice, {dispatch::Long(timeoutMs)}); }
int32_t COposControl::CheckHealth(int32_t level) { return Method(kCheckHealth, {dispatch::Long(level)}); }
int32_t COposControl::ReleaseDevice() { return Method(kReleaseDevice, {}); }
int32_t COposControl::Close() { return Method(kClose, {}); }

void COposControl::SetDeviceEnabled(bool enabled) {
  dispatch::Invoke(object_, kDeviceEnabled, DISPATCH_PROPERTYPUT, {dispatch::Bool(enabled)}, nullptr);
}

bool COposControl::DeviceEnabled() {
  VARIANT result;
  if (FAILED(dispatch::Invoke(object_, kDeviceEnabled, DISPATCH_PROPERTYGET, {}, &result))) return false;
  const bool enabled = dispatch::LongOf(result, 0) != 0;
  VariantClear(&result);
  return enabled;
}

void COposControl::SetNumberProperty20(int32_t value) {
  dispatch::Invoke(object_, kNumberProperty20, DISPATCH_PROPERTYPUT, {dispatch::Long(value)}, nullptr);
}

void COposControl::SetFlagProperty106(bool value) {
  dispatch::Invoke(object_, kFlagProperty106, DISPATCH_PROPERTYPUT, {dispatch::Bool(value)}, nullptr);
}

std::string COposControl::TextProperty105() {
  if (!object_) return "Control Object not installed";
  VARIANT result;
  if (FAILED(dispatch::Invoke(object_, kTextProperty105, DISPATCH_PROPERTYGET, {}, &result))) return {};
  std::string text = result.vt == VT_BSTR ? dispatch::Narrow(result.bstrVal) : std::string();
  VariantClear(&result);
  return text;
}

COPOSCashDrawer::COPOSCashDrawer(HWND dialog)
    : COposControl(dialog ? GetDlgItem(dialog, IDC_OPOS_CASHDRAWER) : nullptr, kCashDrawerClass) {}
COPOSPOSPrinter::COPOSPOSPrinter(HWND dialog)
    : COposControl(dialog ? GetDlgItem(dialog, IDC_OPOS_POSPRINTER) : nullptr, kPOSPrinterClass) {}
COPOSLineDisplay::COPOSLineDisplay(HWND dialog)
    : COposControl(dialog ? GetDlgItem(dialog, IDC_OPOS_LINEDISPLAY) : nullptr, kLineDisplayClass) {}
