// What the interactive check-health dialogs show and what their test
// button runs, apart from any window: both dialogs show the Service
// Object's identity, its power state and status boxes (refreshed every
// 500 ms), and run one test per press; the view only moves these texts to
// and from its controls.
//
// Threads: the thread that called CheckHealth (the dialog's thread).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The Service Object as its dialog sees it.
class IHealthSubject {
 public:
  virtual ~IHealthSubject() = default;
  virtual std::string ServiceObjectDescription() const = 0;
  virtual int32_t ServiceObjectVersion() const = 0;
  virtual std::string DeviceDescription() const = 0;
  virtual std::string DeviceName() const = 0;
  virtual int32_t PowerState() const = 0;
  // The status boxes in the dialog's order (drawer: DrawerOpened;
  // printer: CoverOpen, RecEmpty, RecNearEnd).
  virtual std::vector<bool> StatusBoxes() const = 0;
  // One test (drawer kick, printed test receipt); it sets ResultCode.
  virtual void RunTest() = 0;
  virtual int32_t ResultCode() const = 0;
  virtual int32_t ResultCodeExtended() const = 0;
};

// The fixed texts of one dialog.
struct HealthDialogTexts {
  const char* caption;      // the device name is appended
  const char* inProgress;   // result line while the test runs
  bool blankSecondLine;     // the label column has an empty second line
};

class CHealthDialogRules {
 public:
  enum : int32_t { kTimerId = 1, kRefreshMs = 500 };

  CHealthDialogRules(IHealthSubject& subject, const HealthDialogTexts& texts) : s_(subject), t_(texts) {}

  std::string Caption() const;
  // ServiceObjectDescription, version as major.minor.build, DeviceDescription
  // and DeviceName, one a line (aligned with the label column).
  std::string Values() const;
  std::string PowerLine() const;  // "Power State: %s"
  std::vector<bool> StatusBoxes() const { return s_.StatusBoxes(); }
  // Runs one test: shows the progress text, then returns the result line
  // ("%s (%d/%d)" of ResultCode and ResultCodeExtended).
  std::string Press(const std::function<void(const std::string&)>& showProgress);

 private:
  IHealthSubject& s_;
  const HealthDialogTexts t_;
};

// 2001 "Online"; 2002, 2003, 2004 "Offline"; anything else "Unknown".
const char* PowerStateName(int32_t powerState);
