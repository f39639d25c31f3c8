#include "ui/runtime.h"

#include <gtest/gtest.h>

#include "support/fake_system.h"
#include "support/headless_renderer.h"
#include "ui/form.h"
#include "ui/msgbox.h"

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
  Runtime runtime_{system_};
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
  Runtime other{other_system};
  testing::HeadlessRenderer other_screen{other};
  DemoForm other_form{other};
  other.Run(other_form);
  EXPECT_TRUE(other_screen.loop_ran());
  EXPECT_EQ(other_form.log, "load;");
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

}  // namespace
}  // namespace ferrolis::ui
