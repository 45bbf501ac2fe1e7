// Start-up of the main window: defaults, the callbacks of the solver and the
// survey, the start-up timer that opens a file named on the command line, the
// progress gauge and status texts, and the commands that need no data section.

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "app/Dearsetup.h"
#include "app/ModelConstruct.h"
#include "app/FileMO.h"
#include "app/ResMainForm.h"
#include "controls/abcspla.h"
#include "controls/abcsplit.h"
#include "controls/dfsStatusBar.h"
#include "numerics/DC2dBEM.h"
#include "platform/rtl/SysUtils.h"
#include "views/PseudoSection2d.h"

void TMainForm::FormCreate(TObject*) {
  // The splash shows while the window loads, unless suppressed on the command line.
  if (abcSplash1->GetAutoShow() && !abcspla::SplashSuppressed()) abcSplash1->ShowSplash();

  Survey.FactorX = 0.2;
  Survey.FactorZ = 0.2;
  Survey.StartX = 2.0;
  Survey.StartZ = 1.0;
  VerticalAxisType = 1;
  GravMagLoaded = false;
  // The gravity and magnetic pane stays closed until such data are added.
  abcSBiSplit1->SetSplitVLock(true);
  abcSBiSplit1->SetSplitVPercent(0);
  DisplayEvery = 1;
  DisplayFilters = {true, true, true, true};
  WorksheetStyle = 0;
  InstallCallbacks();
  panel1->FullRepaint = false;
  panel1->DoubleBuffered = true;
  CreateGraphManagers();
  DataQuantity = 0;
  HasIP = false;
  RebuildUpper = true;
  RebuildLower = true;
  // The file association is written by the program entry (main), for the user.
  SetSolverDefaults();
  CreateWorkSeries();
  percent1 = 33.333;
  percent2 = 33.333;
  LoadProgramSettings();
  LoadViewSettings();
  AddDataType = 0;
  FormResize(this);
  RelayoutSections();
  Timer1->SetEnabled(true);
  LoadChartSettings();
  ApplySectionSettings();
  CopySectionSettings(PseudoSection2d1, PseudoSection2d2);
  // The worksheet style starts separately; both sections are drawn (nothing is
  // drawn while no data are loaded).
  WorksheetStyle = -1;
  SetWorksheetStyle(0);
  VerticalAxisType = 1;
  FinishChart1();
}

void TMainForm::SetSolverDefaults() {
  VerticalAxisType = 1;
  Survey.nkuser = true;
  Survey.nknumber = 8;
  Survey.correct = true;
  Survey.CGprecision = 400;
  Survey.MACH_EPS = 1e-8;
  Survey.infperc = 10;
  Survey.redperc = 100;
  Survey.numqp = 7;
  Survey.recetha = true;
  // The stored solver choice is never read back: every start begins with 0.
  Survey.Solver = 0;
}

void TMainForm::SetStatusText(int Panel, const std::string& Text) {
  StatusBar1->GetPanels()->GetItem(Panel)->SetText(Text);
  if (Panel == 3 && StatusBar1->OnResize) StatusBar1->OnResize(StatusBar1);
}

std::string TMainForm::GetStatusText(int Panel) const { return StatusBar1->GetPanels()->GetItem(Panel)->GetText(); }

int TMainForm::GaugePosition() const {
  return StatusBar1->GetPanels()->GetItem(2)->GetGaugeAttrs()->GetPosition();
}

void TMainForm::ProgressStep() {
  Application->ProcessMessages();
  const int32_t steps = DC2dBEM::SensitivityMode ? DC2dBEM::IterationCount : DC2dBEM::ProgressSteps;
  if (steps > 0) FProgress += 100.0 / steps;
  const double position = std::clamp(std::nearbyint(FProgress), 0.0, 100.0);
  StatusBar1->GetPanels()->GetItem(2)->GetGaugeAttrs()->SetPosition(static_cast<int>(position));
}

void TMainForm::ProgressReset() {
  FProgress = 0.0;
  StatusBar1->GetPanels()->GetItem(2)->GetGaugeAttrs()->SetPosition(0);
}

std::string TMainForm::CommandLineK2dFile(const std::vector<std::string>& Params) {
  for (const std::string& param : Params) {
    const std::string lower = SysUtils::LowerCase(param);
    if (lower == "-ns" || lower == "/ns") continue;
    if (SysUtils::LowerCase(SysUtils::ExtractFileExt(param)) == ".k2d") return param;
  }
  return {};
}

void TMainForm::Timer1Timer(TObject*) {
  // A computation started from the menu shares the survey's arrays with the
  // solver: opening now would replace them under it. Try again at the next tick.
  if (DC2dBEM::Running) return;
  Timer1->SetEnabled(false);
  std::vector<std::string> params;
  for (int i = 1; i <= Application->ParamCount(); ++i) params.push_back(Application->ParamStr(i));
  const std::string fileName = CommandLineK2dFile(params);
  if (fileName.empty()) return;
  Survey.OpenData(SysUtils::ExpandFileName(fileName));
  if (!Survey.SurveyReady) return;  // refused and reported; the window stays as it was
  FileMenuOpens1->AddFile(SysUtils::ExpandFileName(fileName));
  ShowOpenedSurvey();
}

void TMainForm::ShowOpenedSurvey() {
  ObservedLoaded = Survey.HasObservedData;
  HasIP = Survey.HasIPData;
  ResetToResistivity();
  // An opened file presets the pane heights; the upper section shrinks when it
  // has nothing to show.
  if (UpperSectionEmpty())
    SetPaneHeights(0.1, 50.0);
  else
    SetPaneHeights(33.0, 33.0);
  FormResize(this);
  WorkSaved(true, true);
  ElectrodeEditorSurveyChanged();
}

bool TMainForm::ShowModelConstructor(TModelConstructorValues& Values, bool ShowPolarizability) {
  if (!FModConstr) FModConstr = Create<TModConstr>(this);
  FModConstr->StartResistivity = Values.StartResistivity;
  FModConstr->StartPolarizability = Values.StartPolarizability;
  FModConstr->LeftEdge = Values.StartX;
  FModConstr->RightEdge = Values.EndX;
  FModConstr->BottomEdge = Values.MaximalDepth;
  FModConstr->SetPolarizabilityShown(ShowPolarizability);
  FModConstr->LoadFields();
  FModConstr->SetVisible(false);
  if (FModConstr->ShowModal() != mrOk) return false;
  Values.StartResistivity = FModConstr->StartResistivity;
  Values.StartPolarizability = FModConstr->StartPolarizability;
  Values.StartX = FModConstr->LeftEdge;
  Values.EndX = FModConstr->RightEdge;
  Values.MaximalDepth = FModConstr->BottomEdge;
  return true;
}

void TMainForm::Newmodel1Click(TObject*) {
  if (!ConfirmDiscardWork()) return;
  TDefarray* dialog = Dearsetup::Defarray;
  if (dialog) {
    dialog->Survey = &Survey;
    dialog->LoadFields();
    dialog->SetVisible(false);
  }
  if (dialog && dialog->ShowModal() == mrOk) {
    // A generated survey carries no observed values and nothing of the file read
    // before it; the calculated values come from the forward run below.
    Survey.HasObservedData = false;
    Survey.ModelComputed = false;
    Survey.HasIPData = true;
    Survey.TopoSlopeDistances = false;
    Survey.SignedResistance = false;
    Survey.RhoaForFlatGround = false;
    Survey.ProjectCoordinates = false;
    Survey.ReferenceX = Survey::NoValue;
    Survey.ReferenceChainage = 0.0;
    Survey.ResetDividing = true;
    Survey.ExtraNodes.clear();
    Survey.SkippedDataLines = 0;
    HasIP = true;

    ResetToResistivity();
    Survey.GenerateSurvey(Survey.DefaultArrayType);
    ObservedLoaded = false;
    CalculatedReady = true;
    Survey.AnalyseSurvey();

    // Pseudo-sections need more than one level, a spread of pseudo-positions and
    // a few measurements; otherwise the data show as curves.
    const bool pseudoPossible = Survey.SpacingLevels.size() > 1 && Survey.DataXMin != Survey.DataXMax &&
                                Survey.MeasurementRows.size() >= 4;
    PseudoSection1->SetEnabled(pseudoPossible);
    if (pseudoPossible) RestoreChosenPlotType();
    if (!pseudoPossible) {
      Survey.DataPlotType = 1;
      Survey.graphicstype = 0;
      RelayoutSections();
    }
    ApplySectionSettings();
    prepaxises();
    if (!pseudoPossible) PseudoSection1->SetEnabled(false);

    Survey.StartResistivity = 10.0;

    // The upper section has no observed data to show.
    PseudoSection2d1->NextNode = 1;
    PseudoSection2d1->Triangulate(true);
    PseudoSection2d1->Redraw();
    PseudoSection2d1->PlaceLegend(PseudoSection2d1);
    PseudoSection2d1->Title()->ClearLines();

    Survey.Topography.clear();
    Survey.ConstructStartModel(true);
    Survey.StartResistivity = Survey.ModelConstructorValues.StartResistivity;
    Survey.StartPolarizability = Survey.ModelConstructorValues.StartPolarizability;

    ResetToResistivity();
    SurveyShown = true;
    PlotElectrodes();
    AddDataType = 0;

    // The upper section keeps a third only when it shows polarizability beside
    // resistivity (joint style); otherwise it shrinks to nothing.
    if (UpperSectionEmpty())
      SetPaneHeights(0.1, 50.0);
    else
      SetPaneHeights(33.0, 33.0);
    FormResize(this);
    // The generated survey has no file of its own yet.
    Survey.DataFileName.clear();
    SetCaption(ResMainForm::ProgramCaption);
    Application->Title = ResMainForm::ProgramCaption;
    Survey.Window->ForwardProblem();
    WorkSaved(true, true);
    ElectrodeEditorSurveyChanged();
  }
  ShowEditToolBar();
}

void TMainForm::ShowEditToolBar() {
  if (ToolBar2->GetVisible()) return;
  // Controls on the bottom edge stack by their places: a bar shown after the
  // status bar is put just above it, not under it.
  ToolBar2->SetTop(StatusBar1->GetTop() - ToolBar2->GetHeight());
  ToolBar2->SetVisible(true);
}

void TMainForm::Newmodel2Click(TObject*) {
  if (!CalculatedReady) return;
  Survey.ConstructStartModel(false);
}

void TMainForm::Exit1Click(TObject*) { Close(); }

void TMainForm::About1Click(TObject*) {
  abcSplash1->Duration = 20000;
  abcSplash1->ShowSplash();
}

bool TMainForm::OpenHelpDocument() {
  // The current directory first, then the program's directory. A viewer that
  // fails to start is the desktop's business and is not reported here.
  namespace fs = std::filesystem;
  const std::string name = "KelmVev2Er.pdf";
  std::error_code ec;
  const fs::path candidates[] = {fs::current_path(ec) / name, fs::path(Application->ExeName()).parent_path() / name};
  for (const fs::path& candidate : candidates) {
    if (!fs::exists(candidate, ec)) continue;
    Shell::Open(candidate.string());
    return true;
  }
  return false;
}

void TMainForm::Context1Click(TObject*) {
  if (!OpenHelpDocument()) Dialogs::ShowMessage("File not found - KelmVev2Er.pdf");
}
