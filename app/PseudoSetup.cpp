#include "app/PseudoSetup.h"

#include <cmath>

#include "app/DialogFields.h"
#include "chart/series/PlotEdiFont.h"
#include "controls/DFSClrBn.h"
#include "controls/abcbtn.h"
#include "controls/abcedtop.h"
#include "controls/abcexctl.h"
#include "numerics/Supermath2d.h"
#include "platform/rtl/Restore.h"
#include "platform/ui/Dialogs.h"
#include "views/PseudoSection2d.h"

WeakRef<TPseudosetupForm> PseudoSetup::PseudosetupForm;

KV_CLASS_IMPL(TPseudosetupForm, TForm) {}

namespace {

using DialogFields::AddGroup;
using DialogFields::AddCheck;

// A caption box with a spin edit of Lower..Upper covering its right part.
TSpinEdit* AddSpinRow(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width, int Lower,
                      int Upper) {
  DialogFields::AddCaptionBox(Parent, Caption, Left, Top, Width, 33);
  auto* spin = Create<TSpinEdit>(Parent);
  spin->SetParent(Parent);
  spin->SetBounds(Left + Width - 62, Top + 6, 56, 21);
  spin->MinValue = Lower;
  spin->MaxValue = Upper;
  return spin;
}

// A caption box with a colour button covering its right part.
TdfsColorButton* AddColorRow(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width) {
  DialogFields::AddCaptionBox(Parent, Caption, Left, Top, Width, 33);
  auto* button = Create<TdfsColorButton>(Parent);
  button->SetParent(Parent);
  button->SetBounds(Left + Width - 50, Top + 6, 45, 22);
  return button;
}

// A caption box with an edit covering its right part.
TEdit* AddEditRow(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width) {
  DialogFields::AddCaptionBox(Parent, Caption, Left, Top, Width, 33);
  return DialogFields::AddEdit(Parent, Left + Width - 64, Top + 6, 58);
}

// The spin's whole number, or none with Problem naming the field and its range.
bool ReadSpin(const TSpinEdit& Spin, const std::string& Field, int32_t& Value, std::string& Problem) {
  if (!Spin.TextIsValue()) {
    Problem = Field + ": \"" + Spin.GetText() + "\" is not allowed; enter a whole number from " +
              std::to_string(Spin.MinValue) + " to " + std::to_string(Spin.MaxValue) + ".";
    return false;
  }
  Value = Spin.GetValue();
  return true;
}

// A limit as typed: a number, or NoValue for any other text.
double LimitValue(const TEdit& Edit) {
  const double v = Supermath2d::StrToFloatChecked(Edit.GetText(), false, 0.0, 0.0);
  return std::isfinite(v) ? v : Supermath2d::NoValue;
}

struct TMarginRow {
  const char* Caption;
  const char* Field;
  int Margin;  // the chart's margin index: 0 left, 1 top, 2 right, 3 bottom
};
constexpr TMarginRow MarginRows[4] = {{"  Left margin", "Left margin", 0},
                                      {"  Top margin", "Top margin", 1},
                                      {"  Right margin", "Right margin", 2},
                                      {"  Bottom margin", "Bottom margin", 3}};

}  // namespace

TPseudosetupForm::TPseudosetupForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("PseudosetupForm");
  SetCaption("Contour-section setup");
  SetBorderStyle(TFormBorderStyle::bsToolWindow);
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetClientWidth(464);
  SetClientHeight(316);
  Position = TPosition::poDesktopCenter;

  GroupBox1 = AddGroup(this, "Box margins (pixels)", 8, 4, 188, 172);
  TSpinEdit** margins[4] = {&PSLeftval, &PStopval, &PSRightval, &PSBottomval};
  for (int i = 0; i < 4; ++i) *margins[i] = AddSpinRow(GroupBox1, MarginRows[i].Caption, 8, 20 + 36 * i, 172, 0, 100);
  PSLevNum = AddSpinRow(this, "  Num levels", 8, 184, 188, 2, 100);
  PSLinesVisible = AddCheck(this, "  Isolines", 14, 230, 90);
  PSLinesVisible->SetHint("This turns on or off the contour \nlines on a color contour image.");
  PSLinesVisible->SetShowHint(true);
  Button1 = Create<TButton>(this);
  Button1->SetParent(this);
  Button1->SetBounds(121, 226, 75, 25);
  Button1->SetCaption("Font");

  GroupBox2 = AddGroup(this, "Fill&&Line colors (Gradient) ", 204, 4, 252, 172);
  struct TColorRow {
    const char* Caption;
    TdfsColorButton** Button;
    int Left, Top;
  };
  const TColorRow colorRows[] = {{"  Min contour", &PSMinContour, 8, 20},   {"  1/3 contour", &PScontour1_3, 8, 56},
                                 {"  2/3 contour", &PScontour2_3, 8, 92},   {"  Max contour", &PSMaxContour, 8, 128},
                                 {"  Min isoline", &PSMinIsoline, 128, 20}, {"  Max isoline", &PSMaxIsoline, 128, 56}};
  for (const TColorRow& row : colorRows) *row.Button = AddColorRow(GroupBox2, row.Caption, row.Left, row.Top, 116);

  GroupBox3 = AddGroup(this, "User data limits", 204, 182, 252, 88);
  PSuseExternal = AddCheck(GroupBox3, "  User limits", 10, 18, 120);
  PSExtMin = AddEditRow(GroupBox3, "  Minimum", 8, 42, 116);
  PSExtMax = AddEditRow(GroupBox3, "  Maximum", 128, 42, 116);

  abcFileOpenEdit1 = Create<TabcFileOpenEdit>(this);
  abcFileOpenEdit1->SetParent(this);
  abcFileOpenEdit1->SetBounds(8, 282, 270, 21);
  abcFileOpenEdit1->GetOpenDialog()->Dialog()->Filter = "Level Files (*.lvl)|*.lvl";
  abcFileOpenEdit1->SetHint("Level file");
  abcFileOpenEdit1->SetShowHint(true);

  abcPicBtn3 = DialogFields::AddCommandButton(this, "Apply", 296, 278);
  abcPicBtn4 = DialogFields::AddCommandButton(this, "Cancel", 381, 278);

  abcPicBtn3->OnClick = [this](TObject* S) { abcPicBtn3Click(S); };
  abcPicBtn4->OnClick = [this](TObject* S) { abcPicBtn4Click(S); };
  Button1->OnClick = [this](TObject* S) { Button1Click(S); };
  PSuseExternal->OnClick = [this](TObject* S) { PSuseExternalClick(S); };
  abcFileOpenEdit1->AfterExecute = [this](TObject* S) { abcFileOpenEdit1AfterExecute(S); };
  DialogFields::CancelOnEscape(*this);
  DialogFields::FitToContent(*this);
}

void TPseudosetupForm::LoadFromSection(TPseudoSection2d& Section) {
  FView = &Section;
  abcFileOpenEdit1->SetVisible(Section.ColorNamesFound);
  abcFileOpenEdit1->SetText(Section.LevelFile);
  TSpinEdit* margins[4] = {PSLeftval, PStopval, PSRightval, PSBottomval};
  for (int i = 0; i < 4; ++i) margins[i]->SetValue(Section.GetMargin(MarginRows[i].Margin));
  PSLevNum->SetValue(Section.LevNum);
  PSLinesVisible->SetChecked(Section.LinesVisible);
  PSMinContour->SetColor(Section.MinContour);
  PScontour1_3->SetColor(Section.Contour1_3);
  PScontour2_3->SetColor(Section.Contour2_3);
  PSMaxContour->SetColor(Section.MaxContour);
  PSMinIsoline->SetColor(Section.MinIsoline);
  PSMaxIsoline->SetColor(Section.MaxIsoline);
  // Ticking the box only enables the two limits; it stores nothing.
  PSuseExternal->SetChecked(Section.UseExternal);
  PSExtMin->SetText(Supermath2d::FloatToStrDec(0, 1, Section.ExtMin));
  PSExtMax->SetText(Supermath2d::FloatToStrDec(0, 1, Section.ExtMax));
  PSuseExternalClick(PSuseExternal);
}

bool TPseudosetupForm::StoreToSection(std::string& Problem) {
  TPseudoSection2d* view = FView.Get();
  if (!view) return false;
  TSpinEdit* margins[4] = {PSLeftval, PStopval, PSRightval, PSBottomval};
  int32_t marginValues[4] = {};
  for (int i = 0; i < 4; ++i)
    if (!ReadSpin(*margins[i], MarginRows[i].Field, marginValues[i], Problem)) return false;
  int32_t levels = 0;
  if (!ReadSpin(*PSLevNum, "Num levels", levels, Problem)) return false;

  // Limits in use must span a range: any other text would stretch the colour
  // scale to the no-value marker. Limits not in use are kept as typed.
  const double minimum = LimitValue(*PSExtMin), maximum = LimitValue(*PSExtMax);
  if (PSuseExternal->GetChecked()) {
    if (minimum == Supermath2d::NoValue) {
      Problem = "Minimum: \"" + PSExtMin->GetText() + "\" is not allowed; enter a number below the maximum.";
      return false;
    }
    if (maximum == Supermath2d::NoValue || !(maximum > minimum)) {
      Problem = "Maximum: \"" + PSExtMax->GetText() + "\" is not allowed; enter a number above the minimum (" +
                PSExtMin->GetText() + ").";
      return false;
    }
  }

  for (int i = 0; i < 4; ++i) view->SetMargin(MarginRows[i].Margin, marginValues[i]);
  view->LevNum = levels;
  view->LinesVisible = PSLinesVisible->GetChecked();
  view->MinContour = PSMinContour->GetColor();
  view->Contour1_3 = PScontour1_3->GetColor();
  view->Contour2_3 = PScontour2_3->GetColor();
  view->MaxContour = PSMaxContour->GetColor();
  view->MinIsoline = PSMinIsoline->GetColor();
  view->MaxIsoline = PSMaxIsoline->GetColor();
  view->UseExternal = PSuseExternal->GetChecked();
  view->ExtMin = minimum;
  view->ExtMax = maximum;
  if (view->ColorNamesFound) view->LevelFile = abcFileOpenEdit1->GetText();
  return true;
}

void TPseudosetupForm::abcPicBtn3Click(TObject*) {
  TPseudoSection2d* view = FView.Get();
  if (!view) return;
  std::string problem;
  if (!StoreToSection(problem)) {
    Dialogs::MessageDlg(problem, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
    return;
  }
  view->Triangulate(false);
  view->BuildLevels();
  view->UpdatePicture(this);
  LoadFromSection(*view);
}

void TPseudosetupForm::abcPicBtn4Click(TObject*) { SetModalResult(mrCancel); }

void TPseudosetupForm::Button1Click(TObject*) {
  TPseudoSection2d* view = FView.Get();
  if (!view || !view->ColorBarFont) return;
  PlotEdiFont::ShowFontEditor(this, view->ColorBarFont.get());
  view->Invalidate();
}

void TPseudosetupForm::PSuseExternalClick(TObject*) {
  const bool use = PSuseExternal->GetChecked();
  PSExtMin->SetEnabled(use);
  PSExtMax->SetEnabled(use);
}

void TPseudosetupForm::abcFileOpenEdit1AfterExecute(TObject*) {
  TPseudoSection2d* view = FView.Get();
  if (!view || !view->ColorNamesFound || !abcFileOpenEdit1->GetOpenDialog()->LastResult()) return;
  view->LevelFile = abcFileOpenEdit1->GetText();
}

int PseudoSetup::ShowContourSetup(TPseudoSection2d& View) {
  if (!PseudosetupForm) PseudosetupForm = Create<TPseudosetupForm>(Application);
  TPseudosetupForm& dialog = *PseudosetupForm;
  dialog.LoadFromSection(View);
  return dialog.ShowModal();
}
