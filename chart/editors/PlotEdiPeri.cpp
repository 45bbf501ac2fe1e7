// The parameter form of plain functions.
#include "chart/editors/PlotEdiPeri.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/PlotEngine_Series.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotAxisIncr.h"
#include "platform/rtl/FreeGuard.h"
#include "platform/rtl/SysUtils.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TPlotFunctionEditor, TBaseFunctionEditor) {}

TPlotFunctionEditor::TPlotFunctionEditor(TComponent* Owner) : TBaseFunctionEditor(Owner) {
  Label2 = PlaceControl<TLabel>(this, "Label2", 8, 12, 100, 13);
  Label2->SetCaption("&Calculate using:");
  CBStyle = PlaceControl<TComboFlat>(this, "CBStyle", 124, 8, 160, 21);
  CBStyle->Style = TComboBoxStyle::csDropDownList;
  for (const char* S : {"All points", "Every number of points", "Every range"}) CBStyle->Items()->Add(S);
  Label2->FocusControl = CBStyle;
  Label3 = PlaceControl<TLabel>(this, "Label3", 8, 40, 110, 13);
  Label3->SetCaption("&Number of points:");
  ENum = PlaceControl<TEdit>(this, "ENum", 124, 36, 80, 21);
  ENum->SetText("0");
  ENum->SetEnabled(false);
  Label3->FocusControl = ENum;
  BChange = PlaceControl<TButton>(this, "BChange", 210, 34, 75, 25);
  BChange->SetCaption("&Change...");
  BChange->SetEnabled(false);
  Label1 = PlaceControl<TLabel>(this, "Label1", 8, 68, 100, 13);
  Label1->SetCaption("&Alignment:");
  CBAlign = PlaceControl<TComboFlat>(this, "CBAlign", 124, 64, 100, 21);
  CBAlign->Style = TComboBoxStyle::csDropDownList;
  for (const char* S : {"First", "Center", "Last"}) CBAlign->Items()->Add(S);
  Label1->FocusControl = CBAlign;
  NextTop = 96;
  CBStyle->OnChange = [this](TObject* S) { CBStyleChange(S); };
  ENum->OnChange = [this](TObject*) { EnableApply(); };
  CBAlign->OnChange = [this](TObject*) { EnableApply(); };
  BChange->OnClick = [this](TObject* S) { BChangeClick(S); };
}

void TPlotFunctionEditor::SetFunction() {
  TPlotFunction* F = TheFunction();
  if (F->GetPeriodStyle() == psRange && !dynamic_cast<TPlotMovingFunction*>(F))
    CBStyle->SetItemIndex(StyleRange);
  else if (std::nearbyint(F->GetPeriod()) != 0)
    CBStyle->SetItemIndex(StyleNumPoints);
  else
    CBStyle->SetItemIndex(StyleAll);
  CBAlign->SetItemIndex(static_cast<int32_t>(F->GetPeriodAlign()));
  TBaseFunctionEditor::SetFunction();
  CBStyleChange(CBStyle);
}

void TPlotFunctionEditor::CBStyleChange(TObject*) {
  const int32_t Style = CBStyle->GetItemIndex();
  ENum->SetEnabled(Style > StyleAll);
  BChange->SetEnabled(Style == StyleRange);
  const double Period = TheFunction() ? TheFunction()->GetPeriod() : 0;
  if (Style <= StyleAll)
    ENum->SetText("");
  else if (Style == StyleNumPoints)
    ENum->SetText(SysUtils::FloatToStr(std::nearbyint(std::max(Period, 0.0))));
  else
    ENum->SetText(SysUtils::FloatToStr(Period));
  if (ENum->GetEnabled() && ENum->CanFocus()) ENum->SetFocus();
  EnableApply();
}

bool TPlotFunctionEditor::CheckFormChanges(std::string& Message) {
  if (!TBaseFunctionEditor::CheckFormChanges(Message)) return false;
  if (CBStyle->GetItemIndex() <= StyleAll) return true;  // the period is not read
  const std::string Text = SysUtils::Trim(ENum->GetText());
  double D = 0;
  if (!SysUtils::TryStrToFloat(Text, D))
    Message = SysUtils::Format("Number of points: \"%s\" is not a number.", {Text});
  else if (!(D >= 0))
    Message = SysUtils::Format("Number of points: %s is below 0.", {Text});
  return Message.empty();
}

void TPlotFunctionEditor::ApplyFormChanges() {
  TPlotFunction* F = TheFunction();
  const int32_t Style = CBStyle->GetItemIndex();
  // Nothing chosen (a new function shown before any load) keeps the function's own values.
  if (CBAlign->GetItemIndex() >= 0) F->SetPeriodAlign(static_cast<TFunctionPeriodAlign>(CBAlign->GetItemIndex()));
  if (Style >= 0) {
    const double Period = Style == StyleAll ? 0 : SysUtils::StrToFloat(SysUtils::Trim(ENum->GetText()));
    // A period of less than one point is a valid range but not a valid count:
    // the style that allows it goes first.
    if (Style == StyleRange) {
      F->SetPeriodStyle(psRange);
      F->SetPeriod(Period);
    } else {
      F->SetPeriod(Period);
      F->SetPeriodStyle(psNumPoints);
    }
  }
  TBaseFunctionEditor::ApplyFormChanges();
}

void TPlotFunctionEditor::BChangeClick(TObject*) {
  TOwned<TAxisIncrement> D(Create<TAxisIncrement>(this));
  D->SetCaption("Period range");
  TChartSeries* S = EditedSeries();
  auto* Source = S ? dynamic_cast<TChartSeries*>(S->GetDataSource()) : nullptr;
  D->IsDateTime = Source && Source->XValues()->GetDateTime();
  D->IsExact = true;
  double Period = 0;
  if (!SysUtils::TryStrToFloat(SysUtils::Trim(ENum->GetText()), Period))
    Period = TheFunction() ? TheFunction()->GetPeriod() : 0;
  D->Increment = Period;
  D->IStep = static_cast<uint8_t>(PlotProcs::NearestDateTimeStep(Period));
  if (D->ShowModal() != mrOk) return;
  ENum->SetText(SysUtils::FloatToStr(D->Increment));
}
