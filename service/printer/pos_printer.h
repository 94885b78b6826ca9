// CPOSPrinter: the receipt printer's OPOS Service Object, portable part.
// The automation layer (service/server) converts BSTRs to 8-bit text in the
// ANSI code page and calls these members by the dispatch table's names.
// Every member is called on the thread that called OpenService.
#pragma once

#include <cstdint>
#include <string>

class IControlObject;

class CPOSPrinter {
 public:
  CPOSPrinter();
  ~CPOSPrinter();
  CPOSPrinter(const CPOSPrinter&) = delete;
  CPOSPrinter& operator=(const CPOSPrinter&) = delete;

  // Automation surface, in dispatch-table order.
  int32_t GetPropertyNumber(int32_t index);
  void SetPropertyNumber(int32_t index, int32_t value);
  std::string GetPropertyString(int32_t index);
  void SetPropertyString(int32_t index, const std::string& value);
  int32_t OpenService(const std::string& deviceClass, const std::string& deviceName, IControlObject* controlObject);
  int32_t Close();
  int32_t ClaimDevice(int32_t timeout);
  int32_t ReleaseDevice();
  int32_t CheckHealth(int32_t level);
  int32_t DirectIO(int32_t command, int32_t* data, std::string* text);
  int32_t COFreezeEvents(int32_t freeze);
  int32_t ClearOutput();
  int32_t BeginInsertion(int32_t timeout);
  int32_t BeginRemoval(int32_t timeout);
  int32_t EndInsertion();
  int32_t EndRemoval();
  int32_t CutPaper(int32_t percentage);
  int32_t PrintBarCode(int32_t station, const std::string& data, int32_t symbology, int32_t height, int32_t width,
                       int32_t alignment, int32_t textPosition);
  int32_t PrintBitmap(int32_t station, const std::string& fileName, int32_t width, int32_t alignment);
  int32_t PrintImmediate(int32_t station, const std::string& data);
  int32_t PrintNormal(int32_t station, const std::string& data);
  int32_t PrintTwoNormal(int32_t stations, const std::string& data1, const std::string& data2);
  int32_t RotatePrint(int32_t station, int32_t rotation);
  int32_t SetBitmap(int32_t bitmapNumber, int32_t station, const std::string& fileName, int32_t width,
                    int32_t alignment);
  int32_t SetLogo(int32_t location, const std::string& data);
  int32_t TransactionPrint(int32_t station, int32_t control);
  int32_t ValidateData(int32_t station, const std::string& data);
  int32_t ChangePrintSide(int32_t side);
  int32_t MarkFeed(int32_t type);
  int32_t ResetStatistics(const std::string& names);
  int32_t RetrieveStatistics(std::string* statistics);
  int32_t UpdateStatistics(const std::string& statistics);
  int32_t CompareFirmwareVersion(const std::string& fileName, int32_t* result);
  int32_t UpdateFirmware(const std::string& fileName);
  int32_t ClearPrintArea();
  int32_t pageModePrint(int32_t control);
};
