#include "platform/ui/ControlDrag.h"

#include "platform/ui/Forms.h"

#include <QWidget>

namespace {
bool Shown(const TControl* C) {
  for (; C; C = C->GetParent())
    if (!C->GetVisible()) return false;
  return true;
}

TControl* Deepest(TControl* C, TControl* Except, TPoint ScreenPoint) {
  if (C == Except || !C->GetVisible()) return nullptr;
  const TPoint Origin = C->ClientToScreen(TPoint(0, 0));
  if (ScreenPoint.X < Origin.X || ScreenPoint.Y < Origin.Y || ScreenPoint.X >= Origin.X + C->GetWidth() ||
      ScreenPoint.Y >= Origin.Y + C->GetHeight())
    return nullptr;
  if (auto* W = dynamic_cast<TWinControl*>(C))
    for (int i = W->ControlCount() - 1; i >= 0; --i)
      if (TControl* Inner = Deepest(W->GetControl(i), Except, ScreenPoint)) return Inner;
  return dynamic_cast<TDragTarget*>(C) ? C : nullptr;
}
}  // namespace

namespace ControlDrag {

TControl* FindDragTarget(TControl* From, TPoint ScreenPoint) {
  TControl* Top = From;
  while (Top && Top->GetParent()) Top = Top->GetParent();
  if (!Top || !Shown(From)) return nullptr;
  // The form itself is searched through its children: its origin is its client area.
  if (auto* W = dynamic_cast<TWinControl*>(Top))
    for (int i = W->ControlCount() - 1; i >= 0; --i)
      if (TControl* Found = Deepest(W->GetControl(i), From, ScreenPoint)) return Found;
  return nullptr;
}

TControl* AcceptingTarget(TObject* Source, TControl* From, TPoint ScreenPoint) {
  TControl* Target = FindDragTarget(From, ScreenPoint);
  auto* T = dynamic_cast<TDragTarget*>(Target);
  if (!T || !T->OnDragOver) return nullptr;
  const TPoint P = Target->ScreenToClient(ScreenPoint);
  bool Accept = true;
  T->OnDragOver(Target, Source, P.X, P.Y, TDragState::dsDragMove, Accept);
  return Accept ? Target : nullptr;
}

TControl* DropAt(TObject* Source, TControl* From, TPoint ScreenPoint) {
  TControl* Target = AcceptingTarget(Source, From, ScreenPoint);
  if (!Target) return nullptr;
  const TPoint P = Target->ScreenToClient(ScreenPoint);
  if (auto* T = dynamic_cast<TDragTarget*>(Target); T->OnDragDrop) T->OnDragDrop(Target, Source, P.X, P.Y);
  return Target;
}

}  // namespace ControlDrag

TControlDrag::~TControlDrag() {
  if (!FDragging) return;
  // A source freed while dragged gives the mouse and the cursor back.
  FDragging = false;
  if (FSource->HandleAllocated() && QWidget::mouseGrabber() == FSource->Handle()) FSource->Handle()->releaseMouse();
  Screen->SetCursor(FSavedCursor);
}

void TControlDrag::BeginDrag() {
  if (FDragging) return;
  FDragging = true;
  FSource->Handle()->grabMouse();
  FSavedCursor = Screen->GetCursor();
  Screen->SetCursor(crDrag);
}

void TControlDrag::EndDrag(bool Drop, int X, int Y) {
  if (!FDragging) return;
  FDragging = false;
  if (FSource->HandleAllocated() && QWidget::mouseGrabber() == FSource->Handle()) FSource->Handle()->releaseMouse();
  Screen->SetCursor(FSavedCursor);
  TControl* Target = Drop ? ControlDrag::DropAt(FSource, FSource, FSource->ClientToScreen(TPoint(X, Y))) : nullptr;
  DoEndDrag(Target, X, Y);
}

bool TControlDrag::DragMouseDown(TMouseButton Button, int, int) {
  if (FDragging) return true;
  if (Button != TMouseButton::mbLeft || DragMode != TDragMode::dmAutomatic || !FSource->GetEnabled()) return false;
  BeginDrag();
  return true;
}

bool TControlDrag::DragMouseUp(TMouseButton Button, int X, int Y) {
  if (!FDragging) return false;
  if (Button == TMouseButton::mbLeft) EndDrag(true, X, Y);
  return true;
}

bool TControlDrag::DragMouseMove(int X, int Y) {
  if (!FDragging) return false;
  const bool Accepted = ControlDrag::AcceptingTarget(FSource, FSource, FSource->ClientToScreen(TPoint(X, Y)));
  Screen->SetCursor(Accepted ? crDrag : crNoDrop);
  return true;
}

bool TControlDrag::DragKeyDown(uint16_t& Key) {
  if (!FDragging || Key != VK_ESCAPE) return false;
  Key = 0;
  EndDrag(false);
  return true;
}

void TControlDrag::DoEndDrag(TObject* Target, int X, int Y) {
  if (OnEndDrag) OnEndDrag(FSource, Target, X, Y);
}
