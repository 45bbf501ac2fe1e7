// Commands of the main window: opening and saving data files, the forward
// problem, the inversion, the external editor, print preview and the graphics
// setup of the graph managers.

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

#include "app/FileMO.h"
#include "app/ResMainForm.h"
#include "chart/series/PlotPrevi.h"
#include "controls/abcsplit.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/UserSeam.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace {

// Disables a window for the life of the guard; enabled again on every way out.
class [[nodiscard]] TDisabledWindow {
 public:
  explicit TDisabledWindow(TForm& Form) : FForm(Form) { FForm.SetEnabled(false); }
  ~TDisabledWindow() { FForm.SetEnabled(true); }
  TDisabledWindow(const TDisabledWindow&) = delete;
  TDisabledWindow& operator=(const TDisabledWindow&) = delete;

 private:
  TForm& FForm;
};

// A file dialog starts in the folder of the window's file and offers only the
// suggested name, not the whole path chosen last time.
void PrepareFileDialog(TOpenDialog& Dialog, const TSurvey& S, const std::string& SuggestedName) {
  const std::string& current = !S.DataFileName.empty() ? S.DataFileName : S.SaveFileName;
  std::string folder = current.empty() ? std::string() : SysUtils::ExtractFileDir(current);
  std::error_code ec;
  if (folder.empty() || !std::filesystem::is_directory(folder, ec)) folder = std::filesystem::current_path(ec).string();
  Dialog.InitialDir = folder;
  Dialog.FileName = SuggestedName;
}

// The user's editor ($VISUAL, then $EDITOR, a command with optional arguments),
// else the desktop's program for the file.
bool OpenInTextEditor(const std::string& FileName) {
  for (const char* variable : {"VISUAL", "EDITOR"}) {
    const char* value = std::getenv(variable);
    if (!value || !*value) continue;
    std::istringstream words(value);
    std::vector<std::string> command;
    for (std::string w; words >> w;) command.push_back(w);
    if (command.empty()) continue;
    const std::string program = command.front();
    command.erase(command.begin());
    command.push_back(FileName);
    if (UserSeam::Current().StartProgram(program, command)) return true;
  }
  return Shell::Open(FileName);
}

}  // namespace

bool TMainForm::OpenSurveyFile(const std::string& FileName) {
  // The readers name the survey's data file only when they accept it; a file
  // they refuse leaves the survey, the views and the panes as they were.
  const std::string previousFile = Survey.DataFileName;
  Survey.DataFileName.clear();
  // The gravity and magnetic data belong to the previous survey.
  const bool gravMagBefore = GravMagLoaded;
  GravMagLoaded = false;
  Survey.OpenData(FileName);
  if (Survey.DataFileName.empty()) {
    Survey.DataFileName = previousFile;
    GravMagLoaded = gravMagBefore;
    return false;
  }
  FileMenuOpens1->AddFile(FileName);
  return true;
}

void TMainForm::SpeedButton1Click(TObject*) {
  PrepareFileDialog(*OpenDialog1, Survey, "");
  if (!OpenDialog1->Execute()) return;
  const std::string fileName = OpenDialog1->FileName;
  if (!ConfirmDiscardWork()) return;
  if (!OpenSurveyFile(fileName)) return;
  abcSBiSplit1->SetSplitVLock(true);
  abcSBiSplit1->SetSplitVPercent(0);
  GravMagLoaded = false;
  ObservedLoaded = Survey.HasObservedData;
  HasIP = Survey.HasIPData;
  ResetToResistivity();
  if (Openinmodelingmode1->GetChecked()) {
    // The file's measurements serve only as the layout of the survey.
    SurveyShown = true;
    ObservedLoaded = false;
    PlotElectrodes();
    AddDataType = 0;
    SetPaneHeights(0.1, 50.0);
  } else if (UpperSectionEmpty()) {
    SetPaneHeights(0.1, 50.0);
  } else {
    SetPaneHeights(33.0, 33.0);
  }
  FormResize(this);
  WorkSaved(true, true);
  ElectrodeEditorSurveyChanged();
}

std::string TMainForm::SaveRefusal(int32_t FilterIndex) const {
  using namespace Survey;
  const bool observedKind = FilterIndex == saveProject || FilterIndex == saveObserved ||
                            FilterIndex == saveRes2dInvObserved;
  const bool calculatedKind = FilterIndex == saveCalculated || FilterIndex == saveModelWithCalculated ||
                              FilterIndex == saveRes2dInvCalculated;
  if (observedKind && !Survey.HasObservedData)
    return "The file was not saved: there are no observed data to write.";
  if (FilterIndex == saveProject && !Survey.SurveyReady)
    return "The file was not saved: the survey is not ready.";
  if (calculatedKind && !Survey.ModelComputed)
    return "The file was not saved: there are no calculated data yet; run the forward problem first.";
  return {};
}

void TMainForm::EndPendingEdit() {
  TPolygonChart& chart = *PolygonChart1;
  if (!chart.HasModel) return;
  if (chart.EditPending || !chart.DrawnOutline.empty() || !chart.MoveNodes.empty()) chart.ResetEditState();
}

void TMainForm::SpeedButton2Click(TObject*) { SaveWork(); }

bool TMainForm::SaveWork() {
  if (!Survey.HasObservedData && !Survey.ModelComputed) return false;
  EndPendingEdit();
  const std::string& suggested = !Survey.SaveFileName.empty() ? Survey.SaveFileName : Survey.DataFileName;
  PrepareFileDialog(*SaveDialog1, Survey, SysUtils::ExtractFileName(suggested));
  SaveDialog1->FilterIndex = Survey.SaveFilterIndex;
  if (!SaveDialog1->Execute()) return false;
  const int32_t index = SaveDialog1->FilterIndex;
  Survey.SaveFilterIndex = index;
  // A kind whose data are missing is said, not silently skipped.
  const std::string refusal = SaveRefusal(index);
  if (!refusal.empty()) {
    Dialogs::ShowMessage(refusal);
    return false;
  }
  // A file that cannot be written is reported by the writer.
  if (!Survey.SaveAs(SaveDialog1->FileName, index)) return false;
  using namespace Survey;
  const bool model = index == saveProject || index == saveModelWithCalculated;
  const bool data = index == saveProject || index == saveObserved || index == saveRes2dInvObserved;
  if (data) {
    // The observed data now live in the file just written: it is the window's file.
    Survey.DataFileName = Survey.SaveFileName;
    SetCaption(std::string(ResMainForm::ProgramCaption) + " [" + SysUtils::ExtractFileName(Survey.SaveFileName) + "]");
    Application->Title = GetCaption();
  }
  WorkSaved(model, data);
  return true;
}

void TMainForm::WorkSaved(bool Model, bool Data) {
  if (Model) ModelChanged = false;
  if (Data) DataChanged = false;
}

bool TMainForm::ConfirmDiscardWork() {
  if (!ModelChanged && !DataChanged) return true;
  const std::string name =
      Survey.DataFileName.empty() ? std::string("the new survey") : SysUtils::ExtractFileName(Survey.DataFileName);
  switch (Dialogs::MessageDlg("Save changes to " + name + "?", TMsgDlgType::mtConfirmation,
                              {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel})) {
    case mrYes: return SaveWork();
    case mrNo: return true;
    default: return false;
  }
}

void TMainForm::SpeedButton6Click(TObject*) {
  if (!ObservedLoaded && !CalculatedReady) return;
  EndPendingEdit();
  panel1->SetVisible(true);
  if (!CalculatedReady) {
    if (ObservedLoaded)
      SetPaneHeights(33.0, 33.0);
    else
      SetPaneHeights(1.0, 50.0);
    FormResize(this);
    PseudoSection2d1->PlaceLegend(PseudoSection2d1);
    PseudoSection2d2->PlaceLegend(PseudoSection2d2);
  }
  ComputeAndPlotGravMag();
  if (!Survey.RunModelling(false)) return;
  CalculatedReady = true;
  RebuildLower = true;
  PlotData(false);
}

void TMainForm::SpeedButton22Click(TObject*) {
  EndPendingEdit();
  const bool observed = ObservedLoaded && Survey.HasObservedData;
  if (!observed && !GravMagLoaded) {
    SetStatusText(5, ResMainForm::NoDataToInvert);
    Dialogs::ShowMessage(ResMainForm::NoDataToInvert);
    return;
  }
  // The inversion adjusts the values of the drawn bodies; the host (body 0) alone
  // leaves it nothing to adjust.
  const bool bodies = PolygonChart1->ModelPolygons.size() > 1;
  if (!bodies) {
    SetStatusText(5, ResMainForm::NoBodiesToInvert);
    Dialogs::ShowMessage(ResMainForm::NoBodiesToInvert);
    return;
  }
  const TDisabledWindow disabled(*this);
  InvertGravMagData();
  if (GravMagLoaded) ModelChanged = true;
  if (observed && Survey.RunModelling(true)) {
    CalculatedReady = true;
    // The inversion adjusted the bodies' values.
    ModelChanged = true;
  }
}

void TMainForm::Editfile1Click(TObject*) {
  if (!ObservedLoaded) return;
  std::error_code ec;
  if (Survey.DataFileName.empty() || !std::filesystem::exists(Survey.DataFileName, ec)) return;
  if (!OpenInTextEditor(Survey.DataFileName))
    Dialogs::ShowMessage("No text editor could be started for \"" + Survey.DataFileName +
                         "\": set VISUAL or EDITOR to your editor, or give the desktop a program for text files.");
}

void TMainForm::Printpreview1Click(TObject*) {
  if (!CalculatedReady) return;
  if (ObservedLoaded)
    PlotPrevi::PreviewThreeCharts(this, PseudoSection2d1, PseudoSection2d2, PolygonChart1);
  else
    PlotPrevi::PreviewTwoCharts(this, PseudoSection2d2, PolygonChart1);
}

void TMainForm::GraphicsSetupClick(multigraph* Graph) {
  if (!CalculatedReady || !Graph) return;
  Graph->ShowSetup();
}
