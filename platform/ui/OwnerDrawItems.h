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

 protected:
  // The default hands the row to OnDrawItem, or fills it and writes its text.
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  QWidget* CreateWidget(QWidget* ParentWidget) override;

 private:
  TCanvas* FCanvas = nullptr;
  std::unique_ptr<TBitmap> FScratch;
};
