#include "views/PseudoSection2d.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "chart/engine/PlotEngine_Marks.h"
#include "chart/series/PlotLegendScrollBar.h"
#include "chart/series/PlotPrevi.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "numerics/Supermath2d.h"
#include "platform/gdi/Metafile.h"
#include "platform/rtl/FileStore.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "views/Multigraphics.h"

KV_CLASS_IMPL(TPseudoSection2d, TChart) {}

void TGridPointSeries::BeforeDrawPoints() {
  // Each pass over the points starts with no label drawn.
  FDrawn.clear();
  TPointSeries::BeforeDrawPoints();
}

void TGridPointSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  // The text itself with a small gap each side, centred on the point, not the
  // padded box around it.
  TCanvas3D* canvas = GetParentChart() ? GetParentChart()->GetCanvas() : nullptr;
  int32_t width = Position.Width;
  if (canvas) {
    int32_t widest = 0;
    for (const std::string& line : PlotEngine::MarkTextLines(Text)) widest = std::max(widest, canvas->TextWidth(line));
    width = std::min(width, widest + 6);
  }
  const int32_t centre = Position.TopLeft.X + Position.Width / 2;
  const TRect r(centre - width / 2, Position.TopLeft.Y, centre - width / 2 + width, Position.TopLeft.Y + Position.Height);
  for (const TRect& d : FDrawn)
    if (r.Left < d.Right && d.Left < r.Right && r.Top < d.Bottom && d.Top < r.Bottom) return;
  FDrawn.push_back(r);
  TPointSeries::PaintMark(Index, Text, Position);
}

namespace PseudoSection2d {

std::function<int(TPseudoSection2d& View)> SetupDialogHook;

const char* const MenuCaptions[8] = {"Log data scale", "Display grid point", "Display ColorBar", "Setup",
                                     "Print preview",  "Save picture",       "Save XYZ file",    "Default"};

}  // namespace PseudoSection2d

namespace {

using Supermath2d::NoValue;


void HidePointerAndLegend(TPointSeries& series) {
  series.Pointer()->SetVisible(false);
  series.SetShowInLegend(false);
}

void SetPointerLook(TPointSeries& series, int32_t size, TSeriesPointerStyle style) {
  TSeriesPointer* pointer = series.Pointer();
  pointer->SetVisible(true);
  pointer->SetHorizSize(size);
  pointer->SetVertSize(size);
  pointer->SetStyle(style);
  pointer->SetColor(clBlack);
  pointer->Brush()->SetColor(clBlack);
}

Contouring::TAxisMapping MappingOf(const TChartAxis& axis) {
  Contouring::TAxisMapping m;
  if (axis.GetLogarithmic()) {
    m.Transform = axis.LinLogActive ? Contouring::TAxisTransform::LinLog : Contouring::TAxisTransform::Log;
    m.Threshold = axis.LinLogThreshold;
  }
  return m;
}

}  // namespace

TPseudoSection2d::TPseudoSection2d(TComponent* AOwner) : TChart(AOwner) {}

TPseudoSection2d::~TPseudoSection2d() = default;

void TPseudoSection2d::Init() {
  TChart::Init();
  ColorNames.assign(1, cref{});
  LevelFile.clear();
  ReadColorNames();
  ColorBarFont = std::make_unique<TPlotFont>();
  ColorBarFont->SetName("Small fonts");
  ColorBarFont->SetSize(7);
  CreateParts();

  // The chart's own look.
  SetAllowZoom(true);
  BackWall()->Brush()->SetColor(clWhite);
  BackWall()->Brush()->SetStyle(bsClear);
  SetMarginUnits(muPixels);
  Zoom().GetPen()->SetColor(clBlack);
  Title()->SetVisible(true);
  Title()->Font()->SetName("arial");
  Title()->Font()->SetSize(8);
  SetView3D(false);
  SetView3DWalls(true);
  Walls()->Show3DWalls(true);
  SetBevelOuter(bvNone);
  SetColor(clWhite);
  SetupAxes();

  TChartLegend* legend = Legend();
  legend->SetVisible(false);
  legend->SetCustomPosition(true);
  legend->SetCheckBoxes(true);
  legend->SetResizeChart(false);
  legend->Font()->SetName("small fonts");
  legend->Font()->SetSize(7);
  legend->SetPositionUnits(muPixels);

  LegendScrollBar = Create<TLegendScrollBar>(this);
  LegendScrollBar->SetParentChart(this);
  LegendScrollBar->Brush()->SetColor(clWhite);
  LegendScrollBar->SetActive(true);
  LegendScrollBar->DrawStyle = dsAlways;
  LegendScrollBar->Pen()->SetColor(clWindowFrame);
  LegendScrollBar->SetSize(7);
  LegendScrollBar->ThumbBrush()->SetColor(0xC0C0C0);

  Chart::StoreAxesDefaults(this);

  PopupMenu = new TPopupMenu(this);
  for (const char* caption : PseudoSection2d::MenuCaptions) AddMenuItem(caption);

  ExtMax = NoValue;
  ExtMin = NoValue;
  LinesVisible = true;
  NextNode = 1;
  TriangleCount = 0;
  SetDefaults();

  OnDblClick = [this] { ChartDblClick(this); };
  OnSeriesPopupCommand = [this](TObject* Sender) { UpdatePicture(Sender); };
  LeftAxis()->OnAxisChange = [this](TObject* Sender) { UpdatePicture(Sender); };
  BottomAxis()->OnAxisChange = [this](TObject* Sender) { UpdatePicture(Sender); };
  OnAfterDraw = [this](TObject* Sender) { ChartAfterDraw(Sender); };
  OnMouseMove = [this](TShiftState Shift, int32_t X, int32_t Y) { ChartMouseMove(Shift, X, Y); };
  OnMouseDown = [](TMouseButton, TShiftState, int32_t, int32_t) {};
  OnMouseUp = [](TMouseButton, TShiftState, int32_t, int32_t) {};

  const TSize size = PseudoSection2d::PictureSizeFor(Screen->GetWidth(), Screen->GetHeight());
  PictureWidth = size.cx;
  PictureHeight = size.cy;
  Mesh.PictureWidth = PictureWidth;
  Mesh.PictureHeight = PictureHeight;
  Picture = std::make_unique<TMetafile>(PictureWidth, PictureHeight);

  PlaceLegend(this);
  Title()->ClearLines();
}

void TPseudoSection2d::BeforeDestruction() {
  // The series and tools are components of the view and go with it; the stores are
  // plain arrays.
  Mesh.Nodes.clear();
  Mesh.Triangles.clear();
  Mesh.NextNode = 1;
  Mesh.TriangleCount = 0;
  TChart::BeforeDestruction();
}

void TPseudoSection2d::ReadColorNames() {
  const std::string file = SysUtils::ExtractFilePath(Application->ExeName()) + "attrib.ini";
  std::vector<cref> names;
  if (ContourLevels::ReadColorNames(file, names)) {
    ColorNamesFound = true;
    ColorNames.insert(ColorNames.end(), names.begin(), names.end());
  }
}

void TPseudoSection2d::CreateParts() {
  FrameSeries = Create<TPointSeries>(this);
  FrameSeries->SetParentChart(this);
  HidePointerAndLegend(*FrameSeries);
  ImageTool = Create<TChartImageTool>(this);
  ImageTool->SetParentChart(this);
  ImageTool->SetSeries(FrameSeries);
  ImageTool->SwapVertical = true;

  GridSeries = Create<TGridPointSeries>(this);
  GridSeries->SetParentChart(this);
  SetPointerLook(*GridSeries, 2, TSeriesPointerStyle::psCircle);
  Multigraphics::ApplyLabelMarks(*GridSeries);
  GridSeries->StoreDefaultText();
  GridSeries->XValues()->SetOrder(loNone);
  GridSeries->YValues()->SetOrder(loNone);
  Chart::LoadSeriesFormat(this, "res2d_ps_grid", GridSeries);

  StationSeries = Create<TPointSeries>(this);
  StationSeries->SetParentChart(this);
  StationSeries->SetShowInLegend(false);
  SetPointerLook(*StationSeries, 3, TSeriesPointerStyle::psDownTriangle);
  StationSeries->SetSeriesColor(clBlack);
  StationSeries->SetColorEachPoint(true);
  StationSeries->StoreDefaultText();
  Chart::LoadSeriesFormat(this, "res2d_ps_st", StationSeries);

  MarkerSeries = Create<TPointSeries>(this);
  MarkerSeries->SetParentChart(this);
  SetPointerLook(*MarkerSeries, 3, TSeriesPointerStyle::psCircle);
  MarkerSeries->SetSeriesColor(clBlack);
  MarkerSeries->SetColorEachPoint(true);
  MarkerSeries->Cursor = crCross;
  MarkerSeries->StoreDefaultText();
  GridSeries->SetShowInLegend(false);
  MarkerSeries->SetShowInLegend(false);
}

void TPseudoSection2d::SetupAxes() {
  TChartAxis* left = LeftAxis();
  left->SetAutomatic(true);
  left->SetInverted(true);  // depth grows downward
  left->Grid()->SetVisible(false);
  left->SetStartPosition(5);
  left->SetLabelsSize(1);
  left->SetMinorTickCount(1);
  left->LogLabelFormat = true;
  left->LinLogDecShift = 1;
  left->SetLogarithmic(false);
  left->TitlePlacementOn = true;
  left->Axis()->SetVisible(false);
  left->SetLabelStyle(talValue);
  TChartAxis* bottom = BottomAxis();
  bottom->SetLabelsSize(1);
  bottom->SetMinorTickCount(1);
  bottom->Axis()->SetVisible(false);
  bottom->SetAutomatic(true);
  bottom->Grid()->SetVisible(false);
  bottom->LogLabelFormat = true;
  bottom->LinLogDecShift = 1;
  bottom->SetLabelStyle(talValue);
  TChartAxis* right = RightAxis();
  right->SetLabelsSize(1);
  right->Axis()->SetWidth(0);
}

TMenuItem* TPseudoSection2d::AddMenuItem(const char* caption) {
  auto* item = new TMenuItem(PopupMenu);
  item->SetCaption(caption);
  item->OnClick = [this](TObject* Sender) { PopupClick(Sender); };
  PopupMenu->Items()->Add(item);
  return item;
}

void TPseudoSection2d::SetDefaults() {
  ColorBarVisible = true;
  LogScale = false;
  MinContour = 0x0000FF;
  MaxContour = 0xFF0000;
  Contour1_3 = 0x00FFFF;
  Contour2_3 = 0x008000;
  MinIsoline = 0xFF0000;
  MaxIsoline = 0x0000FF;
  SetMargin(0, 25);
  SetMargin(2, 70);
  SetMargin(1, 1);
  SetMargin(3, 20);
  LevNum = 15;
}

// ---- nodes, contours, picture ----

void TPseudoSection2d::AddNode(double x, double y, double value, bool outline) {
  Contouring::AddNode(Mesh, x, y, value, outline);
}

void TPseudoSection2d::Triangulate(bool rebuild) {
  Contouring::Triangulate(Mesh, Contours, rebuild);
  const int32_t n = NextNode - 1;
  if (GridSeries == nullptr) return;
  if (rebuild || (GridSeries->GetActive() && GridSeries->Count() == 0)) {
    GridSeries->Clear();
    GridSeries->Pointer()->SetVisible(true);
    for (int32_t b = 1; b <= n; ++b) {
      const dVertex3d& v = Nodes[static_cast<size_t>(b)];
      GridSeries->AppendPoint(v.x0, v.y0, v.text, clDefault);
    }
  } else if (GridSeries->GetActive()) {
    for (int32_t b = 1; b <= n && b - 1 < GridSeries->Count(); ++b)
      GridSeries->SetLabel(b - 1, Nodes[static_cast<size_t>(b)].text);
  }
}

void TPseudoSection2d::BuildLevels() {
  std::string warning;
  Contouring::BuildLevels(Mesh, Contours, warning);
  if (!warning.empty()) Dialogs::ShowMessage(warning);
}

Contouring::TAxisMapping TPseudoSection2d::HorizontalMapping() const { return MappingOf(*BottomAxis()); }
Contouring::TAxisMapping TPseudoSection2d::VerticalMapping() const { return MappingOf(*LeftAxis()); }

void TPseudoSection2d::UpdatePicture(TObject* /*Sender*/) {
  if (NextNode < 3 || ImageTool == nullptr || !ImageTool->GetActive()) return;
  double xmin = Nodes[1].x0, xmax = xmin, ymin = Nodes[1].y0, ymax = ymin;
  for (int32_t i = 2; i < NextNode; ++i) {
    const dVertex3d& v = Nodes[static_cast<size_t>(i)];
    xmin = std::min(xmin, v.x0);
    xmax = std::max(xmax, v.x0);
    ymin = std::min(ymin, v.y0);
    ymax = std::max(ymax, v.y0);
  }
  if (FrameSeries->Count() == 2) {
    FrameSeries->SetXValue(0, xmin);
    FrameSeries->SetYValue(0, ymin);
    FrameSeries->SetXValue(1, xmax);
    FrameSeries->SetYValue(1, ymax);
  } else {
    FrameSeries->Clear();
    FrameSeries->AppendPoint(xmin, ymin);
    FrameSeries->AppendPoint(xmax, ymax);
  }
  Invalidate();
  Contouring::SetPlotCoordinates(Mesh, HorizontalMapping(), VerticalMapping());
  Contouring::SetPictureScale(Mesh);
  RenderPicture();
  ImageTool->Picture()->SetGraphic(Picture.get());
}

bool TPseudoSection2d::RenderPicture() {
  Mesh.PictureWidth = PictureWidth;
  Mesh.PictureHeight = PictureHeight;
  return Contouring::RenderPicture(Mesh, Contours, LinesVisible, *Picture);
}

void TPseudoSection2d::PlaceLegend(TObject* /*Sender*/) {
  Invalidate();
  Legend()->SetLeft(ChartRect.Right + 15);
  Legend()->SetTop(ChartRect.Top);
  FLegendPlacedFor = FLaidOutSize;
}

void TPseudoSection2d::FireBeforeDrawSeries() {
  TChart::FireBeforeDrawSeries();
  FLaidOutSize = TPoint(GetWidth(), GetHeight());
  if (FLaidOutSize != FLegendPlacedFor) PlaceLegend(this);
}

// ---- settings ----

TPseudoSectionSettings TPseudoSection2d::Settings() const {
  TPseudoSectionSettings s;
  s.MinContour = MinContour;
  s.MaxContour = MaxContour;
  s.MinIsoline = MinIsoline;
  s.MaxIsoline = MaxIsoline;
  s.Contour1_3 = Contour1_3;
  s.Contour2_3 = Contour2_3;
  s.LevNum = LevNum;
  s.MarginLeft = GetMargin(0);
  s.MarginRight = GetMargin(2);
  s.MarginTop = GetMargin(1);
  s.MarginBottom = GetMargin(3);
  s.UseExternal = UseExternal;
  s.LinesVisible = LinesVisible;
  s.LogScale = LogScale;
  s.ColorBarVisible = ColorBarVisible;
  s.GridVisible = GridSeries && GridSeries->GetActive();
  s.ExtMax = ExtMax;
  s.ExtMin = ExtMin;
  return s;
}

void TPseudoSection2d::ApplySettings(const TPseudoSectionSettings& s) {
  MinContour = s.MinContour;
  MaxContour = s.MaxContour;
  MinIsoline = s.MinIsoline;
  MaxIsoline = s.MaxIsoline;
  Contour1_3 = s.Contour1_3;
  Contour2_3 = s.Contour2_3;
  LevNum = s.LevNum;
  SetMargin(0, s.MarginLeft);
  SetMargin(1, s.MarginTop);
  SetMargin(2, s.MarginRight);
  SetMargin(3, s.MarginBottom);
  UseExternal = s.UseExternal;
  LinesVisible = s.LinesVisible;
  LogScale = s.LogScale;
  ColorBarVisible = s.ColorBarVisible;
  if (GridSeries) GridSeries->SetActive(s.GridVisible);
  ExtMax = s.ExtMax;
  ExtMin = s.ExtMin;
}

std::string TPseudoSection2d::SettingsToStr() const { return ContourLevels::SettingsToStr(Settings()); }

bool TPseudoSection2d::SettingsFromStr(const std::string& line) {
  TPseudoSectionSettings s = Settings();
  std::string message;
  if (!ContourLevels::SettingsFromStr(line, s, message)) {
    if (!message.empty()) Dialogs::ShowMessage(message);
    return false;
  }
  ApplySettings(s);
  BuildLevels();
  return true;
}

void TPseudoSection2d::SaveSettings(const std::string& prefix) const {
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  if (!reg.OpenKey(PseudoSection2d::RegistryKey(prefix), true))
    throw ERegistryException("Failed to open the registry key " + PseudoSection2d::RegistryKey(prefix));
  reg.WriteString("params", SettingsToStr());
}

void TPseudoSection2d::LoadSettings(const std::string& prefix) {
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  if (!reg.OpenKey(PseudoSection2d::RegistryKey(prefix), true))
    throw ERegistryException("Failed to open the registry key " + PseudoSection2d::RegistryKey(prefix));
  if (reg.ValueExists("params")) SettingsFromStr(reg.ReadString("params"));
}

TSize PseudoSection2d::PictureSizeFor(int32_t screenWidth, int32_t screenHeight) {
  TSize size{5 * std::max(screenWidth, 1), 5 * std::max(screenHeight, 1)};
  // A metafile is replayed through a bitmap of its full size, and pictures of more than
  // 2^26 pixels are not replayed at all: on a large screen both sides shrink by one
  // factor so that the section is still shown.
  const double area = double(size.cx) * size.cy, maxArea = double(int64_t(1) << 26);
  if (area > maxArea) {
    const double f = std::sqrt(maxArea / area);
    size.cx = std::max(1, static_cast<int32_t>(size.cx * f));
    size.cy = std::max(1, static_cast<int32_t>(size.cy * f));
  }
  return size;
}

std::string PseudoSection2d::RegistryKey(const std::string& prefix) {
  return "\\Software\\" + prefix + "_" + Multigraphics::ExecutableFileName() + "_colorbar";
}

// ---- mouse, colour bar ----

void TPseudoSection2d::ChartMouseMove(TShiftState /*Shift*/, int32_t X, int32_t Y) {
  if (NextNode < 3) return;
  CursorX = ImageTool->HorizValueAt(X);
  CursorY = ImageTool->VertValueAt(Y);
  const TRect& image = ImageTool->ImageRect;
  const TRect& plot = ChartRect;
  if (image.Left < X && X <= image.Right && image.Top <= Y && Y <= image.Bottom)
    MouseZone = 0;
  else if (X < plot.Left && plot.Top <= Y && Y <= plot.Bottom)
    MouseZone = 1;
  else if (plot.Left <= X && X <= plot.Right && Y < plot.Top)
    MouseZone = 3;
  else if (plot.Left <= X && X <= plot.Right && Y > plot.Bottom)
    MouseZone = 4;
  else if (X >= plot.Right && plot.Top <= Y && Y <= plot.Bottom)
    MouseZone = 2;
  const double offset = LeftAxis()->GetLogarithmic() ? 0.0 : LeftAxis()->LabelOffset;
  CursorText = Supermath2d::FloatToStrDec(0, 1, CursorX) + " " + Supermath2d::FloatToStrDec(0, 1, CursorY + offset);
  if (OnStatus) OnStatus(this);
}

void TPseudoSection2d::ChartAfterDraw(TObject* /*Sender*/) {
  if (NextNode < 3 || !ColorBarVisible) return;
  const TRect& plot = ChartRect;
  // The caption sits in the title band above the bar; a view without a title keeps it
  // inside its own top edge.
  ContourLevels::PaintColorBar(Contours, *Canvas(), *ColorBarFont, plot.Right + 10, plot.Top, ColorBarCaption,
                               std::abs(plot.Top - plot.Bottom), 15, 0);
}

// ---- menu and exports ----

void TPseudoSection2d::ChartDblClick(TObject* Sender) {
  if (MouseZone == 0) return;
  PopupMenu->Items()->GetItem(0)->SetChecked(LogScale);
  PopupMenu->Items()->GetItem(1)->SetChecked(GridSeries->GetActive());
  PopupMenu->Items()->GetItem(2)->SetChecked(ColorBarVisible);
  MouseCancelled = true;
  PopupChart = dynamic_cast<TPseudoSection2d*>(Sender);
  if (PopupChart == nullptr) PopupChart = this;
  const TPoint at = OnCursorPos ? OnCursorPos() : TPoint(0, 0);
  PopupMenu->Popup(at.X, at.Y);
  MouseCancelled = true;
}

void TPseudoSection2d::ToggleLogScale() {
  const bool was = LogScale;
  LogScale = !LogScale && LevelMin > 0.0 && ExtMin > 0.0;
  if (LogScale != was) {
    BuildLevels();
    UpdatePicture(this);
  }
}

void TPseudoSection2d::PopupClick(TObject* Sender) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (item == nullptr) return;
  TPseudoSection2d* chart = PopupChart ? PopupChart : this;
  switch (item->GetMenuIndex()) {
    case 0:
      ToggleLogScale();
      break;
    case 1:
      GridSeries->SetActive(!GridSeries->GetActive());
      break;
    case 2:
      ColorBarVisible = !ColorBarVisible;
      Invalidate();
      break;
    case 3:
      if (PseudoSection2d::SetupDialogHook) PseudoSection2d::SetupDialogHook(*this);
      break;
    case 4:
      PlotPrevi::ShowChartPreview(this, chart);
      break;
    case 5: {
      TSaveDialog dialog(this);
      dialog.Filter = "Meta files [*.emf]|*.emf";
      if (dialog.Execute() && !SavePicture(SysUtils::ChangeFileExt(dialog.FileName, ".emf"))) return;
      break;
    }
    case 6: {
      TSaveDialog dialog(this);
      dialog.Filter = "XYZ files [*.dat]|*.dat";
      if (dialog.Execute() && !SaveXYZ(SysUtils::ChangeFileExt(dialog.FileName, ".dat"))) return;
      break;
    }
    case 7:
      if (!DefaultSettings.empty()) SettingsFromStr(DefaultSettings);
      break;
    default:
      return;
  }
  if (OnPopupDone) OnPopupDone(this);
}

bool TPseudoSection2d::SaveXYZ(const std::string& fileName) {
  const std::string text = Contouring::XyzText(Mesh);
  std::string error;
  if (!FileStore::WriteFileAtomic(fileName, text, error)) {
    Dialogs::ShowMessage("Cannot write the file \"" + fileName + "\".");
    return false;
  }
  return true;
}

bool TPseudoSection2d::SavePicture(const std::string& fileName) {
  try {
    SaveMetafileRect(true, fileName, TRect(0, 0, GetWidth(), GetHeight()));
  } catch (const std::exception& e) {
    Dialogs::ShowMessage("Cannot write the picture \"" + fileName + "\": " + e.what());
    return false;
  }
  return true;
}
