// One port of the library: its settings, its link and the reader thread
// that receives from it. Shared by the handle table and the entry points
// that are working on it (shared_ptr), so a port deleted during a call
// stays alive until the call returns.
//
// Threads: Configure/Open/Close serialise on the control lock. Write,
// Read, Clear, TakeStatus, PowerState and InputCount may come from any
// thread at any time. The reader thread runs while the port is open; it
// alone receives, and it re-opens a broken link.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "portmgr/core/framer.h"
#include "portmgr/core/link_config.h"
#include "portmgr/core/port_input.h"
#include "portmgr/core/transport.h"

namespace portmgr {

class CPort {
 public:
  // Reader timing: how long one receive waits, when a partial status block
  // is given up, and the back-off between attempts to re-open a link.
  static constexpr int kPollMs = 50;
  static constexpr int kPartialExpiryMs = 100;
  static constexpr int kFirstBackoffMs = 100;
  static constexpr int kMaxBackoffMs = 5000;
  static constexpr int kReopenLimitMs = 1000;

  CPort(std::string name, TransportFactory factory);
  ~CPort();  // closes
  CPort(const CPort&) = delete;
  CPort& operator=(const CPort&) = delete;

  // Stores checked settings for the next Open; false when they are out of
  // range or the port is open (settings of an open port do not change).
  bool Configure(const PortSettings& settings);
  // Opens the link and starts the reader; true when already open. False
  // when not configured or the link cannot be opened.
  bool Open();
  // Stops the reader, closes the link and ends waiting Reads. Returns
  // within about kReopenLimitMs plus the longest write in progress.
  void Close();
  bool IsOpen() const { return open_; }

  // Sends all bytes unless the link breaks or the write limit passes;
  // gives the count that went out (0 when not open or the link is down).
  int32_t Write(const uint8_t* data, int32_t length);
  // Reply bytes (no status blocks), waiting up to waitMs for the first.
  int32_t Read(uint8_t* buffer, int32_t length, int32_t waitMs);
  // Drops unread reply bytes; queued status blocks stay.
  void Clear();
  bool TakeStatus(uint8_t out[4]);
  int32_t PowerState() const;
  int32_t InputCount() const;

  const std::string& Name() const { return name_; }
  const LinkConfig& Config() const { return config_; }  // control thread only

 private:
  void ReaderThread();
  void ReceiveOnce(FrameOutput* frames, std::chrono::steady_clock::time_point* lastByte);
  void DropLink();
  bool Reopen();
  bool WaitForStop(int ms);
  void StopReader();

  const std::string name_;
  const TransportFactory factory_;

  std::mutex controlMutex_;  // Configure, Open, Close
  LinkConfig config_;        // changed only while closed
  bool configured_ = false;
  std::atomic<bool> open_{false};

  // The link. transport_ is replaced only by Open/Close while the reader is
  // not running; the reader re-opens it only while linkUp_ is false.
  std::unique_ptr<ITransport> transport_;
  std::mutex writeMutex_;  // held for every Send and link state change
  bool linkUp_ = false;    // under writeMutex_
  std::atomic<bool> linkUpSeen_{false};  // copy of linkUp_ for lock-free reads
  std::atomic<bool> broken_{false};      // a Send saw the link break
  std::atomic<bool> stalled_{false};     // the last write fell short
  std::atomic<bool> peerPresent_{true};
  std::atomic<int64_t> writePerByteMs_{0};
  std::atomic<int64_t> writeConstantMs_{0};
  std::atomic<int32_t> replyGapMs_{0};
  std::atomic<int> reopenLimitMs_{kReopenLimitMs};

  CPortInput input_;
  CStatusFramer framer_;  // reader thread only

  std::mutex stopMutex_;
  std::condition_variable stopCv_;
  bool stop_ = false;  // under stopMutex_
  std::thread reader_;
};

}  // namespace portmgr
