#include "e2e_setup.h"

#include <winsock2.h>
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

class E2eEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    ASSERT_FALSE(Rig().device.empty()) << "run this program through run-e2e.sh";
    ASSERT_GT(Rig().controlPort, 0);
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
  }
  void TearDown() override {
    WSACleanup();
    OleUninitialize();
  }
};

testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(new E2eEnvironment);

}  // namespace

const E2eSetup& Rig() {
  static const E2eSetup setup = [] {
    E2eSetup s;
    s.device = Env("TAVO_E2E_DEVICE");
    s.controlPort = std::atoi(Env("TAVO_E2E_CONTROL_PORT").c_str());
    s.outFolder = Env("TAVO_E2E_OUT");
    return s;
  }();
  return setup;
}
