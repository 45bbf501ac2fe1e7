// GridView: markup in cells: drawing and measuring a cell's markup, the hit
// test of the mouse over its links and embedded controls, and a press on them.

#include "grid/GridView.h"

#include "grid/GridUtil.h"
#include "grid/GvHTMLE.h"
#include "grid/PictureContainer.h"
#include "platform/rtl/SysUtils.h"

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

int TGridView::DrawHtmlText(TCanvas& C, const TRect& R, const std::string& Text, bool Selected, TColor UrlColor) {
  GvHTMLE::THtmlRenderOptions o;
  HtmlOptions(o, UrlColor);
  o.Selected = Selected;
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
    if (hit.HitControlType == "CHECK") {
      std::string text = CellText(real, base.Y);
      const bool wasChecked = SysUtils::UpperCase(hit.HitControlValue) == "TRUE";
      if (GvHTMLE::SetHtmlControlValue(text, hit.HitControlId, wasChecked ? "FALSE" : "TRUE"))
        SetCells(real, base.Y, text);
    }
    RepaintCell(base.X, base.Y);
    return true;
  }
  if (hit.HitLink.empty() || hit.HitLink == "ctrl") return false;
  bool autoHandle = true;
  if (OnAnchorClick) OnAnchorClick(this, base.Y, base.X, hit.HitLink, autoHandle);
  if (autoHandle) OpenAnchor(hit.HitLink);
  return true;
}
