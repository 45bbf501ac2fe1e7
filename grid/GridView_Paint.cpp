// Painting of one cell: font, brush and alignment resolved from the grid,
// the cell's properties and the owner's events; the text with its selection
// look, sort and filter glyphs and URL look; the look of fixed cells, borders,
// tree lines and the focus rectangle; and the small paint helpers around it.

#include "grid/GridView.h"

#include "grid/GridUtil.h"
#include "grid/GridXPVS.h"
#include "platform/gdi/DeviceContext.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

namespace {

int TextKindOf(const std::string& Text, bool Html) {
  return Text.empty() ? GridUtil::tkPlain : GridUtil::TextKind(Text, Html);
}

// A darker shade of a colour for the bottom edge of fixed cells.
TColor Darker(TColor C) {
  const TColor c = ColorToRGB(C);
  auto part = [&](int shift) { return static_cast<TColor>(((c >> shift) & 0xFF) * 3 / 4) << shift; };
  return part(0) | part(8) | part(16);
}

void Line(TCanvas& C, int X1, int Y1, int X2, int Y2) {
  C.MoveTo(X1, Y1);
  C.LineTo(X2, Y2);
}

// Lines of a text: ends at CR (an LF after it dropped) or at a lone LF.
std::vector<std::string> TextLines(const std::string& Text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '\r') {
      if (i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else if (Text[i] == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += Text[i];
    }
  }
  return lines;
}

uint32_t HorzFlag(TAlignment A) {
  return A == TAlignment::taRightJustify ? DT_RIGHT : A == TAlignment::taCenter ? DT_CENTER : DT_LEFT;
}

uint32_t VertFlag(TVAlignment V) { return V == vtaCenter ? DT_VCENTER : V == vtaBottom ? DT_BOTTOM : DT_TOP; }

}  // namespace

// ================================================================ style

void TGridView::CellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
  HAlign = TAlignment::taLeftJustify;
  VAlign = FVAlignment;
  if (AutoNumAlign) {
    std::string t = CellText(ACol, ARow);
    if (GridUtil::TextKind(t, EnableHTML) == GridUtil::tkFormula) t = FormulaText(ACol, ARow);
    if (GridUtil::NumberKind(SysUtils::Trim(t)) != GridUtil::nkNone) HAlign = TAlignment::taRightJustify;
  }
  if (const TCellProperties* p = RawCellProperties(ACol, ARow)) HAlign = p->Alignment;
  DoGetAlignment(ARow, ACol, HAlign, VAlign);
}

void TGridView::ResolveCellStyle(int ACol, int ARow, TFont& AFont, TBrush& ABrush, TColor& ColorTo,
                                 TGridDrawState& AState, bool MapColumn, bool AllowSelection, bool Printing,
                                 TAlignment& HAlign, TVAlignment& VAlign) {
  const bool fixedRange = ACol < GetFixedCols() || ARow < GetFixedRows();
  if (Printing && !FPrintSettings->UseDisplayFont)
    AFont.Assign(fixedRange ? *FPrintSettings->GetFixedFont() : *FPrintSettings->GetFont());
  else
    AFont.Assign(fixedRange ? *FFixedFont : *GetFont());
  const int col = MapColumn ? RealColIndex(ACol) : ACol;
  const int selRow =
      FMouseActions->GetDisjunctRowSelect() && FMouseActions->RowSelectPersistent ? AllRowsIndex(ARow) : ARow;
  TColor brush = clNone;
  ColorTo = clNone;
  if (const TCellProperties* p = RawCellProperties(col, ARow)) {
    if (p->GetBrushColor() != clNone) brush = p->GetBrushColor();
    if (p->FontColor != clNone) AFont.SetColor(p->FontColor);
    if (!p->FontStyle.Empty()) AFont.SetStyle(p->FontStyle);
    if (p->FontSize != 0) AFont.SetSize(p->FontSize);
    if (!p->FontName.empty()) AFont.SetName(p->FontName);
    ColorTo = p->GetBrushColorTo();
  }
  if (brush == clNone) {
    brush = GetColor();
    if (FBands->GetActive() && (FBands->Print == Printing || !Printing) && ACol >= GetFixedCols() &&
        ACol < GetColCount() - FFixedRightCols + FHiddenColCount && ARow >= GetFixedRows() &&
        ARow < GetRowCount() - FFixedFooters && FBands->TotalLength() > 0)
      brush = (ARow - GetFixedRows()) % FBands->TotalLength() < FBands->GetPrimaryLength() ? FBands->GetPrimaryColor()
                                                                                           : FBands->GetSecondaryColor();
  }
  ABrush.SetStyle(bsSolid);
  ABrush.SetColor(brush);
  const bool fixed = fixedRange || IsFixedCell(ACol, ARow);
  if (fixed && !Printing) {
    ABrush.SetColor(GetFixedColor());
    AFont.SetColor(FFixedFont->GetColor());
    AState.Include(gdFixed);
  }
  if (Printing) DoGetCellPrintColor(ARow, col, AState, ABrush, AFont);
  else DoGetCellColor(ARow, col, AState, ABrush, AFont);

  auto makeSelected = [&] {
    if (FSelectionColor != clNone) ABrush.SetColor(FSelectionColor);
    if (FSelectionTextColor != clNone) AFont.SetColor(FSelectionTextColor);
    AState.Include(gdSelected);
  };
  const bool normalSel = !fixed && !Printing && AllowSelection && FShowSelection;
  const bool disRow = FMouseActions->GetDisjunctRowSelect(), disCol = FMouseActions->GetDisjunctColSelect();
  if (disRow && normalSel) {
    const bool inSel = RowSelected(selRow);
    if (inSel && !(MouseSelecting && ARow == GetRow())) makeSelected();
    else if (MouseSelecting && AState.Contains(gdSelected)) makeSelected();
  }
  if (disCol && normalSel) {
    const bool inSel = ColSelected(ACol);
    if (inSel && !(MouseSelecting && ACol == GetCol())) makeSelected();
    else if (MouseSelecting && AState.Contains(gdSelected)) makeSelected();
  }
  if (!disRow && !disCol && normalSel) {
    if (IsCellSelected(ACol, ARow) || (MouseSelecting && AState.Contains(gdSelected))) makeSelected();
  }
  if (FMouseActions->GetDisjunctCellSelect() && normalSel && IsDisjunctCellSelected(ACol, ARow)) makeSelected();
  if (FMouseActions->GetDisjunctCellSelect() && normalSel && ACol == GetCol() && ARow == GetRow() &&
      !IsDisjunctCellSelected(ACol, ARow)) {
    AState.Exclude(gdSelected);
    ABrush.SetColor(GetColor());
    AFont.SetColor(GetFont()->GetColor());
  }
  CellAlignment(col, ARow, HAlign, VAlign);
}

void TGridView::CellVisuals(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap, TFont& Font,
                            TColor& GradientTo, TBrush& Brush, bool /*Screen*/, bool SelectedLook, bool Print,
                            TGridDrawState& State) {
  ResolveCellStyle(ACol, ARow, Font, Brush, GradientTo, State, true, SelectedLook || !Print, Print, HAlign, VAlign);
  WordWrap = FWordWrap;
  if (State.Contains(gdSelected) && FSelectionColor == clNone && !IsGridFocused()) Brush.SetColor(clHighlight);
}

// ================================================================ texts

std::string TGridView::FormulaText(int ACol, int ARow) { return CellText(ACol, ARow); }

std::string TGridView::FormattedCellText(int ACol, int ARow) {
  std::string t = CellText(ACol, ARow);
  if (!OnGetFloatFormat || GridUtil::NumberKind(SysUtils::Trim(t)) == GridUtil::nkNone) return t;
  bool isFloat = true;
  std::string fmt = FloatFormat;
  OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
  if (!isFloat) return t;
  try {
    return SysUtils::Format(fmt, {CellFloat(ACol, ARow)});
  } catch (const Exception&) {
    return t;
  }
}

std::string TGridView::ExportCellText(int ACol, int ARow) {
  std::string t = ExportUsesCellText ? CellText(ACol, ARow) : RawCellText(ACol, ARow);
  if (t.empty())
    if (const TCellGraphic* g = CellGraphicOf(ACol, ARow); g && g->CellType == TCellType::ctCheckBox)
      t = g->CellBoolean ? DoGetCheckTrue(ACol, ARow) : DoGetCheckFalse(ACol, ARow);
  if (!ExportKeepsTags) t = StripTags(t);
  return t;
}

void TGridView::StoreCellText(int ACol, int ARow, const std::string& Value) { SetRawCellText(ACol, ARow, Value); }

// ================================================================ the cell

bool TGridView::CellDrawnSelected(int ACol, int ARow, TGridDrawState State) {
  if (State.Contains(gdSelected)) return true;
  if (!FMouseActions->GetDisjunctRowSelect() || !GetOptions().Contains(goRowSelect) || ACol < GetFixedCols())
    return false;
  const int r = FMouseActions->RowSelectPersistent ? AllRowsIndex(ARow) : ARow;
  return r >= 0 && RowSelected(r);
}

void TGridView::DrawCellBody(TCanvas& C, int ACol, int ARow, TRect R, TGridDrawState State) {
  const bool ctl3d = !FFlat;
  const int real = RealColIndex(ACol);
  TColor colorTo = clNone;
  TAlignment ha = TAlignment::taLeftJustify;
  TVAlignment va = vtaTop;
  ResolveCellStyle(ACol, ARow, *C.Font, *C.Brush, colorTo, State, true, false, false, ha, va);
  const TGraphicLayout layout = CellGraphicSize(real, ARow);
  if (State.Contains(gdSelected) && !IsGridFocused() && FSelectionColor == clNone) C.Brush->SetColor(clHighlight);
  if (ZoomFactor != 0) C.Font->SetSize(C.Font->GetSize() + ZoomFactor);

  int indicatorShift = 0;
  if (ACol == 0 && ARow == GetRow() && GetFixedCols() > 0 && !FRowIndicator->GetEmpty()) {
    GridUtil::DrawBitmapOnColor(C, *FRowIndicator, GetFixedColor(),
                                TRect(R.Left, R.Top + (R.Height() - FRowIndicator->GetHeight()) / 2, R.Right, R.Bottom));
    indicatorShift = FRowIndicator->GetWidth();
    R.Left += indicatorShift;
  }
  const TColor savedBrush = C.Brush->GetColor(), savedFont = C.Font->GetColor();
  const bool fixed = State.Contains(gdFixed);
  if (fixed && (FLook == glLumo || FLook == glXP) && ctl3d) {
    GridUtil::FillGradient(C, clWhite, clBtnFace, false, R, 10);
    C.Brush->SetColor(savedBrush);
  }
  const int savedRight = R.Right;
  bool isFixedByOwner = false;
  DoIsFixedCell(ARow, ACol, isFixedByOwner);
  if (!IsFixedCell(ACol, ARow) && FControlLook->GetDropDownAlwaysVisible() && !fixed) {
    TEditorType ed = edNormal;
    DoGetEditorType(real, ARow, ed);
    if (ed == edComboEdit || ed == edComboList) {
      GridUtil::DrawComboButton(C, this, R, FXPTheme);
      C.Refresh();
      R.Right -= 16;
    }
  }
  int textWidth = 0;
  DrawCellContent(C, ACol, real, ARow, R, State, ha, va, layout, textWidth);
  R.Right = savedRight;
  C.Brush->SetColor(savedBrush);
  C.Font->SetColor(savedFont);
  TRect outer(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
  DrawCellBorders(C, ACol, ARow, outer);
  outer.Left -= indicatorShift;
  if (fixed && ctl3d) DrawFixedEdges(C, ACol, real, ARow, outer);
  if (HasNodes() && real == 0 && ARow >= GetFixedRows() && FCellNode->GetShowTree()) DrawTreeLines(C, ARow, R);
  if (layout.Graphic) DrawCellGraphic(C, real, ARow, R, *layout.Graphic, ha, textWidth, CellDrawnSelected(ACol, ARow, State));
  if (OnDrawCell)
    OnDrawCell(this, real, ARow, TRect(R.Left + 1, R.Top + 1, R.Right - GetGridLineWidth(), R.Bottom - GetGridLineWidth()),
               State);
  if (OnCustomCellDraw) OnCustomCellDraw(this, C, real, ARow, State, R, false);
  const TPoint base = BaseCell(ACol, ARow);
  if (!HideFocusRect && base.X == GetCol() && base.Y == GetRow() && IsGridFocused() && !GetOptions().Contains(goRowSelect)) {
    const int g = GetGridLineWidth() - 1;
    TRect f(R.Left - g, R.Top - g, R.Right + g - 1, R.Bottom + g - 1);
    C.Brush->SetColor(clWhite);
    C.Font->SetColor(clBlack);
    C.DrawFocusRect(f);
  }
}

void TGridView::DrawCellContent(TCanvas& C, int ACol, int ARealCol, int ARow, TRect R, TGridDrawState State,
                                TAlignment HAlign, TVAlignment VAlign, const TGraphicLayout& Layout, int& TextWidth) {
  TColor urlColor = FURLColor;
  const bool fixed = State.Contains(gdFixed) || ACol < GetFixedCols() || ARow < GetFixedRows();
  const bool selected = CellDrawnSelected(ACol, ARow, State);
  const bool cellFocused = State.Contains(gdFocused);
  if (selected && (!cellFocused || GetOptions().Contains(goDrawFocusSelected))) {
    if (FShowSelection) {
      if (FSelectionColor != clNone) C.Brush->SetColor(FSelectionColor);
      if (FSelectionTextColor != clNone) C.Font->SetColor(FSelectionTextColor);
      urlColor = FSelectionTextColor;
    }
  }
  std::string text = FormattedCellText(ARealCol, ARow);
  int kind = TextKindOf(text, EnableHTML);
  if (kind == GridUtil::tkFormula) text = FormulaText(ARealCol, ARow);
  int errFrom = 0, errLen = 0;
  CellErrorRange(ARealCol, ARow, errFrom, errLen);
  if (IsPasswordCell(ACol, ARow)) text = std::string(GridUtil::Utf8ToWide(GridUtil::ShownText(text)).size(), '*');
  const bool filterGlyph = ARow == 0 && HasColumnFilterButton(ARealCol);
  if (filterGlyph) {
    GridUtil::DrawResourceBitmap(C, GetFixedColor(), TRect(R.Right - 16, R.Top, R.Right, R.Bottom), "GVFILT");
    C.Refresh();
  }
  if (!fixed && !MouseSelecting &&
      ((FMouseActions->GetDisjunctRowSelect() &&
        !RowSelected(FMouseActions->RowSelectPersistent ? AllRowsIndex(ARow) : ARow)) ||
       (!FMouseActions->GetDisjunctRowSelect() && FMouseActions->GetDisjunctColSelect() && !ColSelected(ACol)))) {
    C.Brush->SetColor(GetColor());
    C.Font->SetColor(GetFont()->GetColor());
    urlColor = FURLColor;
    DoGetCellColor(ARow, ARealCol, State, *C.Brush, *C.Font);
  }
  // Background picture.
  const TBitmap* pic = FBackGround->GetBitmap();
  const TBackGroundCells bc = FBackGround->GetCells();
  if (pic && !pic->GetEmpty() && CellColors(ARealCol, ARow) == clNone &&
      ((fixed && (bc == bcFixed || bc == bcAll)) || (!fixed && (bc == bcNormal || bc == bcAll))) &&
      (!selected || !FShowSelection)) {
    TDeviceContext* dc = C.GetHandle();
    const int lvl = dc->SaveDC();
    dc->IntersectClipRect(R.Left, R.Top, R.Right, R.Bottom);
    C.Refresh();
    if (FBackGround->GetDisplay() == bdFixed) {
      C.Draw(FBackGround->GetLeft(), FBackGround->GetTop(), pic);
    } else {
      const int pw = pic->GetWidth(), ph = pic->GetHeight();
      int sx = 0, sy = 0;
      for (int c = bc == bcNormal ? GetFixedCols() : 0; c < ACol; ++c) sx += GetColWidths(c);
      for (int r = bc == bcNormal ? GetFixedRows() : 0; r < ARow; ++r) sy += GetRowHeights(r);
      for (int y = R.Top - sy % ph; y < R.Bottom; y += ph)
        for (int x = R.Left - sx % pw; x < R.Right; x += pw) C.Draw(x, y, pic);
    }
    C.GetHandle()->RestoreDC(lvl);
    C.Refresh();
  }
  // Selection outline.
  if (FSelectionRectangle) {
    const TGridRect s = GetSelection();
    if (ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom) {
      const TColor brush = C.Brush->GetColor();
      const int g = GetGridLineWidth();
      C.Pen->SetColor(SelectionOutlineColor);
      C.Pen->SetWidth(2);
      const int rightEnd = ACol == s.Right ? R.Right - 1 : R.Right;
      if (ACol == s.Left) Line(C, R.Left - g + 1, R.Bottom, R.Left - g + 1, R.Top - g);
      if (ACol == s.Right) Line(C, R.Right - 1, R.Bottom, R.Right - 1, R.Top - g);
      if (ARow == s.Top) Line(C, R.Left - g, R.Top - g + 1, rightEnd, R.Top - g + 1);
      if (ARow == s.Bottom) Line(C, R.Left - g, R.Bottom - 1, rightEnd, R.Bottom - 1);
      C.Pen->SetWidth(1);
      if (FSelectionResizer && ACol == s.Right && ARow == s.Bottom) {
        C.Brush->SetColor(SelectionOutlineColor);
        C.FillRect(TRect(R.Right - 4, R.Bottom - 4, R.Right, R.Bottom));
      }
      C.Brush->SetColor(brush);
    }
  }
  if (Layout.Graphic && !Layout.TextBeside) return;

  TRect tr(R.Left + FCellMarginX, R.Top + FCellMarginY, R.Right - FCellMarginX, R.Bottom);
  if (Layout.Graphic && HAlign != TAlignment::taCenter) {
    if (Layout.HAlign == haBeforeText) tr.Left += Layout.Width;
    if (Layout.HAlign == haAfterText) tr.Right -= Layout.Width;
  }
  if (Layout.Graphic && Layout.VAlign == vaAboveText) tr.Top += Layout.Height;
  if (Layout.Graphic && Layout.VAlign == vaUnderText) tr.Bottom -= Layout.Height;

  const TSortSettings& ss = *FSortSettings;
  const int idxPos = FSortIndexes->IndexOfColumn(ACol);
  const bool sortCell = ss.Show && ARow == ss.GetRow() && GetFixedRows() > 0 &&
                        (ACol == ss.Column || idxPos >= 0) && (ACol >= GetFixedCols() || ss.FixedCols);
  const bool glyphAllowed = idxPos <= 0 || ss.IndexShow;
  auto glyphY = [&] {
    return VAlign == vtaTop ? R.Top + 8 : VAlign == vtaBottom ? R.Bottom - 8 : (R.Top + R.Bottom) / 2;
  };
  TDeviceContext* dc = C.GetHandle();
  // Rich text shows its raw text until its renderer plugs in.
  if (kind == GridUtil::tkWide) {
    C.Brush->SetStyle(bsSolid);
    if (!(selected && !cellFocused && FSelectionColor == clNone)) {
      C.Pen->SetColor(C.Brush->GetColor());
      C.FillRect(tr);
    }
    uint32_t f = HorzFlag(HAlign) | VertFlag(VAlign) | DT_NOPREFIX;
    f |= FWordWrap || Multilinecells ? DT_WORDBREAK : DT_SINGLELINE | DT_END_ELLIPSIS;
    dc = C.GetHandle();
    dc->SetBkMode(TRANSPARENT);
    TRect r = tr;
    dc->DrawText(GridUtil::ShownText(text), r, f);
    C.Refresh();
    return;
  }
  if (kind == GridUtil::tkRichText) {
    C.Brush->SetStyle(bsSolid);
    if (!(selected && !cellFocused && FSelectionColor == clNone)) {
      C.Pen->SetColor(C.Brush->GetColor());
      C.FillRect(R);
    }
    DrawRichTextCell(ACol, ARow, R, C);
    return;
  }
  if (kind == GridUtil::tkHtml && filterGlyph) tr.Right -= 2;
  if (kind == GridUtil::tkHtml) {
    if (sortCell) tr.Right -= 10;
    const bool pressed = FHtmlButtonCell.X == ACol && FHtmlButtonCell.Y == ARow;
    const int right = DrawHtmlText(C, tr, text, selected, urlColor, pressed ? FHtmlPressPoint : TPoint{-1, -1});
    if (sortCell && glyphAllowed) DrawSortGlyph(C, ACol, right + 2, glyphY());
    return;
  }
  std::string shown = GridUtil::ShownText(text);
  if (sortCell && ss.Show) {
    // Centred text moves right, staying inside its cell.
    if (HAlign == TAlignment::taCenter) tr.Left += 10;
    if (HAlign == TAlignment::taLeftJustify) tr.Right -= 14;
    else tr.Left += 14;
  }
  const bool isUrl = FURLShow && (shown.find("://") != std::string::npos || shown.find("mailto:") != std::string::npos);
  if (isUrl) {
    if (!FURLFull) GridUtil::StripLinkScheme(shown);
    TFontStyles st = C.Font->GetStyle();
    st.Include(TFontStyle::fsUnderline);
    C.Font->SetStyle(st);
    C.Font->SetColor(urlColor);
  }
  if (filterGlyph) tr.Right -= 16;
  const std::vector<std::string> lines = TextLines(shown);
  const bool oneLine = !Multilinecells || lines.size() <= 1;
  uint32_t f = DT_NOPREFIX | DT_EXPANDTABS | HorzFlag(HAlign) | VertFlag(VAlign);
  std::string drawn = shown;
  if (oneLine && !FWordWrap) {
    drawn = lines.front();
    f |= DT_SINGLELINE;
    if (EnhTextSize) f |= DT_END_ELLIPSIS;
  } else if (!Multilinecells) {
    f |= FWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  } else {
    // Several lines: each line ends at CR.
    drawn.clear();
    for (size_t i = 0; i < lines.size(); ++i) drawn += (i ? "\n" : "") + lines[i];
    if (FWordWrap) f |= DT_WORDBREAK;
  }
  C.Brush->SetStyle(bsClear);
  dc = C.GetHandle();
  dc->SetBkMode(TRANSPARENT);
  int measured = C.TextWidth(drawn.substr(0, drawn.find('\n')));
  // A Greek symbol written as a Latin letter in the Symbol face ("ra" for
  // rho-a): only the leading letter is Greek, the rest keeps the Latin face.
  const size_t leadLen = drawn.size() > 1 && std::isalpha(static_cast<unsigned char>(drawn[0])) ? 1 : 0;
  const bool symbolFace = leadLen > 0 && SysUtils::LowerCase(C.Font->GetName()) == "symbol";
  const std::string latinFace = symbolFace ? (fixed ? *FFixedFont : *GetFont()).GetName() : std::string();
  const bool symbolLead = symbolFace && drawn.find('\n') == std::string::npos &&
                          SysUtils::LowerCase(latinFace) != "symbol";
  if (symbolLead) {
    const std::string lead = drawn.substr(0, leadLen), rest = drawn.substr(leadLen);
    const std::string symbolFace = C.Font->GetName();
    const int w1 = C.TextWidth(lead);
    C.Font->SetName(latinFace);
    const int w2 = C.TextWidth(rest);
    measured = w1 + w2;
    const int x = HAlign == TAlignment::taRightJustify ? tr.Right - measured
                  : HAlign == TAlignment::taCenter    ? tr.Left + (tr.Width() - measured) / 2
                                                      : tr.Left;
    const uint32_t part = DT_NOPREFIX | DT_SINGLELINE | DT_LEFT | VertFlag(VAlign);
    C.Font->SetName(symbolFace);
    TRect r1(x, tr.Top, x + w1, tr.Bottom);
    C.GetHandle()->DrawText(lead, r1, part);
    C.Refresh();
    C.Font->SetName(latinFace);
    TRect r2(x + w1, tr.Top, std::max(tr.Right, x + measured), tr.Bottom);
    C.GetHandle()->DrawText(rest, r2, part);
    C.Refresh();
    C.Font->SetName(symbolFace);
  }
  if (Layout.Graphic && !drawn.empty()) TextWidth = measured + 2;
  TRect r = tr;
  if (!symbolLead) dc->DrawText(drawn, r, f);
  C.Refresh();
  if (errLen > 0) GridUtil::UnderlineTextRange(C, drawn, errLen, errFrom, C.TextHeight("gh"), tr);
  C.Brush->SetStyle(bsSolid);
  if (sortCell && glyphAllowed) {
    const int w = std::max(0, std::min(R.Width() - 16, measured));
    const int g = Layout.Graphic && (Layout.HAlign == haLeft ||
                                     (Layout.HAlign == haBeforeText && HAlign == TAlignment::taLeftJustify))
                      ? Layout.Width
                      : 0;
    const int x = HAlign == TAlignment::taLeftJustify  ? R.Left + w + g + 10
                  : HAlign == TAlignment::taRightJustify ? R.Right - w - 10
                                                         : R.Left + 8;
    DrawSortGlyph(C, ACol, x, glyphY());
  }
  if (isUrl) {
    TFontStyles st = C.Font->GetStyle();
    st.Exclude(TFontStyle::fsUnderline);
    C.Font->SetStyle(st);
  }
}

void TGridView::DrawSortGlyph(TCanvas& C, int ACol, int X, int Y) {
  const TSortSettings& ss = *FSortSettings;
  C.Pen->SetWidth(1);
  C.Pen->SetStyle(psSolid);
  if (!ss.IndexShow) {
    const bool descending = ss.Direction == sdDescending;
    if (!ss.GetUpGlyph()->GetEmpty() && !ss.GetDownGlyph()->GetEmpty()) {
      GridUtil::DrawBitmapOnColor(C, descending ? *ss.GetDownGlyph() : *ss.GetUpGlyph(), C.Brush->GetColor(),
                                  TRect(X - 4, Y - 4, X + 60, Y + 60));
      C.Brush->SetColor(GetFixedColor());
      return;
    }
    if (descending) {
      C.Pen->SetColor(clWhite);
      Line(C, X + 4, Y - 4, X, Y + 4);
      C.Pen->SetColor(0x808080);
      C.LineTo(X - 4, Y - 4);
      C.LineTo(X + 4, Y - 4);
    } else {
      C.Pen->SetColor(clWhite);
      Line(C, X - 4, Y + 4, X + 4, Y + 4);
      C.LineTo(X, Y - 4);
      C.Pen->SetColor(0x808080);
      C.LineTo(X - 4, Y + 4);
    }
    return;
  }
  const int k = FSortIndexes->IndexOfColumn(ACol);
  if (k < 0) return;
  const bool ascending = TSortIndexList::IsAscending(FSortIndexes->Get(k));
  const TColor back = C.Brush->GetColor();
  C.Brush->SetColor(ss.IndexColor);
  C.Pen->SetColor(clBlack);
  if (!ascending) {
    if (!ss.GetIndexUpGlyph()->GetEmpty() && !ss.GetIndexDownGlyph()->GetEmpty())
      GridUtil::DrawBitmapOnColor(C, *ss.GetIndexUpGlyph(), back, TRect(X - 7, Y - 7, X + 60, Y + 60));
    else
      C.Polygon({{X - 7, Y - 5}, {X + 7, Y - 5}, {X, Y + 8}});
  } else {
    if (!ss.GetIndexUpGlyph()->GetEmpty() && !ss.GetIndexDownGlyph()->GetEmpty())
      GridUtil::DrawBitmapOnColor(C, *ss.GetIndexDownGlyph(), back, TRect(X - 7, Y - 7, X + 60, Y + 60));
    else
      C.Polygon({{X - 6, Y + 8}, {X + 6, Y + 8}, {X, Y - 4}});
  }
  TFont saved;
  saved.Assign(*C.Font);
  C.Font->SetColor(clBlack);
  C.Font->SetSize(6);
  C.Brush->SetStyle(bsClear);
  C.TextOut(X - 2, ascending ? Y - 2 : Y - 4, std::to_string(k + 1));
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(back);
  C.Font->Assign(saved);
}

void TGridView::DrawCellBorders(TCanvas& C, int ACol, int ARow, TRect R) {
  TPen saved;
  saved.Assign(*C.Pen);
  TCellBorders borders;
  DoGetCellBorder(ARow, ACol, *C.Pen, borders);
  if (borders.Empty() && !OnGetCellBorderProp) {
    C.Pen->Assign(saved);
    return;
  }
  TPen left, top, right, bottom;
  left.Assign(*C.Pen);
  top.Assign(*C.Pen);
  right.Assign(*C.Pen);
  bottom.Assign(*C.Pen);
  if (OnGetCellBorderProp) OnGetCellBorderProp(this, ARow, ACol, left, top, right, bottom);
  const int half = (C.Pen->GetWidth() + 1) / 2;
  if (GetOptions().Contains(goVertLine)) {
    R.Left += half;
    R.Right -= half;
  }
  if (GetOptions().Contains(goHorzLine)) {
    R.Top += half;
    R.Bottom -= half;
  }
  if (borders.Contains(cbLeft)) {
    C.Pen->Assign(left);
    Line(C, R.Left - 1, R.Top, R.Left - 1, R.Bottom);
  }
  if (borders.Contains(cbRight)) {
    C.Pen->Assign(right);
    Line(C, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
  }
  if (borders.Contains(cbTop)) {
    C.Pen->Assign(top);
    Line(C, R.Left, R.Top, R.Right, R.Top);
  }
  if (borders.Contains(cbBottom)) {
    C.Pen->Assign(bottom);
    Line(C, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
  }
  C.Pen->Assign(saved);
}

void TGridView::DrawFixedEdges(TCanvas& C, int ACol, int ARealCol, int ARow, TRect R) {
  C.Pen->SetWidth(1);
  C.Pen->SetStyle(psSolid);
  // A fixed cell pressed as a button shows sunken inner edges until the button comes up.
  if (FPressedFixed.X == ACol && FPressedFixed.Y == ARow) {
    C.Pen->SetColor(clGray);
    Line(C, R.Left, R.Bottom - 1, R.Left, R.Top);
    C.LineTo(R.Right - 1, R.Top);
    C.Pen->SetColor(clWhite);
    Line(C, R.Right - 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    C.LineTo(R.Left, R.Bottom - 1);
    return;
  }
  switch (FLook) {
    case glClassic: {
      TRect e = R;
      C.GetHandle()->DrawEdge(e, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
      e = R;
      C.GetHandle()->DrawEdge(e, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
      C.Refresh();
      C.Pen->SetColor(clBlack);
      Line(C, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
      C.LineTo(R.Left - 1, R.Bottom - 1);
      break;
    }
    case glLumo:
    case glXP:
    case glSoft: {
      TRect e(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom);
      const bool horz = FLook != glSoft || GetOptions().Contains(goFixedHorzLine);
      if (horz) {
        C.Pen->SetColor(Darker(GetFixedColor()));
        Line(C, e.Left, e.Bottom - 1, e.Right - 1, e.Bottom - 1);
        C.Pen->SetColor(clWhite);
        Line(C, e.Right, e.Top + 1, e.Left + 1, e.Top + 1);
        C.LineTo(e.Left + 1, e.Bottom - 1);
      }
      if (FLook == glSoft && GetOptions().Contains(goFixedVertLine)) {
        C.Pen->SetColor(Darker(GetFixedColor()));
        Line(C, e.Right - 2, e.Top, e.Right - 2, e.Bottom - 1);
        C.Pen->SetColor(clWhite);
        Line(C, e.Right - 1, e.Top, e.Right - 1, e.Bottom - 1);
      }
      break;
    }
    case glStandard: break;
  }
  if (ARealCol >= AllColCount() - FFixedRightCols && FLook != glClassic && FFlat) {
    C.Pen->SetColor(clBlack);
    if (GetOptions().Contains(goFixedHorzLine)) {
      Line(C, R.Left - 1, R.Top - 1, R.Right + 1, R.Top - 1);
      Line(C, R.Left - 1, R.Bottom, R.Right + 1, R.Bottom);
    }
    if (GetOptions().Contains(goFixedVertLine)) {
      Line(C, R.Left - 1, R.Top - 1, R.Left - 1, R.Bottom + 1);
      Line(C, R.Right, R.Top - 1, R.Right, R.Bottom + 1);
    }
  }
}

void TGridView::DrawTreeLines(TCanvas& C, int ARow, const TRect& R) {
  const int indent = FCellNode->GetNodeIndent();
  const int x0 = R.Left - indent / 2, ym = (R.Top + R.Bottom) / 2;
  const int level = RowNodeLevel(ARow);
  C.Pen->SetColor(clSilver);
  C.Pen->SetWidth(1);
  if (level > 0) Line(C, x0, ym, R.Right, ym);
  const int kind = RowTreeLineKind(ARow);
  Line(C, x0, R.Top, x0, kind == 1 ? ym : R.Bottom + 4);
  for (int k = 1; k <= level; ++k) Line(C, x0 - k * indent, R.Top, x0 - k * indent, R.Bottom + 4);
  C.Pen->SetStyle(psSolid);
}

// ================================================================ measuring

TSize TGridView::CellTextSize(int ACol, int ARow, bool WrapInColumn) {
  TCanvas& C = *GetCanvas();
  TColor colorTo = clNone;
  TGridDrawState st;
  TAlignment ha;
  TVAlignment va;
  TBrush brush;
  ResolveCellStyle(ACol, ARow, *C.Font, brush, colorTo, st, false, false, false, ha, va);
  std::string text = CellText(ACol, ARow);
  const int kind = TextKindOf(text, EnableHTML);
  if (kind == GridUtil::tkFormula) text = FormulaText(ACol, ARow);
  TSize s{0, 0};
  if (kind == GridUtil::tkRichText) {
    s = RichCellSize(ACol, ARow);
  } else if (kind == GridUtil::tkWide) {
    TRect r(0, 0, FWordWrap || Multilinecells ? std::max(1, GetColWidths(ACol)) : 65535, 65535);
    C.GetHandle()->DrawText(GridUtil::ShownText(text), r,
                            DT_CALCRECT | DT_NOPREFIX | (FWordWrap || Multilinecells ? DT_WORDBREAK : DT_SINGLELINE));
    s = TSize{r.Width() + 2 * FCellMarginX, r.Height()};
  } else if (kind == GridUtil::tkHtml) {
    const TSize m = HtmlTextSize(C, text, WrapInColumn ? GetColWidths(ACol) - 4 : 65535);
    s = TSize{m.cx + 2 * FCellMarginX + 2, m.cy + 2 * FCellMarginY + 2};
  } else if (WrapInColumn) {
    const TRect cell = TBaseGrid::PlainCellRect(ACol, ARow);
    TRect r(0, 0, std::max(1, cell.Width() - 2 * FCellMarginX - 2), 65535);
    std::string t = text;
    if (ACol == GetCol() && ARow == GetRow() && GetEditorMode() && !t.empty() && t.back() == '\n') t += "w";
    C.GetHandle()->DrawText(t, r, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
    s = TSize{r.Width() + 2 * FCellMarginX, r.Height() + 2 * FCellMarginY};
  } else {
    std::string t = GridUtil::ShownText(text);
    if (FURLShow && !FURLFull) GridUtil::StripLinkScheme(t);
    const std::vector<std::string> lines = TextLines(t);
    int w = 0;
    for (const auto& l : lines) w = std::max(w, C.TextWidth(l) + 2 * FCellMarginX);
    s = TSize{w, static_cast<int>(lines.size()) * C.TextHeight("gh") + 2 * FCellMarginY};
  }
  int angle = 0;
  if (CellRotation(ACol, ARow, angle)) {
    const double a = angle * std::numbers::pi / 180.0;
    const int W = s.cx, H = s.cy;
    const long sH = std::lround(std::sin(a) * H), cW = std::lround(std::cos(a) * W);
    const long cH = std::lround(std::cos(a) * H), sW = std::lround(std::sin(a) * W);
    s = TSize{static_cast<int>(std::labs(sH - cW) + 12), static_cast<int>(std::labs(cH - sW) + 12)};
  }
  return s;
}

// ================================================================ paint helpers

void TGridView::Paint() {
  if (FUpdateCount > 0) return;
  ++FPaintCount;
  TCanvas& C = *GetCanvas();
  C.Pen->SetStyle(psSolid);
  TBaseGrid::Paint();
  if (EditPending) {
    const TRect r = TBaseGrid::CellRect(GetCol(), GetRow());
    const bool noLines = GetGridLineWidth() < 1 ||
                         (!GetOptions().Contains(goVertLine) && !GetOptions().Contains(goHorzLine));
    C.Pen->SetColor(noLines ? GetColor() : GetGridLineColor());
    if (!r.IsEmpty()) C.Rectangle(r);
  }
  if (FPanning && IntelliPan != ipNone) {
    const char* glyph = IntelliPan == ipBoth ? "INTLI1" : IntelliPan == ipHorizontal ? "INTLI2" : "INTLI3";
    GridUtil::DrawResourceBitmap(C, clWhite, TRect(FPanOrigin.X, FPanOrigin.Y, FPanOrigin.X + 26, FPanOrigin.Y + 26),
                                 glyph);
    C.Refresh();
  }
  C.Pen->SetColor(clBlack);
}

void TGridView::DrawFlatBorder() {
  if (!(FLook == glSoft || FLook == glLumo || FLook == glXP) || FFlat || FUpdateCount > 0) return;
  TCanvas& C = *GetCanvas();
  const int w = GetWidth(), h = GetHeight();
  C.Pen->SetColor(0x808080);
  C.Pen->SetWidth(1);
  Line(C, 1, h, 1, 1);
  C.LineTo(w - 2, 1);
  C.LineTo(w - 2, h - 2);
  C.LineTo(1, h - 2);
  if (GetParent()) {
    C.Pen->SetColor(GetParent()->GetColor());
    Line(C, 0, h, 0, 0);
    C.LineTo(w - 1, 0);
    C.LineTo(w - 1, h - 1);
    C.LineTo(0, h - 1);
  }
}

void TGridView::DrawSizingLine(int X) {
  TCanvas& C = *GetCanvas();
  int bottom = GetHeight();
  const int last = GetRowCount() - 1;
  const TRect r = TBaseGrid::CellRect(0, last);
  if (!r.IsEmpty()) bottom = std::max(bottom, r.Bottom);
  C.Pen->SetColor(clWhite);
  C.Pen->SetStyle(psDot);
  C.Pen->SetMode(pmXor);
  C.Pen->SetWidth(1);
  Line(C, X, 0, X, bottom);
  C.Pen->SetMode(pmCopy);
  C.Pen->SetStyle(psSolid);
}
