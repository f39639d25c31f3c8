// Lists: the model's lines and selection shown on the control one line at a
// time, redrawing held while an event fills a list, and the user's selection
// taken back as one action. The messages are the kind's (NativeList), so any
// kind that holds lines is shown by this code.
#include <algorithm>
#include <vector>

#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_kinds.h"
#include "platform/win32/win32_renderer.h"
#include "platform/win32/win32_text.h"

namespace ferrolis::platform::win32 {
namespace {

// The kind's list messages; null for a kind that holds no lines, whose
// window the list code leaves alone.
const NativeList* ListOf(const ui::Control& control) { return NativeKindOf(control.kind()).list; }

}  // namespace

// The whole list again: at creation, and when the model was cleared.
void Win32Renderer::SyncListItems(ControlWindow& cw) {
  const ui::Control& control = *cw.control;
  const NativeList* list = ListOf(control);
  if (list == nullptr) return;
  SendMessageW(cw.hwnd, list->reset, 0, 0);
  for (int i = 0; i < control.ListCount(); ++i) {
    SendMessageW(cw.hwnd, list->add, 0, reinterpret_cast<LPARAM>(Widen(control.List(i)).c_str()));
    if (control.Selected(i)) ShowLineSelection(cw, i);
  }
  FitListExtent(cw, 0);
}

// A list does not size its scrollable width by itself: it is the widest
// line's, in the list's own font, measured from line `from` on (0: every line,
// otherwise only lines added since the last fit, which can only widen it).
void Win32Renderer::FitListExtent(ControlWindow& cw, int from) {
  const ui::Control& control = *cw.control;
  const NativeList* list = ListOf(control);
  if (list == nullptr) return;
  cw.unmeasured_from = -1;
  int widest = from == 0 ? 0 : static_cast<int>(SendMessageW(cw.hwnd, list->get_extent, 0, 0));
  {
    const OwnedDeviceContext dc = WindowDeviceContext(cw.hwnd);
    if (!dc) return;
    const Selection font(dc, reinterpret_cast<HFONT>(SendMessageW(cw.hwnd, WM_GETFONT, 0, 0)));
    // The list draws its text a little in from its edge: an average
    // character's width keeps the last letter clear of the border.
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    for (int i = std::max(from, 0); i < control.ListCount(); ++i) {
      const std::wstring line = Widen(control.List(i));
      SIZE size{};
      if (GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size))
        widest = std::max(widest, static_cast<int>(size.cx + metrics.tmAveCharWidth));
    }
  }
  SendMessageW(cw.hwnd, list->set_extent, static_cast<WPARAM>(widest), 0);
}

void Win32Renderer::ShowLineSelection(ControlWindow& cw, int line) {
  const ui::Control& control = *cw.control;
  const NativeList& list = *ListOf(control);  // its callers' control holds lines
  const bool selected = control.Selected(line);
  if (control.extended_selection() && list.select != 0) {
    SendMessageW(cw.hwnd, list.select, selected ? TRUE : FALSE, line);
  } else if (selected) {
    SendMessageW(cw.hwnd, list.choose, static_cast<WPARAM>(line), 0);
  } else if (SendMessageW(cw.hwnd, list.current, 0, 0) == line) {
    SendMessageW(cw.hwnd, list.choose, static_cast<WPARAM>(-1), 0);
  }
}

void Win32Renderer::ListLineAdded(ui::Control& control, int line) {
  ControlWindow* cw = Find(control);
  if (cw == nullptr || ListOf(control) == nullptr) return;
  // A handler filling the list would have it repainted at every line: the
  // painting waits until the event is over (EventEnded).
  if (runtime_.in_event() &&
      std::find(redraw_held_.begin(), redraw_held_.end(), cw->hwnd) == redraw_held_.end()) {
    SendMessageW(cw->hwnd, WM_SETREDRAW, FALSE, 0);
    redraw_held_.push_back(cw->hwnd);
  }
  CodeCall call(*this);
  SendMessageW(cw->hwnd, ListOf(control)->add, 0,
               reinterpret_cast<LPARAM>(Widen(control.List(line)).c_str()));
  // Lines added by a handler are measured together when its event ends.
  if (!runtime_.in_event()) {
    FitListExtent(*cw, line);
  } else if (cw->unmeasured_from < 0) {
    cw->unmeasured_from = line;
  }
}

void Win32Renderer::ListLineSelected(ui::Control& control, int line) {
  ControlWindow* cw = Find(control);
  if (cw == nullptr || ListOf(control) == nullptr) return;
  CodeCall call(*this);
  ShowLineSelection(*cw, line);
}

void Win32Renderer::EventEnded() {
  std::vector<HWND> held;
  held.swap(redraw_held_);
  for (HWND hwnd : held) {
    ControlWindow* cw = Find(hwnd);
    if (cw == nullptr) continue;  // its form is gone
    if (cw->unmeasured_from >= 0) FitListExtent(*cw, cw->unmeasured_from);
    SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
  }
}

// One user action can change several lines (a shift-click): the runtime
// takes them all, then the list's Click runs once.
void Win32Renderer::ReportListSelection(ControlWindow& cw) {
  ui::Control& control = *cw.control;
  if (ListOf(control) == nullptr) return;
  const NativeList& list = *ListOf(control);
  const auto count = static_cast<int>(SendMessageW(cw.hwnd, list.count, 0, 0));
  std::vector<bool> lines(static_cast<std::size_t>(std::min(count, control.ListCount())), false);
  if (control.extended_selection() && list.select != 0) {
    const auto selected = static_cast<int>(SendMessageW(cw.hwnd, list.selected_count, 0, 0));
    std::vector<int> indexes(static_cast<std::size_t>(std::max(selected, 0)));
    if (!indexes.empty()) {
      SendMessageW(cw.hwnd, list.selected_lines, indexes.size(),
                   reinterpret_cast<LPARAM>(indexes.data()));
    }
    for (const int i : indexes) {
      if (i >= 0 && i < static_cast<int>(lines.size())) lines[static_cast<std::size_t>(i)] = true;
    }
  } else {
    const auto current = static_cast<int>(SendMessageW(cw.hwnd, list.current, 0, 0));
    if (current >= 0 && current < static_cast<int>(lines.size())) {
      lines[static_cast<std::size_t>(current)] = true;
    }
  }
  if (runtime_.UserSelectedLines(control, lines)) return;
  // Refused: the list shows the model's selection again.
  CodeCall call(*this);
  for (int i = 0; i < control.ListCount(); ++i) ShowLineSelection(cw, i);
}

}  // namespace ferrolis::platform::win32
