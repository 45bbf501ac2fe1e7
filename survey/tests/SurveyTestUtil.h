// Helpers of the survey tests: files in a scratch folder of the test, a model chart
// that records what the survey asks of it, and a captured message list.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <fstream>
#include <string>
#include <vector>

#include "numerics/DC2dBEM.h"
#include "numerics/Polygons.h"
#include "survey/Survey.h"

namespace SurveyTest {

inline std::filesystem::path ScratchDir() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  auto dir = std::filesystem::temp_directory_path() / "kv_survey_tests" /
             (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::create_directories(dir);
  return dir;
}

inline std::string WriteText(const std::string& name, const std::string& text) {
  const auto path = ScratchDir() / name;
  std::ofstream(path, std::ios::binary) << text;
  return path.string();
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A model chart without a display that holds a real model: the start model, refits
// and the computation mesh come from the numerics routines. A model section is
// "found" when the file holds the section's first line; written sections are
// appended as two marker lines.
class TFakeModelChart : public TSurveyModelChart {
 public:
  double HostResistivity = 0.0;
  double HostPolarizability = 0.0;
  int ReadCalls = 0;
  std::vector<double> LabelOffsets;
  int MeshPreviewClears = 0;
  int MeshPreviewShows = 0;
  size_t MeshPreviewPoints = 0;
  bool MeshPreviewLabelled = false;
  bool FailWriteModel = false;
  AllSpolygon Model;
  Tnodes Nodes;
  TModelBounds Bounds;
  arofcomplexM Relief;  // (x, depth below the highest point)
  bool ReliefOn = false;
  int NewModelCalls = 0;
  std::vector<bool> BoundsKeepFlags;

  bool ReadModel(const std::string& fileName) override {
    ++ReadCalls;
    if (ReadText(fileName).find("KelmPolyModelDescription2.0") == std::string::npos) return false;
    HostResistivity = 250.0;
    HostPolarizability = 3.0;
    return true;
  }
  bool WriteModel(const std::string& fileName, int32_t linesToKeep) override {
    EXPECT_EQ(linesToKeep, -1);
    if (FailWriteModel) return false;
    std::ofstream(fileName, std::ios::binary | std::ios::app)
        << "KelmPolyModelDescription2.0\r\nEndPolyModelDescription2.0\r\n";
    return true;
  }
  double GetHostResistivity() const override { return HostResistivity; }
  double GetHostPolarizability() const override { return HostPolarizability; }
  void SetHostValues(double resistivity, double polarizability) override {
    HostResistivity = resistivity;
    HostPolarizability = polarizability;
  }
  void SetLabelOffset(double offset) override { LabelOffsets.push_back(offset); }
  const AllSpolygon& GetModel() const override { return Model; }
  const Tnodes& GetNodes() const override { return Nodes; }
  TModelBounds GetModelBounds() const override { return Bounds; }
  void SetModelBounds(bool keep, const TModelBounds& b) override {
    BoundsKeepFlags.push_back(keep);
    const TModelBounds old = Bounds;
    Bounds = b;
    if (keep || Model.empty()) return;
    if (ReliefOn)
      Polygons::RefitModel(Relief, true, Model, Nodes, old.Bottom, old.Top, old.Right, old.Left, b.Bottom, b.Top,
                           b.Right, b.Left);
    else
      Polygons::MoveBorderNodes(Nodes, b.Bottom, b.Top, b.Right, b.Left);
  }
  void SetRelief(const arofcomplexM& relief) override {
    Relief = relief;
    if (relief.size() < 2) return;
    double top = relief[0].z;
    for (const complexM& p : relief) top = std::max(top, p.z);
    for (complexM& p : Relief) p.z = top - p.z;
  }
  void NewModel(const arofcomplexM&, bool reliefOn, const TModelBounds& b) override {
    ++NewModelCalls;
    Bounds = b;
    ReliefOn = reliefOn;
    SPolygon body;
    Polygons::BuildStartModel(Nodes, body, Relief, b.Left, b.Right, b.Top, b.Bottom, reliefOn);
    Model = {body};
  }
  bool BuildComputationMesh(const ComputationMesh::TMeshSettings& settings, const arofcomplexM& relief,
                            AllSpolygon& polygons, Tnodes& nodes, std::string& message) override {
    ComputationMesh::TMeshModel m;
    m.XMin = Bounds.Left;
    m.XMax = Bounds.Right;
    m.ZMin = Bounds.Top;
    m.ZMax = Bounds.Bottom;
    m.HasRelief = relief.size() >= 3;
    m.Relief = Relief;
    double offset = 0.0;
    return ComputationMesh::BuildComputationMesh(m, settings, polygons, nodes, offset, message);
  }
  void ShowMeshPreview(const Tnodes& nodes, bool labelled) override {
    ++MeshPreviewShows;
    MeshPreviewPoints = nodes.size();
    MeshPreviewLabelled = labelled;
  }
  void ClearMeshPreview() override {
    ++MeshPreviewClears;
    MeshPreviewPoints = 0;
  }
  void GetBottomAxisRange(double& minimum, double& maximum) const override {
    minimum = Bounds.Left;
    maximum = Bounds.Right;
  }
};

// A main window without a display: records what the survey asks of it and answers
// the dialogs from scripted values.
class TFakeWindow : public TSurveyWindow {
 public:
  TSurvey* Survey = nullptr;  // the survey whose forward run the Forward problem command starts
  std::vector<std::string> Calls;
  std::string Caption;
  std::vector<bool> PseudoSectionEnabled;
  double XMin = 0.0, XMax = 0.0;
  // The model constructor: nullopt closes it without "Ok"; otherwise the values typed.
  std::function<std::optional<TModelConstructorValues>(const TModelConstructorValues&, bool)> ModelConstructorAnswer;
  std::vector<TModelConstructorValues> ModelConstructorShown;
  std::vector<bool> PolarizabilityShown;
  std::vector<std::optional<std::string>> InputAnswers;  // nullopt = cancelled
  std::vector<std::string> InputCaptions;
  int32_t Quantity = 0;
  std::vector<int32_t> QuantityChanges;
  bool PictureOk = true;
  std::vector<std::pair<std::string, bool>> Pictures;
  std::optional<std::pair<std::string, int32_t>> SaveAnswer;

  void ResetToResistivity() override { Calls.push_back("ResetToResistivity"); }
  void SetPseudoSectionEnabled(bool enabled) override { PseudoSectionEnabled.push_back(enabled); }
  void RelayoutSections() override { Calls.push_back("RelayoutSections"); }
  void ApplySectionSettings() override { Calls.push_back("ApplySectionSettings"); }
  void PrepareAxes() override { Calls.push_back("PrepareAxes"); }
  void PlotElectrodes() override { Calls.push_back("PlotElectrodes"); }
  void SetCaption(const std::string& caption) override { Caption = caption; }
  void PlotData(bool upper) override { Calls.push_back(upper ? "PlotData upper" : "PlotData lower"); }
  void ShowSecondToolBar() override { Calls.push_back("ShowSecondToolBar"); }
  void ForwardProblem() override {
    Calls.push_back("ForwardProblem");
    if (Survey) Survey->RunModelling(false);
  }
  void SetDataSectionsXRange(double minimum, double maximum) override {
    XMin = minimum;
    XMax = maximum;
  }
  bool ModelConstructor(TModelConstructorValues& values, bool showPolarizability) override {
    ModelConstructorShown.push_back(values);
    PolarizabilityShown.push_back(showPolarizability);
    if (!ModelConstructorAnswer) return false;
    const auto answer = ModelConstructorAnswer(values, showPolarizability);
    if (!answer) return false;
    values = *answer;
    return true;
  }
  bool InputBox(const std::string& caption, std::string& value) override {
    InputCaptions.push_back(caption);
    if (InputAnswers.empty()) return false;
    const auto answer = InputAnswers.front();
    InputAnswers.erase(InputAnswers.begin());
    if (!answer) return false;
    value = *answer;
    return true;
  }
  bool SaveDialog(const std::string&, std::string& fileName, int32_t& filterIndex) override {
    if (!SaveAnswer) return false;
    fileName = SaveAnswer->first;
    filterIndex = SaveAnswer->second;
    return true;
  }
  int32_t GetDataQuantity() const override { return Quantity; }
  void SetDataQuantity(int32_t quantity) override {
    Quantity = quantity;
    QuantityChanges.push_back(quantity);
  }
  bool SaveSectionPicture(const std::string& fileName, bool model) override {
    Pictures.emplace_back(fileName, model);
    return PictureOk;
  }
};

// A survey whose messages are collected instead of shown.
struct TCapturedSurvey {
  TSurvey Survey;
  std::vector<std::string> Messages;
  std::shared_ptr<TFakeModelChart> Chart = std::make_shared<TFakeModelChart>();
  std::shared_ptr<TFakeWindow> Window = std::make_shared<TFakeWindow>();
  TCapturedSurvey() {
    Survey.OnMessage = [this](const std::string& m) { Messages.push_back(m); };
    Survey.ModelChart = Chart;
    Window->Survey = &Survey;
  }
  // Installs the fake main window (the survey runs headless without it).
  void UseWindow() { Survey.Window = Window; }
};

// Reads a k2d text and analyses it as the open command does.
inline int32_t OpenK2d(TSurvey& survey, const std::string& name, const std::string& text) {
  const int32_t result = survey.ReadSurveyFile(WriteText(name, text));
  if (result != Survey::ReadError) {
    survey.HasObservedData = true;
    survey.AnalyseSurvey();
  }
  return result;
}

// Every receiver of the survey in order: (source, receiver) pairs.
template <typename F>
void ForEachReceiver(const TSurvey& s, F f) {
  for (size_t i = 0; i < s.Asource.size(); ++i)
    for (size_t j = 0; j < s.Asource[i].P1.size(); ++j) f(s.Asource[i], j);
}

// One measurement row with the electrode positions and values given, the rest unset.
inline arofdoubleM Row(double c1, double c2, double p1, double p2, double rhoa = 100,
                       double res = Supermath2d::NoValue) {
  arofdoubleM row(Survey::RowColumns, Supermath2d::NoValue);
  row[Survey::colC1] = c1;
  row[Survey::colC2] = c2;
  row[Survey::colP1] = p1;
  row[Survey::colP2] = p2;
  row[Survey::colRhoA] = rhoa;
  row[Survey::colRes] = res;
  return row;
}

inline void Analyse(TSurvey& s, ararofdoubleM rows, bool observed = true) {
  s.MeasurementRows = std::move(rows);
  s.HasObservedData = observed;
  s.AnalyseSurvey();
}

// Resets the solver's unit-level state around each test and collects the
// messages of refused runs.
class SolverStateTest : public ::testing::Test {
 protected:
  std::vector<std::string> SolverMessages;
  void SetUp() override {
    DC2dBEM::ResetState();
    DC2dBEM::Hooks = {};
    DC2dBEM::Hooks.ShowMessage = [this](const std::string& m) { SolverMessages.push_back(m); };
  }
  void TearDown() override {
    DC2dBEM::Hooks = {};
    DC2dBEM::ResetState();
  }
};

}  // namespace SurveyTest
