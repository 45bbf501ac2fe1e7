#pragma once
// The shadow editor: sizes, transparency, colour and smoothing of a shadow;
// every change reaches the shadow at once.
#include "chart/engine/PlotCanvas.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Forms.h"

class TPlotShadowEditor : public TForm {
  KV_CLASS(TPlotShadowEditor, TForm)
public:
  explicit TPlotShadowEditor(TComponent* Owner);
  TLabel *Label1, *Label2, *Label3;
  TEdit* Edit1;
  TUpDown* UDShadowSize;
  TEdit* EVertSize;
  TUpDown* UDShaVert;
  TEdit* EShadowTransp;
  TUpDown* UDShadowTransp;
  TButtonColor* BShadowColor;
  TCheckBox* CBSmooth;
  TButton* BOK;

  TPlotShadow* EditedShadow = nullptr;  // not owned
  bool Creating = true;
  void SetEditedShadow(TPlotShadow* Shadow);
  bool CanEdit() const { return EditedShadow && !Creating; }
};

namespace PlotShadowEditor {
void EditShadowModal(TComponent* Owner, TPlotShadow* Shadow);
TPlotShadowEditor* EmbedShadowEditor(TTabSheet* Sheet);
}  // namespace PlotShadowEditor
