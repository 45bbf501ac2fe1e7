#pragma once
// TCustomEdit: a single-line edit that keeps its text, selection and caret
// itself and paints itself, so that descendants can filter typed characters,
// narrow the text rectangle for buttons inside the edit and be driven by
// their key handlers without a window. The text is UTF-16 inside; GetText
// and SetText speak UTF-8, GetTextWide and SetTextWide UTF-16.

#include "platform/ui/StdCtrls.h"

#include <string>

class TCustomEdit : public TCustomControl {
  KV_CLASS(TCustomEdit, TCustomControl)
 public:
  explicit TCustomEdit(TComponent* AOwner);

  std::string GetText() const override;
  // Sets the text as code does: the caret goes to the end, OnChange fires.
  void SetText(const std::string& Value) override;
  const std::u16string& GetTextWide() const { return FText; }
  void SetTextWide(const std::u16string& Value);

  // Selection in UTF-16 units; the caret stands at the end the person moved.
  int GetSelStart() const { return FSelStart; }
  int GetSelLength() const { return FSelLength; }
  void SetSelStart(int Value);
  void SetSelLength(int Value);
  void SelectAll();
  std::string GetSelText() const;
  // Replaces the selection as typing does (length limit kept).
  void SetSelText(const std::string& Value);
  void SetSelTextWide(const std::u16string& Value);
  int CaretPos() const;
  // The character index under client x (for a caret placed by a click).
  int CharAtX(int X);

  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool GetBorder() const { return FBorder; }
  void SetBorder(bool Value);
  bool AutoSelect = true;
  bool GetModified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  // The text rectangle (client coordinates); empty: the client area inset by the border.
  TRect GetTextRect() const;
  void SetTextRect(const TRect& R);
  void ResetTextRect();

  virtual void CutToClipboard();
  virtual void CopyToClipboard();
  virtual void PasteFromClipboard();

  TNotifyEvent OnChange;

  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoEnter() override;
  void Paint() override;

 protected:
  virtual void Change();
  // Paints what lies over the text (a unit label); nothing here.
  virtual void PaintOver(TCanvas& /*Canvas*/) {}
  // Whether the focus came with a mouse press (the press arrives first).
  bool EnteredByMouse() const { return FEnteredByMouse; }
  void Replace(int From, int Count, std::u16string Text);
  void MoveCaret(int NewPos, bool Extend);

 private:
  int Length() const { return static_cast<int>(FText.size()); }
  std::u16string FText;
  int FSelStart = 0, FSelLength = 0, FAnchor = 0;
  int FMaxLength = 0;
  bool FReadOnly = false;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  bool FBorder = true;
  bool FModified = false;
  bool FEnteredByMouse = false;
  TRect FTextRect{0, 0, 0, 0};
};

namespace CustomEdit {
std::u16string Wide(const std::string& S);
std::string Narrow(const std::u16string& S);
}  // namespace CustomEdit
