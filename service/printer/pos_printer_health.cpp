// DirectIO (raw bytes, the international character set, stored images)
// and the three CheckHealth levels.
#include <cstdio>
#include <iterator>

#include "common/error_string.h"
#include "common/opos.h"
#include "service/pipeline/translator.h"
#include "service/printer/pos_printer.h"

using namespace opos;

namespace {

const char kHealthy[] = "CheckHealth: Successful";

// Stored-image commands, completed by the string's first characters.
constexpr uint8_t kPrintStoredImage[] = {0x1C, 0x70};                               // FS p n 0
constexpr uint8_t kPrintStoredGraphics[] = {0x1D, 0x28, 0x4C, 0x06, 0x00, 0x30, 0x45};  // GS ( L ... k1 k2 1 1
constexpr uint8_t kCommand4[] = {0x1B, 0x67};                                       // ESC g n

enum : int32_t {
  DIO_RAW = 0,
  DIO_INTERNATIONAL = 1,
  DIO_STORED_IMAGE = 2,
  DIO_STORED_GRAPHICS = 3,
  DIO_COMMAND_4 = 4,
};

std::string Command(const uint8_t* begin, const uint8_t* end) { return std::string(begin, end); }

std::string VersionText(int32_t version) {
  const uint32_t v = static_cast<uint32_t>(version);
  char text[64];
  std::snprintf(text, sizeof text, "%u.%u.%u", v / 1000000, (v / 1000) % 1000, v % 1000);
  return text;
}

}  // namespace

// ---- DirectIO ----------------------------------------------------------

// The bytes a stored-image command sends; false when the string is too
// short for it (or the command is unknown).
static bool DirectIOBytes(int32_t command, const std::string& text, std::string* bytes) {
  switch (command) {
    case DIO_RAW:
      *bytes = text;
      return true;
    case DIO_STORED_IMAGE:
      if (text.empty()) return false;
      *bytes = Command(std::begin(kPrintStoredImage), std::end(kPrintStoredImage)) + text[0] + '\0';
      return true;
    case DIO_STORED_GRAPHICS:
      if (text.size() < 2) return false;
      *bytes = Command(std::begin(kPrintStoredGraphics), std::end(kPrintStoredGraphics)) + text.substr(0, 2) +
               "\x01\x01";
      return true;
    case DIO_COMMAND_4:
      if (text.empty()) return false;
      *bytes = Command(std::begin(kCommand4), std::end(kCommand4)) + text[0];
      return true;
    default:
      return false;
  }
}

int32_t CPOSPrinter::DirectIO(int32_t command, int32_t* data, std::string* text) {
  if (!CheckState(CHECK_NOT_BUSY)) return d_.resultCode;
  if (command == DIO_INTERNATIONAL) {
    std::lock_guard<std::mutex> guard(output_->PrintStateMutex());
    d_.print.internationalSet = static_cast<int8_t>(data ? (*data & 0xFF) : 0);
    d_.print.resendFlags |= RESEND_INTERNATIONAL;
    return Result(OPOS_SUCCESS);
  }
  std::string bytes;
  if (!DirectIOBytes(command, text ? *text : std::string(), &bytes)) return Result(OPOS_E_ILLEGAL);
  if (!bytes.empty()) output_->WritePort(bytes.data(), static_cast<int32_t>(bytes.size()));
  return Result(OPOS_SUCCESS);
}

// ---- CheckHealth -------------------------------------------------------

int32_t CPOSPrinter::InternalCheck() {
  Result(OPOS_SUCCESS);
  d_.checkHealthText = InitializePrinter(2) ? kHealthy : "CheckHealth: Failed";
  return OPOS_SUCCESS;
}

std::string CPOSPrinter::TestReceiptText() const {
  const std::string esc = "\x1B|";
  const std::string row(d_.print.recLineChars > 0 ? static_cast<size_t>(d_.print.recLineChars) : 0, '-');
  return "\n" + row + "\n" + esc + "rC" + esc + "cA" + d_.serviceObjectDescription + "\n" + esc + "N" + esc + "cA" +
         d_.deviceDescription + "\n" + d_.deviceName + "\n" + esc + "rC" + esc + "cA" + "Version " +
         VersionText(d_.serviceObjectVersion) + "\n" + esc + "N" + row + "\n" + esc + "fP";
}

int32_t CPOSPrinter::ExternalCheck() {
  std::string out;
  {
    std::lock_guard<std::mutex> guard(output_->PrintStateMutex());
    std::string text = TestReceiptText();
    const codepage::Table* table = TextCodePage();
    if (table && recoder_) text = recoder_(text, *table);
    d_.print.unicodeText = false;  // the package's own text, in the system code page
    TranslatePrintData(d_.print, text, &out);
  }
  output_->SubmitOutput(false, {out});
  d_.checkHealthText = d_.resultCode == OPOS_SUCCESS
                           ? kHealthy
                           : "CheckHealth: " + MakeErrorString(d_.resultCode, d_.resultCodeExtended);
  return d_.resultCode;
}

int32_t CPOSPrinter::CheckHealth(int32_t level) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED)) return d_.resultCode;
  switch (level) {
    case OPOS_CH_INTERNAL:
      return InternalCheck();
    case OPOS_CH_EXTERNAL:
      return ExternalCheck();
    case OPOS_CH_INTERACTIVE:
      // The dialog's Print button leaves its result here; without a press
      // the internal check answers.
      Result(-1);
      if (healthDialog_) healthDialog_(*this);
      if (d_.resultCode < 0) InternalCheck();
      return d_.resultCode;
    default:
      return Result(OPOS_E_ILLEGAL);
  }
}
