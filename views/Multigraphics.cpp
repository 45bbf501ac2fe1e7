#include "views/Multigraphics.h"

#include <chrono>
#include <cmath>
#include <random>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/series/Series.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"

KV_CLASS_IMPL(multigraph, TObject) {}

namespace Multigraphics {

std::function<int(multigraph& Graph)> SetupDialogHook;

std::string ExecutableFileName() { return SysUtils::ExtractFileName(Application->ExeName()); }

void ApplyLabelMarks(TChartSeries& series) {
  auto* marks = dynamic_cast<TSeriesMarks*>(series.Marks());
  if (marks == nullptr) return;
  marks->SetVisible(true);
  marks->SetTransparent(true);
  marks->SetStyle(smsLabel);
  marks->Font()->SetColor(0);
  marks->Font()->SetName("small fonts");
  marks->Font()->SetSize(7);
  marks->Pen()->SetVisible(false);
  marks->SetArrowLength(0);
}

void ApplyDefaultCurveLook(TLineSeries& series) {
  series.SetSeriesColor(0);
  TSeriesPointer* pointer = series.Pointer();
  pointer->SetVisible(true);
  pointer->SetStyle(TSeriesPointerStyle::psCircle);
  pointer->SetColor(0xFFFFFF);
  pointer->Pen()->SetColor(0);
  pointer->SetHorizSize(2);
  pointer->SetVertSize(2);
  ApplyLabelMarks(series);
  series.NoEditPopup = true;
}

}  // namespace Multigraphics

namespace {

const char* const SettingNames[] = {"MinColor",        "OneThirdColor",      "TwoThirdsColor",
                                    "MaxColor",        "ConstantColor",      "FixCurveLineColor",
                                    "FixPointerFillColor", "FixPointerBorderColor", "CurveLineColor",
                                    "PointerBorderColor",  "PointerFillColor",      "ColorMode"};

std::mt19937& RandomEngine() {
  static std::mt19937 engine(static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  return engine;
}

}  // namespace

multigraph::~multigraph() = default;

void multigraph::Init() {
  std::uniform_int_distribution<int32_t> draw(0, 2147483646);
  RandomColors.resize(RandomColorCount);
  for (int32_t& c : RandomColors) c = draw(RandomEngine());
  MinColor = 0x0000FF;
  OneThirdColor = 0x00FFFF;
  TwoThirdsColor = 0x008000;
  MaxColor = 0xFF0000;
  ConstantColor = 0;
  FixCurveLineColor = false;
  FixPointerFillColor = true;
  FixPointerBorderColor = false;
  CurveLineColor = 0;
  PointerBorderColor = 0;
  PointerFillColor = 0xFFFFFF;
  ColorMode = 0;
  TLineSeries* sample = Create<TLineSeries>(nullptr);
  Multigraphics::ApplyDefaultCurveLook(*sample);
  SeriesTemplate = Series::SeriesToText(sample);
  sample->Free();
  DefaultSeriesTemplate = SeriesTemplate;
  DefaultParams = SettingsToStr();
}

std::string multigraph::SettingsToStr() const {
  const int32_t values[] = {MinColor,      OneThirdColor,  TwoThirdsColor,        MaxColor,
                            ConstantColor, FixCurveLineColor, FixPointerFillColor, FixPointerBorderColor,
                            CurveLineColor, PointerBorderColor, PointerFillColor,  ColorMode};
  std::string line;
  for (int32_t v : values) line += (line.empty() ? "" : " ") + std::to_string(v);
  return line;
}

bool multigraph::SettingsFromStr(const std::string& line, std::string& message) {
  message.clear();
  arofstrM all, tokens;
  Supermath2d::ParseStrings(line, 0, all);
  for (std::string& t : all)
    if (!t.empty()) tokens.push_back(std::move(t));
  if (tokens.size() < 12) {
    message = "The graphics settings \"" + line + "\" hold " + std::to_string(tokens.size()) +
              " values; 12 integers are needed. They were not applied.";
    return false;
  }
  int32_t v[12];
  for (size_t i = 0; i < 12; ++i)
    if (!SysUtils::TryStrToInt(tokens[i], v[i])) {
      message = std::string("The graphics setting ") + SettingNames[i] + " is \"" + tokens[i] +
                "\"; an integer is allowed. The settings were not applied.";
      return false;
    }
  if (v[11] < 0 || v[11] > 2) {
    message = "The graphics setting ColorMode is " + tokens[11] +
              "; 0 (Interpolate), 1 (Constant) or 2 (Random) is allowed. The settings were not applied.";
    return false;
  }
  MinColor = v[0];
  OneThirdColor = v[1];
  TwoThirdsColor = v[2];
  MaxColor = v[3];
  ConstantColor = v[4];
  FixCurveLineColor = (v[5] & 0xFF) != 0;
  FixPointerFillColor = (v[6] & 0xFF) != 0;
  FixPointerBorderColor = (v[7] & 0xFF) != 0;
  CurveLineColor = v[8];
  PointerBorderColor = v[9];
  PointerFillColor = v[10];
  ColorMode = v[11];
  return true;
}

bool multigraph::SettingsFromStr(const std::string& line) {
  std::string message;
  return SettingsFromStr(line, message);
}

std::string multigraph::RegistryKey(const std::string& prefix) {
  return "\\Software\\" + prefix + "_" + Multigraphics::ExecutableFileName() + "_multigraph";
}

void multigraph::SaveSettings(const std::string& prefix) const {
  TRegistry reg;
  reg.SetRootKey(HKEY_CLASSES_ROOT);
  if (!reg.OpenKey(RegistryKey(prefix), true))
    throw ERegistryException("Failed to open the registry key " + RegistryKey(prefix));
  reg.WriteString("mgparams", SettingsToStr());
  reg.WriteString("seroptions", SeriesTemplate);
}

void multigraph::LoadSettings(const std::string& prefix) {
  TRegistry reg;
  reg.SetRootKey(HKEY_CLASSES_ROOT);
  if (!reg.OpenKey(RegistryKey(prefix), true))
    throw ERegistryException("Failed to open the registry key " + RegistryKey(prefix));
  if (!reg.ValueExists("mgparams")) return;
  std::string message;
  if (!SettingsFromStr(reg.ReadString("mgparams"), message)) {
    if (!message.empty()) Dialogs::ShowMessage(message);
    return;
  }
  if (reg.ValueExists("seroptions")) SeriesTemplate = reg.ReadString("seroptions");
}

void multigraph::BuildColors() {
  const auto n = static_cast<size_t>(std::max(CurveCount, 0));
  CurveColors.resize(n, 0);
  switch (ColorMode) {
    case 0: {
      // CurveCount + 1 colours; curve j takes entry j.
      arofintM ramp;
      Supermath2d::ColorRamp(static_cast<int32_t>(n), {MinColor, OneThirdColor, TwoThirdsColor, MaxColor}, ramp);
      for (size_t j = 0; j < n && j < ramp.size(); ++j) CurveColors[j] = ramp[j];
      break;
    }
    case 1:
      for (int32_t& c : CurveColors) c = ConstantColor;
      break;
    case 2:
      // The low three bytes of a random value are its red, green and blue; beyond the
      // table the colours repeat.
      for (size_t j = 0; j < n; ++j)
        CurveColors[j] = RandomColors.empty() ? 0 : RandomColors[j % RandomColors.size()] & 0xFFFFFF;
      break;
    default:
      break;
  }
}

TLineSeries* multigraph::Curve(int32_t Index) const {
  return Index >= 0 && Index < CurveSlots() ? Curves[static_cast<size_t>(Index)].Get() : nullptr;
}

void multigraph::CreateCurves() {
  const int32_t count = std::max(CurveCount, 0);
  if (count != CurveSlots())
    for (int32_t j = CurveSlots() - 1; j >= 0; --j) {
      TLineSeries* curve = Curves[static_cast<size_t>(j)].Get();
      Curves[static_cast<size_t>(j)].Reset();
      if (curve) curve->Free();
    }
  Curves.resize(static_cast<size_t>(count));
  BuildColors();
  for (int32_t j = 0; j < count; ++j) {
    WeakRef<TLineSeries>& slot = Curves[static_cast<size_t>(j)];
    if (!slot) {
      TLineSeries* curve = Create<TLineSeries>(TargetChart);
      curve->NoEditPopup = true;
      slot = curve;
    }
    TLineSeries* curve = slot.Get();
    if (TargetChart) curve->SetParentChart(TargetChart);
    if (!SeriesTemplate.empty()) Series::SeriesFromText(curve, SeriesTemplate);
    const TColor own = CurveColors[static_cast<size_t>(j)];
    curve->SetTitle(std::to_string(j + 1));
    curve->SetSeriesColor(FixCurveLineColor ? CurveLineColor : own);
    curve->Pointer()->Pen()->SetColor(FixPointerBorderColor ? PointerBorderColor : own);
    curve->Pointer()->SetColor(FixPointerFillColor ? PointerFillColor : own);
  }
}

void multigraph::ClearCurves() {
  for (auto& curve : Curves)
    if (curve) curve->Clear();
}

void multigraph::FreeCurves() {
  for (auto& slot : Curves) {
    TLineSeries* curve = slot.Get();
    slot.Reset();
    if (curve) curve->Free();
  }
  Curves.clear();
  CurveCount = 0;
}

int multigraph::ShowSetup() {
  if (!Multigraphics::SetupDialogHook) return mrCancel;
  return Multigraphics::SetupDialogHook(*this);
}
