// COutputPath: the printer's output side. Takes the byte strings every print
// method produces, prints them now (synchronous), queues them for its own
// output thread (AsyncMode), or collects them for a transaction or a page;
// confirms completion on serial and parallel ports, turns failures into
// Error records with retry or clear, keeps State in step with the job lists,
// and interprets the status the port's monitor thread reports.
//
// Ownership: one COutputPath per CPOSPrinter, owned by it (the host and the
// port must outlive it). The printer implements IOutputHost; the port is
// reached through IOutputPort (output_port.h adapts a CPortManager).
//
// Threads:
//  - calling thread (the Control Object's): Print*, ValidateData,
//    SubmitOutput, TransactionPrint, ClearOutput, DropAll, property access;
//  - output thread (Start .. Stop): writes queued jobs, waits for the
//    application's answer to an Error record;
//  - port monitor thread: OnPrinterStatus, OnCartridgeStatus, OnPowerState;
//  - event thread / event window: OnErrorResponse, status getters.
// Locks, in the order they may nest: queue lock -> host StateMutex (SetState
// and Post* are called under the queue lock). The host must never call into
// COutputPath while holding its StateMutex. PrintStateMutex() guards the
// pipeline's PrintState: COutputPath takes it around the host's
// BuildStatePrefix, TranslateText, ResetRotation and MarkResendAll; the
// printer takes it around its own PrintState writes. It never nests with the
// queue lock.
//
// Wiring in the printer: OpenService -> Configure, Start; Close -> Stop
// (after ReleaseDevice); a successful ClaimDevice -> ForgetReportedStatus;
// disabling -> ResetOnDisable; ReleaseDevice -> DropAll once Claimed is 0;
// the port user's three entry points -> OnPrinterStatus, OnCartridgeStatus,
// OnPowerState; FlagWhenIdle write -> SetFlagWhenIdle; RecCurrentCartridge
// write -> SetRecCartridgeState(PTR_CART_OK); the event window's Error
// handler -> OnErrorResponse; delivery of the idle event -> TakeFlagWhenIdle;
// the delivery rules read LastCoverStatus, LastPaperStatus,
// LastCartridgeStatus and PowerState. Property reads: OutputID, ErrorLevel,
// ErrorStation, ErrorString, FlagWhenIdle, CoverOpen, RecEmpty, RecNearEnd,
// PowerState, RecCartridgeState.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "service/printer/job_tally.h"

struct PrinterStatusReport;

// Events the statistics count, reported by the output path.
enum class OutputEvent { CoverOpened, CutFailed, PrinterFault, WriteFailed };

// The port calls the output path makes. Implementations must be safe to call
// from the calling, output and monitor threads at once.
class IOutputPort {
 public:
  virtual ~IOutputPort() = default;
  virtual int32_t Write(const void* data, int32_t length) = 0;
  virtual int32_t Read(void* buffer, int32_t length, int32_t waitMs) = 0;
  virtual bool Lock(int32_t timeoutMs) = 0;  // -1: no limit
  virtual void Unlock() = 0;
  virtual void Clear() = 0;
};

// What the output path needs from its printer.
class IOutputHost {
 public:
  virtual ~IOutputHost() = default;

  // Calling thread only. CheckState sets ResultCode/ResultCodeExtended.
  virtual bool CheckState(int32_t flags) = 0;
  virtual int32_t ResultCode() const = 0;
  virtual void SetResultCode(int32_t code) = 0;
  virtual void SetResultCodeExtended(int32_t code) = 0;

  // Any thread: plain reads of the printer's current settings.
  virtual bool Claimed() const = 0;
  virtual bool DeviceEnabled() const = 0;
  virtual bool AsyncMode() const = 0;
  virtual bool PowerNotifying() const = 0;  // CapPowerReporting and PowerNotify both non-zero
  virtual int32_t CartridgeNotify() const = 0;
  virtual int32_t RecCurrentCartridge() const = 0;

  // Any thread; the host takes its StateMutex.
  virtual void SetState(int32_t state) = 0;

  // Pipeline, called with PrintStateMutex() held (calling or output thread).
  virtual std::string BuildStatePrefix() = 0;
  // Decodes BinaryConversion and translates; returns the translation's code.
  virtual int32_t TranslateText(const std::string& data, std::string* out) = 0;
  virtual void ResetRotation() = 0;  // rotation back to PTR_RP_NORMAL, as RotatePrint does
  virtual void MarkResendAll() = 0;  // resend bits 0..3

  // Calling thread. Page mode: when active, takes the strings (adding the
  // page header as page mode needs) and returns true.
  virtual bool AppendToPage(const std::vector<std::string>& strings, const JobTally& tally) = 0;

  // Event records into the printer's event queue (any thread). Error
  // records carry locus OPOS_EL_OUTPUT and response OPOS_ER_RETRY preset.
  virtual void PostStatusUpdate(int32_t status) = 0;
  virtual void PostOutputComplete(int32_t outputId) = 0;
  virtual void PostError(int32_t resultCode, int32_t resultCodeExtended) = 0;

  // Statistics (any thread). TallyText counts the application's text as
  // it will print (BinaryConversion decoded); the output path reports each
  // job once it has printed and each counted event.
  virtual JobTally TallyText(const std::string&) { return {}; }
  virtual void CountPrinted(const JobTally&) {}
  virtual void CountEvent(OutputEvent) {}
};

// Fixed for one open service; set before Start.
struct OutputConfig {
  std::string portName;
  int32_t outputBuf = 0;    // write chunk size; 0 or less: one write
  int32_t printerType = 1;  // command class 1, 2 or 3
  bool win9xFamily = false;
  int32_t capCoverSensor = 0;
  int32_t capRecEmptySensor = 0;
  int32_t capRecNearEndSensor = 0;
  int32_t capTransaction = 1;
};

// Durations in milliseconds. Tests shorten them.
struct OutputTimings {
  int32_t pauseClass13 = 100;  // after each string, command classes 1 and 3
  int32_t pauseClass2 = 30;    // after each string, class 2, output thread only
  int32_t confirmLimit = 300000;
  int32_t readWait = 1000;
  int32_t resendClass1 = 300000;
  int32_t resendOther = 3000;
  int32_t retryDelay = 1000;
};

struct PrintJob {
  std::vector<std::string> strings;
  JobTally tally;
  int32_t outputId = 0;  // 0 for the retry job
  int32_t resultCode = 0;
  int32_t resultCodeExtended = 0;
};

class COutputPath {
 public:
  enum : size_t { kMaxUnconfirmed = 10 };
  enum : int32_t { kUnset = -1 };

  explicit COutputPath(IOutputHost& host);
  ~COutputPath();  // stops the output thread
  COutputPath(const COutputPath&) = delete;
  COutputPath& operator=(const COutputPath&) = delete;

  // Set-up (calling thread, thread not running).
  void Configure(const OutputConfig& config, IOutputPort* port);
  void SetTimings(const OutputTimings& timings);
  void Start();  // OpenService
  // Close: wakes every wait, then joins; returns once the thread has left
  // its current port call. No forced termination.
  void Stop();
  bool Running() const { return thread_.joinable(); }

  // OPOS methods (calling thread); each leaves its result in ResultCode.
  int32_t PrintNormal(int32_t station, const std::string& data);
  int32_t PrintImmediate(int32_t station, const std::string& data);
  int32_t PrintTwoNormal(int32_t stations, const std::string& data1, const std::string& data2);
  int32_t ValidateData(int32_t station, const std::string& data);
  int32_t ClearOutput();
  int32_t TransactionPrint(int32_t station, int32_t control);

  // Entry point for every printing method.
  void SubmitOutput(bool async, const std::vector<std::string>& strings, const JobTally& tally = {});

  // ReleaseDevice: drops both job lists and the job in hand without the
  // checks and printer commands of ClearOutput; a pending error wait ends
  // as if answered with clear (its Error record is discarded with the queue).
  void DropAll();

  // Writers, also used by other printing parts. rc/rce: result places.
  bool OutputJob(bool fromThread, PrintJob& job);
  bool WriteChecked(const void* bytes, int32_t length, int32_t* rc, int32_t* rce);
  int32_t WritePort(const void* bytes, int32_t length);
  bool CheckPrinterStatus(int32_t* rc, int32_t* rce);
  bool CheckPrinterStatus();  // into ResultCode/ResultCodeExtended (calling thread)
  bool WaitPrintComplete(int32_t* rc, int32_t* rce, int32_t limitMs, bool noResend);

  // The application's answer to an Error record (event window handler).
  void OnErrorResponse(int32_t response);

  // Status from the port's monitor thread.
  void OnPrinterStatus(const uint8_t status[4]);
  void OnCartridgeStatus(const uint8_t status[4]);
  void OnPowerState(int32_t state);
  void CountStatusChanges(const PrinterStatusReport& report);

  // Status memory: ClaimDevice forgets every reported value; disabling
  // forgets cover, paper and power, resets PowerState and the cartridges.
  void ForgetReportedStatus();
  void ResetOnDisable();

  // Properties kept here (any thread).
  int32_t OutputID() const { return outputId_.load(); }
  int32_t ErrorLevel() const { return errorLevel_.load(); }
  int32_t ErrorStation() const { return errorStation_.load(); }
  std::string ErrorString() const;
  int32_t FlagWhenIdle() const { return flagWhenIdle_.load(); }
  void SetFlagWhenIdle(int32_t value);  // arms the idle report, runs UpdateState
  void ClearFlagWhenIdle() { flagWhenIdle_ = 0; }  // after the idle event is delivered
  bool TakeFlagWhenIdle() { return flagWhenIdle_.exchange(0) != 0; }  // true when it was set
  int32_t CoverOpen() const { return coverOpen_.load(); }
  int32_t RecEmpty() const { return recEmpty_.load(); }
  int32_t RecNearEnd() const { return recNearEnd_.load(); }
  int32_t FailureCode() const { return failureCode_.load(); }
  int32_t PowerState() const { return powerState_.load(); }
  int32_t RecCartridgeState() const { return recCartridgeState_.load(); }
  void SetRecCartridgeState(int32_t value) { recCartridgeState_ = value; }
  int32_t CartridgeState(int index) const { return cartridge_[index & 1].load(); }
  int32_t CartridgeErrorCode() const { return cartridgeError_.load(); }
  int32_t LastCoverStatus() const { return lastCover_.load(); }
  int32_t LastPaperStatus() const { return lastPaper_.load(); }
  int32_t LastCartridgeStatus() const { return lastCartridge_.load(); }
  int32_t LastPowerState() const { return lastPower_.load(); }
  bool InTransaction() const;
  std::mutex& PrintStateMutex() { return printStateMutex_; }

 private:
  void OutputThread();
  bool ConfirmBatch(std::unique_lock<std::mutex>& lock);
  void RaiseError(std::unique_lock<std::mutex>& lock, int32_t rc, int32_t rce);
  void QueueRetry(std::unique_lock<std::mutex>& lock, int64_t postedAt);
  bool TakePowerState(int32_t state);
  void RestoreAfterPowerOn();
  int32_t AwaitResponse();
  void UpdateStateLocked();
  void DropJobsLocked();
  void LeaveTransactionAndRotation();
  bool SleepFor(int32_t ms);  // false when stopped
  int64_t Now() const;
  bool PortIs(const char* prefix) const;
  bool SendStatusRequest();
  int32_t Translate(const std::string& data, std::string* out);
  void SetErrorState(int32_t level, int32_t station, const std::string& text);

  IOutputHost& host_;
  IOutputPort* port_ = nullptr;
  OutputConfig config_;
  OutputTimings timings_;
  std::mutex printStateMutex_;
  // Status reports against disabling (never held while taking another
  // lock but the host's event queue).
  std::mutex statusMutex_;

  // Guarded by queueMutex_.
  std::mutex queueMutex_;
  std::condition_variable workCv_;
  std::deque<PrintJob> pending_;
  std::deque<PrintJob> sent_;
  bool cancel_ = false;
  bool inHand_ = false;  // the thread holds a job outside both lists
  bool idleArmed_ = false;

  // Stop flag, the error answer and stop-aware sleeps.
  std::mutex signalMutex_;
  std::condition_variable signalCv_;
  std::atomic<bool> stop_{false};
  bool awaitingResponse_ = false;
  bool responseReady_ = false;
  int32_t response_ = 0;

  std::thread thread_;

  // Transaction buffer (calling thread; the output thread ends it on clear).
  mutable std::mutex txMutex_;
  bool inTransaction_ = false;
  std::vector<std::string> txBuffer_;
  JobTally txTally_;

  std::atomic<int32_t> outputId_{0};
  std::atomic<int32_t> errorLevel_{1};
  std::atomic<int32_t> errorStation_{0};
  mutable std::mutex errorTextMutex_;
  std::string errorString_;
  std::atomic<int32_t> flagWhenIdle_{0};

  // Written by the monitor thread (and reset on claim/disable), read anywhere.
  std::atomic<int32_t> coverOpen_{0};
  std::atomic<int32_t> recEmpty_{0};
  std::atomic<int32_t> recNearEnd_{0};
  std::atomic<int32_t> failureCode_{0};
  std::atomic<int32_t> lastPaper_{kUnset};
  std::atomic<int32_t> lastCover_{kUnset};
  std::atomic<int32_t> lastPower_{kUnset};
  std::atomic<int32_t> powerState_{2000};
  std::atomic<int32_t> cartridge_[2];
  std::atomic<int32_t> recCartridgeState_;
  std::atomic<int32_t> cartridgeError_{0};
  std::atomic<int32_t> lastCartridge_{kUnset};
};
