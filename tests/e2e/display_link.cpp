#include "display_link.h"

#include <cstdlib>

#include "printer_session.h"

namespace {
constexpr char kClassKey[] = "Software\\OLEforRetail\\ServiceOPOS\\LineDisplay\\";

void SetText(HKEY key, const char* name, const std::string& text) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
}

// The shipped profiles: run-e2e.sh names the data folder.
std::string DataFolder() {
  const char* folder = std::getenv("TAVO_E2E_DATA");
  return folder ? folder : "";
}
}  // namespace

bool WriteDisplayEntry(const std::string& device, const std::string& model, unsigned port) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, (kClassKey + device).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  SetText(key, "", "Tavo.LineDisplay.ServiceObject.1.9");
  SetText(key, "DeviceName", model);
  SetText(key, "DeviceDesc", model + " Customer Display");
  SetText(key, "Description", "Tavo OPOS LineDisplay Service Object");
  SetText(key, "Version", "1.9.5");
  SetText(key, "DeviceClass", "LineDisplay");
  SetText(key, "Port", "Ethernet");
  SetText(key, "TcpIp", "127.0.0.1");
  const DWORD tcpPort = port;
  RegSetValueExA(key, "TcpPort", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&tcpPort), sizeof tcpPort);
  SetText(key, "InputBuf", "1024");
  SetText(key, "OutputBuf", "10240");
  SetText(key, "inf", DataFolder() + "\\" + model + ".inf");
  RegCloseKey(key);
  return !DataFolder().empty();
}

void RemoveDisplayEntry(const std::string& device) { RegDeleteKeyA(HKEY_LOCAL_MACHINE, (kClassKey + device).c_str()); }

DisplayLink::DisplayLink(const std::string& device, const std::string& model) : key_(device) {
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  if (listener_ == INVALID_SOCKET || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 4) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return;
  }
  ready_ = WriteDisplayEntry(device, model, ntohs(address.sin_port));
  thread_ = std::thread(&DisplayLink::Accept, this);
}

DisplayLink::~DisplayLink() {
  StopListening();
  if (thread_.joinable()) thread_.join();
  RemoveDisplayEntry(key_);
}

void DisplayLink::StopListening() {
  stop_ = true;
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  listener_ = INVALID_SOCKET;
}

// One connection at a time, each read until it closes; the listener's
// closing ends the thread.
void DisplayLink::Accept() {
  const SOCKET listener = listener_;
  while (!stop_) {
    SOCKET peer = accept(listener, nullptr, nullptr);
    if (peer == INVALID_SOCKET) return;
    DWORD timeout = 200;
    setsockopt(peer, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    char buffer[512];
    while (!stop_) {
      const int got = recv(peer, buffer, sizeof buffer, 0);
      if (got == 0) break;
      if (got < 0) {
        if (WSAGetLastError() == WSAETIMEDOUT) continue;
        break;
      }
      std::lock_guard<std::mutex> lock(mutex_);
      received_.append(buffer, static_cast<size_t>(got));
    }
    closesocket(peer);
  }
}

std::string DisplayLink::Received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

bool DisplayLink::WaitFor(const std::string& part, size_t from, DWORD limitMs) const {
  return PumpUntil([&] {
    const std::string all = Received();
    return all.size() > from && all.find(part, from) != std::string::npos;
  }, limitMs);
}
