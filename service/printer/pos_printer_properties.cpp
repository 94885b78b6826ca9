// The four generic property methods. Reads never touch ResultCode; writes
// set it as each property's rule says. Unlisted indices read as 0 or an
// empty string, and writes to them change nothing.
#include <algorithm>

#include "common/opos.h"
#include "service/printer/character_set.h"
#include "service/printer/line_metrics.h"
#include "service/printer/page_mode_properties.h"
#include "service/printer/pos_printer.h"
#include "service/printer/printer_commands.h"
#include "service/printer/property_index.h"

using namespace opos;

namespace {

template <typename Row, size_t N>
const Row* FindRow(const Row (&rows)[N], int32_t index) {
  const Row* end = rows + N;
  const Row* row = std::lower_bound(rows, end, index, [](const Row& r, int32_t i) { return r.index < i; });
  return row != end && row->index == index ? row : nullptr;
}

}  // namespace

// ---- Reads -------------------------------------------------------------

int32_t CPOSPrinter::GetPropertyNumber(int32_t index) {
  struct Row {
    int32_t index;
    int32_t (*get)(const CPOSPrinter&);
  };
#define P(i, expr) {i, [](const CPOSPrinter& p) -> int32_t { return p.expr; }}
  // Sorted by index.
  static const Row kRows[] = {
      P(1, flags_.claimed), P(3, flags_.deviceEnabled), P(4, d_.freezeEvents), P(5, output_->OutputID()),
      P(6, d_.resultCode), P(7, d_.resultCodeExtended), P(8, d_.serviceObjectVersion), P(9, State()),
      P(11, d_.print.binaryConversion), P(13, flags_.powerNotify), P(14, output_->PowerState()),
      P(501, flags_.capPowerReporting), P(502, d_.capStatisticsReporting), P(503, d_.capUpdateStatistics),
      P(504, d_.capCompareFirmwareVersion), P(505, d_.capUpdateFirmware),
      P(8001, flags_.asyncMode), P(8002, d_.characterSet), P(8003, output_->CoverOpen()), P(8004, output_->ErrorStation()),
      P(8005, output_->FlagWhenIdle()), P(8013, d_.print.mapMode), P(8014, output_->RecEmpty()),
      P(8015, d_.recLetterQuality), P(8016, d_.print.recLineChars), P(8017, d_.recLineHeight),
      P(8018, d_.recLineSpacing), P(8019, d_.print.recLinesToPaperCut), P(8020, d_.recLineWidth),
      P(8021, output_->RecNearEnd()), P(8022, d_.recSidewaysMaxChars), P(8023, d_.recSidewaysMaxLines),
      P(8035, output_->ErrorLevel()), P(8036, d_.rotateSpecial), P(8037, flags_.cartridgeNotify),
      P(8040, output_->RecCartridgeState()), P(8041, flags_.recCurrentCartridge), P(8045, d_.mapCharacterSet),
      P(8046, d_.pageMode.descriptor), P(8047, d_.pageMode.horizontalPosition),
      P(8048, d_.pageMode.printDirection), P(8049, d_.pageMode.station), P(8050, d_.pageMode.verticalPosition),
      P(8501, d_.capConcurrentJrnRec), P(8502, d_.capConcurrentJrnSlp), P(8503, d_.capConcurrentRecSlp),
      P(8504, d_.capCoverSensor), P(8515, d_.capRec2Color), P(8516, d_.capRecBarCode),
      P(8517, d_.capRecBitmap), P(8518, d_.capRecBold), P(8519, d_.capRecDhigh), P(8520, d_.capRecDwide),
      P(8521, d_.capRecDwideDhigh), P(8522, d_.capRecEmptySensor), P(8523, d_.capRecItalic),
      P(8524, d_.capRecLeft90), P(8525, d_.capRecNearEndSensor), P(8526, d_.print.capRecPapercut),
      P(8527, d_.capRecPresent), P(8528, d_.capRecRight90), P(8529, d_.print.capRecRotate180),
      P(8530, d_.capRecStamp), P(8531, d_.capRecUnderline), P(8548, d_.capCharacterSet),
      P(8549, d_.capTransaction), P(8552, d_.capRecCartridgeSensor), P(8553, d_.print.capRecColor),
      P(8554, d_.capRecMarkFeed), P(8558, d_.capMapCharacterSet), P(8559, d_.capConcurrentPageMode),
      P(8560, d_.capRecPageMode), P(8561, d_.capSlpPageMode),
  };
#undef P
  const Row* row = FindRow(kRows, index);
  return row ? row->get(*this) : 0;
}

std::string CPOSPrinter::GetPropertyString(int32_t index) {
  struct Row {
    int32_t index;
    std::string (*get)(const CPOSPrinter&);
  };
#define P(i, expr) {i, [](const CPOSPrinter& p) -> std::string { return p.expr; }}
  // Sorted by index. Journal and slip lists (1008002, 1008004, 1008008) and
  // the slip bitmap rotations are always empty on a receipt printer.
  static const Row kRows[] = {
      P(1000001, d_.checkHealthText),       P(1000002, d_.deviceDescription),
      P(1000003, d_.deviceName),            P(1000004, d_.serviceObjectDescription),
      P(1008001, d_.characterSetList),      P(1008003, d_.recLineCharsList),
      P(1008005, output_->ErrorString()),            P(1008006, d_.fontTypefaceList),
      P(1008007, d_.recBarCodeRotationList), P(1008009, d_.recBitmapRotationList),
      P(1008011, d_.pageMode.area),         P(1008012, d_.pageMode.printArea),
  };
#undef P
  const Row* row = FindRow(kRows, index);
  return row ? row->get(*this) : std::string();
}

// ---- Writes ------------------------------------------------------------

void CPOSPrinter::SetPropertyString(int32_t index, const std::string& value) {
  if (index != pidx::PageModePrintArea) {
    d_.resultCodeExtended = 0;
    Result(OPOS_E_ILLEGAL);
    return;
  }
  Result(OPOS_SUCCESS);
  Result(SetPageModePrintArea(d_, value));
}

void CPOSPrinter::SetCharacterSet(int32_t value) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED)) return;
  std::lock_guard<std::mutex> guard(output_->PrintStateMutex());
  Result(ApplyCharacterSet(d_, value));
}

void CPOSPrinter::SetPowerNotify(int32_t value) {
  const bool allowed = !flags_.deviceEnabled && (value == 0 || value == 1) && flags_.capPowerReporting != 0;
  if (!allowed) {
    Result(OPOS_E_ILLEGAL);
    return;
  }
  flags_.powerNotify = value;
  if (value == 1) SetFreezeEvents(1);  // held until the next enable
  Result(OPOS_SUCCESS);
}

void CPOSPrinter::SetCartridgeNotify(int32_t value) {
  if (flags_.deviceEnabled) {
    Result(OPOS_E_ILLEGAL);
    return;
  }
  if (value == 0 || (value == 1 && d_.capRecCartridgeSensor != 0)) {
    flags_.cartridgeNotify = value;
    Result(OPOS_SUCCESS);
  }
}

void CPOSPrinter::SetRecCurrentCartridge(int32_t value) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED)) return;
  if ((value & d_.print.capRecColor) == 0) {
    Result(OPOS_E_ILLEGAL);
    return;
  }
  flags_.recCurrentCartridge = value;
  output_->SetRecCartridgeState(PTR_CART_OK);
  Result(OPOS_SUCCESS);
  using namespace printer_commands;
  if (d_.print.printerType == kInkPrinterType) WriteToPort(kInkStatus, static_cast<int32_t>(sizeof kInkStatus));
}

void CPOSPrinter::SetLineProperty(int32_t index, int32_t value) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED)) return;
  std::lock_guard<std::mutex> guard(output_->PrintStateMutex());
  switch (index) {
    case pidx::RecLetterQuality:
      d_.recLetterQuality = value;
      break;
    case pidx::RecLineChars:
      Result(ApplyRecLineChars(d_, value));
      break;
    case pidx::RecLineHeight:
      ApplyRecLineHeight(d_);
      break;
    case pidx::RecLineSpacing:
      ApplyRecLineSpacing(d_, value);
      break;
  }
}

void CPOSPrinter::SetPageModeNumber(int32_t index, int32_t value) {
  switch (index) {
    case pidx::PageModeHorizontalPosition:
      Result(SetPageModeHorizontalPosition(d_, value));
      break;
    case pidx::PageModePrintDirection:
      Result(SetPageModePrintDirection(d_, value));
      break;
    case pidx::PageModeStation:
      Result(SetPageModeStation(d_, value));
      break;
    case pidx::PageModeVerticalPosition:
      Result(SetPageModeVerticalPosition(d_, value));
      break;
  }
}

// Properties that are stored as given, or refused outside a range.
bool CPOSPrinter::SetStoredNumber(int32_t index, int32_t value) {
  switch (index) {
    case pidx::FreezeEvents:
      SetFreezeEvents(value);
      Result(OPOS_SUCCESS);
      return true;
    case pidx::BinaryConversion:
      if (value < OPOS_BC_NONE || value > OPOS_BC_DECIMAL) {
        Result(OPOS_E_ILLEGAL);
      } else {
        std::lock_guard<std::mutex> guard(output_->PrintStateMutex());
        d_.print.binaryConversion = value;
        Result(OPOS_SUCCESS);
      }
      return true;
    case pidx::AsyncMode:
      flags_.asyncMode = value;
      Result(OPOS_SUCCESS);
      return true;
    case pidx::MapMode: {
      std::lock_guard<std::mutex> guard(output_->PrintStateMutex());
      Result(ApplyMapMode(d_, value));
      return true;
    }
    case pidx::RotateSpecial:
      d_.rotateSpecial = value;
      Result(OPOS_SUCCESS);
      return true;
    case pidx::MapCharacterSet:
      // Turning mapping on needs a printer that can map.
      if (value && !d_.capMapCharacterSet) {
        Result(OPOS_E_ILLEGAL);
      } else {
        d_.mapCharacterSet = value ? 1 : 0;
        Result(OPOS_SUCCESS);
      }
      return true;
  }
  return false;
}

bool CPOSPrinter::UnicodeText() const { return ::UnicodeText(d_); }

const codepage::Table* CPOSPrinter::TextCodePage() const {
  if (!d_.mapCharacterSet || d_.print.binaryConversion != OPOS_BC_NONE) return nullptr;
  return CharacterSetTable(d_.characterSet);
}

void CPOSPrinter::SetPropertyNumber(int32_t index, int32_t value) {
  d_.resultCodeExtended = 0;
  if (SetStoredNumber(index, value)) return;
  switch (index) {
    case pidx::DeviceEnabled:
      SetDeviceEnabled(value);
      break;
    case pidx::PowerNotify:
      SetPowerNotify(value);
      break;
    case pidx::CharacterSet:
      SetCharacterSet(value);
      break;
    case pidx::FlagWhenIdle:
      output_->SetFlagWhenIdle(value);
      Result(OPOS_SUCCESS);
      break;
    case pidx::RecLetterQuality:
    case pidx::RecLineChars:
    case pidx::RecLineHeight:
    case pidx::RecLineSpacing:
      SetLineProperty(index, value);
      break;
    case pidx::CartridgeNotify:
      SetCartridgeNotify(value);
      break;
    case pidx::RecCurrentCartridge:
      SetRecCurrentCartridge(value);
      break;
    case pidx::PageModeHorizontalPosition:
    case pidx::PageModePrintDirection:
    case pidx::PageModeStation:
    case pidx::PageModeVerticalPosition:
      SetPageModeNumber(index, value);
      break;
  }
}
