// The tools gallery dialog.
#include "chart/editors/PlotToolsGallery.h"

#include <memory>

#include "chart/editors/PlotEditTools.h"
#include "chart/engine/Chart.h"
#include "chart/series/PlotPenDlg.h"
#include "platform/rtl/FreeGuard.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TPlotToolsGallery, TForm) {}

TPlotToolsGallery::TPlotToolsGallery(TComponent* Owner) : TForm(Owner) {
  SetName("PlotToolsGallery");
  SetCaption("Chart Tools Gallery");
  SetClientWidth(256);
  SetClientHeight(328);
  Position = TPosition::poScreenCenter;
  Panel1 = PlaceControl<TPanel>(this, "Panel1", 0, 294, 256, 34);
  Panel1->SetAlign(TAlign::alBottom);
  Panel1->SetCaption("");
  Panel1->BevelOuter = TPanelBevel::bvNone;
  BOk = PlaceControl<TButton>(this, Panel1, "BOk", 92, 5, 75, 25);
  BOk->SetCaption("&Add");
  BOk->Default = true;
  BOk->SetEnabled(false);
  BOk->ModalResult = mrOk;
  BCan = PlaceControl<TButton>(this, Panel1, "BCan", 174, 5, 75, 25);
  BCan->SetCaption("Cancel");
  BCan->Cancel = true;
  BCan->ModalResult = mrCancel;
  TabControl1 = PlaceControl<TTabControl>(this, "TabControl1", 0, 0, 256, 294);
  TabControl1->SetAlign(TAlign::alClient);
  LBTool = PlaceControl<TOwnerDrawListBox>(this, TabControl1, "LBTool", 4, 24, 248, 266);
  LBTool->SetAlign(TAlign::alClient);
  LBTool->Items()->SetSorted(true);
  LBTool->ItemHeight = PlotEditTools::ToolItemHeight;
  // A row shows its tool type through a temporary tool of that class.
  LBTool->OnDrawItem = [this](TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) {
    const TClassInfo* K = Index >= 0 && Index < LBTool->Items()->Count()
                              ? reinterpret_cast<const TClassInfo*>(LBTool->Items()->Objects(Index))
                              : nullptr;
    TOwned<TObject> Sample(K ? K->CreateInstance(nullptr) : nullptr);
    PlotEditTools::DrawToolItem(*LBTool, Canvas, dynamic_cast<TPlotCustomTool*>(Sample.get()), Index, Rect, State);
  };
  TabControl1->OnChange = [this](TObject*) { Fill(); };
  LBTool->OnClick = [this](TObject*) { BOk->SetEnabled(LBTool->GetItemIndex() >= 0); };
  LBTool->OnDblClick = [this](TObject*) {
    if (LBTool->GetItemIndex() >= 0) SetModalResult(mrOk);
  };
  OnShow = [this](TObject* S) { FormShow(S); };
}

void TPlotToolsGallery::FormShow(TObject*) {
  TStringList* Tabs = TabControl1->Tabs();
  if (Tabs->Count() == 0)
    for (const char* S : {"Series", "Axis", "Other"}) Tabs->Add(S);
  if (TabControl1->GetTabIndex() < 0) TabControl1->SetTabIndex(0);
  Fill();
}

void TPlotToolsGallery::Fill() {
  LBTool->Items()->Clear();
  const int Tab = TabControl1->GetTabIndex();
  TPlotToolTypes& Types = Chart::ToolTypes();
  for (int32_t i = 0; i < Types.Count(); ++i) {
    TClass K = Types.ToolClassAt(i);
    TOwned<TObject> Sample(K->CreateInstance(nullptr));
    auto* Tool = dynamic_cast<TPlotCustomTool*>(Sample.get());
    if (!Tool) continue;
    const bool IsSeries = dynamic_cast<TPlotCustomToolSeries*>(Tool) != nullptr;
    const bool IsAxis = dynamic_cast<TPlotCustomToolAxis*>(Tool) != nullptr;
    const bool Keep = Tab == 0 ? IsSeries : Tab == 1 ? IsAxis : !IsSeries && !IsAxis;
    std::string Text;
    Tool->Description(Text);
    if (Keep) LBTool->Items()->AddObject(Text, reinterpret_cast<TObject*>(const_cast<TClassInfo*>(K)));
  }
  BOk->SetEnabled(false);
}

TClass TPlotToolsGallery::SelectedTool() const {
  const int I = LBTool->GetItemIndex();
  if (I < 0) return nullptr;
  return reinterpret_cast<const TClassInfo*>(LBTool->Items()->Objects(I));
}
