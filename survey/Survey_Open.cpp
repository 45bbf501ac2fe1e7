// The open and save commands: one entry through which any supported data file
// becomes the current survey, and the writer of each kind of the Save dialog.
#include <filesystem>

#include "survey/Survey.h"
#include "survey/SurveyText.h"

namespace Survey {

const char* const SaveFilter =
    "Kelm project data [*.k2d]|*.k2d|Kelm calculated data [*.k2d]|*.k2d|Kelm observed data [*.k2d]|*.k2d|"
    "Kelm model with calculated [*.k2d]|*.k2d|Res2dInv observed data [*.dat]|*.dat|"
    "Res2dInv calculated data [*.dat]|*.dat|Worksheet [*.bmp]|*.bmp|Model [*.bmp]|*.bmp|"
    "Program configuration [*.cfg]|*.cfg";

}  // namespace Survey

namespace {

enum class TFileKind { Survey, Amp, Res2dInv, Sounding, Config, Unknown };

TFileKind KindOf(const std::string& fileName) {
  const std::string ext = SurveyText::LowerCase(std::filesystem::path(fileName).extension().string());
  if (ext == ".k2d") return TFileKind::Survey;
  if (ext == ".amp") return TFileKind::Amp;
  if (ext == ".dat" || ext == ".seq") return TFileKind::Res2dInv;
  if (ext == ".qlf") return TFileKind::Sounding;
  if (ext == ".cfg") return TFileKind::Config;
  return TFileKind::Unknown;
}

// The survey fields the open command resets before a read; a refused file gets them back.
struct TResetFields {
  bool TopoSlopeDistances;
  std::array<int32_t, 8> CoordinateColumns;
  bool HasYColumns;
  bool ResetDividing;
  bool SignedResistance;
  double ReferenceX;
  bool RhoaForFlatGround;
  arofdoubleM ExtraNodes;
};

TResetFields ResetFieldsOf(const TSurvey& s) {
  return {s.TopoSlopeDistances, s.CoordinateColumns, s.HasYColumns, s.ResetDividing,
          s.SignedResistance,   s.ReferenceX,        s.RhoaForFlatGround, s.ExtraNodes};
}

void Restore(TSurvey& s, const TResetFields& f) {
  s.TopoSlopeDistances = f.TopoSlopeDistances;
  s.CoordinateColumns = f.CoordinateColumns;
  s.HasYColumns = f.HasYColumns;
  s.ResetDividing = f.ResetDividing;
  s.SignedResistance = f.SignedResistance;
  s.ReferenceX = f.ReferenceX;
  s.RhoaForFlatGround = f.RhoaForFlatGround;
  s.ExtraNodes = f.ExtraNodes;
}

std::string FileNameOnly(const std::string& fileName) { return std::filesystem::path(fileName).filename().string(); }

}  // namespace

bool TSurvey::SingleLevelDisplay() const { return SpacingLevels.size() == 1 || DataXMin == DataXMax; }

void TSurvey::OpenData(const std::string& fileName) {
  const TFileKind kind = KindOf(fileName);
  if (kind == TFileKind::Unknown) {
    Message("The file \"" + fileName + "\" cannot be opened: its extension is not one of k2d, dat, seq, amp, qlf and cfg.");
    return;
  }
  // A conversion or a configuration leaves the current survey as it is.
  if (kind == TFileKind::Sounding) {
    ConvertSoundingFile(fileName);
    return;
  }
  if (kind == TFileKind::Config) {
    ReadConfigFile(fileName);
    return;
  }

  if (Window) Window->ResetToResistivity();
  const TResetFields previous = ResetFieldsOf(*this);
  TopoSlopeDistances = false;
  CoordinateColumns.fill(-1);
  HasYColumns = false;
  ResetDividing = true;
  SignedResistance = false;
  ReferenceX = Survey::NoValue;
  RhoaForFlatGround = false;
  ExtraNodes.clear();
  SkippedDataLines = 0;
  ReadProblem.clear();
  FirstSkippedLine.clear();

  int32_t result = Survey::ReadError;
  if (kind == TFileKind::Survey) result = ReadSurveyFile(fileName);
  if (kind == TFileKind::Amp) result = ReadAmpFile(fileName);
  if (kind == TFileKind::Res2dInv) result = ReadRes2dInvFile(fileName);
  if (result == Survey::ReadError) {
    Restore(*this, previous);
    Message(ReadProblem.empty() ? std::string(Survey::ErrorInDataFile)
                                : std::string(Survey::ErrorInDataFile) + "\n" + FileNameOnly(fileName) + ", " + ReadProblem);
    return;
  }
  if (SkippedDataLines > 0)
    Message(std::to_string(SkippedDataLines) + (SkippedDataLines == 1 ? " data line" : " data lines") + " of \"" +
            FileNameOnly(fileName) + "\" could not be read as measurements and " +
            (SkippedDataLines == 1 ? "was" : "were") + " skipped" +
            (FirstSkippedLine.empty() ? std::string(".") : " (the first: " + FirstSkippedLine + ")."));

  HasObservedData = true;
  AnalyseSurvey();
  if (Window) {
    Window->SetPseudoSectionEnabled(true);
    Window->SetIsoPsZEnabled(true);
  }
  if (SingleLevelDisplay()) {
    if (Window) Window->SetPseudoSectionEnabled(false);
    DataPlotType = 1;
    graphicstype = 0;
    if (Window) Window->RelayoutSections();
  }
  if (Window) {
    Window->ApplySectionSettings();
    Window->PrepareAxes();
    if (SingleLevelDisplay()) Window->SetPseudoSectionEnabled(false);
    Window->PlotElectrodes();
  }
  if (ModelChart) ModelChart->SetRelief(Topography);

  if (result == Survey::ReadData) {
    ConstructStartModel(true);
    StartResistivity = ModelConstructorValues.StartResistivity;
    StartPolarizability = ModelConstructorValues.StartPolarizability;
    if (ModelChart) {
      ModelChart->SetModelBounds(true, {ModelConstructorValues.StartX, ModelConstructorValues.EndX, 0.0,
                                        ModelConstructorValues.MaximalDepth});
      ModelChart->NewModel(Topography, Topography.size() >= 3, ModelChart->GetModelBounds());
    }
  } else {
    if (ModelChart) ModelChart->SetModelBounds(true, ModelChart->GetModelBounds());
    if (Window) {
      Window->ResetToResistivity();
      Window->PlotElectrodes();
    }
  }
  if (Window) {
    Window->ResetToResistivity();
    Window->SetCaption(Survey::CaptionPrefix + FileNameOnly(fileName) + "]");
  }
  SurveyReady = true;
  if (Window) {
    Window->PlotData(true);
    Window->PlotElectrodes();
    Window->ShowSecondToolBar();
  }
  // A file that holds only a model has nothing to compute.
  if (Asource.empty()) return;
  if (Window)
    Window->ForwardProblem();
  else
    RunModelling(false);
}

void TSurvey::SaveData() {
  if (!HasObservedData && !ModelComputed) return;
  if (!Window) return;
  std::string fileName = SaveFileName;
  int32_t index = SaveFilterIndex;
  if (!Window->SaveDialog(Survey::SaveFilter, fileName, index)) return;
  SaveFilterIndex = index;
  SaveAs(fileName, index);
}

bool TSurvey::SaveAs(const std::string& fileName, int32_t filterIndex) {
  using namespace Survey;
  // The files are written with the apparent resistivity on display.
  const bool switched = filterIndex != saveConfiguration && Window && Window->GetDataQuantity() == 1;
  if (switched) Window->SetDataQuantity(0);
  bool written = true;
  switch (filterIndex) {
    case saveProject:
    case saveCalculated:
    case saveObserved:
    case saveModelWithCalculated: {
      SaveFileName = SurveyText::ChangeExtension(fileName, ".k2d");
      const bool observed = filterIndex == saveProject || filterIndex == saveObserved;
      const bool withModel = filterIndex == saveProject || filterIndex == saveModelWithCalculated;
      const bool allowed = filterIndex == saveProject ? HasObservedData && SurveyReady
                                                      : observed ? HasObservedData : ModelComputed;
      if (allowed) written = WriteSurveyFile(SaveFileName, observed, withModel);
      break;
    }
    case saveRes2dInvObserved:
    case saveRes2dInvCalculated: {
      SaveFileName = SurveyText::ChangeExtension(fileName, ".dat");
      const bool observed = filterIndex == saveRes2dInvObserved;
      if (observed ? HasObservedData : ModelComputed) written = WriteRes2dInvFile(SaveFileName, observed);
      break;
    }
    case saveWorksheetPicture:
    case saveModelPicture:
      SaveFileName = SurveyText::ChangeExtension(fileName, ".bmp");
      written = Window && Window->SaveSectionPicture(SaveFileName, filterIndex == saveModelPicture);
      if (!written) Message("Cannot write the file \"" + SaveFileName + "\".");
      break;
    case saveConfiguration:
      SaveFileName = SurveyText::ChangeExtension(fileName, ".cfg");
      written = WriteConfigFile(SaveFileName);
      break;
    default:
      break;
  }
  if (switched) Window->SetDataQuantity(1);
  return written;
}
