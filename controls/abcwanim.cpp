#include "controls/abcwanim.h"

#include "platform/ui/Forms.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRegion>
#include <QThread>
#include <QWidget>

#include <algorithm>

using enum TabcAnimEffect;
using enum TabcAnimDirection;

KV_CLASS_IMPL(TabcAnimateWin, TPersistent) {
  c.Property("Duration", &TabcAnimateWin::GetDuration, &TabcAnimateWin::SetDuration).Default(200);
  c.Property("Effect", &TabcAnimateWin::GetEffect, &TabcAnimateWin::SetEffect)
      .Names({"aweNone", "aweRoll", "aweSlide", "aweBlend", "aweCenter"})
      .Default(aweNone);
  c.Property("Horz", &TabcAnimateWin::GetHorz, &TabcAnimateWin::SetHorz)
      .Names({"awdNone", "awdPositive", "awdNegative"})
      .Default(awdNone);
  c.Property("Vert", &TabcAnimateWin::GetVert, &TabcAnimateWin::SetVert)
      .Names({"awdNone", "awdPositive", "awdNegative"})
      .Default(awdNone);
}

void TabcAnimateWin::Changed() {
  if (OnChange) OnChange();
}

void TabcAnimateWin::Assign(const TPersistent* Source) {
  auto* src = dynamic_cast<const TabcAnimateWin*>(Source);
  if (!src) return TPersistent::Assign(Source);
  FDuration = src->FDuration;
  FEffect = src->FEffect;
  FHorz = src->FHorz;
  FVert = src->FVert;
  Changed();
}

void TabcAnimateWin::SetDuration(uint16_t Value) {
  FDuration = Value;
  Changed();
}

void TabcAnimateWin::SetEffect(TabcAnimEffect Value) {
  FEffect = Value;
  if ((Value == aweRoll || Value == aweSlide) && FHorz == awdNone && FVert == awdNone) FHorz = awdPositive;
  Changed();
}

void TabcAnimateWin::DropEffectWithoutDirection() {
  if (FHorz == awdNone && FVert == awdNone && (FEffect == aweRoll || FEffect == aweSlide)) FEffect = aweNone;
}

void TabcAnimateWin::SetHorz(TabcAnimDirection Value) {
  FHorz = Value;
  DropEffectWithoutDirection();
  Changed();
}

void TabcAnimateWin::SetVert(TabcAnimDirection Value) {
  FVert = Value;
  DropEffectWithoutDirection();
  Changed();
}

uint32_t TabcAnimateWin::Flags(bool Hiding) const {
  uint32_t flags = Hiding ? AW_HIDE : 0;
  switch (FEffect) {
    case aweSlide: flags |= AW_SLIDE; break;
    case aweBlend: flags |= AW_BLEND; break;
    case aweCenter: flags |= AW_CENTER; break;
    default: break;
  }
  if (FHorz == awdPositive) flags |= AW_HOR_POSITIVE;
  if (FHorz == awdNegative) flags |= AW_HOR_NEGATIVE;
  if (FVert == awdPositive) flags |= AW_VER_POSITIVE;
  if (FVert == awdNegative) flags |= AW_VER_NEGATIVE;
  return flags;
}

namespace abcwanim {
namespace {
TAnimateCall Override;

// The visible part of a window of size W x H at fraction F of a roll, slide or centre animation.
QRect VisiblePart(int W, int H, double F, uint32_t Flags) {
  if (Flags & AW_CENTER) {
    const int w = int(W * F), h = int(H * F);
    return QRect((W - w) / 2, (H - h) / 2, w, h);
  }
  int left = 0, top = 0, w = W, h = H;
  if (Flags & (AW_HOR_POSITIVE | AW_HOR_NEGATIVE)) {
    w = int(W * F);
    if (Flags & AW_HOR_NEGATIVE) left = W - w;
  }
  if (Flags & (AW_VER_POSITIVE | AW_VER_NEGATIVE)) {
    h = int(H * F);
    if (Flags & AW_VER_NEGATIVE) top = H - h;
  }
  return QRect(left, top, w, h);
}
}  // namespace

bool AnimationAvailable() {
  const QString name = QGuiApplication::platformName();
  return !name.isEmpty() && name != "offscreen" && name != "minimal";
}

TAnimateCall SetAnimateCall(TAnimateCall Call) {
  TAnimateCall old = std::move(Override);
  Override = std::move(Call);
  return old;
}

bool AnimateWindow(TForm& Form, uint16_t Duration, uint32_t Flags) {
  if (Override) return Override(Form, Duration, Flags);
  if (!AnimationAvailable()) return false;
  QWidget* w = Form.Handle();
  const bool hiding = (Flags & AW_HIDE) != 0;
  const bool blend = (Flags & AW_BLEND) != 0;
  const QRegion shape = w->mask();
  if (!hiding) w->show();
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    const double t = Duration ? std::min(1.0, double(clock.elapsed()) / Duration) : 1.0;
    const double f = hiding ? 1.0 - t : t;
    if (blend)
      w->setWindowOpacity(f);
    else
      w->setMask(VisiblePart(w->width(), w->height(), std::max(f, 0.01), Flags));
    QCoreApplication::processEvents();
    if (t >= 1.0) break;
    QThread::msleep(10);
  }
  if (hiding) w->hide();
  w->setWindowOpacity(1.0);
  if (shape.isEmpty())
    w->clearMask();
  else
    w->setMask(shape);
  return true;
}
}  // namespace abcwanim
