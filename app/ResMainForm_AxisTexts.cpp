// The axis and colour-bar settings texts of the display cases, the events of
// the two data sections for the current display style, and the status texts
// that follow the cursor.

#include <utility>

#include "app/ResMainForm.h"
#include "chart/engine/Chart.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "numerics/Polygons.h"
#include "platform/rtl/Registry.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace {

// Registry value names of the stored slots, as (slot, name).
struct TStoredSlot {
  int Slot;
  const char* Name;
};
constexpr TStoredSlot StoredSlots[] = {
    {0, "graphaxis00"}, {1, "graphaxis01"}, {2, "graphaxis10"}, {3, "graphaxis11"},
    {10, "graphcb00"},  {11, "graphcb01"},  {12, "graphcb10"},  {13, "graphcb11"},
    {18, "modelcb0"},   {19, "modelcb1"},   {20, "modelcb10"},  {21, "modelcb11"},
    {8, "pseudoaxis"},
};

std::string AxisTextsKey(const std::string& Name) {
  return "\\Software\\" + Name + "_" + Multigraphics::ExecutableFileName() + "_difparams";
}

// Sets one field of a blank-separated settings line, leaving every other token
// as it was ("*" for a value that is not set stays in its place, so that the
// fields after it keep their positions). A line without numbers, or without
// such a field, stays as it is.
std::string WithField(const std::string& Text, size_t Field, const std::string& Value) {
  arofdoubleM numbers;
  Supermath2d::ParseDoubles(Text, 0, numbers);
  if (numbers.empty()) return Text;
  std::vector<std::string> tokens;
  size_t i = 0;
  while (i < Text.size()) {
    while (i < Text.size() && (Text[i] == ' ' || Text[i] == '\t')) ++i;
    const size_t start = i;
    while (i < Text.size() && Text[i] != ' ' && Text[i] != '\t') ++i;
    if (i > start) tokens.push_back(Text.substr(start, i - start));
  }
  if (Field >= tokens.size()) return Text;
  tokens[Field] = Value;
  std::string line;
  for (const std::string& token : tokens) line += (line.empty() ? "" : " ") + token;
  return line;
}

void ApplyAxisText(TChartAxis& Axis, const std::string& Text, const std::string& DefaultText) {
  if (!Text.empty()) {
    try {
      PlotEngine::AxisFromText(Axis, Text, true);
    } catch (const Exception&) {
      // A damaged stored text leaves the axis as it is: the reader applied nothing.
    }
  }
  Axis.AxisDefaultText = DefaultText;
}

void ApplyColourBarText(TPseudoSection2d& Section, const std::string& Text, const std::string& DefaultText) {
  if (!Text.empty()) Section.SettingsFromStr(Text);
  Section.DefaultSettings = DefaultText;
}

}  // namespace

std::string ResMainForm::NormaliseColourBarText(const std::string& Text) { return WithField(Text, 11, "0"); }

std::string ResMainForm::NormaliseModelColourBarText(const std::string& Text) {
  return WithField(Text, 19, "-987654321");
}

void TMainForm::BuildDefaultAxisTexts() {
  TChartAxis& axis = *PseudoSection2d1->LeftAxis();
  axis.SetAutomatic(true);
  axis.SetLogarithmic(false);
  AxisTexts[8] = PlotEngine::AxisToText(axis);
  axis.SetInverted(false);
  axis.SetLogarithmic(true);
  axis.RoundedLimits = true;
  AxisTexts[0] = PlotEngine::AxisToText(axis);
  AxisTexts[1] = AxisTexts[0];
  AxisTexts[3] = AxisTexts[0];
  axis.SetLogarithmic(false);
  AxisTexts[2] = PlotEngine::AxisToText(axis);
  axis.SetInverted(true);
  axis.RoundedLimits = false;
  AxisTexts[9] = AxisTexts[8];
  for (int i = 0; i < 4; ++i) AxisTexts[4 + i] = AxisTexts[i];
  Chart::StoreAxesDefaults(PseudoSection2d1);

  TPseudoSection2d& s = *PseudoSection2d1;
  auto colourBar = [&s](TColor Min, TColor Max, TColor OneThird, TColor TwoThirds, bool Log) {
    s.MinContour = Min;
    s.MaxContour = Max;
    s.Contour1_3 = OneThird;
    s.Contour2_3 = TwoThirds;
    s.LogScale = Log;
    s.UseExternal = false;
    return s.SettingsToStr();
  };
  AxisTexts[10] = colourBar(0xFF0000, 0x0000FF, 0x008000, 0x00FFFF, true);
  AxisTexts[11] = colourBar(0x00FFFF, 0xFF0000, 0x00FF00, 0x008000, true);
  AxisTexts[13] = AxisTexts[11];
  AxisTexts[12] = colourBar(0x0000FF, 0xFF0000, 0x00FFFF, 0x008000, false);
  for (int i = 0; i < 4; ++i) AxisTexts[14 + i] = AxisTexts[10 + i];
}

void TMainForm::StoreAxisTexts() {
  const int q = DataQuantity == 1 ? 1 : 0, d = DataType == 1 ? 1 : 0;
  if (WorksheetStyle != 1) {
    const std::string axis = PlotEngine::AxisToText(*PseudoSection2d1->LeftAxis());
    AxisTexts[Survey.DataPlotType == 1 ? 2 * q + d : 8] = axis;
    AxisTexts[10 + 2 * q + d] = PseudoSection2d1->SettingsToStr();
  } else if (HasIP) {
    AxisTexts[d] = PlotEngine::AxisToText(*PseudoSection2d1->LeftAxis());
    AxisTexts[d + 2] = PlotEngine::AxisToText(*PseudoSection2d2->LeftAxis());
  } else {
    AxisTexts[d] = PlotEngine::AxisToText(*PseudoSection2d2->LeftAxis());
  }
}

void TMainForm::InstallGraphicsEvents(TPseudoSection2d* S) {
  S->OnDblClick = [] {};
  S->OnStatus = nullptr;
  S->OnPopupDone = [this, S](TObject*) { SectionSettingsChanged(S); };
  S->LeftAxis()->OnAxisChange = nullptr;
  S->BottomAxis()->OnAxisChange = nullptr;
  S->OnAfterDraw = nullptr;
  S->OnMouseDown = [](TMouseButton, TShiftState, int32_t, int32_t) {};
  S->OnMouseMove = [this, S](TShiftState Shift, int32_t X, int32_t Y) { Chart1MouseMove(S, Shift, X, Y); };
  S->OnMouseUp = [this, S](TMouseButton Button, TShiftState, int32_t, int32_t) { Chart1MouseUp(S, Button); };
  S->OnClickSeries = [this](TCustomChart* Sender, TChartSeries* Series, int32_t ValueIndex, TMouseButton Button,
                            TShiftState, int32_t, int32_t) { Chart1ClickSeries(Sender, Series, ValueIndex, Button); };
}

void TMainForm::InstallSectionEvents(TPseudoSection2d* S) {
  if (S == PseudoSection2d2 && ObservedLoaded) {
    // The upper section stays the master of the shared scale: its menu serves both.
    S->OnDblClick = [this, S] {
      if (S->MouseZone == 0) return;
      PseudoSection2d1->MouseZone = S->MouseZone;
      PseudoSection2d1->ChartDblClick(S);
    };
  } else {
    S->OnDblClick = [S] { S->ChartDblClick(S); };
  }
  S->OnPopupDone = [this, S](TObject*) { SectionSettingsChanged(S); };
  S->LeftAxis()->OnAxisChange = [S](TObject* Sender) { S->UpdatePicture(Sender); };
  S->BottomAxis()->OnAxisChange = [S](TObject* Sender) { S->UpdatePicture(Sender); };
  S->OnMouseDown = [](TMouseButton, TShiftState, int32_t, int32_t) {};
  S->OnMouseMove = [S](TShiftState Shift, int32_t X, int32_t Y) { S->ChartMouseMove(Shift, X, Y); };
  S->OnMouseUp = [](TMouseButton, TShiftState, int32_t, int32_t) {};
  S->OnAfterDraw = [S](TObject* Sender) { S->ChartAfterDraw(Sender); };
  S->OnClickSeries = [this](TCustomChart* Sender, TChartSeries* Series, int32_t ValueIndex, TMouseButton,
                            TShiftState, int32_t, int32_t) { PseudoSection2d1ClickSeries(Sender, Series, ValueIndex); };
  S->OnStatus = [this, S](TObject*) { psmm(S); };
}

void TMainForm::ApplySectionSettings() {
  const int q = DataQuantity == 1 ? 1 : 0, d = DataType == 1 ? 1 : 0;
  const int cb = 10 + 2 * q + d;
  if (Survey.DataPlotType == 1) {
    for (TPseudoSection2d* s : {PseudoSection2d1, PseudoSection2d2}) InstallGraphicsEvents(s);
    if (WorksheetStyle != 1) {
      for (TPseudoSection2d* s : {PseudoSection2d1, PseudoSection2d2}) {
        ApplyAxisText(*s->LeftAxis(), AxisTexts[2 * q + d], AxisTexts[4 + 2 * q + d]);
        ApplyColourBarText(*s, AxisTexts[cb], AxisTexts[cb + 4]);
      }
    } else if (HasIP) {
      ApplyAxisText(*PseudoSection2d1->LeftAxis(), AxisTexts[d], AxisTexts[d + 4]);
      ApplyAxisText(*PseudoSection2d2->LeftAxis(), AxisTexts[d + 2], AxisTexts[d + 6]);
    } else {
      ApplyAxisText(*PseudoSection2d2->LeftAxis(), AxisTexts[d], AxisTexts[d + 4]);
    }
    for (TPseudoSection2d* s : {PseudoSection2d1, PseudoSection2d2}) s->Legend()->SetVisible(s->ColorBarVisible);
    return;
  }
  for (TPseudoSection2d* s : {PseudoSection2d1, PseudoSection2d2}) {
    InstallSectionEvents(s);
    ApplyAxisText(*s->LeftAxis(), AxisTexts[8], AxisTexts[9]);
    ApplyColourBarText(*s, AxisTexts[cb], AxisTexts[cb + 4]);
    s->Legend()->SetVisible(false);
  }
}

void TMainForm::SectionSettingsChanged(TPseudoSection2d* Section) {
  if (WorksheetStyle != 0) return;
  CopySectionSettings(Section, Section == PseudoSection2d1 ? PseudoSection2d2 : PseudoSection2d1);
}

void TMainForm::CopySectionSettings(TPseudoSection2d* Source, TPseudoSection2d* Target) {
  if (WorksheetStyle != 0 || Source == Target) return;
  TChartAxis& upperLeft = *PseudoSection2d1->LeftAxis();
  const bool automatic = upperLeft.GetAutomatic();
  const bool automaticMinimum = upperLeft.GetAutomaticMinimum();
  const bool automaticMaximum = upperLeft.GetAutomaticMaximum();

  if (Source->ColorBarFont) PlotEngine::CopyFontByText(*Source->ColorBarFont, Target->ColorBarFont);
  TChartAxis* sourceAxes[] = {Source->LeftAxis(), Source->RightAxis(), Source->TopAxis(), Source->BottomAxis()};
  TChartAxis* targetAxes[] = {Target->LeftAxis(), Target->RightAxis(), Target->TopAxis(), Target->BottomAxis()};
  for (int i = 0; i < 4; ++i)
    ApplyAxisText(*targetAxes[i], PlotEngine::AxisToText(*sourceAxes[i]), sourceAxes[i]->AxisDefaultText);
  Target->SettingsFromStr(Source->SettingsToStr());
  if (Source->GridSeries && Target->GridSeries)
    Series::SeriesFromText(Target->GridSeries, Series::SeriesToText(Source->GridSeries));
  if (Source->MarkerSeries && Target->MarkerSeries)
    Series::SeriesFromText(Target->MarkerSeries, Series::SeriesToText(Source->MarkerSeries));

  if (ObservedLoaded) {
    upperLeft.SetAutomatic(automatic);
    upperLeft.SetAutomaticMinimum(automaticMinimum);
    upperLeft.SetAutomaticMaximum(automaticMaximum);
  }
  if (ObservedLoaded || CalculatedReady) {
    ScaleLowerLikeUpper();
    if (Survey.DataPlotType == 0) Target->UpdatePicture(Target);
  }
}

void TMainForm::ScaleLowerLikeUpper() {
  if (WorksheetStyle != 0 || !ObservedLoaded || !CalculatedReady) return;
  PseudoSection2d1->Invalidate();
  PseudoSection2d1->LeftAxis()->CalcAxisRange();
  Application->ProcessMessages();
  TChartAxis& lower = *PseudoSection2d2->LeftAxis();
  lower.SetAutomatic(false);
  lower.SetMinMax(PseudoSection2d1->LeftAxis()->GetMinimum(), PseudoSection2d1->LeftAxis()->GetMaximum());
  TPseudoSection2d& s = *PseudoSection2d2;
  s.UseExternal = true;
  s.ExtMin = PseudoSection2d1->DataMin;
  s.ExtMax = PseudoSection2d1->DataMax;
  if (Survey.DataPlotType != 0) return;
  if (AddDataType == 1) {
    // The relative difference has its own linear scale with automatic limits.
    s.UseExternal = false;
    s.LogScale = false;
  } else if (AddDataType == 2) {
    s.UseExternal = true;
    s.LogScale = false;
    s.ExtMin = 0.0;
    s.ExtMax = 100.0;
  }
}

std::string TMainForm::aa(const std::string& Text) {
  if (!FScratchAxis) {
    FScratchAxis = TChartAxis::CreateCustom(*PseudoSection2d1);
    FScratchAxis->SetVisible(false);
  }
  try {
    PlotEngine::AxisFromText(*FScratchAxis, Text, true);
  } catch (const Exception&) {
    // A text that cannot be read comes back as the scratch axis's own text.
  }
  FScratchAxis->SetAutomatic(true);
  FScratchAxis->SetAutomaticMinimum(true);
  FScratchAxis->SetAutomaticMaximum(true);
  return PlotEngine::AxisToText(*FScratchAxis);
}

void TMainForm::prepaxises() {
  for (int slot : {0, 2, 3, 1, 8}) AxisTexts[static_cast<size_t>(slot)] = aa(AxisTexts[static_cast<size_t>(slot)]);
  for (int slot : {10, 12, 13, 11, 20, 21})
    AxisTexts[static_cast<size_t>(slot)] = ResMainForm::NormaliseColourBarText(AxisTexts[static_cast<size_t>(slot)]);
  for (int slot : {18, 19})
    AxisTexts[static_cast<size_t>(slot)] = ResMainForm::NormaliseModelColourBarText(AxisTexts[static_cast<size_t>(slot)]);
  // Overlays stay with a new survey; only the curve's look is kept.
  StoreImportLook();
  PseudoSection2d1->UndoZoom();
  PseudoSection2d2->UndoZoom();
  PolygonChart1->UndoZoom();
  PolygonChart1->ModelEditMode = pemNone;
  SetModeButtons(nullptr);
  Chart::FormatLoadingSuspended = true;
  for (multigraph* graph : {ObservedRhoGraph, CalculatedRhoGraph, ObservedEtaGraph, CalculatedEtaGraph})
    graph->FreeCurves();
  // The label mode of new bodies: resistivity, and polarizability with IP data.
  PropValue labelMode(static_cast<int32_t>(HasIP ? 2 : 1));
  std::swap(Polygons::DefaultProps[8], labelMode);
  PolygonChart1->EditPending = false;
}

void TMainForm::SaveAxisTexts(const std::string& Name) {
  prepaxises();
  try {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    if (!reg.OpenKey(AxisTextsKey(Name), true)) return;
    for (const TStoredSlot& s : StoredSlots)
      reg.WriteString(s.Name, s.Slot == 8 ? aa(AxisTexts[8]) : AxisTexts[static_cast<size_t>(s.Slot)]);
  } catch (const Exception&) {
    // A store that cannot be written loses this group of settings.
  }
}

void TMainForm::LoadAxisTexts(const std::string& Name) {
  try {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    if (!reg.OpenKeyReadOnly(AxisTextsKey(Name)) || !reg.ValueExists("modelcb11")) return;
    // Read completely before anything is taken, so that a bad store changes nothing.
    std::array<std::string, AxisTextCount> texts = AxisTexts;
    for (const TStoredSlot& s : StoredSlots)
      if (reg.ValueExists(s.Name)) texts[static_cast<size_t>(s.Slot)] = reg.ReadString(s.Name);
    AxisTexts = texts;
  } catch (const Exception&) {
    // An unreadable store keeps the defaults.
  }
}

void TMainForm::psmm(TPseudoSection2d* Section) { SetStatusText(1, Section->CursorText); }

void TMainForm::Chart1MouseMove(TCustomChart* Sender, TShiftState, int32_t X, int32_t Y) {
  if (Sender->SeriesCount() < 1) return;
  TChartSeries* first = Sender->GetSeries(0);
  SetStatusText(1, Supermath2d::FloatToStrDec(0, 1, first->PixelToXValue(X)) + " " +
                       Supermath2d::FloatToStrDec(0, 1, first->PixelToYValue(Y)));
}
