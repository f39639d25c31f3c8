// The floor of the start-up measure: a program with ferrolis.exe's manifest
// and resources that shows one empty window titled like the access window and
// does nothing else, so what Wine itself takes to start a program and show a
// window.
#include <windows.h>

#include <commctrl.h>

namespace {

LRESULT CALLBACK FloorProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSW wc{};
  wc.lpfnWndProc = FloorProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"FerrolisFloor";
  RegisterClassW(&wc);
  HWND hwnd =
      CreateWindowExW(0, wc.lpszClassName, L"Mot de Passe", WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                      CW_USEDEFAULT, 240, 150, nullptr, nullptr, instance, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
