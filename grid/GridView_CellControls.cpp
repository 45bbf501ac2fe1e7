// Cell graphics as the last stage of cell painting: their sizes and places in
// the cell, the small controls drawn in cells (check boxes, radio groups,
// push buttons, nodes, progress bars) and the grid's own pictures, which are
// drawn here in code and registered by name when the program starts.

#include "grid/GridView.h"

#include "grid/GridUtil.h"
#include "grid/GridXPVS.h"
#include "platform/gdi/DeviceContext.h"

#include <QApplication>

#include <algorithm>
#include <cmath>

namespace GridView {

std::function<void()> BeepHook;

void Beep() {
  if (BeepHook) BeepHook();
  else QApplication::beep();
}

}  // namespace GridView

namespace {

// The transparent key of the pictures: their pixel (0, 0) has it.
constexpr TColor kKey = 0xFF00FF;

std::unique_ptr<TBitmap> KeyedBitmap(int W, int H) {
  auto b = std::make_unique<TBitmap>(W, H);
  b->SetPixelFormat(pf24bit);
  TCanvas& c = *b->GetCanvas();
  c.Brush->SetColor(kKey);
  c.FillRect(TRect(0, 0, W, H));
  return b;
}

void Line(TCanvas& C, TColor Color, int X1, int Y1, int X2, int Y2) {
  C.Pen->SetColor(Color);
  C.Pen->SetWidth(1);
  C.Pen->SetStyle(psSolid);
  C.MoveTo(X1, Y1);
  C.LineTo(X2, Y2);
}

// A check box of 13 x 13 at (1, 1) of a 15 x 15 picture. XP look: a blue
// frame over a light gradient with a green tick; the plain look: a grey
// frame, white inside, black tick. Disabled boxes are grey.
std::unique_ptr<TBitmap> CheckBoxPicture(bool XP, bool Checked, bool Enabled) {
  auto b = KeyedBitmap(15, 15);
  TCanvas& c = *b->GetCanvas();
  const TColor frame = !Enabled ? 0xB5B2B2 : XP ? 0x80511C : 0x808080;
  const TColor inside = !Enabled ? 0xF0F0F0 : clWhite;
  if (XP && Enabled) GridUtil::FillGradient(c, 0xE2DCDC, clWhite, false, TRect(2, 2, 13, 13), 11);
  else {
    c.Brush->SetColor(inside);
    c.FillRect(TRect(2, 2, 13, 13));
  }
  c.Brush->SetColor(frame);
  c.FrameRect(TRect(1, 1, 14, 14));
  if (Checked) {
    const TColor tick = !Enabled ? 0xB5B2B2 : XP ? 0x21A121 : clBlack;
    for (int d = 0; d < 3; ++d) {
      Line(c, tick, 4, 6 + d, 6, 8 + d);
      Line(c, tick, 6, 8 + d, 11, 3 + d);
    }
  }
  return b;
}

// A radio button of 16 x 16: a round frame and, when on, a dot.
std::unique_ptr<TBitmap> RadioPicture(bool XP, bool On, bool Enabled) {
  auto b = KeyedBitmap(16, 16);
  TCanvas& c = *b->GetCanvas();
  const TColor frame = !Enabled ? 0xB5B2B2 : XP ? 0x80511C : 0x808080;
  c.Pen->SetColor(frame);
  c.Brush->SetColor(Enabled ? clWhite : 0xF0F0F0);
  c.Ellipse(TRect(2, 2, 15, 15));
  if (On) {
    const TColor dot = !Enabled ? 0xB5B2B2 : XP ? 0x21A121 : clBlack;
    c.Pen->SetColor(dot);
    c.Brush->SetColor(dot);
    c.Ellipse(TRect(6, 6, 11, 11));
  }
  return b;
}

// A node box of 9 x 9 at (1, 1) with a minus and, when collapsed, a plus stroke.
std::unique_ptr<TBitmap> NodePicture(bool XP, bool Collapsed) {
  auto b = KeyedBitmap(11, 11);
  TCanvas& c = *b->GetCanvas();
  if (XP) GridUtil::FillGradient(c, clWhite, 0xC6D3D6, false, TRect(2, 2, 9, 9), 7);
  else {
    c.Brush->SetColor(clWhite);
    c.FillRect(TRect(2, 2, 9, 9));
  }
  c.Brush->SetColor(XP ? 0x99A8AC : 0x808080);
  c.FrameRect(TRect(1, 1, 10, 10));
  Line(c, clBlack, 3, 5, 8, 5);
  if (Collapsed) Line(c, clBlack, 5, 3, 5, 8);
  return b;
}

// A funnel of 16 x 16: the filter glyph of header cells.
std::unique_ptr<TBitmap> FilterPicture() {
  auto b = KeyedBitmap(16, 16);
  TCanvas& c = *b->GetCanvas();
  for (int y = 0; y < 5; ++y) Line(c, clBlack, 3 + y, 4 + y, 13 - y, 4 + y);
  for (int y = 9; y < 13; ++y) Line(c, clBlack, 7, y, 9, y);
  return b;
}

}  // namespace

void GridView::RegisterGridBitmaps() {
  using GridUtil::RegisterResourceBitmap;
  for (int i = 0; i < 8; ++i) {
    // 01..04 the plain look, 05..08 the XP look: checked, unchecked, then both disabled.
    const bool xp = i >= 4, on = i % 2 == 0, enabled = i % 4 < 2;
    const std::string n = "0" + std::to_string(i + 1);
    RegisterResourceBitmap("GVCHK" + n, [=] { return CheckBoxPicture(xp, on, enabled); });
    RegisterResourceBitmap("GVRAD" + n, [=] { return RadioPicture(xp, on, enabled); });
  }
  RegisterResourceBitmap("GVLEAFOPEN", [] { return NodePicture(false, false); });
  RegisterResourceBitmap("GVLEAFCLOSE", [] { return NodePicture(false, true); });
  RegisterResourceBitmap("XPNODEO", [] { return NodePicture(true, false); });
  RegisterResourceBitmap("XPNODEC", [] { return NodePicture(true, true); });
  RegisterResourceBitmap("GVFILT", [] { return FilterPicture(); });
}

namespace {

[[maybe_unused]] const bool kBitmapsRegistered = (GridView::RegisterGridBitmaps(), true);

bool IsCheckType(TCellType T) {
  return T == TCellType::ctCheckBox || T == TCellType::ctDataCheckBox || T == TCellType::ctVirtCheckBox;
}

// Draws a registered picture with its key colour showing Background.
void DrawPicture(TCanvas& C, int X, int Y, const std::string& Name, TColor Background) {
  GridUtil::DrawResourceBitmap(C, Background, TRect(X, Y, X + 64, Y + 64), Name);
}

}  // namespace

// ================================================================ sizes and places

bool TGridView::CellCanEdit(int ACol, int ARow) {
  bool can = true;
  DoCanEditCell(ARow, ACol, can);
  return can;
}

TGridView::TGraphicLayout TGridView::CellGraphicSize(int ACol, int ARow) {
  TGraphicLayout L;
  TCellGraphic* g = CellGraphicOf(ACol, ARow);
  if (!g) return L;
  L.Graphic = g;
  L.HAlign = g->CellHAlign;
  L.VAlign = g->CellVAlign;
  const int check = FControlLook->GetCheckSize();
  switch (g->CellType) {
    case TCellType::ctBitmap:
      if (g->CellImage) L.Width = g->CellImage->GetWidth(), L.Height = g->CellImage->GetHeight();
      break;
    case TCellType::ctIcon:
      if (g->CellIcon) L.Width = g->CellIcon->GetWidth(), L.Height = g->CellIcon->GetHeight();
      break;
    case TCellType::ctImageList:
      if (FGridImages) L.Width = FGridImages->GetWidth(), L.Height = FGridImages->GetHeight();
      break;
    case TCellType::ctDataImage:
      if (FGridImages) {
        L.Width = FGridImages->GetWidth();
        L.Height = FGridImages->GetHeight();
        L.TextBeside = false;
      }
      break;
    case TCellType::ctCheckBox: L.Width = L.Height = check; break;
    case TCellType::ctDataCheckBox:
    case TCellType::ctVirtCheckBox:
      L.Width = L.Height = check;
      L.TextBeside = false;
      break;
    case TCellType::ctRotated:
    case TCellType::ctRadio:
    case TCellType::ctProgress: L.TextBeside = false; break;
    case TCellType::ctImages:
      if (auto* list = dynamic_cast<TIntList*>(g->CellObject); list && FGridImages) {
        const int n = list->Count();
        L.Width = g->CellBoolean ? n * FGridImages->GetWidth() : FGridImages->GetWidth();
        L.Height = g->CellBoolean ? FGridImages->GetHeight() : n * FGridImages->GetHeight();
      }
      break;
    case TCellType::ctPicture:
    case TCellType::ctFilePicture: {
      const TSize s = GraphicSize(ACol, ARow);
      L.Width = s.cx;
      L.Height = s.cy;
      break;
    }
    case TCellType::ctButton:
    case TCellType::ctBitButton: {
      const auto packed = static_cast<uint32_t>(g->CellIndex);
      L.Width = static_cast<int>(packed & 0xFFFF);
      L.Height = static_cast<int>(packed >> 16);
      break;
    }
    case TCellType::ctProgressPie: L.Width = L.Height = 20; break;
    default: break;
  }
  return L;
}

TPoint TGridView::PlaceGraphic(const TRect& R, const TCellGraphic& G, int W, int H, TAlignment TextAlign,
                               int TextWidth) {
  const int T = TextWidth > 0 ? TextWidth + 2 : 0;
  int x = R.Left + 1, y = R.Top + 1;
  if (IsCheckType(G.CellType)) {
    // Check boxes follow the text's alignment.
    switch (TextAlign) {
      case TAlignment::taLeftJustify: x = R.Left + 1; break;
      case TAlignment::taRightJustify:
        x = G.CellType == TCellType::ctCheckBox && TextWidth > 0 ? R.Right - T - 1 - W : R.Right - 1 - W;
        break;
      case TAlignment::taCenter:
        x = G.CellType == TCellType::ctCheckBox && TextWidth > 0 ? R.Left + std::max(0, R.Width() - T) / 2 - W
                                                                 : R.Left + (R.Width() - W) / 2;
        break;
    }
    x = std::max(x, R.Left + 1);
  } else {
    switch (G.CellHAlign) {
      case haLeft:
      case haFull: x = R.Left + 1; break;
      case haRight: x = R.Right - 1 - W; break;
      case haCenter: x = W < R.Width() ? R.Left + (R.Width() - W) / 2 : R.Left + 1; break;
      case haBeforeText:
        x = TextAlign == TAlignment::taRightJustify ? std::max(R.Left + 1, R.Right - T - W) : R.Left + 1;
        break;
      case haAfterText: x = TextAlign == TAlignment::taRightJustify ? R.Right - 1 - W : R.Left + T; break;
    }
  }
  switch (G.CellVAlign) {
    case vaBottom: y = R.Bottom - 1 - H; break;
    case vaCenter: y = H < R.Height() ? R.Top + (R.Height() - H) / 2 : R.Top + 1; break;
    case vaUnderText: y = R.Bottom - H; break;
    case vaFull: y = R.Top; break;
    case vaTop:
    case vaAboveText: y = R.Top + 1; break;
  }
  return TPoint{x, y};
}

// ================================================================ control painters

void TGridView::DrawCheckBox(TCanvas& C, const TRect& R, bool Checked, bool Enabled, TControlStyle Style) {
  const int s = FControlLook->GetCheckSize();
  const TColor back = C.Brush->GetColor();
  switch (Style) {
    case csClassic:
    case csFlat: {
      TRect box(R.Left + (R.Width() - s) / 2, R.Top + (R.Height() - s) / 2, 0, 0);
      box.Right = box.Left + s;
      box.Bottom = box.Top + s;
      uint32_t state = DFCS_BUTTONCHECK;
      if (Checked) state |= DFCS_CHECKED;
      if (Style == csFlat) state |= DFCS_FLAT;
      if (!Enabled) state |= DFCS_INACTIVE;
      C.GetHandle()->DrawFrameControl(box, DFC_BUTTON, state);
      C.Refresh();
      break;
    }
    case csWinXP:
    case csLumo: {
      const int base = Style == csWinXP ? 5 : 1;
      const int n = base + (Checked ? 0 : 1) + (Enabled ? 0 : 2);
      DrawPicture(C, R.Left, R.Top, "GVCHK0" + std::to_string(n), back);
      break;
    }
    case csOstrel: {
      const TRect box(R.Left, R.Top, R.Left + s, R.Top + s);
      C.Brush->SetColor(Enabled ? clBtnFace : clBtnShadow);
      C.FillRect(box);
      Line(C, clBtnHighlight, box.Left, box.Bottom - 1, box.Left, box.Top);
      Line(C, clBtnHighlight, box.Left, box.Top, box.Right - 1, box.Top);
      Line(C, clBtnShadow, box.Right - 1, box.Top, box.Right - 1, box.Bottom - 1);
      Line(C, clBtnShadow, box.Right - 1, box.Bottom - 1, box.Left - 1, box.Bottom - 1);
      if (Checked) {
        const TColor tick = Enabled ? FControlLook->GetColor() : TColor(0x808080);
        const int m = box.Top + s / 2, l = box.Left, t = box.Top, rt = box.Right, b = box.Bottom;
        Line(C, tick, l + 2, m, l + 2, b - 2);
        Line(C, tick, l + 3, m - 1, l + 3, b - 3);
        Line(C, tick, l + 2, b - 2, rt - 2, t + 2);
        Line(C, tick, l + 3, b - 2, rt - 1, t + 2);
      }
      C.Brush->SetColor(back);
      break;
    }
    case csGlyph: {
      const TBitmap* glyph = Checked ? FControlLook->GetCheckedGlyph() : FControlLook->GetUnCheckedGlyph();
      if (glyph && !glyph->GetEmpty()) GridUtil::DrawBitmapOnColor(C, *glyph, back, R);
      break;
    }
    case csTheme: {
      if (!GridXPVS::UseThemes()) break;
      const int state = Checked ? (Enabled ? 5 : 8) : (Enabled ? 1 : 4);
      const GridXPVS::HTHEME theme = GridXPVS::OpenThemeData(this, "button");
      GridXPVS::DrawThemeBackground(theme, C, 3, state, TRect(R.Left, R.Top, R.Left + s, R.Top + s), nullptr);
      GridXPVS::CloseThemeData(theme);
      break;
    }
  }
}

void TGridView::DrawRadioGroup(TCanvas& C, const TRect& R, int Count, int Selected, TStrings* Items, bool Disabled,
                               bool Horizontal, const std::string& CellTextValue, bool SelectedCell) {
  const TControlStyle style = FControlLook->GetControlStyle();
  const bool classic = style == csClassic || style == csFlat;
  const int s = classic ? FControlLook->GetRadioSize() : 16;
  const TColor back = C.Brush->GetColor();
  auto itemText = [&](int i) { return Items && i < Items->Count() ? Items->Get(i) : std::string(); };
  auto isOn = [&](int i) { return i == Selected || (Selected == -1 && itemText(i) == CellTextValue); };
  C.Brush->SetStyle(bsClear);
  if (SelectedCell && FShowSelection) C.Font->SetColor(FSelectionTextColor);
  auto drawBox = [&](int x, int y, bool on) {
    switch (style) {
      case csClassic:
      case csFlat: {
        const int size = style == csFlat ? s + 2 : s;
        TRect box(x, y, x + size, y + size);
        uint32_t st = DFCS_BUTTONRADIO;
        if (style == csFlat) st |= DFCS_FLAT;
        if (Disabled) st |= DFCS_INACTIVE;
        if (on) st |= DFCS_CHECKED;
        C.GetHandle()->DrawFrameControl(box, DFC_BUTTON, st);
        C.Refresh();
        break;
      }
      case csOstrel: {
        C.Brush->SetStyle(bsSolid);
        C.Brush->SetColor(clBtnFace);
        C.Pen->SetColor(clBtnFace);
        C.Polygon({{x + 2, y + 8}, {x + 8, y + 2}, {x + 14, y + 8}, {x + 8, y + 14}});
        const TColor left = on ? clGray : clWhite, right = on ? clWhite : clGray;
        Line(C, left, x + 2, y + 8, x + 8, y + 2);
        Line(C, left, x + 2, y + 8, x + 8, y + 14);
        Line(C, right, x + 8, y + 2, x + 14, y + 8);
        Line(C, right, x + 8, y + 14, x + 14, y + 8);
        if (on) {
          C.Brush->SetColor(FControlLook->GetColor());
          C.Pen->SetColor(FControlLook->GetColor());
          C.Polygon({{x + 6, y + 8}, {x + 8, y + 6}, {x + 10, y + 8}, {x + 8, y + 10}});
        }
        C.Brush->SetStyle(bsClear);
        break;
      }
      case csTheme: {
        if (!GridXPVS::UseThemes()) break;
        const int state = on ? (Disabled ? 8 : 5) : (Disabled ? 4 : 1);
        const GridXPVS::HTHEME theme = GridXPVS::OpenThemeData(this, "button");
        GridXPVS::DrawThemeBackground(theme, C, 2, state, TRect(x, y, x + 16, y + 16), nullptr);
        GridXPVS::CloseThemeData(theme);
        break;
      }
      case csWinXP:
      case csLumo: {
        const int n = (style == csWinXP ? 5 : 1) + (on ? 0 : 1) + (Disabled ? 2 : 0);
        DrawPicture(C, x, y, "GVRAD0" + std::to_string(n), back);
        break;
      }
      case csGlyph: {
        const TBitmap* g = on ? FControlLook->GetRadioOnGlyph() : FControlLook->GetRadioOffGlyph();
        if (g && !g->GetEmpty()) GridUtil::DrawBitmapOnColor(C, *g, back, TRect(x, y, x + s, y + s));
        break;
      }
    }
    C.Brush->SetStyle(bsClear);
  };
  if (Horizontal) {
    int textSum = 0;
    for (int i = 0; i < Count; ++i) {
      const int x = R.Left + 2 + textSum + i * s, y = R.Top + (R.Height() - s) / 2;
      drawBox(x, y, isOn(i));
      const std::string t = itemText(i);
      C.TextOut(x + s, y - 2, t);
      textSum += C.TextWidth(t);
    }
  } else {
    const int th = C.TextHeight("gh");
    const int L = classic ? th : std::max(16, th);
    for (int i = 0; i < Count; ++i) {
      const std::string t = itemText(i);
      if (!t.empty()) {
        drawBox(R.Left + 2, R.Top + i * L + 2, isOn(i));
        C.TextOut(classic ? R.Left + 2 + s + 4 : R.Left + 20, R.Top + i * L, t);
      } else {
        drawBox(R.Left + (R.Width() - s) / 2, R.Top + i * L + 2, isOn(i));
      }
    }
  }
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(back);
}

// ================================================================ drawing a graphic

void TGridView::DrawCellGraphic(TCanvas& C, int ACol, int ARow, const TRect& R, TCellGraphic& G,
                                TAlignment TextAlign, int TextWidth, bool Selected) {
  const TGraphicLayout L = CellGraphicSize(ACol, ARow);
  int w = L.Width, h = L.Height;
  if (G.CellHAlign == haFull) w = R.Width();
  if (G.CellVAlign == vaFull) h = R.Height();
  const TPoint at = PlaceGraphic(R, G, w, h, TextAlign, TextWidth);
  const int dcol = DisplayedColIndex(ACol);
  const TColor back = C.Brush->GetColor();
  switch (G.CellType) {
    case TCellType::ctBitmap: {
      const auto* bmp = dynamic_cast<const TBitmap*>(G.CellImage);
      if (!G.CellImage) break;
      if (G.CellTransparent && bmp) {
        const bool unfocusedSel = Selected && !IsGridFocused();
        GridUtil::DrawBitmapOnColor(C, *bmp, unfocusedSel ? FSelectionColor : back,
                                    TRect(at.X, at.Y, at.X + w, at.Y + h));
      } else {
        C.Draw(at.X, at.Y, G.CellImage);
      }
      break;
    }
    case TCellType::ctIcon:
      if (G.CellIcon) C.Draw(at.X, at.Y, G.CellIcon);
      break;
    case TCellType::ctImageList:
      if (FGridImages && G.CellIndex >= 0 && G.CellIndex < FGridImages->Count())
        FGridImages->Draw(&C, at.X, at.Y, G.CellIndex, true);
      break;
    case TCellType::ctDataImage: {
      if (!FGridImages) break;
      int v = 0;
      try {
        v = CellInt(ACol, ARow);
      } catch (const Exception&) {
        break;
      }
      const int idx = v + G.CellIndex;
      if (idx >= 0 && idx < FGridImages->Count()) FGridImages->Draw(&C, at.X, at.Y, idx, true);
      break;
    }
    case TCellType::ctCheckBox:
    case TCellType::ctDataCheckBox:
    case TCellType::ctVirtCheckBox: {
      const bool enabled = CellCanEdit(ACol, ARow);
      const bool checked = G.CellType == TCellType::ctCheckBox ? G.CellBoolean
                                                               : CellText(ACol, ARow) == DoGetCheckTrue(ACol, ARow);
      DrawCheckBox(C, TRect(at.X, at.Y, at.X + w, at.Y + h), checked, enabled, FControlLook->GetControlStyle());
      break;
    }
    case TCellType::ctRotated: {
      TFont saved;
      saved.Assign(*C.Font);
      C.Font->SetOrientation(G.CellAngle * 10);
      TAlignment ha = TAlignment::taLeftJustify;
      TVAlignment va = vtaTop;
      CellAlignment(ACol, ARow, ha, va);
      TRect r = R;
      const std::string text = CellText(ACol, ARow);
      RotatedTextOrigin(C, r, G.CellAngle, ha, va, text);
      TDeviceContext* dc = C.GetHandle();
      const int lvl = dc->SaveDC();
      dc->IntersectClipRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
      dc->SetTextAlign(0);
      dc->SetBkMode(TRANSPARENT);
      C.Refresh();
      C.Brush->SetStyle(bsClear);
      C.TextOut(r.Left, r.Top, GridUtil::ShownText(text));
      C.Brush->SetStyle(bsSolid);
      C.GetHandle()->RestoreDC(lvl);
      C.Refresh();
      C.Font->Assign(saved);
      break;
    }
    case TCellType::ctNode: {
      const int indent = FCellNode->GetNodeIndent();
      const int left = R.Left + RowNodeIndent(ARow) - indent;
      const bool collapsed = G.CellBoolean;
      const bool fixedCol = dcol < GetFixedCols();
      if (FCellNode->GetShowTree() && ARow >= GetFixedRows() && !collapsed)
        Line(C, clSilver, left + indent / 2 - (fixedCol ? 1 : 0), R.Top + 6, left + indent / 2 - (fixedCol ? 1 : 0),
             R.Bottom);
      const TNodeType type = FCellNode->GetNodeType();
      if (type == cn3D) {
        C.Brush->SetColor(FCellNode->Color);
        C.FillRect(R);
        TRect f = R;
        C.GetHandle()->DrawEdge(f, BDR_RAISEDINNER, BF_RECT);
        C.Refresh();
      }
      const TBitmap* expand = FCellNode->GetExpandGlyph();
      const TBitmap* contract = FCellNode->GetContractGlyph();
      const TColor nb = C.Brush->GetColor();
      if (type == cnLeaf) {
        DrawPicture(C, left, R.Top + 2, collapsed ? "GVLEAFCLOSE" : "GVLEAFOPEN", nb);
      } else if (type == cnXP) {
        DrawPicture(C, left + 4, R.Top + 6, collapsed ? "XPNODEC" : "XPNODEO", nb);
      } else if (type == cnGlyph && expand && contract && !expand->GetEmpty() && !contract->GetEmpty()) {
        GridUtil::DrawBitmapOnColor(C, collapsed ? *contract : *expand, nb, TRect(left, R.Top, R.Right, R.Bottom));
      } else {
        const int top = R.Top + (R.Height() - 8) / 2;
        TRect box(left + 4, top, left + 12, top + 8);
        C.Brush->SetColor(FCellNode->Color);
        C.FillRect(box);
        if (type == cn3D) {
          C.GetHandle()->DrawEdge(box, collapsed ? uint32_t(BDR_RAISEDINNER) : uint32_t(BDR_SUNKENOUTER),
                                  BF_RECT | BF_SOFT);
          C.Refresh();
        } else {
          C.Brush->SetColor(FCellNode->NodeColor);
          C.FrameRect(TRect(box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1));
          Line(C, FCellNode->NodeColor, box.Left + 1, box.Top + 3, box.Left + 6, box.Top + 3);
          if (collapsed) Line(C, FCellNode->NodeColor, box.Left + 3, box.Top + 1, box.Left + 3, box.Top + 6);
        }
      }
      C.Brush->SetColor(back);
      break;
    }
    case TCellType::ctRadio: {
      const bool enabled = CellCanEdit(ACol, ARow);
      auto* items = dynamic_cast<TStrings*>(G.CellObject);
      DrawRadioGroup(C, R, items ? items->Count() : 0, G.CellIndex, items, !enabled, G.CellBoolean,
                     CellText(ACol, ARow), Selected);
      break;
    }
    case TCellType::ctImages: {
      auto* list = dynamic_cast<TIntList*>(G.CellObject);
      if (!list || !FGridImages) break;
      int x = at.X, y = at.Y;
      for (int i = 0; i < list->Count(); ++i) {
        const int idx = list->Get(i);
        if (idx >= 0 && idx < FGridImages->Count()) FGridImages->Draw(&C, x, y, idx, true);
        if (G.CellBoolean) x += FGridImages->GetWidth();
        else y += FGridImages->GetHeight();
      }
      break;
    }
    case TCellType::ctPicture:
    case TCellType::ctFilePicture: {
      const TGraphic* pic = G.CellImage;
      if (!pic)
        if (auto* p = dynamic_cast<TPicture*>(G.CellObject)) pic = p->GetGraphic();
      if (!pic) break;
      const TRect placed(at.X, at.Y, at.X + w, at.Y + h);
      if (G.CellType == TCellType::ctFilePicture || (G.CellAngle & 0xFF) != 0) C.StretchDraw(placed, pic);
      else C.Draw(at.X, at.Y, pic);
      break;
    }
    case TCellType::ctProgress: {
      int v = 0;
      try {
        v = CellInt(ACol, ARow);
      } catch (const Exception&) {
        v = 0;
      }
      v = std::clamp(v, 0, 100);
      const TControlStyle style = FControlLook->GetControlStyle();
      const int mx = FControlLook->GetProgressMarginX(), my = FControlLook->GetProgressMarginY();
      if ((style == csWinXP || style == csTheme) && FControlLook->GetProgressXP() && GridXPVS::UseThemes()) {
        const GridXPVS::HTHEME theme = GridXPVS::OpenThemeData(this, "Progress");
        const TRect bar(R.Left + mx, R.Top + my, R.Right - mx, R.Bottom - my);
        GridXPVS::DrawThemeBackground(theme, C, 1, 1, bar, nullptr);
        const TRect inner(bar.Left + 2, bar.Top + 2, bar.Right - 2, bar.Bottom - 2);
        const int chunk = static_cast<int>(std::lround(v * inner.Width() / 100.0));
        if (chunk > 0)
          GridXPVS::DrawThemeBackground(theme, C, 3, 1, TRect(inner.Left, inner.Top, inner.Left + chunk, inner.Bottom),
                                        nullptr);
        GridXPVS::CloseThemeData(theme);
      } else {
        const TColor filledText = G.CellBoolean ? G.CellTextColor : (G.CellColor ^ 0xFFFFFF);
        const TColor emptyText = G.CellBoolean ? G.CellTextColorTo : (G.CellColorTo ^ 0xFFFFFF);
        GridUtil::DrawProgressBar(C, R, G.CellColor, my, mx, v, emptyText, G.CellColorTo, filledText);
      }
      break;
    }
    case TCellType::ctComment:
      if (CommentColor != clNone) {
        C.Brush->SetColor(CommentColor);
        C.Pen->SetColor(CommentColor);
        C.Polygon({{R.Right - 7, R.Top + 1}, {R.Right - 2, R.Top + 1}, {R.Right - 2, R.Top + 6}});
        C.Brush->SetColor(GetColor());
      }
      break;
    case TCellType::ctButton:
    case TCellType::ctBitButton: {
      const uint32_t offset = static_cast<uint32_t>(at.X - R.Left) | (static_cast<uint32_t>(at.Y - R.Top) << 16);
      G.CellValue = offset;
      TRect box(at.X, at.Y, at.X + w, at.Y + h);
      C.Brush->SetColor(clBtnFace);
      const bool pressed = G.CellBoolean;
      if (GridXPVS::UseThemes()) {
        const GridXPVS::HTHEME theme = GridXPVS::OpenThemeData(this, "button");
        GridXPVS::DrawThemeBackground(theme, C, 1, pressed ? 3 : 1, box, nullptr);
        GridXPVS::CloseThemeData(theme);
      } else {
        uint32_t st = DFCS_BUTTONPUSH;
        if (FControlLook->GetFlatButton()) st |= DFCS_FLAT;
        if (pressed) st |= DFCS_PUSHED;
        TRect f = box;
        C.GetHandle()->DrawFrameControl(f, DFC_BUTTON, st);
        C.Refresh();
      }
      const int inset = pressed ? 3 : 2;
      TRect caption(box.Left + inset, box.Top + inset, box.Right - inset, box.Bottom - inset);
      if (G.CellType == TCellType::ctBitButton)
        if (const auto* glyph = dynamic_cast<const TBitmap*>(G.CellImage); glyph && !glyph->GetEmpty()) {
          GridUtil::DrawBitmapOnColor(C, *glyph, clBtnFace,
                                      TRect(caption.Left, caption.Top + (caption.Height() - glyph->GetHeight()) / 2,
                                            caption.Right, caption.Bottom));
          caption.Left += glyph->GetWidth() + 2;
        }
      TDeviceContext* dc = C.GetHandle();
      dc->SetBkMode(TRANSPARENT);
      dc->DrawText(G.CellText, caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
      C.Refresh();
      C.Brush->SetColor(back);
      break;
    }
    case TCellType::ctProgressPie:
      GridUtil::DrawProgressPie(C, TRect(at.X, at.Y, at.X + 20, at.Y + 20), G.CellColor, G.CellAngle);
      break;
    default: break;
  }
}
