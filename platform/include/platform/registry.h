// The registry as the OS gives it, reduced to what CRegistryAccess needs.
// Every path is relative to HKEY_LOCAL_MACHINE (in the view chosen by
// SetRegistryView, the program's own width until then) and uses
// backslashes. Status codes are the Windows error numbers, on every OS.
//
// Windows: a thin wrapper over Reg*. Elsewhere: an in-memory hive with the
// same semantics (names case-insensitive but kept as written, subkeys
// enumerated in a stable case-insensitive order, leaf-only key deletion,
// handles to deleted keys fail with kRegKeyDeleted). The hive is guarded by
// one mutex, so any thread may use it.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Value types, with the Windows numbers.
enum RegValueType : uint32_t {
  kRegNone = 0,
  kRegSz = 1,
  kRegExpandSz = 2,
  kRegBinary = 3,
  kRegDword = 4,
  kRegDwordBigEndian = 5,
  kRegLink = 6,
  kRegMultiSz = 7,
};

// Status codes (Windows error numbers).
enum RegStatus : long {
  kRegOk = 0,
  kRegNotFound = 2,
  kRegAccessDenied = 5,
  kRegInvalidHandle = 6,
  kRegInvalidParameter = 87,
  kRegMoreData = 234,
  kRegNoMoreItems = 259,
  kRegKeyDeleted = 1018,
};

enum class RegAccess { kRead, kAll };

// An open key. Move-only; closes itself. Not shared between threads.
class RegKey {
 public:
  RegKey() = default;
  ~RegKey() { Close(); }
  RegKey(RegKey&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  RegKey& operator=(RegKey&& other) noexcept;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  // Opens an existing key; the empty path opens the root itself.
  long Open(const std::string& path, RegAccess access);
  // Opens the key with full access, creating every missing key on the path.
  long Create(const std::string& path);
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }

  // RegQueryValueEx: with data null only *size and *type are filled. With a
  // buffer smaller than the value: kRegMoreData and *size = needed size.
  // type may be null. The empty name is the default value.
  long QueryValue(const std::string& name, uint32_t* type, void* data, uint32_t* size) const;
  long SetValue(const std::string& name, uint32_t type, const void* data, uint32_t size);
  long DeleteValue(const std::string& name);
  // RegEnumKeyEx: the subkey name at index into *name, given a name buffer
  // of bufferChars characters (NUL included); a longer name is kRegMoreData,
  // an index past the end kRegNoMoreItems.
  long EnumSubKey(uint32_t index, std::string* name, uint32_t bufferChars = 256) const;
  // RegEnumValue: the value at index, its name, type and stored bytes;
  // an index past the end kRegNoMoreItems.
  long EnumValue(uint32_t index, std::string* name, uint32_t* type, std::string* data) const;
  // Deletes a subkey (relative path) that has no subkeys of its own;
  // kRegAccessDenied when it has some.
  long DeleteSubKey(const std::string& path);

 private:
  void* handle_ = nullptr;
};

// The two views of HKEY_LOCAL_MACHINE on 64-bit Windows. Process-wide:
// set it before keys are opened and before threads start; keys opened
// earlier stay in their view. The in-memory hive keeps one tree per view.
enum class RegView { k32, k64 };
void SetRegistryView(RegView view);
RegView CurrentRegistryView();
// The view of the program's own width.
constexpr RegView NativeRegistryView() { return sizeof(void*) == 8 ? RegView::k64 : RegView::k32; }

}  // namespace platform
