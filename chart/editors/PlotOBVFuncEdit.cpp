// The on-balance volume's parameter form.
#include "chart/editors/PlotOBVFuncEdit.h"

KV_CLASS_IMPL(TOBVFuncEditor, TVolumeFuncEditor) {}

TOBVFuncEditor::TOBVFuncEditor(TComponent* Owner) : TVolumeFuncEditor(Owner) {}
