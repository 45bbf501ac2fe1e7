// The editor forms of the surface-nearest and grid-transpose tools.
#include "chart/editors/PlotGridToolEdit.h"

#include "chart/engine/Chart.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/extras/PlotSurfaceTool.h"
#include "chart/extras/PlotTransposeTool.h"
#include "chart/series/PlotPenDlg.h"

using PlotPenDlg::PlaceControl;

namespace {

// Lists the series of a chart that pass Accept, by display name.
template <class Accept>
void FillSeries(TComboFlat& Combo, TSeriesChart* Chart, Accept&& Take) {
  Combo.Items()->Clear();
  if (!Chart) return;
  TChartSeriesList& list = Chart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i)
    if (TChartSeries* s = list.GetSeries(i); Take(s)) Combo.Items()->AddObject(PlotEngine::SeriesTitleOrName(s), s);
}

void Select(TComboFlat& Combo, TObject* Object) {
  Combo.SetItemIndex(Object ? Combo.Items()->IndexOfObject(Object) : -1);
}

TObject* Selected(const TComboFlat& Combo) {
  const int i = Combo.GetItemIndex();
  return i >= 0 && i < Combo.Items()->Count() ? Combo.Items()->Objects(i) : nullptr;
}

}  // namespace

// ============================================================================
// TSurfaceNearest
// ============================================================================

KV_CLASS_IMPL(TSurfaceNearest, TForm) {}

TSurfaceNearest::TSurfaceNearest(TComponent* Owner) : TForm(Owner) {
  SetName("SurfaceNearest");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(281);
  SetClientHeight(143);
  Position = TPosition::poScreenCenter;
  Label1 = PlaceControl<TLabel>(this, "Label1", 8, 12, 60, 13);
  Label1->SetCaption("&Surface:");
  CBSeries = PlaceControl<TComboFlat>(this, "CBSeries", 72, 8, 193, 21);
  CBSeries->Style = TComboBoxStyle::csDropDownList;
  Label1->FocusControl = CBSeries;
  const struct {
    TButtonColor** Button;
    TCheckBox **Default, **None;
    const char *Caption, *Property;
    int Top;
  } rows[] = {{&ButtonColor1, &CheckBox1, &CheckBox4, "&Cell...", "CellColor", 44},
              {&ButtonColor2, &CheckBox2, &CheckBox5, "&Row...", "RowColor", 76},
              {&ButtonColor3, &CheckBox3, &CheckBox6, "&Column...", "ColumnColor", 108}};
  int n = 1;
  for (const auto& r : rows) {
    *r.Button = PlaceControl<TButtonColor>(this, ("ButtonColor" + std::to_string(n)).c_str(), 8, r.Top, 89, 25);
    (*r.Button)->SetCaption(r.Caption);
    *r.Default = PlaceControl<TCheckBox>(this, ("CheckBox" + std::to_string(n)).c_str(), 112, r.Top + 4, 73, 17);
    (*r.Default)->SetCaption("Default");
    *r.None = PlaceControl<TCheckBox>(this, ("CheckBox" + std::to_string(n + 3)).c_str(), 192, r.Top + 4, 73, 17);
    (*r.None)->SetCaption("None");
    TButtonColor* button = *r.Button;
    TCheckBox* def = *r.Default;
    const char* property = r.Property;
    def->OnClick = [this, property, button](TObject*) { SetColour(property, clDefault, button); };
    (*r.None)->OnClick = [this, property, button](TObject*) { SetColour(property, clNone, button); };
    // After the colour dialog changed the colour it is no longer the default.
    button->OnClick = [this, def](TObject*) {
      if (FLoading) return;
      FLoading = true;
      def->SetChecked(false);
      FLoading = false;
    };
    ++n;
  }
  OnShow = [this](TObject* S) { FormShow(S); };
  CBSeries->OnChange = [this](TObject* S) { CBSeriesChange(S); };
}

TSurfaceNearestTool* TSurfaceNearest::Tool() const { return reinterpret_cast<TSurfaceNearestTool*>(Tag); }

void TSurfaceNearest::SetColour(const char* Property, TColor Value, TButtonColor* Button) {
  TSurfaceNearestTool* tool = Tool();
  if (FLoading || !tool) return;
  if (const TPropInfo* p = tool->ClassType()->FindProperty(Property)) p->Set(tool, static_cast<int64_t>(Value));
  Button->Invalidate();
}

void TSurfaceNearest::FormShow(TObject*) {
  TSurfaceNearestTool* tool = Tool();
  if (!tool) return;
  FLoading = true;
  FillSeries(*CBSeries, tool->GetParentChart(), [](TChartSeries* S) { return TSurfaceNearestTool::IsSurface(S); });
  CBSeries->SetEnabled(CBSeries->Items()->Count() > 0);
  Select(*CBSeries, tool->GetSeries());
  ButtonColor1->LinkProperty(tool, "CellColor");
  ButtonColor2->LinkProperty(tool, "RowColor");
  ButtonColor3->LinkProperty(tool, "ColumnColor");
  CheckBox1->SetChecked(tool->GetCellColor() == clDefault);
  CheckBox2->SetChecked(tool->GetRowColor() == clDefault);
  CheckBox3->SetChecked(tool->GetColumnColor() == clDefault);
  CheckBox4->SetChecked(tool->GetCellColor() == clNone);
  CheckBox5->SetChecked(tool->GetRowColor() == clNone);
  CheckBox6->SetChecked(tool->GetColumnColor() == clNone);
  if (TClass surface = ClassInfo::GetClass("TSurfaceSeries"))
    if (const TPlotSeriesType* type = Chart::SeriesTypes().TypeOfSeriesClass(surface))
      Label1->SetCaption("&" + type->Description() + ":");
  FLoading = false;
}

void TSurfaceNearest::CBSeriesChange(TObject*) {
  if (FLoading) return;
  if (TSurfaceNearestTool* tool = Tool()) tool->SetSeries(dynamic_cast<TChartSeries*>(Selected(*CBSeries)));
}

// ============================================================================
// TGridTransposeToolEdit
// ============================================================================

KV_CLASS_IMPL(TGridTransposeToolEdit, TForm) {}

TGridTransposeToolEdit::TGridTransposeToolEdit(TComponent* Owner) : TForm(Owner) {
  SetName("GridTransposeToolEdit");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(183);
  SetClientHeight(158);
  Label1 = PlaceControl<TLabel>(this, "Label1", 8, 8, 90, 13);
  Label1->SetCaption("&Grid 3D Series:");
  CBSeries = PlaceControl<TComboFlat>(this, "CBSeries", 8, 24, 165, 21);
  CBSeries->Style = TComboBoxStyle::csDropDownList;
  Label1->FocusControl = CBSeries;
  BTranspose = PlaceControl<TButton>(this, "BTranspose", 8, 60, 105, 25);
  BTranspose->SetCaption("&Transpose now");
  BTranspose->SetEnabled(false);
  OnShow = [this](TObject* S) { FormShow(S); };
  CBSeries->OnChange = [this](TObject* S) { CBSeriesChange(S); };
  BTranspose->OnClick = [this](TObject* S) { BTransposeClick(S); };
}

TGridTransposeTool* TGridTransposeToolEdit::Tool() const { return reinterpret_cast<TGridTransposeTool*>(Tag); }

void TGridTransposeToolEdit::FormShow(TObject*) {
  TGridTransposeTool* tool = Tool();
  if (!tool || !tool->GetParentChart()) return;
  FillSeries(*CBSeries, tool->GetParentChart(),
             [](TChartSeries* S) { return dynamic_cast<TCustom3DGridSeries*>(S) != nullptr; });
  Select(*CBSeries, tool->GetSeries());
  BTranspose->SetEnabled(CBSeries->GetItemIndex() >= 0);
}

void TGridTransposeToolEdit::CBSeriesChange(TObject*) {
  TGridTransposeTool* tool = Tool();
  if (!tool) return;
  tool->SetSeries(dynamic_cast<TCustom3DGridSeries*>(Selected(*CBSeries)));
  BTranspose->SetEnabled(tool->GetSeries() != nullptr);
}

void TGridTransposeToolEdit::BTransposeClick(TObject*) {
  if (TGridTransposeTool* tool = Tool()) tool->Transpose();
}

namespace PlotGridToolEdit {

void Initialize() {
  for (TClass c : {TSurfaceNearest::StaticClass(), TGridTransposeToolEdit::StaticClass()})
    if (!ClassInfo::GetClass(c->ClassName())) ClassInfo::RegisterClass(c);
}

}  // namespace PlotGridToolEdit
