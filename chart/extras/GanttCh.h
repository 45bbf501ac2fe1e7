#pragma once
// The Gantt series: tasks with a start and an end date on the horizontal axis
// and a row on the vertical axis, drawn as stretched point symbols, each with
// an optional elbow line to the task that follows it.
#include <cstdint>
#include <string>

#include "chart/series/Series.h"

class TGanttSeries : public TPointSeries {
  KV_CLASS(TGanttSeries, TPointSeries)
public:
  explicit TGanttSeries(TComponent* Owner);
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TGanttSeriesEditor"; }
  void PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) override;
  void DrawPoint(int32_t Index) override;
  int32_t AppendPoint(double X, double Y, const std::string& Label = {}, TColor Colour = clDefault) override;
  double LargestX() override;
  void SortByMandatory() override;
  bool ClickedPointer(int32_t ValueIndex, int32_t PointX, int32_t PointY, int32_t MouseX, int32_t MouseY) override;
  int32_t AddSampleValues(int32_t N, bool OnlyMandatory = false) override;
  void PrepareForGallery(bool Enabled) override;
  bool AcceptsDataSource(TComponent* Component) const override;

  int32_t AddGanttColor(double Start, double End, double Y, const std::string& Label, TColor Colour);
  int32_t AddGantt(double Start, double End, double Y, const std::string& Label = {}) {
    return AddGanttColor(Start, End, Y, Label, clDefault);
  }

  TChartValueList* StartValues() const { return XValues(); }
  void SetStartValues(const TChartValueList* Value) { SetXValues(Value); }
  TChartValueList* EndValues() const { return FEndValues; }
  void SetEndValues(const TChartValueList* Value);
  TChartValueList* NextTask() const { return FNextTask; }
  void SetNextTask(const TChartValueList* Value);
  // The line to the following task is the series' line pen.
  TChartPen* ConnectingPen() const { return LinePen(); }
  void SetConnectingPen(const TChartPen* Value) { SetLinePen(Value); }

private:
  TChartValueList* FEndValues = nullptr;  // one of the series' value lists
  TChartValueList* FNextTask = nullptr;   // one of the series' value lists
};

namespace GanttCh {

// Registers "Gantt" on the gallery page "Standard" with 1 sample series
// (once). The registration stays when the program ends.
void Initialization();

}  // namespace GanttCh
