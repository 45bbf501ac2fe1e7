// The chart editor's "Tools" page.
#include "chart/editors/PlotEditTools.h"

#include <algorithm>
#include <vector>

#include "chart/editors/PlotToolsGallery.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotExport.h"
#include "chart/series/PlotLisB.h"
#include "chart/series/PlotPenDlg.h"

using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TFormPlotTools, TForm) {}

namespace {
std::string ToolText(const TPlotCustomTool* Tool) {
  std::string S;
  Tool->Description(S);
  return S;
}
}  // namespace

namespace PlotEditTools {

void DrawToolItem(TOwnerDrawListBox& List, TCanvas& Canvas, const TPlotCustomTool* Tool, int Index,
                  const TRect& Rect, TOwnerDrawState State) {
  const bool Selected = State.Contains(TOwnerDrawStateItem::odSelected);
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Brush->SetColor(Selected ? clHighlight : List.GetColor());
  Canvas.FillRect(Rect);
  if (Tool) PlotLisB::DrawSeriesIcon(Canvas, *Tool, Rect.Left + 2, Rect.Top + 1);
  if (Index < 0 || Index >= List.Items()->Count()) return;
  Canvas.Brush->SetStyle(bsClear);
  Canvas.Font->SetColor(Selected ? clHighlightText : List.GetFont()->GetColor());
  Canvas.TextOut(Rect.Left + 22, Rect.Top + 2, List.Items()->Strings(Index));
}

}  // namespace PlotEditTools

TFormPlotTools::TFormPlotTools(TComponent* Owner) : TForm(Owner) {
  SetName("FormPlotTools");
  SetClientWidth(393);
  SetClientHeight(270);
  PTop = PlaceControl<TPanel>(this, "PTop", 0, 0, 393, 33);
  PTop->SetAlign(TAlign::alTop);
  PTop->SetCaption("");
  PTop->BevelOuter = TPanelBevel::bvNone;
  BAdd = PlaceControl<TButton>(this, PTop, "BAdd", 4, 4, 75, 25);
  BAdd->SetCaption("&Add...");
  BDelete = PlaceControl<TButton>(this, PTop, "BDelete", 84, 4, 75, 25);
  BDelete->SetCaption("&Delete");
  CBActive = PlaceControl<TCheckBox>(this, PTop, "CBActive", 168, 8, 70, 17);
  CBActive->SetCaption("A&ctive");
  CBShowInEditor = PlaceControl<TCheckBox>(this, PTop, "CBShowInEditor", 168, 18, 130, 17);
  CBShowInEditor->SetCaption("Show in this editor");
  CBShowInEditor->SetVisible(false);
  Panel2 = PlaceControl<TPanel>(this, PTop, "Panel2", 333, 0, 60, 33);
  Panel2->SetAlign(TAlign::alRight);
  Panel2->SetCaption("");
  Panel2->BevelOuter = TPanelBevel::bvNone;
  BMoveUp = PlaceControl<TSpeedButton>(this, Panel2, "BMoveUp", 4, 4, 25, 25);
  BMoveDown = PlaceControl<TSpeedButton>(this, Panel2, "BMoveDown", 31, 4, 25, 25);
  PBottom = PlaceControl<TPanel>(this, "PBottom", 0, 250, 393, 20);
  PBottom->SetAlign(TAlign::alBottom);
  PBottom->SetVisible(false);
  LBTools = PlaceControl<TOwnerDrawListBox>(this, "LBTools", 0, 33, 140, 217);
  LBTools->SetAlign(TAlign::alLeft);
  LBTools->ItemHeight = PlotEditTools::ToolItemHeight;
  LBTools->OnDrawItem = [this](TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) {
    const TPlotCustomTool* Tool = Index >= 0 && Index < LBTools->Items()->Count()
                                      ? static_cast<TPlotCustomTool*>(LBTools->Items()->Objects(Index))
                                      : nullptr;
    PlotEditTools::DrawToolItem(*LBTools, Canvas, Tool, Index, Rect, State);
  };
  Splitter1 = PlaceControl<TSplitter>(this, "Splitter1", 140, 33, 3, 217);
  Splitter1->SetAlign(TAlign::alLeft);
  PanelToolEditor = PlaceControl<TPanel>(this, "PanelToolEditor", 143, 33, 250, 217);
  PanelToolEditor->SetAlign(TAlign::alClient);
  PanelToolEditor->SetCaption("");
  PanelToolEditor->BevelOuter = TPanelBevel::bvNone;
  // FormCreate: the arrow glyphs.
  PlotPenDlg::LoadUpDownArrows(BMoveUp->GetGlyph(), BMoveDown->GetGlyph());

  LBTools->OnClick = [this](TObject* S) { LBToolsClick(S); };
  BAdd->OnClick = [this](TObject* S) { BAddClick(S); };
  BDelete->OnClick = [this](TObject* S) { BDeleteClick(S); };
  CBActive->OnClick = [this](TObject*) {
    TPlotCustomTool* T = SelectedTool();
    if (!T || T->GetActive() == CBActive->GetChecked()) return;
    T->SetActive(CBActive->GetChecked());
    TellEditor();
  };
  CBShowInEditor->OnClick = [this](TObject*) {
    TPlotCustomTool* T = SelectedTool();
    if (!T || T->ShowInEditor == CBShowInEditor->GetChecked()) return;
    T->ShowInEditor = CBShowInEditor->GetChecked();
    TellEditor();
  };
  BMoveUp->OnClick = [this](TObject*) { Move(-1); };
  BMoveDown->OnClick = [this](TObject*) { Move(1); };
  OnShow = [this](TObject* S) { FormShow(S); };
}

TPlotCustomTool* TFormPlotTools::SelectedTool() const {
  const int I = LBTools->GetItemIndex();
  return I < 0 ? nullptr : static_cast<TPlotCustomTool*>(LBTools->Items()->Objects(I));
}

std::vector<TPlotCustomTool*> TFormPlotTools::ListedTools() const {
  std::vector<TPlotCustomTool*> Listed;
  TCustomAxisPanel* C = FChart.Get();
  if (!C) return Listed;
  const bool Design = C->ComponentState.Contains(TComponentStateItem::csDesigning);
  TChartTools& Tools = C->GetTools();
  for (int32_t i = 0; i < Tools.Count(); ++i)
    if (TPlotCustomTool* T = Tools.ToolAt(i); T->ShowInEditor || Design) Listed.push_back(T);
  return Listed;
}

void TFormPlotTools::Fill() {
  PBottom->SetCaption("");
  LBTools->Items()->Clear();
  for (TPlotCustomTool* T : ListedTools()) LBTools->Items()->AddObject(ToolText(T), T);
  BDelete->SetEnabled(LBTools->Items()->Count() > 0);
  CBActive->SetEnabled(BDelete->GetEnabled());
}

void TFormPlotTools::TellEditor() {
  if (TCustomAxisPanel* C = FChart.Get()) C->EditorChanged();
}

void TFormPlotTools::SyncTools() {
  const std::vector<TPlotCustomTool*> Listed = ListedTools();
  bool Same = static_cast<int>(Listed.size()) == LBTools->Items()->Count();
  for (int i = 0; Same && i < LBTools->Items()->Count(); ++i)
    Same = LBTools->Items()->Objects(i) == Listed[static_cast<size_t>(i)];
  if (Same) return;
  TPlotCustomTool* Kept = nullptr;
  const int Before = LBTools->GetItemIndex();
  if (Before >= 0 && std::find(Listed.begin(), Listed.end(), LBTools->Items()->Objects(Before)) != Listed.end())
    Kept = static_cast<TPlotCustomTool*>(LBTools->Items()->Objects(Before));
  // The editor of a tool that left the list goes before the list is refilled.
  if (!Kept) FreeEditor();
  Fill();
  const int Row = Kept ? LBTools->Items()->IndexOfObject(Kept) : LBTools->Items()->Count() > 0 ? 0 : -1;
  LBTools->SetItemIndex(Row);
  if (Row >= 0 && !Kept) LBToolsClick(LBTools);
  RefreshMoveButtons();
}

void TFormPlotTools::FormShow(TObject*) {
  FChart = dynamic_cast<TCustomAxisPanel*>(reinterpret_cast<TObject*>(Tag));
  TCustomAxisPanel* C = FChart.Get();
  PBottom->SetVisible(C && C->ComponentState.Contains(TComponentStateItem::csDesigning));
  Fill();
  if (LBTools->Items()->Count() > 0) {
    LBTools->SetItemIndex(0);
    LBToolsClick(LBTools);
  } else {
    RefreshMoveButtons();
  }
}

void TFormPlotTools::RefreshTools() {
  TCustomAxisPanel* C = FChart.Get();
  if (C && C->GetTools().Count() != LBTools->Items()->Count()) {
    Fill();
    if (LBTools->Items()->Count() > 0) LBTools->SetItemIndex(0);
  }
  if (LBTools->GetItemIndex() >= 0) LBToolsClick(LBTools);
}

void TFormPlotTools::SelectTool(TPlotCustomTool* Tool) {
  const int I = LBTools->Items()->IndexOfObject(Tool);
  if (I < 0) return;
  LBTools->SetItemIndex(I);
  LBToolsClick(LBTools);
}

void TFormPlotTools::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove || !FEditorTool || AComponent != FEditorTool) return;
  FEditorTool = nullptr;
  if (!ComponentState.Contains(TComponentStateItem::csDestroying)) FreeEditor();
}

void TFormPlotTools::FreeEditor() {
  FEditorTool = nullptr;
  TForm* E = FEditor.Get();
  if (!E) return;
  FEditor = nullptr;
  E->Free();
}

void TFormPlotTools::LBToolsClick(TObject*) {
  TPlotCustomTool* T = SelectedTool();
  if (!T) return;
  if (FEditor && !FEditor->CloseQuery()) {
    // The editor keeps its tool selected.
    const int I = LBTools->Items()->IndexOfObject(reinterpret_cast<TObject*>(FEditor->Tag));
    if (I >= 0) LBTools->SetItemIndex(I);
    return;
  }
  CBActive->SetChecked(T->GetActive());
  FreeEditor();
  if (TClass K = ClassInfo::GetClass(T->EditorFormName())) {
    if (auto* F = dynamic_cast<TForm*>(K->CreateInstance(this))) {
      FEditor = F;
      FEditorTool = T;
      T->FreeNotification(this);
      F->SetAlign(TAlign::alClient);
      PlotPenDlg::EmbedEditorForm(F, PanelToolEditor, T);
    }
  }
  TCustomAxisPanel* C = FChart.Get();
  CBShowInEditor->SetVisible(C && C->ComponentState.Contains(TComponentStateItem::csDesigning));
  if (CBShowInEditor->GetVisible()) {
    CBShowInEditor->SetChecked(T->ShowInEditor);
    CBActive->SetTop(3);
  }
  RefreshMoveButtons();
  if (PBottom->GetVisible()) PBottom->SetCaption(T->GetName());
}

void TFormPlotTools::RefreshMoveButtons() {
  const int I = LBTools->GetItemIndex();
  BMoveUp->SetEnabled(I > 0);
  BMoveDown->SetEnabled(I >= 0 && I < LBTools->Items()->Count() - 1);
}

void TFormPlotTools::BAddClick(TObject*) {
  TCustomAxisPanel* C = FChart.Get();
  if (!C) return;
  TOwned<TPlotToolsGallery> Gallery(Create<TPlotToolsGallery>(Owner()));
  Gallery->Position = Owner() ? TPosition::poOwnerFormCenter : TPosition::poScreenCenter;
  if (Gallery->ShowModal() != mrOk) return;
  TClass K = Gallery->SelectedTool();
  if (!K) return;
  // New tools join the owner the chart's tools already have.
  TComponent* NewOwner = C->Owner();
  TChartTools& Tools = C->GetTools();
  for (int32_t i = 0; i < Tools.Count(); ++i)
    if (Tools.ToolAt(i)->Owner() == C) NewOwner = C;
  auto* T = dynamic_cast<TPlotCustomTool*>(K->CreateInstance(NewOwner));
  if (!T) return;
  T->SetParentChart(C);
  T->SetName(PlotProcs::UniqueName(NewOwner ? NewOwner : C, "ChartTool"));
  if (OnAdded) OnAdded(T);
  Fill();
  LBTools->SetItemIndex(LBTools->Items()->Count() - 1);
  if (LBTools->CanFocus()) LBTools->SetFocus();
  LBToolsClick(LBTools);
  TellEditor();
}

void TFormPlotTools::BDeleteClick(TObject*) {
  TPlotCustomTool* T = SelectedTool();
  if (!T || !PlotPenDlg::ConfirmDelete(ToolText(T), this)) return;
  const int I = LBTools->GetItemIndex();
  if (OnDeleted) OnDeleted(T);
  // The editor goes first: its closing handlers still act on its tool.
  FreeEditor();
  T->Free();
  Fill();
  const int N = LBTools->Items()->Count();
  LBTools->SetItemIndex(N == 0 ? -1 : I > 1 ? I - 1 : N - 1);
  BDelete->SetEnabled(LBTools->GetItemIndex() >= 0);
  if (BDelete->GetEnabled()) LBToolsClick(LBTools);
  else RefreshMoveButtons();
  TellEditor();
}

void TFormPlotTools::Move(int32_t Step) {
  TCustomAxisPanel* C = FChart.Get();
  const int I = LBTools->GetItemIndex(), J = I + Step;
  if (!C || I < 0 || J < 0 || J >= LBTools->Items()->Count()) return;
  auto* A = static_cast<TPlotCustomTool*>(LBTools->Items()->Objects(I));
  auto* B = static_cast<TPlotCustomTool*>(LBTools->Items()->Objects(J));
  LBTools->Items()->Exchange(I, J);
  LBTools->SetItemIndex(J);
  LBTools->Invalidate();
  // The chart's list takes the two tools in each other's place.
  TChartTools& Tools = C->GetTools();
  std::vector<TPlotCustomTool*> Order;
  for (int32_t k = 0; k < Tools.Count(); ++k) Order.push_back(Tools.ToolAt(k));
  std::iter_swap(std::find(Order.begin(), Order.end(), A), std::find(Order.begin(), Order.end(), B));
  for (TPlotCustomTool* T : Order) Tools.Remove(T);
  for (TPlotCustomTool* T : Order) Tools.Add(T);
  // Component order only means something among components of one owner.
  if (A->Owner() && A->Owner() == B->Owner()) {
    const int32_t IA = A->GetComponentIndex(), IB = B->GetComponentIndex();
    A->SetComponentIndex(IB);
    B->SetComponentIndex(IA);
  }
  C->Invalidate();
  RefreshMoveButtons();
  TellEditor();
}
