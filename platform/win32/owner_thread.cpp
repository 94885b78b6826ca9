// Mailboxes as hidden message-only windows: WM_COMMAND with command id
// 0xFFFF carries the token in lParam; any message loop of the owner thread
// delivers them.
#include "platform/owner_thread.h"

#include <windows.h>

#include <atomic>

namespace platform {

namespace {
const WORD kMailboxCommand = 0xFFFF;
std::atomic<bool> g_failNext{false};

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ThisModule), &module);
  return module;
}
}  // namespace

struct COwnerMailbox::Impl {
  HWND window = nullptr;
  Handler handler;
};

namespace {
LRESULT CALLBACK MailboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == WM_COMMAND && LOWORD(wParam) == kMailboxCommand) {
    auto* impl = reinterpret_cast<COwnerMailbox::Impl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (impl && impl->handler) {
      // A copy: the handler may destroy its own mailbox.
      COwnerMailbox::Handler handler = impl->handler;
      handler(static_cast<uintptr_t>(lParam));
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterMailboxClass(const std::string& name, HINSTANCE module) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MailboxProc;
  wc.hInstance = module;
  wc.lpszClassName = name.c_str();
  return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}
}  // namespace

COwnerMailbox::COwnerMailbox(const std::string& name, int controlId, Handler handler) : impl_(new Impl) {
  impl_->handler = std::move(handler);
  if (g_failNext.exchange(false)) return;
  HINSTANCE module = ThisModule();
  if (!RegisterMailboxClass(name, module)) return;
  impl_->window = CreateWindowExA(0, name.c_str(), name.c_str(), WS_CHILD, 0, 0, 0, 0, HWND_MESSAGE,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), module, impl_.get());
}

COwnerMailbox::~COwnerMailbox() {
  if (!impl_->window) return;
  SetWindowLongPtrA(impl_->window, GWLP_USERDATA, 0);  // late messages find no handler
  DestroyWindow(impl_->window);
}

bool COwnerMailbox::Valid() const { return impl_->window != nullptr; }

bool COwnerMailbox::Post(uintptr_t token) {
  if (!impl_->window) return false;
  return PostMessageA(impl_->window, WM_COMMAND, MAKEWPARAM(kMailboxCommand, 0), static_cast<LPARAM>(token)) != 0;
}

int PumpMessages(int waitMs) {
  MSG message;
  if (waitMs > 0 && !PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE))
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(waitMs), QS_ALLINPUT);
  int handled = 0;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
    ++handled;
  }
  return handled;
}

void FailNextMailboxForTesting() { g_failNext = true; }

}  // namespace platform
