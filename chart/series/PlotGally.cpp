// The tabbed gallery dialog and the gallery entry points of the chart library.
#include "chart/series/PlotGally.h"
#include "chart/series/PlotPenDlg.h"

#include <algorithm>
#include <vector>

#include "chart/engine/GalleryHooks.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotFunci.h"
#include "chart/series/PlotGalleryAlternate.h"

namespace {
const char* const SeriesTab = "Series";
const char* const FunctionsTab = "Functions";

}  // namespace

KV_CLASS_IMPL(TPlotGallery, TForm) {}

TPlotGallery::TPlotGallery(TComponent* Owner) : TForm(Owner) {
  SetName("PlotGallery");
  SetCaption("Chart Gallery");
  Position = TPosition::poScreenCenter;
  SetClientWidth(417);
  SetClientHeight(355);
  P1 = PlotPenDlg::PlaceControl<TPanel>(this, this, "P1", 0, 309, 417, 46);
  P1->SetAlign(TAlign::alBottom);
  P1->SetCaption("");
  CB3D = PlotPenDlg::PlaceControl<TCheckBox>(this, P1, "CB3D", 8, 14, 50, 17);
  CB3D->SetCaption("&3D");
  CB3D->SetChecked(true);
  CBSmooth = PlotPenDlg::PlaceControl<TCheckBox>(this, P1, "CBSmooth", 64, 14, 80, 17);
  CBSmooth->SetCaption("&Smooth");
  BOk = PlotPenDlg::PlaceControl<TButton>(this, P1, "BOk", 250, 10, 75, 25);
  BOk->SetCaption("OK");
  BOk->Default = true;
  BOk->ModalResult = mrOk;
  BCancel = PlotPenDlg::PlaceControl<TButton>(this, P1, "BCancel", 334, 10, 75, 25);
  BCancel->SetCaption("Cancel");
  BCancel->Cancel = true;
  BCancel->ModalResult = mrCancel;
  TabTypes = PlotPenDlg::PlaceControl<TTabControl>(this, this, "TabTypes", 0, 0, 417, 309);
  TabTypes->SetAlign(TAlign::alClient);
  TabTypes->HotTrack = true;
  TabTypes->Tabs()->Add(SeriesTab);
  TabTypes->Tabs()->Add(FunctionsTab);
  TabPages = PlotPenDlg::PlaceControl<TTabControl>(this, TabTypes, "TabPages", 0, 0, 400, 280);
  TabPages->SetAlign(TAlign::alClient);
  TabPages->HotTrack = true;
  ChartGalleryPanel1 = Create<TChartGalleryPanel>(this);
  ChartGalleryPanel1->SetName("ChartGalleryPanel1");
  ChartGalleryPanel1->SetParent(TabPages);
  ChartGalleryPanel1->BevelOuter = TPanelBevel::bvNone;
  ChartGalleryPanel1->SetAlign(TAlign::alClient);
  ChartGalleryPanel1->SetBounds(0, 0, 396, 256);
  SetActiveControl(BOk);

  OnShow = [this](TObject* S) { FormShow(S); };
  TabTypes->OnChange = [this](TObject* S) { TabTypesChange(S); };
  TabPages->OnChange = [this](TObject* S) { TabPagesChange(S); };
  CB3D->OnClick = [this](TObject*) { ChartGalleryPanel1->SetView3D(CB3D->GetChecked()); };
  CBSmooth->OnClick = [this](TObject*) {
    ChartGalleryPanel1->SetSmooth(CBSmooth->GetChecked());
    PlotProcs::WriteEditorBool("SmoothGallery", CBSmooth->GetChecked());
  };
  ChartGalleryPanel1->OnSelectedChart = [this](TObject*) { SetModalResult(mrOk); };
}

void TPlotGallery::HideFunctions() {
  const int32_t I = TabTypes->Tabs()->IndexOf(FunctionsTab);
  if (I >= 0) TabTypes->Tabs()->Delete(I);
  ChartGalleryPanel1->FunctionsMode = false;
}

void TPlotGallery::FormShow(TObject*) {
  CBSmooth->SetChecked(ChartGalleryPanel1->GetSmooth());
  TabTypes->SetTabIndex(0);
  TabTypesChange(TabTypes);
  PlotProcs::TranslateControl(this);
}

void TPlotGallery::TabTypesChange(TObject*) {
  const int32_t T = TabTypes->GetTabIndex();
  const bool Functions = T >= 0 && TabTypes->Tabs()->Strings(T) == FunctionsTab;
  std::vector<std::string> Pages;
  TPlotSeriesTypes& Types = Chart::SeriesTypes();
  for (int32_t i = 0; i < Types.Count(); ++i) {
    const TPlotSeriesType* Type = Types.TypeAt(i);
    if (Type->SampleSeriesCount < 1 || !Type->PageName || (Type->FunctionClassRef != nullptr) != Functions) continue;
    if (std::find(Pages.begin(), Pages.end(), *Type->PageName) == Pages.end()) Pages.push_back(*Type->PageName);
  }
  const auto Standard = std::find(Pages.begin(), Pages.end(), std::string("Standard"));
  if (Standard != Pages.end() && Standard != Pages.begin()) std::iter_swap(Pages.begin(), Standard);
  TabPages->Tabs()->Clear();
  for (const std::string& P : Pages) TabPages->Tabs()->Add(P);
  TabPages->SetTabIndex(Pages.empty() ? -1 : 0);
  TabPagesChange(TabPages);
}

void TPlotGallery::TabPagesChange(TObject*) {
  const int32_t T = TabTypes->GetTabIndex();
  ChartGalleryPanel1->FunctionsMode = T >= 0 && TabTypes->Tabs()->Strings(T) == FunctionsTab;
  ChartGalleryPanel1->SetView3D(CB3D->GetChecked());
  const int32_t P = TabPages->GetTabIndex();
  if (P < 0)
    ChartGalleryPanel1->Charts().Clear();
  else
    ChartGalleryPanel1->CreateChartsForPage(TabPages->Tabs()->Strings(P));
}

namespace PlotGally {

namespace {
bool ShowPlotGallery(TComponent* Owner, TChartSeries* Existing, bool ShowFunctions, int32_t& SubIndex,
                     bool CheckCompatibility, TClass& FunctionClass, bool& View3D, TClass& SeriesClass) {
  auto* D = Create<TPlotGallery>(Owner);
  D->Position = Owner ? TPosition::poOwnerFormCenter : TPosition::poScreenCenter;
  D->CB3D->SetChecked(View3D);
  D->ChartGalleryPanel1->ReferenceSeries = Existing;
  if (!ShowFunctions) D->HideFunctions();
  D->ChartGalleryPanel1->CheckCompatibility = CheckCompatibility;
  bool Ok = D->ShowModal() == mrOk;
  if (Ok) {
    Ok = D->ChartGalleryPanel1->GetSelectedType(SeriesClass, FunctionClass, SubIndex) && SeriesClass;
    if (Ok) View3D = D->CB3D->GetChecked() && D->ChartGalleryPanel1->GetSelectedChart()->GetView3D();
  }
  D->Free();
  return Ok;
}
}  // namespace

bool GallerySelect(TComponent* Owner, TChartSeries* Existing, bool ShowFunctions, int32_t& SubIndex,
                   bool CheckCompatibility, TClass& FunctionClass, bool& View3D, TClass& SeriesClass) {
  if (PlotProcs::ReadEditorInteger("GalleryMode", 0) != 0)
    return PlotGalleryAlternate::ShowGalleryForm(Owner, Existing, SubIndex, CheckCompatibility, FunctionClass, View3D,
                                                 SeriesClass);
  return ShowPlotGallery(Owner, Existing, ShowFunctions, SubIndex, CheckCompatibility, FunctionClass, View3D,
                         SeriesClass);
}

TChartSeries* SeriesFromGallery(TComponent* Owner, TChartSeries* Existing, TCustomAxisPanel* Chart,
                                int32_t& SubIndex, bool CheckCompatibility, bool NewSeries) {
  if (!Chart) return nullptr;
  bool View3D = Chart->GetView3D();
  TClass SeriesClass = nullptr, FunctionClass = nullptr;
  if (!GallerySelect(Owner, Existing, NewSeries, SubIndex, CheckCompatibility, FunctionClass, View3D, SeriesClass))
    return nullptr;
  Chart->SetView3D(View3D);
  if (!NewSeries && Existing && SeriesClass == Existing->ClassType() && SubIndex == -1) return nullptr;
  TComponent* SeriesOwner = Existing ? Existing->Owner() : Chart->Owner();
  TChartSeries* Made = Chart::MakeSeries(SeriesOwner, Chart, SeriesClass, FunctionClass);
  if (SubIndex != -1) Made->ApplyGalleryVariant(Made, SubIndex);
  return Made;
}

void ChangeSeriesTypeGallery(TComponent* Owner, TChartSeries*& Series) {
  if (!Series) return;
  auto* Chart = dynamic_cast<TCustomAxisPanel*>(Series->GetParentChart());
  int32_t SubIndex = 0;
  TChartSeries* Made = SeriesFromGallery(Owner, Series, Chart, SubIndex, true, false);
  if (!Made) return;
  TChartSeries* Old = Series;
  Chart::SwapInSeries(Old, Made);
  Series = Made;
  if (SubIndex != -1) Made->ApplyGalleryVariant(Made, SubIndex);
}

namespace {
int Installed = 0;
}

void Initialization() {
  if (Installed++ > 0) return;
  PlotFunci::Initialization();
  Chart::NewSeriesFromGalleryHook = [](TComponent* Owner, TCustomAxisPanel* Chart,
                                       TChartSeries* Existing) -> TChartSeries* {
    int32_t SubIndex = 0;
    return Chart ? SeriesFromGallery(Owner, Existing, Chart, SubIndex, false, true) : nullptr;
  };
  Chart::ChangeSeriesTypeHook = [](TComponent* Owner, TChartSeries*& Series) -> TClass {
    TChartSeries* Before = Series;
    ChangeSeriesTypeGallery(Owner, Series);
    return Series != Before && Series ? Series->ClassType() : nullptr;
  };
}

void Finalization() {
  if (Installed == 0 || --Installed > 0) return;
  Chart::NewSeriesFromGalleryHook = nullptr;
  Chart::ChangeSeriesTypeHook = nullptr;
}

}  // namespace PlotGally
