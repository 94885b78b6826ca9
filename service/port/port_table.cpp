#include "service/port/port_table.h"

#include <memory>
#include <mutex>

#include "portmgr/portmgr.h"

namespace {
std::mutex& TableMutex() {
  static std::mutex mutex;
  return mutex;
}

PortEntry* g_head = nullptr;  // under TableMutex
bool g_useTestTable = false;
PortLibrary g_testTable;

bool IsKnownUser(uint8_t user) {
  return user == PORT_USER_PRINTER || user == PORT_USER_DRAWER || user == PORT_USER_DISPLAY;
}
int UserIndex(uint8_t user) { return user == PORT_USER_PRINTER ? 0 : (user == PORT_USER_DRAWER ? 1 : 2); }
constexpr int kUsers = 3;

PortEntry* FindByName(const std::string& portName, int32_t tcpPort) {
  for (PortEntry* e = g_head; e; e = e->next)
    if (e->portName == portName && e->tcpPort == tcpPort) return e;
  return nullptr;
}

std::string LibraryPortName(const std::string& portName, int32_t tcpPort) {
  return tcpPort == kNoTcpPort ? portName : portName + ":" + std::to_string(tcpPort);
}

bool Holds(const PortEntry& e, int32_t handle) {
  if (handle == 0) return false;
  if (e.manager->Handle() == handle) return true;
  for (int32_t own : e.userHandle)
    if (own == handle) return true;
  return false;
}

PortEntry* FindByHandle(int32_t handle, PortEntry*** link) {
  for (PortEntry** p = &g_head; *p; p = &(*p)->next) {
    if (Holds(**p, handle)) {
      if (link) *link = p;
      return *p;
    }
  }
  return nullptr;
}

bool BindManager(CPortManager* manager) {
  return g_useTestTable ? manager->BindTable(g_testTable) : manager->Bind();
}

void DestroyEntry(PortEntry* entry) {
  entry->manager->Unbind();
  delete entry->manager;
  delete entry;
}
}  // namespace

int32_t AcquirePort(const std::string& deviceKey, const std::string& portName, uint8_t user) {
  return AcquirePort(deviceKey, portName, kNoTcpPort, user);
}

int32_t AcquirePort(const std::string& deviceKey, const std::string& portName, int32_t tcpPort, uint8_t user) {
  if (!IsKnownUser(user)) return 0;
  // TCP port 0 is the library's default port: the same connection as 9100.
  if (tcpPort == 0) tcpPort = PORTMGR_TCP_DEFAULT_PORT;
  std::lock_guard<std::mutex> lock(TableMutex());
  PortEntry* entry = FindByName(portName, tcpPort);
  const int index = UserIndex(user);
  if (entry && (entry->userMask & user)) {
    if (entry->userDevice[index] != deviceKey) return 0;
    ++entry->userHolders[index];
    return entry->userHandle[index];
  }
  std::unique_ptr<PortEntry> created;
  if (!entry) {
    created.reset(new PortEntry);
    created->manager = new CPortManager;
    if (!BindManager(created->manager)) {
      delete created->manager;
      return 0;
    }
    entry = created.get();
  }
  const std::string libraryName = LibraryPortName(portName, tcpPort);
  const int32_t handle = entry->manager->Library().CreatePort(deviceKey.c_str(), libraryName.c_str(), user);
  if (handle == 0) {
    // Nothing was taken: a new entry goes again, a shared one stays as it was.
    if (created) DestroyEntry(created.release());
    return 0;
  }
  entry->manager->SetHandle(handle);
  entry->userHandle[index] = handle;
  entry->userDevice[index] = deviceKey;
  entry->userHolders[index] = 1;
  entry->userMask |= user;
  entry->portName = portName;
  entry->tcpPort = tcpPort;
  if (created) {
    entry->manager->SetPortName(portName);
    entry->next = g_head;
    g_head = created.release();
  }
  return handle;
}

bool ReleasePort(uint8_t user, int32_t handle) {
  if (!IsKnownUser(user)) return false;
  std::lock_guard<std::mutex> lock(TableMutex());
  PortEntry** link = nullptr;
  PortEntry* entry = FindByHandle(handle, &link);
  if (!entry || (entry->userMask & user) == 0) return false;
  const int index = UserIndex(user);
  if (entry->userHolders[index] > 1) {
    --entry->userHolders[index];
    return true;
  }
  const int32_t own = entry->userHandle[index] ? entry->userHandle[index] : handle;
  CPortManager* manager = entry->manager;
  manager->Close(user);
  const uint8_t remaining = entry->userMask & static_cast<uint8_t>(~user);
  if (remaining != 0) {
    manager->Library().DeletePort(user, own);
    entry->userMask = remaining;
    entry->userHandle[index] = 0;
    entry->userDevice[index].clear();
    entry->userHolders[index] = 0;
    // A remaining user's handle stays valid for the manager's calls.
    if (manager->Handle() == own) {
      for (int i = 0; i < kUsers; ++i)
        if (entry->userHandle[i] != 0) manager->SetHandle(entry->userHandle[i]);
    }
    return true;
  }
  *link = entry->next;
  manager->Library().DeletePort(user, own);
  DestroyEntry(entry);
  return true;
}

PortEntry* FindPort(int32_t handle) {
  std::lock_guard<std::mutex> lock(TableMutex());
  return FindByHandle(handle, nullptr);
}

void SetPortLibraryForTesting(const PortLibrary* table) {
  std::lock_guard<std::mutex> lock(TableMutex());
  g_useTestTable = table != nullptr;
  g_testTable = table ? *table : PortLibrary();
}
