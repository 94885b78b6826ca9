#include "service/common/device_environment.h"

#include <mutex>

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

// The attached USB printers are listed only by the Windows device set-up
// interface; elsewhere none is ever attached.
std::string NoUsbPrinter(const std::string&, const std::string&) { return {}; }

}  // namespace

void SetUsbResolverForTesting(Resolver resolver) {
  std::lock_guard<std::mutex> lock(ResolverMutex());
  TestResolver() = std::move(resolver);
}

DeviceEntryEnvironment MakeDeviceEntryEnvironment() {
  DeviceEntryEnvironment env;
  env.windows95Family = platform::IsWindows95Family();
  std::lock_guard<std::mutex> lock(ResolverMutex());
  env.resolveUsb = TestResolver() ? TestResolver() : Resolver(NoUsbPrinter);
  return env;
}
