// The editor forms of the surface-nearest and grid-transpose tools.
#include "chart/editors/PlotGridToolEdit.h"

#include "chart/engine/Chart.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/extras/PlotSurfaceTool.h"
#include "chart/extras/PlotTransposeTool.h"

using PlotPenDlg::PlaceControl;

// ============================================================================
// TSurfaceNearest
// ============================================================================

KV_CLASS_IMPL(TSurfaceNearest, TSeriesToolEditor) {}

TSurfaceNearest::TSurfaceNearest(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("SurfaceNearest");
  SetAlign(TAlign::alNone);
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(281);
  SetClientHeight(143);
  Position = TPosition::poScreenCenter;
  AcceptSeries = [](const TChartSeries* S) { return TSurfaceNearestTool::IsSurface(S); };
  FirstItem.clear();
  Label1->SetBounds(8, 12, 60, 13);
  Label1->SetCaption("&Surface:");
  CBSeries->SetBounds(72, 8, 193, 21);
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
      if (IsLoading()) return;
      BeginLoading();
      def->SetChecked(false);
      EndLoading();
    };
    ++n;
  }
  OnToolShow = [this] { LoadColours(); };
}

TSurfaceNearestTool* TSurfaceNearest::NearestTool() const { return dynamic_cast<TSurfaceNearestTool*>(Tool()); }

void TSurfaceNearest::SetColour(const char* Property, TColor Value, TButtonColor* Button) {
  if (IsLoading() || !NearestTool()) return;
  PlotToolSeriesEdit::SetProperty(NearestTool(), Property, static_cast<int64_t>(Value));
  Button->Invalidate();
}

void TSurfaceNearest::LoadColours() {
  TSurfaceNearestTool* tool = NearestTool();
  if (!tool) return;
  CBSeries->SetEnabled(CBSeries->Items()->Count() > 0);
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
}

// ============================================================================
// TGridTransposeToolEdit
// ============================================================================

KV_CLASS_IMPL(TGridTransposeToolEdit, TSeriesToolEditor) {}

TGridTransposeToolEdit::TGridTransposeToolEdit(TComponent* Owner) : TSeriesToolEditor(Owner) {
  SetName("GridTransposeToolEdit");
  SetAlign(TAlign::alNone);
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(183);
  SetClientHeight(158);
  AcceptSeries = [](const TChartSeries* S) { return dynamic_cast<const TCustom3DGridSeries*>(S) != nullptr; };
  FirstItem.clear();
  Label1->SetBounds(8, 8, 90, 13);
  Label1->SetCaption("&Grid 3D Series:");
  CBSeries->SetBounds(8, 24, 165, 21);
  BTranspose = PlaceControl<TButton>(this, "BTranspose", 8, 60, 105, 25);
  BTranspose->SetCaption("&Transpose now");
  BTranspose->SetEnabled(false);
  OnToolShow = [this] { BTranspose->SetEnabled(CBSeries->GetItemIndex() >= 0); };
  OnSeriesChanged = [this] { BTranspose->SetEnabled(ToolSeries() != nullptr); };
  BTranspose->OnClick = [this](TObject* S) { BTransposeClick(S); };
}

TGridTransposeTool* TGridTransposeToolEdit::TransposeTool() const {
  return dynamic_cast<TGridTransposeTool*>(Tool());
}

void TGridTransposeToolEdit::BTransposeClick(TObject*) {
  if (TGridTransposeTool* tool = TransposeTool()) tool->Transpose();
}

namespace PlotGridToolEdit {

void Initialize() {
  for (TClass c : {TSurfaceNearest::StaticClass(), TGridTransposeToolEdit::StaticClass()})
    if (!ClassInfo::GetClass(c->ClassName())) ClassInfo::RegisterClass(c);
}

}  // namespace PlotGridToolEdit
