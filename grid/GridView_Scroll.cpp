// Scroll bars: the scroll styles, thumbs in proportion to the pixels shown,
// the row or column hint while a thumb is dragged and synchronous scrolling.

#include "grid/GridView.h"


#include <algorithm>
#include <cmath>

// ================================================================ styles

void TGridView::SetScrollType(TScrollType Value) {
  if (Value == ScrollType) return;
  ScrollType = Value;
  if (Value == TScrollType::ssNormal) {
    DoneFlatScrollBars();
  } else {
    InitFlatScrollBars();
    ApplyFlatScrollBars();
  }
  ApplyScrollStyle();
}

void TGridView::SetScrollColor(TColor Value) {
  ScrollColor = Value;
  ApplyScrollColor();
}

void TGridView::SetScrollWidth(int Value) {
  ScrollWidth = Value;
  ApplyScrollWidth();
}

void TGridView::SetScrollProportional(bool Value) {
  ScrollProportional = Value;
  if (!Value && FFlatBarsOn && ScrollType == TScrollType::ssNormal) {
    DoneFlatScrollBars();
    for (auto kind : {TScrollBarKind::sbHorizontal, TScrollBarKind::sbVertical})
      if (TScrollBar* bar = GetScrollBar(kind)) bar->SetPageSize(0);
  }
  UpdateProportionalHorz();
  UpdateProportionalVert();
}

// There is no flat scroll bar library: the flat-bars-on flag stays off and
// the calls that need it do nothing.
void TGridView::InitFlatScrollBars() { FFlatBarsOn = false; }
void TGridView::DoneFlatScrollBars() { FFlatBarsOn = false; }
void TGridView::ApplyScrollStyle() {}
void TGridView::ApplyScrollColor() {}
void TGridView::ApplyScrollWidth() {}
void TGridView::SyncFlatVertScroll() {}
void TGridView::SyncFlatHorzScroll() {}

void TGridView::ApplyFlatScrollBars() {
  ApplyScrollStyle();
  ApplyScrollColor();
  ApplyScrollWidth();
  SyncFlatVertScroll();
  SyncFlatHorzScroll();
}

// ================================================================ proportional thumbs

namespace {

struct TThumb {
  int Maximum = 0, Page = 0, Position = 0;
};

// The thumb for a view of Control pixels over Fixed + Total pixels scrolled
// by Offset: 127 scroll positions, the page in proportion. False when the
// cells fit (the bar is left alone).
bool ProportionalThumb(int Control, int Fixed, int Total, int Offset, bool KeepPosition, int Current, TThumb& T) {
  if (Total <= 0) return false;
  // Fixed cells wider than the control give no negative page: the ratio stays in [0, 0.9999).
  const float ratio = std::max(0.0f, static_cast<float>(Control - Fixed) / static_cast<float>(Total));
  if (ratio >= 0.9999f) return false;
  T.Maximum = static_cast<int>((127.0f + ratio) / (1.0f - ratio));
  T.Page = T.Maximum - 126;
  if (Total > Control) T.Position = static_cast<int>(static_cast<double>(Offset) / (Total - Control) * 128);
  else T.Position = KeepPosition ? Current : 127;
  T.Position = std::clamp(T.Position, 0, 127);
  return true;
}

}  // namespace

void TGridView::UpdateProportionalHorz() {
  if (!ScrollProportional || ComponentState.Contains(TComponentStateItem::csLoading) ||
      ComponentState.Contains(TComponentStateItem::csDesigning))
    return;
  TScrollBar* bar = GetScrollBar(TScrollBarKind::sbHorizontal);
  if (!bar) return;
  const int w = GetGridLineWidth();
  int fixed = w, total = w, offset = w;
  for (int c = 0; c < GetFixedCols(); ++c) fixed += GetColWidths(c) + w;
  for (int c = GetFixedCols(); c < GetColCount(); ++c) {
    total += GetColWidths(c) + w;
    if (c < GetLeftCol()) offset += GetColWidths(c) + w;
  }
  TThumb t;
  if (!ProportionalThumb(GetWidth(), fixed, total, offset, true, bar->GetPosition(), t)) return;
  bar->SetParams(t.Position, 0, t.Maximum);
  bar->SetPageSize(t.Page);
  SyncFlatHorzScroll();
}

void TGridView::UpdateProportionalVert() {
  if (!ScrollProportional || ComponentState.Contains(TComponentStateItem::csLoading) ||
      ComponentState.Contains(TComponentStateItem::csDesigning))
    return;
  TScrollBar* bar = GetScrollBar(TScrollBarKind::sbVertical);
  if (!bar) return;
  const int w = GetGridLineWidth();
  int fixed = w, total = w, offset = w;
  for (int r = 0; r < GetFixedRows(); ++r) fixed += GetRowHeights(r) + w;
  for (int r = GetFixedRows(); r < GetRowCount(); ++r) {
    total += GetRowHeights(r) + w;
    if (r < GetTopRow()) offset += GetRowHeights(r) + w;
  }
  TThumb t;
  if (!ProportionalThumb(GetHeight(), fixed, total, offset, false, bar->GetPosition(), t)) return;
  bar->SetParams(t.Position, 0, t.Maximum);
  bar->SetPageSize(t.Page);
  SyncFlatVertScroll();
}

// ================================================================ scroll messages

void TGridView::HookScrollBars() {
  const TScrollBarKind kinds[2] = {TScrollBarKind::sbHorizontal, TScrollBarKind::sbVertical};
  for (int i = 0; i < 2; ++i) {
    TScrollBar* bar = GetScrollBar(kinds[i]);
    if (!bar || bar == FHookedBars[size_t(i)]) continue;
    FHookedBars[size_t(i)] = bar;
    FBarHandlers[size_t(i)] = bar->OnScroll;
    const TScrollBarKind kind = kinds[i];
    bar->OnScroll = [this, kind](TObject*, TScrollCode Code, int& Pos) { ScrollMessage(kind, Code, Pos); };
  }
}

void TGridView::UpdateScrollBars() {
  HookScrollBars();
  UpdateProportionalHorz();
  UpdateProportionalVert();
}

void TGridView::TopLeftChanged() {
  TBaseGrid::TopLeftChanged();
  // A fixed background picture stays where it is: the cells under it repaint.
  if (const TBitmap* pic = FBackGround->GetBitmap(); pic && !pic->GetEmpty() && FBackGround->GetDisplay() == bdFixed)
    Invalidate();
  if (FEditorOpen && FEditorType > edUpperCase) HideCellEditor(GetCol(), GetRow());
  RepaintFooter();
  // Cell controls follow their cells; those scrolled out of view shrink to nothing.
  for (int r = 0; r < GetRowCount(); ++r)
    for (int c = 0; c < GetColCount(); ++c) {
      const TCellProperties* p = RawCellProperties(RealColIndex(c), r);
      if (!p || !p->Control) continue;
      const TRect cell = TBaseGrid::CellRect(c, r);
      if (cell.IsEmpty()) p->Control->SetBounds(p->Control->GetLeft(), p->Control->GetTop(), 0, 0);
      else p->Control->SetBounds(cell.Left, cell.Top, cell.Width(), cell.Height());
    }
  FLastTopLeft = {GetLeftCol(), GetTopRow()};
  HookScrollBars();
  UpdateProportionalHorz();
  UpdateProportionalVert();
}

void TGridView::ScrollMessage(TScrollBarKind Kind, TScrollCode Code, int& Pos) {
  const bool vert = Kind == TScrollBarKind::sbVertical;
  const bool hints = ScrollHintsType == shBoth || (vert ? ScrollHintsType == shVertical : ScrollHintsType == shHorizontal);
  const int fixed = vert ? GetFixedRows() : GetFixedCols();
  const int count = vert ? GetRowCount() : GetColCount();
  const int visible = vert ? VisibleRowCount() : VisibleColCount();
  const int index = static_cast<int>(static_cast<int64_t>(Pos) * std::max(0, count - visible - fixed) / 127) + fixed;
  if (hints) {
    if (Code == TScrollCode::scEndScroll) {
      if (FScrollHintShown) ShowHtmlHint(Controls::MouseCursorPos(), "");
      FScrollHintText.clear();
      FScrollHintShown = false;
    } else if (Code == TScrollCode::scTrack) {
      std::string text = (vert ? "Row : " : "Col : ") + std::to_string(index);
      if (OnScrollHint) OnScrollHint(this, index, text);
      const TPoint cursor = Controls::MouseCursorPos();
      ShowHtmlHint(TPoint{cursor.X + 10, cursor.Y}, text);
      FScrollHintText = text;
      FScrollHintShown = true;
    }
  }
  if (Code == TScrollCode::scTrack && ScrollSynch) {
    if (vert) SetTopRow(index);
    else SetLeftCol(index);
  }
  const TBitmap* pic = FBackGround->GetBitmap();
  const bool fixedPicture = pic && !pic->GetEmpty() && FBackGround->GetDisplay() == bdFixed;
  const int slot = vert ? 1 : 0;
  if (FBarHandlers[size_t(slot)]) FBarHandlers[size_t(slot)](FHookedBars[size_t(slot)], Code, Pos);
  if (fixedPicture && Code != TScrollCode::scTrack) Invalidate();
  SyncFlatVertScroll();
  SyncFlatHorzScroll();
  if (IsToggleCell(RealCurrentCol(), GetRow())) HideEditor();
  if (!vert) RepaintFooter();
}
