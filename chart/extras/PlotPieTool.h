#pragma once
// The pie slices tool: highlights the slice of a pie series under the mouse,
// by an outline (focus) or by pulling it out of the pie step by step
// (explode, one step per timer tick).
#include <cstdint>

#include "chart/engine/PlotEngine_Series.h"

class TPieSeries;
class TTimer;

enum class TPieToolStyle : uint8_t { ptFocus, ptExplode };
using enum TPieToolStyle;

class TPieTool : public TPlotCustomToolSeries {
  KV_CLASS(TPieTool, TPlotCustomToolSeries)
public:
  static constexpr int32_t ExplodeSteps = 30;
  static constexpr int32_t ExplodePercent = 40;

  explicit TPieTool(TComponent* Owner);
  void Init() override;
  std::string EditorFormName() const override { return "TPieToolEditor"; }
  void Description(std::string& Text) const override { Text = "Pie Slices"; }
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;

  // The series when it is a pie.
  TPieSeries* Pie() const;
  // The outline colour for a slice of colour SliceColor: the pen colour, or
  // black when the slice has it, white when that is black.
  TColor FocusColor(TColor SliceColor) const;
  // The explode amount of step I (1 .. ExplodeSteps), halves to even.
  static int32_t StepAmount(int32_t I);
  // One step of the running explode or release (the timer's tick).
  void Step();
  bool IsAnimating() const { return FAnimSlice != -1; }
  TTimer* Timer() const { return FTimer; }

  TPieToolStyle Style = ptFocus;
  // The slice under the mouse; -1 when none.
  int32_t Slice = -1;
  // Milliseconds between explode steps.
  int32_t Delay = 1;

private:
  void Highlight(int32_t Index);
  void Release(int32_t Index);
  void DrawFocus(int32_t Index);
  void FinishAnimation();
  TTimer* FTimer = nullptr;  // owned as a component
  int32_t FAnimSlice = -1;   // the slice being exploded or released
  int32_t FAnimStep = 0;     // the step done last (0 .. ExplodeSteps)
  bool FReleasing = false;
};

namespace PlotPieTool {
void Initialization();
void Finalization();
}  // namespace PlotPieTool
