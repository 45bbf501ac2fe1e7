// The axis limit dialog.
#include "chart/editors/PlotAxMaxMin.h"

#include "chart/series/PlotAxisIncr.h"
#include "chart/series/PlotPenDlg.h"
#include "platform/rtl/SysUtils.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TAxisMaxMin, TForm) {}

TAxisMaxMin::TAxisMaxMin(TComponent* Owner) : TForm(Owner) {
  SetName("AxisMaxMin");
  SetCaption("Axis Maximum and Minimum");
  Position = TPosition::poScreenCenter;
  SetClientWidth(274);
  SetClientHeight(79);
  Label1 = PlaceControl<TLabel>(this, "Label1", 8, 12, 40, 13);
  Label1->SetCaption("&Date:");
  EMaximum = PlaceControl<TEdit>(this, "EMaximum", 56, 8, 121, 21);
  EMaximum->SetHint("Enter Date");
  Label1->FocusControl = EMaximum;
  Label2 = PlaceControl<TLabel>(this, "Label2", 8, 44, 40, 13);
  Label2->SetCaption("&Time:");
  EMinimum = PlaceControl<TEdit>(this, "EMinimum", 56, 40, 121, 21);
  EMinimum->SetHint("Enter Time");
  Label2->FocusControl = EMinimum;
  BitBtn1 = PlaceControl<TButton>(this, "BitBtn1", 192, 8, 75, 25);
  BitBtn1->SetCaption("OK");
  BitBtn1->Default = true;
  BitBtn2 = PlaceControl<TButton>(this, "BitBtn2", 192, 42, 75, 25);
  BitBtn2->SetCaption("Cancel");
  BitBtn2->Cancel = true;
  BitBtn2->ModalResult = mrCancel;
  SetBorderStyle(TFormBorderStyle::bsDialog);

  OnShow = [this](TObject* S) { FormShow(S); };
  BitBtn1->OnClick = [this](TObject* S) { BitBtn1Click(S); };
}

void TAxisMaxMin::FormShow(TObject*) {
  if (IsDateTime) {
    if (MaxMin >= 1) {
      EMaximum->SetText(SysUtils::DateToStr(MaxMin));
    } else {
      Label1->Hide();
      EMaximum->Hide();
    }
    EMinimum->SetText(SysUtils::TimeToStr(MaxMin));
  } else {
    EMaximum->SetHint("");
    EMinimum->SetHint("");
    Label1->SetCaption("Value:");
    EMaximum->SetText(SysUtils::FloatToStr(MaxMin));
    Label2->Hide();
    EMinimum->Hide();
  }
}

void TAxisMaxMin::BitBtn1Click(TObject*) {
  try {
    if (!IsDateTime)
      MaxMin = SysUtils::StrToFloat(EMaximum->GetText());
    else if (EMaximum->GetVisible())
      MaxMin = SysUtils::StrToDateTime(EMaximum->GetText() + " " + EMinimum->GetText());
    else
      MaxMin = SysUtils::StrToTime(EMinimum->GetText());
  } catch (const std::exception& E) {
    PlotAxisIncr::ShowIncorrectValue(E.what());
    return;
  }
  SetModalResult(mrOk);
}
