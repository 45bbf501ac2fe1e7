// Gravity and magnetic data in the main window: the "Add gravimagnetic data"
// command, the four curves of Chart1, its double click and the hooks of the
// window's TGravMag.

#include "app/ResMainForm.h"
#include "chart/engine/Chart.h"
#include "chart/series/Series.h"
#include "controls/abcsplit.h"
#include "platform/ui/Dialogs.h"
#include "views/PolygonChart.h"

void TMainForm::InstallGravMagHooks() {
  GravMag.OnMessage = [](const std::string& Text) { Dialogs::ShowMessage(Text); };
  GravMag.OnProcessMessages = [] { Application->ProcessMessages(); };
  Addgravimagneticdata1->OnClick = [this](TObject* Sender) { Addgravimagneticdata1Click(Sender); };
  Chart1->OnDblClick = [this] { Chart1DblClick(); };
}

void TMainForm::RemoveGravMagHooks() {
  GravMag.OnMessage = nullptr;
  GravMag.OnProcessMessages = nullptr;
  if (Chart1) Chart1->OnDblClick = nullptr;
}

void TMainForm::Addgravimagneticdata1Click(TObject*) {
  // Not while a computation holds the window.
  if (!GetEnabled() || !Survey.HasObservedData) return;
  OpenDialog3->Filter = GravMag::OpenFilter;
  if (!OpenDialog3->Execute()) return;
  if (!GravMag.ReadGravMagFile(OpenDialog3->FileName)) return;
  GravMag.SortGravMagData();
  abcSBiSplit1->SetSplitVLock(false);
  abcSBiSplit1->SetSplitVPercent(25);
  GravMagLoaded = true;
  GravMag.ComputeGravMag();
  PlotGravMag();
}

void TMainForm::Chart1DblClick() {
  if (!GetEnabled() || !GravMagLoaded) return;
  GravMag.ComputeGravMag();
  PlotGravMag();
}

void TMainForm::ComputeAndPlotGravMag() {
  if (!GravMagLoaded) return;
  GravMag.ComputeGravMag();
  PlotGravMag();
}

void TMainForm::InvertGravMagData() {
  if (!GravMagLoaded) return;
  ComputeAndPlotGravMag();
  if (GravMag.HasGravData) GravMag.InvertGravMag(false, 10);
  if (GravMag.HasMagData) GravMag.InvertGravMag(true, 10);
  PolygonChart1->RedrawModel();
  PlotGravMag();
}

void TMainForm::PlotGravMag() {
  if (!PolygonChart1->Zoomed)
    Chart1->BottomAxis()->SetMinMax(PolygonChart1->BottomAxis()->GetMinimum(),
                                    PolygonChart1->BottomAxis()->GetMaximum());
  // Stations whose anomaly could not be computed leave their curve empty.
  auto fill = [](TLineSeries* Series, const ttdata& Stations, bool Calculated) {
    Series->Clear();
    for (const tdata& s : Stations) {
      const double y = Calculated ? s.Calculated : s.Observed;
      if (y == Supermath2d::NoValue) {
        Series->Clear();
        return;
      }
      Series->AppendPoint(s.Position, y);
    }
  };
  static const ttdata none;
  fill(Series1, GravMag.HasGravData ? GravMag.GravData : none, false);
  fill(Series2, GravMag.HasGravData ? GravMag.GravData : none, true);
  fill(Series3, GravMag.HasMagData ? GravMag.MagData : none, false);
  fill(Series4, GravMag.HasMagData ? GravMag.MagData : none, true);
  for (TLineSeries* series : {Series1, Series2, Series3, Series4}) series->SetShowInLegend(series->Count() > 0);
}
