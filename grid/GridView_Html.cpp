// GridView: markup in cells: drawing and measuring a cell's markup, the hit
// test of the mouse over its links and embedded controls, and a press on them.

#include "grid/GridView.h"

#include "grid/GridUtil.h"
#include "grid/GvHTMLE.h"
#include "grid/PictureContainer.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/EditCombo.h"

void TGridView::HtmlOptions(GvHTMLE::THtmlRenderOptions& O, TColor UrlColor) {
  O.Images = FGridImages;
  O.Pictures = dynamic_cast<TPictureContainer*>(FPictureContainer);
  O.PictureCache = FPictureCache.get();
  O.ShadowColor = 0x808080;
  O.ShadowOffset = 1;
  O.LinkColor = UrlColor;
  O.BlinkVisible = !EnableBlink || BlinkPhase;
  O.WordWrap = !EnhTextSize;
  O.ThemeWindow = this;
}

int TGridView::DrawHtmlText(TCanvas& C, const TRect& R, const std::string& Text, bool Selected, TColor UrlColor,
                             TPoint PressedAt) {
  GvHTMLE::THtmlRenderOptions o;
  HtmlOptions(o, UrlColor);
  o.Selected = Selected;
  if (PressedAt.X >= 0) {
    o.ControlPressed = true;
    o.MouseX = PressedAt.X;
    o.MouseY = PressedAt.Y;
  }
  GvHTMLE::THtmlRenderResult r;
  GvHTMLE::RenderHtml(C, Text, R, o, r);
  C.Refresh();
  return R.Left + r.ContentWidth;
}

TSize TGridView::HtmlTextSize(TCanvas& C, const std::string& Text, int Width) {
  GvHTMLE::THtmlRenderOptions o;
  HtmlOptions(o, FURLColor);
  o.MeasureOnly = true;
  GvHTMLE::THtmlRenderResult r;
  GvHTMLE::RenderHtml(C, Text, TRect(0, 0, std::max(1, Width), 65535), o, r);
  return TSize{r.ContentWidth, r.ContentHeight};
}

bool TGridView::HtmlHitTest(int ACol, int ARow, int X, int Y, GvHTMLE::THtmlRenderResult& Hit) {
  if (!EnableHTML || ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount()) return false;
  const TPoint base = BaseCell(ACol, ARow);
  const int real = RealColIndex(base.X);
  const std::string text = CellText(real, base.Y);
  if (GridUtil::TextKind(text, true) != GridUtil::tkHtml) return false;
  TRect r = TBaseGrid::CellRect(base.X, base.Y);
  r.Left += FCellMarginX + 1;
  r.Top += FCellMarginY + 1;
  r.Right -= FCellMarginX;
  if (IsCheckCell(real, base.Y)) r.Left += FControlLook->GetCheckSize();
  TCanvas& C = *GetCanvas();
  TColor colorTo = clNone;
  TGridDrawState st;
  TAlignment ha;
  TVAlignment va;
  TBrush brush;
  ResolveCellStyle(real, base.Y, *C.Font, brush, colorTo, st, false, false, false, ha, va);
  GvHTMLE::THtmlRenderOptions o;
  HtmlOptions(o, FURLColor);
  o.HitTestOnly = true;
  o.MouseX = X;
  o.MouseY = Y;
  Hit = GvHTMLE::THtmlRenderResult{};
  return GvHTMLE::RenderHtml(C, text, r, o, Hit) && !Hit.HitLink.empty();
}

std::string TGridView::HtmlAnchorAt(int ACol, int ARow, int X, int Y) {
  GvHTMLE::THtmlRenderResult hit;
  if (!HtmlHitTest(ACol, ARow, X, Y, hit) || !hit.HitControlId.empty()) return {};
  return hit.HitLink == "ctrl" ? std::string() : hit.HitLink;
}

bool TGridView::HtmlCellClick(int ACol, int ARow, int X, int Y) {
  GvHTMLE::THtmlRenderResult hit;
  if (!HtmlHitTest(ACol, ARow, X, Y, hit)) return false;
  const TPoint base = BaseCell(ACol, ARow);
  const int real = RealColIndex(base.X);
  if (!hit.HitControlId.empty()) {
    if (!FControlType.empty()) CellControlEditDone();
    const std::string type = SysUtils::UpperCase(hit.HitControlType);
    std::string value = hit.HitControlValue;
    if (type == "BUTTON") {
      FHtmlButtonCell = {base.X, base.Y};
      FHtmlPressPoint = TPoint{X, Y};
    } else if (type == "CHECK") {
      std::string text = CellText(real, base.Y);
      value = SysUtils::UpperCase(hit.HitControlValue) == "TRUE" ? "FALSE" : "TRUE";
      if (GvHTMLE::SetHtmlControlValue(text, hit.HitControlId, value)) SetCells(real, base.Y, text);
    }
    RepaintCell(base.X, base.Y);
    if (OnControlClick) OnControlClick(this, base.Y, base.X, hit.HitControlId, type, value);
    if (type == "EDIT" || type == "COMBO") ShowControlEditor(base.X, base.Y, hit);
    return true;
  }
  if (hit.HitLink.empty() || hit.HitLink == "ctrl") return false;
  bool autoHandle = true;
  if (OnAnchorClick) OnAnchorClick(this, base.Y, base.X, hit.HitLink, autoHandle);
  if (autoHandle) OpenAnchor(hit.HitLink);
  return true;
}

// ================================================================ control editors of markup cells

TEdit* TGridView::ControlEdit() {
  if (!FControlEdit) {
    FControlEdit = Create<TEdit>(this);
    FControlEdit->SetVisible(false);
    FControlEdit->SetParent(this);
    FControlEdit->OnExit = [this](TObject*) { CellControlEditDone(); };
    FControlEdit->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState) {
      if (Key == VK_RETURN) {
        Key = 0;
        CellControlEditDone();
      }
    };
  }
  return FControlEdit;
}

TEditComboBox* TGridView::ControlCombo() {
  if (!FControlCombo) {
    FControlCombo = Create<TEditComboBox>(this);
    FControlCombo->SetVisible(false);
    FControlCombo->SetParent(this);
    FControlCombo->OnExit = [this](TObject*) { CellControlEditDone(); };
    FControlCombo->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState) {
      if (Key == VK_RETURN) {
        Key = 0;
        CellControlEditDone();
      }
    };
  }
  return FControlCombo;
}

void TGridView::ShowControlEditor(int ACol, int ARow, const GvHTMLE::THtmlRenderResult& Hit) {
  const TRect& r = Hit.HitControlRect;
  FControlCell = {ACol, ARow};
  FControlId = Hit.HitControlId;
  FControlType = SysUtils::UpperCase(Hit.HitControlType);
  if (FControlType == "EDIT") {
    TEdit* e = ControlEdit();
    e->SetBounds(r.Left + 3, r.Top + 5, std::max(1, r.Width() - 4), std::max(1, r.Height() - 4));
    e->SetText(Hit.HitControlValue);
    e->SetVisible(true);
    if (e->CanFocus()) e->SetFocus();
    return;
  }
  TEditComboBox* c = ControlCombo();
  c->Items()->Clear();
  bool edit = true;
  int dropCount = 8;
  if (OnControlComboList)
    OnControlComboList(this, ARow, ACol, FControlId, FControlType, Hit.HitControlValue,
                       c->Items(), edit, dropCount);
  c->SetStyle(edit ? TComboBoxStyle::csDropDown : TComboBoxStyle::csDropDownList);
  c->DropDownCount = std::max(1, dropCount);
  c->SetItemIndex(c->Items()->IndexOf(Hit.HitControlValue));
  if (edit) c->SetText(Hit.HitControlValue);
  c->SetBounds(r.Left + 3, r.Top + 5, std::max(1, r.Width() - 4), c->GetItemHeight() * (c->DropDownCount + 2));
  c->SetVisible(true);
  if (c->CanFocus()) c->SetFocus();
  c->SetDroppedDown(true);
}

void TGridView::CellControlEditDone() {
  if (FControlType.empty()) return;
  const std::string type = std::exchange(FControlType, std::string());
  const TGridCoord cell = std::exchange(FControlCell, TGridCoord{-1, -1});
  std::string value;
  if (type == "EDIT" && FControlEdit) {
    value = FControlEdit->GetText();
    FControlEdit->SetVisible(false);
  } else if (type == "COMBO" && FControlCombo) {
    value = FControlCombo->GetText();
    FControlCombo->SetDroppedDown(false);
    FControlCombo->SetVisible(false);
  }
  if (cell.X < 0 || cell.X >= GetColCount() || cell.Y < 0 || cell.Y >= GetRowCount()) return;
  const int real = RealColIndex(cell.X);
  std::string text = CellText(real, cell.Y);
  if (GvHTMLE::SetHtmlControlValue(text, FControlId, value)) SetCells(real, cell.Y, text);
  RepaintCell(cell.X, cell.Y);
  if (OnControlEditDone) OnControlEditDone(this, cell.Y, cell.X, FControlId, type, value);
}
