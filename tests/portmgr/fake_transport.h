// A scripted link for the port tests: the test injects what the "printer"
// sends, reads back what was sent, and breaks or stalls the link at will.
// CFakeLink is shared between the test and the transports it makes, and
// locks internally.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "portmgr/core/transport.h"

namespace portmgr_test {

class CFakeLink {
 public:
  void Inject(const std::string& bytes);
  std::string Sent() const;
  // Waits up to ms until at least n bytes were sent.
  bool WaitSent(size_t n, int ms) const;
  // The next Receive (and Send) reports a broken link.
  void Break();
  void SetOpenable(bool openable);
  void SetSendChunk(int32_t bytes);  // most bytes one Send takes
  void SetStalled(bool stalled);     // Send takes nothing, after its wait
  void SetPeerPresent(bool present);
  int Opens() const;     // successful opens
  int Attempts() const;  // all opens
  int Closes() const;

  // Used by CFakeTransport.
  bool DoOpen();
  void DoClose();
  int32_t DoSend(const uint8_t* data, int32_t length, int timeoutMs);
  int32_t DoReceive(uint8_t* buffer, int32_t length, int waitMs);
  bool DoPeerPresent() const;

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::deque<uint8_t> incoming_;
  std::string sent_;
  bool broken_ = false;
  bool openable_ = true;
  bool stalled_ = false;
  bool peerPresent_ = true;
  int32_t chunk_ = 1 << 30;
  int opens_ = 0;
  int attempts_ = 0;
  int closes_ = 0;
};

class CFakeTransport : public portmgr::ITransport {
 public:
  explicit CFakeTransport(std::shared_ptr<CFakeLink> link) : link_(std::move(link)) {}
  bool Open(int) override { return link_->DoOpen(); }
  void Close() override { link_->DoClose(); }
  int32_t Send(const uint8_t* d, int32_t n, int ms) override { return link_->DoSend(d, n, ms); }
  int32_t Receive(uint8_t* b, int32_t n, int ms) override { return link_->DoReceive(b, n, ms); }
  bool PeerPresent() override { return link_->DoPeerPresent(); }

 private:
  std::shared_ptr<CFakeLink> link_;
};

portmgr::TransportFactory FakeFactory(std::shared_ptr<CFakeLink> link);
// Settings for the null port name with the given reply gap.
PortSettings NulSettings(int32_t replyGapMs = 0);
std::string Bytes(std::initializer_list<int> values);

}  // namespace portmgr_test
