#pragma once
// The bubble series format page: the pointer page of the series' bubbles
// without its visibility box, and the bubbles' transparency.
#include "chart/editors/PlotPoEdi.h"

class TBubbleSeries;

class TBubbleSeriesEditor : public TSeriesPointerEditor {
  KV_CLASS(TBubbleSeriesEditor, TSeriesPointerEditor)
public:
  explicit TBubbleSeriesEditor(TComponent* Owner);

  TLabel* Label4;
  TEdit* Edit1;
  TUpDown* UDTransp;

  void FormShow(TObject* Sender);
  // The bubble series that owns the edited pointer.
  TBubbleSeries* Bubbles() const;

private:
  bool FShown = false;
};
