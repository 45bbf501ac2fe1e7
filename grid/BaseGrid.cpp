#include "grid/BaseGrid.h"

#include "grid/GridUtil.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Region.h"

#include <algorithm>

KV_CLASS_IMPL(TCellProperties, TPersistent) {
  using P = TCellProperties;
  c.Property("BrushColor", &P::GetBrushColor, &P::SetBrushColor).Kind(TPropKind::pkColor).Default(clNone);
  c.Property("BrushColorTo", &P::GetBrushColorTo, &P::SetBrushColorTo).Kind(TPropKind::pkColor).Default(clNone);
  c.Property("FontColor", &P::FontColor).Kind(TPropKind::pkColor).Default(clNone);
  c.Property("FontStyle", &P::FontStyle).Names({"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"})
      .Default(TFontStyles{});
  c.Property("FontSize", &P::FontSize).Default(0);
  c.Property("FontName", &P::FontName).Default("");
  c.Property("Alignment", &P::Alignment).Names({"taLeftJustify", "taRightJustify", "taCenter"})
      .Default(TAlignment::taLeftJustify);
  c.Property("VAlignment", &P::GetVAlignment, &P::SetVAlignment).Names({"vtaTop", "vtaCenter", "vtaBottom"})
      .Default(vtaTop);
  c.Property("NodeLevel", &P::NodeLevel).Default(0);
  c.Property("ReadOnly", &P::ReadOnly).Default(false);
}
KV_CLASS_IMPL(TUndoRedoItem, TCollectionItem) {
  c.Property("Row", &TUndoRedoItem::Row);
  c.Property("Col", &TUndoRedoItem::Col);
  c.Property("Value", &TUndoRedoItem::Value);
  c.Property("OrigValue", &TUndoRedoItem::OrigValue);
}
KV_CLASS_IMPL(TUndoRedoCollection, TCollection) {}
KV_CLASS_IMPL(TGridViewUndoRedo, TComponent) {
  c.Property("MaxLevel", &TGridViewUndoRedo::MaxLevel).Default(0);
}
KV_CLASS_IMPL(TBaseGrid, TStringGrid) {}

// ================================================================ TCellProperties

TCellProperties::TCellProperties(TBaseGrid* AOwnerGrid, int ACol, int ARow)
    : OwnerCol(ACol), OwnerRow(ARow), FOwnerGrid(AOwnerGrid) {}

void TCellProperties::RepaintOwnerCell() {
  if (FOwnerGrid) FOwnerGrid->RepaintCell(OwnerCol, OwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value) {
  FBrushColor = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor Value) {
  FBrushColorTo = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment Value) {
  FVAlignment = Value;
  RepaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool Value) {
  FWordWrap = Value;
  RepaintOwnerCell();
}

void TCellProperties::Assign(const TPersistent* Source) {
  const auto* s = dynamic_cast<const TCellProperties*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  IsBaseCell = s->IsBaseCell;
  CellSpanX = s->CellSpanX;
  CellSpanY = s->CellSpanY;
  OwnerRow = s->OwnerRow;
  OwnerCol = s->OwnerCol;
  Alignment = s->Alignment;
  BorderColor = s->BorderColor;
  BorderWidth = s->BorderWidth;
  FBrushColor = s->FBrushColor;
  BrushStyle = s->BrushStyle;
  FontColor = s->FontColor;
  FontStyle = s->FontStyle;
  FontName = s->FontName;
  FontSize = s->FontSize;
  ReadOnly = s->ReadOnly;
  Editor = s->Editor;
  FVAlignment = s->FVAlignment;
  SetWordWrap(s->FWordWrap);
  NodeLevel = s->NodeLevel;
  Control = s->Control;
}

// ================================================================ TGridViewUndoRedo

TGridViewUndoRedo::TGridViewUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TUndoRedoCollection>(this)) {}

TGridViewUndoRedo::~TGridViewUndoRedo() {
  if (FGrid && FGrid->FUndoRedo == this) FGrid->FUndoRedo = nullptr;
}

void TGridViewUndoRedo::SetGrid(TBaseGrid* Value) {
  if (FGrid == Value) return;
  if (FGrid) FGrid->RemoveFreeNotification(this);
  FGrid = Value;
  if (FGrid) FGrid->FreeNotification(this);
}

void TGridViewUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FGrid) FGrid = nullptr;
}

void TGridViewUndoRedo::RecordChange(int ACol, int ARow, const std::string& Value, const std::string& OrigValue) {
  if (MaxLevel > 0 && FItems->Count() >= MaxLevel) FItems->Delete(0);
  auto* item = static_cast<TUndoRedoItem*>(FItems->Add());
  item->Col = ACol;
  item->Row = ARow;
  item->Value = Value;
  item->OrigValue = OrigValue;
  Level = FItems->Count();
}

// ================================================================ TBaseGrid

TBaseGrid::TBaseGrid(TComponent* AOwner) : TStringGrid(AOwner) {
  ClipCells = false;
  TStringGrid::SetGridLineWidth(0);
  TStringGrid::SetDefaultDrawing(false);
  SetOptions(GetOptions() + goDrawFocusSelected);
  NormalRowCount = GetRowCount();
}

TBaseGrid::~TBaseGrid() = default;

void TBaseGrid::BeforeDestruction() {
  FreeAllCellObjects();
  if (FUndoRedo) SetUndoRedo(nullptr);
  TStringGrid::BeforeDestruction();
}

void TBaseGrid::SetGridLineWidth(int Value) {
  FGridLineWidth = std::max(0, Value);
  TStringGrid::SetGridLineWidth(0);
  Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value) {
  FGridLineColor = Value;
  Invalidate();
}

void TBaseGrid::SetDefaultDrawing(bool Value) {
  FOwnDefaultDrawing = Value;
  TStringGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetHideLastRow(bool Value) {
  FHideLastRow = Value;
  Invalidate();
}

void TBaseGrid::SetUndoRedo(TGridViewUndoRedo* Value) {
  if (FUndoRedo == Value) return;
  if (FUndoRedo) {
    FUndoRedo->RemoveFreeNotification(this);
    if (FUndoRedo->FGrid == this) FUndoRedo->SetGrid(nullptr);
  }
  FUndoRedo = Value;
  if (FUndoRedo) {
    FUndoRedo->FreeNotification(this);
    FUndoRedo->SetGrid(this);
  }
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TStringGrid::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FUndoRedo) FUndoRedo = nullptr;
}

// ---- cell properties

TCellProperties* TBaseGrid::RawCellProperties(int ACol, int ARow) const {
  return dynamic_cast<TCellProperties*>(GetObjects(ACol, ARow));
}

void TBaseGrid::PutRawCellProperties(int ACol, int ARow, TCellProperties* Value) { SetObjects(ACol, ARow, Value); }

bool TBaseGrid::HasCellProperties(int ACol, int ARow) const { return RawCellProperties(ACol, ARow) != nullptr; }

TCellProperties* TBaseGrid::CellProperties(int ACol, int ARow) {
  TCellProperties* p = RawCellProperties(ACol, ARow);
  if (!p) {
    p = Create<TCellProperties>(this, ACol, ARow);
    SetObjects(ACol, ARow, p);
  }
  return p;
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, TCellProperties* Value) {
  TCellProperties* old = RawCellProperties(ACol, ARow);
  SetObjects(ACol, ARow, Value);
  if (old && old != Value) old->Free();
}

TObject* TBaseGrid::GetCellGraphicObject(int ACol, int ARow) const {
  const TCellProperties* p = RawCellProperties(ACol, ARow);
  return p ? p->GraphicObject : nullptr;
}

void TBaseGrid::SetCellGraphicObject(int ACol, int ARow, TObject* Value) {
  // A cell gets its slot filled only once it holds text, so an empty cell
  // briefly holds a blank.
  const bool wasEmpty = GetCells(ACol, ARow).empty();
  if (wasEmpty) SetCells(ACol, ARow, " ");
  CellProperties(ACol, ARow)->GraphicObject = Value;
  if (wasEmpty) SetCells(ACol, ARow, "");
}

// ---- cell text

void TBaseGrid::GetDisplText(int ACol, int ARow, std::string& Value) {
  if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

std::string TBaseGrid::CellText(int ACol, int ARow) {
  const TPoint o = BaseCell(ACol, ARow);
  std::string s = GetCells(o.X, o.Y);
  if (o.Y < NormalRowCount) GetDisplText(o.X, o.Y, s);
  return s;
}

void TBaseGrid::SetCellText(int ACol, int ARow, const std::string& Value) {
  if (HasCellProperties(ACol, ARow)) {
    const TPoint o = BaseCell(ACol, ARow);
    SetCells(o.X, o.Y, Value);
    if (GetParent()) RepaintCell(ACol, ARow);
  } else {
    SetCells(ACol, ARow, Value);
  }
  if (FHideLastRow && ARow == GetRowCount() - 1) LastRowChanged();
}

void TBaseGrid::ClearColData(int ACol) {
  for (int r = 0; r < GetRowCount(); ++r) ClearCellData(ACol, r);
}

void TBaseGrid::ClearRowData(int ARow) {
  for (int c = 0; c < GetColCount(); ++c) ClearCellData(c, ARow);
}

void TBaseGrid::ClearCellData(int ACol, int ARow) {
  SetObjects(ACol, ARow, nullptr);
  SetCells(ACol, ARow, "");
}

void TBaseGrid::FreeCellObjects(int LeftCol, int TopRow, int BottomRow, int RightCol) {
  for (int r = std::max(0, TopRow); r <= BottomRow && r < GetRowCount(); ++r)
    for (int c = std::max(0, LeftCol); c <= RightCol; ++c) {
      TCellProperties* p = RawCellProperties(c, r);
      if (!p) continue;
      SetObjects(c, r, nullptr);
      p->Free();
    }
}

void TBaseGrid::FreeAllCellObjects() {
  int right = GetColCount() - 1;
  for (int r = 0; r < GetRowCount(); ++r) right = std::max(right, StoredColCount(r) - 1);
  FreeCellObjects(0, 0, GetRowCount() - 1, right);
}

// ---- geometry

TRect TBaseGrid::PlainCellRect(int ACol, int ARow) const {
  int left = 0, top = 0;
  for (int c = 0; c < ACol; ++c) left += GetColWidths(c);
  for (int r = 0; r < ARow; ++r) top += GetRowHeights(r);
  if (ACol >= GetFixedColsRaw()) {
    for (int c = 0; c < GetLeftCol(); ++c) left -= GetColWidths(c);
    left += FixedColsWidth();
  }
  if (ARow >= GetFixedRowsRaw()) {
    for (int r = 0; r < GetTopRow(); ++r) top -= GetRowHeights(r);
    top += FixedRowsHeight();
  }
  return TRect(left, top, left + GetColWidths(ACol), top + GetRowHeights(ARow));
}

TRect TBaseGrid::CellRect(int ACol, int ARow) const {
  const TCellProperties* p = RawCellProperties(ACol, ARow);
  if (p && p->CellSpanX != -1 && p->CellSpanY != -1) {
    const TPoint o = BaseCell(ACol, ARow);
    const TPoint span = CellSpan(o.X, o.Y);
    const TRect a = PlainCellRect(o.X, o.Y), b = PlainCellRect(o.X + span.X, o.Y + span.Y);
    return TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom));
  }
  if (p && p->Control) return PlainCellRect(ACol, ARow);
  const TRect r = TStringGrid::CellRect(ACol, ARow);
  return TRect(r.Left, r.Top, r.Left + GetColWidths(ACol), r.Top + GetRowHeights(ARow));
}

TSize TBaseGrid::CellSize(int ACol, int ARow) const {
  const TCellProperties* p = RawCellProperties(ACol, ARow);
  const TRect r = p && p->CellSpanX != -1 && p->CellSpanY != -1 ? CellRect(ACol, ARow) : PlainCellRect(ACol, ARow);
  return TSize{r.Width(), r.Height()};
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const {
  const TCellProperties* p = RawCellProperties(ACol, ARow);
  if (!p || p->CellSpanX == -1 || p->CellSpanY == -1) return Point(0, 0);
  const TPoint o = BaseCell(ACol, ARow);
  const TCellProperties* op = RawCellProperties(o.X, o.Y);
  return op ? Point(op->CellSpanX, op->CellSpanY) : Point(0, 0);
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const {
  const TCellProperties* p = RawCellProperties(ACol, ARow);
  return p && (p->CellSpanX >= 1 || p->CellSpanY >= 1);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const { return CellSpan(ACol, ARow).X > 0; }
bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const { return CellSpan(ACol, ARow).Y > 0; }

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const {
  const TCellProperties* p = RawCellProperties(ACol, ARow);
  if (p && !p->IsBaseCell && p->CellSpanX != -1 && p->CellSpanY != -1)
    return Point(ACol - p->CellSpanX, ARow - p->CellSpanY);
  return Point(ACol, ARow);
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const {
  const TCellProperties* p = RawCellProperties(ACol, ARow);
  return !p || p->IsBaseCell;
}

bool TBaseGrid::BaseCellEx(int ACol, int ARow, int& OriginRow, int& OriginCol) const {
  const TPoint o = BaseCell(ACol, ARow);
  OriginCol = o.X;
  OriginRow = o.Y;
  return IsBaseCell(ACol, ARow);
}

int TBaseGrid::FixedColsWidth() const {
  int w = 0;
  for (int c = 0; c < GetFixedColsRaw(); ++c) w += GetColWidths(c);
  return w;
}

int TBaseGrid::FixedRowsHeight() const {
  int h = 0;
  for (int r = 0; r < GetFixedRowsRaw(); ++r) h += GetRowHeights(r);
  return h;
}

bool TBaseGrid::RowsShareMergeGroup(int ARow1, int ARow2) const {
  bool any = false;
  for (int c = 0; c < GetColCount(); ++c) {
    if (CellSpan(c, ARow1).Y > 0 && CellSpan(c, ARow2).Y > 0) {
      any = true;
      if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y) return false;
    }
  }
  return any;
}

void TBaseGrid::MergeCells(int ACol, int ARow, int ColCount, int RowCount) {
  for (int i = ACol; i < ACol + ColCount; ++i)
    for (int j = ARow; j < ARow + RowCount; ++j) {
      TCellProperties* p = CellProperties(i, j);
      p->IsBaseCell = i == ACol && j == ARow;
      if (p->IsBaseCell) {
        p->CellSpanX = ColCount - 1;
        p->CellSpanY = RowCount - 1;
      } else {
        p->CellSpanX = i - ACol;
        p->CellSpanY = j - ARow;
      }
    }
  for (int i = ACol; i < ACol + ColCount; ++i)
    for (int j = ARow; j < ARow + RowCount; ++j) RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int ACol, int ARow) {
  const TPoint o = BaseCell(ACol, ARow);
  const TCellProperties* op = RawCellProperties(o.X, o.Y);
  if (!op) return;
  const int sx = std::max(0, op->CellSpanX), sy = std::max(0, op->CellSpanY);
  for (int i = o.X; i <= o.X + sx; ++i)
    for (int j = o.Y; j <= o.Y + sy; ++j) {
      if (TCellProperties* p = RawCellProperties(i, j)) {
        p->IsBaseCell = true;
        p->CellSpanX = -1;
        p->CellSpanY = -1;
      }
    }
  for (int i = o.X; i <= o.X + sx; ++i)
    for (int j = o.Y; j <= o.Y + sy; ++j) RepaintCell(i, j);
}

void TBaseGrid::SnapToBaseCell() {
  if (!HasCellProperties(GetCol(), GetRow())) return;
  const TPoint o = BaseCell(GetCol(), GetRow());
  if (o.X != GetCol() || o.Y != GetRow()) MoveColRow(o.X, o.Y, true, true);
}

void TBaseGrid::RepaintCell(int /*ACol*/, int /*ARow*/) { Invalidate(); }

void TBaseGrid::RefreshMergedFixedRows() {
  if (GetFixedRowsRaw() == 0) return;
  const int last = GetLeftCol() + VisibleColCount();
  for (int r = 0; r < GetFixedRowsRaw(); ++r)
    for (int c = GetLeftCol(); c <= last && c < GetColCount(); ++c)
      if (IsMergedCell(c, r)) RepaintCell(c, r);
}

void TBaseGrid::RefreshMergedFixedCols() {
  if (GetFixedColsRaw() == 0) return;
  const int last = GetTopRow() + VisibleRowCount();
  for (int c = 0; c < GetFixedColsRaw(); ++c)
    for (int r = GetTopRow(); r <= last && r < GetRowCount(); ++r)
      if (IsMergedCell(c, r)) RepaintCell(c, r);
}

// ---- painting

void TBaseGrid::CellVisuals(int, int, TAlignment&, TVAlignment&, bool&, TFont&, TColor&, TBrush&, bool, bool, bool,
                            TGridDrawState&) {}

void TBaseGrid::DrawCellBody(TCanvas& Canvas, int ACol, int ARow, TRect R, TGridDrawState /*State*/) {
  TDeviceContext* dc = Canvas.GetHandle();
  dc->SetBkMode(TRANSPARENT);
  std::string text = GridUtil::ShownText(CellText(ACol, ARow));
  dc->DrawText(text, R, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  Canvas.Refresh();
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) {
  TCanvas& canvas = *GetCanvas();
  if (FHideLastRow && ARow == GetRowCount() - 1) {
    canvas.Brush->SetColor(GetColor());
    canvas.Pen->SetColor(GetColor());
    canvas.FillRect(Rect);
    return;
  }
  if (!IsBaseCell(ACol, ARow)) {
    const TPoint o = BaseCell(ACol, ARow);
    TCellProperties* op = RawCellProperties(o.X, o.Y);
    if (!op || op->PaintStamp == FPaintCounter) return;
    op->PaintStamp = FPaintCounter;
    DrawBlock(o.X, o.Y, State);
    return;
  }
  if (TCellProperties* p = RawCellProperties(ACol, ARow)) {
    if (p->PaintStamp == FPaintCounter && IsMergedCell(ACol, ARow)) return;
    p->PaintStamp = FPaintCounter;
  }
  DrawBlock(ACol, ARow, State);
}

void TBaseGrid::DrawBlock(int ACol, int ARow, TGridDrawState State) {
  TCanvas& canvas = *GetCanvas();
  const bool fixed = IsFixedCell(ACol, ARow) || ACol < GetFixedColsRaw() || ARow < GetFixedRowsRaw();
  if (IsFixedCell(ACol, ARow)) {
    State.Include(gdFixed);
    State.Exclude(gdSelected);
  }
  TRect r = CellRect(ACol, ARow);
  TDeviceContext* dc = canvas.GetHandle();
  const int saved = dc->SaveDC();
  const int fcw = FixedColsWidth(), frh = FixedRowsHeight();
  const bool underFixedCols = ACol >= GetFixedColsRaw() && GetFixedColsRaw() > 0 && r.Left < fcw;
  const bool underFixedRows = ARow >= GetFixedRowsRaw() && GetFixedRowsRaw() > 0 && r.Top < frh;
  if (underFixedCols || underFixedRows) dc->IntersectClipRect(fcw, frh, GetWidth(), GetHeight());
  canvas.Refresh();
  canvas.Pen->SetWidth(1);
  canvas.Pen->SetStyle(psSolid);
  canvas.Pen->SetMode(pmCopy);
  canvas.Font->Assign(*GetFont());
  TAlignment hAlign = TAlignment::taLeftJustify;
  TVAlignment vAlign = vtaTop;
  bool wordWrap = false;
  TColor gradTo = clNone;
  canvas.Brush->SetColor(fixed ? GetFixedColor() : GetColor());
  canvas.Brush->SetStyle(bsSolid);
  CellVisuals(ACol, ARow, hAlign, vAlign, wordWrap, *canvas.Font, gradTo, *canvas.Brush, true,
              State.Contains(gdSelected), false, State);
  canvas.Pen->SetColor(canvas.Brush->GetColor());
  if (gradTo == clNone) canvas.FillRect(r);
  else GridUtil::FillGradient(canvas, canvas.Brush->GetColor(), gradTo, true, r, 64);
  const bool fixedLook = State.Contains(gdFixed);
  int half = 0;
  bool lines = true;
  if (fixedLook) {
    canvas.Pen->SetColor(clGray);
    canvas.Pen->SetWidth(1);
    half = 1;
  } else if (FGridLineWidth > 0) {
    canvas.Pen->SetColor(FGridLineColor);
    canvas.Pen->SetWidth(FGridLineWidth);
    half = (FGridLineWidth + 1) / 2;
  } else {
    lines = false;
  }
  if (ACol == 0 && ARow >= GetFixedRowsRaw()) r.Left += RowNodeIndent(ARow);
  if (lines) {
    const TGridOptions o = GetOptions();
    const bool horz = fixedLook ? o.Contains(goFixedHorzLine) : o.Contains(goHorzLine);
    const bool vert = fixedLook ? o.Contains(goFixedVertLine) : o.Contains(goVertLine);
    // Odd widths centre on the pixel; a 1-pixel line lies on the cell's last row (column).
    const int off = FGridLineWidth > 1 && !fixedLook ? half - 1 : 0;
    if (!(ACol == 0 && HasNodes()) && horz) {
      canvas.MoveTo(r.Left, r.Bottom - 1 - off);
      canvas.LineTo(r.Right, r.Bottom - 1 - off);
      if (ARow == 0) {
        canvas.MoveTo(r.Left, r.Top + off);
        canvas.LineTo(r.Right, r.Top + off);
      }
    }
    if (vert) {
      canvas.MoveTo(r.Right - 1 - off, r.Top);
      canvas.LineTo(r.Right - 1 - off, r.Bottom);
      if (ACol == 0) {
        canvas.MoveTo(r.Left + off, r.Top);
        canvas.LineTo(r.Left + off, r.Bottom);
      }
    }
  }
  const int shrink = fixedLook ? 1 : FGridLineWidth;
  r = TRect(r.Left + shrink, r.Top + shrink, r.Right - shrink, r.Bottom - shrink);
  canvas.Pen->SetWidth(1);
  DrawCellBody(canvas, ACol, ARow, r, State);
  canvas.GetHandle()->RestoreDC(saved);
  canvas.Refresh();
}

void TBaseGrid::Paint() {
  TStringGrid::Paint();
  ++FPaintCounter;
}

bool TBaseGrid::SelectCell(int ACol, int ARow) {
  RepaintCell(GetCol(), GetRow());
  const bool ok = TStringGrid::SelectCell(ACol, ARow);
  RepaintCell(ACol, ARow);
  return ok;
}

void TBaseGrid::TopLeftChanged() {
  TStringGrid::TopLeftChanged();
  RefreshMergedFixedCols();
  RefreshMergedFixedRows();
}

// ---- keys and wheel

void TBaseGrid::KeyDown(uint16_t& Key, TShiftState Shift) {
  const int col = GetCol(), row = GetRow();
  const TPoint o = BaseCell(col, row);
  const TPoint span = CellSpan(col, row);
  switch (Key) {
    case VK_NEXT:
      if (GetTopRow() + VisibleRowCount() - GetFixedRowsRaw() + 1 == GetRowCount() && FHideLastRow &&
          GetRowCount() >= 2)
        SetRow(GetRowCount() - 2);
      break;
    case VK_RIGHT:
      if (o.X + span.X >= col && col < GetColCount() - 1 && o.X < GetColCount() - 1 && span.X > 0)
        MoveColRow(o.X + span.X, row, true, false);
      break;
    case VK_DOWN:
      if (o.Y + span.Y >= row && row < GetRowCount() - 1 && o.Y < GetRowCount() - 1 && span.Y > 0)
        MoveColRow(col, o.Y + span.Y, true, false);
      break;
    case VK_LEFT:
    case VK_UP:
      // A current cell set inside a block by code snaps to the block's origin
      // first; the move then leaves the block from there.
      if (o.X != col || o.Y != row) MoveColRow(o.X, o.Y, true, false);
      break;
    default:
      break;
  }
  TStringGrid::KeyDown(Key, Shift);
  if (FHideLastRow && GetRow() == GetRowCount() - 1 && GetRowCount() - 2 >= GetFixedRowsRaw())
    MoveColRow(GetCol(), GetRowCount() - 2, true, true);
  SnapToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  const bool handled = TStringGrid::DoMouseWheelDown(Shift, MousePos);
  if (GetRow() > GetTopRow() + VisibleRowCount() && GetRow() != GetRowCount() - 1 && FHideLastRow)
    SetTopRow(GetTopRow() + 1);
  if (FHideLastRow && GetRow() == GetRowCount() - 1 && GetRowCount() - 2 >= GetFixedRowsRaw())
    MoveColRow(GetCol(), GetRowCount() - 2, true, true);
  SnapToBaseCell();
  return handled;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  const bool handled = TStringGrid::DoMouseWheelUp(Shift, MousePos);
  SnapToBaseCell();
  return handled;
}
