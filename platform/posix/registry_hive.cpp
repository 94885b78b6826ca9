// In-memory registry hive with Windows' semantics (see platform/registry.h).
// One process-wide tree guarded by one mutex. A handle holds a shared
// pointer to its node, so a deleted key stays alive for the handles still
// open on it and answers kRegKeyDeleted.
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/registry.h"
#include "platform/registry_test_support.h"
#include "platform/posix/text_fold.h"

namespace platform {
namespace {

constexpr size_t kMaxKeyNameChars = 255;

struct Value {
  std::string name;  // as written
  uint32_t type = kRegNone;
  std::vector<uint8_t> data;
};

struct Node {
  std::string name;  // as written
  bool deleted = false;
  // Ordered by the lower-cased name: the enumeration order (text_fold.h).
  std::map<std::string, std::shared_ptr<Node>, FoldLess> subkeys;
  std::map<std::string, Value, FoldLess> values;
};

struct Handle {
  std::shared_ptr<Node> node;
  bool writable = false;
};

std::mutex g_mutex;
// One tree per view, as 64-bit Windows keeps them apart.
std::shared_ptr<Node> g_roots[2] = {std::make_shared<Node>(), std::make_shared<Node>()};
RegView g_view = NativeRegistryView();

// Caller holds g_mutex.
std::shared_ptr<Node>& Root() { return g_roots[g_view == RegView::k64 ? 1 : 0]; }

void MarkDeleted(Node& node) {
  node.deleted = true;
  for (auto& entry : node.subkeys) MarkDeleted(*entry.second);
}

// Splits a backslash path into names; empty segments are skipped, as the
// Windows object manager skips repeated separators.
bool SplitPath(const std::string& path, std::vector<std::string>* names) {
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) {
      if (end - start > kMaxKeyNameChars) return false;
      names->push_back(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return true;
}

// Walks from `from`, creating missing keys when create is set. Caller
// holds g_mutex.
long Walk(std::shared_ptr<Node> from, const std::string& path, bool create, std::shared_ptr<Node>* out) {
  std::vector<std::string> names;
  if (!SplitPath(path, &names)) return kRegInvalidParameter;
  if (from->deleted) return kRegKeyDeleted;
  for (const std::string& name : names) {
    auto it = from->subkeys.find(name);
    if (it == from->subkeys.end()) {
      if (!create) return kRegNotFound;
      auto child = std::make_shared<Node>();
      child->name = name;
      it = from->subkeys.emplace(name, child).first;
    }
    from = it->second;
  }
  *out = from;
  return kRegOk;
}

Handle* AsHandle(void* handle) { return static_cast<Handle*>(handle); }

}  // namespace

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    other.handle_ = nullptr;
  }
  return *this;
}

long RegKey::Open(const std::string& path, RegAccess access) {
  Close();
  std::shared_ptr<Node> node;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    long status = Walk(Root(), path, false, &node);
    if (status != kRegOk) return status;
  }
  handle_ = new Handle{node, access == RegAccess::kAll};
  return kRegOk;
}

long RegKey::Create(const std::string& path) {
  Close();
  std::shared_ptr<Node> node;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    long status = Walk(Root(), path, true, &node);
    if (status != kRegOk) return status;
  }
  handle_ = new Handle{node, true};
  return kRegOk;
}

void RegKey::Close() {
  delete AsHandle(handle_);
  handle_ = nullptr;
}

long RegKey::QueryValue(const std::string& name, uint32_t* type, void* data, uint32_t* size) const {
  if (!handle_) return kRegInvalidHandle;
  if (data && !size) return kRegInvalidParameter;
  std::lock_guard<std::mutex> lock(g_mutex);
  const Node& node = *AsHandle(handle_)->node;
  if (node.deleted) return kRegKeyDeleted;
  auto it = node.values.find(name);
  if (it == node.values.end()) return kRegNotFound;
  const Value& value = it->second;
  const uint32_t needed = static_cast<uint32_t>(value.data.size());
  if (type) *type = value.type;
  if (!data) {
    if (size) *size = needed;
    return kRegOk;
  }
  if (*size < needed) {
    *size = needed;
    return kRegMoreData;
  }
  if (needed) std::memcpy(data, value.data.data(), needed);
  *size = needed;
  return kRegOk;
}

long RegKey::SetValue(const std::string& name, uint32_t type, const void* data, uint32_t size) {
  if (!handle_) return kRegInvalidHandle;
  if (!data && size) return kRegInvalidParameter;
  Handle& handle = *AsHandle(handle_);
  if (!handle.writable) return kRegAccessDenied;
  std::lock_guard<std::mutex> lock(g_mutex);
  if (handle.node->deleted) return kRegKeyDeleted;
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  auto it = handle.node->values.find(name);
  if (it == handle.node->values.end()) it = handle.node->values.emplace(name, Value{name, 0, {}}).first;
  it->second.type = type;
  it->second.data.assign(bytes, bytes + size);
  return kRegOk;
}

long RegKey::DeleteValue(const std::string& name) {
  if (!handle_) return kRegInvalidHandle;
  Handle& handle = *AsHandle(handle_);
  if (!handle.writable) return kRegAccessDenied;
  std::lock_guard<std::mutex> lock(g_mutex);
  if (handle.node->deleted) return kRegKeyDeleted;
  return handle.node->values.erase(name) ? kRegOk : kRegNotFound;
}

long RegKey::EnumSubKey(uint32_t index, std::string* name, uint32_t bufferChars) const {
  if (!handle_) return kRegInvalidHandle;
  std::lock_guard<std::mutex> lock(g_mutex);
  const Node& node = *AsHandle(handle_)->node;
  if (node.deleted) return kRegKeyDeleted;
  if (index >= node.subkeys.size()) return kRegNoMoreItems;
  auto it = node.subkeys.begin();
  std::advance(it, index);
  if (it->second->name.size() >= bufferChars) return kRegMoreData;
  *name = it->second->name;
  return kRegOk;
}

long RegKey::EnumValue(uint32_t index, std::string* name, uint32_t* type, std::string* data) const {
  if (!handle_) return kRegInvalidHandle;
  std::lock_guard<std::mutex> lock(g_mutex);
  const Node& node = *AsHandle(handle_)->node;
  if (node.deleted) return kRegKeyDeleted;
  if (index >= node.values.size()) return kRegNoMoreItems;
  auto it = node.values.begin();
  std::advance(it, index);
  *name = it->second.name;
  *type = it->second.type;
  data->assign(it->second.data.begin(), it->second.data.end());
  return kRegOk;
}

long RegKey::DeleteSubKey(const std::string& path) {
  if (!handle_) return kRegInvalidHandle;
  std::vector<std::string> names;
  if (!SplitPath(path, &names)) return kRegInvalidParameter;
  if (names.empty()) return kRegInvalidParameter;
  std::lock_guard<std::mutex> lock(g_mutex);
  std::shared_ptr<Node> parent = AsHandle(handle_)->node;
  if (parent->deleted) return kRegKeyDeleted;
  for (size_t i = 0; i + 1 < names.size(); ++i) {
    auto it = parent->subkeys.find(names[i]);
    if (it == parent->subkeys.end()) return kRegNotFound;
    parent = it->second;
  }
  auto it = parent->subkeys.find(names.back());
  if (it == parent->subkeys.end()) return kRegNotFound;
  if (!it->second->subkeys.empty()) return kRegAccessDenied;
  it->second->deleted = true;
  parent->subkeys.erase(it);
  return kRegOk;
}

void SetRegistryView(RegView view) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_view = view;
}

RegView CurrentRegistryView() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_view;
}

namespace test_support {

void ResetRegistry() {
  std::lock_guard<std::mutex> lock(g_mutex);
  for (std::shared_ptr<Node>& root : g_roots) {
    MarkDeleted(*root);
    root = std::make_shared<Node>();
  }
  g_view = NativeRegistryView();
}

}  // namespace test_support
}  // namespace platform
