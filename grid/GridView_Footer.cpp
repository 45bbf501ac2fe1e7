// GridView: the floating footer: its settings and the panel that draws the
// grid's last row, a preview of one cell of the current row, or a markup
// template filled from the current row.

#include "grid/GridView.h"

#include "grid/GvHTMLE.h"
#include "platform/gdi/DeviceContext.h"

KV_CLASS_IMPL(TFooterPanel, TCustomControl) {}

namespace {

void Line(TCanvas& C, int X1, int Y1, int X2, int Y2) {
  C.MoveTo(X1, Y1);
  C.LineTo(X2, Y2);
}

// The selection text colour of a grid switched for the lifetime of the guard.
class TSelectionTextColor {
 public:
  TSelectionTextColor(TGridView& Grid, TColor Color) : FGrid(Grid), FSaved(Grid.GetSelectionTextColor()) {
    FGrid.SkipNextInvalidate();
    FGrid.SetSelectionTextColor(Color);
  }
  ~TSelectionTextColor() {
    FGrid.SkipNextInvalidate();
    FGrid.SetSelectionTextColor(FSaved);
  }
  TSelectionTextColor(const TSelectionTextColor&) = delete;
  TSelectionTextColor& operator=(const TSelectionTextColor&) = delete;

 private:
  TGridView& FGrid;
  TColor FSaved;
};

}  // namespace

// ================================================================ TFloatingFooter

void TFloatingFooter::SetVisible(bool Value) {
  FVisible = Value;
  if (!FGrid) return;
  FGrid->UpdateFooterPanel();
  FGrid->SetFixedFooters(ShowsLastRow() ? 1 : 0);
  // The last row is then painted by the footer only.
  FGrid->SetHideLastRow(ShowsLastRow());
  FGrid->RepaintFooter();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value) {
  FFooterStyle = Value;
  if (!FGrid) return;
  FGrid->SetHideLastRow(ShowsLastRow());
  FGrid->Invalidate();
  FGrid->RepaintFooter();
}

void TFloatingFooter::SetColumn(int Value) {
  FColumn = Value;
  if (FGrid) FGrid->RepaintFooter();
}

void TFloatingFooter::SetColor(TColor Value) {
  FColor = Value;
  if (FGrid) FGrid->RepaintFooter();
}

void TFloatingFooter::SetCustomTemplate(const std::string& Value) {
  FCustomTemplate = Value;
  if (FGrid) FGrid->RepaintFooter();
}

// ================================================================ the grid's side

void TGridView::UpdateFooterPanel() {
  if (!FFooterPanel) return;
  const bool visible = FFloatingFooter->GetVisible();
  FFooterPanel->SetAlign(TAlign::alBottom);
  const int h = visible ? std::max(0, FFloatingFooter->Height - 1) : 0;
  FFooterPanel->SetBounds(0, GetClientHeight() - h, GetClientWidth(), h);
  FFooterPanel->SetVisible(visible);
}

std::string TGridView::ExpandFooterTemplate(const std::string& Template) {
  std::string out;
  size_t pos = 0;
  for (;;) {
    const size_t open = Template.find("<#", pos);
    if (open == std::string::npos) {
      out += Template.substr(pos);
      break;
    }
    out += Template.substr(pos, open - pos);
    const size_t close = Template.find('>', open + 2);
    if (close == std::string::npos) {
      out += Template.substr(open);
      break;
    }
    int32_t col = 0;
    if (SysUtils::TryStrToInt(Template.substr(open + 2, close - open - 2), col) && col >= 0 && col < GetColCount() &&
        GetRow() >= 0 && GetRow() < GetRowCount())
      out += GetCells(col, GetRow());
    pos = close + 1;
  }
  return out;
}

// ================================================================ TFooterPanel

TFooterPanel::TFooterPanel(TComponent* AOwner) : TCustomControl(AOwner), FGrid(dynamic_cast<TGridView*>(AOwner)) {
  SetTabStop(false);
  SetVisible(false);
  SetBounds(0, 0, 0, 0);
  if (FGrid) SetParent(FGrid);
  SetAlign(TAlign::alBottom);
}

int TFooterPanel::ColumnsWidth() const {
  int w = 0;
  for (int c = 0; c < FGrid->GetFixedCols(); ++c) w += FGrid->GetColWidths(c);
  for (int c = std::max(FGrid->GetLeftCol(), FGrid->GetFixedCols()); c < FGrid->GetColCount(); ++c)
    w += FGrid->GetColWidths(c);
  return w;
}

void TFooterPanel::Paint() {
  if (!FGrid) return;
  TCanvas& C = *GetCanvas();
  const int W = ColumnsWidth(), h = GetHeight();
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(FGrid->GetColor());
  C.FillRect(TRect(W, 0, GetWidth(), h));
  const TFloatingFooter& f = *FGrid->FloatingFooter();
  switch (f.GetFooterStyle()) {
    case fsFixedLastRow: PaintLastRow(C, W); break;
    case fsColumnPreview: {
      PaintPreviewFrame(C, W);
      const int col = f.GetColumn(), row = FGrid->GetRow();
      if (col < 0 || col >= FGrid->GetColCount() || row < 0 || row >= FGrid->GetRowCount()) break;
      const TSelectionTextColor black(*FGrid, clBlack);
      FGrid->DrawCellBody(C, col, row, TRect(1, 1, W - 1, h - 1), TGridDrawState{});
      break;
    }
    case fsCustomPreview: {
      PaintPreviewFrame(C, W);
      C.Font->Assign(*FGrid->GetFont());
      if (FGrid->ComponentState.Contains(TComponentStateItem::csDesigning)) {
        C.Brush->SetStyle(bsClear);
        C.TextOut(2, 2, f.GetCustomTemplate());
        C.Brush->SetStyle(bsSolid);
        break;
      }
      const TSelectionTextColor black(*FGrid, clBlack);
      FGrid->DrawHtmlText(C, TRect(2, 2, W - 2, h), FGrid->ExpandFooterTemplate(f.GetCustomTemplate()), false,
                          FGrid->GetURLColor());
      break;
    }
  }
}

void TFooterPanel::PaintPreviewFrame(TCanvas& C, int W) {
  const int h = GetHeight();
  C.Brush->SetColor(FGrid->FloatingFooter()->GetColor());
  C.FillRect(TRect(0, 0, W, h));
  C.Pen->SetWidth(1);
  C.Pen->SetColor(clGray);
  Line(C, 0, h - 1, W - 1, h - 1);
  Line(C, W - 1, h - 1, W - 1, -1);
  C.Pen->SetColor(clWhite);
  Line(C, 0, 0, W - 1, 0);
  Line(C, 0, 0, 0, h - 1);
}

void TFooterPanel::PaintLastRow(TCanvas& C, int W) {
  TGridView& g = *FGrid;
  const int h = GetHeight();
  const TColor color = g.FloatingFooter()->GetColor();
  C.Pen->SetColor(color);
  C.Brush->SetColor(color);
  C.Rectangle(0, 0, W, h);
  std::vector<int> cols;
  for (int c = 0; c < g.GetFixedCols(); ++c) cols.push_back(c);
  for (int c = std::max(g.GetLeftCol(), g.GetFixedCols()); c < g.GetColCount(); ++c) cols.push_back(c);
  const TGridOptions opt = g.GetOptions();
  const bool soft = g.GetLook() == glSoft && !g.GetFlat();
  int x = 0;
  for (int c : cols) {
    const int w = g.GetColWidths(c);
    if (opt.Contains(goFixedVertLine) && soft) {
      C.Pen->SetColor(clWhite);
      Line(C, x, h, x, -1);
    }
    x += w;
    if (opt.Contains(goFixedHorzLine) && soft) {
      C.Pen->SetColor(clWhite);
      Line(C, x - w, 0, x - 1, 0);
    }
    if (opt.Contains(goFixedVertLine)) {
      C.Pen->SetColor(clGray);
      Line(C, x - 1, 0, x - 1, h);
    }
  }
  const int row = g.GetRowCount() - 1;
  if (row < 0) return;
  x = 0;
  for (size_t i = 0; i < cols.size(); ++i) {
    const int c = cols[i];
    int right = x + g.GetColWidths(c) - 1;
    if (g.IsMergedCell(c, row) && g.IsBaseCell(c, row)) {
      // The merged block's columns are drawn as one cell.
      const int span = g.CellSpan(c, row).X;
      for (int k = 1; k <= span && i + 1 < cols.size(); ++k) right += g.GetColWidths(cols[++i]);
    }
    const bool fixedCol = c < g.GetFixedCols();
    const TRect r(fixedCol ? x : x + 1, 0, right, h);
    if (!fixedCol && g.CellColors(c, row) != clNone) {
      C.Brush->SetColor(g.CellColors(c, row));
      C.FillRect(r);
    }
    if (g.IsBaseCell(c, row)) g.DrawCellBody(C, c, row, r, TGridDrawState{gdFixed});
    x = right + 1;
  }
}
