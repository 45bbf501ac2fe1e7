#pragma once
// The grid's dedicated in-place editor controls and the custom editor link.
// Each control keeps its grid, hands its value to the cell and ends editing
// when the focus leaves it, decides which keys end editing and passes them
// on to the grid, and fires the grid's editor events. The grid shows, places
// and fills them and reads them back (ShowCellEditor and HideCellEditor).

#include "grid/GVEdit.h"
#include "grid/GvUni.h"
#include "grid/gvcombo.h"
#include "grid/gvspin.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/Forms.h"
#include "platform/ui/RichEdit.h"

class TGridView;

class TGridSpin : public TGvSpinEdit {
  KV_CLASS(TGridSpin, TGvSpinEdit)
 public:
  explicit TGridSpin(TComponent* AOwner);
  TGridView* Grid() const { return FGrid; }
  void StepUp() override;
  void StepDown() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void DoExit() override;
  // The limits the control applies when the focus leaves it.
  void ApplyExitLimits() { TGvSpinEdit::DoExit(); }

 private:
  void FireStep(bool Up);
  TGridView* FGrid;
};

// What the two combo editors share: look-up completion, history, wheel,
// caret from the click and the ending keys.
class TGridCombo : public TGVComboBox {
  KV_CLASS(TGridCombo, TGVComboBox)
 public:
  explicit TGridCombo(TComponent* AOwner);
  TGridView* Grid() const { return FGrid; }
  bool LookupArmed = true;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void DoEnter() override;
  void DoExit() override;
  // A new selection reports the item (OnComboChange, OnComboObjectChange), a
  // typed text index -1 and the text.
  void Change() override;
  // OnComboCloseUp with the current cell.
  void CloseUp() override;
  // Sets the list's width to fit the items (Navigation.AutoComboDropSize).
  void SizeDropDown();

 private:
  TGridView* FGrid;
};

class TGridUniCombo : public TGVUniComboBox {
  KV_CLASS(TGridUniCombo, TGVUniComboBox)
 public:
  explicit TGridUniCombo(TComponent* AOwner);
  TGridView* Grid() const { return FGrid; }
  bool LookupArmed = true;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void DoEnter() override;
  void DoExit() override;
  void Change() override;
  void SizeDropDown();

 private:
  TGridView* FGrid;
};

class TGridUniEdit : public TGvUniEdit {
  KV_CLASS(TGridUniEdit, TGvUniEdit)
 public:
  explicit TGridUniEdit(TComponent* AOwner);
  TGridView* Grid() const { return FGrid; }
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void DoExit() override;

 private:
  TGridView* FGrid;
};

class TGridEditBtn : public TGvEditBtn {
  KV_CLASS(TGridEditBtn, TGvEditBtn)
 public:
  explicit TGridEditBtn(TComponent* AOwner);
  TGridView* Grid() const { return FGrid; }
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void DoExit() override;

 private:
  void EllipsClick(TObject* Sender);
  TGridView* FGrid;
};

class TGridUnitEditBtn : public TGvUnitEditBtn {
  KV_CLASS(TGridUnitEditBtn, TGvUnitEditBtn)
 public:
  explicit TGridUnitEditBtn(TComponent* AOwner);
  TGridView* Grid() const { return FGrid; }
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void DoExit() override;

 private:
  TGridView* FGrid;
};

class TGridDatePicker : public TDateTimePicker {
  KV_CLASS(TGridDatePicker, TDateTimePicker)
 public:
  explicit TGridDatePicker(TComponent* AOwner);
  TGridView* Grid() const { return FGrid; }
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void DoExit() override;
  // Sets the picker from the cell text (the current date and time when it is none).
  void ResetFromCell();
  // Escape cancels the edit: the cell keeps its text, whatever the picker shows.
  bool Cancelled() const { return FCancelled; }
  void SetCancelled(bool Value) { FCancelled = Value; }

 protected:
  void PaintFrame(TCanvas& Canvas) override;

 private:
  TGridView* FGrid;
  bool FCancelled = false;
};

class TGridCheckBox : public TCheckBox {
  KV_CLASS(TGridCheckBox, TCheckBox)
 public:
  explicit TGridCheckBox(TComponent* AOwner);
  TGridView* Grid() const { return FGrid; }
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoExit() override;

 private:
  TGridView* FGrid;
};

class TGridButton : public TButton {
  KV_CLASS(TGridButton, TButton)
 public:
  explicit TGridButton(TComponent* AOwner);
  TGridView* Grid() const { return FGrid; }
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void DoExit() override;

 private:
  void Leave();
  TGridView* FGrid;
};

// A rich edit that belongs to a grid: the converter of rich-text cells and
// the in-place rich-text editor.
class TGridRichEdit : public TRichEdit {
  KV_CLASS(TGridRichEdit, TRichEdit)
 public:
  TGridRichEdit(TComponent* AOwner, bool AEditor);
  TGridView* Grid() const { return FGrid; }
  int ReqWidth() const { return FReqWidth; }
  int ReqHeight() const { return FReqHeight; }
  void Lock() { FLocked = true; }
  void Unlock() { FLocked = false; }
  bool Locked() const { return FLocked; }
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void DoExit() override;

 protected:
  void RequestResize(int Width, int Height) override;

 private:
  TGridView* FGrid;
  bool FEditor;
  bool FLocked = false;
  int FReqWidth = 0, FReqHeight = 0;
};

enum class TEditStyle { esInplace, esPopup };
using enum TEditStyle;

// The owner's custom cell editor: a descendant supplies the control and moves
// values between it and the cell; the link handles the keys that leave the
// editor, the focus going back to the grid, storing the value, and the hook
// that lets the control receive Tab.
class TEditLink : public TComponent {
  KV_CLASS(TEditLink, TComponent)
 public:
  explicit TEditLink(TComponent* AOwner);
  ~TEditLink() override;
  TEditStyle EditStyle = esInplace;
  int PopupWidth = 0, PopupHeight = 0;
  bool AutoPopupWidth = false;
  bool WantKeyLeftRight = false, WantKeyUpDown = false, WantKeyHomeEnd = false, WantKeyPriorNext = false,
       WantKeyReturn = false, WantKeyEscape = false;
  TGridView* GetGrid() const { return FGrid; }
  void SetGrid(TGridView* Value) { FGrid = Value; }
  int EditCol = -1, EditRow = -1;
  TForm* PopupForm() const { return FPopupForm; }

  virtual void KeyFilter(TObject* Sender, uint16_t& Key, TShiftState Shift);
  virtual TWinControl* EditorControl() { return nullptr; }
  virtual void CreateEditorControl(TWinControl* /*AParent*/) {}
  virtual void ActivateEditor(bool TakeFocus);
  virtual void PositionEditor(const TRect& R);
  virtual void SetEditorVisible(bool Visible);
  virtual void PrepareEditor() {}
  virtual void SetEditorLook(TColor /*Color*/, const TFont& /*Font*/) {}
  virtual std::string EditorValue() { return {}; }
  virtual void PutEditorValue(const std::string& /*Text*/) {}
  void ControlExit(TObject* Sender);
  void PopupFormExit(TObject* Sender);
  void StoreValue(const std::string& Text);
  void CloseEditor();
  void UnhookControl();
  // The grid makes the pop-up form; the link owns it until it is released.
  void SetPopupForm(TForm* Form) { FPopupForm = Form; }
  void ReleasePopupForm();
  bool ForcedExit() const { return FForcedExit; }

 private:
  TGridView* FGrid = nullptr;
  TForm* FPopupForm = nullptr;
  bool FForcedExit = false;
  bool FHooked = false;
};

// The editor controls a grid owns (made at construction, outside design time).
struct TGridEditorControls {
  TGridSpin* Spin = nullptr;
  TGridCombo* Combo = nullptr;
  TGridUniEdit* UniEdit = nullptr;
  TGridUniCombo* UniCombo = nullptr;
  TGridDatePicker* DatePicker = nullptr;
  TGridCheckBox* CheckBox = nullptr;
  TGridEditBtn* EditBtn = nullptr;
  TGridUnitEditBtn* UnitEditBtn = nullptr;
  TGridButton* Button = nullptr;
  TGridRichEdit* RichRenderer = nullptr;
  TGridRichEdit* RichEditor = nullptr;
  // The value a date or time editor was opened with (stored only when changed).
  TDateTime OpenedDateTime = 0;
  bool OpenedChecked = true;
  // The text a date or time spin was opened with (stored only when changed).
  std::string OpenedText;
};
