#pragma once
// TDFSColorButtonPalette: the borderless drop-down window of TdfsColorButton:
// a 4 by 5 grid of 18-pixel colour cells, an other-colour swatch beside the
// "&Other" button that runs the colour dialog, keyboard and mouse selection
// and a hint with each cell's RGB text. It closes when the application or the
// window loses activation, on a click, Enter or Escape.

#include "controls/DFSClrBn.h"
#include "platform/ui/Forms.h"

class TButton;

class TDFSColorButtonPalette : public TForm {
  KV_CLASS(TDFSColorButtonPalette, TForm)
 public:
  static constexpr int CellSize = 18;
  static constexpr int Columns = 4, Rows = 5;

  explicit TDFSColorButtonPalette(TComponent* AOwner);
  ~TDFSColorButtonPalette() override;
  // Gives the application's handlers back while the window is whole.
  void BeforeDestruction() override;

  TColorArrayClass* PaletteColors() const { return FPaletteColors.get(); }
  TColorArrayClass* CustomColors() const { return FCustomColors.get(); }
  TColor GetOtherColor() const { return FOtherColor; }
  void SetOtherColor(TColor Value);
  // Highlights Value's cell when the palette holds it; otherwise Value becomes
  // the other colour and its swatch is highlighted.
  void SetSelectedColor(TColor Value);
  bool ShowHints = true;
  void SetOtherCaption(const std::string& Value);
  TButton* BtnOther() const { return FBtnOther; }

  // The selection: column, row (row 0 is the other-colour swatch); (-1, -1) none.
  TPoint Selection() const { return FSelection; }
  void Select(TPoint Cell);
  static bool ValidCell(TPoint Cell);
  // The cell at a client point, (-1, -1) outside every cell.
  TPoint CellAt(int X, int Y) const;
  TRect CellRect(TPoint Cell) const;
  TRect SwatchRect() const;
  TColor CellColor(TPoint Cell) const;
  bool DialogRunning() const { return FDialogRunning; }
  bool ClosedByKey() const { return FClosedByKey; }

  virtual std::string GetColorHintText(TColor AColor, TPoint Cell) const;
  virtual void DoGetColorHintText(TColor AColor, TPoint Cell, std::string& HintStr) const;

  // The owner button's callbacks.
  std::function<void(TColor Color, bool FromOther)> OnColorChosen;
  std::function<void(bool ByKey, const TColorArrayClass& Custom)> OnPaletteClosed;
  TDFSColorHintTextEvent OnGetColorHintText;

  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool HintAt(TPoint P, std::string& HintText, TRect& CursorRect) const override;
  // Runs the colour dialog ("&Other").
  void BtnOtherClick(TObject* Sender);
  // The application stopped being active.
  void AppDeactivated(TObject* Sender);

  void DrawCell(TCanvas& Canvas, TPoint Cell, bool Selected) const;
  void PaintPalette(TCanvas& Canvas) const;

 private:
  void Report(TPoint Cell);
  TColor SwatchColor() const { return FOtherColor; }
  std::unique_ptr<TColorArrayClass> FPaletteColors;
  std::unique_ptr<TColorArrayClass> FCustomColors;
  TColor FOtherColor;
  TPoint FSelection{-1, -1};
  bool FDialogRunning = false;
  bool FClosedByKey = false;
  bool FClosing = false;
  bool FHandlersTaken = false;
  TNotifyEvent FSavedDeactivate;
  TButton* FBtnOther = nullptr;
};
