#pragma once
// TEditComboBox: a combo box that keeps the selection and caret of its edit
// field, the dropped-down state, the width of the drop-down list and the item
// height itself, and takes typed characters, the caret keys and the list keys
// in its own model (the window follows), so that descendants complete typed
// text and are driven by their key handlers without a window.

#include "platform/ui/StdCtrls.h"

class TEditComboBox : public TComboBox {
  KV_CLASS(TEditComboBox, TComboBox)
 public:
  explicit TEditComboBox(TComponent* AOwner);

  void SetText(const std::string& Value) override;
  void SetItemIndex(int Value) override;
  // Changes Style also on an existing window.
  void SetStyle(TComboBoxStyle Value);
  // The edit field's selection and caret, in UTF-16 units.
  int GetSelStart() const { return FSelStart; }
  int GetSelLength() const { return FSelLength; }
  void SetSelStart(int Value);
  void SetSelLength(int Value);
  void SelectAll();
  int CaretPos() const { return FSelStart + FSelLength; }
  // The character index under client x of the edit field (-1: none).
  int CharAtX(int X);

  bool GetDroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool Value);
  // Width of the drop-down list in pixels (0: the control's width).
  int GetDroppedWidth() const { return FDroppedWidth; }
  void SetDroppedWidth(int Value);
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value) { FItemHeight = std::max(1, Value); }
  // List mode: only items can be chosen, or the list is open.
  bool ListMode() const { return Style == TComboBoxStyle::csDropDownList || FDroppedDown; }

  TNotifyEvent OnDropDown, OnCloseUp;

  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;

 protected:
  virtual void DropDown();
  virtual void CloseUp();
  void InitWidget() override;
  // Puts the model's text and selection onto the window.
  void SyncEditField();
  void ReplaceSelection(const std::u16string& Text);

 private:
  void ChooseIndex(int Index);
  int FSelStart = 0, FSelLength = 0;
  bool FDroppedDown = false;
  int FDroppedWidth = 0;
  int FItemHeight = 16;
};
