// The list gallery dialog.
#include "chart/series/PlotGalleryAlternate.h"

#include <algorithm>

#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotPenDlg.h"

namespace {
const char* const AllPages = "(all)";
}

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TPlotGalleryForm, TForm) {}

TPlotGalleryForm::TPlotGalleryForm(TComponent* Owner) : TForm(Owner) {
  SetName("PlotGalleryForm");
  SetCaption("Chart Type Gallery");
  KeyPreview = true;
  Position = TPosition::poScreenCenter;
  SetClientWidth(470);
  SetClientHeight(287);
  Panel1 = PlaceControl<TPanel>(this, "Panel1", 0, 0, 470, 31);
  Panel1->SetAlign(TAlign::alTop);
  Panel1->SetCaption("");
  Panel1->BevelOuter = TPanelBevel::bvNone;
  Label1 = PlaceControl<TLabel>(this, Panel1, "Label1", 8, 9, 40, 13);
  Label1->SetCaption("&Gallery:");
  CBPage = PlaceControl<TComboFlat>(this, Panel1, "CBPage", 56, 5, 140, 21);
  CBPage->Style = TComboBoxStyle::csDropDownList;
  CBPage->Items()->SetSorted(true);
  Label1->FocusControl = CBPage;
  CB3D = PlaceControl<TCheckBox>(this, Panel1, "CB3D", 212, 7, 50, 17);
  CB3D->SetCaption("&3D");
  CB3D->SetChecked(true);
  CBSmooth = PlaceControl<TCheckBox>(this, Panel1, "CBSmooth", 270, 7, 80, 17);
  CBSmooth->SetCaption("&Smooth");
  CBSmooth->SetChecked(true);
  PanelBottom = PlaceControl<TPanel>(this, "PanelBottom", 0, 251, 470, 36);
  PanelBottom->SetAlign(TAlign::alBottom);
  PanelBottom->SetCaption("");
  PanelBottom->BevelOuter = TPanelBevel::bvNone;
  Panel3 = PlaceControl<TPanel>(this, PanelBottom, "Panel3", 300, 0, 170, 36);
  Panel3->SetAlign(TAlign::alRight);
  Panel3->SetCaption("");
  Panel3->BevelOuter = TPanelBevel::bvNone;
  BOK = PlaceControl<TButton>(this, Panel3, "BOK", 8, 6, 75, 25);
  BOK->SetCaption("OK");
  BOK->Default = true;
  BOK->ModalResult = mrOk;
  BCancel = PlaceControl<TButton>(this, Panel3, "BCancel", 88, 6, 75, 25);
  BCancel->SetCaption("Cancel");
  BCancel->Cancel = true;
  BCancel->ModalResult = mrCancel;
  ChartListBox1 = PlaceControl<TChartListBox>(this, "ChartListBox1", 0, 31, 113, 220);
  ChartListBox1->SetAlign(TAlign::alLeft);
  ChartListBox1->ItemHeight = 24;
  ChartListBox1->AllowAddSeries = false;
  ChartListBox1->AllowDeleteSeries = false;
  ChartListBox1->EnableDragSeries = false;
  ChartListBox1->EnableChangeType = false;
  ChartListBox1->SetShowActiveCheck(false);
  ChartListBox1->SetShowSeriesColor(false);
  ChartListBox1->MultiSelect = false;
  Splitter1 = PlaceControl<TSplitter>(this, "Splitter1", 113, 31, 3, 220);
  Splitter1->SetAlign(TAlign::alLeft);
  ChartGalleryPanel1 = PlaceControl<TChartGalleryPanel>(this, "ChartGalleryPanel1", 116, 31, 354, 220);
  ChartGalleryPanel1->SetAlign(TAlign::alClient);
  ChartGalleryPanel1->BevelOuter = TPanelBevel::bvNone;
  ChartGalleryPanel1->SetSmooth(true);

  // The types' chart: one series per type, listed sorted by title.
  FChart = Create<TChart>(nullptr);
  ChartListBox1->Sorted = true;
  ChartListBox1->SetChart(FChart);
  std::vector<std::string> Pages;
  TPlotSeriesTypes& Types = Chart::SeriesTypes();
  for (int32_t i = 0; i < Types.Count(); ++i) {
    const TPlotSeriesType* Type = Types.TypeAt(i);
    if (Type->FunctionClassRef || !Type->PageName) continue;
    if (std::find(Pages.begin(), Pages.end(), *Type->PageName) == Pages.end()) Pages.push_back(*Type->PageName);
  }
  for (const std::string& P : Pages) CBPage->Items()->Add(P);
  CBPage->Items()->SetSorted(false);
  CBPage->Items()->Insert(0, AllPages);
  CBPage->SetItemIndex(CBPage->Items()->IndexOf("Standard"));
  CBSmooth->SetChecked(PlotProcs::ReadEditorBool("SmoothGallery", false));
  ChartGalleryPanel1->SetSmooth(CBSmooth->GetChecked());

  OnShow = [this](TObject* S) { FormShow(S); };
  OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState Shift) { ChartGalleryPanel1->KeyDown(Key, Shift); };
  CBPage->OnChange = [this](TObject* S) { CBPageChange(S); };
  ChartListBox1->OnClick = [this](TObject* S) { ChartListBox1Click(S); };
  ChartListBox1->OnRefresh = nullptr;
  CB3D->OnClick = [this](TObject*) { ChartGalleryPanel1->SetView3D(CB3D->GetChecked()); };
  CBSmooth->OnClick = [this](TObject*) { ChartGalleryPanel1->SetSmooth(CBSmooth->GetChecked()); };
  ChartGalleryPanel1->OnSelectedChart = [this](TObject*) { SetModalResult(mrOk); };
}

TPlotGalleryForm::~TPlotGalleryForm() = default;

void TPlotGalleryForm::BeforeDestruction() {
  ChartListBox1->SetChart(nullptr);
  FChart->Free();
  FChart = nullptr;
  TForm::BeforeDestruction();
}

void TPlotGalleryForm::FormShow(TObject*) {
  CBPageChange(CBPage);
  PlotProcs::TranslateControl(this);
}

void TPlotGalleryForm::CBPageChange(TObject*) {
  FChart->FreeAllSeries();
  const int32_t I = CBPage->GetItemIndex();
  const std::string Page = I >= 0 ? CBPage->Items()->Strings(I) : std::string(AllPages);
  TPlotSeriesTypes& Types = Chart::SeriesTypes();
  for (int32_t i = 0; i < Types.Count(); ++i) {
    const TPlotSeriesType* Type = Types.TypeAt(i);
    if (Type->FunctionClassRef || !Type->PageName || !Type->SeriesClassRef) continue;
    if (Page != AllPages && *Type->PageName != Page) continue;
    TChartSeries* S = FChart->AddSeriesOfClass(Type->SeriesClassRef);
    if (!S) continue;
    std::string Title = Type->Description();
    std::replace(Title.begin(), Title.end(), '\r', ' ');
    std::replace(Title.begin(), Title.end(), '\n', ' ');
    S->SetTitle(Title);
  }
  ChartListBox1->FillSeries(nullptr);
  LastShownClass = nullptr;
  ChartListBox1Click(ChartListBox1);
}

void TPlotGalleryForm::ChartListBox1Click(TObject*) {
  TChartSeries* S = ChartListBox1->SelectedSeries();
  if (!S || S->ClassType() == LastShownClass) return;
  ChartGalleryPanel1->SetNumRows(3);
  ChartGalleryPanel1->DisplaySub = false;
  ChartGalleryPanel1->IsSubGallery = true;
  ChartGalleryPanel1->BuildSubGallery(S->ClassType());
  ChartGalleryPanel1->PlaceCharts();
  // The plain sub-style is chosen until the person picks another.
  if (ChartGalleryPanel1->Charts().Count() > 0) ChartGalleryPanel1->SetCurrentChart(ChartGalleryPanel1->Charts().GetChart(0));
  ChartGalleryPanel1->UpdateLooks();
  LastShownClass = S->ClassType();
}

namespace PlotGalleryAlternate {

bool ShowGalleryForm(TComponent* Owner, TChartSeries* Existing, int32_t& SubIndex, bool CheckCompatibility,
                     TClass& FunctionClass, bool& View3D, TClass& SeriesClass) {
  auto* D = Create<TPlotGalleryForm>(Owner);
  D->Position = Owner ? TPosition::poOwnerFormCenter : TPosition::poScreenCenter;
  D->CB3D->SetChecked(View3D);
  D->ChartGalleryPanel1->ReferenceSeries = Existing;
  D->ChartGalleryPanel1->CheckCompatibility = CheckCompatibility;
  bool Ok = D->ShowModal() == mrOk;
  if (Ok) {
    Ok = D->ChartGalleryPanel1->GetSelectedType(SeriesClass, FunctionClass, SubIndex) && SeriesClass;
    if (Ok) View3D = D->CB3D->GetChecked() && D->ChartGalleryPanel1->GetSelectedChart()->GetView3D();
  }
  D->Free();
  return Ok;
}

}  // namespace PlotGalleryAlternate
