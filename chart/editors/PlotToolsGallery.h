#pragma once
// "Chart Tools Gallery": the registered tool types by kind (series, axis,
// other), from which one is chosen to add.
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/OwnerDrawItems.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/TabCtrls.h"

class TPlotToolsGallery : public TForm {
  KV_CLASS(TPlotToolsGallery, TForm)
public:
  explicit TPlotToolsGallery(TComponent* Owner);

  TTabControl* TabControl1;
  TOwnerDrawListBox* LBTool;
  TPanel* Panel1;
  TButton *BOk, *BCan;

  void FormShow(TObject* Sender);
  // Lists the tool types of the selected tab.
  void Fill();
  // The chosen tool class, or none.
  TClass SelectedTool() const;
};
