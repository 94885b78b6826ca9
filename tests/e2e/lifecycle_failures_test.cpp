// The ways open, claim and the printer methods fail, driven through COM:
// broken device entries and profiles written into the run's Wine prefix, a
// missing port-manager library, a Control Object without an event method,
// a dead printer address, and methods called in the wrong state.
#include <functional>
#include <vector>

#include "e2e_fixture.h"
#include "scratch_registry.h"

namespace {

using V = PrinterSession;

// ---- OpenService ------------------------------------------------------------

class OpenFailures : public PrinterE2e {
 protected:
  // The run's own device still opens on a fresh object: a failed open left
  // no port behind.
  void ExpectPortFree() {
    PrinterSession other;
    ASSERT_TRUE(other.Create());
    CEventRecorder* events = new CEventRecorder();
    EXPECT_EQ(other.Open(Rig().device, events), 0) << "the failed open kept the port";
    EXPECT_EQ(other.Close(), 0);
    events->Release();
  }
};

TEST_F(OpenFailures, EntryWithoutPortOrDeviceNameIsRefused) {
  // A missing "Port" reads as a network entry, whose port name is "TcpIp".
  const std::vector<std::vector<const char*>> cases = {{"DeviceName"}, {"Port", "TcpIp"}};
  for (const std::vector<const char*>& missing : cases) {
    SCOPED_TRACE(missing[0]);
    ScratchDeviceEntry entry("E2EScratchEntry");
    ASSERT_TRUE(entry.Ready());
    for (const char* value : missing) entry.Remove(value);
    PrinterSession printer;
    ASSERT_TRUE(printer.Create());
    EXPECT_EQ(printer.Open(entry.Name(), recorder_), 106);
    EXPECT_EQ(printer.Number(PIDX_ResultCode), 106);
    EXPECT_EQ(printer.Claim(), 106) << "no port to claim";
    EXPECT_EQ(printer.Close(), 0);
    ExpectPortFree();
  }
}

TEST_F(OpenFailures, NetworkEntryWithoutAddressOpensButCannotClaim) {
  ScratchDeviceEntry entry("E2EScratchEntry");
  ASSERT_TRUE(entry.Ready());
  entry.Remove("TcpIp");  // the port name stays "Ethernet", which is no address
  ASSERT_EQ(printer_.Open(entry.Name(), recorder_), 0);
  EXPECT_EQ(printer_.Claim(), 106);
  EXPECT_EQ(printer_.Number(PIDX_Claimed), 0);
}

TEST_F(OpenFailures, EmptyDeviceNameIsRefused) {
  ScratchDeviceEntry entry("E2EScratchEntry");
  ASSERT_TRUE(entry.Ready());
  entry.SetText("DeviceName", "");
  EXPECT_EQ(printer_.Open(entry.Name(), recorder_), 106);
  EXPECT_EQ(printer_.Close(), 0);
  ExpectPortFree();
}

TEST_F(OpenFailures, ProfileWithoutLineWidthOrCharactersIsRefusedButReadsIdle) {
  struct Case {
    const char* section;
    const char* key;
  };
  for (const Case& c : {Case{"POSPRINTER", "RecLineWidth"}, Case{"DETAIL", "LinecharsNormal"}}) {
    SCOPED_TRACE(c.key);
    ScratchProfile profile("e2e-scratch.inf");
    ASSERT_TRUE(profile.Ready());
    profile.Set(c.section, c.key, "0");
    if (std::string(c.key) == "LinecharsNormal") profile.Set("DETAIL", "LinecharsCompressed", "0");
    ScratchDeviceEntry entry("E2EScratchEntry");
    ASSERT_TRUE(entry.Ready());
    entry.SetText("inf", profile.Path());
    PrinterSession printer;
    ASSERT_TRUE(printer.Create());
    EXPECT_EQ(printer.Open(entry.Name(), recorder_), 106);
    EXPECT_EQ(printer.Number(PIDX_State), 2);
    EXPECT_EQ(printer.Text(1000001), "Not Executed");
    EXPECT_EQ(printer.Close(), 0);
    EXPECT_EQ(printer.Number(PIDX_State), 1);
    ExpectPortFree();
  }
}

TEST_F(OpenFailures, MissingProfileIsRefused) {
  ScratchDeviceEntry entry("E2EScratchEntry");
  ASSERT_TRUE(entry.Ready());
  entry.SetText("inf", "Z:\\nonexistent\\e2e-none.inf");
  EXPECT_EQ(printer_.Open(entry.Name(), recorder_), 106);
  EXPECT_EQ(printer_.Close(), 0);
  ExpectPortFree();
}

TEST_F(OpenFailures, MissingPortManagerLibraryFailsWith111) {
  {
    ServiceInfoValue library("mngdir");
    library.Remove();
    PrinterSession printer;
    ASSERT_TRUE(printer.Create());
    EXPECT_EQ(printer.Open(Rig().device, recorder_), 111);
    EXPECT_EQ(printer.Claim(), 106);
    EXPECT_EQ(printer.Close(), 0);

    library.SetText("Z:\\nonexistent\\portmgr.dll");
    PrinterSession second;
    ASSERT_TRUE(second.Create());
    EXPECT_EQ(second.Open(Rig().device, recorder_), 111);
    EXPECT_EQ(second.Close(), 0);
  }
  // With the value back the same device opens and claims.
  EXPECT_EQ(printer_.Open(Rig().device, recorder_), 0);
  EXPECT_EQ(printer_.Claim(), 0);
}

// A Control Object whose dispatch does not know one of the event methods.
class CPartialControlObject : public CEventRecorder {
 public:
  explicit CPartialControlObject(const wchar_t* missing) : missing_(missing) {}
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
    if (count == 1 && lstrcmpiW(names[0], missing_) == 0) {
      ids[0] = DISPID_UNKNOWN;
      return DISP_E_UNKNOWNNAME;
    }
    return CEventRecorder::GetIDsOfNames(iid, names, count, lcid, ids);
  }

 private:
  const wchar_t* missing_;
};

TEST_F(OpenFailures, ControlObjectWithoutAnEventMethodGets104AndHoldsThePortUntilClose) {
  for (const wchar_t* missing : {L"SODirectIO", L"SOError", L"SOOutputComplete", L"SOStatusUpdate"}) {
    CPartialControlObject* partial = new CPartialControlObject(missing);
    PrinterSession printer;
    ASSERT_TRUE(printer.Create());
    EXPECT_EQ(printer.Open(Rig().device, partial), 104);
    PrinterSession other;
    ASSERT_TRUE(other.Create());
    // A second object of the same device opens beside the one still holding the port.
    EXPECT_EQ(other.Open(Rig().device, recorder_), 0);
    EXPECT_EQ(other.Close(), 0);
    EXPECT_EQ(printer.Close(), 0);
    ExpectPortFree();
    partial->Release();
  }
}

TEST_F(OpenFailures, SecondPrinterOnTheSamePortGets111UntilTheFirstCloses) {
  ASSERT_EQ(printer_.Open(Rig().device, recorder_), 0);
  ScratchDeviceEntry entry("E2EScratchEntry");  // same address, so the same port
  ASSERT_TRUE(entry.Ready());
  PrinterSession second;
  ASSERT_TRUE(second.Create());
  CEventRecorder* events = new CEventRecorder();
  EXPECT_EQ(second.Open(entry.Name(), events), 111);
  EXPECT_EQ(second.Close(), 0);
  EXPECT_EQ(printer_.Close(), 0);
  PrinterSession third;
  ASSERT_TRUE(third.Create());
  EXPECT_EQ(third.Open(entry.Name(), events), 0);
  EXPECT_EQ(third.Close(), 0);
  events->Release();
}

TEST_F(OpenFailures, SecondOpenOnTheSameObjectIsRefused) {
  ASSERT_EQ(printer_.Open(Rig().device, recorder_), 0);
  EXPECT_EQ(printer_.Open(Rig().device, recorder_), 106);
  EXPECT_EQ(printer_.Claim(), 0) << "the first open still stands";
}

// ---- ClaimDevice ------------------------------------------------------------

TEST_F(OpenFailures, DeadPrinterAddressRefusesTheClaimWith106) {
  ScratchDeviceEntry entry("E2EScratchEntry");
  ASSERT_TRUE(entry.Ready());
  entry.SetNumber("TcpPort", 1);  // nothing listens there
  ASSERT_EQ(printer_.Open(entry.Name(), recorder_), 0);
  EXPECT_EQ(printer_.Claim(), 106);
  EXPECT_EQ(printer_.Number(PIDX_Claimed), 0);
  EXPECT_EQ(printer_.Claim(), 106) << "a second claim tries again";
  printer_.SetNumber(PIDX_DeviceEnabled, 1);
  EXPECT_EQ(printer_.Number(PIDX_ResultCode), 103);
  EXPECT_EQ(printer_.Release(), 106);
  EXPECT_EQ(printer_.Close(), 0);
}

// ---- Methods in the wrong state ---------------------------------------------

struct MethodCase {
  const char* name;
  std::function<long(PrinterSession&)> call;
};

VARIANT RefLong(long* value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BYREF | VT_I4;
  v.plVal = value;
  return v;
}

VARIANT RefText(BSTR* text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BYREF | VT_BSTR;
  v.pbstrVal = text;
  return v;
}

// Methods that need the device claimed and enabled (PrintNormal and
// TransactionPrint also idle; the statistics, which ask the printer).
const MethodCase kGuardedMethods[] = {
    {"PrintNormal", [](PrinterSession& p) { return p.PrintNormal("x\n"); }},
    {"PrintImmediate", [](PrinterSession& p) { return p.Call(L"PrintImmediate", {V::Long(2), V::Bytes("x\n")}); }},
    {"ValidateData", [](PrinterSession& p) { return p.Call(L"ValidateData", {V::Long(2), V::Bytes("x")}); }},
    {"TransactionPrint", [](PrinterSession& p) { return p.Call(L"TransactionPrint", {V::Long(2), V::Long(11)}); }},
    {"ClearOutput", [](PrinterSession& p) { return p.Call(L"ClearOutput", {}); }},
    {"ResetStatistics", [](PrinterSession& p) { return p.Call(L"ResetStatistics", {V::Bytes("")}); }},
    {"RetrieveStatistics",
     [](PrinterSession& p) {
       BSTR text = SysAllocString(L"");
       long rc = p.Call(L"RetrieveStatistics", {RefText(&text)});
       SysFreeString(text);
       return rc;
     }},
    {"UpdateStatistics", [](PrinterSession& p) { return p.Call(L"UpdateStatistics", {V::Bytes("")}); }},
};

// Methods a receipt printer does not support, and PrintTwoNormal, which
// has only one station to print on.
const MethodCase kUnsupportedMethods[] = {
    {"PrintTwoNormal",
     [](PrinterSession& p) { return p.Call(L"PrintTwoNormal", {V::Long(2), V::Bytes("x\n"), V::Bytes("")}); }},
    {"BeginInsertion", [](PrinterSession& p) { return p.Call(L"BeginInsertion", {V::Long(0)}); }},
    {"BeginRemoval", [](PrinterSession& p) { return p.Call(L"BeginRemoval", {V::Long(0)}); }},
    {"EndInsertion", [](PrinterSession& p) { return p.Call(L"EndInsertion", {}); }},
    {"EndRemoval", [](PrinterSession& p) { return p.Call(L"EndRemoval", {}); }},
    {"ChangePrintSide", [](PrinterSession& p) { return p.Call(L"ChangePrintSide", {V::Long(1)}); }},
    {"MarkFeed", [](PrinterSession& p) { return p.Call(L"MarkFeed", {V::Long(1)}); }},
    {"CompareFirmwareVersion",
     [](PrinterSession& p) {
       long result = 0;
       return p.Call(L"CompareFirmwareVersion", {V::Bytes("fw"), RefLong(&result)});
     }},
    {"UpdateFirmware", [](PrinterSession& p) { return p.Call(L"UpdateFirmware", {V::Bytes("fw")}); }},
};

using WrongState = PrinterE2e;

TEST_F(WrongState, BeforeOpenOnlyCloseSucceeds) {
  EXPECT_EQ(printer_.Number(PIDX_State), 1);
  EXPECT_EQ(printer_.Claim(), 106) << "no port to claim";
  EXPECT_EQ(printer_.Release(), 106);
  printer_.SetNumber(PIDX_DeviceEnabled, 1);
  EXPECT_EQ(printer_.Number(PIDX_ResultCode), 103);
  for (const MethodCase& m : kGuardedMethods) {
    EXPECT_EQ(m.call(printer_), 103) << m.name;
    EXPECT_EQ(printer_.Number(PIDX_ResultCode), 103) << m.name;
  }
  EXPECT_EQ(printer_.Close(), 0);
}

TEST_F(WrongState, OpenButNotClaimedGives103AndSendsNothing) {
  ASSERT_EQ(printer_.Open(Rig().device, recorder_), 0);
  CommandLog log;
  for (const MethodCase& m : kGuardedMethods) EXPECT_EQ(m.call(printer_), 103) << m.name;
  EXPECT_EQ(printer_.Release(), 106);
  PumpFor(300);
  EXPECT_TRUE(log.Since().empty()) << log.HexSince();
}

TEST_F(WrongState, ClaimedButDisabledGives105AndSendsNothing) {
  ASSERT_EQ(printer_.Open(Rig().device, recorder_), 0);
  ASSERT_EQ(printer_.Claim(), 0);
  PumpFor(300);  // the handshake goes first
  CommandLog log;
  for (const MethodCase& m : kGuardedMethods) {
    EXPECT_EQ(m.call(printer_), 105) << m.name;
    EXPECT_EQ(printer_.Number(PIDX_ResultCodeExtended), 0) << m.name;
  }
  PumpFor(300);
  for (const LoggedCommand& c : log.Since()) EXPECT_NE(c.cmd, "text") << c.hex;
  EXPECT_EQ(log.TextSince(), "");
}

TEST_F(WrongState, UnsupportedMethodsGive106InEveryState) {
  auto expectAll = [&](const char* state) {
    for (const MethodCase& m : kUnsupportedMethods) {
      EXPECT_EQ(m.call(printer_), 106) << m.name << " while " << state;
      EXPECT_EQ(printer_.Number(PIDX_ResultCode), 106) << m.name << " while " << state;
    }
  };
  expectAll("closed");
  ASSERT_EQ(printer_.Open(Rig().device, recorder_), 0);
  expectAll("open");
  ASSERT_EQ(printer_.Claim(), 0);
  expectAll("claimed");
  printer_.SetNumber(PIDX_DeviceEnabled, 1);
  ASSERT_EQ(printer_.Number(PIDX_ResultCode), 0);
  expectAll("enabled");
  EXPECT_EQ(printer_.Release(), 0);
  EXPECT_EQ(printer_.Close(), 0);
  expectAll("closed again");
}

}  // namespace

