#include "service/server/pos_printer_object.h"

#include <new>

#include "common/opos.h"
#include "service/pipeline/unicode/utf8.h"
#include "service/server/bstr_text.h"
#include "service/server/guids.h"
#include "service/server/module.h"
#include "service/server/printer_health_dialog.h"

namespace server {

IUnknown* CPOSPrinterObject::Create() { return new (std::nothrow) CPOSPrinterObject(); }

CPOSPrinterObject::CPOSPrinterObject() {
  printer_.SetHealthDialog([](CPOSPrinter& printer) { CPrinterHealthDlg::Show(printer, ModuleInstance()); });
  printer_.SetTextRecoder([](const std::string& text, const codepage::Table& table) {
    std::string out;
    codepage::Encode(table, WideFromAnsi(text), out);
    return out;
  });
}

std::string CPOSPrinterObject::LogoText(const std::u16string& text) const {
  if (printer_.UnicodeText()) return AnsiFromWide(reinterpret_cast<const wchar_t*>(text.data()), text.size());
  return PrintText(text);
}

std::string CPOSPrinterObject::PrintText(const std::u16string& text) const {
  if (printer_.UnicodeText()) return unicode::Utf8FromUtf16(text);
  if (const codepage::Table* table = printer_.TextCodePage()) {
    std::string out;
    codepage::Encode(*table, text, out);
    return out;
  }
  return AnsiFromWide(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

const GUID& CPOSPrinterObject::LibraryId() { return LIBID_POSPrinter; }
const IID& CPOSPrinterObject::InterfaceId() { return DIID_POSPrinter; }

int32_t CPOSPrinterObject::OpenService(const std::string& deviceClass, const std::string& deviceName,
                                       IDispatch* controlObject) {
  links_.push_back(std::make_unique<CDispatchControlObject>(controlObject));
  return printer_.OpenService(deviceClass, deviceName, links_.back().get());
}

int32_t CPOSPrinterObject::Close() {
  int32_t rc = printer_.Close();
  if (rc == opos::OPOS_SUCCESS) links_.clear();
  return rc;
}

}  // namespace server
