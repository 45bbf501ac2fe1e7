#pragma once
// The wind rose series format page: the polar page with its angle
// increment always shown, no clockwise labels, and mirrored labels.
#include "chart/editors/PlotPolarEdit.h"

class TWindRoseEditor : public TPolarSeriesEditor {
  KV_CLASS(TWindRoseEditor, TPolarSeriesEditor)
public:
  explicit TWindRoseEditor(TComponent* Owner);
  void ShowAngleControls() override {}

  TCheckBox* CBMirror;
};
