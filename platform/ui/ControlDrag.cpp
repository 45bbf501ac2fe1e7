#include "platform/ui/ControlDrag.h"

#include "platform/ui/Forms.h"

#include <QWidget>

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
  // No control takes drops: a drop finds no target, like a cancel.
  (void)Drop;
  DoEndDrag(nullptr, X, Y);
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

bool TControlDrag::DragKeyDown(uint16_t& Key) {
  if (!FDragging || Key != VK_ESCAPE) return false;
  Key = 0;
  EndDrag(false);
  return true;
}

void TControlDrag::DoEndDrag(TObject* Target, int X, int Y) {
  if (OnEndDrag) OnEndDrag(FSource, Target, X, Y);
}
