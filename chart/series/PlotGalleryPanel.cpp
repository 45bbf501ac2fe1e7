// The series gallery panel, its sample charts and the sub-gallery window.
#include "chart/series/PlotGalleryPanel.h"

#include <algorithm>

#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/Series.h"
#include "platform/rtl/Restore.h"

namespace {
constexpr TColor GalleryGrey = 0x808080;
constexpr TColor GalleryNavy = 0x800000;
const char* const SmoothGalleryKey = "SmoothGallery";
}  // namespace

// ============================================================================
// Sample chart
// ============================================================================

KV_CLASS_IMPL(TGalleryChart, TCustomChart) {}

TGalleryChart::TGalleryChart(TComponent* Owner) : TCustomChart(Owner) {
  Legend()->SetVisible(false);
  LeftAxis()->SetLabels(false);
  BottomAxis()->SetLabels(false);
  Title()->Font()->SetColor(GalleryNavy);
  SetAnimatedZoom(true);
  TView3DOptions* V = View3DOptions();
  V->SetOrthogonal(false);
  V->SetZoom(90);
  V->SetPerspective(55);
  auto* Gallery = dynamic_cast<TChartGalleryPanel*>(Owner);
  if (!Gallery || Gallery->FocusRotation) {
    V->SetRotation(335);
    V->SetElevation(350);
  }
  SetChart3DPercent(100);
  SetClipPoints(false);
  Frame()->SetVisible(false);
  SetBevelWidth(2);
  SetBevelOuter(bvNone);
  for (TChartWall* Wall : {static_cast<TChartWall*>(LeftWall()), static_cast<TChartWall*>(BottomWall())}) {
    Wall->SetColor(clWhite);
    Wall->SetSize(4);
    Wall->Pen()->SetColor(GalleryGrey);
  }
}

void TGalleryChart::SetSmooth(bool Value) {
  if (FSmooth == Value) return;
  FSmooth = Value;
  if (!Value) ShowAxisLabels(false);
  Invalidate();
}

void TGalleryChart::ShowAxisLabels(bool Value) {
  LeftAxis()->SetLabels(Value);
  BottomAxis()->SetLabels(Value);
}

void TGalleryChart::DrawPicture(TCanvas& Target, int32_t W, int32_t H) {
  SetBounds(W, H);
  DrawTo(Target, TRect(0, 0, W, H));
  if (!FSmooth || MakingPicture || W < 4 || H < 4) return;

  // The big picture leaves out the title, which stays crisp from the
  // ordinary picture above; everything changed here comes back exactly.
  const bool TitleVisible = Title()->GetVisible();
  const int32_t TitleBottom = TitleVisible && Title()->Text()->Count() > 0 ? Title()->PlacedRect.Bottom + 1 : 0;
  const TRect TitleRect = Title()->PlacedRect;
  const int32_t TopMargin = GetMargin(1);
  const bool LeftLabels = LeftAxis()->GetLabels(), BottomLabels = BottomAxis()->GetLabels();
  const int32_t LeftSize = LeftAxis()->LabelsFont()->GetSize(), BottomSize = BottomAxis()->LabelsFont()->GetSize();
  MakingPicture = true;
  struct TRestore {
    TGalleryChart& C;
    bool TitleVisible, LeftLabels, BottomLabels;
    TRect TitleRect;
    int32_t TopMargin, LeftSize, BottomSize, W, H;
    ~TRestore() {
      C.MakingPicture = false;
      C.Title()->SetVisible(TitleVisible);
      C.Title()->PlacedRect = TitleRect;
      C.SetMargin(1, TopMargin);
      C.LeftAxis()->SetLabels(LeftLabels);
      C.BottomAxis()->SetLabels(BottomLabels);
      C.LeftAxis()->LabelsFont()->SetSize(LeftSize);
      C.BottomAxis()->LabelsFont()->SetSize(BottomSize);
      C.SetBounds(W, H);
    }
  } Restore{*this, TitleVisible, LeftLabels, BottomLabels, TitleRect, TopMargin, LeftSize, BottomSize, W, H};

  Title()->SetVisible(false);
  SetMargin(1, 30);
  const bool AxesShown = GetAxisVisible();
  ShowAxisLabels(AxesShown && LeftLabels);
  LeftAxis()->LabelsFont()->SetSize(LeftSize * 2);
  BottomAxis()->LabelsFont()->SetSize(BottomSize * 2);
  TBitmap Big(4 * W, 4 * H);
  DrawTo(*Big.GetCanvas(), TRect(0, 0, 4 * W, 4 * H));
  TBitmap Small(W, H);
  PlotCanvas::SmoothStretchMode(&Big, &Small, true);
  const int32_t Top = std::min(TitleBottom, H - 1);
  Target.CopyRect(TRect(0, Top, W, H), *Small.GetCanvas(), TRect(0, Top, W, H));
}

// ============================================================================
// Chart window
// ============================================================================

KV_CLASS_IMPL(TGalleryChartWindow, TPlotPanelControl) {}

TGalleryChartWindow::TGalleryChartWindow(TChartGalleryPanel* Gallery, TGalleryChart* Chart)
    : TPlotPanelControl(Gallery, Chart), FGallery(Gallery), FChart(Chart) {
  Chart->Window = this;
}

void TGalleryChartWindow::Paint() {
  TCanvas& C = *GetCanvas();
  FChart->WindowCanvas = &C;
  FChart->DrawPicture(C, GetWidth(), GetHeight());
  FGallery->DrawChartOverlay(*FChart, C);
}

void TGalleryChartWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPlotPanelControl::MouseDown(Button, Shift, X, Y);
  if (FChart->GalleryEnabled) FGallery->ChartPressed(FChart, TPoint(X, Y));
}

void TGalleryChartWindow::DblClick() {
  TPlotPanelControl::DblClick();
  if (FChart->GalleryEnabled) FGallery->SelectChart(FChart);
}

void TGalleryChartWindow::MouseEnter() {
  TPlotPanelControl::MouseEnter();
  if (!FChart->GalleryEnabled) return;
  Hovered = true;
  Invalidate();
}

void TGalleryChartWindow::MouseLeave() {
  TPlotPanelControl::MouseLeave();
  if (!Hovered) return;
  Hovered = false;
  Invalidate();
}

// ============================================================================
// Chart list
// ============================================================================

int32_t TChartList::IndexOf(const TGalleryChart* Chart) const {
  const auto It = std::find(FItems.begin(), FItems.end(), Chart);
  return It == FItems.end() ? -1 : static_cast<int32_t>(It - FItems.begin());
}

void TChartList::Clear() {
  std::vector<TGalleryChart*> Items;
  Items.swap(FItems);
  for (TGalleryChart* Chart : Items) {
    // The window draws the chart: it goes first.
    if (Chart->Window) Chart->Window->Free();
    Chart->Window = nullptr;
    Chart->Free();
  }
}

// ============================================================================
// Gallery panel
// ============================================================================

KV_CLASS_IMPL(TChartGalleryPanel, TPanel) {
  c.Property("DisplaySub", &TChartGalleryPanel::DisplaySub).Default(true);
  c.Property("FocusRotation", &TChartGalleryPanel::FocusRotation).Default(true);
  c.Property("NumCols", &TChartGalleryPanel::GetNumCols, &TChartGalleryPanel::SetNumCols).Default(4);
  c.Property("NumRows", &TChartGalleryPanel::GetNumRows, &TChartGalleryPanel::SetNumRows).Default(3);
  c.Property("Smooth", &TChartGalleryPanel::GetSmooth, &TChartGalleryPanel::SetSmooth).Default(false);
  c.Property("View3D", &TChartGalleryPanel::GetView3D, &TChartGalleryPanel::SetView3D).Default(true);
}

TChartGalleryPanel::TChartGalleryPanel(TComponent* Owner) : TPanel(Owner) {
  PlotGalleryPanel::Initialization();
  SetCaption("");
  SetTabStop(true);
  FSmooth = PlotProcs::ReadEditorBool(SmoothGalleryKey, false);
  FSmoothAtStart = FSmooth;
}

TChartGalleryPanel::~TChartGalleryPanel() = default;

void TChartGalleryPanel::BeforeDestruction() {
  if (FSmooth != FSmoothAtStart) PlotProcs::WriteEditorBool(SmoothGalleryKey, FSmooth);
  FCharts.Clear();
  FSelected = nullptr;
  if (FSubForm) {
    FSubForm->Free();
    FSubForm = nullptr;
    FSubPanel = nullptr;
  }
  TPanel::BeforeDestruction();
}

void TChartGalleryPanel::SetNumCols(int32_t Value) {
  FNumCols = Value;
  CalcChartSizes();
  PlaceCharts();
}

void TChartGalleryPanel::SetNumRows(int32_t Value) {
  FNumRows = Value;
  CalcChartSizes();
  PlaceCharts();
}

void TChartGalleryPanel::SetView3D(bool Value) {
  if (FView3D == Value) return;
  FView3D = Value;
  for (int32_t i = 0; i < FCharts.Count(); ++i) {
    TGalleryChart* Chart = FCharts.GetChart(i);
    if (Chart->SeriesCount() > 0) Chart->GetSeries(0)->ChangeView3D(Value);
    SetChartMargins(*Chart);
  }
}

void TChartGalleryPanel::SetSmooth(bool Value) {
  if (FReading || FSmooth == Value) return;
  FSmooth = Value;
  for (int32_t i = 0; i < FCharts.Count(); ++i) FCharts.GetChart(i)->SetSmooth(Value);
}

void TChartGalleryPanel::Resize() {
  TPanel::Resize();
  CalcChartSizes();
  PlaceCharts();
}

void TChartGalleryPanel::CalcChartSizes() {
  if (FNumCols == 0 || FNumRows == 0) {
    FCellWidth = FCellHeight = 0;
    return;
  }
  const int32_t Frame = BevelWidth + BorderWidth;
  FCellWidth = (GetWidth() - Frame) / FNumCols;
  FCellHeight = (GetHeight() - Frame) / FNumRows;
}

void TChartGalleryPanel::PlaceCharts() {
  if (FNumCols <= 0) return;
  const int32_t B = BevelWidth + BorderWidth;
  for (int32_t k = 0; k < FCharts.Count(); ++k) {
    TGalleryChart* Chart = FCharts.GetChart(k);
    const int32_t Col = k % FNumCols, Row = k / FNumCols;
    const int32_t L = B + Col * FCellWidth, T = B + Row * FCellHeight;
    const int32_t R = L + std::min(FCellWidth, GetWidth() - B) - 1;
    const int32_t Bo = T + std::min(FCellHeight, GetHeight() - B) - 1;
    if (Chart->Window) Chart->Window->SetBounds(L, T, std::max(0, R - L + 1), std::max(0, Bo - T + 1));
    Chart->SetBounds(std::max(0, R - L + 1), std::max(0, Bo - T + 1));
  }
}

void TChartGalleryPanel::SetChartMargins(TGalleryChart& Chart) {
  const int32_t M = Chart.GetView3D() ? 4 : 5;
  for (int i = 0; i < 4; ++i) Chart.SetMargin(i, M);
}

TGalleryChart* TChartGalleryPanel::AddChart() {
  auto* Chart = Create<TGalleryChart>(this);
  Chart->SetColor(GetColor());
  FCharts.Add(Chart);
  auto* Window = Create<TGalleryChartWindow>(this, Chart);
  Window->SetParent(this);
  PlaceCharts();
  WireChart(*Chart, true);
  return Chart;
}

void TChartGalleryPanel::WireChart(TGalleryChart& Chart, bool Enabled) {
  Chart.GalleryEnabled = Enabled;
  const TCursor Cursor = Enabled ? crHandPoint : crNoDrop;
  Chart.SetOriginalCursor(Cursor);
  if (Chart.Window) {
    Chart.Window->SetCursor(Cursor);
    Chart.Window->SetEnabled(true);
    if (!IsSubGallery)
      Chart.Window->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState Shift) { KeyDown(Key, Shift); };
  }
  if (Enabled) return;
  Chart.Title()->Font()->SetColor(GalleryGrey);
  for (TChartWall* Wall : {static_cast<TChartWall*>(Chart.LeftWall()), static_cast<TChartWall*>(Chart.BottomWall())})
    Wall->Pen()->SetColor(GalleryGrey);
  for (TChartAxis* Axis : {Chart.LeftAxis(), Chart.BottomAxis(), Chart.TopAxis(), Chart.RightAxis()}) {
    Axis->Axis()->SetColor(clWhite);
    Axis->Axis()->SetWidth(1);
  }
}

void TChartGalleryPanel::ApplyGalleryLook(TGalleryChart& Chart, TClass FunctionClass, bool Enabled) {
  if (Chart.SeriesCount() > 0) Chart.GetSeries(0)->ChangeView3D(FView3D);
  if (FunctionClass) {
    std::unique_ptr<TObject, void (*)(TObject*)> Function(FunctionClass->CreateInstance(nullptr),
                                                          [](TObject* O) { FreeObject(O); });
    if (auto* F = dynamic_cast<TPlotFunction*>(Function.get())) F->PrepareForGallery(&Chart);
  } else {
    for (int32_t i = 0; i < Chart.SeriesCount(); ++i) Chart.GetSeries(i)->PrepareForGallery(Enabled);
  }
  SetChartMargins(Chart);
  Chart.ShowAxisLabels(false);
  Chart.SetSmooth(FSmooth);
}

TGalleryChart* TChartGalleryPanel::CreateGalleryChart(const TPlotSeriesType& Type) {
  const TClass SeriesClass = Type.SeriesClassRef ? Type.SeriesClassRef : TLineSeries::StaticClass();
  TGalleryChart* Chart = AddChart();
  Chart->SetAutoRepaint(false);
  TStringList* Lines = Chart->Title()->Text();
  Lines->Clear();
  std::string Description = Type.Description(), Line;
  for (char C : Description) {
    if (C == '\r') {
      Lines->Add(Line);
      Line.clear();
    } else if (C != '\n') {
      Line += C;
    }
  }
  Lines->Add(Line);
  Chart->SetName(PlotProcs::UniqueName(this, "PlotGalleryChart"));
  const int32_t N = std::max(1, Type.SampleSeriesCount);
  for (int32_t i = 0; i < N; ++i) Chart::MakeSeries(this, Chart, SeriesClass, Type.FunctionClassRef);
  bool Enabled = true;
  // The pair must be able to feed each other: a type whose series the
  // reference would not take as a source (a high-low reference takes only
  // high-low series) cannot hold the reference's data.
  if (CheckCompatibility && ReferenceSeries && Chart->SeriesCount() > 0)
    Enabled = Chart->GetSeries(0)->AcceptsDataSource(ReferenceSeries.Get()) &&
              ReferenceSeries->AcceptsDataSource(Chart->GetSeries(0));
  WireChart(*Chart, Enabled);
  ApplyGalleryLook(*Chart, Type.FunctionClassRef, Enabled);
  Chart->SetAutoRepaint(true);
  return Chart;
}

void TChartGalleryPanel::CreateChartsForPage(const std::string& Page) {
  std::vector<TPlotSeriesType*> Types;
  TPlotSeriesTypes& All = Chart::SeriesTypes();
  for (int32_t i = 0; i < All.Count(); ++i) {
    TPlotSeriesType* T = All.TypeAt(i);
    if (T->PageName && *T->PageName == Page && (FunctionsMode == (T->FunctionClassRef != nullptr)))
      Types.push_back(T);
  }
  const int32_t N = static_cast<int32_t>(Types.size());
  if (FNumCols > 0) FNumRows = (FNumRows - 1) * FNumCols < N ? (N - 1) / FNumCols + 1 : 3;
  CalcChartSizes();
  FSelected = nullptr;
  FCharts.Clear();
  for (TPlotSeriesType* T : Types) CreateGalleryChart(*T);
  if (TChartSeries* Ref = ReferenceSeries.Get()) {
    for (int32_t k = 0; k < FCharts.Count(); ++k) {
      TGalleryChart* C = FCharts.GetChart(k);
      if (C->SeriesCount() > 0 && C->GetSeries(0)->ClassType() == Ref->ClassType() &&
          !C->GetSeries(0)->GetFunction()) {
        FSelected = C;
        break;
      }
    }
  }
  UpdateLooks();
}

void TChartGalleryPanel::SetSelectedLook(TGalleryChart& Chart) {
  TPlotGradient* G = Chart.GetGradient();
  G->SetVisible(true);
  G->SetDirection(gdFromTopLeft);
  G->SetStartColor(clSilver);
  G->SetEndColor(clWhite);
  if (FocusRotation) {
    Chart.View3DOptions()->SetRotation(345);
    if (Chart.SeriesCount() > 0) Chart.GetSeries(0)->ChangeView3D(Chart.GetView3D());
  }
  TPlotFont* F = Chart.Title()->Font();
  F->SetStyle(TFontStyles{TFontStyle::fsBold});
  F->SetColor(clBlack);
  F->SetSize(9);
  Chart.SetBevelOuter(bvRaised);
  if (Chart.Window && Chart.Window->IsShowing() && Chart.Window->CanFocus()) Chart.Window->SetFocus();
}

void TChartGalleryPanel::SetUnselectedLook(TGalleryChart& Chart) {
  TPlotGradient* G = Chart.PeekGradient();
  if (!G || !G->GetVisible()) return;
  G->SetVisible(false);
  Chart.SetBevelOuter(bvNone);
  TPlotFont* F = Chart.Title()->Font();
  F->SetStyle(TFontStyles{});
  F->SetColor(GalleryNavy);
  F->SetSize(PlotCanvas::DefaultFontSize);
  if (FocusRotation) Chart.View3DOptions()->SetRotation(335);
}

void TChartGalleryPanel::UpdateLooks() {
  if (!FSelected)
    for (int32_t k = 0; k < FCharts.Count(); ++k)
      if (FCharts.GetChart(k)->GalleryEnabled) {
        FSelected = FCharts.GetChart(k);
        break;
      }
  if (FSelected) SetSelectedLook(*FSelected);
  if (OnChangeChart) OnChangeChart(this);
  for (int32_t k = 0; k < FCharts.Count(); ++k) {
    TGalleryChart* C = FCharts.GetChart(k);
    if (C != FSelected) SetUnselectedLook(*C);
    if (C->Window) C->Window->Invalidate();
  }
}

void TChartGalleryPanel::SetCurrentChart(TGalleryChart* Chart) {
  if (!Chart || !Chart->GalleryEnabled) return;
  if (Chart != FSelected) {
    FSelected = Chart;
    UpdateLooks();
  }
  if (DisplaySub && Chart->Window) {
    const TPoint P = Chart->Window->ScreenToClient(Controls::MouseCursorPos());
    if (OnSubMark(*Chart, P)) ShowSubGallery();
  }
}

void TChartGalleryPanel::ChartPressed(TGalleryChart* Chart, TPoint P) {
  if (!Chart || !Chart->GalleryEnabled) return;
  if (Chart != FSelected) {
    FSelected = Chart;
    UpdateLooks();
  }
  if (DisplaySub && OnSubMark(*Chart, P)) ShowSubGallery();
}

void TChartGalleryPanel::SelectChart(TGalleryChart* Chart) {
  if (!Chart || !Chart->GalleryEnabled) return;
  if (Chart != FSelected) {
    FSelected = Chart;
    UpdateLooks();
  }
  if (OnSelectedChart) OnSelectedChart(this);
}

bool TChartGalleryPanel::GetSelectedType(TClass& SeriesClass, TClass& FunctionClass, int32_t& SubIndex) const {
  if (!FSelected) return false;
  SeriesClass = nullptr;
  FunctionClass = nullptr;
  if (FSelected->SeriesCount() > 0) {
    TChartSeries* S = FSelected->GetSeries(0);
    SeriesClass = S->ClassType();
    if (TPlotFunction* F = S->GetFunction()) FunctionClass = F->ClassType();
  }
  SubIndex = static_cast<int32_t>(FSelected->Tag);
  return true;
}

TGalleryChart* TChartGalleryPanel::ChartAt(int32_t Col, int32_t Row) const {
  if (Col < 0 || Row < 0 || Col >= FNumCols) return nullptr;
  const int32_t K = Row * FNumCols + Col;
  return K < FCharts.Count() ? FCharts.GetChart(K) : nullptr;
}

void TChartGalleryPanel::KeyDown(uint16_t& Key, TShiftState Shift) {
  TPanel::KeyDown(Key, Shift);
  if (!FSelected || FNumCols <= 0) return;
  const int32_t K = FCharts.IndexOf(FSelected);
  int32_t Col = K % FNumCols, Row = K / FNumCols;
  switch (Key) {
    case VK_RETURN:
      SelectChart(FSelected);
      return;
    case VK_LEFT:
      if (Col > 0) --Col;
      break;
    case VK_UP:
      if (Row > 0) --Row;
      break;
    case VK_RIGHT:
      if (Col < FNumCols) ++Col;
      break;
    case VK_DOWN:
      if (Shift.Contains(TShiftStateItem::ssAlt)) {
        if (DisplaySub) ShowSubGallery();
        return;
      }
      if (Row < FNumRows) ++Row;
      break;
    default:
      return;
  }
  TGalleryChart* Next = ChartAt(Col, Row);
  if (Next && Next->GalleryEnabled && Next != FSelected) {
    FSelected = Next;
    UpdateLooks();
  }
}

TPoint TChartGalleryPanel::SubMarkOrigin(const TGalleryChart& Chart) const {
  const bool Smooth = Chart.GetSmooth();
  const bool Border = Chart.Border()->GetVisible();
  int32_t BorderWidth = Border ? Chart.Border()->GetWidth() : 0;
  if (Smooth) BorderWidth /= 2;
  int32_t Shadow = Chart.Shadow()->GetSize();
  if (Smooth) Shadow /= 2;
  const int32_t X = Border ? 4 + BorderWidth : 4;
  const int32_t H = Chart.Window ? Chart.Window->GetHeight() : Chart.GetHeight();
  return TPoint(X, H - BorderWidth - Shadow);
}

bool TChartGalleryPanel::OnSubMark(const TGalleryChart& Chart, TPoint P) const {
  const TPoint O = SubMarkOrigin(Chart);
  return P.X >= O.X && P.X < O.X + 12 && P.Y <= O.Y && P.Y > O.Y - 12;
}

void TChartGalleryPanel::DrawChartOverlay(TGalleryChart& Chart, TCanvas& Canvas) {
  if (Chart.Window && Chart.Window->Hovered) {
    const int32_t W = Chart.Window->GetWidth(), H = Chart.Window->GetHeight();
    Canvas.Pen->SetStyle(psSolid);
    Canvas.Pen->SetWidth(1);
    Canvas.Pen->SetMode(pmCopy);
    Canvas.Pen->SetColor(clWhite);
    Canvas.MoveTo(0, H - 1);
    Canvas.LineTo(0, 0);
    Canvas.LineTo(W - 1, 0);
    Canvas.Pen->SetColor(GalleryGrey);
    Canvas.LineTo(W - 1, H - 1);
    Canvas.LineTo(0, H - 1);
  }
  if (&Chart != FSelected || !DisplaySub) return;
  const TPoint O = SubMarkOrigin(Chart);
  Canvas.Pen->SetStyle(psSolid);
  Canvas.Pen->SetColor(clBlack);
  Canvas.Pen->SetMode(pmNotXor);
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Brush->SetColor(clBlack);
  const std::vector<TPoint> Mark{TPoint(O.X, O.Y - 8), TPoint(O.X + 7, O.Y - 8), TPoint(O.X + 3, O.Y - 4)};
  Canvas.Polygon(Mark);
  Canvas.Pen->SetMode(pmCopy);
}

void TChartGalleryPanel::BuildSubGallery(TClass SeriesClass) {
  FSelected = nullptr;
  FCharts.Clear();
  if (!SeriesClass) return;
  std::unique_ptr<TObject, void (*)(TObject*)> Sample(SeriesClass->CreateInstance(nullptr),
                                                      [](TObject* O) { FreeObject(O); });
  auto* Series = dynamic_cast<TChartSeries*>(Sample.get());
  if (!Series) return;
  std::vector<std::string> Names;
  Series->ListGalleryVariants([&](const std::string& Name) { Names.push_back(Name); });
  const int32_t N = static_cast<int32_t>(Names.size());
  if (FNumCols > 0) FNumRows = std::max(1, (N - 1) / FNumCols + 1);
  CalcChartSizes();
  for (int32_t k = 0; k < N; ++k) {
    TPlotSeriesType Type;
    Type.SeriesClassRef = SeriesClass;
    Type.DescriptionText = &Names[static_cast<size_t>(k)];
    Type.SampleSeriesCount = 1;
    TGalleryChart* Chart = CreateGalleryChart(Type);
    if (Chart->SeriesCount() > 0) Chart->GetSeries(0)->ApplyGalleryVariant(Chart->GetSeries(0), k);
    Chart->Tag = k;
  }
}

void TChartGalleryPanel::ApplySubStyle(TChartGalleryPanel& Target, int32_t Position) {
  TGalleryChart* Main = Target.FSelected;
  if (!Main) return;
  Main->Tag = Position;
  if (Position != 0) {
    for (int32_t i = 0; i < Main->SeriesCount(); ++i) Main->GetSeries(i)->ApplyGalleryVariant(Main->GetSeries(i), Position);
    return;
  }
  const int32_t N = Main->SeriesCount();
  if (N == 0) return;
  const TClass SeriesClass = Main->GetSeries(0)->ClassType();
  Main->FreeAllSeries();
  for (int32_t i = 0; i < N; ++i) Chart::MakeSeries(&Target, Main, SeriesClass, nullptr);
  if (Main->SeriesCount() > 0) Main->GetSeries(0)->ChangeView3D(Target.FView3D);
  for (int32_t i = 0; i < Main->SeriesCount(); ++i) Main->GetSeries(i)->PrepareForGallery(true);
}

void TChartGalleryPanel::ShowSubGallery() {
  TGalleryChart* Current = FSelected;
  if (!Current || Current->SeriesCount() == 0) return;
  if (FSubForm) {
    FSubForm->Free();
    FSubForm = nullptr;
    FSubPanel = nullptr;
  }
  SetUnselectedLook(*Current);

  auto* Form = Create<TForm>(this);
  FSubForm = Form;
  Form->SetBorderStyle(TFormBorderStyle::bsNone);
  Form->KeyPreview = true;
  Form->SetCaption("");
  const int32_t W = Current->Window ? Current->Window->GetWidth() * 2 : 200;
  Form->SetClientWidth(std::max(W, 120));

  auto* Strip = Create<TPanel>(Form);
  Strip->SetParent(Form);
  Strip->SetAlign(TAlign::alTop);
  Strip->SetHeight(12);
  Strip->BevelOuter = TPanelBevel::bvNone;
  Strip->SetCaption("");
  auto* Box = Create<TPaintBox>(Form);
  Box->SetParent(Strip);
  Box->SetBounds(4, 2, 8, 8);
  Box->OnPaint = [Box](TObject*) {
    TCanvas& C = *Box->GetCanvas();
    C.Pen->SetColor(clBlack);
    C.Brush->SetColor(clBlack);
    C.Brush->SetStyle(bsSolid);
    C.Polygon(std::vector<TPoint>{TPoint(0, 8), TPoint(4, 0), TPoint(9, 8)});
  };
  const auto CloseOk = [Form](TObject*) { Form->SetModalResult(mrOk); };
  Strip->OnClick = CloseOk;
  Box->OnClick = CloseOk;

  auto* Sub = Create<TChartGalleryPanel>(Form);
  FSubPanel = Sub;
  Sub->SetParent(Form);
  Sub->BevelOuter = TPanelBevel::bvNone;
  Sub->SetAlign(TAlign::alClient);
  Sub->FView3D = FView3D;
  Sub->FSmooth = FSmooth;
  Sub->FSmoothAtStart = FSmooth;
  Sub->DisplaySub = false;
  Sub->IsSubGallery = true;
  Sub->FNumCols = FNumCols;
  Sub->SetBounds(0, 12, Form->GetClientWidth(), std::max(1, Current->GetHeight()) * 2);
  Sub->BuildSubGallery(Current->GetSeries(0)->ClassType());
  Form->SetClientHeight(Sub->GetNumRows() * std::max(Sub->CellHeight(), Current->GetHeight()) + 8);
  Sub->CalcChartSizes();
  Sub->PlaceCharts();
  Sub->UpdateLooks();
  Sub->OnSelectedChart = [this, Sub, Form](TObject*) {
    TGalleryChart* Picked = Sub->GetSelectedChart();
    if (Picked) ApplySubStyle(*this, static_cast<int32_t>(Picked->Tag));
    Form->SetModalResult(mrOk);
    if (OnSubSelected) OnSubSelected(this);
  };
  Form->OnKeyDown = [Form, Sub](TObject*, uint16_t& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE)
      Form->SetModalResult(mrCancel);
    else
      Sub->KeyDown(Key, Shift);
  };

  // The window opens at the chart's bottom-left corner, kept inside the work area.
  TPoint P(0, 0);
  if (Current->Window) P = Current->Window->ClientToScreen(TPoint(0, Current->Window->GetHeight()));
  const TRect Area = Screen->GetWorkAreaRect();
  if (P.X + Form->GetWidth() > Area.Right) P.X = Area.Right - Form->GetWidth() - 2;
  if (P.Y + Form->GetHeight() > Area.Bottom) P.Y = Area.Bottom - Form->GetHeight() - 2;
  Form->Position = TPosition::poDesigned;
  Form->SetLeft(std::max(Area.Left, P.X));
  Form->SetTop(std::max(Area.Top, P.Y));
  Form->ShowModal();
  UpdateLooks();
}

namespace PlotGalleryPanel {
void Initialization() { Series::RegisterStandardSeries(); }
}  // namespace PlotGalleryPanel
