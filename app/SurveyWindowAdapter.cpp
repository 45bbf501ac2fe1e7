#include "app/SurveyWindowAdapter.h"

#include "app/PolygonChartAdapter.h"
#include "app/ResMainForm.h"
#include "app/printsettings.h"
#include "numerics/DC2dBEM.h"
#include "platform/ui/Dialogs.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

void TMainSurveyWindow::ResetToResistivity() { FForm.ResetToResistivity(); }

void TMainSurveyWindow::SetPseudoSectionEnabled(bool Enabled) {
  if (FForm.PseudoSection1) FForm.PseudoSection1->SetEnabled(Enabled);
  // A new survey is being shown: a display forced by the previous one ends here.
  if (Enabled) FForm.RestoreChosenPlotType();
}

void TMainSurveyWindow::SetIsoPsZEnabled(bool Enabled) {
  TMenuItem* data = FForm.Options1 ? FForm.Options1->Find("Data") : nullptr;
  if (TMenuItem* item = data ? data->Find("Iso-PsZ graphics") : nullptr) item->SetEnabled(Enabled);
}

void TMainSurveyWindow::ApplySectionSettings() { FForm.ApplySectionSettings(); }

void TMainSurveyWindow::PrepareAxes() { FForm.prepaxises(); }

void TMainSurveyWindow::PlotElectrodes() {
  FForm.SurveyShown = true;
  FForm.PlotElectrodes();
}

void TMainSurveyWindow::SetCaption(const std::string& Caption) {
  FForm.SetCaption(Caption);
  Application->Title = Caption;
}

void TMainSurveyWindow::PlotData(bool Upper) {
  FForm.ObservedLoaded = FForm.Survey.HasObservedData;
  FForm.HasIP = FForm.Survey.HasIPData;
  // New data are triangulated anew, once.
  bool& fresh = Upper ? FForm.Survey.NewDataUpper : FForm.Survey.NewDataLower;
  bool& rebuild = Upper ? FForm.RebuildUpper : FForm.RebuildLower;
  rebuild = rebuild || fresh;
  fresh = false;
  FForm.PlotData(Upper);
  FForm.ShowBodyLabels();
}

void TMainSurveyWindow::ShowSecondToolBar() { FForm.ShowEditToolBar(); }

void TMainSurveyWindow::ForwardProblem() {
  FForm.ObservedLoaded = FForm.Survey.HasObservedData;
  FForm.HasIP = FForm.Survey.HasIPData;
  if (!FForm.ObservedLoaded && !FForm.CalculatedReady) return;
  FForm.panel1->SetVisible(true);
  bool computed = false;
  {
    FForm.SetEnabled(false);
    struct TEnableAgain {
      TMainForm& Form;
      ~TEnableAgain() { Form.SetEnabled(true); }
    } enableAgain{FForm};
    FForm.ComputeAndPlotGravMag();
    computed = FForm.Survey.RunModelling(false);
  }
  if (!computed) return;
  FForm.CalculatedReady = true;
  PlotData(false);
}

void TMainSurveyWindow::SetDataSectionsXRange(double Minimum, double Maximum) {
  for (TPseudoSection2d* section : {FForm.PseudoSection2d1, FForm.PseudoSection2d2}) {
    section->BottomAxis()->SetAutomatic(false);
    section->BottomAxis()->SetMinMax(Minimum, Maximum);
  }
}

bool TMainSurveyWindow::ModelConstructor(TModelConstructorValues& Values, bool ShowPolarizability) {
  return FForm.ShowModelConstructor(Values, ShowPolarizability);
}

int32_t TMainSurveyWindow::GetDataQuantity() const { return FForm.DataQuantity; }

void TMainSurveyWindow::SetDataQuantity(int32_t Quantity) { FForm.SetDataQuantity(Quantity); }

void TMainSurveyWindow::RelayoutSections() { FForm.RelayoutSections(); }

namespace {

void ShowUserMessage(const std::string& Text) { Dialogs::ShowMessage(Text); }

}  // namespace

void TMainForm::InstallCallbacks() {
  DC2dBEM::OnProgressStep = [this] { ProgressStep(); };
  DC2dBEM::OnProgressEnd = [this] { ProgressReset(); };
  DC2dBEM::Hooks.DataLoaded = [this] { return ObservedLoaded; };
  DC2dBEM::Hooks.SetWavenumberCount = [this](int32_t Count) { Survey.nknumber = Count; };
  DC2dBEM::Hooks.SetMisfitText = [this](const std::string& Text) { SetStatusText(3, Text); };
  DC2dBEM::Hooks.SetStatusText = [this](const std::string& Text) { SetStatusText(3, Text); };
  DC2dBEM::Hooks.ShowMessage = ShowUserMessage;
  DC2dBEM::Hooks.PlotData = [this](int32_t Upper) { PlotData(Upper != 0); };
  DC2dBEM::Hooks.ChartModel = [this] { return &PolygonChart1->ModelPolygons; };
  DC2dBEM::Hooks.RedrawModel = [this] { PolygonChart1->RedrawModel(); };
  Survey.OnMessage = ShowUserMessage;
  Survey.OnFreeWellLogs = [this] { FreeCarotages(); };
  Survey.Window = std::make_shared<TMainSurveyWindow>(*this);
  Survey.ModelChart = std::make_shared<TPolygonChartAdapter>(*PolygonChart1);
  PolygonChart1->OnCursorStatus = [this](TObject*) { ShowCursorPosition(); };
  PolygonChart1->onchangemodel = [this](TObject*) { ModelChanged = true; };
  InstallGravMagHooks();
  InstallSetupDialogs();
}

void TMainForm::RemoveCallbacks() {
  // The solver shares this window's survey; it must not keep pointers into it.
  if (DC2dBEM::Survey == &Survey.Asource || DC2dBEM::Electrodes == &Survey.elecarray) DC2dBEM::ResetState();
  DC2dBEM::OnProgressStep = nullptr;
  DC2dBEM::OnProgressEnd = nullptr;
  DC2dBEM::Hooks = {};
  Survey.OnMessage = nullptr;
  Survey.OnFreeWellLogs = nullptr;
  Survey.Window.reset();
  Survey.ModelChart.reset();
  RemoveGravMagHooks();
  RemoveSetupDialogs();
  if (PolygonChart1) {
    PolygonChart1->OnCursorStatus = nullptr;
    PolygonChart1->onchangemodel = nullptr;
  }
  // The graph managers are plain objects of the window; their curves belong to
  // the sections and go with them.
  for (multigraph** graph : {&ObservedRhoGraph, &CalculatedRhoGraph, &ObservedEtaGraph, &CalculatedEtaGraph}) {
    if (*graph) (*graph)->Free();
    *graph = nullptr;
  }
}


bool TMainSurveyWindow::SaveSectionPicture(const std::string& FileName, bool Model) {
  return FForm.SaveSectionPicture(FileName, Model);
}
