// The "Display" submenu of the data menu (showing every N-th measurement, the
// four array-configuration filters) and the "Advanced" switches that the survey
// analysis and the open command read.

#include <algorithm>
#include <cmath>

#include "app/ResMainForm.h"
#include "numerics/Supermath2d.h"
#include "platform/ui/Dialogs.h"
#include "views/PolygonChart.h"

using Supermath2d::NoValue;

void TMainForm::Display1Click(TObject*) {
  Displayevery1->SetCaption("Display every " + std::to_string(DisplayEvery) + " point");
  CPP1->SetChecked(DisplayFilters[0]);
  PPC1->SetChecked(DisplayFilters[1]);
  CCPP1->SetChecked(DisplayFilters[2]);
  PPCC1->SetChecked(DisplayFilters[3]);
}

void TMainForm::RebuildDataSections() {
  RebuildUpper = true;
  RebuildLower = true;
  if (ObservedLoaded) PlotData(true);
  if (CalculatedReady) PlotData(false);
}

void TMainForm::Displayevery1Click(TObject*) {
  const std::string answer = Dialogs::InputBox("Display every", "", std::to_string(DisplayEvery));
  const double value = Supermath2d::StrToFloatChecked(answer, true, 1.0, 20.0);
  if (value != NoValue) DisplayEvery = static_cast<int32_t>(std::nearbyint(value));
  Display1Click(nullptr);
  RebuildDataSections();
}

void TMainForm::ToggleDisplayFilter(TMenuItem* Item, int32_t Index) {
  Item->SetChecked(!Item->GetChecked());
  DisplayFilters[static_cast<size_t>(Index)] = Item->GetChecked();
  RebuildDataSections();
}

void TMainForm::CPP1Click(TObject*) { ToggleDisplayFilter(CPP1, 0); }
void TMainForm::PPC1Click(TObject*) { ToggleDisplayFilter(PPC1, 1); }
void TMainForm::CCPP1Click(TObject*) { ToggleDisplayFilter(CCPP1, 2); }
void TMainForm::PPCC1Click(TObject*) { ToggleDisplayFilter(PPCC1, 3); }

void TMainForm::Advanced1Click(TObject*) {
  Reversepseudosection1->SetCaption("Reverse pseudosection   " + Supermath2d::FloatToStrDec(0, 1, Survey.ReverseShift));
  Reversepseudosection1->SetChecked(Survey.ReverseProfile);
  Realtopocoordinates1->SetChecked(Survey.RealTopoCoordinates);
  Extendednodes1->SetChecked(Survey.ExtendedNodes);
}

void TMainForm::Reversepseudosection1Click(TObject*) {
  Reversepseudosection1->SetChecked(!Reversepseudosection1->GetChecked());
  Survey.ReverseProfile = Reversepseudosection1->GetChecked();
  if (!Survey.ReverseProfile) return;
  const std::string current = Supermath2d::FloatToStrDec(0, 1, Survey.ReverseShift);
  const std::string answer = Dialogs::InputBox("Pseudosection shift", "", current);
  // A cancelled or unchanged answer keeps the shift exactly (its text may be rounded).
  if (answer == current) return;
  const double shift = Supermath2d::StrToFloatChecked(answer, false, 0.0, 0.0);
  // The unset marker as a shift would move every position by it at the next analysis.
  if (shift == NoValue || !std::isfinite(shift)) {
    Dialogs::ShowMessage("\"" + answer + "\" is not a number; the pseudosection shift stays " + current + ".");
    return;
  }
  Survey.ReverseShift = shift;
}

void TMainForm::Realtopocoordinates1Click(TObject*) {
  if (Survey.Topography.empty()) return;
  Realtopocoordinates1->SetChecked(!Realtopocoordinates1->GetChecked());
  Survey.RealTopoCoordinates = Realtopocoordinates1->GetChecked();
  TChartAxis* axis = PolygonChart1->LeftAxis();
  if (Survey.RealTopoCoordinates) {
    double top = axis->LabelOffset;
    for (const complexM& point : Survey.Topography) top = std::max(top, point.z);
    axis->LabelOffset = -top;
  } else {
    axis->LabelOffset = 0.0;
  }
  PolygonChart1->Invalidate();
}

void TMainForm::Extendednodes1Click(TObject*) {
  Extendednodes1->SetChecked(!Extendednodes1->GetChecked());
  Survey.ExtendedNodes = Extendednodes1->GetChecked();
}

void TMainForm::Openinmodelingmode1Click(TObject*) {
  Openinmodelingmode1->SetChecked(!Openinmodelingmode1->GetChecked());
}
