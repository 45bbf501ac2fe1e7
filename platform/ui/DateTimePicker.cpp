#include "platform/ui/DateTimePicker.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/ui/Forms.h"
#include "platform/ui/QtBridge.h"

#include <QCalendarWidget>
#include <QDate>
#include <QWidget>

#include <algorithm>
#include <cmath>

KV_CLASS_IMPL(TDateTimePicker, TCustomControl) {}

namespace {

constexpr int kButtonWidth = 17;

}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner), FDateTime(SysUtils::Now()) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 186, 21);
}

TDateTimePicker::~TDateTimePicker() { CloseCalendar(); }

void TDateTimePicker::SetDateTime(TDateTime Value) {
  if (Value == FDateTime) return;
  FDateTime = Value;
  Invalidate();
  Change();
}

TDateTime TDateTimePicker::GetDate() const { return std::floor(FDateTime); }

void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(std::floor(Value) + (FDateTime - std::floor(FDateTime))); }

TDateTime TDateTimePicker::GetTime() const { return FDateTime - std::floor(FDateTime); }

void TDateTimePicker::SetTime(TDateTime Value) {
  SetDateTime(std::floor(FDateTime) + (Value - std::floor(Value)));
}

void TDateTimePicker::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  Invalidate();
  Change();
}

std::string TDateTimePicker::GetText() const {
  return Kind == dtkTime ? SysUtils::TimeToStr(FDateTime) : SysUtils::DateToStr(FDateTime);
}

void TDateTimePicker::SetField(int Value) {
  FField = std::clamp(Value, 0, 2);
  Invalidate();
}

void TDateTimePicker::Change() {
  if (OnChange) OnChange(this);
}

void TDateTimePicker::Step(int Sign) {
  if (Kind == dtkTime) {
    const double step = FField == 0 ? 1.0 / 24 : FField == 1 ? 1.0 / 1440 : 1.0 / 86400;
    double t = GetTime() + Sign * step;
    t -= std::floor(t);
    t = std::nearbyint(t * SysUtils::MSecsPerDay) / SysUtils::MSecsPerDay;
    if (t >= 1) t -= 1;
    SetTime(t);
    return;
  }
  // The fields in the order of the short date format.
  const std::string& f = ::FormatSettings.ShortDateFormat;
  std::string order;
  for (char c : f) {
    const char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if ((l == 'd' || l == 'm' || l == 'y') && order.find(l) == std::string::npos) order += l;
  }
  const char field = FField < static_cast<int>(order.size()) ? order[static_cast<size_t>(FField)] : 'd';
  int y, m, d;
  SysUtils::DecodeDate(FDateTime, y, m, d);
  if (field == 'd') {
    SetDateTime(FDateTime + Sign);
    return;
  }
  if (field == 'm') {
    m += Sign;
    if (m < 1) { m = 12; --y; }
    if (m > 12) { m = 1; ++y; }
  } else {
    y += Sign;
  }
  if (y < 1 || y > 9999) return;
  d = std::min(d, SysUtils::DaysInAMonth(y, m));
  SetDate(SysUtils::EncodeDate(y, m, d));
}

void TDateTimePicker::SetDroppedDown(bool Value) {
  if (Kind == dtkTime || DateMode == dmUpDown) Value = false;
  if (Value == FDroppedDown) return;
  FDroppedDown = Value;
  if (Value) {
    if (OnDropDown) OnDropDown(this);
    if (HandleAllocated()) {
      auto* cal = new QCalendarWidget(nullptr);
      cal->setWindowFlags(Qt::Popup);
      int y, m, d;
      SysUtils::DecodeDate(FDateTime, y, m, d);
      cal->setSelectedDate(QDate(y, m, d));
      const QPoint p = Handle()->mapToGlobal(QPoint(0, GetHeight()));
      cal->move(p);
      QObject::connect(cal, &QCalendarWidget::clicked, cal, [this](QDate date) {
        Application->Dispatch(this, [&] {
          SetDate(SysUtils::EncodeDate(date.year(), date.month(), date.day()));
          SetDroppedDown(false);
        });
      });
      FCalendar = cal;
      cal->show();
    }
  } else {
    CloseCalendar();
    if (OnCloseUp) OnCloseUp(this);
  }
  Invalidate();
}

void TDateTimePicker::CloseCalendar() {
  if (!FCalendar) return;
  FCalendar->hide();
  FCalendar->deleteLater();
  FCalendar = nullptr;
}

void TDateTimePicker::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool alt = Shift.Contains(TShiftStateItem::ssAlt);
  if (Key == VK_F4 || (alt && (Key == VK_DOWN || Key == VK_UP))) {
    SetDroppedDown(!FDroppedDown);
    Key = 0;
    return;
  }
  if (FDroppedDown && (Key == VK_ESCAPE || Key == VK_RETURN)) {
    SetDroppedDown(false);
    Key = 0;
    return;
  }
  switch (Key) {
    case VK_UP: Step(1); Key = 0; break;
    case VK_DOWN: Step(-1); Key = 0; break;
    case VK_LEFT: SetField(FField - 1); Key = 0; break;
    case VK_RIGHT: SetField(FField + 1); Key = 0; break;
    default: break;
  }
}

void TDateTimePicker::KeyPress(TKeyChar& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == u' ' && ShowCheckbox) {
    SetChecked(!FChecked);
    Key = 0;
  }
}

TRect TDateTimePicker::CheckRect() const {
  return ShowCheckbox ? TRect(3, (GetHeight() - 13) / 2, 16, (GetHeight() - 13) / 2 + 13) : TRect(0, 0, 0, 0);
}

TRect TDateTimePicker::ButtonRect() const {
  return TRect(GetWidth() - kButtonWidth - 2, 2, GetWidth() - 2, GetHeight() - 2);
}

void TDateTimePicker::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft) {
    if (CanFocus() && !Focused()) SetFocus();
    if (ShowCheckbox && CheckRect().Contains(TPoint(X, Y))) {
      SetChecked(!FChecked);
    } else if (ButtonRect().Contains(TPoint(X, Y))) {
      if (Kind == dtkDate && DateMode == dmComboBox) SetDroppedDown(!FDroppedDown);
      else Step(Y < GetHeight() / 2 ? 1 : -1);
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TDateTimePicker::PaintFrame(TCanvas& Canvas) {
  TRect r = GetClientRect();
  Canvas.GetHandle()->DrawEdge(r, EDGE_SUNKEN, BF_RECT);
  Canvas.Refresh();
}

void TDateTimePicker::Paint() {
  TCanvas& c = *GetCanvas();
  const TRect client = GetClientRect();
  c.Brush->SetStyle(bsSolid);
  c.Brush->SetColor(GetColor());
  c.FillRect(client);
  int x = 4;
  if (ShowCheckbox) {
    TRect cr = CheckRect();
    c.GetHandle()->DrawFrameControl(cr, DFC_BUTTON, DFCS_BUTTONCHECK | (FChecked ? DFCS_CHECKED : 0));
    c.Refresh();
    x = CheckRect().Right + 3;
  }
  c.Font->Assign(*GetFont());
  if (!FChecked) c.Font->SetColor(clGrayText);
  c.Brush->SetStyle(bsClear);
  c.TextOut(x, (GetHeight() - c.TextHeight("0")) / 2, GetText());
  c.Brush->SetStyle(bsSolid);
  const TRect b = ButtonRect();
  c.Brush->SetColor(clBtnFace);
  c.FillRect(b);
  TRect e = b;
  c.GetHandle()->DrawEdge(e, EDGE_RAISED, BF_RECT);
  c.Refresh();
  c.Pen->SetColor(GetEnabled() ? clBlack : clGrayText);
  const int cx = (b.Left + b.Right) / 2;
  auto tri = [&](int Top, bool Down) {
    for (int i = 0; i < 3; ++i) {
      const int y = Down ? Top + i : Top + 2 - i;
      c.MoveTo(cx - 2 + i, y);
      c.LineTo(cx + 3 - i, y);
    }
  };
  if (Kind == dtkDate && DateMode == dmComboBox) {
    tri((b.Top + b.Bottom) / 2 - 1, true);
  } else {
    tri(b.Top + (b.Height() / 2 - 3) / 2, false);
    tri((b.Top + b.Bottom) / 2 + 1, true);
  }
  PaintFrame(c);
}
