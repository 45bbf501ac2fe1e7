// Drag and drop of cells, columns, rich text and files: the grid as a drag
// source (the selection as text, or a column from its header) and as a drop
// target (text pasted like clipboard text, rich text into one cell, columns
// reported to the owner, one CSV or workbook file loaded).
#include "grid/GridDragDrop.h"
#include "grid/GridView.h"
#include "platform/rtl/Restore.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

using namespace DragDrop;

// ================================================================ settings

void TDragDropSettings::SetOleDropTarget(bool Value) {
  OleDropTarget = Value;
  if (FGrid) FGrid->UpdateDropTarget();
}

void TDragDropSettings::SetOleDropRTF(bool Value) {
  FOleDropRTF = Value;
  gvdd::RichTextAware = Value;
}

void TGridView::UpdateDropTarget() {
  if (ComponentState.Contains(TComponentStateItem::csDesigning) ||
      ComponentState.Contains(TComponentStateItem::csLoading))
    return;
  if (FDragDropSettings->OleDropTarget) {
    if (FDropRegistered) return;
    if (!FDropTarget) FDropTarget = std::make_unique<TGridDropTarget>(this);
    FDropRegistered = DragDrop::RegisterDropTarget(*this, *FDropTarget);
  } else if (FDropRegistered) {
    DragDrop::RevokeDropTarget(*this);
    FDropRegistered = false;
  }
}

// ================================================================ the drop target

int TGridDropTarget::DragEnter(const TDragData& Data, TShiftState Shift, TPoint P) {
  const TDragDropSettings& s = *FGrid->DragDropSettings();
  AcceptText = s.OleAcceptText;
  AcceptFiles = s.OleAcceptFiles;
  AcceptColumns = s.OleColumnDragDrop;
  return TGVDropTarget::DragEnter(Data, Shift, P);
}

void TGridDropTarget::HandleDropText(TPoint P, const std::string& Text) { FGrid->DropTextAt(P, Text); }
void TGridDropTarget::HandleDropColumn(TPoint P, int Column) { FGrid->DropColumnAt(P, Column); }
void TGridDropTarget::HandleDropRtf(TPoint P, const std::string& Rtf) { FGrid->DropRtfAt(P, Rtf); }
void TGridDropTarget::HandleDropFiles(TPoint P, const std::vector<std::string>& Files) {
  FGrid->DropFilesAt(P, Files);
}
void TGridDropTarget::HandleDragMove(TPoint P, bool& Allow, int Formats) { FGrid->DragMoveAt(P, Allow, Formats); }
void TGridDropTarget::HandleDragLeave() { FGrid->DropHideFeedback(); }

void TGridDropSource::HandleEffect(int Effect) {
  if (Effect == deCopy || Effect == deMove) LastEffect = Effect;
}

void TGridDropSource::HandleDragStep() {
  TPopupButton* b = FGrid->PopupButton();
  if (!b || !b->GetVisible()) return;
  const TPoint p = Controls::MouseCursorPos();
  b->SetBounds(p.X, p.Y - b->GetHeight(), b->GetWidth(), b->GetHeight());
}

void TGridView::DropHideFeedback() {
  for (TArrowWindow* a : FArrows)
    if (a) a->SetVisible(false);
  if (FPopupButton) FPopupButton->SetVisible(false);
}

void TGridView::DragMoveAt(TPoint P, bool& Allow, int Formats) {
  int c = -1, r = -1;
  CellAtScreenPoint(P, c, r);
  if (c < 0 || r < 0) Allow = false;
  const bool column = (Formats & dfColumn) != 0;
  if (Allow && !column) {
    // Hovering just below the last visible row or over the header of a scrolled grid scrolls by one row.
    if (r == GetTopRow() + VisibleRowCount() && GetTopRow() + VisibleRowCount() < GetRowCount())
      SetTopRow(GetTopRow() + 1);
    else if (r == 0 && GetTopRow() > GetFixedRows())
      SetTopRow(GetTopRow() - 1);
  }
  if (Allow) {
    if (column)
      Allow = r < GetFixedRows() && c >= GetFixedCols();
    else if (r < GetFixedRows())
      Allow = GetRowCount() == 1 && FixedRowAlways;
  }
  if (OnOleDragOver) OnOleDragOver(this, r, c, Allow);
  auto place = [&](int Index, TPoint Client) {
    if (TArrowWindow* a = FArrows[size_t(Index)]) {
      const TPoint s = ClientToScreen(Client);
      a->SetBounds(s.X, s.Y, a->GetWidth(), a->GetHeight());
      a->SetVisible(true);
    }
  };
  DropHideFeedback();
  if (!Allow) return;
  if (column) {
    const TRect cell = TBaseGrid::CellRect(c, r);
    place(1, TPoint{cell.Left, cell.Top - 8});
    place(0, TPoint{cell.Left, cell.Bottom});
  } else {
    if (r == 0 && FixedRowAlways) r = 1;
    const TRect cell = TBaseGrid::CellRect(FDragDropSettings->OleEntireRows ? GetFixedCols() : c, r);
    place(2, TPoint{cell.Left - 10, cell.Top});
  }
}

namespace {
// The block size of dropped text; a last line without a line end is a row
// too (a drag's text has none after its last row).
TPoint DroppedBlockSize(const std::string& Text) {
  TPoint size = TGridView::TextBlockSize(Text);
  const size_t lastCr = Text.rfind('\r');
  if (lastCr != std::string::npos) {
    const size_t rest = Text.find_first_not_of('\n', lastCr + 1);
    if (rest != std::string::npos) ++size.Y;
  }
  return size;
}
}  // namespace

void TGridView::DropTextAt(TPoint P, const std::string& Text) {
  int c = -1, r = -1;
  CellAtScreenPoint(P, c, r);
  const TPoint size = DroppedBlockSize(Text);
  if (GetOptions().Contains(goRowSelect)) c = FDragDropSettings->OleEntireRows ? 0 : GetFixedCols();
  bool allow = true;
  if (OnOleDrop) OnOleDrop(this, r, c, Text, allow);
  if (allow && c >= 0 && r >= 0) {
    if (r == 0 && FixedRowAlways && GetRowCount() == 1) r = 1;
    if (FDragDropSettings->OleInsertRows) {
      // Rows inserted above this grid's own dragged rows push them down.
      if (FDraggingText && FDragSourceRange.Top >= r) {
        FDragSourceRange.Top += size.Y;
        FDragSourceRange.Bottom += size.Y;
      }
      int top = GetTopRow();
      if (top > GetFixedRows()) ++top;
      InsertRows(r, size.Y);
      if (top > 0) SetTopRow(std::min(top, std::max(GetFixedRows(), GetRowCount() - 1)));
    }
    PasteText(c, r, Text);
    const int right = GetOptions().Contains(goRowSelect) ? c + size.X - GetFixedCols() : c + size.X - 1;
    const TGridRect sel{std::max(c, GetFixedCols()), r, std::clamp(right, std::max(c, GetFixedCols()), GetColCount() - 1),
                        std::clamp(r + size.Y - 1, r, GetRowCount() - 1)};
    SetSelection(sel);
    if (FDraggingText) FOwnDropRect = TRect(c, r, c + size.X - 1, r + size.Y - 1);
    DropHideFeedback();
    if (OnOleDropped) OnOleDropped(this, TRect(sel.Left, sel.Top, sel.Right, sel.Bottom));
    return;
  }
  DropHideFeedback();
}

void TGridView::DropRtfAt(TPoint P, const std::string& Text) {
  int c = -1, r = -1;
  CellAtScreenPoint(P, c, r);
  bool allow = true;
  if (OnOleDrop) OnOleDrop(this, r, c, Text, allow);
  if (allow && c >= 0 && r >= 0) SetDisplayedCellText(c, r, Text);
  DropHideFeedback();
}

void TGridView::DropColumnAt(TPoint P, int Column) {
  int c = -1, r = -1;
  CellAtScreenPoint(P, c, r);
  DropHideFeedback();
  if (OnOleDropCol) OnOleDropCol(this, r, c, Column);
}

void TGridView::DropFilesAt(TPoint P, const std::vector<std::string>& Files) {
  if (Files.size() != 1) return;
  int c = -1, r = -1;
  CellAtScreenPoint(P, c, r);
  const std::string& name = Files.front();
  bool allow = true;
  if (OnOleDropFile) OnOleDropFile(this, r, c, name, allow);
  if (allow) {
    const std::string upper = SysUtils::UpperCase(name);
    auto endsWith = [&](const char* Ext) {
      const std::string e = Ext;
      return upper.size() >= e.size() && upper.compare(upper.size() - e.size(), e.size(), e) == 0;
    };
    const bool csv = endsWith(".CSV"), xls = endsWith(".XLS");
    if (csv || xls) {
      bool load = true;
      if (OnOleDrop) OnOleDrop(this, -1, -1, name, load);
      if (load) {
        if (csv) LoadFromCSV(name);
        else LoadFromXLS(name);
      }
    }
  }
  if (FArrows[2]) FArrows[2]->SetVisible(false);
  if (FArrows[0]) FArrows[0]->SetVisible(false);
}

// ================================================================ the drag source

std::string TGridView::SelectionDragText() {
  TGridRect r = GetSelection();
  if (GetOptions().Contains(goRowSelect) && FDragDropSettings->OleEntireRows) {
    r.Left = 0;
    r.Right = GetColCount() - 1;
  }
  auto rowText = [&](int Row) {
    std::string line;
    for (int c = r.Left; c <= r.Right; ++c) {
      if (c > r.Left) line += '\t';
      std::string t = CellText(RealColIndex(c), Row);
      if (t.find("{\\") != std::string::npos) t = RichTextToPlain(t);
      line += t;
    }
    return line;
  };
  std::string out;
  if (FMouseActions->GetDisjunctRowSelect()) {
    for (int row = GetFixedRows(); row < GetRowCount(); ++row) {
      if (!RowSelected(FMouseActions->RowSelectPersistent ? AllRowsIndex(row) : row)) continue;
      out += rowText(row);
      if (row != r.Bottom) out += "\r\n";
    }
    return out;
  }
  for (int row = r.Top; row <= r.Bottom; ++row) {
    if (row > r.Top) out += "\r\n";
    out += rowText(row);
  }
  return out;
}

void TGridView::StartOleDrag(int X, int Y) {
  int c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  if (c < 0 || r < 0) return;
  const int real = RealColIndex(c);
  bool allow = true;
  if (OnOleDrag) OnOleDrag(this, r, real, CellText(real, r), allow);
  if (!allow) return;
  TGridDropSource source(this);
  if (OnOleDragStart) OnOleDragStart(this, r, real);
  int effect = deNone;
  if (r < GetFixedRows() && FDragDropSettings->OleColumnDragDrop) {
    if (FPopupButton) {
      const TPoint p = ClientToScreen(TPoint{X, Y});
      FPopupButton->SetText(CellText(real, 0));
      const bool lumo = FLook == glLumo, xp = FLook == glXP;
      FPopupButton->SetGradFrom(lumo ? TColor(0xC0C0C0) : xp ? clWhite : clBtnFace);
      FPopupButton->SetGradTo(lumo || xp ? (lumo ? clWhite : clBtnFace) : clBtnFace);
      FPopupButton->SetBounds(p.X, p.Y, GetColWidths(c), GetRowHeights(0));
      FPopupButton->SetVisible(true);
    }
    if (gvdd::StartColumnDrag(source, real, deCopy | deMove, effect) && OnOleDragStop) OnOleDragStop(this, effect);
    DropHideFeedback();
    return;
  }
  const TGridRect sel = GetSelection();
  FDragSourceRange = TRect(sel.Left, sel.Top, sel.Right, sel.Bottom);
  FOwnDropRect = TRect(0, 0, -1, -1);
  bool dropped = false;
  {
    TRestore<bool> dragging(FDraggingText, true);
    dropped = gvdd::StartTextDrag(source, SelectionDragText(), CellText(real, r), effect, deCopy | deMove);
  }
  if (!dropped) return;
  if (effect == deMove) FinishTextMove(effect);
  if (OnOleDragStop) OnOleDragStop(this, effect);
}

void TGridView::FinishTextMove(int /*Effect*/) {
  const TRect src = FDragSourceRange;
  if (FDragDropSettings->OleRemoveRows && GetOptions().Contains(goRowSelect)) {
    if (FMouseActions->GetDisjunctRowSelect()) RemoveSelectedRows();
    else RemoveRows(src.Top, src.Bottom - src.Top + 1);
    return;
  }
  if (FDragDropSettings->OleCopyAlways) return;
  const TRect& covered = FOwnDropRect;
  if (covered.Right < covered.Left) {
    ClearRect(src.Left, src.Top, src.Right, src.Bottom);
    return;
  }
  // Moved within this grid: the cells the dropped block now holds stay.
  for (int r = src.Top; r <= src.Bottom; ++r)
    for (int c = src.Left; c <= src.Right; ++c)
      if (!(c >= covered.Left && c <= covered.Right && r >= covered.Top && r <= covered.Bottom)) ClearRect(c, r, c, r);
}
