#pragma once
// TabcPicBtn: an owner-drawn push button with nineteen frame styles, a picture
// (glyph) laid out against the caption, hot tracking, text styles and optional
// sounds. TabcButtonGlyph prepares one image per button state and keeps them
// in TabcGlyphList image lists shared by all buttons with glyphs of one size.
//
//   auto* ok = new TabcPicBtn(form); ok->SetParent(form);
//   ok->SetCaption("Ok"); ok->SetStyle(TabcButtonStyle::absRecessedBlackHighlight);
//   ok->ModalResult = mrOk;

#include "controls/abcwav.h"
#include "platform/rtl/WeakRef.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/ControlDrag.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/OwnerDrawButton.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

enum class TabcButtonStyle : uint8_t {
  absAutoDetect, absNew, absWin31, absThin, absThinBlack, absThinGray, absThinHighlight, absMidHighlight,
  absThickHighlight, absFramed, absFramedBlack, absFramedRaised, absFramedHighlight, absFramedBlackHighlight,
  absRecessed, absRecessedBlack, absRecessedRaised, absRecessedHighlight, absRecessedBlackHighlight
};
enum class TabcButtonLayout : uint8_t {
  ablGlyphLeft, ablGlyphRight, ablGlyphTop, ablGlyphBottom, ablGlyphCenter, ablGlyphTiled
};
enum class TabcGlyphHighlight : uint8_t { aghNormal, aghGray, aghFade, aghDarken };
enum class TabcTextStyle : uint8_t { tsNormal, tsRaised, tsLowered };
enum class TabcGlyphState : uint8_t { gsUp, gsDisabled, gsDown, gsExclusive, gsHot };

// An image list with a record of its used slots, shared per image size.
class TabcGlyphList {
 public:
  TabcGlyphList(int AWidth, int AHeight);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // The list for images of this size, made when missing.
  static TabcGlyphList* Acquire(int AWidth, int AHeight);
  // The list of that size when one exists.
  static TabcGlyphList* Find(int AWidth, int AHeight);
  // Adds an image into the first free slot; pixels of MaskColor stay
  // transparent (clNone: none). A wrong size raises "Invalid image size".
  int AddMasked(const TBitmap& Image, TColor MaskColor);
  // Replaces a used slot's image; "Unable to Replace Image" otherwise.
  void Replace(int Index, const TBitmap& Image);
  // Frees the slot; the list of the last released image is freed.
  static void Release(TabcGlyphList* List, int Index);
  int UsedCount() const;
  int SlotCount() const { return static_cast<int>(FImages.size()); }
  // Draws image Index at X, Y (transparent pixels left alone).
  void Draw(TCanvas& Canvas, int X, int Y, int Index) const;
  // Draws it blended 25 % with the highlight colour.
  void DrawBlend25(TCanvas& Canvas, int X, int Y, int Index) const;
  TColor Pixel(int Index, int X, int Y) const;

 private:
  std::vector<TColor> Pixels(const TBitmap& Image, TColor MaskColor) const;
  int FWidth, FHeight;
  std::vector<std::vector<TColor>> FImages;  // clNone where transparent
  std::vector<bool> FUsed;
};

// The picture of a button and its prepared state images.
class TabcButtonGlyph {
 public:
  TabcButtonGlyph();
  ~TabcButtonGlyph();
  TabcButtonGlyph(const TabcButtonGlyph&) = delete;
  TabcButtonGlyph& operator=(const TabcButtonGlyph&) = delete;

  TPicture* Picture() const { return FPicture.get(); }
  // Copies the picture; NumGlyphs follows its width-by-height ratio.
  void SetPicture(const TPicture* Value);
  int GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TabcGlyphHighlight GetHighlight() const { return FHighlight; }
  void SetHighlight(TabcGlyphHighlight Value);
  TColor GetTransparentColor() const;
  void SetTransparentColor(TColor Value);
  bool TransparentColorSet() const { return FTransparentSet; }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  TImageList* GetImages() const { return FImages.Get(); }
  void SetImages(TImageList* Value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // The glyph's size (0 by 0 without a glyph).
  TSize GlyphSize() const;
  bool HasGlyph() const;
  // The prepared image of a state (made on first use), -1 without a glyph.
  int StateImage(TabcGlyphState State);
  TabcGlyphList* List() const { return FList; }
  // Draws the state's image at X, Y.
  void Draw(TCanvas& Canvas, int X, int Y, TabcGlyphState State);
  // Forgets the prepared images, freeing their slots.
  void DropImages();
  std::function<void()> OnChange;

 private:
  bool UsesImageList() const;
  // The glyph of strip index Index drawn onto Background (transparent pixels).
  void StripImage(int Index, TBitmap& Out, TColor Background, bool KeepTransparent) const;
  void MakeImage(TabcGlyphState State, TBitmap& Out, TColor& Mask) const;
  void Changed();
  std::unique_ptr<TPicture> FPicture;
  int FNumGlyphs = 1;
  TabcGlyphHighlight FHighlight = TabcGlyphHighlight::aghNormal;
  TColor FTransparentColor = 0xFF00FF;
  bool FTransparentSet = false;
  TColor FColor = clBtnFace;
  WeakRef<TImageList> FImages;
  TChangeLink FImageLink;  // every change of the image list drops the images
  int FImageIndex = -1;
  TabcGlyphList* FList = nullptr;
  std::array<int, 5> FIndex{-1, -1, -1, -1, -1};
};

class TabcPicBtn;

// Besides caption, hint and states, the button's ImageIndex follows the action.
class TabcPicBtnActionLink : public TControlActionLink {
 public:
  explicit TabcPicBtnActionLink(TabcPicBtn* AClient);

 protected:
  void SetImageIndex(int Value) override;
  void AssignAll() override;

 private:
  TabcPicBtn* FButton;
};

// Hot tracking follows the mouse only while the program is in front, the button
// is enabled and not dragged automatically, and no window has the mouse
// captured. A double click is a second press.
class TabcPicBtn : public TOwnerDrawButton, public TControlDrag {
  KV_CLASS(TabcPicBtn, TOwnerDrawButton)
 public:
  explicit TabcPicBtn(TComponent* AOwner);
  ~TabcPicBtn() override;

  TabcButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TabcButtonStyle Value);
  TabcButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TabcButtonLayout Value);
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int Value);
  int GetMargin() const { return FMargin; }
  // -1 (automatic) or more.
  void SetMargin(int Value);
  TabcTextStyle GetTextStyle() const { return FTextStyle; }
  void SetTextStyle(TabcTextStyle Value);
  bool GetPopup() const { return FPopup; }
  void SetPopup(bool Value);
  bool GetDisabledShadow() const { return FDisabledShadow; }
  void SetDisabledShadow(bool Value);
  TabcGlyphHighlight GetPictureHighlight() const { return FGlyph->GetHighlight(); }
  void SetPictureHighlight(TabcGlyphHighlight Value);
  TPicture* GetPicture() const { return FGlyph->Picture(); }
  void SetPicture(const TPicture* Value);
  int GetNumGlyphs() const { return FGlyph->GetNumGlyphs(); }
  void SetNumGlyphs(int Value);
  TColor GetTransparentColor() const { return FGlyph->GetTransparentColor(); }
  void SetTransparentColor(TColor Value);
  bool IsTransparentColorStored() const { return FGlyph->TransparentColorSet(); }
  TColor GetButtonColor() const { return TControl::GetColor(); }
  // The face colour; the glyph's background follows it.
  void SetButtonColor(TColor Value);
  TImageList* GetImages() const { return FGlyph->GetImages(); }
  void SetImages(TImageList* Value);
  int GetImageIndex() const { return FGlyph->GetImageIndex(); }
  void SetImageIndex(int Value);
  TabcCustomWaveList* GetSoundList() const { return FSoundList.Get(); }
  void SetSoundList(TabcCustomWaveList* Value) { FSoundList = Value; }
  int SoundDown = -1;
  int SoundOver = -1;
  TabcButtonGlyph* Glyph() const { return FGlyph.get(); }
  TCustomAction* GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }
  // Follows Value (none: no action) through a TabcPicBtnActionLink.
  void SetAction(TCustomAction* Value);
  // Without an OnClick of its own, a click runs the action.
  void Click() override;

  // The button reacts to hovering: Popup, a highlight mode, or styles 6, 7, 8, 12, 13, 17, 18.
  bool ReactsToHover() const;
  // The glyph state the button shows.
  TabcGlyphState CurrentGlyphState() const;
  // The places of glyph and caption in Rect.
  void LayoutIn(const TRect& Rect, TPoint& GlyphPos, TRect& CaptionRect);
  // Draws the frame of the style into R (moved inward as it is drawn).
  void DrawFrame(TCanvas& Canvas, TRect& R, bool Down, bool Hot, bool FocusedOrDefault) const;
  // Mouse over the button, as hot tracking keeps it.
  bool MouseOver() const { return FMouseOver; }

  void Paint() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  // The second click of a double click arrives as a press (MouseDown without
  // ssDouble), so no OnDblClick runs.
  void DblClick() override;
  void SetEnabled(bool Value) override;

 protected:
  void TextChanged() override;
  // The window is made with the glyph image of its state (up or disabled) prepared.
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  // A popup button learns whether the cursor lies over it once a drag ended.
  void DoEndDrag(TObject* Target, int X, int Y) override;

 private:
  void DrawCaption(TCanvas& Canvas, const TRect& R);
  void PlaySound(int Index);
  bool HotTrackingApplies() const;
  TabcButtonStyle FStyle = TabcButtonStyle::absAutoDetect;
  TabcButtonLayout FLayout = TabcButtonLayout::ablGlyphLeft;
  int FSpacing = 4;
  int FMargin = -1;
  TabcTextStyle FTextStyle = TabcTextStyle::tsNormal;
  bool FPopup = false;
  bool FDisabledShadow = true;
  bool FMouseOver = false;
  std::unique_ptr<TabcButtonGlyph> FGlyph;
  WeakRef<TabcCustomWaveList> FSoundList;
  std::unique_ptr<TabcPicBtnActionLink> FActionLink;
};

namespace abcbtn {
// The layout rule: glyph and caption positions inside a W by H area for a
// glyph of GlyphSize and a caption of TextSize (either may be 0 by 0).
void CalcLayout(int W, int H, TSize GlyphSize, TSize TextSize, TabcButtonLayout Layout, int Margin, int Spacing,
                bool RightToLeft, TPoint& GlyphPos, TPoint& TextPos);
}  // namespace abcbtn
