// The axis increment dialog.
#include "chart/series/PlotAxisIncr.h"
#include "chart/series/PlotPenDlg.h"

#include <charconv>
#include <cmath>

#include "chart/engine/PlotProcs.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Dialogs.h"

namespace {
const char* const StepNames[] = {
    "One Microsecond", "One Millisecond", "One Second",     "Five Seconds",   "Ten Seconds",   "Fifteen Seconds",
    "Thirty Seconds",  "One Minute",      "Five Minutes",   "Ten Minutes",    "Fifteen Minutes", "Thirty Minutes",
    "One Hour",        "Two Hours",       "Six Hours",      "Twelve Hours",   "One Day",       "Two Days",
    "Three Days",      "One Week",        "Half Month",     "One Month",      "Two Months",    "Three Months",
    "Four Months",     "Six Months",      "One Year"};
constexpr int StepCount = 27;

// A number in the notation that does not depend on the locale (a point as
// decimal separator), the whole text.
bool ReadPlainNumber(const std::string& Text, double& Value) {
  const std::string T = SysUtils::Trim(Text);
  if (T.empty()) return false;
  const char* End = T.data() + T.size();
  const auto R = std::from_chars(T.data(), End, Value);
  return R.ec == std::errc() && R.ptr == End;
}

}  // namespace

KV_CLASS_IMPL(TAxisIncrement, TForm) {}

TAxisIncrement::TAxisIncrement(TComponent* Owner) : TForm(Owner) {
  SetName("AxisIncrement");
  SetCaption("Axis Increment");
  Position = TPosition::poScreenCenter;
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(327);
  SetClientHeight(114);
  CBExact = PlotPenDlg::PlaceControl<TCheckBox>(this, "CBExact", 8, 88, 130, 17);
  CBExact->SetCaption("&Exact Date Time");
  RadioGroup1 = PlotPenDlg::PlaceControl<TRadioGroup>(this, "RadioGroup1", 8, 4, 89, 77);
  RadioGroup1->SetCaption("Increment:");
  RadioGroup1->Items()->Add("&Standard:");
  RadioGroup1->Items()->Add("&Custom:");
  CBSteps = PlotPenDlg::PlaceControl<TComboBox>(this, "CBSteps", 104, 20, 137, 21);
  CBSteps->Style = TComboBoxStyle::csDropDownList;
  CBSteps->DropDownCount = 18;
  for (const char* S : StepNames) CBSteps->Items()->Add(S);
  LCustom = PlotPenDlg::PlaceControl<TLabel>(this, "LCustom", 104, 46, 60, 13);
  LCustom->SetCaption("&Increment:");
  ECustom = PlotPenDlg::PlaceControl<TEdit>(this, "ECustom", 104, 60, 137, 21);
  LCustom->FocusControl = ECustom;
  BOk = PlotPenDlg::PlaceControl<TButton>(this, "BOk", 248, 8, 75, 25);
  BOk->SetCaption("OK");
  BOk->Default = true;
  BCancel = PlotPenDlg::PlaceControl<TButton>(this, "BCancel", 248, 40, 75, 25);
  BCancel->SetCaption("Cancel");
  BCancel->Cancel = true;
  BCancel->ModalResult = mrCancel;

  OnShow = [this](TObject* S) { FormShow(S); };
  RadioGroup1->OnClick = [this](TObject* S) { RadioGroup1Click(S); };
  CBExact->OnClick = [this](TObject* S) { CBExactClick(S); };
  CBSteps->OnChange = [this](TObject* S) { CBStepsChange(S); };
  BOk->OnClick = [this](TObject* S) { BOkClick(S); };
}

void TAxisIncrement::FormShow(TObject*) {
  FLoading = true;
  struct TGuard {
    bool& F;
    ~TGuard() { F = false; }
  } Guard{FLoading};
  CBExact->SetVisible(IsDateTime);
  CBExact->SetChecked(IsExact);
  if (IsDateTime) {
    ECustom->SetHint("Enter [Number of Days] [hh:nn:ss]");
    ECustom->SetText(PlotAxisIncr::CustomText(Increment));
    if (IsExact && IStep != StepCount) {
      RadioGroup1->SetItemIndex(0);
      CBSteps->SetItemIndex(IStep);
      ECustom->SetText("");
      ECustom->SetEnabled(false);
      if (CBSteps->CanFocus()) CBSteps->SetFocus();
    } else {
      RadioGroup1->SetItemIndex(1);
      CBSteps->SetItemIndex(-1);
    }
    CBExact->SetEnabled(RadioGroup1->GetItemIndex() == 0);
  } else {
    CBSteps->Hide();
    RadioGroup1->Hide();
    RadioGroup1->SetItemIndex(1);
    ECustom->SetHint("");
    ECustom->SetText(SysUtils::FloatToStr(Increment));
    const int32_t Gap = ECustom->GetTop() - LCustom->GetTop();
    ECustom->SetTop(BOk->GetTop());
    LCustom->SetTop(ECustom->GetTop() - Gap);
    if (ECustom->CanFocus()) ECustom->SetFocus();
  }
}

void TAxisIncrement::RadioGroup1Click(TObject*) {
  if (FLoading) return;
  FLoading = true;
  struct TGuard {
    bool& F;
    ~TGuard() { F = false; }
  } Guard{FLoading};
  if (RadioGroup1->GetItemIndex() == 0) {
    ECustom->SetEnabled(false);
    IsExact = true;
    CBExact->SetChecked(true);
    CBExact->SetEnabled(true);
    CBSteps->SetEnabled(true);
    CBSteps->SetItemIndex(IStep == StepCount ? 0 : IStep);
    if (IStep == StepCount) IStep = 0;
    if (CBSteps->CanFocus()) CBSteps->SetFocus();
  } else {
    ECustom->SetEnabled(true);
    IsExact = false;
    CBExact->SetChecked(false);
    CBExact->SetEnabled(false);
    CBSteps->SetEnabled(false);
    ECustom->SetText(PlotAxisIncr::CustomText(Increment));
    if (ECustom->CanFocus()) ECustom->SetFocus();
  }
}

void TAxisIncrement::CBExactClick(TObject*) {
  if (FLoading || CBExact->GetChecked()) return;
  RadioGroup1->SetItemIndex(1);
  FLoading = false;
  RadioGroup1Click(RadioGroup1);
}

void TAxisIncrement::CBStepsChange(TObject*) {
  if (CBSteps->GetItemIndex() >= 0) IStep = static_cast<uint8_t>(CBSteps->GetItemIndex());
}

bool TAxisIncrement::ReadIncrement(double& Value, std::string& Reason) const {
  try {
    const std::string Text = ECustom->GetText();
    if (!IsDateTime) {
      Value = SysUtils::StrToFloat(Text);
      return true;
    }
    if (RadioGroup1->GetItemIndex() == 0) {
      const int32_t Step = CBSteps->GetItemIndex() >= 0 ? CBSteps->GetItemIndex() : IStep;
      if (Step < 0 || Step >= StepCount) throw EConvertError("No step chosen");
      Value = PlotProcs::DateTimeStep[Step];
      return true;
    }
    const std::string T = SysUtils::Trim(Text);
    const size_t Blank = T.find(' ');
    if (Blank != std::string::npos) {
      double Days = 0;
      // A time of day of the locale may hold a blank itself ("6:00:00 AM").
      if (!SysUtils::TryStrToFloat(T.substr(0, Blank), Days)) {
        Value = SysUtils::StrToTime(T);
        return true;
      }
      Value = Days + SysUtils::StrToTime(T.substr(Blank + 1, 255));
      return true;
    }
    if (ReadPlainNumber(T, Value)) return true;
    try {
      Value = SysUtils::StrToTime(T);
    } catch (const EConvertError&) {
      Value = SysUtils::StrToFloat(T);
    }
    return true;
  } catch (const std::exception& E) {
    Reason = E.what();
    return false;
  }
}

void TAxisIncrement::BOkClick(TObject*) {
  double Value = 0;
  std::string Reason;
  if (!ReadIncrement(Value, Reason)) {
    PlotAxisIncr::ShowIncorrectValue(Reason);
    return;
  }
  Increment = Value;
  SetModalResult(mrOk);
}

namespace PlotAxisIncr {

std::string CustomText(double V) {
  if (V <= 0) return SysUtils::TimeToStr(1.0 / 86400.0);
  if (V >= 1) {
    const double Days = std::trunc(V);
    std::string S = SysUtils::FloatToStr(Days);
    const double Fraction = V - Days;
    if (Fraction != 0) S += " " + SysUtils::TimeToStr(Fraction);
    return S;
  }
  return SysUtils::TimeToStr(V);
}

void AxisValueToText(bool IsDateTime, bool Exact, std::string& Text, const std::string& Format, double Value) {
  if (IsDateTime) {
    const int32_t Step = PlotProcs::NearestDateTimeStep(Value);
    Text = Exact && Step != StepCount ? StepName(Step) : CustomText(Value);
    return;
  }
  Text = SysUtils::FormatFloat(Format, Value);
  if (SysUtils::StrToFloatDef(Text, 0) != Value) Text = SysUtils::FloatToStr(Value);
}

void ShowIncorrectValue(const std::string& Reason) {
  Dialogs::ShowMessage(SysUtils::Format("Incorrect value. Reason: %s", {Reason}));
}

std::string StepName(int32_t Step) {
  auto* D = Create<TAxisIncrement>(nullptr);
  std::string Name = Step >= 0 && Step < D->CBSteps->Items()->Count() ? D->CBSteps->Items()->Strings(Step) : "";
  D->Free();
  return Name;
}

}  // namespace PlotAxisIncr
