#pragma once
// The base of the editor forms of tools bound to an axis: the axis combo and
// the tool's border pen above the rows of the tool's own controls. Every
// change reaches the tool at once; the rows stay silent until the form has
// been shown.
#include <functional>

#include "chart/series/PlotPenDlg.h"

class TPlotCustomToolAxis;
class TChartAxes;
class TChartAxis;

class TAxisToolEditor : public TEditorPage {
  KV_CLASS(TAxisToolEditor, TEditorPage)
public:
  explicit TAxisToolEditor(TComponent* Owner);

  TLabel* Label1;
  TComboFlat* CBAxis;
  TButtonPen* BPen;

  // The edited tool: the form's Tag.
  TPlotCustomToolAxis* Tool() const;
  bool Shown() const { return FShown; }

  void FormShow(TObject* Sender);
  void CBAxisChange(TObject* Sender);

  // The combo item of an axis of the chart's axes list (-1 when none): the
  // four standard axes first, then the custom axes.
  static int32_t AxisItem(TChartAxes& Axes, const TChartAxis* Axis);
  // The axis of a combo item; none for -1 or an item beyond the list.
  static TChartAxis* ItemAxis(TChartAxes& Axes, int32_t Item);

protected:
  // The form's own loading, run by FormShow after the rows are filled and
  // before they go live.
  std::function<void()> OnToolShow;

private:
  bool FShown = false;
};
