// The contoured pseudo-section view: one set of survey values as nodes at a profile
// position and a pseudo-depth, triangulated, contoured into filled colour bands and
// smoothed isolines drawn once into a metafile picture that an image tool stretches
// over the nodes' extent, so that the chart's axes, zoom and scrolling apply to it.
// A colour bar stands beside the plot; a double-click beside the picture opens the
// view's own menu; the look that is not chart style travels as one settings line.
//
// The owner shows a data set by: NextNode := 1; AddNode per datum; LogScale and
// ColorBarCaption; Triangulate(rebuild); BuildLevels; UpdatePicture.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/engine/Chart.h"
#include "chart/series/Series.h"
#include "views/ContourLevels.h"
#include "views/Contouring.h"

class TChartImageTool;
class TLegendScrollBar;
class TMenuItem;
class TMetafile;
class TPlotFont;
class TPopupMenu;
class TPseudoSection2d;

// The grid points of a section with their value labels. On dense data a label
// whose text would overlap one already drawn in the same pass is left out; the
// marks' own switch still shows or hides them all.
class TGridPointSeries : public TPointSeries {
 public:
  using TPointSeries::TPointSeries;
  void BeforeDrawPoints() override;
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  // The text rectangles of the labels drawn in the last pass.
  const std::vector<TRect>& DrawnLabels() const { return FDrawn; }

 private:
  std::vector<TRect> FDrawn;
};

namespace PseudoSection2d {
// The "Contour-section setup" dialog for a view (installed by the main window): it
// fills itself from the view, and on Apply writes the fields back and calls
// Triangulate(false), BuildLevels and UpdatePicture. Answers its modal result.
extern std::function<int(TPseudoSection2d& View)> SetupDialogHook;
// The menu captions, in menu order.
extern const char* const MenuCaptions[8];
// The contour picture's size for a screen: five times the screen each way, within
// what a metafile picture can be replayed at.
TSize PictureSizeFor(int32_t screenWidth, int32_t screenHeight);
// The registry key of the settings line for a prefix.
std::string RegistryKey(const std::string& prefix);
}  // namespace PseudoSection2d

class TPseudoSection2d : public TChart {
  KV_CLASS(TPseudoSection2d, TChart)
public:
  explicit TPseudoSection2d(TComponent* AOwner = nullptr);
  ~TPseudoSection2d() override;
  void Init() override;
  void BeforeDestruction() override;

  // ---- node store and derived state ----
  TContourMesh Mesh;           // nodes, triangles and the picture scale
  TSectionContours Contours;     // levels, colours and limits
  std::vector<dVertex3d>& Nodes = Mesh.Nodes;
  int32_t& NextNode = Mesh.NextNode;  // 1 empties the view
  std::vector<dTriangle>& Triangles = Mesh.Triangles;
  int32_t& TriangleCount = Mesh.TriangleCount;
  int32_t& LevNum = Contours.LevNum;
  arofdoubleM& Levels = Contours.Levels;
  std::vector<TColor>& FillColors = Contours.FillColors;
  std::vector<TColor>& IsolineColors = Contours.IsolineColors;
  arofboolM& LevelLineFlags = Contours.LevelLineFlags;
  TColor& MinContour = Contours.MinContour;
  TColor& Contour1_3 = Contours.Contour1_3;
  TColor& Contour2_3 = Contours.Contour2_3;
  TColor& MaxContour = Contours.MaxContour;
  TColor& MinIsoline = Contours.MinIsoline;
  TColor& MaxIsoline = Contours.MaxIsoline;
  bool& LogScale = Contours.LogScale;
  bool& UseExternal = Contours.UseExternal;
  double& ExtMin = Contours.ExtMin;
  double& ExtMax = Contours.ExtMax;
  double& DataMin = Contours.DataMin;
  double& DataMax = Contours.DataMax;
  double& LevelMin = Contours.LevelMin;
  double& LevelMax = Contours.LevelMax;
  std::vector<cref>& ColorNames = Contours.ColorNames;
  bool& ColorNamesFound = Contours.ColorNamesFound;
  std::string& LevelFile = Contours.LevelFile;

  bool LinesVisible = true;
  bool ColorBarVisible = true;
  std::string ColorBarCaption;
  std::unique_ptr<TPlotFont> ColorBarFont;
  std::unique_ptr<TMetafile> Picture;
  int32_t PictureWidth = 0, PictureHeight = 0;

  double CursorX = 0.0, CursorY = 0.0;
  std::string CursorText;
  // Region under the mouse: 0 over the picture, 1 left of the plot, 2 right, 3 above,
  // 4 below.
  uint8_t MouseZone = 0;
  std::string DefaultSettings;
  TNotifyEvent OnStatus;     // after each mouse move over the view
  TNotifyEvent OnPopupDone;  // after each command of the view's menu
  TPseudoSection2d* PopupChart = nullptr;

  TChartImageTool* ImageTool = nullptr;
  TPointSeries* FrameSeries = nullptr;
  TPointSeries* StationSeries = nullptr;
  TPointSeries* GridSeries = nullptr;
  TPointSeries* MarkerSeries = nullptr;
  TLegendScrollBar* LegendScrollBar = nullptr;
  TPopupMenu* PopupMenu = nullptr;

  // ---- nodes, contours, picture ----
  void AddNode(double x, double y, double value, bool outline);
  // The three steps of a redraw after a settings change, in this order; virtual
  // so that a caller's order can be observed.
  virtual void Triangulate(bool rebuild);
  // Levels and colours; a level file with bad lines is told once in a message box.
  virtual void BuildLevels();
  virtual void UpdatePicture(TObject* Sender);
  void Redraw() { UpdatePicture(this); }
  bool RenderPicture();
  // Puts the legend beside the plot, right of the colour bar. Runs again on the first
  // drawing after every change of the view's size.
  void PlaceLegend(TObject* Sender);
  void SetDefaults();

  // ---- settings ----
  std::string SettingsToStr() const;
  // Applies a settings line, then rebuilds the levels. A malformed line changes
  // nothing and is told in a message box; an empty one is ignored.
  bool SettingsFromStr(const std::string& line);
  void SaveSettings(const std::string& prefix) const;
  void LoadSettings(const std::string& prefix);
  TPseudoSectionSettings Settings() const;
  void ApplySettings(const TPseudoSectionSettings& settings);

  // ---- menu and exports ----
  void ChartDblClick(TObject* Sender);
  void PopupClick(TObject* Sender);
  // Writes the node table; false, with a message box, when the file cannot be written.
  bool SaveXYZ(const std::string& fileName);
  // Writes the chart in its own rectangle as an enhanced metafile.
  bool SavePicture(const std::string& fileName);

  // ---- handlers ----
  void ChartMouseMove(TShiftState Shift, int32_t X, int32_t Y);
  void ChartAfterDraw(TObject* Sender);

  // The axis mappings of the node coordinates at the last UpdatePicture.
  Contouring::TAxisMapping HorizontalMapping() const;
  Contouring::TAxisMapping VerticalMapping() const;

protected:
  // The plot rectangle is final here: a resized view puts its legend back beside it.
  void FireBeforeDrawSeries() override;

private:
  // The view size of the layout the legend was last placed from; (-1, -1) before the
  // first drawing, when the plot rectangle is not known yet.
  TPoint FLaidOutSize{-1, -1};
  TPoint FLegendPlacedFor{-1, -1};

  void CreateParts();
  void ReadColorNames();
  void SetupAxes();
  TMenuItem* AddMenuItem(const char* caption);
  void ToggleLogScale();
};
