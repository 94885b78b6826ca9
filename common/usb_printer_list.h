// CUsbPrinterList: the USB printers attached now, numbered for display
// (USB001:, USB002:, ...) and counted per product id, and the rule that
// finds the printer a device entry means although its device path changed
// (plugged into another socket). Both deliverables use it: the Service
// Objects at OpenService, the setup program to show attached printers.
//
// Threads: one list per caller; not shared.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/usb_printers.h"

struct UsbPrinterRecord {
  int32_t ordinal = 0;       // 1-based among the listed printers of its product id
  std::string devicePath;    // upper case for Windows device paths
  std::string displayName;   // "USB%03d:" by position
  std::string productId;     // 4 characters
  std::string vendorId;      // 4 characters
};

class CUsbPrinterList {
 public:
  using Source = std::function<std::vector<platform::UsbPrinterInterface>()>;

  // The system's printers (platform::ListUsbPrinterInterfaces), or the
  // source given (tests); windows95Family takes the ids from the registry
  // instead of the path.
  CUsbPrinterList();
  explicit CUsbPrinterList(Source source, bool windows95Family = false);

  // Clears the list, lists the attached printers and returns the count.
  int32_t Refresh();
  void ClearList();
  int32_t Count() const { return static_cast<int32_t>(records_.size()); }

  // The attached printer for a stored device path, count and product id:
  // the exact path when listed, else the count-th (at most the last)
  // printer with that product id; empty when none has it.
  std::string ResolveUsbPort(const std::string& storedPath, int32_t count, const std::string& productId) const;

  // Setup program: the record at a 0-based position (null past the end);
  // the first record with that display name, else the last one (null for
  // an empty list).
  const UsbPrinterRecord* ItemAt(int32_t position) const;
  const UsbPrinterRecord* FindByDisplayName(const std::string& name) const;

 private:
  void Add(const platform::UsbPrinterInterface& printer);
  bool IdsFromRegistry(const std::string& path, std::string* vendorId, std::string* productId) const;

  Source source_;
  bool windows95Family_;
  std::vector<std::unique_ptr<UsbPrinterRecord>> records_;
};

// The default USB lookup of the device entry readers: a fresh list, its
// count, ResolveUsbPort.
std::string ResolveAttachedUsbPrinter(const std::string& storedPath, const std::string& productId);
