#include "ui/runtime.h"

#include <gtest/gtest.h>

#include "e2e/fixture/toolkit/toolkit_form.h"
#include "program/services.h"
#include "support/fake_system.h"
#include "support/headless_renderer.h"
#include "ui/form.h"
#include "ui/msgbox.h"
#include "ui/rules.h"

namespace ferrolis::ui {
namespace {

class DemoForm : public Form {
 public:
  explicit DemoForm(Runtime& runtime, std::string name = "Demo")
      : Form(runtime, std::move(name), "Démo", FormStyle{}),
        frame(Add(ControlKind::Frame, "frame")),
        check(Add(ControlKind::CheckBox, "check").Tab(0)),
        first(Add(ControlKind::OptionButton, "option", 0).Tab(1)),
        second(Add(ControlKind::OptionButton, "option", 1).Tab(2)),
        framed(Add(ControlKind::OptionButton, "framed").In(frame).Tab(3)),
        text(Add(ControlKind::TextBox, "text").Tab(4)),
        button(Add(ControlKind::CommandButton, "button").Tab(5)) {}

  void Form_Load() override { log += "load;"; }
  void Form_QueryUnload(int& cancel, int mode) override {
    log += "query" + std::to_string(mode) + ";";
    cancel = refuse_unload ? 1 : 0;
  }
  bool HasUnsavedChanges() const override { return refuse_unload; }

  Control& frame;
  Control& check;
  Control& first;
  Control& second;
  Control& framed;
  Control& text;
  Control& button;
  std::string log;
  bool refuse_unload = false;
};

class RuntimeTest : public ::testing::Test {
 protected:
  testing::FakeSystem system_;
  Runtime runtime_{program::HostOf(system_)};
  testing::HeadlessRenderer screen_{runtime_};
  DemoForm form_{runtime_};
};

TEST_F(RuntimeTest, CodeChangesRaiseTheHandlersSynchronously) {
  form_.Show(false);
  int clicks = 0;
  int changes = 0;
  form_.check.OnClick = [&] { ++clicks; };
  form_.text.OnChange = [&] { ++changes; };

  form_.check.SetValue(1);
  EXPECT_EQ(clicks, 1) << "raised before the setter returns";
  form_.check.SetValue(1);
  EXPECT_EQ(clicks, 1) << "no change, no click";
  screen_.Click(form_.check);
  EXPECT_EQ(form_.check.value(), 0);
  EXPECT_EQ(clicks, 2);

  form_.text.SetText("a");
  form_.text.SetText("a");
  EXPECT_EQ(changes, 1);
  screen_.Type(form_.text, "bc");
  EXPECT_EQ(form_.text.text(), "abc");
  EXPECT_EQ(changes, 3);
}

TEST_F(RuntimeTest, OptionButtonsOfOneContainerExcludeEachOther) {
  std::string clicks;
  form_.first.OnClick = [&] { clicks += "first;"; };
  form_.second.OnClick = [&] { clicks += "second;"; };
  form_.framed.OnClick = [&] { clicks += "framed;"; };
  form_.Show(false);

  form_.first.SetValue(1);
  form_.framed.SetValue(1);
  form_.second.SetValue(1);
  EXPECT_EQ(form_.first.value(), 0);
  EXPECT_EQ(form_.second.value(), 1);
  EXPECT_EQ(form_.framed.value(), 1) << "a button in another container is another group";
  EXPECT_EQ(clicks, "first;framed;second;");

  // A user's click on the button already chosen changes nothing.
  screen_.Click(form_.second);
  EXPECT_EQ(clicks, "first;framed;second;");
  screen_.Click(form_.first);
  EXPECT_EQ(clicks, "first;framed;second;first;");
  EXPECT_EQ(form_.second.value(), 0);
}

TEST_F(RuntimeTest, NestedHandlersSeeEachOthersChanges) {
  // The click of one control sets another, whose handler runs inside.
  std::string order;
  form_.check.OnClick = [&] {
    order += "check(";
    form_.text.SetText("set by check");
    order += ")";
  };
  form_.text.OnChange = [&] { order += "change:" + form_.text.text(); };
  form_.Show(false);
  screen_.Click(form_.check);
  EXPECT_EQ(order, "check(change:set by check)");
}

TEST_F(RuntimeTest, EndStopsEverythingAtOnce) {
  std::string log;
  form_.text.OnChange = [&] {
    log += "change;";
    runtime_.End();
  };
  form_.button.OnClick = [&] {
    log += "before;";
    form_.text.SetText("x");
    log += "after;";  // never reached
  };
  form_.check.OnClick = [&] { log += "check;"; };
  form_.Show(false);

  screen_.Click(form_.button);
  EXPECT_EQ(log, "before;change;");
  EXPECT_TRUE(runtime_.ended());
  EXPECT_EQ(system_.exits, std::vector<int>{0});

  screen_.Click(form_.check);
  screen_.Type(form_.text, "abc");
  screen_.Close(form_);
  EXPECT_EQ(log, "before;change;");
  EXPECT_TRUE(form_.loaded());
  EXPECT_EQ(system_.exits.size(), 1u);
}

TEST_F(RuntimeTest, AnUnhandledFaultIsReportedAndEndsTheProgram) {
  form_.button.OnClick = [] { throw std::runtime_error("disque plein"); };
  std::string log;
  form_.check.OnClick = [&] { log += "check;"; };
  form_.Show(false);
  screen_.Click(form_.button);
  ASSERT_EQ(screen_.boxes().size(), 1u);
  EXPECT_EQ(screen_.boxes()[0].prompt, "Erreur inattendue : disque plein");
  EXPECT_EQ(screen_.boxes()[0].title, "Ferrolis");
  EXPECT_EQ(screen_.boxes()[0].style, kOkOnly + kCritical);
  EXPECT_TRUE(runtime_.ended());
  EXPECT_EQ(system_.exits, std::vector<int>{0});
  screen_.Click(form_.check);
  EXPECT_EQ(log, "");
}

TEST_F(RuntimeTest, AFaultThatEscapesAnEntryDoesNotBreakLaterEnds) {
  // Something that is not a std::exception goes through, but the runtime must
  // not go on believing it is inside an event: the next End still ends.
  form_.Show(false);
  form_.button.OnClick = [] { throw 42; };
  EXPECT_THROW(screen_.Click(form_.button), int);
  EXPECT_FALSE(runtime_.ended());
  form_.check.OnClick = [&] { runtime_.End(); };
  screen_.Click(form_.check);
  EXPECT_TRUE(runtime_.ended());
  EXPECT_EQ(system_.exits, std::vector<int>{0});
}

TEST_F(RuntimeTest, EndDuringRunSkipsTheMessageLoop) {
  form_.check.OnGotFocus = [&] { runtime_.End(); };
  runtime_.Run(form_);
  EXPECT_TRUE(runtime_.ended());
  EXPECT_FALSE(screen_.loop_ran());

  testing::FakeSystem other_system;
  Runtime other{program::HostOf(other_system)};
  testing::HeadlessRenderer other_screen{other};
  DemoForm other_form{other};
  // Keys that reach the start-up form as it appears are the user's.
  other_screen.WhileNextFormShows([&] { other_screen.Type(other_form.text, "a"); });
  other.Run(other_form);
  EXPECT_TRUE(other_screen.loop_ran());
  EXPECT_EQ(other_form.log, "load;");
  EXPECT_EQ(other_form.text.text(), "a");
}

TEST_F(RuntimeTest, KeyPressMayChangeOrSwallowTheKey) {
  form_.text.OnKeyPress = [](int& key) {
    if (key == 'x') key = 0;
    if (key == 'a') key = 'A';
  };
  form_.Show(false);
  screen_.Type(form_.text, "xaxb");
  EXPECT_EQ(form_.text.text(), "Ab");
}

TEST_F(RuntimeTest, DisabledControlsIgnoreClicks) {
  int clicks = 0;
  form_.button.OnClick = [&] { ++clicks; };
  form_.Show(false);
  form_.button.SetEnabled(false);
  screen_.Click(form_.button);
  EXPECT_EQ(clicks, 0);
  form_.button.SetEnabled(true);
  screen_.Click(form_.button);
  EXPECT_EQ(clicks, 1);
}

TEST_F(RuntimeTest, UnloadAsksQueryUnloadWhichMayRefuse) {
  form_.Show(false);
  form_.refuse_unload = true;
  screen_.Close(form_);
  EXPECT_TRUE(form_.loaded());
  EXPECT_FALSE(form_.Unload());
  form_.refuse_unload = false;
  EXPECT_TRUE(form_.Unload());
  EXPECT_FALSE(form_.loaded());
  EXPECT_EQ(form_.log, "load;query0;query1;query1;");
  EXPECT_TRUE(runtime_.loaded_forms().empty());
  // Loading again runs Form_Load again, once.
  form_.Show(false);
  form_.Show(false);
  EXPECT_EQ(form_.log, "load;query0;query1;query1;load;");
}

TEST_F(RuntimeTest, TheSessionsEndAsksTheFormsNewestFirstAndEndsOnlyWhenWindowsSaysSo) {
  DemoForm hidden{runtime_, "Hidden"};
  DemoForm modal{runtime_, "Modal"};
  form_.Show(false);
  hidden.Load();
  modal.Show(true);
  form_.refuse_unload = true;
  EXPECT_FALSE(runtime_.UserQueryEndSession());
  EXPECT_EQ(modal.log + form_.log, "load;query2;load;query2;") << "the newer form first";
  EXPECT_EQ(hidden.log, "load;") << "a form not on screen is not asked";
  EXPECT_TRUE(form_.loaded() && modal.loaded());
  // While a handler runs, no form is asked: forms with unsaved changes refuse.
  bool during_event = true;
  modal.button.OnClick = [&] { during_event = runtime_.UserQueryEndSession(); };
  screen_.Click(modal.button);
  EXPECT_FALSE(during_event);
  EXPECT_EQ(form_.log, "load;query2;");

  form_.refuse_unload = false;
  screen_.Click(modal.button);
  EXPECT_TRUE(during_event);
  EXPECT_TRUE(runtime_.UserQueryEndSession()) << "the same round: nobody is asked again";
  runtime_.UserEndSession(false);
  EXPECT_TRUE(runtime_.UserQueryEndSession());
  EXPECT_EQ(form_.log, "load;query2;query2;") << "a new round asks again";
  EXPECT_TRUE(system_.exits.empty() && form_.loaded()) << "asking ends nothing";
  runtime_.UserEndSession(true);
  EXPECT_EQ(system_.exits, std::vector<int>{0});
}

TEST_F(RuntimeTest, AFormWhoseSessionQuestionEndsTheProgramEndsTheRound) {
  struct EndingForm : DemoForm {
    using DemoForm::DemoForm;
    void Form_QueryUnload(int&, int) override { runtime().End(); }
  } last{runtime_, "Last"};
  form_.Show(false);
  last.Show(false);
  EXPECT_TRUE(runtime_.UserQueryEndSession());
  EXPECT_EQ(system_.exits, std::vector<int>{0});
  EXPECT_EQ(form_.log, "load;") << "nothing runs after the End";
}

TEST_F(RuntimeTest, MessageBoxesBelongToTheNewestVisibleForm) {
  EXPECT_EQ(runtime_.MsgBox("a", kOkOnly, "t"), kResultOk);
  form_.Show(false);
  DemoForm modal{runtime_, "Other"};
  modal.Load();
  runtime_.MsgBox("b", kYesNo + kQuestion, "t");
  modal.Show(true);
  screen_.Answer(kResultNo);
  EXPECT_EQ(runtime_.MsgBox("c", kYesNoCancel, "t"), kResultNo);
  ASSERT_EQ(screen_.boxes().size(), 3u);
  EXPECT_EQ(screen_.boxes()[0].owner, "");
  EXPECT_EQ(screen_.boxes()[1].owner, "Demo") << "a loaded but hidden form owns nothing";
  EXPECT_EQ(screen_.boxes()[2].owner, "Other");
  EXPECT_EQ(screen_.boxes()[1].style, 36);
}

TEST_F(RuntimeTest, ListBoxesKeepLinesAndSelection) {
  Control& list = form_.text;  // any control keeps list state; a list box uses it
  list.AddItem("un");
  list.AddItem("deux");
  list.AddItem("trois");
  list.SetSelected(0, true);
  list.SetSelected(2, true);
  EXPECT_EQ(list.ListCount(), 3);
  EXPECT_EQ(list.List(1), "deux");
  EXPECT_EQ(list.SelCount(), 2);
  EXPECT_TRUE(list.Selected(2));
  list.SetSelected(2, false);
  EXPECT_EQ(list.SelCount(), 1);
  list.Clear();
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_THROW(list.List(0), std::out_of_range);
}

// Two option groups (one inside nested frames), a list, default and cancel
// buttons: the shape of the program's main window in small.
class GroupsForm : public Form {
 public:
  explicit GroupsForm(Runtime& runtime)
      : Form(runtime, "Groups", "Groupes", FormStyle{}),
        outer(Add(ControlKind::Frame, "outer").Tab(10)),
        inner(Add(ControlKind::Frame, "inner").In(outer).Tab(11)),
        a(Add(ControlKind::OptionButton, "a").In(inner).Tab(13)),
        b(Add(ControlKind::OptionButton, "b").In(inner).Tab(12)),
        c(Add(ControlKind::OptionButton, "c").In(inner).Tab(14)),
        x(Add(ControlKind::OptionButton, "x").Tab(3)),
        y(Add(ControlKind::OptionButton, "y").Tab(4)),
        text(Add(ControlKind::TextBox, "text").Tab(1)),
        list(Add(ControlKind::ListBox, "list").Tab(2).ExtendedSelection()),
        ok(Add(ControlKind::CommandButton, "ok").Tab(20).Default()),
        quit(Add(ControlKind::CommandButton, "quit").Tab(21).Cancel()),
        label(Add(ControlKind::Label, "label").Tab(0)),
        menu(Add(ControlKind::MenuItem, "menu").Caption("&Fichier")),
        item(Add(ControlKind::MenuItem, "item").Caption("&Ouvrir").In(menu)),
        sep(Add(ControlKind::MenuItem, "sep").Caption("-").In(menu)) {
    b.SetValue(1);
    for (Control* control : {&a, &b, &c, &x, &y, &list, &ok, &quit, &item, &sep}) {
      control->OnClick = [this, control] { clicks += control->name() + ";"; };
    }
    text.OnKeyPress = [this](int& key) { clicks += "key" + std::to_string(key) + ";"; };
  }
  std::string Focused() const { return focused() ? focused()->name() : "-"; }

  Control &outer, &inner, &a, &b, &c, &x, &y, &text, &list, &ok, &quit, &label, &menu, &item, &sep;
  std::string clicks;
};

class RulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 6; ++i) form_.list.AddItem("ligne " + std::to_string(i));
    form_.Show(false);
  }
  testing::FakeSystem system_;
  Runtime runtime_{program::HostOf(system_)};
  testing::HeadlessRenderer screen_{runtime_};
  GroupsForm form_{runtime_};
};

TEST_F(RulesTest, WhatAFrameOrMenuWithholdsItsContentsWithholdsToo) {
  struct Case {
    const char* what;
    std::function<void(GroupsForm&)> change;
    bool reachable;  // c can be clicked and focused
  } cases[] = {
      {"all shown", [](GroupsForm&) {}, true},
      {"outer frame disabled", [](GroupsForm& f) { f.outer.SetEnabled(false); }, false},
      {"inner frame hidden", [](GroupsForm& f) { f.inner.Hidden(); }, false},
      {"disabled then enabled", [](GroupsForm& f) { f.outer.Disabled().SetEnabled(true); }, true},
      {"button itself disabled", [](GroupsForm& f) { f.c.SetEnabled(false); }, false},
  };
  for (const Case& test : cases) {
    GroupsForm form{runtime_};
    form.Show(false);
    test.change(form);
    EXPECT_EQ(CanTakeFocus(form.c), test.reachable) << test.what;
    screen_.Click(form.c);
    EXPECT_EQ(form.c.value(), test.reachable ? 1 : 0) << test.what;
    EXPECT_EQ(form.clicks, test.reachable ? "c;" : "") << test.what;
    EXPECT_EQ(form.Focused() == "c", test.reachable) << test.what;
  }
  // A menu item: its menu's state counts, a separator does nothing.
  form_.menu.SetEnabled(false);
  screen_.Click(form_.item);
  form_.menu.SetEnabled(true);
  screen_.Click(form_.sep);
  screen_.Click(form_.item);
  EXPECT_EQ(form_.clicks, "item;");
}

// Whatever message asks for it, nothing reaches a form the user cannot use:
// not shown yet, under a modal form or a message box, or while a handler runs.
TEST_F(RulesTest, NothingReachesAFormTheUserCannotUse) {
  GroupsForm form{runtime_}, over{runtime_};
  form.list.AddItem("ligne");
  const auto act = [&] {
    for (Control* control : {&form.c, &form.ok}) screen_.Click(*control);
    screen_.Type(form.text, "a");
    screen_.ClickLine(form.list, 0);
    screen_.Close(form);
  };
  act();
  form.Show(false);
  over.Show(true);
  act();
  over.Unload();
  screen_.WhileNextBoxOpen(act);
  runtime_.MsgBox("?", kOkOnly, "t");
  EXPECT_EQ(form.clicks + form.text.text() + form.Focused(), "text");
  over.ok.OnClick = act;
  over.Show(false);
  screen_.Click(over.ok);
  EXPECT_EQ(form.clicks + form.text.text(), "");
  act();
  EXPECT_EQ(form.clicks + form.text.text(), "c;ok;key97;list;a");
  EXPECT_FALSE(form.loaded());
}

TEST_F(RulesTest, TabStopsOncePerOptionGroupAndNeverChooses) {
  // Labels and frames take no focus; in a group only the chosen button (or
  // the first, when none is chosen) is a tab stop.
  EXPECT_EQ(form_.Focused(), "text");
  std::string order;
  for (int i = 0; i < 7; ++i) {
    screen_.PressTab(form_);
    order += form_.Focused() + " ";
  }
  EXPECT_EQ(order, "list x b ok quit text list ");
  screen_.PressTab(form_, true);
  EXPECT_EQ(form_.Focused(), "text");
  EXPECT_EQ(form_.clicks, "") << "the focus alone chooses nothing";

  struct Arrow {
    int step;
    const char* focused;
    const char* clicks;
  } arrows[] = {{1, "a", "a;"}, {1, "c", "a;c;"}, {1, "b", "a;c;b;"}, {-1, "c", "a;c;b;c;"}};
  form_.b.SetFocus();
  for (const Arrow& arrow : arrows) {
    screen_.PressArrow(form_, arrow.step);
    EXPECT_EQ(form_.Focused(), arrow.focused);
    EXPECT_EQ(form_.clicks, arrow.clicks) << "one Click per move";
  }
  EXPECT_EQ(form_.c.value() + form_.a.value() + form_.b.value(), 1);
  // A disabled button is stepped over; the chosen one is the group's tab stop.
  form_.a.SetEnabled(false);
  screen_.PressArrow(form_, -1);
  EXPECT_EQ(form_.Focused(), "b");
  form_.text.SetFocus();
  screen_.PressTab(form_);
  screen_.PressTab(form_);
  screen_.PressTab(form_);
  EXPECT_EQ(form_.Focused(), "b");
}

TEST_F(RulesTest, EnterAndEscapePressTheDefaultAndCancelButtons) {
  screen_.PressEnter(form_);
  screen_.PressEscape(form_);
  form_.quit.SetFocus();
  screen_.PressEnter(form_);  // a focused button is pressed instead of the default
  form_.ok.SetEnabled(false);
  form_.quit.SetVisible(false);
  form_.text.SetFocus();
  screen_.PressEnter(form_);  // no reachable default: the key goes to the text box
  screen_.PressEscape(form_);
  EXPECT_EQ(form_.clicks, "ok;quit;quit;key13;");
}

TEST_F(RulesTest, ListSelectionActionsRaiseOneClickEach) {
  using Held = testing::HeadlessRenderer::Held;
  struct Step {
    int line;
    Held held;
    const char* selected;
  } steps[] = {
      {1, Held::None, "010000"},  {4, Held::Shift, "011110"}, {2, Held::Ctrl, "010110"},
      {0, Held::Shift, "111000"}, {0, Held::Shift, "111000"}, {5, Held::None, "000001"},
  };
  std::string expected_clicks;
  for (const Step& step : steps) {
    const std::string before = form_.clicks;
    screen_.ClickLine(form_.list, step.line, step.held);
    std::string selected;
    for (int i = 0; i < form_.list.ListCount(); ++i) selected += form_.list.Selected(i) ? '1' : '0';
    EXPECT_EQ(selected, step.selected) << "line " << step.line;
    const bool changed = form_.clicks != before;
    EXPECT_EQ(form_.clicks.size() - before.size(), changed ? 5u : 0u) << "one Click at most";
  }
  EXPECT_EQ(form_.clicks, "list;list;list;list;list;") << "no Click when nothing changed";
  screen_.SelectLines(form_.list, {0, 3});
  EXPECT_EQ(form_.list.SelCount(), 2);
  EXPECT_TRUE(form_.list.Selected(3));
}

TEST_F(RulesTest, TextSelectionCountsCharactersAsWindowsDoes) {
  struct Case {
    const char* text;
    int start, length, want_start, want_length;
  } cases[] = {
      {"abc", 1, 1, 1, 1},
      {"été", 0, 99, 0, 3},  // accents are one character each
      {"été", 2, 5, 2, 1},
      {"a\xF0\x9D\x84\x9E"
       "b",
       0, 99, 0, 4},  // outside the BMP: two units
      {"ab", -3, 1, 0, 1},
      {"ab", 9, 1, 2, 0},
  };
  for (const Case& test : cases) {
    form_.text.SetText(test.text);
    form_.text.SetSelection(test.start, test.length);
    EXPECT_EQ(form_.text.sel_start(), test.want_start) << test.text;
    EXPECT_EQ(form_.text.sel_length(), test.want_length) << test.text;
  }
}

// The journal the end-to-end test reads from the real window after the same
// actions with the mouse and keyboard (tests/e2e/toolkit_tests.sh).
TEST(ToolkitFixture, TheJournalTheRealWindowMustShow) {
  testing::FakeSystem system;
  Runtime runtime{program::HostOf(system)};
  testing::HeadlessRenderer screen{runtime};
  fixture::ToolkitForm form{runtime};
  form.Show(false);
  screen.Click(form.cmdRemplir);
  ASSERT_EQ(form.lstLignes.ListCount(), fixture::ToolkitForm::kLines);
  screen.ClickLine(form.lstLignes, 5);
  screen.ClickLine(form.lstLignes, 8, testing::HeadlessRenderer::Held::Shift);
  screen.Click(form.Mnu_Grise);
  screen.Click(form.Mnu_Ouvrir);
  screen.Click(form.chkVerrou);
  EXPECT_EQ(form.lblJournal.caption(), "lstLignes[5];lstLignes[5-8];Mnu_Ouvrir;");
}

}  // namespace
}  // namespace ferrolis::ui
