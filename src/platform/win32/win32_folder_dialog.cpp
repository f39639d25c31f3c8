// Choosing a folder with the system's own dialogs: the file dialog in folder
// mode, which Windows recommends from Vista on, and the older folder browser
// where the file dialog's COM class cannot be created. Both need COM in a
// single-threaded apartment on the calling thread, the user-interface thread.
#include <windows.h>
// shlobj.h and shobjidl.h pull in shellapi.h, whose macros rename ShellAbout
// and ShellExecute: included after our own header's declarations are seen.
#include <shlobj.h>
#include <shobjidl.h>
#undef ShellAbout
#undef ShellExecute

#include <string>

#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text.h"

namespace ferrolis::platform::win32 {
namespace {

// COM for the length of one dialog. A thread already in the multithreaded
// apartment keeps it (RPC_E_CHANGED_MODE): the older dialog then goes without
// its newer style, which fails there.
class ComApartment {
 public:
  ComApartment()
      : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  bool single_threaded() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

// An interface pointer released when it goes.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T** out() { return &p_; }
  void** out_void() { return reinterpret_cast<void**>(&p_); }

 private:
  T* p_ = nullptr;
};

FolderDialogResult ShowPicker(HWND owner, const std::wstring& title, const std::wstring& start) {
  ComRef<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IFileOpenDialog, dialog.out_void()))) {
    return {};
  }
  FILEOPENDIALOGOPTIONS options = 0;
  if (FAILED(dialog->GetOptions(&options))) return {};
  // A folder of the file system, that exists; the process's current folder
  // stays as it is.
  if (FAILED(dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM |
                                FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR))) {
    return {};
  }
  dialog->SetTitle(title.c_str());
  if (!start.empty()) {
    // SetFolder rather than SetDefaultFolder: always there, not only when
    // the dialog remembers no folder of its own.
    ComRef<IShellItem> folder;
    if (SUCCEEDED(
            SHCreateItemFromParsingName(start.c_str(), nullptr, IID_IShellItem, folder.out_void())))
      dialog->SetFolder(folder.get());
  }
  const HRESULT shown = dialog->Show(owner);
  if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return {true, std::nullopt};
  if (FAILED(shown)) return {};
  ComRef<IShellItem> chosen;
  PWSTR path = nullptr;
  if (FAILED(dialog->GetResult(chosen.out())) ||
      FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
    return {true, std::nullopt};
  }
  const std::wstring folder = path;
  CoTaskMemFree(path);
  return {true, Narrow(folder)};
}

// Selects the start folder once the older dialog is up.
int CALLBACK StartIn(HWND dialog, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start != 0) {
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, start);
  }
  return 0;
}

FolderDialogResult ShowBrowser(HWND owner, const std::wstring& title, const std::wstring& start,
                               bool new_style) {
  wchar_t display_name[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pszDisplayName = display_name;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | (new_style ? BIF_NEWDIALOGSTYLE : 0);
  info.lpfn = StartIn;
  info.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
  const PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
  if (!list) return {true, std::nullopt};
  wchar_t path[MAX_PATH] = {};
  // Fails for what is not a folder of the file system (a server's name).
  const BOOL named = SHGetPathFromIDListW(list, path);
  CoTaskMemFree(list);
  if (!named || path[0] == L'\0') return {true, std::nullopt};
  return {true, Narrow(path)};
}

}  // namespace

FolderDialogResult ShowFolderDialog(FolderDialogKind kind, NativeHandle owner,
                                    const std::string& title, const std::string& start) {
  const ComApartment com;
  const HWND window = reinterpret_cast<HWND>(owner);
  const std::wstring wide_title = Widen(title);
  const std::wstring wide_start = Widen(start);
  if (kind == FolderDialogKind::Picker) return ShowPicker(window, wide_title, wide_start);
  return ShowBrowser(window, wide_title, wide_start, com.single_threaded());
}

std::string DocumentsFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder)))
    return {};
  std::wstring path = folder;
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return Narrow(path);
}

std::optional<std::string> Win32Shell::PickFolder(NativeHandle owner, const std::string& title) {
  const std::string start = DocumentsFolder();
  const FolderDialogResult picked = ShowFolderDialog(FolderDialogKind::Picker, owner, title, start);
  if (picked.shown) return picked.folder;
  return ShowFolderDialog(FolderDialogKind::Browser, owner, title, start).folder;
}

}  // namespace ferrolis::platform::win32
