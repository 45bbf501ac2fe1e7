#pragma once
// The clock series format page: the polar page without increments, close
// circle, pen and colour each, plus the Roman style and the pens of the
// three hands and of the radius lines.
#include "chart/editors/PlotPolarEdit.h"

class TClockEditor : public TPolarSeriesEditor {
  KV_CLASS(TClockEditor, TPolarSeriesEditor)
public:
  explicit TClockEditor(TComponent* Owner);

  TCheckBox* CBRoman;
  TButtonPen *BHour, *BMinute, *BSecond, *BRadius;
};
