#include "views/PolygonChart.h"

#include <cmath>
#include <filesystem>

#include "chart/engine/PlotEngine_Marks.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/Registry.h"
#include "platform/ui/Forms.h"
#include "views/ModelSection.h"

KV_CLASS_IMPL(TPolygonChart, TChart) {}

namespace {

// The pen colour of a shape goes through its own pen, which the chart draws only
// while ParentPen is off.
void SetShapePen(TPlotPolygon* Shape, TColor Color) {
  Shape->SetParentPen(true);
  Shape->Pen()->SetColor(Color);
  Shape->SetParentPen(false);
}

TSeriesMarks* MarksOf(TChartSeries* Series) { return dynamic_cast<TSeriesMarks*>(Series->Marks()); }

void StyleAxisTicks(TChartAxis* Axis) {
  Axis->SetAutomatic(false);
  Axis->SetAutomaticMaximum(false);
  Axis->SetAutomaticMinimum(false);
  Axis->Grid()->SetVisible(false);
  Axis->LogLabelFormat = true;
  Axis->SetLabelStyle(talValue);
  Axis->SetMinorTickCount(4);
  Axis->MinorTicks()->SetColor(0);
  Axis->SetTickLength(3);
  Axis->Ticks()->SetColor(0);
  Axis->TicksInner()->SetVisible(false);
}

}  // namespace

TPolygonChart::TPolygonChart(TComponent* Owner) : TChart(Owner) {}

void TPolygonChart::Init() {
  TChart::Init();
  if (!ComponentState.Contains(TComponentStateItem::csDesigning)) {
    NodeColorFree = clBlue;
    NodeColorFixed = clBlack;
    NodeColorInternal = clGreen;
    NodeColorBorder = clGray;
    Polygons::ResetDefaultProps();
    {
      TChartBrush brush;
      brush.SetStyle(bsClear);
      TChartPen pen(nullptr);
      pen.SetColor(clGray);
      TPlotGradient gradient;
      gradient.SetStartColor(clRed);
      gradient.SetEndColor(clBlue);
      gradient.SetMidColor(clYellow);
      gradient.SetVisible(false);
      PolygonProps& p = Polygons::DefaultProps;
      p[Polygons::PropBrush] = PlotEngine::BrushToText(brush);
      p[Polygons::PropPen] = PlotEngine::PenToText(pen);
      p[Polygons::PropGradient] = PlotEngine::GradientToText(gradient);
      p[9] = " ";
      for (int i = 14; i < PolygonPropCount; ++i) p[static_cast<size_t>(i)] = " ";
    }
    UndoLimit = 25;
    CreateSeries();
    AllowPanning = TPanningMode::pmNone;
    Legend()->SetVisible(false);
    SetMarginUnits(muPixels);
    Zoom().GetPen()->SetColor(0);
    SetMargin(0, 25);
    SetMargin(2, 70);
    SetMargin(1, 1);
    SetMargin(3, 10);
    SetupAxes();
    SetView3D(false);
    SetAllowZoom(false);
    SetColor(clWhite);
    OnAfterDraw = [this](TObject* Sender) { PaintNodes(Sender); };
    OnMouseDown = [this](TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
      ChartMouseDown(this, Button, Shift, X, Y);
    };
    OnMouseMove = [this](TShiftState Shift, int32_t X, int32_t Y) { ChartMouseMove(this, Shift, X, Y); };
    OnMouseUp = [this](TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
      ChartMouseUp(this, Button, Shift, X, Y);
    };
    OnDblClick = [this] { EditBodyAtCursor(this); };
    ElectrodeSeries = Create<TPointSeries>(this);
    ElectrodeSeries->Pointer()->SetStyle(TSeriesPointerStyle::psRectangle);
    ElectrodeSeries->Pointer()->SetHorizSize(1);
    ElectrodeSeries->Pointer()->SetVertSize(3);
    ElectrodeSeries->Pointer()->Brush()->SetColor(clRed);
    ElectrodeSeries->Pointer()->Pen()->SetColor(clGray);
    ElectrodeSeries->SetColorEachPoint(true);
    AddSeries(ElectrodeSeries);
  }
  OnAxisPopupCommand = [this](TObject* Sender) { AxisPopupRescale(Sender); };
  Title()->SetVisible(true);
  Title()->SetTextLine("Cross-section");
  Title()->Font()->SetName("small fonts");
  Title()->Font()->SetSize(7);
  DefaultSettingsText = SettingsToStr();
}

void TPolygonChart::CreateSeries() {
  BodySeries = Create<TMapSeries>(this);
  if (TSeriesMarks* marks = MarksOf(BodySeries)) {
    marks->SetVisible(true);
    marks->SetTransparent(true);
    marks->SetArrowLength(0);
    marks->GetCallout()->Brush()->SetColor(0);
    marks->GetArrow()->SetVisible(false);
    marks->GetCallout()->SetLength(0);
    marks->Brush()->SetColor(clWhite);
    marks->Brush()->SetStyle(bsClear);
    marks->Pen()->SetVisible(false);
    marks->Shadow()->SetHorizSize(0);
    marks->Shadow()->SetVertSize(0);
    marks->Font()->SetName("small fonts");
    marks->Font()->SetSize(7);
    // With equal scale or a zoom, bodies reach past the plot: their labels stay inside it.
    marks->SetClip(true);
  }
  BodySeries->NoEditPopup = true;
  AddSeries(BodySeries);

  RubberSeries = Create<TLineSeries>(this);
  RubberSeries->SetSeriesColor(clRed);
  RubberSeries->LinePen()->SetSmallDots(true);
  RubberSeries->Pointer()->SetVisible(true);
  RubberSeries->Pointer()->SetStyle(TSeriesPointerStyle::psCircle);
  RubberSeries->Pointer()->SetHorizSize(3);
  RubberSeries->Pointer()->SetVertSize(3);
  RubberSeries->Pointer()->Brush()->SetColor(clRed);
  RubberSeries->Pointer()->Pen()->SetColor(clRed);
  RubberSeries->Pointer()->SetInflateMargins(true);
  AddSeries(RubberSeries);

  OutlineSeries = Create<TLineSeries>(this);
  OutlineSeries->SetSeriesColor(clRed);
  OutlineSeries->Pointer()->SetVisible(true);
  OutlineSeries->Pointer()->SetStyle(TSeriesPointerStyle::psCircle);
  OutlineSeries->Pointer()->SetHorizSize(3);
  OutlineSeries->Pointer()->SetVertSize(3);
  OutlineSeries->Pointer()->Pen()->SetColor(clRed);
  OutlineSeries->Pointer()->Brush()->SetStyle(bsClear);
  OutlineSeries->Pointer()->SetInflateMargins(true);
  AddSeries(OutlineSeries);

  ReliefSeries = Create<TAreaSeries>(this);
  ReliefSeries->SetUseYOrigin(true);
  ReliefSeries->SetYOrigin(-1e30);
  ReliefSeries->AreaChartBrush()->SetStyle(bsSolid);
  ReliefSeries->AreaChartBrush()->SetColor(clWhite);
  ReliefSeries->AreaLinesPen()->SetVisible(false);
  ReliefSeries->SetSeriesColor(clWhite);
  AddSeries(ReliefSeries);

  MeshSeries = Create<TPointSeries>(this);
  MeshSeries->SetSeriesColor(clLime);
  MeshSeries->Pointer()->SetStyle(TSeriesPointerStyle::psCircle);
  MeshSeries->Pointer()->SetHorizSize(2);
  MeshSeries->Pointer()->SetVertSize(2);
  MeshSeries->Pointer()->Brush()->SetColor(clLime);
  MeshSeries->Pointer()->Pen()->SetColor(clBlack);
  MeshSeries->Pointer()->SetInflateMargins(true);
  AddSeries(MeshSeries);

  for (TChartSeries* s : std::initializer_list<TChartSeries*>{RubberSeries, OutlineSeries, ReliefSeries, MeshSeries}) {
    s->ExcludeFromXAuto = true;
    s->ExcludeFromYAuto = true;
    s->NoEditPopup = true;
  }
  for (TChartSeries* s : std::initializer_list<TChartSeries*>{BodySeries, RubberSeries, OutlineSeries, ReliefSeries,
                                                              MeshSeries}) {
    s->XValues()->SetOrder(loNone);
    s->YValues()->SetOrder(loNone);
    if (s != BodySeries) MarksOf(s) ? MarksOf(s)->SetVisible(false) : void();
  }
  RubberSeries->StoreDefaultText();
  OutlineSeries->StoreDefaultText();
  MeshSeries->StoreDefaultText();
}

void TPolygonChart::SetupAxes() {
  TChartAxis* bottom = BottomAxis();
  StyleAxisTicks(bottom);
  bottom->Axis()->SetWidth(0);
  bottom->SetMaximum(1000);
  TChartAxis* left = LeftAxis();
  StyleAxisTicks(left);
  left->SetStartPosition(5);
  left->Axis()->SetWidth(1);
  left->SetInverted(true);
  left->SetMaximum(100);
  left->Title()->SetCaption("z");
  left->SetLabelsSize(1);
  left->TitlePlacementOn = true;
  left->TitlePlacement = 1;
  RightAxis()->SetVisible(false);
  TopAxis()->SetVisible(false);
  bottom->SetLogarithmic(false);
  left->SetLogarithmic(false);
  Chart::StoreAxesDefaults(this);
}

// ---------------------------------------------------------------- layout and scales

void TPolygonChart::LayOut() {
  if (GetWidth() <= 0 || GetHeight() <= 0) return;
  // Only the positions are wanted: the cycle lays out the whole rectangle but
  // draws straight onto a one-pixel surface, which clips every primitive away.
  if (!FLayoutSurface) FLayoutSurface = std::make_unique<TBitmap>(1, 1);
  TPlotCanvas3D& canvas = *Canvas();
  const bool buffered = canvas.BufferedDisplay;
  canvas.BufferedDisplay = false;
  DrawTo(*FLayoutSurface->GetCanvas(), TRect(0, 0, GetWidth(), GetHeight()));
  canvas.BufferedDisplay = buffered;
  // The buffer still holds the picture drawn before; the next paint draws anew.
  canvas.InvalidateBuffer();
}

void TPolygonChart::Resize(int32_t Width, int32_t Height) {
  SetBounds(Width, Height);
  UpdateAxisScales();
}

void TPolygonChart::UpdateAxisScales() {
  // Laid out here and now, so that the scales never come from an old size.
  LayOut();
  TChartAxis* bottom = BottomAxis();
  TChartAxis* left = LeftAxis();
  if (!GetAllowZoom() && EqualScale) {
    bottom->CalcAxisRange();
    left->CalcAxisRange();
    const double span = bottom->GetMaximum() - bottom->GetMinimum();
    if (bottom->AxisLength > 0 && span > 0)
      left->SetMaximum(left->GetMinimum() + span / bottom->AxisLength * left->AxisLength);
    LayOut();
  }
  auto perUnit = [](const TChartAxis* axis) {
    const double span = axis->GetMaximum() - axis->GetMinimum();
    const double result = span > 1e-10 ? axis->AxisLength / span : 1.0;
    return result == 0.0 ? 1.0 : result;
  };
  PixelsPerX = perUnit(bottom);
  PixelsPerZ = perUnit(left);
}

void TPolygonChart::ApplyBoundsToAxes() {
  BottomAxis()->SetMinMax(XMin, XMax);
  LeftAxis()->SetMinMax(ZMin, ZMax);
  UpdateAxisScales();
}

void TPolygonChart::AxisPopupRescale(TObject*) {
  SetModelBounds(false, BottomAxis()->GetMinimum(), BottomAxis()->GetMaximum(), LeftAxis()->GetMinimum(),
                 LeftAxis()->GetMaximum());
  UpdateAxisScales();
}

// ---------------------------------------------------------------- mouse and drawing

void TPolygonChart::ChartMouseMove(TObject*, TShiftState, int32_t X, int32_t Y) {
  if (!HasModel) return;
  TChartSeries* first = GetSeries(0);
  CursorMoved(X, Y, first->PixelToXValue(X), first->PixelToYValue(Y), !GetAllowZoom());
}

void TPolygonChart::ChartMouseDown(TObject*, TMouseButton Button, TShiftState, int32_t, int32_t) {
  if (GetAllowZoom()) return;
  ButtonPressed(Button);
}

void TPolygonChart::ChartMouseUp(TObject*, TMouseButton, TShiftState, int32_t, int32_t) {}

void TPolygonChart::ChartKeyDown(uint16_t& Key) {
  if (Key == VK_ESCAPE && CancelPendingEdit()) Key = 0;
}

void TPolygonChart::EditBodyAtCursor(TObject*) {
  if (TPolygonModelEditor::EditBodyAtCursor()) MouseCancelled = true;
}

void TPolygonChart::PaintNodes(TObject*) {
  if (!HasModel) return;
  TPlotCanvas3D* canvas = Canvas();
  // Nodes outside the plot (equal scale, zoom) would cover the axis labels.
  const TRect plot = ChartRect;
  for (size_t k = 4; k < ModelNodes.size(); ++k) {
    const Tnode& node = ModelNodes[k];
    const int32_t x = BottomAxis()->ValueToPixel(node.X);
    const int32_t y = LeftAxis()->ValueToPixel(node.Depth);
    const TColor color = NodeColor(node);
    for (int32_t dx = -1; dx <= 1; ++dx)
      for (int32_t dy = -1; dy <= 1; ++dy) {
        const int32_t px = x + dx, py = y + dy;
        if (px >= plot.Left && px <= plot.Right && py >= plot.Top && py <= plot.Bottom) canvas->SetPixel(px, py, color);
      }
  }
}

void TPolygonChart::FillLine(TChartSeries* Series, const arofcomplexM& Points) {
  Series->Clear();
  for (const complexM& p : Points) Series->AppendPoint(p.x, p.z);
}

void TPolygonChart::ShowFeedback() {
  FillLine(OutlineSeries, OutlinePoints);
  FillLine(RubberSeries, RubberPoints);
}

void TPolygonChart::ShowRelief(const arofcomplexM& Points, double YOrigin) {
  ReliefSeries->SetYOrigin(YOrigin);
  FillLine(ReliefSeries, Points);
}

void TPolygonChart::ShowMeshPreview(const Tnodes& Nodes, bool Labelled) {
  MeshSeries->Clear();
  for (size_t k = 0; k < Nodes.size(); ++k)
    MeshSeries->AppendPoint(Nodes[k].X, Nodes[k].Depth, Labelled ? std::to_string(k) : std::string());
}

void TPolygonChart::ClearMeshPreview() { MeshSeries->Clear(); }

// ---------------------------------------------------------------- shapes

void TPolygonChart::ShapesClear() { BodySeries->Clear(); }

int32_t TPolygonChart::ShapesAdd(const arofcomplexM& Points) {
  TPlotPolygon* shape = BodySeries->Shapes()->AddPolygon();
  for (const complexM& p : Points) shape->AppendPoint(p.x, p.z);
  return shape->GetIndex();
}

int32_t TPolygonChart::ShapeCount() const { return BodySeries->Shapes()->Count(); }

int32_t TPolygonChart::ShapeIdAt(int32_t Shape) const { return BodySeries->Shapes()->PolygonAt(Shape)->ID(); }

void TPolygonChart::ShapeSetPoints(int32_t Shape, const arofcomplexM& Points) {
  TPlotPolygon* shape = BodySeries->Shapes()->PolygonAt(Shape);
  shape->Points()->Clear();
  for (const complexM& p : Points) shape->AppendPoint(p.x, p.z);
}

void TPolygonChart::ShapeApplyStyle(int32_t Shape, const Polygon& P, const std::string* Text) {
  TPlotPolygon* shape = BodySeries->Shapes()->PolygonAt(Shape);
  shape->SetParentPen(false);
  shape->SetParentBrush(false);
  shape->SetColor(P.Props[Polygons::PropColor].AsInt());
  shape->SetBrush(PlotEngine::BrushFromText(P.Props[Polygons::PropBrush].AsString()).get());
  shape->SetPen(PlotEngine::PenFromText(P.Props[Polygons::PropPen].AsString()).get());
  shape->SetGradient(PlotEngine::GradientFromText(P.Props[Polygons::PropGradient].AsString()).get());
  if (Text) shape->SetText(*Text);
}

void TPolygonChart::ShapeReadStyle(int32_t Shape, TColor& Color, std::string& BrushText, std::string& PenText,
                                   std::string& GradientText, std::string& Text) const {
  TPlotPolygon* shape = BodySeries->Shapes()->PolygonAt(Shape);
  Color = shape->GetColor();
  BrushText = PlotEngine::BrushToText(*shape->Brush());
  PenText = PlotEngine::PenToText(*shape->Pen());
  GradientText = PlotEngine::GradientToText(*shape->Gradient());
  Text = shape->GetText();
}

TColor TPolygonChart::ShapePenColor(int32_t Shape) const {
  return BodySeries->Shapes()->PolygonAt(Shape)->Pen()->GetColor();
}

void TPolygonChart::ShapeSetPenColor(int32_t Shape, TColor Color) {
  SetShapePen(BodySeries->Shapes()->PolygonAt(Shape), Color);
}

void TPolygonChart::ShapesSwap(int32_t A, int32_t B) { BodySeries->SwapValueIndex(A, B); }

// ---------------------------------------------------------------- settings

std::string TPolygonChart::SettingsToStr() const {
  ModelSection::TChartSettings s;
  s.Values = {NodeColorFree, NodeColorFixed, NodeColorInternal, NodeColorBorder,
              GetMargin(0),  GetMargin(2),   GetMargin(1),      GetMargin(3)};
  if (TSeriesMarks* marks = MarksOf(BodySeries)) s.FontText = PlotEngine::FontToText(*marks->Font());
  return ModelSection::ChartSettingsToStr(s);
}

bool TPolygonChart::SettingsFromStr(const std::string& Text) {
  ModelSection::TChartSettings s;
  std::string message;
  if (!ModelSection::ChartSettingsFromStr(Text, s, message)) return false;
  NodeColorFree = s.Values[0];
  NodeColorFixed = s.Values[1];
  NodeColorInternal = s.Values[2];
  NodeColorBorder = s.Values[3];
  SetMargin(0, s.Values[4]);
  SetMargin(2, s.Values[5]);
  SetMargin(1, s.Values[6]);
  SetMargin(3, s.Values[7]);
  if (TSeriesMarks* marks = MarksOf(BodySeries)) marks->Font()->Assign(PlotEngine::FontFromText(s.FontText).get());
  Invalidate();
  return true;
}

void TPolygonChart::RestoreDefaultSettings() { SettingsFromStr(DefaultSettingsText); }

std::string PolygonChart::SettingsKey(const std::string& KeyPrefix) {
  const std::string exe = std::filesystem::path(Application->ExeName()).filename().string();
  return "\\Software\\" + KeyPrefix + "_" + exe + "_polychart";
}

void TPolygonChart::SaveSettings(const std::string& KeyPrefix) {
  // The chart's look belongs to the user, never to the machine.
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  if (reg.OpenKey(PolygonChart::SettingsKey(KeyPrefix), true)) reg.WriteString("params", SettingsToStr());
}

void TPolygonChart::LoadSettings(const std::string& KeyPrefix) {
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  if (reg.OpenKeyReadOnly(PolygonChart::SettingsKey(KeyPrefix)) && reg.ValueExists("params"))
    SettingsFromStr(reg.ReadString("params"));
}
