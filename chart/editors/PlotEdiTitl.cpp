// The chart editor's "Titles" page.
#include "chart/editors/PlotEdiTitl.h"

#include "chart/series/PlotCustomShapeEditor.h"
#include "chart/series/PlotPenDlg.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TFormPlotTitle, TForm) {}

TFormPlotTitle::TFormPlotTitle(TComponent* Owner, TChartTitle* Title, TCustomChart* Chart)
    : TForm(Owner), FChart(Chart), FTitle(Title) {
  SetName("FormPlotTitle");
  SetClientWidth(425);
  SetClientHeight(260);
  Position = TPosition::poScreenCenter;
  Panel1 = PlaceControl<TPanel>(this, "Panel1", 0, 0, 425, 33);
  Panel1->SetAlign(TAlign::alTop);
  Panel1->SetCaption("");
  CBTitles = PlaceControl<TComboFlat>(this, Panel1, "CBTitles", 8, 6, 145, 21);
  CBTitles->Style = TComboBoxStyle::csDropDownList;
  for (const char* S : {"Title", "SubTitle", "SubFoot", "Foot"}) CBTitles->Items()->Add(S);
  PageControlTitle = PlaceControl<TPageControl>(this, "PageControlTitle", 0, 33, 425, 227);
  PageControlTitle->SetAlign(TAlign::alClient);
  auto AddTab = [this](const char* Name, const char* Caption) {
    auto* T = Create<TTabSheet>(this);
    T->SetName(Name);
    T->SetCaption(Caption);
    T->SetPageControl(PageControlTitle);
    return T;
  };
  TabSheet1 = AddTab("TabSheet1", "Style");
  TabSheet2 = AddTab("TabSheet2", "Position");

  // ---- Style ----
  Panel2 = PlaceControl<TPanel>(this, TabSheet1, "Panel2", 0, 0, 417, 33);
  Panel2->SetAlign(TAlign::alTop);
  Panel2->SetCaption("");
  LText = PlaceControl<TLabel>(this, Panel2, "LText", 4, 10, 30, 13);
  LText->SetCaption("&Text:");
  CBVisible = PlaceControl<TCheckBox>(this, Panel2, "CBVisible", 40, 8, 70, 17);
  CBVisible->SetCaption("&Visible");
  CBAdjust = PlaceControl<TCheckBox>(this, Panel2, "CBAdjust", 112, 8, 100, 17);
  CBAdjust->SetCaption("&Adjust Frame");
  LAlign = PlaceControl<TLabel>(this, Panel2, "LAlign", 220, 10, 60, 13);
  LAlign->SetCaption("Alig&nment:");
  CBAlign = PlaceControl<TComboFlat>(this, Panel2, "CBAlign", 284, 6, 80, 21);
  CBAlign->Style = TComboBoxStyle::csDropDownList;
  for (const char* S : {"Left", "Center", "Right"}) CBAlign->Items()->Add(S);
  LAlign->FocusControl = CBAlign;
  MText = PlaceControl<TMemo>(this, TabSheet1, "MText", 0, 33, 417, 166);
  MText->SetAlign(TAlign::alClient);
  MText->ScrollBars = TScrollStyle::ssBoth;
  MText->WordWrap = false;
  LText->FocusControl = MText;

  // ---- Position ----
  CBCustPos = PlaceControl<TCheckBox>(this, TabSheet2, "CBCustPos", 8, 8, 100, 17);
  CBCustPos->SetCaption("&Custom:");
  auto Row = [this](const char* Caption, const char* EditName, const char* UpName, int Top, TLabel*& L, TEdit*& E,
                    TUpDown*& U) {
    L = PlaceControl<TLabel>(this, TabSheet2, "", 24, Top + 4, 36, 13);
    L->SetCaption(Caption);
    E = PlaceControl<TEdit>(this, TabSheet2, EditName, 64, Top, 50, 21);
    U = PlaceControl<TUpDown>(this, TabSheet2, UpName, 114, Top, 15, 21);
    U->SetMin(-1000);
    U->SetMax(1000);
    U->SetIncrement(5);
    U->SetAssociate(E);
    L->FocusControl = E;
    E->SetEnabled(false);
    U->SetEnabled(false);
  };
  Row("L&eft:", "ECustLeft", "UDLeft", 32, LLeft, ECustLeft, UDLeft);
  Row("T&op:", "ECustTop", "UDTop", 60, LTop, ECustTop, UDTop);

  // The title's shape pages follow the two tabs.
  FShapeEditor = PlotCustomShapeEditor::InsertShapeEditorPages(PageControlTitle, FTitle);
  PageControlTitle->SetActivePage(TabSheet1);
  // Embedded in the chart editor's tab: no border.
  SetBorderStyle(TFormBorderStyle::bsNone);

  // ---- handlers ----
  CBTitles->OnChange = [this](TObject* S) { CBTitlesChange(S); };
  CBVisible->OnClick = [this](TObject*) {
    if (FTitle && !FCreating) FTitle->SetVisible(CBVisible->GetChecked());
  };
  CBAdjust->OnClick = [this](TObject*) {
    if (FTitle && !FCreating) FTitle->SetAdjustFrame(CBAdjust->GetChecked());
  };
  CBAlign->OnChange = [this](TObject*) {
    static const TAlignment Aligns[] = {TAlignment::taLeftJustify, TAlignment::taCenter, TAlignment::taRightJustify};
    const int I = CBAlign->GetItemIndex();
    if (FTitle && !FCreating && I >= 0 && I < 3) FTitle->SetAlignment(Aligns[I]);
  };
  MText->OnChange = [this](TObject*) {
    if (!FTitle || FAssigningText || FCreating) return;
    if (!FTitle->Text()->Equals(MText->Lines())) FTitle->SetText(MText->Lines());
  };
  CBCustPos->OnClick = [this](TObject*) {
    if (!FTitle || FCreating) return;
    FTitle->SetCustomPosition(CBCustPos->GetChecked());
    EnableCustomPosition();
  };
  ECustLeft->OnChange = [this](TObject*) {
    if (FTitle && !FCreating && FTitle->GetCustomPosition() && FTitle->GetLeft() != UDLeft->GetPosition())
      FTitle->SetLeft(UDLeft->GetPosition());
  };
  ECustTop->OnChange = [this](TObject*) {
    if (FTitle && !FCreating && FTitle->GetCustomPosition() && FTitle->GetTop() != UDTop->GetPosition())
      FTitle->SetTop(UDTop->GetPosition());
  };
  OnShow = [this](TObject* S) { FormShow(S); };
}

void TFormPlotTitle::FormShow(TObject*) {
  if (FTitle) {
    int Index = 3;
    if (FChart) {
      if (FTitle == FChart->Title())
        Index = 0;
      else if (FTitle == FChart->SubTitle())
        Index = 1;
      else if (FTitle == FChart->SubFoot())
        Index = 2;
    }
    FCreating = true;
    CBTitles->SetItemIndex(Index);
    RefreshTitle();
  }
  FCreating = false;
}

void TFormPlotTitle::CBTitlesChange(TObject*) {
  if (!FChart) return;
  switch (CBTitles->GetItemIndex()) {
    case 0: FTitle = FChart->Title(); break;
    case 1: FTitle = FChart->SubTitle(); break;
    case 2: FTitle = FChart->SubFoot(); break;
    case 3: FTitle = FChart->Foot(); break;
    default: return;
  }
  RefreshTitle();
}

void TFormPlotTitle::RefreshTitle() {
  if (!FTitle) return;
  const bool Was = FCreating;
  FCreating = true;
  switch (FTitle->GetAlignment()) {
    case TAlignment::taLeftJustify: CBAlign->SetItemIndex(0); break;
    case TAlignment::taRightJustify: CBAlign->SetItemIndex(2); break;
    default: CBAlign->SetItemIndex(1); break;
  }
  CBVisible->SetChecked(FTitle->GetVisible());
  CBAdjust->SetChecked(FTitle->GetAdjustFrame());
  CBCustPos->SetChecked(FTitle->GetCustomPosition());
  UDLeft->SetPosition(FTitle->GetLeft());
  UDTop->SetPosition(FTitle->GetTop());
  EnableCustomPosition();
  FAssigningText = true;
  MText->Lines()->Assign(FTitle->Text());
  FAssigningText = false;
  FCreating = Was;
  if (FShapeEditor) FShapeEditor->SetEditedShape(FTitle);
}

void TFormPlotTitle::EnableCustomPosition() {
  const bool Custom = FTitle && FTitle->GetCustomPosition();
  for (TControl* C : std::initializer_list<TControl*>{ECustLeft, ECustTop, UDLeft, UDTop}) C->SetEnabled(Custom);
  if (Custom) {
    const bool Was = FCreating;
    FCreating = true;  // showing the position writes nothing back
    UDLeft->SetPosition(FTitle->GetLeft());
    UDTop->SetPosition(FTitle->GetTop());
    FCreating = Was;
  }
}
