// The custom cell editor link: the owner's control plugged into a cell in
// place or in a pop-up form, the keys that leave it and storing its value.

#include "grid/GridView.h"
#include "grid/GridViewEditors.h"

#include "platform/rtl/Restore.h"
#include "platform/ui/KeyHook.h"

KV_CLASS_IMPL(TEditLink, TComponent) {}

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

TEditLink::~TEditLink() = default;

void TEditLink::KeyFilter(TObject* /*Sender*/, uint16_t& Key, TShiftState Shift) {
  if (!FGrid) return;
  bool leaves = false;
  switch (Key) {
    case VK_TAB: leaves = true; break;
    case VK_RETURN: leaves = !WantKeyReturn; break;
    case VK_ESCAPE: leaves = !WantKeyEscape; break;
    case VK_PRIOR:
    case VK_NEXT: leaves = !WantKeyPriorNext; break;
    case VK_END: leaves = !WantKeyHomeEnd; break;
    case VK_LEFT:
    case VK_RIGHT: leaves = !WantKeyLeftRight; break;
    case VK_UP:
    case VK_DOWN: leaves = !WantKeyUpDown; break;
    default: break;
  }
  if (!leaves) return;
  TGridView& g = *FGrid;
  {
    // An exit handler running while the grid takes the focus stores the value.
    TRestore<bool> forced(FForcedExit, true);
    if (g.CanFocus()) g.SetFocus();
  }
  const std::string before = g.TextBeforeEditing();
  if (Key == VK_ESCAPE) PutEditorValue(before);
  g.HideCellEditor(g.GetCol(), g.GetRow());
  if (Key == VK_ESCAPE) g.SetCells(g.RealCurrentCol(), g.GetRow(), before);
  if (Key == VK_RETURN) {
    g.AdvanceCell(g.GetCol(), g.GetRow(), !Shift.Contains(TShiftStateItem::ssShift), false, false);
    Key = 0;
    return;
  }
  if (Key == VK_TAB || Key == VK_UP || Key == VK_DOWN) {
    uint16_t k = Key;
    g.KeyDown(k, Shift);
  }
  Key = 0;
}

void TEditLink::ActivateEditor(bool TakeFocus) {
  TWinControl* c = EditorControl();
  if (c && FGrid) {
    TGridView* g = FGrid;
    KeyHook::WantTab(*c, [g] { return g->GetOptions().Contains(goTabs); });
    FHooked = true;
  }
  if (TakeFocus && c && c->CanFocus()) c->SetFocus();
  else if (!TakeFocus && FGrid && FGrid->CanFocus()) FGrid->SetFocus();
}

void TEditLink::PositionEditor(const TRect& R) {
  TWinControl* c = EditorControl();
  if (!c) return;
  const int g = FGrid ? FGrid->GetGridLineWidth() : 0;
  c->SetBounds(R.Left, R.Top, R.Width() - g, R.Height() - g);
}

void TEditLink::SetEditorVisible(bool Visible) {
  if (TWinControl* c = EditorControl()) c->SetVisible(Visible);
}

void TEditLink::StoreValue(const std::string& Text) {
  if (FGrid) FGrid->StoreEditedText(FGrid->RealCurrentCol(), FGrid->GetRow(), Text);
}

void TEditLink::CloseEditor() {
  StoreValue(EditorValue());
  if (FGrid) FGrid->HideCellEditor(FGrid->GetCol(), FGrid->GetRow());
  UnhookControl();
}

void TEditLink::UnhookControl() {
  TWinControl* c = EditorControl();
  if (c && FHooked) KeyHook::Remove(*c);
  FHooked = false;
}

void TEditLink::ReleasePopupForm() {
  if (!FPopupForm) return;
  TForm* f = FPopupForm;
  FPopupForm = nullptr;
  f->Release();
}

void TEditLink::ControlExit(TObject* /*Sender*/) {
  if (FForcedExit) return;
  CloseEditor();
  if (EditStyle == esPopup) ReleasePopupForm();
}

void TEditLink::PopupFormExit(TObject* Sender) {
  if (FGrid)
    if (TGridInplaceEdit* e = FGrid->InplaceEditor()) e->SetText(EditorValue());
  if (FForcedExit) {
    StoreValue(EditorValue());
    return;
  }
  ControlExit(Sender);
}

// ================================================================ the grid side

void TGridView::ShowEditLink(int ACol, int ARow, const TRect& R, TColor Color, const std::string& Text,
                             TKeyChar Pending) {
  TEditLink* link = GetEditLink();
  if (!link) return;
  link->SetGrid(this);
  link->EditCol = ACol;
  link->EditRow = ARow;
  FEditLinkStartText = Text;
  TRect place = R;
  if (link->EditStyle == esPopup) {
    if (link->AutoPopupWidth) link->PopupWidth = R.Width();
    auto* form = Create<TForm>(Application);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetFormStyle(TFormStyle::fsStayOnTop);
    const TPoint p = ClientToScreen(TPoint(R.Left, R.Top));
    form->SetBounds(p.X, p.Y, link->PopupWidth, link->PopupHeight);
    form->OnDeactivate = [link](TObject* S) { link->PopupFormExit(S); };
    link->SetPopupForm(form);
    form->Show();
    link->CreateEditorControl(form);
    place = TRect(0, 0, link->PopupWidth, link->PopupHeight);
  } else {
    link->CreateEditorControl(this);
  }
  link->PositionEditor(place);
  link->SetEditorVisible(true);
  link->SetEditorLook(Color, *GetCanvas()->Font);
  link->PrepareEditor();
  if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, link);
  link->PutEditorValue(Text);
  link->ActivateEditor(true);
  if (Pending != 0)
    if (TWinControl* c = link->EditorControl()) {
      TKeyChar k = Pending;
      c->KeyPress(k);
    }
}

void TGridView::HideEditLink(int ARealCol, int ARow) {
  TEditLink* link = GetEditLink();
  if (!link) return;
  StoreEditedText(ARealCol, ARow, link->EditorValue());
  if (link->EditStyle != esPopup) link->SetEditorVisible(false);
  link->UnhookControl();
}
