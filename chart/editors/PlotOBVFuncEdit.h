#pragma once
// The on-balance volume's parameter: the volume series.
#include "chart/editors/PlotVolumeFuncEdit.h"

class TOBVFuncEditor : public TVolumeFuncEditor {
  KV_CLASS(TOBVFuncEditor, TVolumeFuncEditor)
public:
  explicit TOBVFuncEditor(TComponent* Owner);
};
