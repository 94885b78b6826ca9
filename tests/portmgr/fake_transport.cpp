#include "fake_transport.h"

#include <chrono>
#include <thread>

namespace portmgr_test {

using std::chrono::milliseconds;

void CFakeLink::Inject(const std::string& bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  incoming_.insert(incoming_.end(), bytes.begin(), bytes.end());
  changed_.notify_all();
}

std::string CFakeLink::Sent() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return sent_;
}

bool CFakeLink::WaitSent(size_t n, int ms) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, milliseconds(ms), [&] { return sent_.size() >= n; });
}

void CFakeLink::Break() {
  std::lock_guard<std::mutex> lock(mutex_);
  broken_ = true;
  changed_.notify_all();
}

void CFakeLink::SetOpenable(bool openable) {
  std::lock_guard<std::mutex> lock(mutex_);
  openable_ = openable;
}

void CFakeLink::SetSendChunk(int32_t bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  chunk_ = bytes;
}

void CFakeLink::SetStalled(bool stalled) {
  std::lock_guard<std::mutex> lock(mutex_);
  stalled_ = stalled;
  changed_.notify_all();
}

void CFakeLink::SetPeerPresent(bool present) {
  std::lock_guard<std::mutex> lock(mutex_);
  peerPresent_ = present;
}

int CFakeLink::Opens() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return opens_;
}

int CFakeLink::Attempts() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return attempts_;
}

int CFakeLink::Closes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return closes_;
}

bool CFakeLink::DoOpen() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++attempts_;
  if (!openable_) return false;
  ++opens_;
  broken_ = false;
  return true;
}

void CFakeLink::DoClose() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++closes_;
}

int32_t CFakeLink::DoSend(const uint8_t* data, int32_t length, int timeoutMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (broken_) return -1;
  if (stalled_) {
    changed_.wait_for(lock, milliseconds(timeoutMs), [&] { return !stalled_; });
    if (stalled_) return 0;
  }
  const int32_t n = length < chunk_ ? length : chunk_;
  sent_.append(reinterpret_cast<const char*>(data), size_t(n));
  changed_.notify_all();
  return n;
}

int32_t CFakeLink::DoReceive(uint8_t* buffer, int32_t length, int waitMs) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait_for(lock, milliseconds(waitMs), [&] { return broken_ || !incoming_.empty(); });
  if (broken_) return -1;
  int32_t n = 0;
  while (n < length && !incoming_.empty()) {
    buffer[n++] = incoming_.front();
    incoming_.pop_front();
  }
  return n;
}

bool CFakeLink::DoPeerPresent() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return peerPresent_;
}

portmgr::TransportFactory FakeFactory(std::shared_ptr<CFakeLink> link) {
  return [link](const portmgr::LinkConfig&) { return std::make_unique<CFakeTransport>(link); };
}

PortSettings NulSettings(int32_t replyGapMs) {
  PortSettings s{};
  s.portName = "NUL";
  s.option[2] = replyGapMs;
  return s;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(char(v));
  return s;
}

}  // namespace portmgr_test
