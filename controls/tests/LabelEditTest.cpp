#include "controls/abcedtop.h"
#include "controls/abcexctl.h"

#include "controls/tests/ControlsTestSupport.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/EditExtras.h"
#include "platform/ui/ScriptedUserSeam.h"

#include <gtest/gtest.h>

namespace LabelEditTest {

using namespace ControlsTest;

namespace {

class SuperLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Label = new TabcSuperLabel(Form.Form);
    Label->SetParent(Form.Form);
    Label->SetBounds(0, 0, 134, 33);
    Label->SetCaption("  Style");
  }
  std::unique_ptr<TBitmap> Picture() {
    auto bmp = std::make_unique<TBitmap>();
    Label->PaintTo(*bmp);
    return bmp;
  }
  int TextPixels(const TBitmap& B, TColor C) { return CountColor(B, TRect(0, 0, B.GetWidth(), B.GetHeight()), C); }
  TTestForm Form;
  TabcSuperLabel* Label = nullptr;
};

TEST_F(SuperLabelTest, DefaultsOfANewLabel) {
  auto* fresh = new TabcSuperLabel(Form.Form);
  EXPECT_EQ(fresh->GetWidth(), 100);
  EXPECT_EQ(fresh->GetHeight(), 25);
  EXPECT_FALSE(fresh->GetAutoSize());
  EXPECT_EQ(fresh->GetTopMargin(), 2);
  EXPECT_EQ(fresh->GetBorderStyle(), TBorderStyle::bsNone);
  EXPECT_TRUE(fresh->GetCtl3D());
  EXPECT_EQ(fresh->GetBorderColor(), clWindowFrame);
}

TEST_F(SuperLabelTest, ThreeDBorderKeepsTheTwoOuterCornerPixels) {
  Label->SetBorderStyle(TBorderStyle::bsSingle);
  Label->SetCaption("");
  auto bmp = Picture();
  const TColor face = Rgb(clBtnFace);
  EXPECT_EQ(bmp->GetPixelColor(133, 0), face);
  EXPECT_EQ(bmp->GetPixelColor(0, 32), face);
  EXPECT_EQ(CountColor(*bmp, TRect(0, 0, 133, 1), clBtnShadow), 133);   // top, shadow
  EXPECT_EQ(CountColor(*bmp, TRect(0, 0, 1, 32), clBtnShadow), 32);     // left
  EXPECT_EQ(CountColor(*bmp, TRect(1, 32, 134, 33), clBtnHighlight), 133);  // bottom, highlight
  EXPECT_EQ(CountColor(*bmp, TRect(133, 1, 134, 33), clBtnHighlight), 32);  // right
  EXPECT_EQ(Label->TextRect(), TRect(2, 4, 133, 32));
  Label->SetCtl3D(false);
  Label->SetBorderColor(clRed);
  auto flat = Picture();
  EXPECT_EQ(CountColor(*flat, TRect(0, 0, 134, 33), clRed), 2 * 134 + 2 * 31);
}

TEST_F(SuperLabelTest, MarginsWiderThanTheLabelDrawOnlyTheFrame) {
  Label->SetBorderStyle(TBorderStyle::bsSingle);
  Label->SetLeftMargin(100);
  Label->SetRightMargin(100);
  const TRect r = Label->TextRect();
  EXPECT_EQ(r.Left, r.Right);
  auto bmp = Picture();
  EXPECT_EQ(TextPixels(*bmp, clWindowText), 0);
  Label->SetLeftMargin(0);
  Label->SetRightMargin(0);
  auto shown = Picture();
  EXPECT_GT(TextPixels(*shown, clWindowText), 10);
}

// The rows the caption's ink covers.
std::pair<int, int> InkRows(const TBitmap& B, TColor C) {
  int first = -1, last = -1;
  for (int y = 0; y < B.GetHeight(); ++y)
    for (int x = 0; x < B.GetWidth(); ++x)
      if (B.GetPixelColor(x, y) == ColorToRGB(C)) {
        if (first < 0) first = y;
        last = y;
      }
  return {first, last};
}

TEST_F(SuperLabelTest, VerticalAlignmentMovesTheTextByTheFreeSpace) {
  Label->SetHeight(60);
  Label->SetTopMargin(0);
  auto top = Picture();
  const auto rowsTop = InkRows(*top, clWindowText);
  TBitmap probe(10, 10);
  probe.GetCanvas()->Font->Assign(*Label->GetFont());
  TRect calc(0, 0, 134, 0);
  const int h = probe.GetCanvas()->GetHandle()->DrawText("  Style", calc, DT_CALCRECT | DT_EXPANDTABS);
  const int free = 60 - (h - 1);
  Label->SetVerticalAlignment(TabcVAlignment::vaBottom);
  auto bottom = Picture();
  EXPECT_EQ(InkRows(*bottom, clWindowText).first, rowsTop.first + free);
  Label->SetVerticalAlignment(TabcVAlignment::vaCenter);
  auto centre = Picture();
  EXPECT_EQ(InkRows(*centre, clWindowText).first, rowsTop.first + free / 2);
  // An empty caption is measured as a blank: nothing drawn, nothing fails.
  Label->SetCaption("");
  auto empty = Picture();
  EXPECT_EQ(TextPixels(*empty, clWindowText), 0);
}

TEST_F(SuperLabelTest, DisabledTextIsGray) {
  Label->SetEnabled(false);
  auto bmp = Picture();
  EXPECT_EQ(TextPixels(*bmp, clWindowText), 0);
  EXPECT_GT(TextPixels(*bmp, clGrayText), 10);
}

class ButtonEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Edit = new TabcFileOpenEdit(Form.Form);
    Edit->SetParent(Form.Form);
    Edit->SetBounds(10, 10, 121, 21);
    Edit->OnButtonClick = [this](TObject*) { ++Clicks; };
  }
  TTestForm Form;
  TabcFileOpenEdit* Edit = nullptr;
  int Clicks = 0;
};

TEST_F(ButtonEditTest, ButtonPlaceDotsAndTextMargin) {
  const int bw = EditExtras::VerticalScrollBarWidth();
  EXPECT_EQ(Edit->ButtonWidth(), bw);
  EXPECT_EQ(Edit->ButtonRect(), TRect(121 - bw, 0, 121, 21));
  EXPECT_EQ(Edit->DotSize(), std::max(1, bw / 8));
  EXPECT_EQ(Edit->MiddleDot(), TPoint(121 - bw + bw / 2 - 1, 21 - 21 / 4 - 2));
  Edit->Handle();
  int left = 0, right = 0;
  EditExtras::GetTextMargins(*Edit, left, right);
  EXPECT_EQ(right, bw);
  TBitmap up;
  Edit->PaintTo(up);
  const TPoint m = Edit->MiddleDot();
  const int s = Edit->DotSize();
  for (int k = -1; k <= 1; ++k) EXPECT_EQ(up.GetPixelColor(m.X + k * 2 * s, m.Y), Rgb(clBlack)) << k;
  Edit->MouseDown(TMouseButton::mbLeft, {}, m.X, 3);
  ASSERT_TRUE(Edit->ButtonPressed());
  TBitmap down;
  Edit->PaintTo(down);
  EXPECT_EQ(down.GetPixelColor(m.X + 1, m.Y + 1), Rgb(clBlack));
  Edit->CancelMode();
  EXPECT_FALSE(Edit->ButtonPressed());
}

TEST_F(ButtonEditTest, PressDragOutAndReleaseRunsNothing) {
  TScriptedUserSeam seam;
  seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
  const TRect b = Edit->ButtonRect();
  Edit->MouseDown(TMouseButton::mbLeft, {}, b.Left + 3, 5);
  Edit->MouseMove({}, 20, 5);
  EXPECT_FALSE(Edit->ButtonPressed());
  Edit->MouseUp(TMouseButton::mbLeft, {}, 20, 5);
  EXPECT_EQ(Clicks, 0);
  EXPECT_EQ(seam.Prompts().size(), 0u);
  // A double click inside the button is no press.
  Edit->MouseDown(TMouseButton::mbLeft, {TShiftStateItem::ssDouble}, b.Left + 3, 5);
  EXPECT_FALSE(Edit->ButtonPressed());
  // A disabled button takes no press.
  Edit->SetButtonDisabled(true);
  Edit->MouseDown(TMouseButton::mbLeft, {}, b.Left + 3, 5);
  EXPECT_FALSE(Edit->ButtonPressed());
}

TEST_F(ButtonEditTest, FileDialogRunsOnEnterAndKeepsTheTextWhenCancelled) {
  TScriptedUserSeam seam;
  seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
  Edit->SetText("old.lvl");
  Edit->GetOpenDialog()->Dialog()->Filter = "Level Files (*.lvl)|*.lvl";
  std::vector<std::string> order;
  Edit->BeforeExecute = [&](TObject*) { order.push_back("before"); };
  Edit->AfterExecute = [&](TObject*) { order.push_back("after " + Edit->GetText()); };
  seam.AnswerFileDialog(std::nullopt);
  uint16_t key = VK_RETURN;
  Edit->KeyDown(key, {});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(Edit->GetText(), "old.lvl");
  seam.AnswerFileDialog(TFileDialogResult{{"/data/new.lvl"}, 1});
  const TRect b = Edit->ButtonRect();
  Edit->MouseDown(TMouseButton::mbLeft, {}, b.Left + 3, 5);
  Edit->MouseUp(TMouseButton::mbLeft, {}, b.Left + 3, 5);
  EXPECT_EQ(Edit->GetText(), "/data/new.lvl");
  EXPECT_EQ(order, (std::vector<std::string>{"before", "after old.lvl", "before", "after /data/new.lvl"}));
  EXPECT_EQ(Clicks, 2);
  EXPECT_FALSE(Edit->GetOpenDialog()->LastResult() == false);
}

TEST_F(ButtonEditTest, DialogEventsRunOnTheDialogAndARefusedChoiceAsksAgain) {
  TScriptedUserSeam seam;
  seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
  TOpenDialog& dlg = *Edit->GetOpenDialog()->Dialog();
  dlg.Filter = "Level Files (*.lvl)|*.lvl|All Files (*.*)|*.*";
  dlg.InitialDir = "/data";
  dlg.Options.Include(TOpenOption::ofEnableIncludeNotify);
  std::vector<std::string> events;
  auto note = [&](const char* Name) { return [&events, Name, &dlg](TObject*) { events.push_back(Name + (" " + dlg.FileName)); }; };
  Edit->SetOnDlgShow(note("show"));
  Edit->SetOnDlgClose(note("close"));
  Edit->SetOnDlgTypeChange(note("type"));
  Edit->SetOnDlgFolderChange(note("folder"));
  Edit->SetOnDlgSelectionChange(note("selection"));
  Edit->SetOnDlgIncludeItem([&](TObject*, const std::string& Name, bool& Include) {
    events.push_back("include " + Name);
    Include = Name != "/data/hidden.lvl";
  });
  Edit->SetOnDlgCanClose([&](TObject*, bool& CanClose) {
    events.push_back("can close " + dlg.FileName);
    CanClose = dlg.FileName != "/other/a.lvl";
  });
  // The edit's events are the dialog's own handlers.
  EXPECT_TRUE(static_cast<bool>(dlg.OnShow));
  EXPECT_TRUE(static_cast<bool>(Edit->GetOnDlgCanClose()));

  auto pressEnter = [this] {
    uint16_t key = VK_RETURN;
    Edit->KeyDown(key, {});
  };
  std::vector<TFileDialogRequest> asked;
  auto answer = [&](std::optional<TFileDialogResult> Result) {
    seam.AnswerFileDialog([&asked, Result](const TFileDialogRequest& R) {
      asked.push_back(R);
      return Result;
    });
  };
  answer(TFileDialogResult{{"/data/hidden.lvl"}, 1});
  answer(TFileDialogResult{{"/other/a.lvl"}, 2});
  answer(TFileDialogResult{{"/other/b.lvl"}, 2});
  Edit->SetText("old.lvl");
  pressEnter();
  EXPECT_EQ(Edit->GetText(), "/other/b.lvl");
  EXPECT_EQ(dlg.FilterIndex, 2);
  EXPECT_EQ(events, (std::vector<std::string>{
                        "show ", "selection /data/hidden.lvl", "include /data/hidden.lvl",
                        "type /data/hidden.lvl", "folder /other/a.lvl", "selection /other/a.lvl",
                        "include /other/a.lvl", "can close /other/a.lvl", "selection /other/b.lvl",
                        "include /other/b.lvl", "can close /other/b.lvl", "close /other/b.lvl"}));
  // Each new question starts from the person's last choice.
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[1].FileName, "/data/hidden.lvl");
  EXPECT_EQ(asked[2].FileName, "/other/a.lvl");
  EXPECT_EQ(asked[2].InitialDir, "/other");
  EXPECT_EQ(asked[2].FilterIndex, 2);

  // Cancelling after a refused choice gives the dialog its old values back.
  events.clear();
  answer(TFileDialogResult{{"/other/a.lvl"}, 1});
  answer(std::nullopt);
  pressEnter();
  EXPECT_EQ(Edit->GetText(), "/other/b.lvl");
  EXPECT_EQ(dlg.FileName, "/other/b.lvl");
  EXPECT_EQ(dlg.FilterIndex, 2);
  EXPECT_EQ(events.back(), "close /other/b.lvl");
}

TEST_F(ButtonEditTest, TriggersAndClickOnEnterKey) {
  EXPECT_TRUE(Edit->GetClickOnEnterKey());
  Edit->ClickTriggers = {TabcClickTrigger::ctFocusArrives, TabcClickTrigger::ctFocusLeaves};
  EXPECT_FALSE(Edit->GetClickOnEnterKey());
  Edit->SetClickOnEnterKey(true);
  EXPECT_EQ(Edit->ClickTriggers, TabcClickTriggers{TabcClickTrigger::ctEnterKey});
  Edit->SetClickOnEnterKey(false);
  EXPECT_TRUE(Edit->ClickTriggers == TabcClickTriggers{});

  TScriptedUserSeam seam;
  seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
  Edit->ClickTriggers = {TabcClickTrigger::ctFocusArrives, TabcClickTrigger::ctFocusLeaves};
  seam.AnswerFileDialog(std::nullopt);
  Edit->DoEnter();
  EXPECT_TRUE(Edit->JustFocused());
  EXPECT_EQ(Clicks, 1);
  // The press that brought the focus runs no second dialog.
  const TRect b = Edit->ButtonRect();
  Edit->MouseDown(TMouseButton::mbLeft, {}, b.Left + 3, 5);
  Edit->MouseUp(TMouseButton::mbLeft, {}, b.Left + 3, 5);
  EXPECT_EQ(Clicks, 1);
  ASSERT_TRUE(RunUntil([&] { return !Edit->JustFocused(); }));
  seam.AnswerFileDialog(std::nullopt);
  Edit->DoExit();
  EXPECT_EQ(Clicks, 2);
}

TEST_F(ButtonEditTest, ReadOnlyRefusesCutAndPaste) {
  Edit->Handle();
  Clipbrd::Clipboard().SetAsText("pasted");
  Edit->SetText("keep");
  Edit->SetReadOnly(true);
  EditExtras::Select(*Edit, 0, 4);
  Edit->PasteFromClipboard();
  Edit->CutToClipboard();
  EXPECT_EQ(Edit->GetText(), "keep");
  EXPECT_EQ(Clipbrd::Clipboard().GetAsText(), "pasted");
  Edit->SetReadOnly(false);
  EditExtras::Select(*Edit, 0, 4);
  Edit->PasteFromClipboard();
  EXPECT_EQ(Edit->GetText(), "pasted");
}

}  // namespace

}  // namespace LabelEditTest
