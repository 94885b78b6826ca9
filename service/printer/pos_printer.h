// CPOSPrinter: the receipt printer's OPOS Service Object, portable part.
// The automation layer (service/server) converts BSTRs to 8-bit text in the
// ANSI code page and calls these members by the dispatch table's names.
// Every member is called on the thread that called OpenService.
//
// Threads: the Control Object's thread owns everything here. State is
// under stateMutex_; the output thread and the port's monitor thread read
// flags_ and reach the printer through OutputHost and PortUser.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "common/codepage/code_page.h"
#include "portmgr/portmgr_api.h"
#include "service/common/device_entry.h"
#include "service/common/port_client.h"
#include "service/common/service_claim.h"
#include "service/common/service_statistics.h"
#include "service/printer/event_queue.h"
#include "service/printer/printer_data.h"
#include "service/printer/output_path.h"
#include "service/printer/output_port.h"
#include "service/printer/printer_flags.h"
#include "service/printer/printer_statistics.h"

class IControlObject;
class CPortManager;

class CPOSPrinter {
 public:
  CPOSPrinter();
  ~CPOSPrinter();  // closes the service if it is still open
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

  // Shared precondition check of the printer methods. Bits: 1 claimed,
  // 2 enabled, 4 not busy (passes in AsyncMode). Clears ResultCode and
  // ResultCodeExtended, then stops at the first failing bit with 103, 105
  // or 113 in ResultCode.
  enum CheckBits : int32_t { CHECK_CLAIMED = 1, CHECK_ENABLED = 2, CHECK_NOT_BUSY = 4 };
  bool CheckState(int32_t flags);

  // The handshake: takes the port lock without waiting, selects the printer
  // and sets up its paper sensors; mode 2 also initialises it. True only if
  // every write went out in full. The time-out is not used.
  bool InitializePrinter(int32_t mode, int32_t timeout = 0);

  // The device's port settings as read by OpenService (tests and the
  // output path read them).
  const DeviceEntry& Entry() const { return entry_; }

  // The health checks: the handshake (text only) and the printed test
  // receipt (synchronous; ResultCode and text). The interactive level
  // shows the dialog set here, which may run the printed one.
  int32_t InternalCheck();
  int32_t ExternalCheck();
  std::string TestReceiptText() const;
  void SetHealthDialog(std::function<void(CPOSPrinter&)> dialog) { healthDialog_ = std::move(dialog); }

  // International text. While MapCharacterSet is on, BinaryConversion is
  // off and CharacterSet has a known table, the text of print data is
  // mapped from Unicode into that table (the COM layer does it at the
  // automation boundary); otherwise nullptr, and text stays in the system
  // code page. Read on the calling thread.
  const codepage::Table* TextCodePage() const;
  // CharacterSet 997 with MapCharacterSet on and no BinaryConversion: the
  // COM layer hands print text as UTF-8 and the pipeline encodes it.
  bool UnicodeText() const;
  // Maps the package's own 8-bit text (system code page) into a table, for
  // the test receipt; set by the COM layer, which knows the system code
  // page. Unset, such text goes as it is.
  using TextRecoder = std::function<std::string(const std::string& text, const codepage::Table& table)>;
  void SetTextRecoder(TextRecoder recoder) { recoder_ = std::move(recoder); }

 private:
  class PortUser;
  class OutputHost;
  class EventHost;

  int32_t Result(int32_t rc);  // stores rc in ResultCode and returns it
  int32_t Unsupported();
  int32_t State() const;
  void SetState(int32_t state);

  // OpenService steps.
  int32_t ReadConfiguration(const std::string& deviceName);
  bool LinkControlObject(IControlObject* controlObject);
  OutputConfig MakeOutputConfig() const;
  void StartWorkers();
  void StopWorkers();

  // Claim, enable and release steps.
  CPortManager* Port() const;
  int32_t WriteToPort(const uint8_t* bytes, int32_t length);
  void SetDeviceEnabled(int32_t value);
  void Enable();
  void Disable();
  void DropQueuedEvents();

  // Event records from the output path and the status handlers.
  void PostStatusUpdate(int32_t status);
  void PostOutputComplete(int32_t outputId);
  void PostError(int32_t resultCode, int32_t resultCodeExtended);

  // The application's event gate (FreezeEvents).
  void SetFreezeEvents(int32_t value);

  // Property writes that need more than a store. Those that change the
  // pipeline's PrintState hold the output path's PrintStateMutex.
  void SetCharacterSet(int32_t value);
  void SetPowerNotify(int32_t value);
  void SetCartridgeNotify(int32_t value);
  void SetRecCurrentCartridge(int32_t value);
  void SetLineProperty(int32_t index, int32_t value);
  void SetPageModeNumber(int32_t index, int32_t value);

  // Statistics: the Equipment block, with what the printer tells of itself.
  StatisticsEquipment Equipment(CPrinterCounters& counters) const;
  void CountPrinted(const JobTally& tally);
  void CountEvent(OutputEvent event);

  // Bitmaps and pages.
  // stored (SetBitmap): not turned, and no line spacing restore, which
  // ESC|nB adds when it prints the bitmap.
  int32_t MakeBitmapJob(const std::string& fileName, int32_t width, int32_t alignment, bool stored,
                        std::vector<std::string>* strings);
  int32_t PrintPage(bool keep);
  bool SetStoredNumber(int32_t index, int32_t value);

  PrinterData d_;
  PrinterFlags flags_;
  DeviceEntry entry_;

  mutable std::mutex stateMutex_;  // guards state_
  int32_t state_ = 1;              // OPOS_S_CLOSED

  CServiceClaim claim_{"POSPrinter"};
  CServiceStatistics stats_{PrinterStatisticsTable()};
  CPortClient port_{PORT_USER_PRINTER};
  CPortManagerLink portLink_;

  IControlObject* controlObject_ = nullptr;  // not owned
  EventDispids eventDispIds_;
  std::function<void(CPOSPrinter&)> healthDialog_;
  TextRecoder recoder_;

  // Declared last: destroyed first, so their threads never see a
  // half-destroyed printer.
  std::unique_ptr<EventHost> eventHost_;
  std::unique_ptr<CEventQueue> events_;
  std::unique_ptr<OutputHost> outputHost_;
  std::unique_ptr<COutputPath> output_;
  std::unique_ptr<PortUser> portUser_;
};
