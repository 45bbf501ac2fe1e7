// Edges and frame controls drawn in the system colours: the raised and sunken
// borders of buttons and fields, check boxes and radio buttons.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Graphics.h"

#include <algorithm>

namespace {

TLogBrush Solid(TColor c) {
  TLogBrush b;
  b.Color = ColorToRGB(c);
  return b;
}

// One ring of an edge: the top and left sides in one colour, bottom and right in another.
void Ring(TDeviceContext& dc, TRect& r, TColor topLeft, TColor bottomRight, uint32_t sides) {
  if (r.IsEmpty()) return;
  if (sides & BF_TOP) dc.FillRect({r.Left, r.Top, r.Right, r.Top + 1}, Solid(topLeft));
  if (sides & BF_LEFT) dc.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom}, Solid(topLeft));
  if (sides & BF_BOTTOM) dc.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, Solid(bottomRight));
  if (sides & BF_RIGHT) dc.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom}, Solid(bottomRight));
  if (sides & BF_TOP) ++r.Top;
  if (sides & BF_LEFT) ++r.Left;
  if (sides & BF_BOTTOM) --r.Bottom;
  if (sides & BF_RIGHT) --r.Right;
}

}  // namespace

bool TDeviceContext::DrawEdge(TRect& R, uint32_t Edge, uint32_t Flags) {
  TRect r = R;
  const uint32_t sides = Flags & BF_RECT;
  const uint32_t outer = Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER), inner = Edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
  if (Flags & BF_MONO) {
    if (outer) Ring(*this, r, clWindowFrame, clWindowFrame, sides);
    if (inner) Ring(*this, r, clWindow, clWindow, sides);
  } else if (Flags & BF_FLAT) {
    if (outer) Ring(*this, r, clBtnShadow, clBtnShadow, sides);
    if (inner) Ring(*this, r, clBtnFace, clBtnFace, sides);
  } else {
    if (outer == BDR_RAISEDOUTER) Ring(*this, r, (Flags & BF_SOFT) ? clBtnHighlight : cl3DLight, cl3DDkShadow, sides);
    else if (outer == BDR_SUNKENOUTER) Ring(*this, r, clBtnShadow, clBtnHighlight, sides);
    if (inner == BDR_RAISEDINNER) Ring(*this, r, (Flags & BF_SOFT) ? cl3DLight : clBtnHighlight, clBtnShadow, sides);
    else if (inner == BDR_SUNKENINNER) Ring(*this, r, cl3DDkShadow, cl3DLight, sides);
  }
  if ((Flags & BF_MIDDLE) && !r.IsEmpty()) FillRect(r, Solid((Flags & BF_MONO) ? clWindow : clBtnFace));
  if (Flags & BF_ADJUST) R = r;
  return true;
}

bool TDeviceContext::DrawFrameControl(TRect& R, uint32_t Type, uint32_t State) {
  if (Type != DFC_BUTTON || R.IsEmpty()) return false;
  const bool inactive = State & DFCS_INACTIVE, pushed = State & DFCS_PUSHED, checked = State & DFCS_CHECKED;
  const TColor mark = inactive ? clBtnShadow : clWindowText;
  const TColor face = (inactive || pushed) ? clBtnFace : clWindow;
  if (State & DFCS_BUTTONPUSH) {
    TRect r = R;
    DrawEdge(r, pushed || checked ? EDGE_SUNKEN : EDGE_RAISED,
             BF_RECT | BF_MIDDLE | ((State & DFCS_FLAT) ? BF_FLAT : 0) | ((State & DFCS_MONO) ? BF_MONO : 0));
    return true;
  }
  // Check boxes and radio buttons are square: the largest square centred in R.
  const int32_t side = std::min(R.Width(), R.Height());
  const TRect box = Bounds(R.Left + (R.Width() - side) / 2, R.Top + (R.Height() - side) / 2, side, side);
  const int saved = SaveDC();
  SetROP2(R2_COPYPEN);
  if (State & DFCS_BUTTONRADIO) {
    // Rings: shadow above left, highlight below right, then the face and the dot.
    TLogPen pen;
    SelectBrush(Solid(face));
    pen.Color = ColorToRGB(clBtnShadow);
    SelectPen(pen);
    Ellipse(box.Left, box.Top, box.Right, box.Bottom);
    pen.Color = ColorToRGB(clBtnHighlight);
    SelectPen(pen);
    Arc(box.Left, box.Top, box.Right, box.Bottom, box.Left, box.Bottom, box.Right, box.Top);
    if (checked && side >= 6) {
      const int32_t d = std::max(2, side / 3), o = (side - d) / 2;
      pen.Style = PS_NULL;
      SelectPen(pen);
      SelectBrush(Solid(mark));
      Ellipse(box.Left + o, box.Top + o, box.Left + o + d + 1, box.Top + o + d + 1);
    }
  } else {
    TRect r = box;
    DrawEdge(r, EDGE_SUNKEN, BF_RECT | BF_ADJUST | ((State & DFCS_FLAT) ? BF_FLAT : 0) | ((State & DFCS_MONO) ? BF_MONO : 0));
    if (!r.IsEmpty()) FillRect(r, Solid(face));
    if (checked && r.Width() >= 5 && r.Height() >= 5) {
      // A tick three pixels thick: down to the lowest point, then up to the right.
      const int32_t w = r.Width(), h = r.Height();
      const int32_t x0 = r.Left + std::max(1, w / 6), xm = r.Left + w * 2 / 5, x1 = r.Right - std::max(1, w / 6);
      const int32_t ym = r.Top + h * 2 / 3, y0 = ym - (xm - x0), y1 = ym - (x1 - xm);
      TLogPen pen;
      pen.Color = ColorToRGB(mark);
      SelectPen(pen);
      for (int32_t k = 0; k < 3; ++k) {
        MoveTo(x0, y0 + k - 1);
        LineTo(xm, ym + k - 1);
        LineTo(x1 + 1, y1 + k - 2);
      }
    }
  }
  RestoreDC(saved);
  return true;
}
