#include "portmgr/core/handle_table.h"

#include <cstring>
#include <vector>

namespace portmgr {

namespace {
constexpr size_t kMaxNameLength = 1024;

bool ValidUser(int32_t user) { return user >= 1 && user <= 0xFF; }
}  // namespace

CHandleTable::CHandleTable(TransportFactory factory) : factory_(std::move(factory)) {}

CHandleTable::~CHandleTable() {
  std::map<int32_t, Entry> doomed;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    doomed.swap(entries_);
  }
  for (auto& e : doomed) e.second.port->Close();
}

// Handles count up and wrap, skipping those in use, so a stale handle does
// not reach a newer port soon after its own was deleted.
int32_t CHandleTable::NextHandle() {
  for (int32_t tries = 0; tries < kMaxHandle; ++tries) {
    const int32_t h = next_;
    next_ = next_ == kMaxHandle ? 1 : next_ + 1;
    if (entries_.count(h) == 0) return h;
  }
  return 0;
}

int32_t CHandleTable::Create(const char* portName, int32_t user) {
  if (portName == nullptr || !ValidUser(user)) return 0;
  const size_t length = strnlen(portName, kMaxNameLength + 1);
  if (length == 0 || length > kMaxNameLength) return 0;
  const std::string name(portName, length);

  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& e : entries_) {
    if (e.second.port->Name() == name) {
      e.second.users |= uint32_t(user);
      return e.first;
    }
  }
  if (entries_.size() >= kMaxPorts) return 0;
  const int32_t handle = NextHandle();
  if (handle == 0) return 0;
  entries_[handle] = Entry{std::make_shared<CPort>(name, factory_), uint32_t(user)};
  return handle;
}

bool CHandleTable::Delete(int32_t user, int32_t handle) {
  if (!ValidUser(user)) return false;
  std::shared_ptr<CPort> doomed;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = entries_.find(handle);
    if (it == entries_.end() || (it->second.users & uint32_t(user)) == 0) return false;
    it->second.users &= ~uint32_t(user);
    if (it->second.users != 0) return true;
    doomed = std::move(it->second.port);
    entries_.erase(it);
  }
  doomed->Close();
  return true;
}

std::shared_ptr<CPort> CHandleTable::Find(int32_t handle) const {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = entries_.find(handle);
  return it == entries_.end() ? nullptr : it->second.port;
}

size_t CHandleTable::Count() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return entries_.size();
}

CHandleTable& CHandleTable::Library() {
  static CHandleTable* table = new CHandleTable(&MakeTransport);
  return *table;
}

}  // namespace portmgr
