// Rich-text cells: loading a cell into a rich edit and saving it back, the
// plain text that sorting, copying and hints use, and drawing the cell.

#include "grid/GridView.h"
#include "grid/GridViewEditors.h"

#include "platform/gdi/DeviceContext.h"

namespace {

// The grid's rich edits take the grid's font (sizes in the RTF override it).
void TakeGridFont(TGridView& G, TRichEdit& E) {
  if (E.GetFont()->GetName() != G.GetFont()->GetName() || E.GetFont()->GetSize() != G.GetFont()->GetSize())
    E.SetFont(G.GetFont());
}

}  // namespace

TGridRichEdit::TGridRichEdit(TComponent* AOwner, bool AEditor)
    : TRichEdit(AOwner), FGrid(dynamic_cast<TGridView*>(AOwner)), FEditor(AEditor) {
  if (!FGrid) throw EInvalidCast("A grid rich edit belongs to a TGridView");
}

void TGridRichEdit::RequestResize(int Width, int Height) {
  if (!FEditor) {
    FReqWidth = Width;
    FReqHeight = Height;
    return;
  }
  TGridView& g = *FGrid;
  if (!g.SizeWhileTyping()->Height || FLocked || !GetVisible()) return;
  const int row = g.GetRow();
  const TRect cell = g.TBaseGrid::CellRect(g.GetCol(), row);
  if (g.GetRowHeights(row) < Height && cell.Top + Height < g.GetClientHeight()) {
    SetHeight(Height + 4);
    g.SetRowHeights(row, Height + 5);
    if (g.OnEndRowSize) g.OnEndRowSize(&g, row);
  }
}

void TGridRichEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TRichEdit::KeyDown(Key, Shift);
  if (!FEditor || (Key != VK_UP && Key != VK_DOWN) || FGrid->GetWordWrap() || FGrid->Multilinecells) return;
  if (FGrid->CanFocus()) FGrid->SetFocus();
  FGrid->KeyDown(Key, Shift);
}

void TGridRichEdit::DoExit() {
  if (FEditor && GetVisible() && FGrid->EditorControlShowing() && FGrid->EditorType() == edRichEdit)
    FGrid->HideCellEditor(FGrid->GetCol(), FGrid->GetRow());
  TRichEdit::DoExit();
}

void TGridView::LoadRichText(int ACol, int ARow, TRichEdit& Editor) {
  TakeGridFont(*this, Editor);
  const std::string text = GetCells(ACol, ARow);
  if (text.empty()) Editor.Clear();
  else Editor.LoadFromRtf(text);
}

std::string TGridView::GetRichText(const TRichEdit& Editor) const { return Editor.SaveToRtf(); }

std::string TGridView::RichTextToPlain(const std::string& Text) {
  if (!RichText::IsRtf(Text)) return Text;
  TRichRuns runs;
  RichText::Read(Text, runs);
  return RichText::PlainTextUtf8(runs);
}

TSize TGridView::RichCellSize(int ACol, int ARow) {
  if (!FEditorControls) return TSize{0, 0};
  TGridRichEdit& e = *FEditorControls->RichRenderer;
  // Unwrapped, the content asks for its widest line and all its lines.
  e.WordWrap = false;
  e.SetBorder(false);
  e.SetMargin(0);
  LoadRichText(ACol, ARow, e);
  return TSize{e.ReqWidth() + 2 * FCellMarginX, e.ReqHeight() + 2 * FCellMarginY};
}

void TGridView::DrawRichTextCell(int ACol, int ARow, const TRect& ARect, TCanvas& ACanvas) {
  if (!FEditorControls) return;
  TGridRichEdit& e = *FEditorControls->RichRenderer;
  e.WordWrap = FWordWrap || Multilinecells;
  LoadRichText(RealColIndex(ACol), ARow, e);
  const TGridRect s = GetSelection();
  const bool focusedCurrent = ACol == GetCol() && ARow == GetRow() && Focused();
  const bool inSelection = ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom &&
                           !FMouseActions->GetDisjunctRowSelect() &&
                           (!focusedCurrent || GetOptions().Contains(goDrawFocusSelected));
  const bool selected = inSelection ||
                        (FMouseActions->GetDisjunctRowSelect() &&
                         RowSelected(FMouseActions->RowSelectPersistent ? AllRowsIndex(ARow) : ARow)) ||
                        (FMouseActions->GetDisjunctColSelect() && ColSelected(ACol));
  std::optional<TColor> color;
  if (selected && !SelectionRTFKeep && FShowSelection) color = FSelectionTextColor;
  const int ppi = ACanvas.Font->GetPixelsPerInch();
  const int mx = FCellMarginX * ppi / 96, my = FCellMarginY * ppi / 96;
  TDeviceContext* dc = ACanvas.GetHandle();
  const int level = dc->SaveDC();
  dc->IntersectClipRect(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
  ACanvas.Refresh();
  e.RenderTo(ACanvas, TRect(ARect.Left + mx, ARect.Top + my, ARect.Right - mx, ARect.Bottom), color);
  dc->RestoreDC(level);
  ACanvas.Refresh();
}
