// A mailbox on the thread that creates it: Post() from any thread makes the
// handler run on the creating (owner) thread when that thread pumps its
// messages. On Windows it is a hidden message-only window (WS_CHILD of
// HWND_MESSAGE) receiving WM_COMMAND 0xFFFF, so any message loop of the
// owner thread delivers; elsewhere a per-thread queue that PumpMessages runs.
//
// The mailbox is created and destroyed on the owner thread. Posts that are
// still pending when it is destroyed are discarded, never handled.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

class COwnerMailbox {
 public:
  using Handler = std::function<void(uintptr_t token)>;

  // name: the window name (and class name on Windows); id: its control id.
  COwnerMailbox(const std::string& name, int controlId, Handler handler);
  ~COwnerMailbox();
  COwnerMailbox(const COwnerMailbox&) = delete;
  COwnerMailbox& operator=(const COwnerMailbox&) = delete;

  // False when the window could not be created; Post then always fails.
  bool Valid() const;
  // Any thread. False when the message could not be posted.
  bool Post(uintptr_t token);

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// Runs the calling thread's pending messages, waiting up to waitMs for the
// first one when none is pending. Returns the number of messages handled.
int PumpMessages(int waitMs = 0);

// Test hook: the next mailbox created on any thread fails to create.
void FailNextMailboxForTesting();

}  // namespace platform
