// The clock series format page.
#include "chart/editors/PlotClockEdit.h"

#include "chart/extras/PlotRose.h"

using EditorRows::Make;
using EditorRows::Place;

KV_CLASS_IMPL(TClockEditor, TPolarSeriesEditor) {}

namespace {
TRowAccess RomanAccess() {
  TRowAccess A;
  A.Get = [](const TObject* O) -> TPropValue {
    const auto* S = dynamic_cast<const TClockSeries*>(O);
    if (!S) return {};
    return S->GetStyle() == cssRoman;
  };
  A.Set = [](TObject* O, const TPropValue& V) {
    auto* S = dynamic_cast<TClockSeries*>(O);
    const auto* B = std::get_if<bool>(&V);
    if (S && B) S->SetStyle(*B ? cssRoman : cssDecimal);
  };
  return A;
}
}  // namespace

TClockEditor::TClockEditor(TComponent* Owner) : TPolarSeriesEditor(Owner) {
  SetName("ClockEditor");
  PlotPenDlg::SetControlsVisible(
      false, {Label1, SEAngleInc, UDAngleInc, Label2, SERadiusInc, UDRadiusInc, CBClose, BPen, CBClockWise, CBColorEach});
  CBRoman = Place<TCheckBox>(this, AddBoundRow(Make(TEditorRowKind::erCheck, "&Roman", ""), RomanAccess()), TabOptions,
                             "CBRoman", 8, 8, 100, 17);
  BHour = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Hours...", "PenHours")), TabOptions, "BHour", 8,
                            30, 90, 25);
  BMinute = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Minutes...", "PenMinutes")), TabOptions,
                              "BMinute", 104, 30, 90, 25);
  BSecond = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Seconds...", "PenSeconds")), TabOptions,
                              "BSecond", 8, 58, 90, 25);
  BRadius = Place<TButtonPen>(this, AddRow(PartRow(TEditorRowKind::erPen, "R&adius...", [](TObject* O) -> TObject* {
                                auto* S = dynamic_cast<TClockSeries*>(O);
                                TChartAxis* Axis = S ? S->GetHorizAxisRef() : nullptr;
                                return Axis ? Axis->Grid() : nullptr;
                              })),
                              TabOptions, "BRadius", 104, 58, 90, 25);
}
