// Every dialog the main window opens shows its texts whole at the fonts in use:
// each label, check box, radio button, button and combo box (its longest item)
// is wide enough for its text, every control lies inside its parent's client
// area, and the window is wide enough for its caption beside the title-bar buttons.

#include "app/DialogFields.h"
#include "app/EditUnit.h"
#include "app/PrSetupUn.h"
#include "app/PseudoSetup.h"
#include "app/bsetupun.h"
#include "app/printsettings.h"
#include "app/tests/AppTestSupport.h"
#include "controls/abcbtn.h"
#include "platform/rtl/FreeGuard.h"
#include "platform/gdi/Graphics.h"
#include "controls/abccombo.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>

namespace DialogFitTests {

using AppTest::AppFixture;

// The widest line of Text at Font, measured as the platform draws it.
int TextWidth(const TFont& Font, const std::string& Text) {
  TBitmap probe(1, 1);
  TCanvas& c = *probe.GetCanvas();
  c.Font->Assign(Font);
  int width = 0;
  std::istringstream lines(Menus::StripHotkey(Text));
  for (std::string line; std::getline(lines, line);) width = std::max(width, c.TextWidth(line));
  return width;
}

std::string NameOf(const TControl& C) {
  return (C.GetName().empty() ? std::string(C.ClassName()) : C.GetName()) + " \"" + C.GetCaption() + "\"";
}

// Whether the text of a label shows whole: it ends inside the label, and no
// sibling edit, list or box on its row covers it (leading blanks of a caption
// leave room for a check box placed over them).
bool LabelTextShows(const TLabel& Label) {
  const std::string caption = Label.GetCaption();
  const size_t firstChar = caption.find_first_not_of(' ');
  if (firstChar == std::string::npos) return true;
  const int textLeft = Label.GetLeft() + TextWidth(*Label.GetFont(), caption.substr(0, firstChar));
  const int textRight = Label.GetLeft() + TextWidth(*Label.GetFont(), caption);
  if (textRight > Label.GetLeft() + Label.GetWidth()) return false;
  const TWinControl* parent = Label.GetParent();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    const TControl* c = parent->GetControl(i);
    if (c == &Label || !c->GetVisible() || !dynamic_cast<const TWinControl*>(c)) continue;
    const bool sameRow = c->GetTop() < Label.GetTop() + Label.GetHeight() && Label.GetTop() < c->GetTop() + c->GetHeight();
    if (sameRow && c->GetLeft() < textRight && textLeft < c->GetLeft() + c->GetWidth()) return false;
  }
  return true;
}

// The controls whose children are laid out by the dialog (not the inner parts of a composite control).
bool IsContainer(const TControl& C) {
  return dynamic_cast<const TForm*>(&C) || dynamic_cast<const TGroupBox*>(&C) || dynamic_cast<const TPanel*>(&C) ||
         dynamic_cast<const TPageControl*>(&C) || dynamic_cast<const TTabSheet*>(&C);
}

// The width each kind of control needs besides its text: the indicator of check
// and radio boxes, a button's frame, a combo box's frame and arrow.
int Chrome(const TControl& C) {
  QStyle* style = QApplication::style();
  if (dynamic_cast<const TCheckBox*>(&C))
    return style->pixelMetric(QStyle::PM_IndicatorWidth) + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
  if (dynamic_cast<const TRadioButton*>(&C))
    return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
           style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
  if (dynamic_cast<const TComboBox*>(&C)) return 20;
  return 6;
}

void CheckControls(const TWinControl& Parent, const std::string& Dialog) {
  for (int i = 0; i < Parent.ControlCount(); ++i) {
    const TControl& c = *Parent.GetControl(i);
    // Every page of a page control is checked, not only the one in front.
    if (!c.GetVisible() && !dynamic_cast<const TTabSheet*>(&c)) continue;
    const std::string name = Dialog + ": " + NameOf(c);
    if (c.GetAlign() == TAlign::alNone) {
      EXPECT_GE(c.GetLeft(), 0) << name;
      EXPECT_GE(c.GetTop(), 0) << name;
      EXPECT_LE(c.GetLeft() + c.GetWidth(), Parent.GetClientWidth()) << name;
      EXPECT_LE(c.GetTop() + c.GetHeight(), Parent.GetClientHeight()) << name;
    }
    if (auto* label = dynamic_cast<const TLabel*>(&c)) {
      if (!label->WordWrap) {
        EXPECT_TRUE(LabelTextShows(*label)) << name;
      }
    } else if (dynamic_cast<const TButtonControl*>(&c) || dynamic_cast<const TSpeedButton*>(&c)) {
      if (!c.GetCaption().empty()) {
        EXPECT_LE(TextWidth(*c.GetFont(), c.GetCaption()) + Chrome(c), c.GetWidth()) << name;
      }
    } else if (auto* colors = dynamic_cast<const TabcColorComboBox*>(&c); colors && !colors->GetShowText()) {
      // Colour swatches without their names.
    } else if (auto* combo = dynamic_cast<const TComboBox*>(&c)) {
      for (int k = 0; k < combo->Items()->Count(); ++k)
        EXPECT_LE(TextWidth(*combo->GetFont(), combo->Items()->Get(k)) + Chrome(c), combo->GetWidth())
            << name << " item \"" << combo->Items()->Get(k) << "\"";
    }
    if (IsContainer(c)) CheckControls(dynamic_cast<const TWinControl&>(c), Dialog);
  }
}

// Checks the dialog and closes it as cancelled; the caption goes to Seen.
TModalResult CheckDialog(TForm& Form, std::vector<std::string>& Seen) {
  const std::string caption = Form.GetCaption();
  Seen.push_back(caption);
  EXPECT_GE(Form.GetWidth(), DialogFields::CaptionWidthNeeded(Form)) << caption;
  CheckControls(Form, caption);
  return mrCancel;
}

class DialogFitTest : public AppFixture {
 protected:
  void CheckEveryDialog();
  // The dialogs kept between uses are made anew, at the fonts of the next round.
  static void FreeKeptDialogs() {
    for (TForm* kept : std::initializer_list<TForm*>{PrSetupUn::SetupForm.Get(), PseudoSetup::PseudosetupForm.Get(),
                                                     printsettings::prntset.Get(), bsetupun::Bsetup.Get()})
      if (kept) kept->Free();
    if (TEditForm* editor = EditUnit::EditForm.Get()) editor->Free();
  }
};

TEST_F(DialogFitTest, EveryDialogOfTheMainWindowFitsItsTexts) {
  FreeKeptDialogs();
  CheckEveryDialog();
}

void DialogFitTest::CheckEveryDialog() {
  TMainForm& f = OpenForm();
  std::vector<std::string> seen;
  const auto check = [&seen](TForm& Form) { return CheckDialog(Form, seen); };

  // "Create survey": the default array, then the model constructor, each checked before it is accepted.
  Dearsetup::Defarray = Create<TDefarray>(nullptr);
  Seam.AnswerModal([&check](TForm& Form) {
    check(Form);
    dynamic_cast<TDefarray&>(Form).abcPicBtn1->Click();
    return Form.GetModalResult();
  });
  Seam.AnswerModal([&check](TForm& Form) {
    check(Form);
    dynamic_cast<TModConstr&>(Form).abcPicBtn1->Click();
    return Form.GetModalResult();
  });
  f.Newmodel1->Click();
  ASSERT_TRUE(f.Survey.ModelComputed);

  struct Opening {
    const char* Caption;
    std::function<void()> Open;
  };
  const Opening openings[] = {
      {"Program setup", [&] { f.Programsetup1->Click(); }},
      {"Picture settings", [&] { f.Outputsettings1->Click(); }},
      {"Section setup", [&] { f.Setup1->Click(); }},
      {"Contour-section setup", [&] { f.PseudoSection2d2->PopupMenu->Items()->GetItem(3)->Click(); }},
      {"Graphics setup",
       [&] {
         f.ObservedLoaded = true;
         f.CalculatedReady = true;
         f.Options1Click(nullptr);
         f.Observedgraphicsrhoa1->Click();
       }},
      // With gravity data every field of the body dialog shows.
      {"Body parameters",
       [&] {
         f.GravMagLoaded = true;
         f.PolygonChart1->OnShowBodyDialog(0, 0, 0);
         f.GravMagLoaded = false;
       }},
  };
  for (const Opening& o : openings) {
    SCOPED_TRACE(o.Caption);
    Seam.AnswerModal(check);
    o.Open();
    EXPECT_EQ(seen.back(), o.Caption);
  }
  EXPECT_EQ(Seam.Pending(), 0u);
  EXPECT_EQ(seen.size(), 8u);
  EXPECT_EQ(std::set<std::string>(seen.begin(), seen.end()).size(), seen.size());

  // The electrode editor is a tool window, shown without a modal loop.
  f.Electrodeeditor1->Click();
  ASSERT_NE(EditUnit::EditForm.Get(), nullptr);
  check(*EditUnit::EditForm.Get());
  EXPECT_EQ(seen.back(), "Electrode editor");
  FreeKeptDialogs();
  CloseForm();
  Dearsetup::Defarray->Free();
  Dearsetup::Defarray = nullptr;
}

TEST(DialogFitRoutineTest, ADialogLaidOutTooNarrowIsWidenedUntilItsTextsFit) {
  // Controls one pixel wide, inside a group box, beside an edit, with a long
  // caption: after fitting, every text shows and the order of the row is kept.
  Forms::EnsureToolkit();
  TOwned<TForm> form(Create<TForm>(nullptr));
  form->SetCaption("A dialog caption much longer than the dialog it names");
  form->SetClientWidth(60);
  form->SetClientHeight(200);
  TGroupBox* group = DialogFields::AddGroup(form.get(), "Group", 4, 4, 52, 120);
  TCheckBox* check = DialogFields::AddCheck(group, "A check box with a long caption", 4, 16, 1);
  TLabel* label = DialogFields::AddLabel(group, "A label with a long caption", 4, 40, 1);
  TEdit* edit = DialogFields::AddEdit(group, 6, 40, 40);
  auto* combo = Create<TComboBox>(group);
  combo->SetParent(group);
  combo->SetBounds(4, 70, 1, 21);
  combo->Items()->Add("Short");
  combo->Items()->Add("Dipole-Dipole forward with a long name");
  auto* radio = Create<TRadioButton>(form.get());
  radio->SetParent(form.get());
  radio->SetBounds(4, 130, 1, 17);
  radio->SetCaption("A radio button");
  TabcPicBtn* button = DialogFields::AddCommandButton(form.get(), "A command with a long caption", 4, 160);
  button->SetWidth(1);
  DialogFields::FitToContent(*form);
  std::vector<std::string> seen;
  CheckDialog(*form, seen);
  EXPECT_GE(edit->GetLeft(), label->GetLeft() + label->GetWidth());
  EXPECT_GT(check->GetWidth(), 1);
  EXPECT_GT(radio->GetWidth(), 1);
}

}  // namespace DialogFitTests
