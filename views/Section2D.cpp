#include "views/Section2D.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/PlotCanvas.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/ClassInfo.h"
#include "platform/ui/Menus.h"

KV_CLASS_IMPL(TTModelSection2d, TChart) {}

using Supermath2d::FloatToStrDec;

void Section2D::RegisterClasses() { ClassInfo::RegisterClass(TTModelSection2d::StaticClass()); }

TTModelSection2d::TTModelSection2d(TComponent* AOwner) : TChart(AOwner) {}

TTModelSection2d::~TTModelSection2d() = default;

void TTModelSection2d::Init() {
  TChart::Init();
  if (!IsDesigning()) {
    ScaleMin = 0;
    ScaleMax = 10;
    ColorBarGap = 10;
    ColorBarWidth = 15;

    ExtentSeries = Create<TPointSeries>(this);
    ExtentSeries->SetParentChart(this);
    ExtentSeries->Pointer()->SetVisible(false);
    ExtentSeries->SetShowInLegend(false);
    ExtentSeries->XValues()->SetOrder(loNone);
    PictureTool = Create<TChartImageTool>(this);
    PictureTool->SetParentChart(this);
    PictureTool->SetSeries(ExtentSeries);
    // Depth grows downward: the picture's first row is the extent's top.
    PictureTool->SwapVertical = true;
    TriangleSeries = Create<TPointSeries>(this);
    TriangleSeries->SetParentChart(this);
    TriangleSeries->SetShowInLegend(false);
    TSeriesPointer* pointer = TriangleSeries->Pointer();
    pointer->SetVisible(true);
    pointer->SetStyle(TSeriesPointerStyle::psDownTriangle);
    pointer->SetHorizSize(3);
    pointer->SetVertSize(3);
    pointer->SetColor(0x0000FF);
    pointer->Brush()->SetColor(0x0000FF);
    TriangleSeries->SetSeriesColor(0x0000FF);

    SetBounds(783, 324);
    SetAllowZoom(false);
    BackWall()->Brush()->SetColor(clWhite);
    BackWall()->Brush()->SetStyle(bsClear);
    SetMarginUnits(muPixels);
    Zoom().GetPen()->SetColor(clBlack);
    Title()->SetVisible(true);
    Title()->Font()->SetName("small fonts");
    Title()->Font()->SetSize(7);
    SetView3D(false);
    SetView3DWalls(true);
    Walls()->Show3DWalls(true);
    SetBevelOuter(bvNone);
    SetColor(clWhite);

    TChartAxis* left = LeftAxis();
    left->SetAutomatic(true);
    left->SetInverted(true);
    left->Grid()->SetVisible(false);
    left->SetStartPosition(5);
    left->SetLabelsSize(1);
    left->SetMinorTickCount(1);
    left->Axis()->SetVisible(false);
    left->SetLabelStyle(talValue);
    TChartAxis* bottom = BottomAxis();
    bottom->SetLabelsSize(1);
    bottom->SetMinorTickCount(1);
    bottom->Axis()->SetVisible(false);
    bottom->SetAutomatic(true);
    bottom->Grid()->SetVisible(false);
    bottom->SetLabelStyle(talValue);
    Legend()->SetVisible(false);

    ViewOnly = false;
    ShowColorBar = true;
    CurrentCell = TPoint(-1, -1);
    Dragging = false;
    LastColumn = -1;
    LastRow = -1;
    FixedHatchColor = clBlack;
    SelectedHatchColor = 0xFFFFFF;
    ShowHint = true;
    ColorBarTitle = "<font name=symbol>r<font name=arial size=-3>m";
    IncrementPercent = 10;
    ScaleKind = 0;
    WandTolerance = -1;
    SelectionMask = std::make_unique<TBitmap>();
    ColorSteps = 250;

    ResetDefaults();

    OnResize = [this](TObject* Sender) { HandleResize(Sender); };
    OnDblClick = [this] { HandleDblClick(this); };
    OnAfterDraw = [this](TObject* Sender) { HandleAfterDraw(Sender); };
    OnMouseMove = [this](TShiftState Shift, int32_t X, int32_t Y) { HandleMouseMove(this, Shift, X, Y); };
    OnMouseDown = [this](TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
      HandleMouseDown(this, Button, Shift, X, Y);
    };
    OnMouseUp = [this](TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
      HandleMouseUp(this, Button, Shift, X, Y);
    };
    BuildMenus();
  }
  SetAllowZoom(false);
  AllowPanning = TPanningMode::pmNone;
}

void TTModelSection2d::ResetDefaults() {
  EditMode = 1;
  MinZ = 0;
  MaxZ = 10;
  MaxX = 10;
  MinX = 0;
  MeshColor = 0x808080;
  BorderColor = clBlack;
  Supermath2d::ColorRamp(ColorSteps, {0xFF0000, 0x008000, 0x00FFFF, 0x0000FF}, ColorTable);
  ShowBorders = true;
  SetMargin(0, 25);
  SetMargin(2, 70);
  SetMargin(1, 1);
  SetMargin(3, 20);
  ColorBarFont = std::make_unique<TPlotFont>();
  ColorBarFont->SetName("Small fonts");
  ColorBarFont->SetSize(7);
  HalfSpaceValue = 1.0;
  ScaleKind = 0;
  CursorValue = HalfSpaceValue;
  DefaultWandTolerance = 10;
  ColorSteps = 250;
  ShowMesh = true;
  BorderThreshold = 10;
}

// ---- values and layers ----

bool TTModelSection2d::CellInGrid(int32_t Column, int32_t Row) const {
  return Column >= 0 && Row >= 0 && Column <= LastColumn && Row <= LastRow &&
         static_cast<size_t>(CurrentLayer) < Layers.size() && !Layers.empty() &&
         static_cast<size_t>(Column) < Layers[0].size() && static_cast<size_t>(Row) < Layers[0][Column].size();
}

double TTModelSection2d::CellValue(int32_t Column, int32_t Row) const {
  const double v = Layers[CurrentLayer][Column][Row];
  return v == HalfSpaceValue ? Layers[0][Column][Row] : v;
}

bool TTModelSection2d::ClampValue(double& Value) {
  if (std::isnan(Value)) return false;
  Value = std::clamp(Value, Section2D::MinCellValue, Section2D::MaxCellValue);
  return true;
}

bool TTModelSection2d::StoreCellValue(int32_t Column, int32_t Row, double& Value) {
  if (!ClampValue(Value)) return false;
  if (FixedCells[Column][Row]) {
    complexM& b = CellBounds[Column][Row];
    if (b.x > Value) b.x = Value;
    if (b.z < Value) b.z = Value;
  }
  double& cell = Layers[CurrentLayer][Column][Row];
  const bool changed = cell != Value;
  cell = Value;
  return changed;
}

void TTModelSection2d::SetHalfSpaceValue(double Value) {
  if (ViewOnly || !ClampValue(Value)) return;
  const double old = HalfSpaceValue;
  for (ararofdoubleM& layer : Layers)
    for (arofdoubleM& column : layer)
      for (double& v : column)
        if (v == old) v = Value;
  HalfSpaceValue = Value;
  ScaleMin = std::min(Value, ScaleMin);
  ScaleMax = std::max(Value, ScaleMax);
  Fire(OnAfterChangingParameter);
}

void TTModelSection2d::AddLayer() {
  Layers.push_back(ararofdoubleM(static_cast<size_t>(LastColumn + 1),
                                 arofdoubleM(static_cast<size_t>(LastRow + 1), HalfSpaceValue)));
  const int32_t index = static_cast<int32_t>(Layers.size()) - 1;
  LayerOrder.insert(LayerOrder.begin(), index);
  CurrentLayer = index;
  RedrawCells(nullptr);
  Fire(OnAfterChangingParameter);
}

void TTModelSection2d::MergeLayers() {
  if (Layers.empty()) return;
  for (int32_t i = 0; i <= LastColumn; ++i)
    for (int32_t j = 0; j <= LastRow; ++j) Layers[0][i][j] = CellValue(i, j);
  Layers.resize(1);
  CurrentLayer = 0;
  LayerOrder = {0};
  Fire(OnAfterChangingParameter);
}

void TTModelSection2d::PushSnapshot() {
  History.Exists = true;
  int32_t newest = -1;
  for (int32_t s : History.Stamps) newest = std::max(newest, s);
  int32_t slot = -1;
  for (size_t k = 0; k < History.Stamps.size() && slot < 0; ++k)
    if (History.Stamps[k] == -1) slot = static_cast<int32_t>(k);
  if (slot < 0) {
    int32_t smallest = 99999999;
    for (size_t k = 0; k < History.Stamps.size(); ++k)
      if (History.Stamps[k] < smallest) {
        smallest = History.Stamps[k];
        slot = static_cast<int32_t>(k);
      }
  }
  if (slot < 0) slot = 0;
  History.Stamps[slot] = newest + 1;
  undounit& u = History.Units[slot];
  u.ColumnBorders = ColumnBorders;
  u.RowBorders = RowBorders;
  u.MinZ = MinZ;
  u.MaxZ = MaxZ;
  u.MaxX = MaxX;
  u.WidthX = WidthX;
  u.DepthZ = DepthZ;
  u.ScaleMin = ScaleMin;
  u.ScaleMax = ScaleMax;
  u.Layers = Layers;
  u.ScaleKind = ScaleKind;
  u.SignedLogThreshold = SignedLogThreshold;
  u.TopographyX = TopographyX;
  u.TopographyZ = TopographyZ;
  u.LastColumn = LastColumn;
  u.LastRow = LastRow;
  u.HighlightValue = HighlightValue;
  u.SurfaceOffsets = SurfaceOffsets;
  u.FixedBorders = FixedBorders;
}

void TTModelSection2d::UpdateStatusTexts() {
  if (CurrentCell == TPoint(-1, -1) || !CellInGrid(CurrentCell.X, CurrentCell.Y)) return;
  const int32_t i = CurrentCell.X, j = CurrentCell.Y;
  PositionText = "X:" + FloatToStrDec(0, 1, MouseX) + " Z:" + FloatToStrDec(0, 1, MouseZ) +
                 " cellX:" + std::to_string(i + 1) + " cellZ:" + std::to_string(j + 1);
  ValueText = "Value:" + FloatToStrDec(0, 1, HighlightValue);
  if (Selected[i][j]) ValueText += ", selected";
  if (FixedCells[i][j]) ValueText += ", fixed ";
  const complexM& b = CellBounds[i][j];
  if (b.x < b.z) ValueText += "(Min:" + FloatToStrDec(0, 1, b.x) + ", Max:" + FloatToStrDec(0, 1, b.z) + ")";
  if (ViewOnly) return;
  static const char* const modes[] = {"Editing",     "Free-form selection", "MagicWand",
                                      "Elleptic selection", "Rect selection", "Moving selection",
                                      "Add col/row", "Remove col/row",      "Resize col/row"};
  if (EditMode >= 1 && EditMode <= 9) ModeText = modes[EditMode - 1];
}

// ---- coordinate conversions ----

void TTModelSection2d::PictureExtent(double& X0, double& X1, double& Z0, double& Z1) const {
  if (ExtentSeries && ExtentSeries->Count() >= 2 && ExtentSeries->SmallestX() < ExtentSeries->LargestX() &&
      ExtentSeries->SmallestY() < ExtentSeries->LargestY()) {
    X0 = ExtentSeries->SmallestX();
    X1 = ExtentSeries->LargestX();
    Z0 = ExtentSeries->SmallestY();
    Z1 = ExtentSeries->LargestY();
  } else {
    X0 = MinX;
    X1 = MaxX;
    Z0 = MinZ;
    Z1 = MaxZ;
  }
}

TBitmap* TTModelSection2d::PictureBitmap() const { return PictureTool ? PictureTool->Picture()->GetBitmap() : nullptr; }

TTModelSection2d::TPixelMap TTModelSection2d::PixelMap() const {
  TPixelMap m;
  double x1, z1;
  PictureExtent(m.X0, x1, m.Z0, z1);
  const TBitmap* b = PictureBitmap();
  if (b && x1 > m.X0) m.XScale = b->GetWidth() / (x1 - m.X0);
  if (b && z1 > m.Z0) m.ZScale = b->GetHeight() / (z1 - m.Z0);
  return m;
}

int32_t TTModelSection2d::TPixelMap::X(double Value) const { return PlotCanvas::RoundToPixel((Value - X0) * XScale); }

int32_t TTModelSection2d::TPixelMap::Z(double Value) const { return PlotCanvas::RoundToPixel((Value - Z0) * ZScale); }

int32_t TTModelSection2d::XToPixel(double X) const { return PixelMap().X(X); }

int32_t TTModelSection2d::ZToPixel(double Z) const { return PixelMap().Z(Z); }

double TTModelSection2d::PixelToX(int32_t X) const { return PictureTool->HorizValueAt(X); }

double TTModelSection2d::PixelToZ(int32_t Y) const { return PictureTool->VertValueAt(Y); }

double TTModelSection2d::SurfaceShiftAt(double X, int32_t Column) const {
  if (Column < 0 || static_cast<size_t>(Column) + 1 >= ColumnBorders.size() ||
      static_cast<size_t>(Column) + 1 >= SurfaceOffsets.size())
    return 0;
  const double x0 = ColumnBorders[Column], x1 = ColumnBorders[Column + 1];
  if (!(x1 > x0)) return SurfaceOffsets[Column];
  return Supermath2d::LinearInterpolate(X, x0, x1, SurfaceOffsets[Column], SurfaceOffsets[Column + 1]);
}

// ---- layout ----

void TTModelSection2d::LayOut() {
  if (GetWidth() <= 0 || GetHeight() <= 0) return;
  TBitmap bitmap;
  bitmap.SetSize(GetWidth(), GetHeight());
  // A measuring pass: the colour bar and its events belong to real paints.
  FLayingOut = true;
  struct Reset {
    bool& Flag;
    ~Reset() { Flag = false; }
  } reset{FLayingOut};
  DrawTo(*bitmap.GetCanvas(), TRect(0, 0, GetWidth(), GetHeight()));
}

void TTModelSection2d::SizePicture() {
  const TRect r = PictureTool->CalcImageRect();
  const int32_t w = std::max(1, std::abs(r.Right - r.Left));
  const int32_t h = std::max(1, std::abs(r.Bottom - r.Top));
  TBitmap* b = PictureTool->Picture()->GetBitmap();
  if (b->GetPixelFormat() != pf24bit) b->SetPixelFormat(pf24bit);
  if (b->GetWidth() != w || b->GetHeight() != h) b->SetSize(w, h);
}
