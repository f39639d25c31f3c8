// Answers a modal dialog (a message box, the shell's About box, a folder
// dialog) from another thread while the test's thread sits in the dialog's
// loop: it waits for a dialog of that thread whose title contains the given
// text, reads its owner and its static texts, then presses a button.
#pragma once

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace ferrolis::testing {

class DialogAnswerer {
 public:
  // `while_open` runs on the answering thread once the dialog is found,
  // before the button is pressed.
  DialogAnswerer(std::wstring title_part, int button, std::function<void()> while_open = {})
      : title_part_(std::move(title_part)),
        button_(button),
        while_open_(std::move(while_open)),
        thread_id_(GetCurrentThreadId()) {
    thread_ = std::thread([this] { Run(); });
  }
  ~DialogAnswerer() { thread_.join(); }
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  // Valid once the dialog has gone.
  std::wstring title;
  std::vector<std::wstring> texts;
  HWND owner = nullptr;
  std::atomic<bool> found{false};

  // The longest static text: a message box's prompt.
  std::wstring Prompt() const {
    auto longest = std::max_element(texts.begin(), texts.end(), [](const auto& a, const auto& b) {
      return a.size() < b.size();
    });
    return longest == texts.end() ? std::wstring() : *longest;
  }
  bool Shows(const std::wstring& text) const {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }

 private:
  static std::wstring Text(HWND hwnd) {
    wchar_t text[512] = {};
    GetWindowTextW(hwnd, text, 512);
    return text;
  }
  static bool IsClass(HWND hwnd, const wchar_t* name) {
    wchar_t actual[32] = {};
    GetClassNameW(hwnd, actual, 32);
    return lstrcmpiW(actual, name) == 0;
  }
  static BOOL CALLBACK FindDialog(HWND hwnd, LPARAM self) {
    auto& me = *reinterpret_cast<DialogAnswerer*>(self);
    if (!IsClass(hwnd, L"#32770") || !IsWindowVisible(hwnd)) return TRUE;
    if (me.close_all_) {
      PostMessageW(hwnd, WM_CLOSE, 0, 0);
      return TRUE;
    }
    if (Text(hwnd).find(me.title_part_) == std::wstring::npos) return TRUE;
    me.dialog_ = hwnd;
    return FALSE;
  }
  static BOOL CALLBACK ReadStatic(HWND child, LPARAM self) {
    auto& me = *reinterpret_cast<DialogAnswerer*>(self);
    if (IsClass(child, L"static")) me.texts.push_back(Text(child));
    return TRUE;
  }

  void Run() {
    // Five seconds at most; then whatever dialog the thread has open is
    // closed, so that a missing answer fails the test instead of hanging it.
    for (int i = 0; i < 500; ++i) {
      EnumThreadWindows(thread_id_, &DialogAnswerer::FindDialog, reinterpret_cast<LPARAM>(this));
      if (dialog_) {
        title = Text(dialog_);
        owner = GetWindow(dialog_, GW_OWNER);
        EnumChildWindows(dialog_, &DialogAnswerer::ReadStatic, reinterpret_cast<LPARAM>(this));
        found = true;
        if (while_open_) while_open_();
        PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
        // A dialog that the button leaves open, and any box it opened, are
        // closed after five seconds, so that the test fails instead of hanging.
        for (int j = 0; j < 100 && IsWindow(dialog_); ++j) {
          if (j >= 50) CloseAll();
          Sleep(100);
        }
        return;
      }
      Sleep(10);
    }
    CloseAll();
  }
  void CloseAll() {
    close_all_ = true;
    EnumThreadWindows(thread_id_, &DialogAnswerer::FindDialog, reinterpret_cast<LPARAM>(this));
  }

  std::wstring title_part_;
  int button_;
  std::function<void()> while_open_;
  DWORD thread_id_;
  HWND dialog_ = nullptr;
  bool close_all_ = false;
  std::thread thread_;
};

}  // namespace ferrolis::testing
