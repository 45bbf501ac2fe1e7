// The value format dialog.
#include "chart/series/PlotFormatting.h"
#include "chart/series/PlotPenDlg.h"

#include <algorithm>
#include <vector>

#include "chart/engine/PlotProcs.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Deletes the first occurrence of What; true when there was one.
bool DeleteFirst(std::string& S, const std::string& What) {
  if (What.empty()) return false;
  const size_t P = S.find(What);
  if (P == std::string::npos) return false;
  S.erase(P, What.size());
  return true;
}
}  // namespace

KV_CLASS_IMPL(TFormatEditor, TForm) {}

TFormatEditor::TFormatEditor(TComponent* Owner) : TForm(Owner) {
  SetName("FormatEditor");
  SetCaption("Numeric Format");
  Position = TPosition::poScreenCenter;
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(300);
  SetClientHeight(230);
  Panel1 = PlotPenDlg::PlaceControl<TPanel>(this, this, "Panel1", 0, 194, 300, 36);
  Panel1->SetAlign(TAlign::alBottom);
  Panel1->BevelOuter = TPanelBevel::bvNone;
  Panel1->SetCaption("");
  Button1 = PlotPenDlg::PlaceControl<TButton>(this, Panel1, "Button1", 136, 6, 75, 25);
  Button1->SetCaption("OK");
  Button1->Default = true;
  Button1->ModalResult = mrOk;
  Button2 = PlotPenDlg::PlaceControl<TButton>(this, Panel1, "Button2", 218, 6, 75, 25);
  Button2->SetCaption("Cancel");
  Button2->Cancel = true;
  Button2->ModalResult = mrCancel;

  Panel2 = PlotPenDlg::PlaceControl<TPanel>(this, this, "Panel2", 0, 0, 300, 90);
  Panel2->SetAlign(TAlign::alTop);
  Panel2->BevelOuter = TPanelBevel::bvNone;
  Panel2->SetCaption("");
  RBInteger = PlotPenDlg::PlaceControl<TRadioButton>(this, Panel2, "RBInteger", 8, 8, 80, 17);
  RBInteger->SetCaption("&Number");
  Label1 = PlotPenDlg::PlaceControl<TLabel>(this, Panel2, "Label1", 8, 36, 50, 13);
  Label1->SetCaption("D&ecimals:");
  Edit1 = PlotPenDlg::PlaceControl<TEdit>(this, Panel2, "Edit1", 64, 32, 32, 21);
  Edit1->SetText("0");
  UpDown1 = PlotPenDlg::PlaceControl<TUpDown>(this, Panel2, "UpDown1", 96, 32, 15, 21);
  UpDown1->SetMin(0);
  UpDown1->SetMax(20);
  UpDown1->SetAssociate(Edit1);
  Label2 = PlotPenDlg::PlaceControl<TLabel>(this, Panel2, "Label2", 8, 64, 50, 13);
  Label2->SetCaption("&Fixed:");
  Edit2 = PlotPenDlg::PlaceControl<TEdit>(this, Panel2, "Edit2", 64, 60, 32, 21);
  Edit2->SetText("0");
  UpDown2 = PlotPenDlg::PlaceControl<TUpDown>(this, Panel2, "UpDown2", 96, 60, 15, 21);
  UpDown2->SetMin(0);
  UpDown2->SetMax(20);
  UpDown2->SetAssociate(Edit2);
  CBPercent = PlotPenDlg::PlaceControl<TCheckBox>(this, Panel2, "CBPercent", 130, 8, 80, 17);
  CBPercent->SetCaption("&Percent");
  CBThousands = PlotPenDlg::PlaceControl<TCheckBox>(this, Panel2, "CBThousands", 130, 28, 80, 17);
  CBThousands->SetCaption("&Thousands");
  CBCurrency = PlotPenDlg::PlaceControl<TCheckBox>(this, Panel2, "CBCurrency", 130, 48, 80, 17);
  CBCurrency->SetCaption("C&urrency");
  CBFixedDecimals = PlotPenDlg::PlaceControl<TCheckBox>(this, Panel2, "CBFixedDecimals", 130, 68, 80, 17);
  CBFixedDecimals->SetCaption("F&ixed");

  GroupBox1 = PlotPenDlg::PlaceControl<TGroupBox>(this, this, "GroupBox1", 0, 90, 300, 104);
  GroupBox1->SetAlign(TAlign::alClient);
  RBDate = PlotPenDlg::PlaceControl<TRadioButton>(this, GroupBox1, "RBDate", 8, 18, 90, 17);
  RBDate->SetCaption("&Date Time:");
  CBDate = PlotPenDlg::PlaceControl<TComboBox>(this, GroupBox1, "CBDate", 104, 16, 180, 21);
  RBGeo = PlotPenDlg::PlaceControl<TRadioButton>(this, GroupBox1, "RBGeo", 8, 46, 90, 17);
  RBGeo->SetCaption("&Geographic:");
  CBGeo = PlotPenDlg::PlaceControl<TComboBox>(this, GroupBox1, "CBGeo", 104, 44, 180, 21);
  RBCustom = PlotPenDlg::PlaceControl<TRadioButton>(this, GroupBox1, "RBCustom", 8, 74, 90, 17);
  RBCustom->SetCaption("&Custom:");
  CBCustom = PlotPenDlg::PlaceControl<TComboBox>(this, GroupBox1, "CBCustom", 104, 72, 180, 21);
  for (TComboBox* C : {CBDate, CBGeo, CBCustom}) {
    C->Style = TComboBoxStyle::csDropDown;
    C->SetEnabled(false);
  }
  for (const char* S : {"mm-yyyy", "mm-dd-yy", "dd-mm-yyyy", "mmm", "ddd", "MM"}) CBDate->Items()->Add(S);
  for (const std::string& S : std::vector<std::string>{::FormatSettings.ShortDateFormat, ::FormatSettings.ShortTimeFormat})
    if (CBDate->Items()->IndexOf(S) < 0) CBDate->Items()->Add(S);

  OnShow = [this](TObject* S) { FormShow(S); };
  for (TRadioButton* R : {RBDate, RBGeo, RBCustom}) R->OnClick = [this](TObject* S) { RadioGroup1Click(S); };
  RBInteger->OnClick = [this](TObject* S) { RBIntegerClick(S); };
  CBPercent->OnClick = [this](TObject* S) { CBPercentClick(S); };
  CBThousands->OnClick = [this](TObject* S) { CBThousandsClick(S); };
  CBCurrency->OnClick = [this](TObject* S) { CBThousandsClick(S); };
  CBDate->OnChange = [this](TObject*) { FormatText = CBDate->GetText(); };
  CBGeo->OnChange = [this](TObject*) { FormatText = CBGeo->GetText(); };
  CBCustom->OnChange = [this](TObject*) { FormatText = CBCustom->GetText(); };
}

void TFormatEditor::ChooseList(TRadioButton* Radio, TComboBox* Combo) {
  Combo->SetEnabled(true);
  if (Combo->Items()->IndexOf(FormatText) < 0) Combo->Items()->Add(FormatText);
  Combo->SetText(FormatText);
  Combo->SetItemIndex(Combo->Items()->IndexOf(FormatText));
  if (Combo->CanFocus()) Combo->SetFocus();
  Radio->SetChecked(true);
}

void TFormatEditor::TakeNumberApart() {
  const TFormatSettings& FS = ::FormatSettings;
  std::string S = FormatText;
  const std::string Full = S;
  CBPercent->SetChecked(S.find('%') != std::string::npos);
  CBPercentClick(CBPercent);
  DeleteFirst(S, "%");
  CBCurrency->SetChecked(DeleteFirst(S, FormatSettings.CurrencyString));
  CBThousands->SetChecked(DeleteFirst(S, std::string(1, FS.ThousandSeparator)));
  const size_t Dec = S.find(FS.DecimalSeparator);
  if (Dec != std::string::npos) {
    RBInteger->SetChecked(true);
    size_t End = Dec + 1;
    while (End < S.size() && (S[End] == '#' || S[End] == '0')) ++End;
    const int32_t Count = static_cast<int32_t>(End - Dec - 1);
    UpDown1->SetPosition(Count);
    CBFixedDecimals->SetChecked(Count > 0 && S[Dec + 1] == '0');
    S.erase(Dec, End - Dec);
  }
  if (S.find_first_not_of("#0") != std::string::npos) {
    FormatText = Full;
    ChooseList(RBCustom, CBCustom);
    return;
  }
  RBInteger->SetChecked(true);
  UpDown2->SetPosition(static_cast<int32_t>(std::count(S.begin(), S.end(), '0')));
}

void TFormatEditor::FormShow(TObject*) {
  CBCustom->Items()->Clear();
  for (const char* S : {"#.#", "0.0%"}) CBCustom->Items()->Add(S);
  CBGeo->Items()->Clear();
  for (const char* S : {"ddd\xC2\xB0 mm' ss\".zzz", "ddd mm' ss\".zzz", "ddd deg mm' ss\".zzz", "ddd mm ss.zzz",
                        "ddd mm ss", "ddd mm", "ddd\xC2\xB0", "ddd"})
    CBGeo->Items()->Add(S);
  Changing = true;
  struct TGuard {
    bool& F;
    ~TGuard() { F = false; }
  } Guard{Changing};
  if (DateChosen || CBDate->Items()->IndexOf(FormatText) >= 0) {
    ChooseList(RBDate, CBDate);
  } else if (GeoChosen || CBGeo->Items()->IndexOf(FormatText) >= 0) {
    ChooseList(RBGeo, CBGeo);
  } else {
    TakeNumberApart();
  }
  PlotProcs::TranslateControl(this);
}

void TFormatEditor::RadioGroup1Click(TObject*) {
  if (Changing) return;
  DateChosen = RBDate->GetChecked();
  GeoChosen = RBGeo->GetChecked();
  if (RBDate->GetChecked() || RBGeo->GetChecked() || RBCustom->GetChecked()) {
    const bool Was = Changing;
    Changing = true;
    RBInteger->SetChecked(false);
    Changing = Was;
  }
  CBDate->SetEnabled(RBDate->GetChecked());
  CBGeo->SetEnabled(RBGeo->GetChecked());
  CBCustom->SetEnabled(RBCustom->GetChecked());
  if (RBDate->GetChecked()) {
    if (CBDate->GetText().empty()) CBDate->SetText(::FormatSettings.ShortDateFormat);
    if (CBDate->CanFocus()) CBDate->SetFocus();
  } else if (RBGeo->GetChecked()) {
    if (CBGeo->GetText().empty() && CBGeo->Items()->Count() > 0) CBGeo->SetText(CBGeo->Items()->Strings(0));
    if (CBGeo->CanFocus()) CBGeo->SetFocus();
  } else {
    CBPercent->SetEnabled(!CBCustom->GetEnabled());
    if (CBCustom->GetEnabled() && CBCustom->CanFocus()) CBCustom->SetFocus();
  }
}

void TFormatEditor::RBIntegerClick(TObject* Sender) {
  if (RBInteger->GetChecked()) {
    const bool Was = Changing;
    Changing = true;
    for (TRadioButton* R : {RBDate, RBGeo, RBCustom}) R->SetChecked(false);
    Changing = Was;
  }
  RadioGroup1Click(Sender);
}

void TFormatEditor::CBPercentClick(TObject*) {
  const bool Percent = CBPercent->GetChecked();
  CBThousands->SetEnabled(!Percent);
  CBCurrency->SetEnabled(!Percent);
  if (Percent) {
    CBThousands->SetChecked(false);
    CBCurrency->SetChecked(false);
  }
}

void TFormatEditor::CBThousandsClick(TObject* Sender) { RadioGroup1Click(Sender); }

std::string TFormatEditor::BuildFormat() const {
  if (CBCustom->GetEnabled()) return CBCustom->GetText();
  if (RBInteger->GetChecked()) {
    const TFormatSettings& FS = ::FormatSettings;
    const std::string Sep(1, FS.ThousandSeparator);
    std::string S = CBCurrency->GetChecked() ? FormatSettings.CurrencyString : std::string();
    const int32_t F = UpDown2->GetPosition();
    const bool Thousands = CBThousands->GetChecked();
    if (F > 0) {
      if (!Thousands)
        S += std::string(static_cast<size_t>(F), '0');
      else if (F < 4)
        S += "#" + Sep + std::string(static_cast<size_t>(3 - F), '#') + std::string(static_cast<size_t>(F), '0');
      else
        S += std::string(static_cast<size_t>(F - 3), '0') + Sep + "000";
    } else {
      // The locale's separator, like every other place here: a literal comma
      // would turn into decimals once the format is read under a "," locale.
      S += Thousands ? "#" + Sep + "###" : "#";
    }
    const int32_t D = UpDown1->GetPosition();
    if (D > 0)
      S += std::string(1, FS.DecimalSeparator) +
           std::string(static_cast<size_t>(D), CBFixedDecimals->GetChecked() ? '0' : '#');
    if (CBPercent->GetChecked()) S += "%";
    return S;
  }
  if (RBDate->GetChecked()) return CBDate->GetText();
  if (RBGeo->GetChecked()) return CBGeo->GetText();
  return {};
}

namespace PlotFormatting {

std::string EditValueFormat(TComponent* Owner, const std::string& Format, bool ShowDateTime) {
  auto* D = Create<TFormatEditor>(Owner);
  D->FormatText = Format;
  D->RBDate->SetVisible(ShowDateTime);
  D->CBDate->SetVisible(ShowDateTime);
  std::string Result = Format;
  if (D->ShowModal() == mrOk) Result = D->BuildFormat();
  D->Free();
  return Result;
}

}  // namespace PlotFormatting
