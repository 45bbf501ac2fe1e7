#pragma once
// TdfsColorButton: a push button showing a colour swatch and a drop-down
// arrow; a click opens a borderless palette (TDFSColorButtonPalette, unit
// CBtnForm) with 20 colours, an other-colour swatch and a button for the
// colour dialog. TColorArrayClass holds the palette and the 16 custom colours
// as a two-dimensional array that streams itself.
//
//   auto* b = new TdfsColorButton(form); b->SetParent(form);
//   b->SetColor(clRed);
//   b->OnColorChange = [&](TObject*) { use(b->GetColor()); };

#include "platform/rtl/Classes.h"
#include "platform/ui/OwnerDrawButton.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TDFSColorButtonPalette;

KV_EXCEPTION_CLASS(EColorArrayIndexError, Exception);

// Colours by (x, y), both from 1; the linear index (from 1) runs along x first.
class TColorArrayClass : public TPersistent {
  KV_CLASS(TColorArrayClass, TPersistent)
 public:
  explicit TColorArrayClass(int32_t AXSize = 1, int32_t AYSize = 1);
  ~TColorArrayClass() override;

  int32_t GetXSize() const { return FXSize; }
  int32_t GetYSize() const { return FYSize; }
  // A different size drops the contents (all elements become 0).
  void SetXSize(int32_t Value);
  void SetYSize(int32_t Value);
  int32_t Count() const { return FXSize * FYSize; }

  // Out-of-range positions raise EColorArrayIndexError "Array index out of bounds".
  TColor GetItem(int32_t X, int32_t Y) const;
  void SetItem(int32_t X, int32_t Y, TColor Value);
  TColor ItemByIndex(int32_t Index) const;
  void SetItemByIndex(int32_t Index, TColor Value);

  void Assign(const TPersistent* Source) override;
  // True for the same object, false for none, else equal sizes and elements.
  virtual bool Equal(const TColorArrayClass* Other) const;
  // "XSize", "YSize" and "Colors" (x outer, y inner).
  void DefineProperties(TFiler& Filer) override;

 private:
  void Resize(int32_t AXSize, int32_t AYSize);
  size_t Position(int32_t X, int32_t Y) const;
  int32_t FXSize = 0, FYSize = 0;
  std::vector<TColor> FColors;
};

enum class TButtonStyle : uint8_t { bsAutoDetect, bsWin31, bsNew };

using TDFSColorHintTextEvent =
    std::function<void(TObject* Sender, TColor AColor, int X, int Y, std::string& HintStr)>;

class TdfsColorButton : public TOwnerDrawButton {
  KV_CLASS(TdfsColorButton, TOwnerDrawButton)
 public:
  static constexpr const char* VersionText = "TdfsColorButton v2.61";

  explicit TdfsColorButton(TComponent* AOwner);
  ~TdfsColorButton() override;
  // Saves the custom colours (with a CustomColorsKey) while the button is whole.
  void BeforeDestruction() override;
  void Loaded() override;

  std::string GetVersion() const { return VersionText; }
  bool ShowColorHints = true;
  TButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TButtonStyle Value);
  std::string OtherBtnCaption;
  TColor OtherColor;
  bool CycleColors = false;
  TColorArrayClass* GetPaletteColors() const { return FPaletteColors.get(); }
  void SetPaletteColors(const TColorArrayClass* Value);
  TColorArrayClass* GetCustomColors() const { return FCustomColors.get(); }
  void SetCustomColors(const TColorArrayClass* Value);
  // The chosen colour (hides the control's background colour).
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  std::string CustomColorsKey;
  TNotifyEvent OnColorChange;
  TDFSColorHintTextEvent OnGetColorHintText;

  // Index of Color in PaletteColors (from 1), 0 when it is not there.
  int32_t GetPaletteIndex() const { return FPaletteIndex; }
  // The open palette, or none.
  TDFSColorButtonPalette* Palette() const { return FPalette; }
  bool DroppedDown() const { return FDroppedDown; }

  void Click() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void SetEnabled(bool Value) override;
  void Paint() override;

  // Where the palette opens: below the button, or above it when it would pass
  // the work area's bottom, kept inside the work area horizontally.
  static TPoint PalettePosition(TPoint BottomLeft, int ButtonTop, int PaletteWidth, int PaletteHeight,
                                const TRect& WorkArea);

  virtual void SetDefaultColors();
  // The value name of the custom colours: "<parent>.<name>" or the name.
  virtual std::string CustomColorsValueName() const;
  virtual void SaveCustomColors();
  virtual void LoadCustomColors();
  virtual void DoColorChange();

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  // The cursor lies over the button (screen position of the mouse).
  virtual bool CursorOnButton() const;
  // Colour cycling: index 0 is OtherColor.
  void SetPaletteIndex(int32_t Value);

 private:
  void OpenPalette();
  void PaletteColorChosen(TColor Color, bool FromOther);
  void PaletteClosed(bool ByKey, const TColorArrayClass& Custom);
  void FixValueName();
  void DrawArrow(TCanvas& Canvas, int X, int Y) const;

  TColor FColor = 0;
  int32_t FPaletteIndex = 0;
  TButtonStyle FStyle = TButtonStyle::bsAutoDetect;
  bool FFlat = false;
  std::unique_ptr<TColorArrayClass> FPaletteColors;
  std::unique_ptr<TColorArrayClass> FCustomColors;
  TDFSColorButtonPalette* FPalette = nullptr;
  std::string FValueName;
  bool FValueNameFixed = false;
  bool FCustomColorsLoaded = false;
  bool FDroppedDown = false;
  bool FIgnoreNextClick = false;
  bool FHaveClickPos = false;
  TPoint FClickPos;
};

namespace DFSClrBn {
// The fixed palette table (red, green, blue) by row, column 1 to 4.
TColor DefaultPaletteColor(int32_t X, int32_t Y);
}  // namespace DFSClrBn
