// The start model: extent and start values proposed from the survey, corrected by
// the user in the "Model constructor" dialog, then built in the model chart (or the
// existing model refitted to new bounds).
#include <algorithm>
#include <cmath>

#include "survey/Survey.h"

using Supermath2d::NoValue;

namespace {

bool Number(double v) { return v != NoValue && std::isfinite(v); }

}  // namespace

bool TSurvey::ProposedValuesValid(const TModelConstructorValues& v, std::string& problems) const {
  auto check = [&](const char* field, double value, bool allowed, const char* rule) {
    if (Number(value) && allowed) return;
    problems += "\n\"" + std::string(field) + "\": " +
                (value == NoValue ? std::string("the text is no number") : Survey::ExactText(value)) +
                " is not allowed: " + rule + ".";
  };
  check("Start resistivity", v.StartResistivity, v.StartResistivity > 0, "it must be greater than 0");
  if (HasIPData)
    check("Start polarizability", v.StartPolarizability, v.StartPolarizability >= 0 && v.StartPolarizability < 100,
          "use 0 to below 100");
  check("Start X", v.StartX, true, "it must be a number");
  check("End X", v.EndX, !Number(v.StartX) || v.EndX > v.StartX, "it must be greater than \"Start X\"");
  check("Maximal depth", v.MaximalDepth, v.MaximalDepth > 0, "it must be greater than 0");
  return problems.empty();
}

void TSurvey::ApplyStartModel(bool newModel) {
  const TModelConstructorValues& v = ModelConstructorValues;
  StartResistivity = v.StartResistivity;
  StartPolarizability = v.StartPolarizability;
  if (!ModelChart) return;
  ModelChart->SetHostValues(StartResistivity, StartPolarizability);
  ModelChart->SetRelief(Topography);
  ModelChart->SetModelBounds(newModel, {v.StartX, v.EndX, 0.0, v.MaximalDepth});
  if (newModel) ModelChart->NewModel(Topography, Topography.size() >= 3, ModelChart->GetModelBounds());
}

void TSurvey::ConstructStartModel(bool newModel) {
  const bool firstUse = !ModelConstructorCreated;
  TModelConstructorValues v = ModelConstructorValues;
  if (firstUse || newModel || !ModelChart) {
    // Nothing to propose from before a survey has been analysed.
    if (ElectrodePositions.empty() || Levels.empty()) return;
    const bool relief = Topography.size() >= 3;
    v.StartX = ElectrodePositions.front();
    v.EndX = ElectrodePositions.back();
    v.MaximalDepth = Levels.back();
    if (relief) {
      v.StartX = std::min(v.StartX, Topography.front().x);
      v.EndX = std::max(v.EndX, Topography.back().x);
      const auto [low, high] = std::minmax_element(Topography.begin(), Topography.end(),
                                                   [](const complexM& a, const complexM& b) { return a.z < b.z; });
      v.MaximalDepth += high->z - low->z;
    }
  } else {
    const TModelBounds b = ModelChart->GetModelBounds();
    v.StartX = b.Left;
    v.EndX = b.Right;
    v.MaximalDepth = b.Bottom;
  }
  ModelConstructorCreated = true;
  v.StartResistivity = StartResistivity;
  v.StartPolarizability = StartPolarizability;
  ModelConstructorValues = v;

  TModelConstructorValues edited = v;
  bool accepted = Window && Window->ModelConstructor(edited, HasIPData);
  if (accepted) {
    // The hidden polarizability edit passes the stored value through.
    if (!HasIPData) edited.StartPolarizability = v.StartPolarizability;
    std::string problems;
    if (ProposedValuesValid(edited, problems)) {
      ModelConstructorValues = edited;
    } else {
      Message("Model constructor:" + problems +
              (newModel ? "\nThe proposed values are used." : "\nThe model is left as it was."));
      accepted = false;
    }
  }
  if (accepted || newModel) ApplyStartModel(newModel);

  // The data sections share the model's horizontal scale.
  if (ModelChart && Window) {
    double minimum = 0.0, maximum = 0.0;
    ModelChart->GetBottomAxisRange(minimum, maximum);
    Window->SetDataSectionsXRange(minimum, maximum);
  }
}
