// CLineDisplay: the OPOS LineDisplay Service Object, portable part. The
// display has a port of its own (user 4 of the port table) and speaks the
// VFD customer display command set; the model's profile gives its screen,
// code tables and capabilities. Windows, text, attributes and the cursor
// are kept in the Service Object and drawn as differences (display_screen).
//
// Threads: every automation member on the thread that called OpenService
// (the owner thread), which also runs event delivery while it pumps
// messages. One worker thread per open display runs marquees and teletype
// output; the port's monitor thread reports power. The windows, the screen
// and every write to the port are under mutex_.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "service/common/device_entry.h"
#include "service/common/event_dispatcher.h"
#include "service/common/port_client.h"
#include "service/common/service_claim.h"
#include "service/display/display_profile.h"
#include "service/display/display_screen.h"
#include "service/display/display_window.h"
#include "service/port/port_users.h"

class IControlObject;
namespace codepage {
struct Table;
}

class CLineDisplay : public IDisplayPortUser {
 public:
  static constexpr int32_t kServiceObjectVersion = 1009001;
  // How long CheckHealth 2 and 3 keep the test pattern on the screen.
  static constexpr int kPatternMs = 1000;

  CLineDisplay();
  ~CLineDisplay() override;  // closes the service if it is still open
  CLineDisplay(const CLineDisplay&) = delete;
  CLineDisplay& operator=(const CLineDisplay&) = delete;

  // Common members.
  int32_t OpenService(const std::string& deviceClass, const std::string& deviceName, IControlObject* controlObject);
  int32_t Close();
  int32_t ClaimDevice(int32_t timeout);
  int32_t ReleaseDevice();
  int32_t CheckHealth(int32_t level);
  int32_t DirectIO(int32_t command, int32_t* data, std::string* text);
  int32_t COFreezeEvents(int32_t freeze);
  int32_t GetPropertyNumber(int32_t index);
  void SetPropertyNumber(int32_t index, int32_t value);
  std::string GetPropertyString(int32_t index);
  void SetPropertyString(int32_t index, const std::string& value);
  int32_t ResetStatistics(const std::string& names);
  int32_t RetrieveStatistics(std::string* statistics);
  int32_t UpdateStatistics(const std::string& statistics);
  int32_t CompareFirmwareVersion(const std::string& fileName, int32_t* result);
  int32_t UpdateFirmware(const std::string& fileName);

  // LineDisplay members. Text comes as UTF-16 and is mapped into the
  // display's code table (MapCharacterSet) or taken code unit by code unit.
  int32_t DisplayText(const std::u16string& data, int32_t attribute);
  int32_t DisplayTextAt(int32_t row, int32_t column, const std::u16string& data, int32_t attribute);
  int32_t ClearText();
  int32_t ScrollText(int32_t direction, int32_t units);
  int32_t CreateWindow(int32_t viewportRow, int32_t viewportColumn, int32_t viewportHeight, int32_t viewportWidth,
                       int32_t windowHeight, int32_t windowWidth);
  int32_t DestroyWindow();
  int32_t RefreshWindow(int32_t window);
  int32_t ClearDescriptors();
  int32_t SetDescriptor(int32_t descriptor, int32_t attribute);
  int32_t DefineGlyph(int32_t glyphCode, const std::string& glyph);
  int32_t ReadCharacterAtCursor(int32_t* character);
  int32_t DisplayBitmap(const std::string& fileName, int32_t width, int32_t alignmentX, int32_t alignmentY);
  int32_t SetBitmap(int32_t number, const std::string& fileName, int32_t width, int32_t alignmentX,
                    int32_t alignmentY);

  void OnDisplayPower(int32_t state) override;  // monitor thread

  int32_t ResultCode() const { return resultCode_; }
  const DisplayProfile& Profile() const { return profile_; }
  // Tests: the screen as the Service Object drew it (row texts as device
  // bytes), under the lock.
  std::vector<std::string> ScreenRows() const;

 private:
  struct Marquee {
    bool running = false;
    int32_t position = 0;
    std::chrono::steady_clock::time_point due;
  };
  struct Teletype {
    size_t window = 0;
    std::string bytes;
    size_t next = 0;
    uint8_t attr = 0;
    std::chrono::steady_clock::time_point due;
    int32_t startRow = 0, startColumn = 0;  // where the cursor goes back without CursorUpdate
  };
  using Lock = std::unique_lock<std::mutex>;

  int32_t Result(int32_t rc);
  bool CheckOpen();
  bool CheckEnabled();
  int32_t ReadConfiguration(const std::string& deviceName);
  bool LinkControlObject(IControlObject* controlObject);
  void SetDeviceEnabled(int32_t value);
  void Enable();
  void Disable();
  void PostStatus(int32_t value);
  void ReportPower(int32_t power);
  void Deliver(CEventRecord& record);

  // Under mutex_.
  CDisplayWindow& Current() { return *windows_[current_]; }
  bool Send(const std::string& bytes);
  bool DrawCurrent(Lock& lock);
  bool DrawWindow(size_t index);
  void FinishTeletype();
  void StopMarquee();
  bool Animating(size_t window) const;
  void SendSetUp(CDisplayEncoder& out);

  int32_t SetWindowProperty(int32_t index, int32_t value);
  int32_t SetLookProperty(int32_t index, int32_t value);
  int32_t SetCursorProperty(int32_t index, int32_t value);
  bool MapText(const std::u16string& data, std::string* bytes) const;
  int32_t ShowText(const std::string& bytes, int32_t attribute);
  int32_t SetCharacterSet(int32_t value);
  int32_t BrightnessLevel() const;
  void ShowTestPattern();

  void WorkerThread();
  bool WorkerStep(Lock& lock);  // false when there is nothing to do
  void StepMarquee(size_t window);
  void StartWorker();
  void StopWorker();
  void WakeWorker() { workerWake_.notify_all(); }

  IControlObject* controlObject_ = nullptr;  // not owned
  int32_t directIOId_ = 0;
  int32_t statusUpdateId_ = 0;

  int32_t resultCode_;
  int32_t resultCodeExtended_ = 0;
  int32_t state_;
  int32_t claimed_ = 0;
  CServiceClaim claim_{"LineDisplay"};
  std::string openName_;  // the device key OpenService was given
  std::atomic<int32_t> deviceEnabled_{0};  // also read by the monitor thread
  int32_t freezeEvents_ = 0;
  int32_t binaryConversion_ = 0;
  std::atomic<int32_t> powerNotify_{0};
  std::atomic<int32_t> powerState_;
  std::atomic<int32_t> lastReportedPower_{-1};
  std::atomic<int32_t> lastSeenPower_{0};
  int32_t capPowerReporting_ = 1;
  std::string checkHealthText_;
  std::string deviceDescription_, deviceName_, serviceObjectDescription_;
  int32_t serviceObjectVersion_ = kServiceObjectVersion;
  DeviceEntry entry_;
  DisplayProfile profile_;

  // Text properties (owner thread).
  int32_t characterSet_ = 0;
  const codepage::Table* table_ = nullptr;
  int32_t mapCharacterSet_ = 0;
  int32_t cursorUpdate_ = 1;
  int32_t cursorType_ = 0;
  int32_t deviceBrightness_ = 100;
  int32_t blinkRate_ = 500;

  mutable std::mutex mutex_;
  std::vector<std::unique_ptr<CDisplayWindow>> windows_;
  size_t current_ = 0;
  std::unique_ptr<CDisplayScreen> screen_;
  std::vector<Marquee> marquees_;   // one per window
  std::deque<Teletype> teletype_;
  bool writeFailed_ = false;
  bool stopWorker_ = true;
  std::condition_variable workerWake_;
  std::thread worker_;

  // Declared last: the event thread and the port's monitor are gone before
  // the fields above.
  CPortClient portClient_{PORT_USER_DISPLAY};
  CEventDispatcher events_;
};
