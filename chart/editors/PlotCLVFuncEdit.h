#pragma once
// The close location value's parameters: the volume series and accumulation.
#include "chart/editors/PlotVolumeFuncEdit.h"

class TCLVFuncEditor : public TVolumeFuncEditor {
  KV_CLASS(TCLVFuncEditor, TVolumeFuncEditor)
public:
  explicit TCLVFuncEditor(TComponent* Owner);
  TCheckBox* CBAccumulate;
};
