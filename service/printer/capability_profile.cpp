#include "service/printer/capability_profile.h"

#include "common/opos.h"
#include "common/profile.h"
#include "service/printer/character_set.h"
#include "service/printer/line_metrics.h"
#include "service/printer/page_mode_properties.h"

namespace {

constexpr char kCommon[] = "COMMON";
constexpr char kPrinter[] = "POSPRINTER";
constexpr char kDetail[] = "DETAIL";
constexpr char kDirectIo[] = "DIRECTIO";
constexpr int32_t kTwipsPerInch = 1440;

struct TextKey {
  const char* key;
  std::string& (*field)(PrinterData&);
};

struct NumberKey {
  const char* section;
  const char* key;
  int32_t& (*field)(PrinterData&);
};

#define TEXT(name, member) {name, [](PrinterData& d) -> std::string& { return d.member; }}
#define NUMBER(section, name, member) {section, name, [](PrinterData& d) -> int32_t& { return d.member; }}

constexpr TextKey kListKeys[] = {
    TEXT("RecBarCodeRotationList", recBarCodeRotationList),
    TEXT("CharacterSetList", characterSetList),
    TEXT("FontTypefaceList", fontTypefaceList),
    TEXT("RecLineCharsList", recLineCharsList),
    TEXT("MultiByteMode", multiByteMode),
    TEXT("SymbologyList", symbologyList),
};

// The common capabilities. Statistics are kept for every model, so the
// profiles' "CapStatisticsRporting" and "CapUpdateStatistics" are not read.
constexpr NumberKey kCommonKeys[] = {
    NUMBER(kCommon, "CapCompareFirmwareVersion", capCompareFirmwareVersion),
    NUMBER(kCommon, "CapUpdateFirmware", capUpdateFirmware),
};

constexpr NumberKey kCapabilityKeys[] = {
    NUMBER(kPrinter, "CapCoverSensor", capCoverSensor),
    NUMBER(kPrinter, "CapRec2Color", capRec2Color),
    NUMBER(kPrinter, "CapRecBarCode", capRecBarCode),
    NUMBER(kPrinter, "CapRecBitmap", capRecBitmap),
    NUMBER(kPrinter, "CapRecBold", capRecBold),
    NUMBER(kPrinter, "CapRecItalic", capRecItalic),
    NUMBER(kPrinter, "CapRecUnderline", capRecUnderline),
    NUMBER(kPrinter, "CapRecCartridgeSensor", capRecCartridgeSensor),
    NUMBER(kPrinter, "CapRecColor", print.capRecColor),
    NUMBER(kPrinter, "CapRecDhigh", capRecDhigh),
    NUMBER(kPrinter, "CapRecDwide", capRecDwide),
    NUMBER(kPrinter, "CapRecDwideDhigh", capRecDwideDhigh),
    NUMBER(kPrinter, "CapRecEmptySensor", capRecEmptySensor),
    NUMBER(kPrinter, "CapRecNearEndSensor", capRecNearEndSensor),
    NUMBER(kPrinter, "CapRecMarkFeed", capRecMarkFeed),
    NUMBER(kPrinter, "CapRecPapercut", print.capRecPapercut),
    NUMBER(kPrinter, "CapRecLeft90", capRecLeft90),
    NUMBER(kPrinter, "CapRecRight90", capRecRight90),
    NUMBER(kPrinter, "CapRecRotate180", print.capRecRotate180),
    NUMBER(kPrinter, "CapRecStamp", capRecStamp),
};

// Read after CharacterSet has been applied.
constexpr NumberKey kLineKeys[] = {
    NUMBER(kPrinter, "RecLineChars", print.recLineChars),
    NUMBER(kPrinter, "RecLineHeight", recLineHeight),
    NUMBER(kPrinter, "RecLineSpacing", recLineSpacing),
    NUMBER(kPrinter, "RecLineWidth", recLineWidth),
    NUMBER(kPrinter, "RecSidewaysMaxLines", recSidewaysMaxLines),
    NUMBER(kPrinter, "RecSidewaysMaxChars", recSidewaysMaxChars),
    NUMBER(kPrinter, "RecLinesToPaperCut", print.recLinesToPaperCut),
    NUMBER(kPrinter, "CapConcurrentPageMode", capConcurrentPageMode),
    NUMBER(kPrinter, "CapMapCharacterSet", capMapCharacterSet),
    NUMBER(kPrinter, "CapRecPageMode", capRecPageMode),
    NUMBER(kPrinter, "MapCharacterSet", mapCharacterSet),
};

constexpr NumberKey kDetailKeys[] = {
    NUMBER(kDetail, "LinecharsNormal", print.linecharsNormal),
    NUMBER(kDetail, "LinecharsCompressed", print.linecharsCompressed),
    NUMBER(kDetail, "DotsPerNormalChar", geometry.dotsPerNormalChar),
    NUMBER(kDetail, "DotsPerCompressedChar", geometry.dotsPerCompressedChar),
    NUMBER(kDetail, "DotsPerNormalCharHeight", geometry.dotsPerNormalCharHeight),
    NUMBER(kDetail, "DotsPerCompressedCharHeight", geometry.dotsPerCompressedCharHeight),
    NUMBER(kDetail, "DPIHIGH", print.dpiHigh),
    NUMBER(kDetail, "DPIWIDTH", print.dpiWidth),
};

#undef TEXT
#undef NUMBER

template <size_t N>
void ReadNumbers(const std::string& path, const NumberKey (&keys)[N], PrinterData& d) {
  for (const NumberKey& k : keys) k.field(d) = ReadProfileInt(path, k.section, k.key, 0);
}

int32_t ReadInt(const std::string& path, const char* section, const char* key) {
  return ReadProfileInt(path, section, key, 0);
}

void ReadPageMode(const std::string& path, PrinterData& d) {
  PageModeProperties& p = d.pageMode;
  p.area = ReadProfileString(path, kPrinter, "PageModeArea");
  p.descriptor = ReadInt(path, kPrinter, "PageModeDescriptor");
  p.horizontalPosition = ReadInt(path, kPrinter, "PageModeHorizontalPosition");
  p.printArea = ReadProfileString(path, kPrinter, "PageModePrintArea");
  p.printDirection = ReadInt(path, kPrinter, "PageModePrintDirection");
  p.station = ReadInt(path, kPrinter, "PageModeStation");
  p.verticalPosition = ReadInt(path, kPrinter, "PageModeVerticalPosition");
  // Their results do not count: the line-character step below decides.
  SetPageModePrintArea(d, p.printArea);
  SetPageModeVerticalPosition(d, p.verticalPosition);
  SetPageModeHorizontalPosition(d, p.horizontalPosition);
}

// False when the profile gives no resolution to convert with.
bool FillResolution(PrinterData& d) {
  const int32_t high = d.print.dpiHigh;
  const int32_t wide = d.print.dpiWidth;
  if (high <= 0 || wide <= 0) return false;
  d.print.units = MakeUnitTables(high, wide);
  d.metrics.verticalTwipsPerDot = kTwipsPerInch / high;
  return true;
}

}  // namespace

int32_t ReadCapabilityProfile(const std::string& path, PrinterData& d) {
  for (const TextKey& k : kListKeys) k.field(d) = ReadProfileString(path, kPrinter, k.key);
  ReadNumbers(path, kCommonKeys, d);
  ReadNumbers(path, kCapabilityKeys, d);
  if (d.capRecCartridgeSensor == -1) d.capRecCartridgeSensor = 0;
  d.characterSet = ReadInt(path, kPrinter, "CharacterSet");
  ApplyCharacterSet(d, d.characterSet);  // an unknown set keeps the code page
  ReadNumbers(path, kLineKeys, d);
  d.metrics.defaultLineSpacingDots = d.recLineSpacing;
  d.metrics.lineWidthDots = d.recLineWidth;
  ReadPageMode(path, d);
  d.recBitmapRotationList = ReadProfileString(path, kPrinter, "RecBitmapRotationList");
  ReadNumbers(path, kDetailKeys, d);
  const bool resolved = FillResolution(d);
  d.print.diInternational = ReadInt(path, kDirectIo, "DIINTERNATIONAL");

  LineMetricsToDots(d);
  BuildUnicodeModel(d);
  int32_t rc = ApplyRecLineChars(d, d.print.linecharsNormal);
  if (d.print.recLineChars == 0 || d.recLineWidth == 0 || !resolved) rc = opos::OPOS_E_ILLEGAL;
  return rc;
}
