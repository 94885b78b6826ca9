// Every property index a Control Object can reach, read and written by
// index through IDispatch on an open, claimed and enabled printer. The
// expected values follow the device entry run-e2e.sh writes and the
// profile e2e-printer.inf (203 dpi, 48 or 64 characters, 576 dots wide).
#include "e2e_fixture.h"
#include "scratch_registry.h"

namespace {

struct NumberRow {
  long index;
  const char* name;
  long expected;
};

// Values right after open, claim and enable (MapMode dots).
const NumberRow kNumbers[] = {
    {1, "Claimed", 1},
    {3, "DeviceEnabled", 1},
    {4, "FreezeEvents", 0},
    {5, "OutputID", 0},
    {6, "ResultCode", 0},
    {7, "ResultCodeExtended", 0},
    {8, "ServiceObjectVersion", 1009003},  // "Version" 1.9.3
    {9, "State", 2},
    {11, "BinaryConversion", 0},
    {13, "PowerNotify", 0},
    {14, "PowerState", 2000},  // unknown without PowerNotify
    {501, "CapPowerReporting", 1},
    {502, "CapStatisticsReporting", 1},
    {503, "CapUpdateStatistics", 1},
    {504, "CapCompareFirmwareVersion", 0},
    {505, "CapUpdateFirmware", 0},
    {8001, "AsyncMode", 0},
    {8002, "CharacterSet", 998},
    {8003, "CoverOpen", 0},
    {8004, "ErrorStation", 0},
    {8005, "FlagWhenIdle", 0},
    {8013, "MapMode", 1},
    {8014, "RecEmpty", 0},
    {8015, "RecLetterQuality", 0},
    {8016, "RecLineChars", 48},
    {8017, "RecLineHeight", 24},
    {8018, "RecLineSpacing", 30},
    {8019, "RecLinesToPaperCut", 4},
    {8020, "RecLineWidth", 576},
    {8021, "RecNearEnd", 0},
    {8022, "RecSidewaysMaxChars", 48},
    {8023, "RecSidewaysMaxLines", 24},
    {8035, "ErrorLevel", 1},
    {8036, "RotateSpecial", 1},
    {8037, "CartridgeNotify", 0},
    {8040, "RecCartridgeState", 0x10000000},
    {8041, "RecCurrentCartridge", 1},
    {8045, "MapCharacterSet", 1},
    {8046, "PageModeDescriptor", 0},
    {8047, "PageModeHorizontalPosition", 0},
    {8048, "PageModePrintDirection", 1},
    {8049, "PageModeStation", 2},
    {8050, "PageModeVerticalPosition", 0},
    {8501, "CapConcurrentJrnRec", 0},
    {8502, "CapConcurrentJrnSlp", 0},
    {8503, "CapConcurrentRecSlp", 0},
    {8504, "CapCoverSensor", 1},
    {8515, "CapRec2Color", 0},
    {8516, "CapRecBarCode", 1},
    {8517, "CapRecBitmap", 1},
    {8518, "CapRecBold", 1},
    {8519, "CapRecDhigh", 1},
    {8520, "CapRecDwide", 1},
    {8521, "CapRecDwideDhigh", 1},
    {8522, "CapRecEmptySensor", 1},
    {8523, "CapRecItalic", 0},
    {8524, "CapRecLeft90", 1},
    {8525, "CapRecNearEndSensor", 1},
    {8526, "CapRecPapercut", 1},
    {8527, "CapRecPresent", 1},
    {8528, "CapRecRight90", 1},
    {8529, "CapRecRotate180", 1},
    {8530, "CapRecStamp", 0},
    {8531, "CapRecUnderline", 1},
    {8548, "CapCharacterSet", 998},
    {8549, "CapTransaction", 1},
    {8552, "CapRecCartridgeSensor", 0},
    {8553, "CapRecColor", 1},
    {8554, "CapRecMarkFeed", 0},
    {8558, "CapMapCharacterSet", 1},
    {8559, "CapConcurrentPageMode", 0},
    {8560, "CapRecPageMode", 1},
    {8561, "CapSlpPageMode", 0},
};

// Indices the printer does not answer: they read as 0.
const long kUnlistedNumbers[] = {0, 2, 10, 12, 15, 500, 506, 8006, 8024, 8042, 8505, 8562, 1000001, -1};

struct TextRow {
  long index;
  const char* name;
  const char* expected;
};

const TextRow kTexts[] = {
    {1000001, "CheckHealthText", "Not Executed"},
    {1000002, "DeviceDescription", "End-to-end receipt printer"},
    {1000003, "DeviceName", "E2E-80"},
    {1000004, "ServiceObjectDescription", "Tavo receipt printer service object"},
    {1008001, "CharacterSetList", "998,437,850,858,1252,737,775,852,855,857,862,865,866,874,1251,1253,1254,1255,1257,997"},
    {1008002, "JrnLineCharsList", ""},
    {1008003, "RecLineCharsList", "48,64"},
    {1008004, "SlpLineCharsList", ""},
    {1008005, "ErrorString", ""},
    {1008006, "FontTypefaceList", ""},
    {1008007, "RecBarCodeRotationList", "0,R90,L90,180"},
    {1008008, "SlpBarCodeRotationList", ""},
    {1008009, "RecBitmapRotationList", "0,R90,L90,180"},
    {1008010, "SlpBitmapRotationList", ""},
    {1008011, "PageModeArea", "576,1662"},
    {1008012, "PageModePrintArea", "0,0,0,0"},
    {1000005, "(none)", ""},
    {1008013, "(none)", ""},
    {8001, "(a number index)", ""},
};

class Properties : public PrinterE2e {
 protected:
  void SetUp() override {
    PrinterE2e::SetUp();
    if (!HasFatalFailure()) OpenClaimEnable();
  }

  // Writes a number and returns the ResultCode it left.
  long Write(long index, long value) {
    printer_.SetNumber(index, value);
    return printer_.Number(PIDX_ResultCode);
  }
  long WriteText(long index, const std::string& value) {
    printer_.Call(L"SetPropertyString", {PrinterSession::Long(index), PrinterSession::Bytes(value)});
    return printer_.Number(PIDX_ResultCode);
  }
  void ExpectLineMetrics(long height, long spacing, long width) {
    EXPECT_EQ(printer_.Number(8017), height) << "RecLineHeight";
    EXPECT_EQ(printer_.Number(8018), spacing) << "RecLineSpacing";
    EXPECT_EQ(printer_.Number(8020), width) << "RecLineWidth";
  }
};

// ---- Reads ---------------------------------------------------------------

TEST_F(Properties, EveryNumberIndexReadsTheFixtureValue) {
  for (const NumberRow& row : kNumbers) {
    EXPECT_EQ(printer_.Number(row.index), row.expected) << row.index << " " << row.name;
  }
  for (long index : kUnlistedNumbers) EXPECT_EQ(printer_.Number(index), 0) << "unlisted index " << index;
}

TEST_F(Properties, EveryStringIndexReadsTheFixtureText) {
  for (const TextRow& row : kTexts) {
    EXPECT_EQ(printer_.Text(row.index), row.expected) << row.index << " " << row.name;
  }
}

TEST_F(Properties, ReadsLeaveAFailedResultCodeInPlace) {
  ASSERT_EQ(Write(11, 3), 106);  // BinaryConversion out of range
  for (const NumberRow& row : kNumbers) printer_.Number(row.index);
  for (long index : kUnlistedNumbers) printer_.Number(index);
  for (const TextRow& row : kTexts) printer_.Text(row.index);
  EXPECT_EQ(printer_.Number(PIDX_ResultCode), 106);
}

// ---- Stored numbers ------------------------------------------------------

TEST_F(Properties, PlainNumbersAreStoredAndOutOfRangeOnesRefused) {
  struct Case {
    long index;
    const char* name;
    long value;
    long result;
    long readBack;
  };
  const Case cases[] = {
      {4, "FreezeEvents", 1, 0, 1},       {4, "FreezeEvents", 0, 0, 0},
      {11, "BinaryConversion", 2, 0, 2},  {11, "BinaryConversion", 3, 106, 2},
      {11, "BinaryConversion", -1, 106, 2}, {11, "BinaryConversion", 1, 0, 1},
      {11, "BinaryConversion", 0, 0, 0},  {8001, "AsyncMode", 1, 0, 1},
      {8001, "AsyncMode", 0, 0, 0},       {8036, "RotateSpecial", 0, 0, 0},
      {8036, "RotateSpecial", 1, 0, 1},   {8015, "RecLetterQuality", 1, 0, 1},
      {8015, "RecLetterQuality", 0, 0, 0}, {8013, "MapMode", 0, 106, 1},
      {8013, "MapMode", 5, 106, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Write(c.index, c.value), c.result) << c.name << " = " << c.value;
    EXPECT_EQ(printer_.Number(PIDX_ResultCodeExtended), 0) << c.name << " = " << c.value;
    EXPECT_EQ(printer_.Number(c.index), c.readBack) << c.name << " after writing " << c.value;
  }
}

TEST_F(Properties, WritesToReadOnlyOrUnknownIndicesChangeNothing) {
  const long readOnly[] = {1, 5, 6, 7, 8, 9, 14, 501, 8003, 8014, 8020, 8504, 2, 9999};
  ASSERT_EQ(Write(11, 9), 106);
  for (long index : readOnly) {
    long before = printer_.Number(index);
    printer_.SetNumber(index, 77);
    EXPECT_EQ(printer_.Number(index), before) << "index " << index;
    EXPECT_EQ(printer_.Number(PIDX_ResultCode), 106) << "index " << index << " changed ResultCode";
  }
  ASSERT_EQ(Write(11, 0), 0);
  printer_.SetNumber(8014, 1);
  EXPECT_EQ(printer_.Number(PIDX_ResultCode), 0);
}

TEST_F(Properties, EveryWriteClearsAnEarlierExtendedResult) {
  size_t mark = recorder_->Count();
  ControlOk("cover open");
  ASSERT_TRUE(WaitForStatus(11, mark)) << recorder_->Describe();
  ASSERT_EQ(printer_.PrintNormal("E2E blocked\n"), 114);
  ASSERT_EQ(printer_.Number(PIDX_ResultCodeExtended), 201);
  // An unknown index changes neither code but still clears the extended one.
  printer_.SetNumber(9999, 1);
  EXPECT_EQ(printer_.Number(PIDX_ResultCode), 114);
  EXPECT_EQ(printer_.Number(PIDX_ResultCodeExtended), 0);

  ASSERT_EQ(printer_.PrintNormal("E2E blocked\n"), 114);
  EXPECT_EQ(Write(11, 4), 106);
  EXPECT_EQ(printer_.Number(PIDX_ResultCodeExtended), 0);

  ASSERT_EQ(printer_.PrintNormal("E2E blocked\n"), 114);
  EXPECT_EQ(WriteText(1000001, "x"), 106);
  EXPECT_EQ(printer_.Number(PIDX_ResultCodeExtended), 0);
}

// ---- Line metrics ----------------------------------------------------------

TEST_F(Properties, MapModeReadsTheLineMetricsInItsUnit) {
  // 203 dpi: 24 dots high, 30 dots spacing, 576 dots wide.
  struct Case {
    long mode;
    long height, spacing, width;
  };
  const Case cases[] = {
      {2, 168, 210, 4086},  // twips: 1440 / 203 = 7 per dot vertically
      {3, 118, 148, 2837},  // thousandths of an inch
      {4, 300, 375, 7207},  // hundredths of a millimetre
      {1, 24, 30, 576},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    ASSERT_EQ(Write(8013, c.mode), 0);
    EXPECT_EQ(printer_.Number(8013), c.mode);
    ExpectLineMetrics(c.height, c.spacing, c.width);
  }
}

TEST_F(Properties, RecLineCharsSnapsToTheNormalOrTheCompressedFont) {
  struct Case {
    long value, result, readBack;
  };
  const Case cases[] = {{30, 0, 48}, {50, 0, 64}, {64, 0, 64}, {70, 106, 64}, {5, 0, 48}, {49, 0, 64}, {48, 0, 48}};
  for (const Case& c : cases) {
    EXPECT_EQ(Write(8016, c.value), c.result) << "RecLineChars = " << c.value;
    EXPECT_EQ(printer_.Number(8016), c.readBack) << "RecLineChars = " << c.value;
    EXPECT_EQ(printer_.Number(8020), 576) << "the paper width does not follow the font";
  }
}

TEST_F(Properties, RecLineSpacingIsLimitedInDotsAndSetsTheLinesToTheCutter) {
  // (height 24 + spacing + 143 dots to the cutter) / spacing.
  struct Case {
    long value, readBack, linesToCut;
  };
  const Case cases[] = {{100, 50, 4}, {5, 12, 14}, {30, 30, 6}, {50, 50, 4}, {12, 12, 14}};
  for (const Case& c : cases) {
    EXPECT_EQ(Write(8018, c.value), 0) << "RecLineSpacing = " << c.value;
    EXPECT_EQ(printer_.Number(8018), c.readBack) << "RecLineSpacing = " << c.value;
    EXPECT_EQ(printer_.Number(8019), c.linesToCut) << "RecLineSpacing = " << c.value;
  }
  // In twips the limits apply to the dots: 700 twips is 100 dots.
  ASSERT_EQ(Write(8013, 2), 0);
  EXPECT_EQ(Write(8018, 700), 0);
  EXPECT_EQ(printer_.Number(8018), 350);
}

TEST_F(Properties, RecLineHeightTakesTheFontHeightAndTheDefaultSpacing) {
  ASSERT_EQ(Write(8018, 40), 0);
  EXPECT_EQ(Write(8017, 99), 0);
  ExpectLineMetrics(24, 30, 576);  // normal font: 24 dots, profile spacing 30
  ASSERT_EQ(Write(8016, 64), 0);
  EXPECT_EQ(Write(8017, 1), 0);
  ExpectLineMetrics(17, 30, 576);  // compressed font height
  ASSERT_EQ(Write(8013, 2), 0);
  ExpectLineMetrics(119, 210, 4086);
}

// ---- Character set ---------------------------------------------------------

TEST_F(Properties, CharacterSetFollowsTheCodePageTable) {
  struct Case {
    long value, result, readBack;
  };
  const Case cases[] = {{437, 0, 437}, {861, 106, 437}, {0, 106, 437}, {1252, 0, 1252}, {858, 0, 858}};
  for (const Case& c : cases) {
    EXPECT_EQ(Write(8002, c.value), c.result) << "CharacterSet = " << c.value;
    EXPECT_EQ(printer_.Number(8002), c.readBack) << "CharacterSet = " << c.value;
  }
  // 858 on a printer whose name does not begin with "PX-AA" is ESC t 19.
  CommandLog log;
  ASSERT_EQ(printer_.PrintNormal("E2E code page\n"), 0);
  ASSERT_TRUE(WaitForText(log, "E2E code page"));
  EXPECT_GT(HexOccurrences(log.HexSince(), "1b7413"), 0) << log.HexSince();
}

// Entries that differ from the run's own: the version's last component and
// the euro code page of the "PX-AA" models.
using EntryProperties = PrinterE2e;

TEST_F(EntryProperties, VersionTakesTheNumberAfterTheLastPoint) {
  struct Case {
    const char* version;
    long expected;
  };
  for (const Case& c : {Case{"1.9.12", 1009012}, Case{"19", 1009000}, Case{"2.0.", 1009000}}) {
    ScratchDeviceEntry entry("E2EScratchEntry");
    ASSERT_TRUE(entry.Ready());
    entry.SetText("Version", c.version);
    PrinterSession printer;
    ASSERT_TRUE(printer.Create());
    ASSERT_EQ(printer.Open(entry.Name(), recorder_), 0);
    EXPECT_EQ(printer.Number(8), c.expected) << c.version;
    EXPECT_EQ(printer.Close(), 0);
  }
}

TEST_F(EntryProperties, EuroCodePageOnAPxAaModelIsEscT11) {
  ScratchDeviceEntry entry("E2EScratchEntry");
  ASSERT_TRUE(entry.Ready());
  entry.SetText("DeviceName", "PX-AA80");
  ASSERT_EQ(printer_.Open(entry.Name(), recorder_), 0);
  ASSERT_EQ(printer_.Claim(), 0);
  printer_.SetNumber(PIDX_DeviceEnabled, 1);
  ASSERT_EQ(printer_.Number(PIDX_ResultCode), 0);
  EXPECT_EQ(printer_.Text(1000003), "PX-AA80");
  printer_.SetNumber(8002, 858);
  ASSERT_EQ(printer_.Number(PIDX_ResultCode), 0);
  CommandLog log;
  ASSERT_EQ(printer_.PrintNormal("E2E euro page\n"), 0);
  ASSERT_TRUE(WaitForText(log, "E2E euro page"));
  EXPECT_GT(HexOccurrences(log.HexSince(), "1b740b"), 0) << log.HexSince();
  EXPECT_EQ(HexOccurrences(log.HexSince(), "1b7413"), 0) << log.HexSince();
}

// ---- Notifications and cartridges -------------------------------------------

TEST_F(Properties, PowerNotifyAndCartridgeNotifyAreSetOnlyWhileDisabled) {
  EXPECT_EQ(Write(13, 1), 106);
  EXPECT_EQ(printer_.Number(13), 0);
  EXPECT_EQ(Write(8037, 0), 106);

  printer_.SetNumber(PIDX_DeviceEnabled, 0);
  ASSERT_EQ(printer_.Number(PIDX_ResultCode), 0);
  EXPECT_EQ(Write(13, 2), 106);
  EXPECT_EQ(printer_.Number(13), 0);
  EXPECT_EQ(Write(13, 1), 0);
  EXPECT_EQ(printer_.Number(13), 1);
  EXPECT_EQ(Write(13, 0), 0);

  EXPECT_EQ(Write(8037, 0), 0);
  // No cartridge sensor: 1 is not taken, and ResultCode stays as it was.
  ASSERT_EQ(Write(11, 5), 106);
  printer_.SetNumber(8037, 1);
  EXPECT_EQ(printer_.Number(PIDX_ResultCode), 106);
  EXPECT_EQ(printer_.Number(8037), 0);

  printer_.SetNumber(PIDX_DeviceEnabled, 1);
  EXPECT_EQ(printer_.Number(PIDX_ResultCode), 0);
  EXPECT_EQ(printer_.Number(PIDX_FreezeEvents), 0);
}

TEST_F(Properties, RecCurrentCartridgeMustBeOneOfTheColours) {
  EXPECT_EQ(Write(8041, 2), 106);  // CapRecColor is primary only
  EXPECT_EQ(printer_.Number(8041), 1);
  EXPECT_EQ(Write(8041, 1), 0);
  EXPECT_EQ(printer_.Number(8041), 1);
  EXPECT_EQ(printer_.Number(8040), 0x10000000);
}

// ---- Page mode -------------------------------------------------------------

TEST_F(Properties, PageModeNumbersAreCheckedAndStored) {
  struct Case {
    long index;
    const char* name;
    long value, result, readBack;
  };
  const Case cases[] = {
      {8047, "PageModeHorizontalPosition", 100, 0, 100}, {8047, "PageModeHorizontalPosition", -1, 106, 100},
      {8050, "PageModeVerticalPosition", 40, 0, 40},     {8050, "PageModeVerticalPosition", -5, 106, 40},
      {8048, "PageModePrintDirection", 3, 0, 3},         {8048, "PageModePrintDirection", 0, 106, 3},
      {8048, "PageModePrintDirection", 5, 106, 3},       {8049, "PageModeStation", 4, 0, 4},
      {8049, "PageModeStation", 1, 106, 4},              {8049, "PageModeStation", 2, 0, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Write(c.index, c.value), c.result) << c.name << " = " << c.value;
    EXPECT_EQ(printer_.Number(c.index), c.readBack) << c.name << " after " << c.value;
  }
}

TEST_F(Properties, OnlyThePrintAreaTakesAString) {
  EXPECT_EQ(WriteText(1008012, "10,20,300,400"), 0);
  EXPECT_EQ(printer_.Text(1008012), "10,20,300,400");
  EXPECT_EQ(WriteText(1008012, "0,0,100"), 106);
  EXPECT_EQ(printer_.Text(1008012), "10,20,300,400");
  for (long index : {1000001L, 1000003L, 1008001L, 1008011L, 8001L}) {
    std::string before = printer_.Text(index);
    EXPECT_EQ(WriteText(index, "changed"), 106) << index;
    EXPECT_EQ(printer_.Number(PIDX_ResultCodeExtended), 0) << index;
    EXPECT_EQ(printer_.Text(index), before) << index;
  }
}

// ---- Preconditions of the claimed-and-enabled writes ------------------------

TEST_F(Properties, ClaimedAndEnabledWritesAreRefusedOtherwise) {
  const long guarded[] = {8002, 8015, 8016, 8017, 8018, 8041};
  printer_.SetNumber(PIDX_DeviceEnabled, 0);
  ASSERT_EQ(printer_.Number(PIDX_ResultCode), 0);
  for (long index : guarded) EXPECT_EQ(Write(index, 1), 105) << "disabled, index " << index;
  EXPECT_EQ(printer_.Number(8002), 998);
  EXPECT_EQ(printer_.Number(8015), 0);

  ASSERT_EQ(printer_.Release(), 0);
  for (long index : guarded) EXPECT_EQ(Write(index, 1), 103) << "released, index " << index;
  EXPECT_EQ(Write(PIDX_DeviceEnabled, 1), 103);
  // Writes without a precondition still work while released.
  EXPECT_EQ(Write(11, 1), 0);
  EXPECT_EQ(Write(8013, 3), 0);
  EXPECT_EQ(printer_.Number(8017), 118);

  EXPECT_EQ(printer_.Close(), 0);
  EXPECT_EQ(printer_.Number(PIDX_State), 1);
  EXPECT_EQ(printer_.Number(PIDX_Claimed), 0);
  EXPECT_EQ(printer_.Number(PIDX_DeviceEnabled), 0);
}

}  // namespace
