// The chart editor's "General" page and the chart page navigator.
#include "chart/editors/PlotEdiGene.h"

#include "chart/editors/EditorRows.h"

#include <algorithm>

#include "chart/series/PlotBrushDlg.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Dialogs.h"

using PlotPenDlg::PlaceControl;

// ---- page navigator ----------------------------------------------------------

KV_CLASS_IMPL(TChartPageNavigator, TCustomPlotNavigator) {}

TChartPageNavigator::TChartPageNavigator(TComponent* Owner) : TCustomPlotNavigator(Owner) {}

void TChartPageNavigator::Init() {
  TCustomPlotNavigator::Init();
  for (TPlotNavigateBtn B : {nbInsert, nbDelete, nbEdit, nbPost, nbCancel}) SetButtonVisible(B, false);
  EnableButtons();
}

void TChartPageNavigator::SetChart(TCustomPlotPanel* Chart) { SetPanel(dynamic_cast<TCustomAxisPanel*>(Chart)); }

void TChartPageNavigator::ChartEvent(TPlotEvent& Event) {
  if (dynamic_cast<TChartChangePage*>(&Event)) {
    EnableButtons();
  } else if (auto* S = dynamic_cast<TPlotSeriesEvent*>(&Event); S && S->Event == 6) {
    EnableButtons();
  }
}

int32_t TChartPageNavigator::PageCount() {
  TCustomAxisPanel* C = Panel();
  return C ? C->NumPages() : 1;
}

void TChartPageNavigator::EnableButtons() {
  if (!Button(nbFirst)) return;
  TCustomAxisPanel* C = Panel();
  const bool On = GetEnabled() && C;
  const int32_t Page = C ? C->GetPage() : 1, Count = PageCount();
  Button(nbFirst)->SetEnabled(On && Page > 1);
  Button(nbPrior)->SetEnabled(On && Page > 1);
  Button(nbNext)->SetEnabled(On && Page < Count);
  Button(nbLast)->SetEnabled(On && Page < Count);
}

void TChartPageNavigator::BtnClick(TPlotNavigateBtn Index) {
  if (TCustomAxisPanel* C = Panel()) {
    const int32_t Page = C->GetPage(), Count = PageCount();
    switch (Index) {
      case nbFirst:
        if (Page > 1) C->SetPage(1);
        break;
      case nbPrior:
        if (Page > 1) C->SetPage(Page - 1);
        break;
      case nbNext:
        if (Page < Count) C->SetPage(Page + 1);
        break;
      case nbLast:
        if (Page < Count) C->SetPage(Count);
        break;
      default: break;
    }
  }
  TCustomPlotNavigator::BtnClick(Index);
}

void TChartPageNavigator::Print() {
  TCustomAxisPanel* C = Panel();
  if (!C) return;
  const int32_t Count = PageCount();
  if (Count < 2) {
    C->PrintPages(1, 1);
    return;
  }
  TOwned<TPrintDialog> Dialog(Create<TPrintDialog>(this));
  Dialog->PageNumbers = true;
  Dialog->FromPage = 1;
  Dialog->MinPage = 1;
  Dialog->ToPage = Count;
  Dialog->MaxPage = Count;
  if (!Dialog->Execute()) return;
  int32_t From = 1, To = Count;
  if (!Dialog->AllPages) {
    // A range outside the chart's pages is brought inside them.
    From = std::clamp(Dialog->FromPage, 1, Count);
    To = std::clamp(Dialog->ToPage, From, Count);
  }
  C->PrintPages(From, To);
}

KV_CLASS_IMPL(TPreviewPageNavigator, TChartPageNavigatorBase) {}

TPreviewPageNavigator::TPreviewPageNavigator(TComponent* Owner) : TChartPageNavigatorBase(Owner) {
  SetHeight(25);
  Navigator = Create<TChartPageNavigator>(this);
  Navigator->SetName("PageNavigator");
  Navigator->SetParent(this);
  Navigator->SetAlign(TAlign::alClient);
  Navigator->OnButtonClicked = [this](TObject*, TPlotNavigateBtn) {
    if (OnPageChanged) OnPageChanged(this);
  };
}

namespace PlotEdiGene {

void ChartPreview(TComponent* Owner, TCustomPlotPanel* Chart) {
  if (!Chart) return;
  struct TRepaintAfter {
    TCustomPlotPanel* C;
    ~TRepaintAfter() { C->Invalidate(); }
  } Repaint{Chart};
  TOwned<TChartPreview> Dialog(Create<TChartPreview>(Owner));
  Dialog->PageNavigatorClass = [](TComponent* O) -> TChartPageNavigatorBase* {
    return Create<TPreviewPageNavigator>(O);
  };
  Dialog->PlotPreviewPanel1->Panels().Clear();
  Dialog->PlotPreviewPanel1->SetPanel(Chart);
  Dialog->ShowModal();
}

}  // namespace PlotEdiGene

// ---- general page -----------------------------------------------------------

KV_CLASS_IMPL(TFormPlotGeneral, TForm) {}

namespace {

using EditorRows::AddTab;

TLabel* Caption(TForm* Form, TWinControl* Parent, const char* Text, int Left, int Top, int Width) {
  auto* L = PlaceControl<TLabel>(Form, Parent, "", Left, Top, Width, 13);
  L->SetCaption(Text);
  return L;
}

void SpinPair(TForm* Form, TWinControl* Parent, const char* EditName, const char* UpDownName, int Left, int Top,
              int Min, int Max, int Increment, int Position, TEdit*& E, TUpDown*& U) {
  E = PlaceControl<TEdit>(Form, Parent, EditName, Left, Top, 40, 21);
  U = PlaceControl<TUpDown>(Form, Parent, UpDownName, Left + 40, Top, 15, 21);
  U->SetMin(Min);
  U->SetMax(Max);
  U->SetIncrement(Increment);
  U->SetAssociate(E);
  U->SetPosition(Position);
}

TComboBox* ListCombo(TForm* Form, TWinControl* Parent, const char* Name, int Left, int Top, int Width,
                     std::initializer_list<const char*> Items) {
  auto* C = PlaceControl<TComboBox>(Form, Parent, Name, Left, Top, Width, 21);
  C->Style = TComboBoxStyle::csDropDownList;
  for (const char* S : Items) C->Items()->Add(S);
  return C;
}

const TMouseButton MouseButtons[] = {TMouseButton::mbLeft, TMouseButton::mbRight, TMouseButton::mbMiddle};

int MouseIndex(TMouseButton B) {
  for (int i = 0; i < 3; ++i)
    if (MouseButtons[i] == B) return i;
  return -1;
}

TMouseButton MouseAt(int Index) { return Index >= 0 && Index < 3 ? MouseButtons[Index] : TMouseButton::mbLeft; }

}  // namespace

TFormPlotGeneral::TFormPlotGeneral(TComponent* Owner, TCustomAxisPanel* Chart) : TForm(Owner), FChart(Chart) {
  SetName("FormPlotGeneral");
  SetClientWidth(372);
  SetClientHeight(232);
  Panel1 = PlaceControl<TPanel>(this, "Panel1", 0, 0, 150, 232);
  Panel1->SetAlign(TAlign::alLeft);
  Panel1->SetCaption("");
  Panel1->BevelOuter = TPanelBevel::bvNone;
  LCursor = Caption(this, Panel1, "&Cursor:", 8, 10, 40);
  CBCursor = PlaceControl<TComboBox>(this, Panel1, "CBCursor", 52, 6, 92, 21);
  CBCursor->Style = TComboBoxStyle::csDropDownList;
  CBCursor->Items()->SetSorted(true);
  LCursor->FocusControl = CBCursor;
  BPrint = PlaceControl<TButton>(this, Panel1, "BPrint", 8, 34, 110, 25);
  BPrint->SetCaption("Print &Preview...");
  GBMargins = PlaceControl<TGroupBox>(this, Panel1, "GBMargins", 4, 64, 142, 136);
  GBMargins->SetCaption("Margins (%)");
  SpinPair(this, GBMargins, "SETopMa", "UDTopMa", 48, 16, 0, 100, 5, 3, SETopMa, UDTopMa);
  SpinPair(this, GBMargins, "SELeftMa", "UDLeftMa", 8, 44, 0, 100, 5, 3, SELeftMa, UDLeftMa);
  SpinPair(this, GBMargins, "SERightMa", "UDRightMa", 80, 44, 0, 100, 5, 3, SERightMa, UDRightMa);
  SpinPair(this, GBMargins, "SEBotMa", "UDBotMa", 48, 72, 0, 100, 5, 3, SEBotMa, UDBotMa);
  LUnits = Caption(this, GBMargins, "&Units:", 8, 108, 36);
  CBMarUnits = ListCombo(this, GBMargins, "CBMarUnits", 48, 104, 84, {"Percent", "Pixels"});
  LUnits->FocusControl = CBMarUnits;

  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", 150, 0, 222, 232);
  PageControl1->SetAlign(TAlign::alClient);
  TabSheet1 = AddTab(this, PageControl1, "TabSheet1", "Zoom");
  TabSheet2 = AddTab(this, PageControl1, "TabSheet2", "Scroll");
  CBAllowZoom = PlaceControl<TCheckBox>(this, TabSheet1, "CBAllowZoom", 8, 8, 90, 17);
  CBAllowZoom->SetCaption("&Allow");
  CBAnimatedZoom = PlaceControl<TCheckBox>(this, TabSheet1, "CBAnimatedZoom", 8, 30, 90, 17);
  CBAnimatedZoom->SetCaption("An&imated");
  LSteps = Caption(this, TabSheet1, "&Steps:", 104, 32, 40);
  SpinPair(this, TabSheet1, "SEAniZoomSteps", "UDAniZoomSteps", 148, 28, 0, 100, 1, 8, SEAniZoomSteps,
           UDAniZoomSteps);
  LSteps->FocusControl = SEAniZoomSteps;
  BZoomPen = PlaceControl<TButtonPen>(this, TabSheet1, "BZoomPen", 8, 56, 90, 25);
  BZoomPen->SetCaption("P&en...");
  BZoomColor = PlaceControl<TButton>(this, TabSheet1, "BZoomColor", 104, 56, 90, 25);
  BZoomColor->SetCaption("P&attern...");
  LMinPix = Caption(this, TabSheet1, "&Minimum pixels:", 8, 92, 90);
  SpinPair(this, TabSheet1, "EMinPix", "UDMinPix", 104, 88, 0, 100, 1, 16, EMinPix, UDMinPix);
  LMinPix->FocusControl = EMinPix;
  LDir = Caption(this, TabSheet1, "&Direction:", 8, 120, 90);
  CBDir = ListCombo(this, TabSheet1, "CBDir", 104, 116, 90, {"Horizontal", "Vertical", "Both"});
  LDir->FocusControl = CBDir;
  LZoomMouse = Caption(this, TabSheet1, "M&ouse Button:", 8, 148, 90);
  CBZoomMouse = ListCombo(this, TabSheet1, "CBZoomMouse", 104, 144, 90, {"Left", "Right", "Middle"});
  LZoomMouse->FocusControl = CBZoomMouse;
  CBUpLeft = PlaceControl<TCheckBox>(this, TabSheet1, "CBUpLeft", 8, 174, 180, 17);
  CBUpLeft->SetCaption("Zoom on &Up Left drag");
  RGPanning = PlaceControl<TRadioGroup>(this, TabSheet2, "RGPanning", 8, 8, 130, 110);
  RGPanning->SetCaption("Allow Scroll:");
  for (const char* S : {"&None", "&Horizontal", "&Vertical", "&Both"}) RGPanning->Items()->Add(S);
  LScrollMouse = Caption(this, TabSheet2, "&Mouse Button:", 8, 130, 90);
  CBScrollMouse = ListCombo(this, TabSheet2, "CBScrollMouse", 100, 126, 90, {"Left", "Right", "Middle"});
  LScrollMouse->FocusControl = CBScrollMouse;
  PageControl1->SetActivePage(TabSheet1);
  SetAlign(TAlign::alClient);

  // ---- handlers ----
  auto Chart_ = [this] { return FChart.Get(); };
  CBAllowZoom->OnClick = [this, Chart_](TObject*) {
    if (TCustomAxisPanel* C = Chart_()) C->Zoom().Allow = CBAllowZoom->GetChecked();
    EnableZoomControls();
  };
  CBAnimatedZoom->OnClick = [this, Chart_](TObject*) {
    if (TCustomAxisPanel* C = Chart_()) C->Zoom().Animated = CBAnimatedZoom->GetChecked();
  };
  SEAniZoomSteps->OnChange = [this, Chart_](TObject*) {
    if (FShowing && Chart_()) Chart_()->Zoom().AnimatedSteps = UDAniZoomSteps->GetPosition();
  };
  EMinPix->OnChange = [this, Chart_](TObject*) {
    if (FShowing && Chart_()) Chart_()->Zoom().MinimumPixels = UDMinPix->GetPosition();
  };
  BZoomColor->OnClick = [this, Chart_](TObject*) {
    if (TCustomAxisPanel* C = Chart_()) PlotBrushDlg::EditBrushModal(this, C->Zoom().GetBrush());
  };
  CBDir->OnChange = [this, Chart_](TObject*) {
    const int I = CBDir->GetItemIndex();
    if (TCustomAxisPanel* C = Chart_(); C && I >= 0) C->Zoom().Direction = static_cast<TPlotZoomDirection>(I);
  };
  CBZoomMouse->OnChange = [this, Chart_](TObject*) {
    if (TCustomAxisPanel* C = Chart_(); C && CBZoomMouse->GetItemIndex() >= 0)
      C->Zoom().MouseButton = MouseAt(CBZoomMouse->GetItemIndex());
  };
  CBUpLeft->OnClick = [this, Chart_](TObject*) {
    if (TCustomAxisPanel* C = Chart_()) C->Zoom().UpLeftZooms = CBUpLeft->GetChecked();
  };
  RGPanning->OnClick = [this, Chart_](TObject*) {
    const int I = RGPanning->GetItemIndex();
    if (TCustomAxisPanel* C = Chart_(); C && I >= 0) C->AllowPanning = static_cast<TPanningMode>(I);
    CBScrollMouse->SetEnabled(I > 0);
  };
  CBScrollMouse->OnChange = [this, Chart_](TObject*) {
    if (auto* C = dynamic_cast<TCustomChart*>(Chart_()); C && CBScrollMouse->GetItemIndex() >= 0)
      C->SetScrollMouseButton(MouseAt(CBScrollMouse->GetItemIndex()));
  };
  CBMarUnits->OnChange = [this, Chart_](TObject*) {
    const int I = CBMarUnits->GetItemIndex();
    if (TCustomAxisPanel* C = Chart_(); C && I >= 0) C->SetMarginUnits(I == 0 ? muPercent : muPixels);
    SetMarginRanges();
  };
  for (int32_t i = 0; i < 4; ++i) MarginUpDown(i)->GetAssociate()->OnChange = [this, i](TObject*) { MarginChanged(i); };
  CBCursor->OnChange = [this, Chart_](TObject*) {
    TCustomAxisPanel* C = Chart_();
    if (!C || CBCursor->GetItemIndex() < 0) return;
    C->SetOriginalCursor(PlotPenDlg::CursorFromName(C->GetChartCursor(), CBCursor->GetText()));
  };
  BPrint->OnClick = [Chart_](TObject*) {
    if (TCustomAxisPanel* C = Chart_()) PlotEdiGene::ChartPreview(nullptr, C);
  };
  OnShow = [this](TObject* S) { FormShow(S); };
}

TUpDown* TFormPlotGeneral::MarginUpDown(int32_t Index) const {
  switch (Index) {
    case 0: return UDLeftMa;
    case 1: return UDTopMa;
    case 2: return UDRightMa;
    default: return UDBotMa;
  }
}

void TFormPlotGeneral::FormShow(TObject*) {
  TCustomAxisPanel* C = FChart.Get();
  if (!C) return;
  FShowing = false;
  RGPanning->SetItemIndex(static_cast<int>(C->AllowPanning));
  CBMarUnits->SetItemIndex(C->GetMarginUnits() == muPercent ? 0 : 1);
  SetMarginRanges();
  for (int32_t i = 0; i < 4; ++i) MarginUpDown(i)->SetPosition(C->GetMargin(i));
  TPlotZoom& Z = C->Zoom();
  CBAllowZoom->SetChecked(Z.Allow);
  CBAnimatedZoom->SetChecked(Z.Animated);
  UDAniZoomSteps->SetPosition(Z.AnimatedSteps);
  UDMinPix->SetPosition(Z.MinimumPixels);
  CBDir->SetItemIndex(static_cast<int>(Z.Direction));
  CBZoomMouse->SetItemIndex(MouseIndex(Z.MouseButton));
  CBUpLeft->SetChecked(Z.UpLeftZooms);
  BZoomPen->BindPen(Z.GetPen());
  EnableZoomControls();
  if (auto* Ch = dynamic_cast<TCustomChart*>(C)) CBScrollMouse->SetItemIndex(MouseIndex(Ch->GetScrollMouseButton()));
  CBScrollMouse->SetEnabled(C->AllowPanning != TPanningMode::pmNone);
  PlotPenDlg::FillCursorCombo(CBCursor, C->GetChartCursor());
  FShowing = true;
}

void TFormPlotGeneral::EnableZoomControls() {
  const bool On = CBAllowZoom->GetChecked();
  for (TControl* Control : std::initializer_list<TControl*>{CBAnimatedZoom, UDAniZoomSteps, SEAniZoomSteps, EMinPix,
                                                            UDMinPix, BZoomPen, BZoomColor, CBDir, CBZoomMouse,
                                                            CBUpLeft})
    Control->SetEnabled(On);
}

void TFormPlotGeneral::SetMarginRanges() {
  const bool Pixels = CBMarUnits->GetItemIndex() == 1;
  for (int32_t i = 0; i < 4; ++i) {
    TUpDown* U = MarginUpDown(i);
    U->SetMin(Pixels ? -2000 : 0);
    U->SetMax(Pixels ? 2000 : 100);
  }
}

void TFormPlotGeneral::MarginChanged(int32_t Index) {
  TCustomAxisPanel* C = FChart.Get();
  if (!FShowing || !C) return;
  TUpDown* U = MarginUpDown(Index);
  const int32_t Value = U->GetPosition();
  if (C->GetMarginUnits() == muPercent && Value + C->GetMargin((Index + 2) % 4) >= 100) {
    // Opposite margins of 100 % or more would leave no chart.
    FShowing = false;
    U->SetPosition(C->GetMargin(Index));
    FShowing = true;
    return;
  }
  C->SetMargin(Index, Value);
}
