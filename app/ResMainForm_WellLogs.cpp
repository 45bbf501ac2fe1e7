// Well logs over the model chart: the "Carotage data" command, the curve and
// column series of the logs and their drawing at every resize.

#include <algorithm>
#include <cmath>

#include "app/ResMainForm.h"
#include "app/WellLogPicture.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"
#include "platform/ui/Dialogs.h"
#include "views/PolygonChart.h"

void TMainForm::FreeCarotages() {
  for (WellLogs::carotagedata& log : Carotages) {
    if (log.PictureTool) log.PictureTool->Free();
    if (log.Series) log.Series->Free();
    log.PictureTool = nullptr;
    log.Series = nullptr;
  }
  Carotages.clear();
}

void TMainForm::Carotagedata1Click(TObject*) {
  if (!ObservedLoaded && !CalculatedReady) return;
  if (!OpenDialog2->Execute()) return;
  ReadCarotages(OpenDialog2->FileName);
  if (!Carotages.empty())
    DrawCarotages(PolygonChart1, PolygonChart1->BottomAxis()->GetMaximum(), PolygonChart1->BottomAxis()->GetMinimum());
}

void TMainForm::ReadCarotages(const std::string& FileName) {
  FreeCarotages();
  std::vector<std::string> notes;
  Carotages = WellLogs::ReadCarotageFile(FileName, notes);
  CreateCarotageSeries();
  if (notes.empty()) return;
  std::string text = "Carotage data \"" + FileName + "\":";
  for (const std::string& note : notes) text += "\n" + note;
  Dialogs::ShowMessage(text);
}

void TMainForm::CreateCarotageSeries() {
  for (WellLogs::carotagedata& log : Carotages) {
    TLineSeries* series = Create<TLineSeries>(this);
    series->SetShowInLegend(false);
    series->NoEditPopup = true;
    series->XValues()->SetOrder(TChartListOrder::loNone);
    log.Series = series;
    auto* marks = dynamic_cast<TSeriesMarks*>(series->Marks());
    if (log.Kind == 0) {
      series->Pointer()->SetVisible(false);
      if (marks) {
        marks->SetVisible(true);
        marks->SetStyle(smsLabel);
      }
      series->YValues()->SetOrder(TChartListOrder::loAscending);
      series->SetSeriesColor(log.Colour);
      continue;
    }
    series->Pointer()->SetVisible(false);
    if (marks) marks->SetVisible(false);
    series->SetActive(false);
    TChartImageTool* tool = Create<TChartImageTool>(this);
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetTransparent(true);
    bitmap.SetTransparentColor(clWhite);
    bitmap.SetTransparentMode(tmFixed);
    tool->Picture()->SetGraphic(&bitmap);
    log.PictureTool = tool;
  }
}

void TMainForm::DrawCarotages(TPolygonChart* Chart, double Maximum, double Minimum) {
  if (!Chart) return;
  for (size_t i = 0; i < Carotages.size(); ++i) {
    WellLogs::carotagedata& log = Carotages[i];
    if (!log.Series || !WellLogs::IsVisible(log, Maximum, Minimum)) continue;
    const double w = WellLogs::HalfWidth(Maximum, Minimum, log.Width);
    log.StripLeft = log.X - w;
    log.StripRight = log.X + w;
    double lo = 0.0, hi = 0.0;
    WellLogs::ValueScale(Carotages, i, Maximum, Minimum, lo, hi);
    log.Series->SetParentChart(Chart);
    if (log.Kind == 0) {
      // The curve is built once; later drawings leave it where it was placed.
      if (log.Series->Count() == static_cast<int32_t>(log.Points.size())) continue;
      log.Series->Clear();
      for (size_t k = 0; k < log.Points.size(); ++k)
        log.Series->AppendPoint(WellLogs::CurveX(log.X, w, log.Points[k].z, lo, hi), log.Points[k].x,
                                k == 0 ? log.Caption : std::string());
      continue;
    }
    if (!log.PictureTool || log.Points.empty()) continue;
    log.PictureTool->SetParentChart(Chart);
    log.PictureTool->SetSeries(log.Series);
    // Picture row 0 is the first depth, at the top of the model's downward depth axis.
    log.PictureTool->SwapVertical = Chart->LeftAxis()->GetInverted();
    const double relief = Chart->Relief.empty() ? 0.0 : Supermath2d::InterpolateComplex(Chart->Relief, log.X);
    log.Series->Clear();
    log.Series->AppendPoint(log.StripLeft, log.Points.front().x + relief);
    log.Series->AppendPoint(log.StripRight, log.Points.back().x + relief);
    Chart->Invalidate();
    const TRect r = log.PictureTool->CalcImageRect();
    const int32_t width = std::abs(r.Right - r.Left), height = std::abs(r.Bottom - r.Top);
    if (width <= 0 || height <= 0) continue;
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    bitmap.SetTransparent(true);
    bitmap.SetTransparentColor(clWhite);
    bitmap.SetTransparentMode(tmFixed);
    WellLogPicture::PaintColumn(log, bitmap);
    log.PictureTool->Picture()->SetGraphic(&bitmap);
  }
  Chart->Invalidate();
}

void TMainForm::PolygonChart1Resize(TObject*) {
  if (Carotages.empty()) return;
  DrawCarotages(PolygonChart1, PolygonChart1->BottomAxis()->GetMaximum(), PolygonChart1->BottomAxis()->GetMinimum());
}
