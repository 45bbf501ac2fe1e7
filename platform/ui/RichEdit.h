#pragma once
// TRichEdit: an edit for formatted text. It keeps the text with one
// character format per character (runs are derived), loads and saves the
// RTF subset of RichText, and paints itself through Canvas. Typing takes the
// format of the character before the caret; Ctrl+B, Ctrl+I and Ctrl+U switch
// bold, italic and underline of the selection.

#include "platform/ui/RichText.h"
#include "platform/ui/StdCtrls.h"

#include <functional>
#include <string>

class TRichEdit : public TCustomControl {
  KV_CLASS(TRichEdit, TCustomControl)
 public:
  explicit TRichEdit(TComponent* AOwner);

  // Loads RTF; a text that is no RTF is loaded as plain text.
  void LoadFromRtf(const std::string& Rtf);
  // The content as RTF; empty when the edit is empty.
  std::string SaveToRtf() const;
  void Clear();
  bool IsEmpty() const { return FText.empty(); }
  TRichRuns GetRuns() const;
  void SetRuns(const TRichRuns& Runs);
  // Plain text: paragraphs separated by CR LF.
  std::string GetText() const override;
  void SetText(const std::string& Value) override;
  // The format text typed into an empty edit takes.
  TRichFormat DefaultFormat() const;

  int GetSelStart() const { return FSelStart; }
  int GetSelLength() const { return FSelLength; }
  void SetSelStart(int Value);
  void SetSelLength(int Value);
  void SelectAll();
  void SetSelText(const std::u16string& Value);
  // Changes the format of the selected characters.
  void FormatSelection(const std::function<void(TRichFormat&)>& Change);
  // False: the selection shows also without the focus.
  bool HideSelection = true;
  bool WordWrap = true;
  bool GetBorder() const { return FBorder; }
  void SetBorder(bool Value);
  // The formatting rectangle: the client area inset by Margin pixels.
  int GetMargin() const { return FMargin; }
  void SetMargin(int Value);
  TRect FormatRect() const;
  // The size the content needs at the formatting rectangle's width.
  TSize ContentSize();

  TNotifyEvent OnChange;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void Paint() override;
  // Draws the content into R of Canvas (Color replaces every run's colour).
  void RenderTo(TCanvas& Canvas, const TRect& R, std::optional<TColor> Color = std::nullopt);

 protected:
  virtual void Change();
  // The content now needs Width x Height pixels (fired after every change).
  virtual void RequestResize(int Width, int Height);

 private:
  void Replace(int From, int Count, const std::u16string& Text);
  std::u16string FText;
  std::vector<TRichFormat> FFormats;
  int FSelStart = 0, FSelLength = 0;
  bool FBorder = true;
  int FMargin = 1;
};
