#include "platform/ui/Themes.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/ui/Controls.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

namespace {

bool gThemesActive = true;

QStyle* DesktopStyle() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  return QApplication::style();
}

QStyle::State QtState(Themes::TThemedState State) {
  QStyle::State s = QStyle::State_None;
  if (!State.Contains(Themes::tsDisabled)) s |= QStyle::State_Enabled;
  if (State.Contains(Themes::tsMixed)) s |= QStyle::State_NoChange;
  else if (State.Contains(Themes::tsChecked)) s |= QStyle::State_On;
  else s |= QStyle::State_Off;
  if (State.Contains(Themes::tsPressed)) s |= QStyle::State_Sunken;
  else s |= QStyle::State_Raised;
  if (State.Contains(Themes::tsHot)) s |= QStyle::State_MouseOver;
  return s;
}

// The style paints into an image of the part's size that starts as the
// canvas's pixels there, so that parts with transparent corners blend in.
void PaintStyled(TCanvas& Canvas, const TRect& R, QStyle* Style, Themes::TThemedPart Part, Themes::TThemedState State) {
  TBitmap picture(R.Width(), R.Height());
  picture.SetPixelFormat(pf32bit);
  picture.GetCanvas()->CopyRect(Rect(0, 0, R.Width(), R.Height()), Canvas, R);
  {
    QPainter p(&picture.Image());
    const QRect box(0, 0, R.Width(), R.Height());
    using enum Themes::TThemedPart;
    switch (Part) {
      case tpCheckBox:
      case tpRadioButton: {
        QStyleOptionButton o;
        o.rect = box;
        o.state = QtState(State);
        Style->drawPrimitive(Part == tpCheckBox ? QStyle::PE_IndicatorCheckBox : QStyle::PE_IndicatorRadioButton, &o, &p);
        break;
      }
      case tpPushButton: {
        QStyleOptionButton o;
        o.rect = box;
        o.state = QtState(State);
        Style->drawControl(QStyle::CE_PushButtonBevel, &o, &p);
        break;
      }
      case tpComboButton: {
        QStyleOptionButton o;
        o.rect = box;
        o.state = QtState(State);
        Style->drawControl(QStyle::CE_PushButtonBevel, &o, &p);
        QStyleOption a;
        a.rect = box.adjusted(2, 2, -2, -2);
        a.state = QtState(State);
        Style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &a, &p);
        break;
      }
      case tpSpinUp:
      case tpSpinDown: {
        QStyleOptionButton o;
        o.rect = box;
        o.state = QtState(State);
        Style->drawControl(QStyle::CE_PushButtonBevel, &o, &p);
        QStyleOption a;
        a.rect = box.adjusted(1, 1, -1, -1);
        a.state = QtState(State);
        Style->drawPrimitive(Part == tpSpinUp ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &a, &p);
        break;
      }
      case tpProgressBar:
      case tpProgressChunk: {
        QStyleOptionProgressBar o;
        o.rect = box;
        o.state = QtState(State) | QStyle::State_Horizontal;
        o.minimum = 0;
        o.maximum = 100;
        o.progress = Part == tpProgressChunk ? 100 : 0;
        Style->drawControl(Part == tpProgressChunk ? QStyle::CE_ProgressBarContents : QStyle::CE_ProgressBarGroove, &o, &p);
        break;
      }
    }
  }
  Canvas.Draw(R.Left, R.Top, &picture);
}

void Arrow(TCanvas& Canvas, const TRect& R, bool Up, TColor Color) {
  const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
  const int h = std::max(1, std::min(R.Width(), R.Height()) / 4);
  Canvas.Pen->SetColor(Color);
  Canvas.Brush->SetColor(Color);
  if (Up) Canvas.Polygon({Point(cx - h, cy + h / 2), Point(cx + h, cy + h / 2), Point(cx, cy - h / 2 - (h % 2))});
  else Canvas.Polygon({Point(cx - h, cy - h / 2), Point(cx + h, cy - h / 2), Point(cx, cy + h / 2 + (h % 2))});
}

}  // namespace

bool Themes::ThemesActive() { return gThemesActive && DesktopStyle() != nullptr; }
void Themes::SetThemesActive(bool Value) { gThemesActive = Value; }

void Themes::DrawThemedPart(TCanvas& Canvas, TThemedPart Part, TThemedState State, const TRect& R) {
  if (R.IsEmpty()) return;
  QStyle* style = DesktopStyle();
  if (!style) {
    DrawClassicPart(Canvas, Part, State, R);
    return;
  }
  PaintStyled(Canvas, R, style, Part, State);
}

void Themes::DrawClassicPart(TCanvas& Canvas, TThemedPart Part, TThemedState State, const TRect& R) {
  if (R.IsEmpty()) return;
  TDeviceContext* dc = Canvas.GetHandle();
  TRect r = R;
  uint32_t flags = 0;
  if (State.Contains(tsChecked) || State.Contains(tsMixed)) flags |= DFCS_CHECKED;
  if (State.Contains(tsPressed)) flags |= DFCS_PUSHED;
  if (State.Contains(tsDisabled) || State.Contains(tsMixed)) flags |= DFCS_INACTIVE;
  const TColor mark = State.Contains(tsDisabled) ? clBtnShadow : clWindowText;
  switch (Part) {
    case tpCheckBox: dc->DrawFrameControl(r, DFC_BUTTON, DFCS_BUTTONCHECK | flags); break;
    case tpRadioButton: dc->DrawFrameControl(r, DFC_BUTTON, DFCS_BUTTONRADIO | flags); break;
    case tpPushButton: dc->DrawFrameControl(r, DFC_BUTTON, DFCS_BUTTONPUSH | flags); break;
    case tpComboButton:
    case tpSpinUp:
    case tpSpinDown:
      dc->DrawFrameControl(r, DFC_BUTTON, DFCS_BUTTONPUSH | flags);
      Canvas.Refresh();
      Arrow(Canvas, R, Part == tpSpinUp, mark);
      break;
    case tpProgressBar:
      dc->DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE);
      break;
    case tpProgressChunk:
      Canvas.Brush->SetColor(clHighlight);
      Canvas.FillRect(R);
      break;
  }
  Canvas.Refresh();
}

void Themes::DrawPart(TCanvas& Canvas, TThemedPart Part, TThemedState State, const TRect& R) {
  if (ThemesActive()) DrawThemedPart(Canvas, Part, State, R);
  else DrawClassicPart(Canvas, Part, State, R);
}

void Themes::MakeMouseTransparent(TWinControl& Control) {
  Control.Handle()->setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

bool Themes::IsMouseTransparent(TWinControl& Control) {
  return Control.HandleAllocated() && Control.Handle()->testAttribute(Qt::WA_TransparentForMouseEvents);
}

int Themes::WheelScrollLines() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return 3;
  const int lines = QApplication::wheelScrollLines();
  return lines > 0 ? lines : 3;
}
