#pragma once
// Owner-drawn items of list and combo boxes: every row of a list (and of a
// combo's drop-down) is handed to a painter with its rectangle and state;
// what the painter leaves on the canvas is the row's picture.

#include <functional>

#include "platform/ui/OwnerDrawCombo.h"

class QWidget;

using TDrawItemEvent = std::function<void(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State)>;

namespace OwnerDrawItems {

// Makes the rows of the Qt list or combo widget of Control (made by its
// CreateWidget) come from Painter, each ItemHeight() pixels high.
void Install(TControl* Control, QWidget* Widget, std::function<int()> ItemHeight, TDrawItemEvent Painter);

}  // namespace OwnerDrawItems

// A list box whose rows the control draws itself (fixed row height).
class TOwnerDrawListBox : public TListBox {
  KV_CLASS(TOwnerDrawListBox, TListBox)
 public:
  explicit TOwnerDrawListBox(TComponent* AOwner);
  ~TOwnerDrawListBox() override;
  // The canvas of the row being drawn (a scratch canvas outside drawing).
  TCanvas* GetCanvas() const { return FCanvas; }
  // Draws row Index into Rect of Canvas with the list's font and colours set
  // up for State; what DrawItem leaves is the row's picture.
  void PaintItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State);
  // The rectangle of row Index in client coordinates (rows from the top).
  TRect ItemRect(int Index) const;
  // The first row shown at the top.
  int TopIndex() const;
  // Paints every row one below the other into Bitmap (tests, previews).
  void PaintRows(TBitmap& Bitmap);
  // Replaces the default row drawing when assigned.
  TDrawItemEvent OnDrawItem;
  // A row pressed with the left button and dragged out of the list is
  // dropped on the control under the mouse that takes it (ControlDrag.h);
  // the list box is the drop's source. Off by default.
  bool DragItemsOut = false;
  // The row being dragged out, or -1.
  int DraggedOutItem() const { return FDragOut ? FDragFrom : -1; }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;

 protected:
  // The default hands the row to OnDrawItem, or fills it and writes its text.
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  QWidget* CreateWidget(QWidget* ParentWidget) override;

 private:
  void EndDragOut();
  TCanvas* FCanvas = nullptr;
  std::unique_ptr<TBitmap> FScratch;
  int FDragFrom = -1;
  bool FDragOut = false;
  TCursor FDragSavedCursor = crDefault;
};
