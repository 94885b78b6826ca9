#include "portmgr/core/port.h"

#include <algorithm>
#include <chrono>

namespace portmgr {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

CPort::CPort(std::string name, TransportFactory factory) : name_(std::move(name)), factory_(std::move(factory)) {}

CPort::~CPort() { Close(); }

bool CPort::Configure(const PortSettings& settings) {
  std::lock_guard<std::mutex> lock(controlMutex_);
  if (open_) return false;
  LinkConfig parsed;
  if (!ParseSettings(settings, name_, &parsed)) return false;
  config_ = parsed;
  configured_ = true;
  return true;
}

bool CPort::Open() {
  std::lock_guard<std::mutex> lock(controlMutex_);
  if (open_) return true;
  if (!configured_ || !factory_) return false;
  std::unique_ptr<ITransport> link = factory_(config_);
  if (!link || !link->Open(config_.ConnectLimitMs())) return false;

  writePerByteMs_ = config_.WritePerByteMs();
  writeConstantMs_ = config_.WriteConstantMs();
  replyGapMs_ = config_.replyGapMs;
  reopenLimitMs_ = std::min(config_.ConnectLimitMs(), kReopenLimitMs);
  input_.Reset(size_t(config_.inputBuffer));
  framer_.Reset();
  broken_ = false;
  stalled_ = false;
  peerPresent_ = true;
  {
    std::lock_guard<std::mutex> w(writeMutex_);
    transport_ = std::move(link);
    linkUp_ = true;
    linkUpSeen_ = true;
  }
  {
    std::lock_guard<std::mutex> s(stopMutex_);
    stop_ = false;
  }
  reader_ = std::thread(&CPort::ReaderThread, this);
  open_ = true;
  return true;
}

void CPort::StopReader() {
  {
    std::lock_guard<std::mutex> s(stopMutex_);
    stop_ = true;
  }
  stopCv_.notify_all();
  if (reader_.joinable()) reader_.join();
}

void CPort::Close() {
  std::lock_guard<std::mutex> lock(controlMutex_);
  if (!open_) return;
  open_ = false;
  input_.Shutdown();
  StopReader();
  std::lock_guard<std::mutex> w(writeMutex_);
  linkUp_ = false;
  linkUpSeen_ = false;
  transport_->Close();
  transport_.reset();
}

int32_t CPort::Write(const uint8_t* data, int32_t length) {
  if (data == nullptr || length <= 0 || !open_) return 0;
  std::lock_guard<std::mutex> w(writeMutex_);
  if (!linkUp_ || broken_) return 0;
  const auto deadline = Clock::now() + milliseconds(writePerByteMs_ * length + writeConstantMs_);
  int32_t sent = 0;
  while (sent < length) {
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    const int32_t n = transport_->Send(data + sent, length - sent, int(std::min<int64_t>(left, 1 << 30)));
    if (n < 0) {
      broken_ = true;  // the reader drops and re-opens the link
      break;
    }
    if (n == 0) std::this_thread::sleep_for(milliseconds(1));
    sent += n;
  }
  stalled_ = sent < length;
  return sent;
}

int32_t CPort::Read(uint8_t* buffer, int32_t length, int32_t waitMs) {
  if (buffer == nullptr || length <= 0 || !open_) return 0;
  return input_.Read(buffer, length, waitMs, replyGapMs_);
}

void CPort::Clear() { input_.ClearReplies(); }

bool CPort::TakeStatus(uint8_t out[4]) {
  if (out == nullptr || !open_) return false;
  return input_.TakeStatus(out);
}

int32_t CPort::PowerState() const {
  const bool online = open_ && linkUpSeen_ && !broken_ && !stalled_ && peerPresent_;
  return online ? PORTMGR_POWER_ONLINE : PORTMGR_POWER_OFFLINE;
}

int32_t CPort::InputCount() const { return open_ ? input_.ReplyCount() : 0; }

// --- reader thread -------------------------------------------------------

bool CPort::WaitForStop(int ms) {
  std::unique_lock<std::mutex> s(stopMutex_);
  return stopCv_.wait_for(s, milliseconds(ms), [this] { return stop_; });
}

void CPort::DropLink() {
  std::lock_guard<std::mutex> w(writeMutex_);
  linkUp_ = false;
  linkUpSeen_ = false;
  transport_->Close();
}

// Runs with the link down, so no Send can start meanwhile.
bool CPort::Reopen() {
  if (!transport_->Open(reopenLimitMs_)) return false;
  std::lock_guard<std::mutex> w(writeMutex_);
  framer_.Reset();
  broken_ = false;
  stalled_ = false;
  peerPresent_ = true;
  linkUp_ = true;
  linkUpSeen_ = true;
  return true;
}

void CPort::ReceiveOnce(FrameOutput* frames, Clock::time_point* lastByte) {
  uint8_t buffer[512];
  const int32_t n = transport_->Receive(buffer, int32_t(sizeof buffer), kPollMs);
  if (n < 0) {
    broken_ = true;
    return;
  }
  peerPresent_ = transport_->PeerPresent();
  frames->Reset();
  if (n > 0) {
    framer_.Feed(buffer, size_t(n), frames);
    *lastByte = Clock::now();
    stalled_ = false;
  } else if (framer_.HasPartial() && Clock::now() - *lastByte >= milliseconds(kPartialExpiryMs)) {
    framer_.Expire(frames);
  }
  input_.Push(*frames);
}

void CPort::ReaderThread() {
  FrameOutput frames;
  Clock::time_point lastByte = Clock::now();
  int backoffMs = kFirstBackoffMs;
  bool up = true;
  while (!WaitForStop(0)) {
    if (up && broken_) {
      DropLink();
      up = false;
    }
    if (up) {
      ReceiveOnce(&frames, &lastByte);
      continue;
    }
    if (WaitForStop(backoffMs)) break;
    up = Reopen();
    backoffMs = up ? kFirstBackoffMs : std::min(backoffMs * 2, kMaxBackoffMs);
  }
}

}  // namespace portmgr
