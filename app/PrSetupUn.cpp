#include "app/PrSetupUn.h"

#include <cmath>

#include "app/DialogFields.h"
#include "app/ResMainForm.h"
#include "controls/abcbtn.h"
#include "controls/abcexctl.h"
#include "numerics/Supermath.h"
#include "platform/rtl/Restore.h"
#include "platform/ui/Dialogs.h"
#include "views/PolygonChart.h"

WeakRef<TSetupForm> PrSetupUn::SetupForm;

KV_CLASS_IMPL(TSetupForm, TForm) {}

namespace {

using DialogFields::AddGroup;
using DialogFields::AddCheck;

// The factor texts: one decimal more below 1 than Supermath's plain form.
std::string FactorText(double Value) { return Supermath::FloatToStrDec(1, 1, Value); }

// A bound as the message shows it ("0.001", "100").
std::string BoundText(double Bound) {
  std::string text = Supermath::FloatToStrDec(6, 0, Bound);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

// A number within Lower..Upper (inclusive), or none with Problem naming the field.
bool ReadBounded(const TEdit& Edit, const std::string& Field, double Lower, double Upper, double& Value,
                 std::string& Problem) {
  const double v = Supermath::StrToFloatChecked(Edit.GetText(), true, Lower, Upper);
  if (v == Supermath2d::NoValue || !std::isfinite(v)) {
    Problem = Field + ": \"" + Edit.GetText() + "\" is not allowed; enter a number from " + BoundText(Lower) +
              " to " + BoundText(Upper) + ".";
    return false;
  }
  Value = v;
  return true;
}

constexpr double FactorLow = 0.001, FactorHigh = 100.0;
constexpr double StartLow = 0.001, StartHigh = 10.0;

}  // namespace

TSetupForm::TSetupForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("SetupForm");
  SetCaption("Program setup");
  SetBorderStyle(TFormBorderStyle::bsToolWindow);
  SetFormStyle(TFormStyle::fsStayOnTop);
  SetClientWidth(431);
  SetClientHeight(412);
  Position = TPosition::poDesktopCenter;

  TabbedNotebook1 = Create<TPageControl>(this);
  TabbedNotebook1->SetParent(this);
  TabbedNotebook1->SetBounds(0, 0, 431, 361);
  TabbedNotebook1->SetAlign(TAlign::alTop);
  ForwardPage = Create<TTabSheet>(this);
  ForwardPage->SetPageControl(TabbedNotebook1);
  ForwardPage->SetCaption("Forward modelling");

  DialogFields::AddCaptionBox(ForwardPage, " Length quadrature ", 12, 12, 200, 33);
  SpinEdit9 = Create<TSpinEdit>(this);
  SpinEdit9->SetParent(ForwardPage);
  SpinEdit9->SetBounds(140, 18, 64, 21);
  SpinEdit9->MinValue = 2;
  SpinEdit9->MaxValue = 8;
  CheckBox1 = AddCheck(ForwardPage, " Recalculate Etha_a", 230, 20, 170);
  CheckBox1->SetHint(PrSetupUn::RecalculateHint);
  CheckBox1->SetShowHint(true);

  GroupBox1 = AddGroup(ForwardPage, "Dividing options", 12, 60, 400, 250);
  GroupBox2 = AddGroup(GroupBox1, "Z factors", 12, 24, 180, 130);
  GroupBox3 = AddGroup(GroupBox1, "X factors", 206, 24, 180, 130);
  struct TRow {
    TGroupBox* Group;
    const char* Caption;
    TEdit** Edit;
    int Top;
  };
  const TRow rows[] = {{GroupBox2, "FactorZ", &Edit1, 30},
                       {GroupBox2, "StartZ", &Edit2, 70},
                       {GroupBox3, "FactorX", &Edit3, 30},
                       {GroupBox3, "StartX", &Edit4, 70}};
  for (const TRow& row : rows) {
    DialogFields::AddLabel(row.Group, row.Caption, 12, row.Top, 60);
    *row.Edit = DialogFields::AddEdit(row.Group, 80, row.Top, 84);
  }
  CheckBox2 = AddCheck(GroupBox1, "Exponent", 24, 170, 120);

  abcPicBtn1 = DialogFields::AddCommandButton(this, "Apply", 60, 374);
  abcPicBtn3 = DialogFields::AddCommandButton(this, "Default", 178, 374);
  abcPicBtn2 = DialogFields::AddCommandButton(this, "Cancel", 296, 374);

  abcPicBtn1->OnClick = [this](TObject* S) { abcPicBtn1Click(S); };
  abcPicBtn2->OnClick = [this](TObject* S) { abcPicBtn2Click(S); };
  abcPicBtn3->OnClick = [this](TObject* S) { abcPicBtn3Click(S); };
  Edit1->OnChange = [this](TObject* S) { Edit1Change(S); };
  Edit2->OnChange = [this](TObject* S) { Edit2Change(S); };
  Edit3->OnChange = [this](TObject* S) { Edit3Change(S); };
  Edit4->OnChange = [this](TObject* S) { Edit4Change(S); };
  CheckBox2->OnClick = [this](TObject* S) { CheckBox2Click(S); };
  OnShow = [this](TObject* S) { FormShow(S); };
  OnClose = [this](TObject* S, TCloseAction& A) { FormClose(S, A); };
  DialogFields::FitToContent(*this);
}

void TSetupForm::LoadFields() {
  TMainForm* form = MainForm.Get();
  if (!form) return;
  TRestore loading(FLoading, true);
  const TSurvey& s = form->Survey;
  CheckBox2->SetChecked(s.Exponent);
  Edit1->SetText(FactorText(s.FactorZ));
  Edit2->SetText(FactorText(s.StartZ));
  Edit3->SetText(FactorText(s.FactorX));
  Edit4->SetText(FactorText(s.StartX));
  SpinEdit9->SetValue(s.numqp);
  CheckBox1->SetChecked(s.recetha);
}

bool TSetupForm::StoreFields(std::string& Problem) {
  TMainForm* form = MainForm.Get();
  if (!form) return false;
  double factorZ = 0, startZ = 0, factorX = 0, startX = 0;
  if (!ReadBounded(*Edit1, "FactorZ", FactorLow, FactorHigh, factorZ, Problem) ||
      !ReadBounded(*Edit2, "StartZ", StartLow, StartHigh, startZ, Problem) ||
      !ReadBounded(*Edit3, "FactorX", FactorLow, FactorHigh, factorX, Problem) ||
      !ReadBounded(*Edit4, "StartX", StartLow, StartHigh, startX, Problem))
    return false;
  if (!SpinEdit9->TextIsValue()) {
    Problem = "Length quadrature: \"" + SpinEdit9->GetText() + "\" is not allowed; enter a whole number from 2 to 8.";
    return false;
  }
  TSurvey& s = form->Survey;
  s.Exponent = CheckBox2->GetChecked();
  s.FactorZ = factorZ;
  s.StartZ = startZ;
  s.FactorX = factorX;
  s.StartX = startX;
  s.numqp = SpinEdit9->GetValue();
  s.recetha = CheckBox1->GetChecked();
  return true;
}

void TSetupForm::abcPicBtn1Click(TObject*) {
  std::string problem;
  if (!StoreFields(problem)) {
    Dialogs::MessageDlg(problem, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
    return;
  }
  LoadFields();
  SetModalResult(mrOk);
}

void TSetupForm::abcPicBtn2Click(TObject*) { SetModalResult(mrCancel); }

void TSetupForm::abcPicBtn3Click(TObject*) {
  TMainForm* form = MainForm.Get();
  if (!form) return;
  form->ResetSolverDefaults();
  LoadFields();
  PreviewMesh();
}

bool TSetupForm::LiveEdit(const TEdit* Edit) const { return !FLoading && GetActiveControl() == Edit; }

void TSetupForm::LiveChange(const TEdit* Edit, double Lower, double Upper, double& Setting) {
  if (!LiveEdit(Edit)) return;
  const double value = Supermath::StrToFloatChecked(Edit->GetText(), true, Lower, Upper);
  if (value == Supermath2d::NoValue || !std::isfinite(value)) return;
  Setting = value;
  PreviewMesh();
}

void TSetupForm::Edit1Change(TObject*) {
  if (TMainForm* form = MainForm.Get()) LiveChange(Edit1, FactorLow, FactorHigh, form->Survey.FactorZ);
}

void TSetupForm::Edit2Change(TObject*) {
  if (TMainForm* form = MainForm.Get()) LiveChange(Edit2, StartLow, StartHigh, form->Survey.StartZ);
}

void TSetupForm::Edit3Change(TObject*) {
  if (TMainForm* form = MainForm.Get()) LiveChange(Edit3, FactorLow, FactorHigh, form->Survey.FactorX);
}

void TSetupForm::Edit4Change(TObject*) {
  if (TMainForm* form = MainForm.Get()) LiveChange(Edit4, StartLow, StartHigh, form->Survey.StartX);
}

void TSetupForm::CheckBox2Click(TObject*) {
  TMainForm* form = MainForm.Get();
  if (!form || FLoading || !GetVisible()) return;
  form->Survey.Exponent = CheckBox2->GetChecked();
  PreviewMesh();
}

void TSetupForm::PreviewMesh() {
  if (TMainForm* form = MainForm.Get()) form->Survey.PreviewMesh();
}

void TSetupForm::FormShow(TObject*) { PreviewMesh(); }

void TSetupForm::FormClose(TObject*, TCloseAction&) {
  if (TMainForm* form = MainForm.Get(); form && form->PolygonChart1) form->PolygonChart1->ClearMeshPreview();
}

void PrSetupUn::ShowProgramSetup(TMainForm& Form) {
  if (!SetupForm) SetupForm = Create<TSetupForm>(Application);
  TSetupForm& dialog = *SetupForm;
  dialog.MainForm = &Form;
  dialog.LoadFields();
  dialog.Hide();
  dialog.ShowModal();
}
