// The chart editor's "Paging" page.
#include "chart/editors/PlotEdiPage.h"

#include "chart/engine/PlotProcs.h"
#include "platform/rtl/SysUtils.h"

using PlotPenDlg::PlaceControl;

namespace {
// The page-number tool's class, present once its unit has registered it.
TClass PageNumToolClass() { return ClassInfo::GetClass("TPageNumTool"); }
}  // namespace

KV_CLASS_IMPL(TFormPlotPage, TForm) {}

TFormPlotPage::TFormPlotPage(TComponent* Owner, TCustomAxisPanel* Chart) : TForm(Owner) {
  SetName("FormPlotPage");
  SetClientWidth(378);
  SetClientHeight(175);
  LPoints = PlaceControl<TLabel>(this, "", 8, 12, 100, 13);
  LPoints->SetCaption("P&oints per Page:");
  SEPointsPerPage = PlaceControl<TEdit>(this, "SEPointsPerPage", 112, 8, 56, 21);
  UDPointsPerPage = PlaceControl<TUpDown>(this, "UDPointsPerPage", 168, 8, 15, 21);
  UDPointsPerPage->SetMin(0);
  UDPointsPerPage->SetMax(32000);
  UDPointsPerPage->SetAssociate(SEPointsPerPage);
  LPoints->FocusControl = SEPointsPerPage;
  CBScaleLast = PlaceControl<TCheckBox>(this, "CBScaleLast", 8, 40, 160, 17);
  CBScaleLast->SetCaption("&Scale Last Page");
  CBPageLegend = PlaceControl<TCheckBox>(this, "CBPageLegend", 8, 62, 160, 17);
  CBPageLegend->SetCaption("&Current page Legend");
  LabelPages = PlaceControl<TLabel>(this, "LabelPages", 8, 92, 362, 13);
  LabelPages->Alignment = TAlignment::taCenter;
  ChartPageNavigator1 = PlaceControl<TChartPageNavigator>(this, "ChartPageNavigator1", 110, 110, 160, 25);
  ChartPageNavigator1->SetChart(Chart);
  CBPageNum = PlaceControl<TCheckBox>(this, "CBPageNum", 8, 146, 160, 17);
  CBPageNum->SetCaption("Show &Page Number");

  SEPointsPerPage->OnChange = [this](TObject*) {
    TCustomAxisPanel* C = TheChart();
    if (!FShowing || !C) return;
    C->SetMaxPointsPerPage(SysUtils::Trim(SEPointsPerPage->GetText()).empty() ? 0 : UDPointsPerPage->GetPosition());
    RefreshPageLabel();
  };
  CBScaleLast->OnClick = [this](TObject*) {
    if (FShowing && TheChart()) TheChart()->SetScaleLastPage(CBScaleLast->GetChecked());
  };
  CBPageLegend->OnClick = [this](TObject*) {
    if (auto* C = dynamic_cast<TCustomChart*>(TheChart()); FShowing && C)
      C->Legend()->SetCurrentPage(CBPageLegend->GetChecked());
  };
  CBPageNum->OnClick = [this](TObject*) {
    if (!FShowing) return;
    if (TPlotCustomTool* T = PageNumTool(true)) T->SetActive(CBPageNum->GetChecked());
  };
  ChartPageNavigator1->OnButtonClicked = [this](TObject*, TPlotNavigateBtn) { RefreshPageLabel(); };
  OnShow = [this](TObject* S) { FormShow(S); };
}

void TFormPlotPage::FormShow(TObject*) {
  TCustomAxisPanel* C = TheChart();
  FShowing = false;
  if (C) {
    UDPointsPerPage->SetPosition(C->GetMaxPointsPerPage());
    CBScaleLast->SetChecked(C->GetScaleLastPage());
    if (auto* Ch = dynamic_cast<TCustomChart*>(C)) CBPageLegend->SetChecked(Ch->Legend()->GetCurrentPage());
    RefreshPageLabel();
  }
  CBPageNum->SetVisible(PageNumToolClass() != nullptr);
  if (CBPageNum->GetVisible()) {
    TPlotCustomTool* T = PageNumTool(false);
    CBPageNum->SetChecked(T && T->GetActive());
  }
  ChartPageNavigator1->EnableButtons();
  FShowing = true;
}

void TFormPlotPage::RefreshPageLabel() {
  TCustomAxisPanel* C = TheChart();
  if (!C) return;
  LabelPages->SetCaption(SysUtils::Format("Page %d of %d", {C->GetPage(), C->NumPages()}));
}

TPlotCustomTool* TFormPlotPage::PageNumTool(bool Create) {
  TCustomAxisPanel* C = TheChart();
  TClass K = PageNumToolClass();
  if (!C || !K) return nullptr;
  TChartTools& Tools = C->GetTools();
  for (int32_t i = 0; i < Tools.Count(); ++i)
    if (Tools.ToolAt(i)->InheritsFrom(K)) return Tools.ToolAt(i);
  if (!Create) return nullptr;
  TComponent* Owner = C->Owner() ? C->Owner() : C;
  auto* T = dynamic_cast<TPlotCustomTool*>(K->CreateInstance(Owner));
  if (!T) return nullptr;
  T->SetName(PlotProcs::UniqueName(Owner, "ChartTool"));
  T->SetParentChart(C);
  return T;
}
