// Driving another process's windows the way a user would, by window
// messages: finding its dialogs and message boxes, reading control texts,
// and walking and selecting the nodes of its tree control (through memory
// lent in that process).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

// Polls done() every 50 ms until it holds or limitMs pass.
bool WaitFor(const std::function<bool()>& done, DWORD limitMs = 20000);

// Visible top-level dialogs of the process, newest first as Windows lists them.
std::vector<HWND> ProcessDialogs(DWORD processId);
// A dialog of the process with this caption that has a control with the
// given id (0: any); null when there is none.
HWND FindDialog(DWORD processId, const std::string& caption, int controlId = 0);
std::string WindowText(HWND window);
// The texts of a message box's static controls, joined by new lines.
std::string DialogStatics(HWND dialog);
// Waits until the UI thread of the window has handled everything sent
// before (a message round trip).
void Settle(HWND window);

class CRemoteTree {
 public:
  CRemoteTree(HWND tree, HANDLE process);
  ~CRemoteTree();
  CRemoteTree(const CRemoteTree&) = delete;
  CRemoteTree& operator=(const CRemoteTree&) = delete;

  HTREEITEM Root() const;
  std::vector<HTREEITEM> Children(HTREEITEM node) const;
  std::string Text(HTREEITEM node) const;
  bool Bold(HTREEITEM node) const;
  // The child of node with this text; null when there is none.
  HTREEITEM Child(HTREEITEM node, const std::string& text) const;
  void Select(HTREEITEM node) const;

 private:
  bool Fetch(HTREEITEM node, TVITEMA* item, char* text) const;

  HWND tree_;
  HANDLE process_;
  char* remote_ = nullptr;  // a TVITEMA followed by a 256-byte text buffer, in the other process
};

// The window's image as a 24-bit BMP file (what the screen shows there).
bool SaveWindowImage(HWND window, const std::string& path);
