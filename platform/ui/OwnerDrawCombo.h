#pragma once
// A drop-down list whose items the control draws itself: every item, in the
// list and in the closed box, is handed to DrawItem with its rectangle and
// state, drawing on GetCanvas().

#include "platform/ui/StdCtrls.h"

#include <cstdint>

enum class TOwnerDrawStateItem : uint8_t {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive, odNoAccel,
  odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using TOwnerDrawState = Flags<TOwnerDrawStateItem>;

class TOwnerDrawComboBox : public TComboBox {
  KV_CLASS(TOwnerDrawComboBox, TComboBox)
 public:
  explicit TOwnerDrawComboBox(TComponent* AOwner);
  ~TOwnerDrawComboBox() override;

  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  // The canvas of the item being drawn (a scratch canvas outside drawing).
  TCanvas* GetCanvas() const { return FCanvas; }
  // Draws item Index (-1: the closed box without a selected item) into Rect
  // of Canvas; what DrawItem leaves is the item's picture.
  void PaintItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State);
  // The rectangle of the closed box's item, in client coordinates.
  TRect EditRect() const;

 protected:
  // The default fills the rectangle with the brush and writes the item's text.
  virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;
  bool PaintsOverlay() const override { return true; }
  void PaintOverlay(TCanvas& Canvas) override;

 private:
  int FItemHeight = 16;
  TCanvas* FCanvas = nullptr;
  std::unique_ptr<TBitmap> FScratch;
};
