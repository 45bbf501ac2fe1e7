// The compression function's parameter form.
#include "chart/editors/PlotCompressFuncEdit.h"

#include <algorithm>
#include <cmath>

#include "chart/extras/PlotCompressOHLC.h"
#include "platform/rtl/SysUtils.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TCompressFuncEditor, TBaseFunctionEditor) {}

TCompressFuncEditor::TCompressFuncEditor(TComponent* Owner) : TBaseFunctionEditor(Owner) {
  RadioDate = PlaceControl<TRadioButton>(this, "RadioDate", 8, 12, 120, 17);
  RadioDate->SetCaption("&Date period:");
  CBDatePeriod = PlaceControl<TComboFlat>(this, "CBDatePeriod", 136, 10, 130, 21);
  CBDatePeriod->Style = TComboBoxStyle::csDropDownList;
  for (const char* S : {"Daily (none)", "Weekly", "Monthly", "Bi-Monthly", "Quarterly", "Yearly"})
    CBDatePeriod->Items()->Add(S);
  RadioPoints = PlaceControl<TRadioButton>(this, "RadioPoints", 8, 44, 120, 17);
  RadioPoints->SetCaption("&Number of points:");
  ENum = PlaceControl<TEdit>(this, "ENum", 136, 42, 60, 21);
  ENum->SetText("1");
  UpDown1 = PlaceControl<TUpDown>(this, "UpDown1", 196, 42, 15, 21);
  UpDown1->SetMax(32767);
  UpDown1->SetAssociate(ENum);
  UpDown1->SetPosition(1);
  RadioTime = PlaceControl<TRadioButton>(this, "RadioTime", 8, 76, 120, 17);
  RadioTime->SetCaption("&Time period:");
  CBTimePeriod = PlaceControl<TComboFlat>(this, "CBTimePeriod", 136, 74, 130, 21);
  CBTimePeriod->Style = TComboBoxStyle::csDropDownList;
  for (const char* S : {"Second", "TenSecond", "Minute", "TwoMinutes", "FiveMinutes", "TenMinutes", "FifteenMinutes",
                        "TwentyMinutes", "HalfHour", "Hour", "TwoHours", "ThreeHour", "SixHour", "TwelveHour"})
    CBTimePeriod->Items()->Add(S);
  RadioDate->SetChecked(true);
  NextTop = 104;

  RadioDate->OnClick = [this](TObject*) {
    UpDown1->SetPosition(0);
    ChooseRadio(nullptr, CBDatePeriod);
  };
  RadioTime->OnClick = [this](TObject*) {
    UpDown1->SetPosition(0);
    ChooseRadio(nullptr, CBTimePeriod);
  };
  RadioPoints->OnClick = [this](TObject*) { ChooseRadio(nullptr, ENum); };
  ENum->OnClick = [this](TObject*) { ChooseRadio(RadioPoints, nullptr); };
  ENum->OnChange = [this](TObject*) { EnableApply(); };
  for (TComboFlat* C : {CBDatePeriod, CBTimePeriod}) {
    TRadioButton* Radio = C == CBDatePeriod ? RadioDate : RadioTime;
    C->OnChange = [this, Radio](TObject*) { ChooseRadio(Radio, nullptr); };
    C->OnClick = C->OnChange;
  }
}

void TCompressFuncEditor::ChooseRadio(TRadioButton* Radio, TWinControl* Focus) {
  if (Radio && !Radio->GetChecked()) Radio->SetChecked(true);
  if (Focus && !Loading() && Focus->CanFocus()) Focus->SetFocus();
  EnableApply();
}

void TCompressFuncEditor::SetFunction() {
  auto* F = dynamic_cast<TCompressFunction*>(TheFunction());
  if (!F) return;
  CBDatePeriod->SetItemIndex(0);
  CBTimePeriod->SetItemIndex(0);
  const int32_t Compress = static_cast<int32_t>(F->GetCompress());
  if (F->GetPeriod() != 0) {
    UpDown1->SetPosition(static_cast<int32_t>(std::nearbyint(std::clamp(F->GetPeriod(), 0.0, 32767.0))));
    RadioPoints->SetChecked(true);
    return;
  }
  UpDown1->SetPosition(0);  // the function counts no points
  if (Compress >= FirstTimePeriod) {
    CBTimePeriod->SetItemIndex(Compress - FirstTimePeriod);
    RadioTime->SetChecked(true);
  } else {
    CBDatePeriod->SetItemIndex(Compress);
    RadioDate->SetChecked(true);
  }
}

bool TCompressFuncEditor::CheckFormChanges(std::string& Message) {
  Message.clear();
  TChartSeries* S = EditedSeries();
  if (S && !dynamic_cast<TOHLCSeries*>(S))
    Message = SysUtils::Format(
        "%s cannot show compressed points: the compression needs an open-high-low-close series (such as a candle "
        "series) as its result series.",
        {PlotEngine::SeriesTitleOrName(S)});
  else if (RadioPoints->GetChecked()) {
    const std::string Text = SysUtils::Trim(ENum->GetText());
    int32_t N = 0;
    if (!SysUtils::TryStrToInt(Text, N))
      Message = SysUtils::Format("Number of points: \"%s\" is not a whole number.", {Text});
    else if (N < 0 || N > UpDown1->GetMax())
      Message = SysUtils::Format("Number of points: %d is outside 0..%d.", {N, UpDown1->GetMax()});
  }
  return Message.empty();
}

void TCompressFuncEditor::ApplyFormChanges() {
  auto* F = dynamic_cast<TCompressFunction*>(TheFunction());
  if (!F) return;
  // A number of points overrides the period, which then stays as it was;
  // a period choice clears the number, or compression by period would stay off.
  if (RadioPoints->GetChecked()) {
    F->SetPeriod(SysUtils::StrToInt(SysUtils::Trim(ENum->GetText())));
    return;
  }
  const bool Date = RadioDate->GetChecked();
  const int32_t Index = Date ? CBDatePeriod->GetItemIndex() : CBTimePeriod->GetItemIndex();
  if (Index >= 0) F->SetCompress(static_cast<TCompressionPeriod>(Date ? Index : Index + FirstTimePeriod));
  F->SetPeriod(0);
}
