#include "controls/abcshapf.h"

#include "platform/gdi/Graphics.h"
#include "platform/ui/Forms.h"

#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QRegion>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace abcshapf {

std::vector<TRect> OpaqueRuns(const TBitmap& Bitmap, TColor Tolerance, TPoint Offset) {
  std::vector<TRect> runs;
  const int32_t w = Bitmap.GetWidth(), h = Bitmap.GetHeight();
  if (w <= 0 || h <= 0) return runs;
  const TColor t = ColorToRGB(Bitmap.GetPixelColor(0, h - 1));
  const TColor d = ColorToRGB(Tolerance);
  int low[3], high[3];
  const int tc[3] = {GetRValue(t), GetGValue(t), GetBValue(t)};
  const int dc[3] = {GetRValue(d), GetGValue(d), GetBValue(d)};
  for (int i = 0; i < 3; ++i) {
    low[i] = std::clamp(tc[i] - dc[i], 0, 255);
    high[i] = std::clamp(low[i] + 2 * dc[i], 0, 255);
  }
  auto transparent = [&](TColor c) {
    const int v[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    for (int i = 0; i < 3; ++i)
      if (v[i] < low[i] || v[i] > high[i]) return false;
    return true;
  };
  for (int32_t y = 0; y < h; ++y) {
    int32_t x = 0;
    while (x < w) {
      while (x < w && transparent(Bitmap.GetPixelColor(x, y))) ++x;
      const int32_t x0 = x;
      while (x < w && !transparent(Bitmap.GetPixelColor(x, y))) ++x;
      if (x > x0) runs.emplace_back(x0 + Offset.X, y + Offset.Y, x + Offset.X, y + 1 + Offset.Y);
    }
  }
  return runs;
}

std::optional<TRegion> BitmapToRegion(const TBitmap* Bitmap, TColor Tolerance, TPoint Offset) {
  if (!Bitmap || Bitmap->GetEmpty()) return std::nullopt;
  const std::vector<TRect> runs = OpaqueRuns(*Bitmap, Tolerance, Offset);
  // Rectangles become regions 2000 at a time, each united with the result.
  constexpr size_t Batch = 2000;
  TRegion result;
  for (size_t first = 0; first < runs.size(); first += Batch) {
    const size_t last = std::min(first + Batch, runs.size());
    const TRegion part = TRegion::FromRects(std::vector<TRect>(runs.begin() + long(first), runs.begin() + long(last)));
    result.CombineWith(part, RGN_OR);
  }
  return result;
}

}  // namespace abcshapf

namespace {
// Answers mouse presses on the owner's window where the shape control makes it a caption.
class TOwnerHook : public QObject {
 public:
  explicit TOwnerHook(TabcShapeForm* Shape) : FShape(Shape) {}
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Event->type() == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(Event);
      const QPoint p = mouse->position().toPoint();
      if (mouse->button() == Qt::LeftButton && FShape->HandleOwnerMessage(TPoint(p.x(), p.y()))) {
        if (auto* widget = qobject_cast<QWidget*>(Watched))
          if (QWindow* window = widget->windowHandle()) window->startSystemMove();
        return true;
      }
    }
    return QObject::eventFilter(Watched, Event);
  }

 private:
  TabcShapeForm* FShape;
};
}  // namespace

TabcShapeForm::TabcShapeForm(TComponent* AOwner) : TGraphicControl(AOwner), FOwnerForm(dynamic_cast<TForm*>(AOwner)) {
  if (!FOwnerForm) throw EComponentError("This component must be owned by a TForm");
  FPicture = std::make_unique<TPicture>();
  FPicture->OnChange = [this](TPicture*) { PictureChanged(); };
  FBitmap = std::make_unique<TBitmap>();
  SetAlign(TAlign::alClient);
}

TabcShapeForm::~TabcShapeForm() {
  if (FPicture) FPicture->OnChange = nullptr;
}

void TabcShapeForm::BeforeDestruction() {
  ComponentState.Include(TComponentStateItem::csDestroying);
  // The owner's window keeps its normal behaviour unless it goes too.
  if (!FOwnerForm->ComponentState.Contains(TComponentStateItem::csDestroying)) UnhookOwner();
  FHook.reset();
  TGraphicControl::BeforeDestruction();
}

void TabcShapeForm::Loaded() {
  TGraphicControl::Loaded();
  if (ComponentState.Contains(TComponentStateItem::csDesigning)) return;
  HookOwner();
  if (GetEnabled()) ApplyRegion(true);
}

void TabcShapeForm::HookOwner() {
  if (FHook || !FOwnerForm->HandleAllocated()) return;
  FHook = std::make_unique<TOwnerHook>(this);
  FOwnerForm->Handle()->installEventFilter(FHook.get());
}

void TabcShapeForm::UnhookOwner() {
  if (!FHook) return;
  if (FOwnerForm->HandleAllocated()) FOwnerForm->Handle()->removeEventFilter(FHook.get());
  FHook.reset();
}

void TabcShapeForm::SetDragControl(TControl* Value) {
  FDragControl = Value;
  FDragAnywhere = false;
}

void TabcShapeForm::SetPicture(const TPicture* Value) { FPicture->Assign(Value); }

void TabcShapeForm::SetTolerance(TColor Value) {
  FTolerance = Value;
  if (GetEnabled()) ApplyRegion(true);
}

void TabcShapeForm::SetEnabled(bool Value) {
  TGraphicControl::SetEnabled(Value);
  ApplyRegion(Value);
}

void TabcShapeForm::SetVisible(bool Value) {
  TGraphicControl::SetVisible(Value);
  if (Value && GetEnabled()) ApplyRegion(true);
}

bool TabcShapeForm::HandleOwnerMessage(TPoint ClientPoint) const {
  if (FDragAnywhere) return true;
  if (TControl* c = FDragControl.Get()) return c->GetBoundsRect().Contains(ClientPoint);
  return false;
}

void TabcShapeForm::PictureChanged() {
  const int32_t w = FPicture->GetWidth(), h = FPicture->GetHeight();
  FBitmap = std::make_unique<TBitmap>();
  if (w > 0 && h > 0) {
    FBitmap->SetSize(w, h);
    if (TGraphic* g = FPicture->GetGraphic()) FBitmap->GetCanvas()->Draw(0, 0, g);
  }
  FBitmap->SetTransparentMode(tmAuto);
  if (ComponentState.Contains(TComponentStateItem::csDestroying)) return;
  if (FOwnerForm->GetClientWidth() != w) FOwnerForm->SetClientWidth(w);
  if (FOwnerForm->GetClientHeight() != h) FOwnerForm->SetClientHeight(h);
  if (GetEnabled())
    ApplyRegion(true);
  else
    Invalidate();
}

void TabcShapeForm::ApplyRegion(bool On) {
  if (ComponentState.Contains(TComponentStateItem::csLoading) ||
      ComponentState.Contains(TComponentStateItem::csDesigning))
    return;
  QWidget* window = FOwnerForm->Handle();
  HookOwner();
  FRegion = On ? abcshapf::BitmapToRegion(FBitmap.get(), FTolerance) : std::nullopt;
  if (FRegion) {
    QRegion mask;
    for (const TRect& r : FRegion->Rects()) mask += QRect(r.Left, r.Top, r.Width(), r.Height());
    window->setMask(mask);
    // The form's client sits inside its top-level window: only a mask on that
    // window hides the corners on the screen.
    if (QWidget* top = window->window(); top != window) top->setMask(mask.translated(window->mapTo(top, QPoint(0, 0))));
  } else {
    window->clearMask();
    if (QWidget* top = window->window(); top != window) top->clearMask();
  }
  if (window->isVisible()) window->update();
}

void TabcShapeForm::Paint() {
  TCanvas& canvas = *GetCanvas();
  if (ComponentState.Contains(TComponentStateItem::csDesigning)) {
    canvas.Pen->SetStyle(psDash);
    canvas.Brush->SetStyle(bsClear);
    canvas.Rectangle(0, 0, GetWidth(), GetHeight());
  }
  if (!FBitmap->GetEmpty()) canvas.Draw(0, 0, FBitmap.get());
  if (OnPaint) OnPaint(this);
}
