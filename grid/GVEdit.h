#pragma once
// GVEdit: the grid library's button edits. TGvEditBtn is a single-line edit
// with a push button at its right edge that fires OnClickBtn (also on F4);
// TGvUnitEditBtn adds a unit label left of the button and a pop-up list of
// units on the button. TGvEditButton holds the button, TGridSpeedButton is
// the flat, hover-aware push button itself.

#include "platform/rtl/Classes.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/CustomEdit.h"

#include <memory>

class TGridSpeedButton : public TSpeedButton {
  KV_CLASS(TGridSpeedButton, TSpeedButton)
 public:
  explicit TGridSpeedButton(TComponent* AOwner);
  bool IsWinXP = false;
  bool MouseOver() const { return FMouseOver; }
  bool Pressed() const { return FPressed; }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Paint() override;

 private:
  bool FMouseOver = false, FPressed = false;
};

class TGvEditButton : public TCustomControl {
  KV_CLASS(TGvEditButton, TCustomControl)
 public:
  explicit TGvEditButton(TComponent* AOwner);
  TBitmap* GetGlyph() const { return FButton->GetGlyph(); }
  void SetGlyph(const TBitmap* Value) { FButton->SetGlyph(Value); }
  std::string GetButtonCaption() const { return FButton->GetCaption(); }
  void SetButtonCaption(const std::string& Value) { FButton->SetCaption(Value); }
  int GetNumGlyphs() const { return FButton->NumGlyphs; }
  void SetNumGlyphs(int Value) { FButton->NumGlyphs = Value; }
  TWinControl* GetFocusControl() const { return FFocusControl.Get(); }
  void SetFocusControl(TWinControl* Value) { FFocusControl = Value; }
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  TGridSpeedButton* Button() const { return FButton; }
  void Resize() override;

 private:
  void ButtonReleased(TMouseButton Button);
  TGridSpeedButton* FButton;
  WeakRef<TWinControl> FFocusControl;
  bool FFlat = false;
};

class TGvEditBtn : public TCustomEdit {
  KV_CLASS(TGvEditBtn, TCustomEdit)
 public:
  explicit TGvEditBtn(TComponent* AOwner);
  std::string GetButtonCaption() const { return FHolder->GetButtonCaption(); }
  void SetButtonCaption(const std::string& Value) { FHolder->SetButtonCaption(Value); }
  TBitmap* GetGlyph() const { return FHolder->GetGlyph(); }
  void SetGlyph(const TBitmap* Value) { FHolder->SetGlyph(Value); }
  int GetButtonWidth() const { return FHolder->GetWidth(); }
  void SetButtonWidth(int Value);
  bool GetEditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  bool GetRightAlign() const { return FRightAlign; }
  void SetRightAlign(bool Value);
  bool GetIsWinXP() const { return FHolder->Button()->IsWinXP; }
  void SetIsWinXP(bool Value);
  bool AutoSize = true;
  TNotifyEvent OnClickBtn;
  TGvEditButton* Holder() const { return FHolder; }

  // Fires OnClickBtn with Sender: the holder for a click, the edit for F4.
  virtual void ClickButton(TObject* Sender);
  int MinHeight();
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void DoEnter() override;
  void Resize() override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;

 protected:
  void SetEditRect();
  int FUnitWidth = 0;

 private:
  TGvEditButton* FHolder;
  bool FEditorEnabled = true;
  bool FRightAlign = false;
};

class TGvUnitEditBtn : public TGvEditBtn {
  KV_CLASS(TGvUnitEditBtn, TGvEditBtn)
 public:
  explicit TGvUnitEditBtn(TComponent* AOwner);
  TStringList* GetUnits() const { return FUnits.get(); }
  void SetUnits(const TStrings* Value);
  const std::string& GetUnitID() const { return FUnitID; }
  void SetUnitID(const std::string& Value);
  int GetUnitSpace() const { return FUnitWidth; }
  void SetUnitSpace(int Value);
  // The unit menu below the button.
  void ClickButton(TObject* Sender) override;
  // Where the unit label stands (client coordinates).
  TRect UnitRect() const;

 protected:
  void PaintOver(TCanvas& Canvas) override;

 private:
  std::unique_ptr<TStringList> FUnits;
  std::string FUnitID;
};
