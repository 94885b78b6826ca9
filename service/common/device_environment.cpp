#include "service/common/device_environment.h"

#include <mutex>

#include "common/usb_printer_list.h"
#include "platform/system.h"

namespace {

using Resolver = std::function<std::string(const std::string&, const std::string&)>;

std::mutex& ResolverMutex() {
  static std::mutex m;
  return m;
}

Resolver& TestResolver() {
  static Resolver r;
  return r;
}

}  // namespace

void SetUsbResolverForTesting(Resolver resolver) {
  std::lock_guard<std::mutex> lock(ResolverMutex());
  TestResolver() = std::move(resolver);
}

DeviceEntryEnvironment MakeDeviceEntryEnvironment() {
  DeviceEntryEnvironment env;
  env.windows95Family = platform::IsWindows95Family();
  std::lock_guard<std::mutex> lock(ResolverMutex());
  env.resolveUsb = TestResolver() ? TestResolver() : Resolver(ResolveAttachedUsbPrinter);
  return env;
}
