// The Win32 renderer with real windows under Wine: what each control becomes,
// where it lands, and how the user's actions and the code's changes travel
// between the native controls and the form runtime.
#include "platform/win32/win32_renderer.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/win32/win32_layout.h"
#include "platform/win32/win32_text.h"
#include "program/services.h"
#include "support/fake_system.h"
#include "ui/msgbox.h"
#include "wine/dialog_answerer.h"

namespace ferrolis::platform::win32 {
namespace {

using ui::ControlKind;

ui::FormStyle GateLikeStyle() {
  ui::FormStyle style;
  style.border = ui::BorderStyle::FixedSingle;
  style.min_button = false;
  style.max_button = false;
  style.show_in_taskbar = false;
  style.centered = true;
  style.client_width = 5000;
  style.client_height = 4500;
  return style;
}

ui::FontSpec Bold() {
  ui::FontSpec font;
  font.bold = true;
  return font;
}

// One control of every kind, with handlers that count what they see.
class DemoForm : public ui::Form {
 public:
  explicit DemoForm(ui::Runtime& runtime, ui::FormStyle style = GateLikeStyle())
      : ui::Form(runtime, "Demo", "Démo à l'écran", std::move(style)),
        Label1(Add(ControlKind::Label, "Label1")
                   .Caption("Entrez le mot de passe")
                   .At(120, 120, 3135, 255)
                   .Tab(5)
                   .Font(Bold())),
        Text1(Add(ControlKind::TextBox, "Text1").At(120, 480, 3015, 285).Tab(0).PasswordChar('*')),
        Command1(Add(ControlKind::CommandButton, "Command1")
                     .Caption("&OK")
                     .At(120, 960, 1095, 495)
                     .Tab(1)),
        Picture1(Add(ControlKind::CommandButton, "Picture1")
                     .At(2640, 960, 495, 495)
                     .Tab(4)
                     .ToolTip("Lire à partir d'une disquette")
                     .Picture("FLOPPY")),
        Text2(Add(ControlKind::TextBox, "Text2").At(1440, 960, 1095, 285).Tab(2)),
        Frame1(Add(ControlKind::Frame, "Frame1")
                   .Caption("Paramètres système")
                   .At(1440, 1800, 3000, 1500)
                   .Tab(6)),
        Check1(Add(ControlKind::CheckBox, "Check1")
                   .Caption("Désactiver")
                   .In(Frame1)
                   .At(120, 240, 2000, 255)
                   .Tab(7)),
        Option1(Add(ControlKind::OptionButton, "Option", 0)
                    .Caption("Utilisateur")
                    .In(Frame1)
                    .At(120, 600, 2000, 255)
                    .Tab(8)),
        Option2(Add(ControlKind::OptionButton, "Option", 1)
                    .Caption("Tous")
                    .In(Frame1)
                    .At(120, 960, 2000, 255)
                    .Tab(9)),
        List1(Add(ControlKind::ListBox, "List1")
                  .At(120, 1800, 1200, 1500)
                  .Tab(3)
                  .ExtendedSelection()),
        Image1(Add(ControlKind::Image, "Image1").At(120, 3600, 480, 480).Picture("FLOPPY")),
        Line1(Add(ControlKind::Line, "Line1").At(120, 4200, 4000, 0)),
        Menu1(Add(ControlKind::MenuItem, "Mnu_File").Caption("&Fichier")) {
    for (ui::Control* c : {&Command1, &Picture1, &Check1, &Option1, &Option2, &List1}) {
      c->OnClick = [this, c] { ++clicks[c->name() + std::to_string(c->index())]; };
    }
    Text2.OnChange = [this] { ++changes; };
    Text2.OnKeyPress = [this](int& key) {
      keys.push_back(key);
      if (key == 'x') key = 'X';
      if (key == 'z') key = 0;
    };
    for (ui::Control* c : {&Text1, &Text2, &Command1, &Picture1}) {
      c->OnGotFocus = [this, c] { focus_log.push_back(c->name()); };
    }
  }

  void Form_QueryUnload(int& cancel, int mode) override {
    unload_modes.push_back(mode);
    cancel = refuse_unload ? 1 : 0;
  }

  int Clicks(const ui::Control& c) { return clicks[c.name() + std::to_string(c.index())]; }

  ui::Control& Label1;
  ui::Control& Text1;
  ui::Control& Command1;
  ui::Control& Picture1;
  ui::Control& Text2;
  ui::Control& Frame1;
  ui::Control& Check1;
  ui::Control& Option1;
  ui::Control& Option2;
  ui::Control& List1;
  ui::Control& Image1;
  ui::Control& Line1;
  ui::Control& Menu1;

  std::map<std::string, int> clicks;
  int changes = 0;
  std::vector<int> keys;
  std::vector<std::string> focus_log;
  std::vector<int> unload_modes;
  bool refuse_unload = false;
};

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return CharLowerW(name);
}

LONG_PTR Style(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_STYLE); }

std::wstring TextOf(HWND hwnd) {
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  return text;
}

// The control's rectangle in its form's client area.
RECT ClientRect(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class Win32RendererTest : public ::testing::Test {
 protected:
  Win32RendererTest() { runtime.SetRenderer(renderer); }

  HWND Native(const ui::Control& c) const { return renderer.ControlHandle(c); }
  HWND Native(const ui::Form& f) const { return reinterpret_cast<HWND>(renderer.WindowHandle(f)); }
  int Px(const ui::Form& f, int twips) const { return MulDiv(twips, renderer.FormDpi(f), 1440); }
  void Char(const ui::Control& c, wchar_t ch) { SendMessageW(Native(c), WM_CHAR, ch, 1); }
  void Key(const ui::Control& c, UINT vk) {
    MSG msg{Native(c), WM_KEYDOWN, vk, static_cast<LPARAM>(MapVirtualKeyW(vk, 0) << 16 | 1), 0, {}};
    renderer.ProcessMessage(msg);
    renderer.ProcessPendingMessages();
  }

  testing::FakeSystem system;
  ui::Runtime runtime{program::HostOf(system)};
  Win32Renderer renderer{runtime, GetModuleHandleW(nullptr)};
};

TEST(Win32Layout, TwipsBecomePixelsForTheDpi) {
  EXPECT_EQ(TwipsToPixels(1440, 96), 96);
  EXPECT_EQ(TwipsToPixels(120, 96), 8);
  EXPECT_EQ(TwipsToPixels(120, 144), 12);
  EXPECT_EQ(TwipsToPixels(495, 120), 41);  // 41.25 rounds down
  EXPECT_EQ(TwipsToPixels(3015, 96), 201);
  EXPECT_EQ(FontHeightForPoints(8.25, 96), -11);
  EXPECT_EQ(FontHeightForPoints(8.25, 144), -17);
}

TEST(Win32Layout, AFormTooTallForTheWorkAreaIsLaidOutAtTheLargestScaleThatFits) {
  struct Case {
    int monitor_dpi;
    SIZE work;
    int expected;
  };
  // One inch square of client area, with 10 x 40 pixels of frame around it.
  for (const Case& c : std::vector<Case>{{192, {1000, 400}, 192},  // fits
                                         {192, {1000, 200}, 160},  // 160 + 40 = 200
                                         {192, {150, 1000}, 140},  // 140 + 10 = 150
                                         {144, {100, 1000}, 96},   // never below 100 %
                                         {96, {50, 50}, 96}}) {
    EXPECT_EQ(FitLayoutDpi(c.monitor_dpi, 1440, 1440, {10, 40}, c.work), c.expected)
        << c.monitor_dpi << " dpi on " << c.work.cx << "x" << c.work.cy;
  }
  const RECT work{0, 30, 1024, 768};
  struct Place {
    POINT at;
    SIZE size;
    POINT expected;
  };
  for (const Place& p : std::vector<Place>{{{100, 100}, {400, 300}, {100, 100}},
                                           {{900, 600}, {400, 300}, {624, 468}},
                                           {{-50, -80}, {400, 300}, {0, 30}},
                                           {{-60, -200}, {1200, 900}, {0, 30}}}) {
    const POINT kept = KeepInWorkArea(p.at, p.size, work);
    EXPECT_EQ(kept.x, p.expected.x);
    EXPECT_EQ(kept.y, p.expected.y) << "the title bar stays on the work area";
  }
}

TEST_F(Win32RendererTest, EachControlKindBecomesItsNativeControl) {
  DemoForm form(runtime);
  form.Load();
  ASSERT_NE(Native(form), nullptr);

  // Class, type under its mask, bits set, bits clear, text, the FLOPPY icon's
  // message. Never a default button, never an automatic check or option box.
  struct Expected {
    const ui::Control& control;
    const wchar_t* window_class;
    LONG_PTR type_mask, type, set, clear;
    const wchar_t* text;
    UINT image_message = 0;
  };
  const Expected rows[] = {
      {form.Label1, L"static", SS_TYPEMASK, SS_LEFT, 0, WS_TABSTOP, L"Entrez le mot de passe"},
      {form.Text1, L"edit", 0, 0, ES_PASSWORD | ES_AUTOHSCROLL | WS_TABSTOP, ES_MULTILINE, L""},
      {form.Text2, L"edit", 0, 0, 0, ES_PASSWORD, L""},
      {form.Command1, L"button", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP, 0, L"&OK"},
      // Its name, not drawn.
      {form.Picture1, L"button", 0, 0, BS_ICON, 0, L"Lire à partir d'une disquette", BM_GETIMAGE},
      {form.Check1, L"button", BS_TYPEMASK, BS_CHECKBOX, 0, 0, L"Désactiver"},
      {form.Option1, L"button", BS_TYPEMASK, BS_RADIOBUTTON, 0, 0, L"Utilisateur"},
      {form.Frame1, L"button", BS_TYPEMASK, BS_GROUPBOX, 0, WS_TABSTOP, L"Paramètres système"},
      {form.List1, L"listbox", 0, 0, LBS_EXTENDEDSEL | LBS_NOTIFY, 0, L""},
      {form.Image1, L"static", SS_TYPEMASK, SS_ICON, 0, 0, L"", STM_GETIMAGE},
      {form.Line1, L"static", SS_TYPEMASK, SS_ETCHEDHORZ, 0, 0, L""},
  };
  for (const Expected& e : rows) {
    SCOPED_TRACE(e.control.name());
    const HWND hwnd = Native(e.control);
    const LONG_PTR style = Style(hwnd);
    EXPECT_EQ(ClassOf(hwnd), e.window_class);
    EXPECT_EQ(style & e.type_mask, e.type);
    EXPECT_EQ(style & e.set, e.set) << std::hex << style;
    EXPECT_EQ(style & e.clear, 0) << std::hex << style;
    EXPECT_EQ(TextOf(hwnd), e.text);
    if (e.image_message) {
      EXPECT_NE(SendMessageW(hwnd, e.image_message, IMAGE_ICON, 0), 0);
    }
  }
  EXPECT_EQ(SendMessageW(Native(form.Text1), EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_EQ(Native(form.Menu1), nullptr) << "menus are not drawn yet";

  // Enter and Escape reach a plain window as IDOK and IDCANCEL commands: no
  // control may answer to those ids.
  for (const auto& control : form.controls()) {
    if (HWND hwnd = Native(*control)) {
      EXPECT_GE(GetDlgCtrlID(hwnd), 1000) << control->name();
    }
  }
}

TEST_F(Win32RendererTest, ChildWindowsFollowTheTabOrder) {
  DemoForm form(runtime);
  form.Load();
  // Tab goes into an option group at its chosen button.
  form.Option2.SetValue(1);
  // The dialog manager tabs through the tab stops in z-order.
  std::vector<HWND> order;
  HWND first = GetNextDlgTabItem(Native(form), nullptr, FALSE);
  for (HWND at = first; at && order.size() < 20; at = GetNextDlgTabItem(Native(form), at, FALSE)) {
    if (!order.empty() && at == first) break;
    order.push_back(at);
  }
  const std::vector<HWND> expected{Native(form.Text1),  Native(form.Command1), Native(form.Text2),
                                   Native(form.List1),  Native(form.Picture1), Native(form.Check1),
                                   Native(form.Option2)};
  EXPECT_EQ(order, expected);
}

TEST_F(Win32RendererTest, PositionsAndSizesComeFromTwips) {
  DemoForm form(runtime);
  form.Load();
  HWND window = Native(form);

  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, Px(form, 5000));
  EXPECT_EQ(client.bottom, Px(form, 4500));

  const RECT label = ClientRect(Native(form.Label1));
  EXPECT_EQ(label.left, Px(form, 120));
  EXPECT_EQ(label.top, Px(form, 120));
  EXPECT_EQ(label.right - label.left, Px(form, 3135));
  EXPECT_EQ(label.bottom - label.top, Px(form, 255));
  if (renderer.FormDpi(form) == 96) {
    EXPECT_EQ(label.left, 8);
  }

  // Inside a frame, positions count from the frame's corner.
  const RECT check = ClientRect(Native(form.Check1));
  EXPECT_EQ(check.left, Px(form, 1440) + Px(form, 120));
  EXPECT_EQ(check.top, Px(form, 1800) + Px(form, 240));

  const RECT line = ClientRect(Native(form.Line1));
  EXPECT_EQ(line.bottom - line.top, 2) << "an etched line of no declared height";
}

// Wine always has GetDpiForWindow and AdjustWindowRectExForDpi; Windows 7 and
// 8.1 have neither: the form takes the system DPI, and its frame, menu bar
// included, comes from AdjustWindowRectEx.
FARPROC FindNone(const char*) { return nullptr; }

TEST_F(Win32RendererTest, WithoutThePerMonitorDpiFunctionsAsOnWindows7) {
  struct Restore {
    ~Restore() { Win32Renderer::user32_lookup = nullptr; }
  } restore;
  Win32Renderer::user32_lookup = &FindNone;
  HDC screen = GetDC(nullptr);
  const int system_dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  DemoForm form(runtime);
  form.Load();
  ASSERT_NE(renderer.MenuHandle(form), nullptr);
  EXPECT_EQ(renderer.FormDpi(form), system_dpi);
  RECT client;
  GetClientRect(Native(form), &client);
  EXPECT_EQ(client.right, MulDiv(5000, system_dpi, 1440));
  EXPECT_EQ(client.bottom, MulDiv(4500, system_dpi, 1440));
}

TEST_F(Win32RendererTest, TheBorderStyleDecidesTheFrameAndTheTaskbar) {
  DemoForm gate(runtime);
  gate.Load();
  HWND window = Native(gate);
  const LONG_PTR style = Style(window);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_EQ(TextOf(window), L"Démo à l'écran");
  EXPECT_NE(renderer.IconHandle(gate), 0u);

  // Kept out of the taskbar: owned by a window that never shows.
  HWND owner = GetWindow(window, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

  // Centred on the work area.
  RECT rect;
  GetWindowRect(window, &rect);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  EXPECT_NEAR(rect.left + rect.right, monitor.rcWork.left + monitor.rcWork.right, 1);
  EXPECT_NEAR(rect.top + rect.bottom, monitor.rcWork.top + monitor.rcWork.bottom, 1);

  ui::FormStyle sizable;
  sizable.client_width = 1440;
  sizable.client_height = 1440;
  DemoForm main(runtime, sizable);
  main.Load();
  EXPECT_TRUE(Style(Native(main)) & WS_THICKFRAME);
  EXPECT_TRUE(Style(Native(main)) & WS_MINIMIZEBOX);
  EXPECT_TRUE(Style(Native(main)) & WS_MAXIMIZEBOX);
  EXPECT_EQ(GetWindow(Native(main), GW_OWNER), nullptr);

  main.SetCaption("Ferrolis é");
  EXPECT_EQ(TextOf(Native(main)), L"Ferrolis é");

  // Opened from a form on screen, it is owned by it and keeps its button.
  gate.Show(false);
  DemoForm opened(runtime, sizable);
  opened.Load();
  EXPECT_EQ(GetWindow(Native(opened), GW_OWNER), Native(gate));
  EXPECT_TRUE(GetWindowLongPtrW(Native(opened), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(Win32RendererTest, ChangesByCodeShowWithoutComingBackAsUserEvents) {
  DemoForm form(runtime);
  form.Load();

  form.Text2.SetText("Désolé");
  EXPECT_EQ(TextOf(Native(form.Text2)), L"Désolé");
  EXPECT_EQ(form.changes, 1) << "Change once, from the model, not again from EN_CHANGE";

  form.Check1.SetValue(1);
  EXPECT_EQ(SendMessageW(Native(form.Check1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(form.Clicks(form.Check1), 1);

  form.Option2.SetValue(1);
  form.Option1.SetValue(1);
  EXPECT_EQ(SendMessageW(Native(form.Option1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(Native(form.Option2), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  form.Command1.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(Native(form.Command1)));
  form.Command1.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(Native(form.Command1)));

  form.Label1.SetCaption("Mot de passe à changer");
  EXPECT_EQ(TextOf(Native(form.Label1)), L"Mot de passe à changer");

  // A frame hides and disables what it holds, without forgetting each
  // control's own state.
  form.Check1.SetVisible(false);
  form.Frame1.SetVisible(false);
  EXPECT_FALSE(Style(Native(form.Option1)) & WS_VISIBLE);
  form.Frame1.SetVisible(true);
  EXPECT_TRUE(Style(Native(form.Option1)) & WS_VISIBLE);
  EXPECT_FALSE(Style(Native(form.Check1)) & WS_VISIBLE);
  form.Frame1.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(Native(form.Option2)));

  form.Text2.SetText("àbc");
  form.Text2.SetSelection(1, 1);  // characters: the "b"
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(Native(form.Text2), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 2u);
}

TEST_F(Win32RendererTest, ListLinesAndTooltipsFollowTheModel) {
  DemoForm form(runtime);
  form.Load();
  HWND list = Native(form.List1);
  form.List1.AddItem("Première entrée");
  form.List1.AddItem("Deuxième");
  form.List1.AddItem("Troisième");
  form.List1.SetSelected(1, true);
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
  wchar_t line[64] = {};
  SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
  EXPECT_STREQ(line, L"Première entrée");
  EXPECT_GT(SendMessageW(list, LB_GETSEL, 1, 0), 0);
  EXPECT_EQ(SendMessageW(list, LB_GETSEL, 2, 0), 0);
  form.List1.Clear();
  form.List1.AddItem("Seule");
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);

  // The tooltips come with the form on screen, declared ones included.
  form.Show(false);
  HWND tips = renderer.TooltipHandle(form);
  ASSERT_NE(tips, nullptr);
  auto tip_text = [&](const ui::Control& c) {
    wchar_t text[128] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = Native(form);
    tool.uId = reinterpret_cast<UINT_PTR>(Native(c));
    tool.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    return std::wstring(text);
  };
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1) << "only controls with a tooltip";
  EXPECT_EQ(tip_text(form.Picture1), L"Lire à partir d'une disquette");
  form.Command1.SetToolTip("Valider");
  EXPECT_EQ(tip_text(form.Command1), L"Valider");
  form.Picture1.SetToolTip("Lire & comparer");
  EXPECT_EQ(TextOf(Native(form.Picture1)), L"Lire && comparer") << "its name, no access key";
  form.Picture1.SetToolTip("");
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(Win32RendererTest, AListScrollsSidewaysAsFarAsItsWidestLine) {
  DemoForm form(runtime);
  form.Show(false);
  HWND list = Native(form.List1);
  // Lines wider than the list, in the list's own font: one added by code,
  // one by a handler (measured once its event is over).
  const auto wider_than_the_list = [&](const std::wstring& line) {
    HDC dc = GetDC(list);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
    ReleaseDC(list, dc);
    RECT client{};
    GetClientRect(list, &client);
    EXPECT_GT(size.cx, client.right);
    EXPECT_GE(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), size.cx);
    EXPECT_TRUE(Style(list) & WS_HSCROLL) << "the list box shows its bar by this bit";
    RECT box{};
    GetWindowRect(list, &box);
    EXPECT_EQ(box.bottom - box.top, Px(form, form.List1.position().height))
        << "the list keeps its box while the bar comes and goes";
  };
  form.List1.AddItem("Court");
  form.List1.AddItem("Programme au nom bien plus long que la liste (version 1.2.3)");
  wider_than_the_list(L"Programme au nom bien plus long que la liste (version 1.2.3)");
  form.List1.Clear();
  form.List1.AddItem("Court");
  EXPECT_LT(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), Px(form, 1200) / 2);
  form.Command1.OnClick = [&] { form.List1.AddItem("Une autre ligne bien trop longue, ici"); };
  SendMessageW(Native(form.Command1), BM_CLICK, 0, 0);
  wider_than_the_list(L"Une autre ligne bien trop longue, ici");
}

TEST_F(Win32RendererTest, ClicksReachTheRuntimeOnce) {
  DemoForm form(runtime);
  form.Show(false);

  SendMessageW(Native(form.Command1), BM_CLICK, 0, 0);
  EXPECT_EQ(form.Clicks(form.Command1), 1);

  // Check boxes and option buttons change through the runtime, which then
  // shows the new state.
  SendMessageW(Native(form.Check1), BM_CLICK, 0, 0);
  EXPECT_EQ(form.Check1.value(), 1);
  EXPECT_EQ(SendMessageW(Native(form.Check1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(form.Clicks(form.Check1), 1);
  SendMessageW(Native(form.Option2), BM_CLICK, 0, 0);
  EXPECT_EQ(form.Option2.value(), 1);
  EXPECT_EQ(SendMessageW(Native(form.Option2), BM_GETCHECK, 0, 0), BST_CHECKED);

  const auto notify_click = [&] {
    SendMessageW(Native(form), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(Native(form.Command1)), BN_CLICKED),
                 reinterpret_cast<LPARAM>(Native(form.Command1)));
  };
  form.Command1.SetEnabled(false);
  notify_click();
  EXPECT_EQ(form.Clicks(form.Command1), 1) << "a disabled button takes no click";
  // Another program can send a click to a hidden button, or to a form under
  // a message box: neither raises anything.
  form.Command1.SetEnabled(true);
  form.Command1.SetVisible(false);
  SendMessageW(Native(form.Command1), BM_CLICK, 0, 0);
  form.Command1.SetVisible(true);
  {
    testing::DialogAnswerer box(L"Boîte", IDOK, notify_click);
    runtime.MsgBox("?", ui::kOkOnly, "Boîte");
  }
  EXPECT_EQ(form.Clicks(form.Command1), 1)
      << "a hidden button or a form under a box takes no click";

  // A shift-click selects several lines: one Click, with every line stored.
  form.List1.AddItem("a");
  form.List1.AddItem("b");
  form.List1.AddItem("c");
  HWND list = Native(form.List1);
  SendMessageW(list, LB_SETSEL, TRUE, 0);
  SendMessageW(list, LB_SETSEL, TRUE, 2);
  SendMessageW(Native(form), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  EXPECT_TRUE(form.List1.Selected(0));
  EXPECT_FALSE(form.List1.Selected(1));
  EXPECT_TRUE(form.List1.Selected(2));
  EXPECT_EQ(form.Clicks(form.List1), 1);
}

TEST_F(Win32RendererTest, TypingRaisesKeyPressThenChange) {
  DemoForm form(runtime);
  form.Load();
  HWND edit = Native(form.Text2);
  // Not on screen yet: another program's text is refused and put back.
  SetWindowTextW(edit, L"x");
  EXPECT_EQ(TextOf(edit) + Widen(form.Text2.text()), L"");
  form.Show(false);

  Char(form.Text2, L'a');
  EXPECT_EQ(form.keys, std::vector<int>{'a'});
  EXPECT_EQ(form.Text2.text(), "a");
  EXPECT_EQ(form.changes, 1);

  Char(form.Text2, L'x');  // the handler makes it an X
  Char(form.Text2, L'z');  // and swallows this one
  EXPECT_EQ(form.Text2.text(), "aX");
  EXPECT_EQ(TextOf(edit), L"aX");
  EXPECT_EQ(form.changes, 2);

  Char(form.Text2, L'\r');
  EXPECT_EQ(form.keys.back(), 13);
  EXPECT_EQ(form.Text2.text(), "aX") << "Enter adds nothing to a single-line box";

  // The user's own text (anything that sends EN_CHANGE) reaches the model.
  SetWindowTextW(edit, L"tapé");
  EXPECT_EQ(form.Text2.text(), "tapé");
  EXPECT_EQ(form.changes, 3);

  // The text box claims Enter from the dialog manager, but not Tab.
  MSG enter{edit, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(SendMessageW(edit, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
              DLGC_WANTALLKEYS);
  MSG tab{edit, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_FALSE(SendMessageW(edit, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) &
               (DLGC_WANTALLKEYS | DLGC_WANTTAB));
}

TEST_F(Win32RendererTest, FocusSetByCodeArrivesOnceTheWindowShows) {
  DemoForm form(runtime);
  form.Load();
  form.Text2.SetFocus();
  EXPECT_TRUE(form.focus_log.empty()) << "nothing to focus while hidden";

  form.Show(false);
  EXPECT_EQ(form.focus_log, std::vector<std::string>{"Text2"});
  EXPECT_EQ(form.focused(), &form.Text2);
  EXPECT_EQ(GetFocus(), Native(form.Text2));

  form.Command1.SetFocus();
  EXPECT_EQ(form.focus_log.back(), "Command1");
  EXPECT_EQ(GetFocus(), Native(form.Command1));

  // Without a request the first control in tab order has it.
  DemoForm other(runtime);
  other.Show(false);
  EXPECT_EQ(other.focus_log, std::vector<std::string>{"Text1"});
}

TEST_F(Win32RendererTest, DialogKeysTabEnterAndEscape) {
  DemoForm form(runtime);
  form.Text1.OnKeyPress = [&](int& key) { form.keys.push_back(key); };
  form.Show(false);
  ASSERT_EQ(GetFocus(), Native(form.Text1));

  Key(form.Text1, VK_RETURN);
  EXPECT_EQ(form.keys, std::vector<int>{13}) << "Enter reaches the text box's KeyPress";

  Key(form.Text1, VK_ESCAPE);
  EXPECT_TRUE(form.loaded());
  EXPECT_TRUE(form.clicks.empty()) << "no cancel button";
  EXPECT_EQ(form.keys.size(), 1u);

  Key(form.Text1, VK_TAB);
  EXPECT_EQ(GetFocus(), Native(form.Command1));
  EXPECT_EQ(form.focused(), &form.Command1);

  // On a focused push button, Enter presses it.
  Key(form.Command1, VK_RETURN);
  EXPECT_EQ(form.Clicks(form.Command1), 1);
}

TEST_F(Win32RendererTest, AnEndInAFocusHandlerStopsTheWholeChain) {
  DemoForm form(runtime);
  bool after = false;
  form.Command1.OnClick = [&] {
    form.Text2.SetFocus();
    after = true;
  };
  form.Text2.OnGotFocus = [&] { runtime.End(); };
  form.Show(false);

  SendMessageW(Native(form.Command1), BM_CLICK, 0, 0);
  EXPECT_EQ(system.exits, std::vector<int>{0});
  EXPECT_FALSE(after) << "no statement of the click handler runs after the End";
  EXPECT_TRUE(runtime.ended());
}

TEST_F(Win32RendererTest, TheCloseBoxAsksTheForm) {
  DemoForm form(runtime);
  form.Show(false);
  HWND window = Native(form);

  form.refuse_unload = true;
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(form.loaded());

  form.refuse_unload = false;
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(form.loaded());
  EXPECT_EQ(form.unload_modes, (std::vector<int>{ui::kUnloadByUser, ui::kUnloadByUser}));
}

// Runs inside the modal loop: looks at the windows, then closes the form.
struct ModalCheck {
  HWND owner = nullptr;
  ui::Form* modal = nullptr;
  Win32Renderer* renderer = nullptr;
  bool owner_was_enabled = true;
  bool modal_was_visible = false;
  HWND modal_owner = nullptr;
};
ModalCheck* g_modal_check = nullptr;

void CALLBACK CheckModal(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  ModalCheck& check = *g_modal_check;
  check.owner_was_enabled = IsWindowEnabled(check.owner);
  check.modal_was_visible =
      IsWindowVisible(reinterpret_cast<HWND>(check.renderer->WindowHandle(*check.modal)));
  check.modal_owner =
      GetWindow(reinterpret_cast<HWND>(check.renderer->WindowHandle(*check.modal)), GW_OWNER);
  PostMessageW(reinterpret_cast<HWND>(check.renderer->WindowHandle(*check.modal)), WM_CLOSE, 0, 0);
}

TEST_F(Win32RendererTest, AModalFormDisablesTheOthersUntilItIsUnloaded) {
  DemoForm gate(runtime);
  gate.Show(false);
  DemoForm main(runtime);
  ModalCheck check{Native(gate), &main, &renderer};
  g_modal_check = &check;
  SetTimer(nullptr, 0, 50, &CheckModal);

  main.Show(true);  // returns once the timer has closed it

  g_modal_check = nullptr;
  EXPECT_FALSE(check.owner_was_enabled);
  EXPECT_TRUE(check.modal_was_visible);
  EXPECT_EQ(check.modal_owner, Native(gate)) << "kept above the window it disables";
  EXPECT_FALSE(main.loaded());
  EXPECT_TRUE(IsWindowEnabled(Native(gate)));
  EXPECT_TRUE(gate.loaded());
}

TEST_F(Win32RendererTest, MessageBoxesShowThePromptAndReturnTheButton) {
  DemoForm form(runtime);
  form.Show(false);
  int result = 0;
  {
    testing::DialogAnswerer answer(L"Première utilisation", IDNO);
    result = runtime.MsgBox("Ligne un !\rLigne deux à lire.", ui::kYesNo + ui::kQuestion,
                            "Première utilisation");
    ASSERT_TRUE(answer.found);
    EXPECT_EQ(answer.title, L"Première utilisation");
    EXPECT_EQ(answer.Prompt(), L"Ligne un !\rLigne deux à lire.");
    EXPECT_EQ(answer.owner, Native(form)) << "owned by the active form";
  }
  EXPECT_EQ(result, ui::kResultNo);
  EXPECT_TRUE(IsWindowEnabled(Native(form)));

  testing::DialogAnswerer cancel(L"Question", IDCANCEL);
  EXPECT_EQ(runtime.MsgBox("Enregistrer ?", ui::kYesNoCancel + ui::kQuestion, "Question"),
            ui::kResultCancel);
}

// A menu bar, default and cancel buttons, aligned labels, a hand pointer and
// an image declared larger than the picture's usual size.
class ToolkitForm : public ui::Form {
 public:
  explicit ToolkitForm(ui::Runtime& runtime)
      : ui::Form(runtime, "Toolkit", "Boîte à outils", GateLikeStyle()),
        Text1(Add(ControlKind::TextBox, "Text1").At(120, 120, 2000, 285).Tab(0)),
        Ok(Add(ControlKind::CommandButton, "Ok")
               .Caption("OK")
               .At(120, 600, 1200, 400)
               .Tab(1)
               .Default()),
        Quit(Add(ControlKind::CommandButton, "Quit")
                 .Caption("Annuler")
                 .At(1440, 600, 1200, 400)
                 .Tab(2)
                 .Cancel()),
        Right(Add(ControlKind::Label, "Right")
                  .Caption("Droite")
                  .At(120, 1200, 2000, 255)
                  .Align(ui::Alignment::Right)),
        Centre(Add(ControlKind::Label, "Centre")
                   .Caption("Centre")
                   .At(120, 1500, 2000, 255)
                   .Align(ui::Alignment::Center)),
        Link(Add(ControlKind::Label, "Link")
                 .Caption("Lien")
                 .At(120, 1800, 2000, 255)
                 .Pointer(ui::MousePointer::Hand)),
        Icon(Add(ControlKind::Image, "Icon").At(2400, 1200, 720, 720).Picture("FLOPPY")),
        File(Add(ControlKind::MenuItem, "File").Caption("&Fichier")),
        Open(Add(ControlKind::MenuItem, "Open").Caption("&Ouvrir").In(File)),
        Sep(Add(ControlKind::MenuItem, "Sep").Caption("-").In(File)),
        Grey(Add(ControlKind::MenuItem, "Grey").Caption("&Grisé").In(File).Disabled()) {
    for (ui::Control* c : {&Ok, &Quit, &Open, &Grey})
      c->OnClick = [this, c] { log += c->name() + ";"; };
    Text1.OnKeyPress = [this](int& key) { log += "key" + std::to_string(key) + ";"; };
  }
  ui::Control &Text1, &Ok, &Quit, &Right, &Centre, &Link, &Icon, &File, &Open, &Sep, &Grey;
  std::string log;
};

std::wstring MenuText(HMENU menu, UINT position) {
  wchar_t text[64] = {};
  GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
  return text;
}

TEST_F(Win32RendererTest, MenuBarItemsFollowTheModelAndRunTheirHandler) {
  ToolkitForm form(runtime);
  form.Show(false);
  HMENU bar = renderer.MenuHandle(form);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(GetMenu(Native(form)), bar);
  RECT client;
  GetClientRect(Native(form), &client);
  EXPECT_EQ(client.bottom, Px(form, 4500)) << "the window was sized with its menu bar";
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  EXPECT_EQ(MenuText(bar, 0), L"&Fichier");
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_EQ(GetMenuItemCount(file), 3);
  EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_GRAYED);

  auto choose = [&](const ui::Control& item) {
    SendMessageW(Native(form), WM_COMMAND, MAKEWPARAM(Win32Renderer::ControlId(item), 0), 0);
  };
  choose(form.Open);
  choose(form.Grey);
  form.Open.SetCaption("&Lire");
  form.Grey.SetEnabled(true);
  file = GetSubMenu(renderer.MenuHandle(form), 0);
  EXPECT_EQ(MenuText(file, 0), L"&Lire");
  EXPECT_FALSE(GetMenuState(file, 2, MF_BYPOSITION) & MF_GRAYED);
  choose(form.Grey);
  form.File.SetEnabled(false);
  choose(form.Open);
  EXPECT_EQ(form.log, "Open;Grey;") << "a disabled item or menu runs nothing";
}

TEST_F(Win32RendererTest, AReplacedMenuBarAndAnUnloadedFormLeaveNoHandleBehind) {
  ToolkitForm form(runtime);
  form.Show(false);
  const HWND window = Native(form), tips = renderer.TooltipHandle(form), text = Native(form.Text1);
  const HMENU first = renderer.MenuHandle(form), first_file = GetSubMenu(first, 0);
  form.Open.SetCaption("&Lire");
  const HMENU bar = renderer.MenuHandle(form), file = GetSubMenu(bar, 0);
  EXPECT_EQ(GetMenu(window), bar);
  EXPECT_FALSE(IsMenu(first)) << "the bar replaced is destroyed";
  EXPECT_FALSE(IsMenu(first_file)) << "with its menus";
  ASSERT_TRUE(IsWindow(tips));
  ASSERT_TRUE(IsMenu(bar));
  EXPECT_TRUE(form.Unload());
  for (HWND gone : {window, tips, text}) EXPECT_FALSE(IsWindow(gone));
  EXPECT_FALSE(IsMenu(bar));
  EXPECT_FALSE(IsMenu(file));
}

TEST_F(Win32RendererTest, EnterEscapeAndArrowsFollowTheSharedRules) {
  ToolkitForm form(runtime);
  form.Show(false);
  EXPECT_EQ(Style(Native(form.Ok)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  ASSERT_EQ(GetFocus(), Native(form.Text1));
  Key(form.Text1, VK_RETURN);
  Key(form.Text1, VK_ESCAPE);
  form.Ok.SetEnabled(false);
  Key(form.Text1, VK_RETURN);  // no default left: Enter is the text box's key
  EXPECT_EQ(form.log, "Ok;Quit;key13;");

  // Option buttons: one group start, one tab stop, focus never chooses.
  DemoForm demo(runtime);
  demo.Option2.SetValue(1);
  demo.Show(false);
  EXPECT_TRUE(Style(Native(demo.Option1)) & WS_GROUP);
  EXPECT_FALSE(Style(Native(demo.Option2)) & WS_GROUP);
  EXPECT_FALSE(Style(Native(demo.Option1)) & WS_TABSTOP);
  EXPECT_TRUE(Style(Native(demo.Option2)) & WS_TABSTOP);
  demo.clicks.clear();
  ::SetFocus(Native(demo.Option1));  // as Tab or a mnemonic brings it
  renderer.ProcessPendingMessages();
  EXPECT_EQ(demo.Option1.value(), 0);
  EXPECT_TRUE(demo.clicks.empty());
  Key(demo.Option1, VK_DOWN);
  EXPECT_EQ(GetFocus(), Native(demo.Option2));
  EXPECT_EQ(demo.Option2.value(), 1);
  Key(demo.Option2, VK_UP);
  EXPECT_EQ(demo.Option1.value(), 1);
  EXPECT_EQ(demo.Clicks(demo.Option1), 1);
  EXPECT_EQ(demo.Clicks(demo.Option2), 0) << "it was chosen already";
  EXPECT_TRUE(Style(Native(demo.Option1)) & WS_TABSTOP) << "the tab stop follows the choice";
  EXPECT_FALSE(Style(Native(demo.Option2)) & WS_TABSTOP);
}

TEST_F(Win32RendererTest, AlignmentPointerAndPictureSize) {
  ToolkitForm form(runtime);
  form.Show(false);
  EXPECT_EQ(Style(Native(form.Right)) & SS_TYPEMASK, SS_RIGHT);
  EXPECT_EQ(Style(Native(form.Centre)) & SS_TYPEMASK, SS_CENTER);
  SendMessageW(Native(form), WM_SETCURSOR, reinterpret_cast<WPARAM>(Native(form.Link)),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

  auto icon = reinterpret_cast<HICON>(SendMessageW(Native(form.Icon), STM_GETIMAGE, IMAGE_ICON, 0));
  ASSERT_NE(icon, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, Px(form, 720)) << "drawn at the size declared";
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
}

}  // namespace
}  // namespace ferrolis::platform::win32

namespace ferrolis::platform::win32 {
namespace {

// The face GDI chose for a font, and whether it is TrueType.
std::pair<std::wstring, bool> Realized(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return {face, (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0};
}

TEST_F(Win32RendererTest, TheFormsBitmapFaceIsAskedForByItsTrueTypeTwin) {
  DemoForm form(runtime);
  form.Load();
  for (const ui::Control* control : {&form.Label1, &form.Text1, &form.Check1}) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(Native(*control), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW asked{};
    GetObjectW(font, sizeof(asked), &asked);
    const auto [face, truetype] = Realized(font);
    // Wine substitutes a TrueType face for the bitmap one by itself; Windows
    // does not, so the face asked for is what tells.
    EXPECT_STREQ(asked.lfFaceName, L"Microsoft Sans Serif") << control->name();
    EXPECT_TRUE(truetype) << Narrow(face);
  }
}

}  // namespace
}  // namespace ferrolis::platform::win32
