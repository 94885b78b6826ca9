// The plain data of one CPOSPrinter: identity, OPOS properties, the
// capability profile's values and the derived line metrics. Each printer
// object owns one; nothing here is shared between objects. The rules that
// change these values (line metrics, character set, page mode) are free
// functions over this struct so they can be tested without a device.
//
// Threads: the Control Object's thread owns it, except `print`, which the
// output thread also uses: writes to it are made under the output path's
// PrintStateMutex. Settings other threads read (claimed, enabled, async
// mode...) are in PrinterFlags; status values and output ids live with the
// output path.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/opos.h"
#include "service/pipeline/print_state.h"
#include "service/printer/job_tally.h"

// Page-mode properties: station, direction, positions and print area, each
// with its value in dots where one exists.
struct PageModeProperties {
  int32_t descriptor = 0;
  int32_t station = 0;
  int32_t printDirection = 0;
  int32_t horizontalPosition = 0, horizontalPositionDots = 0;
  int32_t verticalPosition = 0, verticalPositionDots = 0;
  std::string area;       // "w,h" from the profile
  std::string printArea;  // "x,y,w,h" as last accepted
  int32_t printAreaUnits[4] = {0, 0, 0, 0};
  int32_t printAreaDots[4] = {0, 0, 0, 0};
  bool geometryChanged = false;
  // The page being collected: while active, every submission goes here.
  bool active = false;
  std::vector<std::string> buffer;
  JobTally tally;  // what the page puts on paper, counted each time it prints
};

// Line metrics in dots; the OPOS properties hold them in MapMode units.
struct LineMetrics {
  int32_t lineHeightDots = 0;
  int32_t lineWidthDots = 0;
  int32_t defaultLineSpacingDots = 0;  // profile "RecLineSpacing"
  int32_t verticalTwipsPerDot = 8;     // 1440 / DPIHIGH
};

// The profile's DETAIL character geometry (characters per line live in
// PrintState, which the pipeline reads).
struct CharacterGeometry {
  int32_t dotsPerNormalChar = 0;
  int32_t dotsPerCompressedChar = 0;
  int32_t dotsPerNormalCharHeight = 0;
  int32_t dotsPerCompressedCharHeight = 0;
};

struct PrinterData {
  // Identity and configuration (OpenService).
  std::string deviceKey;
  std::string deviceName = "Not Select";
  std::string deviceDescription = "Not Select";
  std::string serviceObjectDescription;
  int32_t serviceObjectVersion = 1009003;
  std::string profilePath;

  // Common properties.
  int32_t resultCode = 0;
  int32_t resultCodeExtended = 0;
  int32_t freezeEvents = 0;
  std::string checkHealthText = "Not Excuted";  // as a never-opened object reports it

  // Common capabilities (profile COMMON).
  int32_t capCompareFirmwareVersion = 0;
  int32_t capStatisticsReporting = 1;  // statistics are always kept
  int32_t capUpdateFirmware = 0;
  int32_t capUpdateStatistics = 1;

  // Fixed printer capabilities.
  int32_t capCharacterSet = 998;
  int32_t capTransaction = 1;
  int32_t capRecPresent = 1;
  int32_t capConcurrentJrnRec = 0;
  int32_t capConcurrentJrnSlp = 0;
  int32_t capConcurrentRecSlp = 0;
  int32_t capSlpPageMode = 0;

  // Printer capabilities from the profile (colour, cut and 180-degree
  // rotation live in PrintState).
  int32_t capCoverSensor = 0;
  int32_t capRec2Color = 0;
  int32_t capRecBarCode = 0;
  int32_t capRecBitmap = 0;
  int32_t capRecBold = 0;
  int32_t capRecItalic = 0;
  int32_t capRecUnderline = 0;
  int32_t capRecCartridgeSensor = 15;
  int32_t capRecDhigh = 0;
  int32_t capRecDwide = 0;
  int32_t capRecDwideDhigh = 0;
  int32_t capRecEmptySensor = 0;
  int32_t capRecNearEndSensor = 0;
  int32_t capRecMarkFeed = 0;
  int32_t capRecLeft90 = 0;
  int32_t capRecRight90 = 0;
  int32_t capRecStamp = 0;
  int32_t capConcurrentPageMode = 0;
  int32_t capMapCharacterSet = 0;
  int32_t capRecPageMode = 0;

  // Printer properties.
  int32_t characterSet = 0;
  int32_t recLetterQuality = 0;
  int32_t recLineHeight = 0;
  int32_t recLineSpacing = 0;
  int32_t recLineWidth = 0;
  int32_t recSidewaysMaxLines = 0;
  int32_t recSidewaysMaxChars = 0;
  int32_t rotateSpecial = 1;
  int32_t mapCharacterSet = 0;

  // Text lists from the profile.
  std::string characterSetList;
  // "UTF8" on models that print UTF-8 (FS ( C); "ShiftJIS", "GB18030",
  // "Big5" or "KSC5601" on those with that code in Kanji mode (FS &).
  std::string multiByteMode;
  std::string recLineCharsList;
  std::string fontTypefaceList;
  std::string recBarCodeRotationList;
  std::string recBitmapRotationList;
  std::string symbologyList;  // the optional symbologies the model prints

  PageModeProperties pageMode;
  LineMetrics metrics;
  CharacterGeometry geometry;

  // What the print pipeline reads: map mode, line characters, resolution,
  // code page, resend flags and the conversion tables.
  PrintState print;
};
