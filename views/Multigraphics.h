// The graph manager: a family of line series ("curves") on one chart, titled "1", "2",
// ..., sharing one look given as a series style text and coloured by a colour mode
// (interpolated over four stops, one constant colour, or random colours). The main
// window keeps four of them, chooses the chart and the number of curves before each
// plot and adds the points itself.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "numerics/Supermath2d.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Types.h"
#include "platform/rtl/WeakRef.h"

class TChartSeries;
class TCustomAxisPanel;
class TLineSeries;

class multigraph : public TObject {
  KV_CLASS(multigraph, TObject)
public:
  static constexpr int32_t RandomColorCount = 10001;

  multigraph() = default;
  ~multigraph() override;

  // Random colours, the defaults below, and the default curve look captured as
  // SeriesTemplate, DefaultSeriesTemplate and DefaultParams.
  void Init() override;

  std::vector<int32_t> RandomColors;  // entry j colours curve j in the Random mode
  int32_t CurveCount = 0;             // the number of curves to create (set by the caller)
  TColor MinColor = 0x0000FF, OneThirdColor = 0x00FFFF, TwoThirdsColor = 0x008000, MaxColor = 0xFF0000;
  TColor ConstantColor = 0;
  // When set, every curve's line, pointer fill or pointer outline takes the fixed
  // colour below instead of the curve's own colour.
  bool FixCurveLineColor = false, FixPointerFillColor = true, FixPointerBorderColor = false;
  TColor CurveLineColor = 0, PointerBorderColor = 0, PointerFillColor = 0xFFFFFF;
  int32_t ColorMode = 0;  // 0 Interpolate, 1 Constant, 2 Random
  TCustomAxisPanel* TargetChart = nullptr;  // owns and shows the curves (set by the caller)
  std::string SeriesTemplate;  // the style text of every curve
  std::string DefaultSeriesTemplate, DefaultParams;
  std::vector<WeakRef<TLineSeries>> Curves;  // empty entries until created
  arofintM CurveColors;

  // The twelve settings as decimal integers joined by single blanks.
  std::string SettingsToStr() const;
  // Applies a settings line. Only a line of at least twelve integers is applied
  // (flags take the lowest byte; a colour mode other than 0 .. 2 is refused);
  // otherwise nothing changes and the result is false, with the reason in message.
  bool SettingsFromStr(const std::string& line, std::string& message);
  bool SettingsFromStr(const std::string& line);

  // Registry values "mgparams" and "seroptions" under
  // \Software\<prefix>_<executable file name>_multigraph.
  void SaveSettings(const std::string& prefix) const;
  // Reads them when "mgparams" exists and holds a usable line; the template then
  // follows when "seroptions" exists. A bad line is told in a message box.
  void LoadSettings(const std::string& prefix);

  // CurveColors for CurveCount curves by ColorMode.
  void BuildColors();
  // (Re)creates the curves on TargetChart and gives them template, titles and colours.
  void CreateCurves();
  void ClearCurves();
  void FreeCurves();
  // The number of curve entries (created or not).
  int32_t CurveSlots() const { return static_cast<int32_t>(Curves.size()); }
  TLineSeries* Curve(int32_t Index) const;

  // The "Graphics setup" dialog for this graph manager; its modal result. The main
  // window installs the dialog; without it nothing is shown and the result is mrCancel.
  int ShowSetup();

  // Registry key of a prefix.
  static std::string RegistryKey(const std::string& prefix);
};

namespace Multigraphics {

// Shows the "Graphics setup" dialog for a graph manager (installed by the main window).
extern std::function<int(multigraph& Graph)> SetupDialogHook;
// The running program's file name, as the registry keys of the views use it.
std::string ExecutableFileName();

// Sets up a curve the way every curve starts: series colour 0, a 2 by 2 circle pointer
// filled white with a black outline, and transparent label marks in "small fonts" 7
// without frame or arrow, kept out of the chart's click editing and series menu.
void ApplyDefaultCurveLook(TLineSeries& series);
// Visible, transparent label marks in black "small fonts" 7, without frame or arrow.
void ApplyLabelMarks(TChartSeries& series);

}  // namespace Multigraphics
