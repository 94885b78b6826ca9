// The COM class of the printer Service Object: CPOSPrinter behind an
// IDispatch built from the printer's dispatch table. It owns the links to
// the Control Objects handed to OpenService (borrowed pointers, see
// dispatch_control_object.h), kept until a successful Close or destruction,
// so the printer never holds a dangling link. Apartment-bound: every call on the
// thread that opened it.
#pragma once

#include <windows.h>
// <winsvc.h> maps OpenService to OpenServiceA, which would rename the
// printer's member in this build only.
#undef OpenService

#include <memory>
#include <vector>

#include "service/printer/pos_printer.h"
#include "service/server/dispatch_control_object.h"
#include "service/server/dispatch_object.h"

namespace server {

class CPOSPrinterObject : public CDispatchObject<CPOSPrinterObject> {
 public:
  static IUnknown* Create();
  static const CDispatchTable<CPOSPrinterObject>& Table();
  static const GUID& LibraryId();
  static const IID& InterfaceId();

  CPOSPrinter& Printer() { return printer_; }

  // OpenService and Close manage the Control Object link around the
  // printer's own members.
  int32_t OpenService(const std::string& deviceClass, const std::string& deviceName, IDispatch* controlObject);
  int32_t Close();

  // Print data's 8-bit form: mapped into the printer's code page when the
  // printer asks for it (CPOSPrinter::TextCodePage), else the system code
  // page as for every other string.
  // Under CharacterSet 997 UTF-8, which the pipeline encodes itself.
  std::string PrintText(const std::u16string& text) const;
  // SetLogo's data: printer bytes inserted as they are, so under
  // CharacterSet 997 the system code page, as without mapping.
  std::string LogoText(const std::u16string& text) const;

 private:
  CPOSPrinterObject();
  ~CPOSPrinterObject() override = default;

  // Declared before the printer so the printer goes first and never sees a
  // dangling link.
  std::vector<std::unique_ptr<CDispatchControlObject>> links_;
  CPOSPrinter printer_;
};

}  // namespace server
