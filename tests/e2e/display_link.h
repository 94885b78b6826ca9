// A stand-in line display for the end-to-end tests: a loopback TCP
// listener that takes one connection and keeps every byte it receives, and
// a LineDisplay device entry pointing at it (removed at destruction).
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

// Writes HKLM\...\LineDisplay\<device> for the model on 127.0.0.1:port;
// false when the key cannot be made or the data folder is unknown.
bool WriteDisplayEntry(const std::string& device, const std::string& model, unsigned port);
void RemoveDisplayEntry(const std::string& device);

class DisplayLink {
 public:
  // model: "QDX-200" or "QDX-420", the shipped profile of that name.
  DisplayLink(const std::string& device, const std::string& model);
  ~DisplayLink();
  DisplayLink(const DisplayLink&) = delete;
  DisplayLink& operator=(const DisplayLink&) = delete;

  bool Ready() const { return ready_; }
  std::string Received() const;
  // Pumps messages until the bytes received hold `part` after `from`.
  bool WaitFor(const std::string& part, size_t from = 0, DWORD limitMs = 10000) const;
  void StopListening();  // the port goes dead: connections are refused

 private:
  void Accept();

  std::string key_;
  SOCKET listener_ = INVALID_SOCKET;
  std::atomic<bool> stop_{false};
  bool ready_ = false;
  mutable std::mutex mutex_;
  std::string received_;
  std::thread thread_;
};
