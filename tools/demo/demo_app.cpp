// demo-app: does what a till application does through an OPOS Control
// Object. It creates the printer Service Object by ProgID, opens it with its
// own event sink, claims, enables, prints a sample receipt asynchronously
// (a logo, text, a few lines in other code pages, the receipt number as a
// Code 128 bar code and a QR code, and a cut), shows the sale on the
// customer display while the receipt prints, waits for the last
// OutputComplete while pumping messages (events arrive on this thread),
// then releases and closes. With a drawer device it then opens the cash
// drawer on the same printer, kicks it and waits until it is closed again.
//
//   demo-app.exe <device name> [receipt text file] [--drawer <drawer device name>]
//                [--display <line display device name>]
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/com/win32/dispatch_call.h"
#include "tools/com/event_sink.h"
#include "tools/demo/demo_calls.h"
#include "tools/demo/demo_display.h"
#include "tools/demo/demo_drawer.h"
#include "tools/demo/demo_items.h"

using namespace demo;

namespace {

const wchar_t kProgId[] = L"Tavo.POSPrinter.ServiceObject.1.9";
const char kReceiptNumber[] = "TAVO-0042-1187";

bool WaitForOutput(CEventSink& sink, long outputId, DWORD limitMs) {
  return PumpUntil([&] { return sink.HasOutputComplete(outputId); }, limitMs);
}

std::string ReadFile(const char* path) {
  std::string data;
  FILE* f = std::fopen(path, "rb");
  if (!f) return data;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
  std::fclose(f);
  return data;
}

// A receipt line of 32 characters, the amount at the right edge.
std::string Line(const std::string& text, const std::string& amount) {
  const size_t width = 32;
  const size_t gap = text.size() + amount.size() < width ? width - text.size() - amount.size() : 1;
  return text + std::string(gap, ' ') + amount + "\n";
}

std::string SampleReceipt() {
  const std::string esc = "\x1b|";
  std::string r;
  r += esc + "cA" + esc + "4C" + esc + "bC" + "TAVO CORNER SHOP\n";
  r += esc + "N" + esc + "cA" + "12 Harbour Street\n";
  r += esc + "cA" + "Tel 0123 456 789\n\n" + esc + "N";  // alignment holds until reset
  for (const SaleItem& item : kSaleItems) r += Line(item.name, item.price);
  r += "----------------------------------\n";
  r += esc + "bC" + esc + "2C" + "TOTAL      " + kSaleTotal + "\n";
  r += esc + "N" + Line("Cash", "20.00");
  r += Line("Change", "1.20") + "\n";
  r += esc + "cA" + "Thank you for shopping with us!\n";
  r += esc + "cA" + "Receipt " + kReceiptNumber + "\n";
  return r;
}

// Lines in other code pages. The Service Object maps the Unicode text into
// the table CharacterSet selects (the shipped profiles turn MapCharacterSet
// on); with CharacterSet 997 (Unicode) it picks pages, the UTF-8 mode or a
// picture per character itself. Each line also goes to stdout as the paper
// should show it (Hebrew right to left, so in reverse), where
// scripts/demo.sh finds it to check the virtual printer's text; a drawn
// line is checked in the printer's command log instead.
struct InternationalLine {
  long characterSet;
  const wchar_t* text;
  const wchar_t* paper;  // nullptr: as sent; L"": drawn as a picture
};
const long kUnicode = 997;
const InternationalLine kInternational[] = {
    {858, L"Cr\u00E8me br\u00FBl\u00E9e         4,50 \u20AC", nullptr},
    {858, L"Stra\u00DFe \u00C4\u00D6\u00DC, Fa\u00E7ade na\u00EFve", nullptr},
    {866, L"\u0411\u043E\u0440\u0449 3,20  \u0421\u043F\u0430\u0441\u0438\u0431\u043E!", nullptr},
    {1253, L"\u039A\u03B1\u03BB\u03B7\u03BC\u03AD\u03C1\u03B1 \u0391\u03B8\u03AE\u03BD\u03B1", nullptr},
    {kUnicode, L"\u3054\u6765\u5E97\u3042\u308A\u304C\u3068\u3046\u3054\u3056\u3044\u307E\u3059", nullptr},
    {kUnicode, L"\u6B22\u8FCE\u5149\u4E34 \u8C22\u8C22\u60E0\u987E", nullptr},
    {kUnicode, L"\u05EA\u05D5\u05D3\u05D4 \u05E8\u05D1\u05D4", L"\u05D4\u05D1\u05E8 \u05D4\u05D3\u05D5\u05EA"},
    {kUnicode, L"\u0E02\u0E2D\u0E1A\u0E04\u0E38\u0E13\u0E04\u0E23\u0E31\u0E1A", nullptr},
    {kUnicode, L"\u0634\u0643\u0631\u0627 \u0644\u0632\u064A\u0627\u0631\u062A\u0643\u0645", L""},
};

// Prints the international lines, each in its CharacterSet, then goes back
// to the one the device started with. Returns the first failing result.
long PrintInternational(IDispatch* so) {
  const long characterSet = 8002;
  const long before = CallByName(so, L"GetPropertyNumber", {Long(characterSet)});
  long first = CallByName(so, L"PrintNormal", {Long(2), Text("\n\x1b|cA\x1b|bCInternational\n")});
  for (const InternationalLine& line : kInternational) {
    CallByName(so, L"SetPropertyNumber", {Long(characterSet), Long(line.characterSet)});
    const long rc =
        CallByName(so, L"PrintNormal", {Long(2), dispatch::WideText(std::wstring(line.text) + L"\n")});
    if (line.paper != nullptr && line.paper[0] == 0) {
      std::printf("international drawn: %s\n", dispatch::Utf8(line.text).c_str());
    } else {
      std::printf("international: %s\n", dispatch::Utf8(line.paper ? line.paper : line.text).c_str());
    }
    if (first == 0) first = rc;
  }
  CallByName(so, L"SetPropertyNumber", {Long(characterSet), Long(before)});
  const long rc = CallByName(so, L"PrintNormal", {Long(2), Text("\n")});
  return first ? first : rc;
}

// The logo shipped beside the program (data/receipt-logo.png).
std::string LogoPath() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  folder.resize(folder.find_last_of("\\/") + 1);
  return folder + "receipt-logo.png";
}

// Queues the sample receipt: the logo, the text, the receipt number as a
// Code 128 bar code and a QR code, a feed and a cut. Returns the first
// failing result code (0 when all were queued).
long PrintSample(IDispatch* so, const std::string& receipt) {
  const long kCentre = -2, kTextBelow = -13, kAsIs = -11, kCode128 = 110, kQrCode = 501;
  struct Step {
    const char* what;
    long rc;
  };
  const std::string esc = "\x1b|";
  // Everything printed must pass the cutter, the QR code's quiet zone too:
  // RecLinesToPaperCut lines and one more.
  const long toCutter = CallByName(so, L"GetPropertyNumber", {Long(8019)}) + 1;
  const Step steps[] = {
      {"PrintBitmap (logo)", CallByName(so, L"PrintBitmap", {Long(2), Text(LogoPath()), Long(kAsIs), Long(kCentre)})},
      {"PrintNormal", CallByName(so, L"PrintNormal", {Long(2), Text(receipt)})},
      {"PrintNormal (international)", PrintInternational(so)},
      {"PrintBarCode (Code 128)", CallByName(so, L"PrintBarCode", {Long(2), Text(kReceiptNumber), Long(kCode128),
                                                                   Long(80), Long(400), Long(kCentre), Long(kTextBelow)})},
      {"PrintBarCode (QR Code)", CallByName(so, L"PrintBarCode", {Long(2), Text(kReceiptNumber), Long(kQrCode), Long(0),
                                                                  Long(0), Long(kCentre), Long(kTextBelow)})},
      {"PrintNormal (feed)", CallByName(so, L"PrintNormal", {Long(2), Text(esc + std::to_string(toCutter) + "lF")})},
      {"CutPaper", CallByName(so, L"CutPaper", {Long(100)})},
  };
  long first = 0;
  for (const Step& step : steps) {
    std::printf("%s (asynchronous) = %ld\n", step.what, step.rc);
    if (first == 0) first = step.rc;
  }
  return first;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: demo-app <device name> [receipt file] [--drawer <drawer device>] [--display <display device>]\n");
    return 2;
  }
  const std::string device = argv[1];
  std::string receiptFile, drawerDevice, displayDevice;
  for (int i = 2; i < argc; ++i) {
    if (std::string(argv[i]) == "--drawer" && i + 1 < argc) {
      drawerDevice = argv[++i];
    } else if (std::string(argv[i]) == "--display" && i + 1 < argc) {
      displayDevice = argv[++i];
    } else {
      receiptFile = argv[i];
    }
  }
  const bool sample = receiptFile.empty();
  const std::string receipt = sample ? SampleReceipt() : ReadFile(receiptFile.c_str());

  if (FAILED(OleInitialize(nullptr))) return 1;
  int exitCode = 1;
  IDispatch* so = Create(kProgId);
  if (!so) {
    OleUninitialize();
    return 1;
  }

  CEventSink* sink = new CEventSink();
  long rc = CallByName(so, L"OpenService", {Text("POSPrinter"), Text(device), Dispatch(sink)});
  std::printf("OpenService(\"%s\") = %ld\n", device.c_str(), rc);
  if (rc == 0) {
    rc = CallByName(so, L"ClaimDevice", {Long(1000)});
    std::printf("ClaimDevice = %ld\n", rc);
    if (rc == 0) {
      CallByName(so, L"SetPropertyNumber", {Long(3), Long(1)});  // DeviceEnabled
      std::printf("DeviceEnabled = %ld\n", CallByName(so, L"GetPropertyNumber", {Long(3)}));
      CallByName(so, L"SetPropertyNumber", {Long(8001), Long(1)});  // AsyncMode
      CallByName(so, L"SetPropertyNumber", {Long(8013), Long(1)});  // MapMode: dots
      if (sample) {
        rc = PrintSample(so, receipt);
      } else {
        rc = CallByName(so, L"PrintNormal", {Long(2), Text(receipt)});
        std::printf("PrintNormal (asynchronous) = %ld\n", rc);
      }
      long outputId = CallByName(so, L"GetPropertyNumber", {Long(5)});
      std::printf("last OutputID %ld\n", outputId);
      // The shopper watches the display while the receipt prints.
      const bool shown = !sample || displayDevice.empty() || ShowSale(displayDevice);
      if (rc == 0 && WaitForOutput(*sink, outputId, 20000)) {
        exitCode = shown ? 0 : 1;
      } else {
        std::printf("no OutputComplete for OutputID %ld\n", outputId);
      }
      CallByName(so, L"SetPropertyNumber", {Long(3), Long(0)});
      std::printf("ReleaseDevice = %ld\n", CallByName(so, L"ReleaseDevice", {}));
    }
    std::printf("Close = %ld\n", CallByName(so, L"Close", {}));
  }
  std::printf("events received:\n");
  for (const std::string& line : sink->Log()) std::printf("  %s\n", line.c_str());
  so->Release();
  sink->Release();
  if (exitCode == 0 && !drawerDevice.empty() && !KickDrawer(drawerDevice)) exitCode = 1;
  OleUninitialize();
  return exitCode;
}
