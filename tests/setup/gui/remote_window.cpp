#include "tests/setup/gui/remote_window.h"

#include <cstdio>

namespace {

constexpr size_t kTextChars = 256;

struct DialogSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<DialogSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char cls[32] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (pid == search->processId && IsWindowVisible(window) && std::string(cls) == "#32770") {
    search->found.push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM param) {
  char cls[32] = {};
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Static") == 0) {
    auto* text = reinterpret_cast<std::string*>(param);
    const std::string piece = WindowText(child);
    if (!piece.empty()) *text += (text->empty() ? "" : "\n") + piece;
  }
  return TRUE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, DWORD limitMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limitMs) return false;
    Sleep(50);
  }
  return true;
}

std::vector<HWND> ProcessDialogs(DWORD processId) {
  DialogSearch search{processId, {}};
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindDialog(DWORD processId, const std::string& caption, int controlId) {
  for (HWND dialog : ProcessDialogs(processId)) {
    if (WindowText(dialog) == caption && (controlId == 0 || GetDlgItem(dialog, controlId))) return dialog;
  }
  return nullptr;
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      nullptr);
  return text;
}

std::string DialogStatics(HWND dialog) {
  std::string text;
  EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

void Settle(HWND window) { SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, nullptr); }

CRemoteTree::CRemoteTree(HWND tree, HANDLE process) : tree_(tree), process_(process) {
  remote_ = static_cast<char*>(
      VirtualAllocEx(process, nullptr, sizeof(TVITEMA) + kTextChars, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
}

CRemoteTree::~CRemoteTree() {
  if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
}

HTREEITEM CRemoteTree::Root() const {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

std::vector<HTREEITEM> CRemoteTree::Children(HTREEITEM node) const {
  std::vector<HTREEITEM> children;
  auto next = [this](UINT how, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
  };
  for (HTREEITEM child = next(TVGN_CHILD, node); child; child = next(TVGN_NEXT, child)) children.push_back(child);
  return children;
}

bool CRemoteTree::Fetch(HTREEITEM node, TVITEMA* item, char* text) const {
  if (!remote_) return false;
  TVITEMA request{};
  request.mask = TVIF_TEXT | TVIF_STATE;
  request.hItem = node;
  request.stateMask = TVIS_BOLD;
  request.pszText = remote_ + sizeof(TVITEMA);
  request.cchTextMax = kTextChars;
  if (!WriteProcessMemory(process_, remote_, &request, sizeof request, nullptr)) return false;
  if (!SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote_))) return false;
  return ReadProcessMemory(process_, remote_, item, sizeof *item, nullptr) &&
         ReadProcessMemory(process_, remote_ + sizeof(TVITEMA), text, kTextChars, nullptr);
}

std::string CRemoteTree::Text(HTREEITEM node) const {
  TVITEMA item{};
  char text[kTextChars] = {};
  if (!Fetch(node, &item, text)) return {};
  text[kTextChars - 1] = '\0';
  return text;
}

bool CRemoteTree::Bold(HTREEITEM node) const {
  TVITEMA item{};
  char text[kTextChars] = {};
  return Fetch(node, &item, text) && (item.state & TVIS_BOLD) != 0;
}

HTREEITEM CRemoteTree::Child(HTREEITEM node, const std::string& text) const {
  for (HTREEITEM child : Children(node)) {
    if (Text(child) == text) return child;
  }
  return nullptr;
}

void CRemoteTree::Select(HTREEITEM node) const {
  SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
}

bool SaveWindowImage(HWND window, const std::string& path) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, section);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  const DWORD dataBytes = rowBytes * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + dataBytes), 0,
                        0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  bool ok = false;
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
         std::fwrite(bits, dataBytes, 1, out) == 1;
    std::fclose(out);
  }
  SelectObject(memory, old);
  DeleteObject(section);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}
