#pragma once
// A list box with a check box in front of every item: ticked, unticked or,
// when allowed, grayed. A click in the box (or the space key) steps the
// state and fires OnClickCheck. The list takes drops when it is given
// OnDragOver and OnDragDrop.

#include <vector>

#include "platform/ui/ControlDrag.h"
#include "platform/ui/OwnerDrawItems.h"

class TCheckListBox : public TOwnerDrawListBox, public TDragTarget {
  KV_CLASS(TCheckListBox, TOwnerDrawListBox)
 public:
  explicit TCheckListBox(TComponent* AOwner);
  // A click steps unticked, grayed (only when allowed), ticked, unticked.
  bool AllowGrayed = false;
  // EListError for an index outside the items.
  TCheckBoxState GetState(int Index) const;
  void SetState(int Index, TCheckBoxState Value);
  bool GetChecked(int Index) const { return GetState(Index) == TCheckBoxState::cbChecked; }
  void SetChecked(int Index, bool Value);
  // Steps the item's state as a click in its box does and fires OnClickCheck.
  void ClickCheck(int Index);
  // The width of the check box area at the left of every row.
  int CheckWidth() const { return ItemHeight + 2; }
  TNotifyEvent OnClickCheck;

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyPress(TKeyChar& Key) override;

 protected:
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
  void ItemsChanged() override;

 private:
  void CheckIndex(int Index) const;
  std::vector<TCheckBoxState> FStates;
};
