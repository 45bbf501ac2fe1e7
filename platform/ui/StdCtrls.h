#pragma once
// Standard controls: labels, edits, buttons, check and radio boxes, combo and
// list boxes, memos, scroll bars and group boxes. A control keeps its value
// itself (tests set and read it without a window); the Qt widget follows it,
// and a person's change comes back through the same setters and events.

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };
enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum class TScrollBarKind { sbHorizontal, sbVertical };
enum class TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Text that paints itself; sizes itself to its caption while AutoSize is on.
class TLabel : public TGraphicControl {
  KV_CLASS(TLabel, TGraphicControl)
 public:
  explicit TLabel(TComponent* AOwner);
  TAlignment Alignment = TAlignment::taLeftJustify;
  TTextLayout Layout = TTextLayout::tlTop;
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // Transparent labels take their parent's colour as background.
  bool Transparent = false;
  bool WordWrap = false;
  bool ShowAccelChar = true;
  TWinControl* FocusControl = nullptr;
  void Paint() override;
  // Resizes to the caption (AutoSize).
  void AdjustBounds();

 protected:
  void TextChanged() override { AdjustBounds(); }
  void FontChanged() override;

 private:
  bool FAutoSize = true;
};

class TEdit : public TWinControl {
  KV_CLASS(TEdit, TWinControl)
 public:
  explicit TEdit(TComponent* AOwner);
  void SetText(const std::string& Value) override;
  int MaxLength = 0;  // 0: no limit
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  char PasswordChar = '\0';
  void SelectAll();
  // Fires on every change of the text, by a person or by code.
  TNotifyEvent OnChange;
  virtual void Change();

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;

 private:
  bool FReadOnly = false;
};

class TMemo : public TWinControl {
  KV_CLASS(TMemo, TWinControl)
 public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;
  // The lines; changing them shows at once.
  TStringList* Lines() const { return FLines.get(); }
  std::string GetText() const override;
  void SetText(const std::string& Value) override;
  bool ReadOnly = false;
  bool WordWrap = true;
  TScrollStyle ScrollBars = TScrollStyle::ssNone;
  TNotifyEvent OnChange;

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;

 private:
  void LinesChanged();
  std::unique_ptr<TStringList> FLines;
  bool FSyncing = false;
};

class TButtonControl : public TWinControl {
  KV_CLASS(TButtonControl, TWinControl)
 public:
  explicit TButtonControl(TComponent* AOwner);

 protected:
  void TextChanged() override;
};

class TButton : public TButtonControl {
  KV_CLASS(TButton, TButtonControl)
 public:
  explicit TButton(TComponent* AOwner);
  // A click sets the form's ModalResult to this value (when not mrNone).
  TModalResult ModalResult = mrNone;
  // Enter clicks the default button and Esc the cancel button of the form.
  bool Default = false;
  bool Cancel = false;
  void Click() override;

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
};

class TCheckBox : public TButtonControl {
  KV_CLASS(TCheckBox, TButtonControl)
 public:
  explicit TCheckBox(TComponent* AOwner);
  bool GetChecked() const { return FState == TCheckBoxState::cbChecked; }
  // A change of the state fires OnClick, also when code makes it.
  void SetChecked(bool Value) { SetState(Value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  TCheckBoxState GetState() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool AllowGrayed = false;

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;

 private:
  TCheckBoxState FState = TCheckBoxState::cbUnchecked;
};

class TRadioButton : public TButtonControl {
  KV_CLASS(TRadioButton, TButtonControl)
 public:
  explicit TRadioButton(TComponent* AOwner);
  bool GetChecked() const { return FChecked; }
  // Checking one unchecks the radio buttons of the same parent and fires OnClick.
  void SetChecked(bool Value);

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;

 private:
  bool FChecked = false;
};

// Base of the list-holding controls: Items and the selected index.
class TCustomListControl : public TWinControl {
  KV_CLASS(TCustomListControl, TWinControl)
 public:
  explicit TCustomListControl(TComponent* AOwner);
  ~TCustomListControl() override;
  TStringList* Items() const { return FItems.get(); }
  int GetItemIndex() const { return FItemIndex; }
  // -1 selects nothing; an index outside the items selects nothing as well.
  virtual void SetItemIndex(int Value);

 protected:
  virtual void ItemsChanged() = 0;
  std::unique_ptr<TStringList> FItems;
  int FItemIndex = -1;
  bool FSyncing = false;
};

class TComboBox : public TCustomListControl {
  KV_CLASS(TComboBox, TCustomListControl)
 public:
  explicit TComboBox(TComponent* AOwner);
  TComboBoxStyle Style = TComboBoxStyle::csDropDown;
  int DropDownCount = 8;
  void SetItemIndex(int Value) override;
  void SetText(const std::string& Value) override;
  // Fires when a person changes the selection or the text.
  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  virtual void Change();

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;
  void ItemsChanged() override;
};

class TListBox : public TCustomListControl {
  KV_CLASS(TListBox, TCustomListControl)
 public:
  explicit TListBox(TComponent* AOwner);
  bool MultiSelect = false;
  int ItemHeight = 13;
  void SetItemIndex(int Value) override;
  bool GetSelected(int Index) const;
  void SetSelected(int Index, bool Value);
  int SelCount() const;
  void Clear() { FItems->Clear(); }
  // The item at a client point, or -1.
  int ItemAtPos(TPoint Pos, bool Existing) const;

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;
  void ItemsChanged() override;

 private:
  std::vector<bool> FSelected;
};

class TScrollBar : public TWinControl {
  KV_CLASS(TScrollBar, TWinControl)
 public:
  explicit TScrollBar(TComponent* AOwner);
  TScrollBarKind GetKind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  int GetMin() const { return FMin; }
  int GetMax() const { return FMax; }
  int GetPosition() const { return FPosition; }
  void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
  void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
  // Clamped into Min..Max; a change fires OnChange.
  void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
  void SetParams(int APosition, int AMin, int AMax);
  int SmallChange = 1;
  int LargeChange = 1;
  int GetPageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  TNotifyEvent OnChange;
  std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)> OnScroll;

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;

 private:
  TScrollBarKind FKind = TScrollBarKind::sbHorizontal;
  int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
  bool FSyncing = false;
};

// A frame with a caption that holds other controls.
class TGroupBox : public TCustomControl {
  KV_CLASS(TGroupBox, TCustomControl)
 public:
  explicit TGroupBox(TComponent* AOwner);
  void Paint() override;

 protected:
  void AdjustClientRect(TRect& Rect) const override;
};
