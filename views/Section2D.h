// The cell-grid model section: a model of the ground made of columns along the profile
// and rows in depth that follow the surface, every cell holding one positive value.
// The cells are drawn into the picture of an image tool that is stretched over the
// model extent (two points of an invisible series), so that the chart's axes place
// them; a colour bar with its value axis and the cursor-value pointer stands beside the
// plot. The user paints values, selects, moves and copies groups of cells, edits the
// column and row borders and sets the colour scale with the mouse and five pop-up menus.
//
// An owner fills ColumnBorders, RowBorders, the topography, Layers (one layer),
// Selected, FixedCells, CellBounds and FixedBorders with matching sizes, gives
// ExtentSeries the points (MinX, MinZ) and (MaxX, MaxZ), calls the geometry setters
// (SetColumnBorders, SetRowBorders, UpdateSurfaceOffsets) and then RedrawAll.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/Chart.h"
#include "numerics/Supermath2d.h"

class TBitmap;
class TCanvas;
class TChartImageTool;
class TMenuItem;
class TPlotCanvas;
class TPlotFont;
class TPointSeries;
class TPopupMenu;

// Cells as (column, row) points.
using pointarray = std::vector<TPoint>;

// One snapshot of the model.
struct undounit {
  arofdoubleM ColumnBorders;
  arofdoubleM RowBorders;
  double MinZ = 0, MaxZ = 0, MaxX = 0, WidthX = 0, DepthZ = 0;
  double Unused = 0;  // a real the snapshot leaves unset
  double ScaleMin = 0, ScaleMax = 0;
  std::vector<ararofdoubleM> Layers;
  ararofboolM UnusedSelected, UnusedFixed;  // left empty by a snapshot
  ararofcomplexM UnusedBounds;              // left empty by a snapshot
  uint8_t ScaleKind = 0;
  double SignedLogThreshold = 0;
  arofdoubleM TopographyX, TopographyZ;
  int32_t LastColumn = 0, LastRow = 0;
  double HighlightValue = 0;
  arofdoubleM SurfaceOffsets;
  arofboolM FixedBorders;
};

// The snapshot ring: ten stamps, ten snapshots and whether one was taken.
struct undo {
  std::array<int32_t, 10> Stamps{};
  std::array<undounit, 10> Units;
  bool Exists = false;
};

// A cell taken along by a selection move.
struct TMovedCell {
  int32_t Column = 0, Row = 0;
  double Value = 0;
};

namespace Section2D {
inline constexpr double MinCellValue = 1e-6;
inline constexpr double MaxCellValue = 1e9;

// Kinds of ApplyToCell.
enum class TApplyKind : uint8_t { Set, Raise, Lower };
// Kinds of SelectRegion.
enum class TRegionKind : uint8_t { MagicWand, Polygon, Rectangle, Ellipse };

// Tick values for a vertical value axis of Length pixels whose labels are TextHeight
// high; empty for equal ends.
arofdoubleM NiceTicksForHeight(double TextHeight, double Length, double Lower, double Upper);
// The same for a horizontal axis: SampleWidth measures a sample label text.
arofdoubleM NiceTicksForWidth(const std::function<double(const std::string&)>& SampleWidth, double Length,
                              double Lower, double Upper);
// The sample label a horizontal axis measures for a step between the ends.
std::string SampleLabel(double Step, double Lower, double Upper);
// The decimals of each label of a tick list.
arofintM LabelDecimals(const arofdoubleM& Ticks);

// Tick values on a canvas (the label height or width measured in its font).
void NiceTicksVertical(TPlotCanvas& Canvas, double Length, arofdoubleM& Ticks, double Lower, double Upper);
void NiceTicksHorizontal(TPlotCanvas& Canvas, double Length, arofdoubleM& Ticks, double Lower, double Upper);
// A value axis with ticks and labels along Length pixels from (X, Y); orientation 0
// horizontal, 1 vertical; side 0 labels right (above), 1 left (below); kind 0 linear,
// 1 logarithmic, 2 signed logarithmic with parameter A.
void DrawValueAxis(TPlotCanvas& Canvas, int32_t Orientation, int32_t Side, int32_t Kind, double Lower,
                   double Upper, int32_t X, int32_t Y, int32_t Length, double A, const std::string& FontName,
                   const std::string& Title, bool TopIsUpper);

// Registers TTModelSection2d by name; the program calls it at start-up, since no
// window of its own creates the class.
void RegisterClasses();

// The text under the colour bar for the cursor value: whole from 10 on.
std::string PointerText(double Value);

// Captions of the five menus, in menu order ("-" a separator).
extern const std::vector<std::string> CellMenuCaptions;
extern const std::vector<std::string> SelectionMenuCaptions;
extern const std::vector<std::string> MeshMenuCaptions;
extern const std::vector<std::string> ChartMenuCaptions;
extern const std::vector<std::string> ColorBarMenuCaptions;
extern const std::vector<std::string> DepthMenuCaptions;
extern const std::vector<std::string> DistanceMenuCaptions;
}  // namespace Section2D

class TTModelSection2d : public TChart {
  KV_CLASS(TTModelSection2d, TChart)
public:
  explicit TTModelSection2d(TComponent* AOwner = nullptr);
  ~TTModelSection2d() override;
  void Init() override;

  // ---- published events ----
  TNotifyEvent OnAfterChangingParameter;  // after values change
  TNotifyEvent OnChangingGrid;            // after borders change
  TNotifyEvent OnAfterChangeCB;           // after a colour-scale or cursor-value change

  // ---- grid geometry ----
  arofdoubleM ColumnBorders;
  int32_t LastColumn = -1;
  arofdoubleM RowBorders;
  int32_t LastRow = -1;
  arofboolM FixedBorders;
  arofdoubleM TopographyX, TopographyZ;
  arofdoubleM SurfaceOffsets;
  double MaxSurfaceOffset = 0;
  bool HasTopography = false;
  double MinX = 0, MaxX = 10, MinZ = 0, MaxZ = 10;
  double WidthX = 10, DepthZ = 10;
  int32_t CellCount = 0;

  // ---- cell values ----
  std::vector<ararofdoubleM> Layers;  // [layer][column][row]
  arofintM LayerOrder;                // newest first
  int32_t CurrentLayer = 0;
  double HalfSpaceValue = 1.0;
  ararofboolM Selected, FixedCells;
  ararofcomplexM CellBounds;  // (lower, upper) as (x, z)
  double CursorValue = 1.0;
  double HighlightValue = 0;
  bool ViewOnly = false;

  // ---- colour scale and display ----
  double ScaleMin = 0, ScaleMax = 10;
  uint8_t ScaleKind = 0;  // 0 linear, 1 logarithmic, 2 signed logarithmic
  double SignedLogThreshold = 1.0;
  int32_t ColorSteps = 250;
  arofintM ColorTable;
  bool ShowMesh = true, ShowBorders = true, ShowColorBar = true;
  TColor MeshColor = 0x808080;
  TColor BorderColor = clBlack;
  double BorderThreshold = 10;
  TColor SelectedHatchColor = 0xFFFFFF;
  TColor FixedHatchColor = clBlack;
  int32_t ColorBarGap = 10, ColorBarWidth = 15;
  std::unique_ptr<TPlotFont> ColorBarFont;
  std::string ColorBarTitle;
  arofcomplexM FlaggedPoints;

  // ---- mouse state ----
  uint8_t EditMode = 1;
  uint8_t Region = 0;  // 1 plot, 2 depth axis, 3 distance axis, 4 colour bar, 0 elsewhere
  TPoint CurrentCell{-1, -1};
  TPoint AnchorCell{0, 0}, EndCell{0, 0};
  std::vector<TMovedCell> MovedCells;
  pointarray FreeFormPoints;
  std::unique_ptr<TBitmap> SelectionMask;
  TMouseButton PressedButton = TMouseButton::mbLeft;
  bool Dragging = false;
  uint8_t SavedMode = 1;
  bool TemporaryMode = false;
  double MouseX = 0, MouseZ = 0;
  int32_t HoverKind = -1;  // 0 column border, 1 row border
  int32_t HoverIndex = -1;
  int32_t IncrementPercent = 10;
  double WandTolerance = -1;
  int32_t DefaultWandTolerance = 10;

  std::string PositionText, ValueText, ModeText;

  // ---- owned parts ----
  TChartImageTool* PictureTool = nullptr;
  TPointSeries* ExtentSeries = nullptr;
  TPointSeries* TriangleSeries = nullptr;
  TPopupMenu* CellMenu = nullptr;
  TPopupMenu* ChartMenu = nullptr;
  TPopupMenu* ColorBarMenu = nullptr;
  TPopupMenu* DepthMenu = nullptr;
  TPopupMenu* DistanceMenu = nullptr;

  // ---- hooks ----
  TNotifyEvent OnStatus;
  std::function<void(double X0, double X1, double TopLeft, double TopRight, double BottomLeft,
                     double BottomRight)>
      HighlightHook;

  // ---- history ----
  undo History;

  // ---- values and layers ----
  // The value of a cell as shown: the current layer's, or layer 0's where the current
  // layer holds HalfSpaceValue.
  double CellValue(int32_t Column, int32_t Row) const;
  // Limits a value to [1e-6, 1e9]; false (value unchanged) for NaN.
  static bool ClampValue(double& Value);
  bool StoreCellValue(int32_t Column, int32_t Row, double& Value);
  void SetHalfSpaceValue(double Value);
  void AddLayer();
  void MergeLayers();
  void PushSnapshot();
  void UpdateStatusTexts();
  void ResetDefaults();
  bool CellInGrid(int32_t Column, int32_t Row) const;
  bool HasGrid() const { return LastColumn >= 1 && LastRow >= 1; }

  // ---- coordinate conversions (picture pixels) ----
  int32_t XToPixel(double X) const;
  int32_t ZToPixel(double Z) const;
  double PixelToX(int32_t X) const;
  double PixelToZ(int32_t Y) const;
  // The surface shift at X inside column I.
  double SurfaceShiftAt(double X, int32_t Column) const;

  // ---- geometry and mesh edits ----
  void UpdateSurfaceOffsets();
  void SetColumnBorders(int32_t Count, const arofdoubleM* Source);
  void SetRowBorders(int32_t Count, const arofdoubleM* Source);
  bool MoveColumnBorder(int32_t Index, double X);
  bool MoveRowBorder(int32_t Index, double Depth);
  void InsertColumnBorder(bool Redraw, double X);
  void InsertRowBorderAt(bool Redraw, double Depth);
  void InsertRowBorder(bool Redraw, double GridDepth);
  void RemoveColumnBorder(int32_t Index, bool Redraw);
  void RemoveRowBorder(int32_t Index, bool Redraw);
  void ThinColumns();
  void ThinRows();
  void ThickColumns();
  void ThickRows();

  // ---- rendering and colour scale ----
  TColor ColorOf(double Value) const;
  double ScaleDifference(double A, double B) const;
  void UpdateSignedLogThreshold();
  void DrawCell(int32_t X0, int32_t YTL, TCanvas* Canvas, bool Full, int32_t Row, int32_t Column, int32_t YBR,
                int32_t YTR, int32_t YBL, int32_t X1);
  void MakeHatchBrush(TBrush& Brush, TColor CellColor, bool Hatched, TColor HatchColor);
  void RedrawCells(TCanvas* Canvas);
  void RedrawCell(int32_t Column, int32_t Row);
  void RedrawCellAt(int32_t Column, int32_t Row) { RedrawCell(Column, Row); }
  void RedrawAdjacentColumns(int32_t Border);
  void RedrawAdjacentRows(int32_t Border);
  void UnhighlightCell(int32_t Column, int32_t Row);
  void HighlightCell(int32_t Column, int32_t Row);
  void RedrawAll();
  void DrawColorBar(int32_t X, int32_t Y, int32_t Width, int32_t Height, TPlotCanvas* Canvas);
  void DrawCursorPointer(double Value);
  void CursorFromBar(int32_t Y);
  void HandleResize(TObject* Sender);
  void HandleAfterDraw(TObject* Sender);
  // The picture the cells are drawn into.
  TBitmap* PictureBitmap() const;
  // Number of DrawCell calls since construction (for tests of partial redraws).
  int64_t DrawCellCount = 0;

  // ---- mouse ----
  void HandleMouseMove(TObject* Sender, TShiftState Shift, int32_t X, int32_t Y);
  void HandleMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void HandleMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
  void ClassifyPoint(int32_t X, int32_t Y);
  bool LocateCell(double X, double Depth, int32_t& Column, int32_t& Row) const;
  void UpdateCursor();
  int32_t HoverBorder();
  int32_t NearestColumnBorder(double X, int32_t& PixelDistance) const;
  int32_t NearestRowBorder(double Depth, int32_t& PixelDistance) const;
  bool ApplyToCell(int32_t Column, int32_t Row, Section2D::TApplyKind Kind, double Percent);
  void ApplyToSelection(Section2D::TApplyKind Kind, double Percent, double SkipValue);
  void ClearFreeForm();
  void ClearSelection();
  bool AppendFreeFormPoint(TPoint P);
  void CollectSelection(bool Cut, bool AddNewLayer);
  void MoveSelection(TPoint Anchor, TPoint End);
  void SelectRegion(int32_t Column, int32_t Row, Section2D::TRegionKind Kind, double Tolerance,
                    const pointarray& Points, TPoint Anchor, TPoint End);

  // ---- menus ----
  void HandleDblClick(TObject* Sender);
  void CellMenuClick(TObject* Sender);
  void SelectionMenuClick(TObject* Sender);
  void MeshMenuClick(TObject* Sender);
  void ChartMenuClick(TObject* Sender);
  void ColorBarMenuClick(TObject* Sender);
  void DepthMenuClick(TObject* Sender);
  void DistanceMenuClick(TObject* Sender);
  void SetScaleRange(int32_t Kind, double Lower, double Upper, double Factor);

private:
  void BuildMenus();
  TPopupMenu* MakeMenu(const std::vector<std::string>& Captions, const std::string& Name,
                       void (TTModelSection2d::*Handler)(TObject*));
  void AddMenuItems(TMenuItem* Parent, const std::vector<std::string>& Captions,
                    void (TTModelSection2d::*Handler)(TObject*));
  void PopupAtMouse(TPopupMenu& Menu);
  // Runs the chart's draw cycle off screen so that the axes know their pixels.
  void LayOut();
  // The picture's size from the extent rectangle of the last layout.
  void SizePicture();
  // The extent the picture covers: the points of ExtentSeries, or the model extent.
  void PictureExtent(double& X0, double& X1, double& Z0, double& Z1) const;
  // Model x and depth to picture pixels, taken once for many conversions.
  struct TPixelMap {
    double X0 = 0, XScale = 0, Z0 = 0, ZScale = 0;
    int32_t X(double Value) const;
    int32_t Z(double Value) const;
  };
  TPixelMap PixelMap() const;
  // The pixel corners of cell (Column, Row) and DrawCell with them.
  void DrawCellAt(TCanvas* Canvas, bool Full, int32_t Column, int32_t Row, const TPixelMap& Map);
  void Fire(const TNotifyEvent& Event) {
    if (Event) Event(this);
  }
  // Scale kind with the switch of a logarithmic scale whose lower end is not positive.
  uint8_t EffectiveKind() const;
  // Position of V on the scale, 0 at ScaleMin and 1 at ScaleMax; false for equal
  // ends or a value that cannot be placed.
  bool ScaleFraction(double V, double& F) const;
  double ScaleValueAt(double F) const;
  // The input loops of the colour-bar commands: false when nothing is to be applied.
  bool AskValue(const std::string& Caption, const std::string& Prompt, const std::string& Default,
                const std::function<bool(double)>& Test, double& Value, bool LimitFirst);

  std::unique_ptr<TBitmap> FHatch;
  bool FLayingOut = false;
};
