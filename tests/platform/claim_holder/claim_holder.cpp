// claim_holder <scope> <class> <device> <folder>: takes the device's claim,
// writes <folder>/held, and holds it until <folder>/release appears; then
// releases and writes <folder>/released. The claim tests kill it while it
// holds, too.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "platform/device_claim.h"

namespace {

bool Exists(const std::string& path) { return std::ifstream(path).good(); }
void Touch(const std::string& path) { std::ofstream(path) << "x\n"; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  platform::SetDeviceClaimScopeForTesting(argv[1]);
  const std::string folder = argv[4];
  platform::CDeviceClaim claim;
  const auto r = claim.Acquire(platform::DeviceClaimName(argv[2], argv[3]), platform::CDeviceClaim::kForever);
  if (r != platform::ClaimResult::kTaken && r != platform::ClaimResult::kTakenFromDeadHolder) return 3;
  Touch(folder + "/held");
  while (!Exists(folder + "/release")) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  claim.Release();
  Touch(folder + "/released");
  return 0;
}
