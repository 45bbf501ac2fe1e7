#include "controls/abcbtn.h"

#include "platform/ui/AppActivation.h"
#include "platform/ui/MouseCapture.h"

#include <algorithm>
#include <map>
#include <utility>

using enum TabcButtonStyle;

// ---------------------------------------------------------------- TabcGlyphList

namespace {
std::map<std::pair<int, int>, std::unique_ptr<TabcGlyphList>>& GlyphLists() {
  static std::map<std::pair<int, int>, std::unique_ptr<TabcGlyphList>> lists;
  return lists;
}
}  // namespace

TabcGlyphList::TabcGlyphList(int AWidth, int AHeight) : FWidth(AWidth), FHeight(AHeight) {}

TabcGlyphList* TabcGlyphList::Acquire(int AWidth, int AHeight) {
  auto& slot = GlyphLists()[{AWidth, AHeight}];
  if (!slot) slot = std::make_unique<TabcGlyphList>(AWidth, AHeight);
  return slot.get();
}

TabcGlyphList* TabcGlyphList::Find(int AWidth, int AHeight) {
  auto it = GlyphLists().find({AWidth, AHeight});
  return it == GlyphLists().end() ? nullptr : it->second.get();
}

std::vector<TColor> TabcGlyphList::Pixels(const TBitmap& Image, TColor MaskColor) const {
  if (Image.GetWidth() != FWidth || Image.GetHeight() != FHeight) throw EInvalidOperation("Invalid image size");
  const TColor mask = MaskColor == clNone ? clNone : ColorToRGB(MaskColor);
  std::vector<TColor> pixels(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight));
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) {
      const TColor c = Image.GetPixelColor(x, y);
      pixels[static_cast<size_t>(y * FWidth + x)] = c == mask ? clNone : c;
    }
  return pixels;
}

int TabcGlyphList::AddMasked(const TBitmap& Image, TColor MaskColor) {
  std::vector<TColor> pixels = Pixels(Image, MaskColor);
  auto freeSlot = std::find(FUsed.begin(), FUsed.end(), false);
  if (freeSlot != FUsed.end()) {
    const size_t i = static_cast<size_t>(freeSlot - FUsed.begin());
    FImages[i] = std::move(pixels);
    FUsed[i] = true;
    return static_cast<int>(i);
  }
  FImages.push_back(std::move(pixels));
  FUsed.push_back(true);
  return SlotCount() - 1;
}

void TabcGlyphList::Replace(int Index, const TBitmap& Image) {
  if (Index < 0 || Index >= SlotCount() || !FUsed[static_cast<size_t>(Index)])
    throw EInvalidOperation("Unable to Replace Image");
  FImages[static_cast<size_t>(Index)] = Pixels(Image, clNone);
}

void TabcGlyphList::Release(TabcGlyphList* List, int Index) {
  if (!List || Index < 0 || Index >= List->SlotCount()) return;
  List->FUsed[static_cast<size_t>(Index)] = false;
  List->FImages[static_cast<size_t>(Index)].clear();
  if (List->UsedCount() == 0) GlyphLists().erase({List->FWidth, List->FHeight});
}

int TabcGlyphList::UsedCount() const { return static_cast<int>(std::count(FUsed.begin(), FUsed.end(), true)); }

TColor TabcGlyphList::Pixel(int Index, int X, int Y) const {
  return FImages.at(static_cast<size_t>(Index)).at(static_cast<size_t>(Y * FWidth + X));
}

void TabcGlyphList::Draw(TCanvas& Canvas, int X, int Y, int Index) const {
  if (Index < 0 || Index >= SlotCount() || !FUsed[static_cast<size_t>(Index)]) return;
  const auto& img = FImages[static_cast<size_t>(Index)];
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x)
      if (const TColor c = img[static_cast<size_t>(y * FWidth + x)]; c != clNone) Canvas.SetPixel(X + x, Y + y, c);
}

void TabcGlyphList::DrawBlend25(TCanvas& Canvas, int X, int Y, int Index) const {
  if (Index < 0 || Index >= SlotCount() || !FUsed[static_cast<size_t>(Index)]) return;
  const TColor hl = ColorToRGB(clHighlight);
  const auto& img = FImages[static_cast<size_t>(Index)];
  auto mix = [](int a, int b) { return static_cast<uint8_t>((a * 3 + b) / 4); };
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x)
      if (const TColor c = img[static_cast<size_t>(y * FWidth + x)]; c != clNone)
        Canvas.SetPixel(X + x, Y + y,
                        RGB(mix(GetRValue(c), GetRValue(hl)), mix(GetGValue(c), GetGValue(hl)),
                            mix(GetBValue(c), GetBValue(hl))));
}

// ---------------------------------------------------------------- TabcButtonGlyph

TabcButtonGlyph::TabcButtonGlyph() : FPicture(std::make_unique<TPicture>()) {
  FImageLink.OnChange = [this] {
    DropImages();
    Changed();
  };
}

TabcButtonGlyph::~TabcButtonGlyph() { DropImages(); }

void TabcButtonGlyph::Changed() {
  if (OnChange) OnChange();
}

void TabcButtonGlyph::DropImages() {
  for (int& i : FIndex) {
    if (i >= 0) TabcGlyphList::Release(FList, i);
    i = -1;
  }
  FList = nullptr;
}

void TabcButtonGlyph::SetPicture(const TPicture* Value) {
  DropImages();
  FPicture->Assign(Value);
  const int w = FPicture->GetWidth(), h = FPicture->GetHeight();
  // A picture without height holds one glyph (no division by zero).
  FNumGlyphs = h > 0 && w % h == 0 && w / h > 0 && w / h < 6 ? w / h : 1;
  if (!FTransparentSet && !FPicture->Empty() && h > 0)
    if (auto* bmp = dynamic_cast<TBitmap*>(FPicture->GetGraphic())) FTransparentColor = bmp->GetPixelColor(0, h - 1);
  Changed();
}

void TabcButtonGlyph::SetNumGlyphs(int Value) {
  if (Value > 5) Value = 5;
  if (!UsesImageList() && (Value <= 0 || Value > 5)) Value = 1;
  if (Value == FNumGlyphs) return;
  DropImages();
  FNumGlyphs = Value;
  Changed();
}

void TabcButtonGlyph::SetHighlight(TabcGlyphHighlight Value) {
  if (Value == FHighlight) return;
  DropImages();
  FHighlight = Value;
  Changed();
}

TColor TabcButtonGlyph::GetTransparentColor() const { return FTransparentColor; }

void TabcButtonGlyph::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor && FTransparentSet) return;
  FTransparentSet = true;
  FTransparentColor = Value;
  DropImages();
  Changed();
}

void TabcButtonGlyph::SetColor(TColor Value) {
  if (Value == FColor) return;
  DropImages();
  FColor = Value;
}

void TabcButtonGlyph::SetImages(TImageList* Value) {
  DropImages();
  FImages = Value;
  if (Value)
    Value->RegisterChanges(&FImageLink);
  else if (TImageList* old = FImageLink.Sender())
    old->UnRegisterChanges(&FImageLink);
  Changed();
}

void TabcButtonGlyph::SetImageIndex(int Value) {
  DropImages();
  FImageIndex = Value;
  Changed();
}

bool TabcButtonGlyph::UsesImageList() const {
  const TImageList* list = FImages.Get();
  // A list being freed has already let go of the link.
  return list && FImageLink.Sender() == list && FImageIndex >= 0 && FImageIndex < list->Count();
}

bool TabcButtonGlyph::HasGlyph() const {
  const TSize s = GlyphSize();
  return s.cx > 0 && s.cy > 0;
}

TSize TabcButtonGlyph::GlyphSize() const {
  if (UsesImageList()) return TSize(FImages.Get()->GetWidth(), FImages.Get()->GetHeight());
  if (FPicture->Empty()) return TSize(0, 0);
  return TSize(FPicture->GetWidth() / std::max(FNumGlyphs, 1), FPicture->GetHeight());
}

void TabcButtonGlyph::StripImage(int Index, TBitmap& Out, TColor Background, bool KeepTransparent) const {
  const TSize s = GlyphSize();
  Out.SetSize(s.cx, s.cy);
  TCanvas& c = *Out.GetCanvas();
  const TColor transparent = ColorToRGB(FTransparentColor);
  c.Brush->SetColor(KeepTransparent ? FTransparentColor : Background);
  c.FillRect(TRect(0, 0, s.cx, s.cy));
  TBitmap source;
  if (UsesImageList()) {
    FImages.Get()->BkColor = FTransparentColor;
    FImages.Get()->GetBitmap(FImageIndex, &source);
    Index = 0;
  } else {
    // Any picture (bitmap or other graphic) drawn over the transparent colour first.
    source.SetSize(FPicture->GetWidth(), FPicture->GetHeight());
    source.GetCanvas()->Brush->SetColor(FTransparentColor);
    source.GetCanvas()->FillRect(TRect(0, 0, source.GetWidth(), source.GetHeight()));
    if (const TGraphic* g = FPicture->GetGraphic()) source.GetCanvas()->Draw(0, 0, g);
  }
  for (int y = 0; y < s.cy; ++y)
    for (int x = 0; x < s.cx; ++x) {
      const TColor p = source.GetPixelColor(Index * s.cx + x, y);
      if (p != transparent) c.SetPixel(x, y, p);
    }
}

void TabcButtonGlyph::MakeImage(TabcGlyphState State, TBitmap& Out, TColor& Mask) const {
  const int strip = UsesImageList() ? 1 : FNumGlyphs;
  int index = static_cast<int>(State);
  if (State == TabcGlyphState::gsDown && strip < 3) index = static_cast<int>(TabcGlyphState::gsHot);
  if (index >= strip) index = 0;
  Mask = clNone;
  const TSize s = GlyphSize();
  switch (State) {
    case TabcGlyphState::gsUp: {
      StripImage(index, Out, FColor, false);
      if (FHighlight == TabcGlyphHighlight::aghGray) {
        for (int y = 0; y < s.cy; ++y)
          for (int x = 0; x < s.cx; ++x) {
            const uint8_t r = GetRValue(Out.GetPixelColor(x, y));
            Out.GetCanvas()->SetPixel(x, y, RGB(r, r, r));
          }
      }
      // aghDarken combines the image with itself by AND, which leaves it as it is;
      // aghFade blends when the image is drawn.
      break;
    }
    case TabcGlyphState::gsDisabled:
      if (strip < 2) {
        TBitmap plain;
        StripImage(index, plain, FTransparentColor, true);
        const TColor transparent = ColorToRGB(FTransparentColor);
        Out.SetSize(s.cx, s.cy);
        TCanvas& c = *Out.GetCanvas();
        c.Brush->SetColor(FColor);
        c.FillRect(TRect(0, 0, s.cx, s.cy));
        auto foreground = [&](int x, int y) {
          const TColor p = plain.GetPixelColor(x, y);
          return p != transparent && p != clWhite && p != clSilver;
        };
        for (TColor colour : {clBtnHighlight, clBtnShadow}) {
          const int d = colour == clBtnHighlight ? 1 : 0;
          for (int y = 0; y < s.cy; ++y)
            for (int x = 0; x < s.cx; ++x)
              if (foreground(x, y) && x + d < s.cx && y + d < s.cy) c.SetPixel(x + d, y + d, colour);
        }
      } else {
        TBitmap own;
        StripImage(1, own, FTransparentColor, true);
        const TColor transparent = ColorToRGB(FTransparentColor);
        Out.SetSize(s.cx, s.cy);
        for (int y = 0; y < s.cy; ++y)
          for (int x = 0; x < s.cx; ++x) {
            const TColor p = own.GetPixelColor(x, y);
            const TColor mapped = p == clWhite ? clBtnHighlight : p == clGray ? clBtnShadow : p == transparent ? FColor : p;
            Out.GetCanvas()->SetPixel(x, y, mapped);
          }
      }
      break;
    case TabcGlyphState::gsExclusive:
      StripImage(index, Out, FTransparentColor, true);
      Mask = FTransparentColor;
      break;
    default: StripImage(index, Out, FColor, false); break;
  }
}

int TabcButtonGlyph::StateImage(TabcGlyphState State) {
  if (!HasGlyph()) return -1;
  int& slot = FIndex[static_cast<size_t>(State)];
  if (slot >= 0) return slot;
  const TSize s = GlyphSize();
  if (!FList) FList = TabcGlyphList::Acquire(s.cx, s.cy);
  TBitmap image;
  TColor mask = clNone;
  MakeImage(State, image, mask);
  slot = FList->AddMasked(image, mask);
  return slot;
}

void TabcButtonGlyph::Draw(TCanvas& Canvas, int X, int Y, TabcGlyphState State) {
  const int i = StateImage(State);
  if (i < 0) return;
  if (State == TabcGlyphState::gsUp && FHighlight == TabcGlyphHighlight::aghFade)
    FList->DrawBlend25(Canvas, X, Y, i);
  else
    FList->Draw(Canvas, X, Y, i);
}

// ---------------------------------------------------------------- layout

void abcbtn::CalcLayout(int W, int H, TSize GlyphSize, TSize TextSize, TabcButtonLayout Layout, int Margin,
                        int Spacing, bool RightToLeft, TPoint& GlyphPos, TPoint& TextPos) {
  using enum TabcButtonLayout;
  if (RightToLeft) {
    if (Layout == ablGlyphLeft)
      Layout = ablGlyphRight;
    else if (Layout == ablGlyphRight)
      Layout = ablGlyphLeft;
  }
  const bool horizontal = Layout == ablGlyphLeft || Layout == ablGlyphRight;
  auto centre = [](int extent, int size) { return (extent - size + 1) / 2; };
  if (Layout == ablGlyphCenter || Layout == ablGlyphTiled) {
    GlyphPos = Layout == ablGlyphTiled ? TPoint(0, 0) : TPoint(centre(W, GlyphSize.cx), centre(H, GlyphSize.cy));
    TextPos = TPoint(centre(W, TextSize.cx), centre(H, TextSize.cy));
    return;
  }
  if (horizontal) {
    GlyphPos.Y = centre(H, GlyphSize.cy);
    TextPos.Y = centre(H, TextSize.cy);
  } else {
    GlyphPos.X = centre(W, GlyphSize.cx);
    TextPos.X = centre(W, TextSize.cx);
  }
  const int extent = horizontal ? W : H;
  const int glyph = horizontal ? GlyphSize.cx : GlyphSize.cy;
  const int text = horizontal ? TextSize.cx : TextSize.cy;
  if (text == 0 || glyph == 0) Spacing = 0;
  if (Margin == -1) {
    if (Spacing == -1) {
      const int third = (extent - glyph - text) / 3;
      Margin = third;
      Spacing = third;
    } else {
      Margin = (extent - (glyph + Spacing + text) + 1) / 2;
    }
  } else if (Spacing == -1) {
    Spacing = (extent - Margin - glyph - text) / 2;
  }
  int g = 0, t = 0;
  if (Layout == ablGlyphLeft || Layout == ablGlyphTop) {
    g = Margin;
    t = g + glyph + Spacing;
  } else {
    g = extent - Margin - glyph;
    t = g - Spacing - text;
  }
  if (horizontal) {
    GlyphPos.X = g;
    TextPos.X = t;
  } else {
    GlyphPos.Y = g;
    TextPos.Y = t;
  }
}

// ---------------------------------------------------------------- TabcPicBtn

KV_CLASS_IMPL(TabcPicBtn, TOwnerDrawButton) {
  c.Property("Style", &TabcPicBtn::GetStyle, &TabcPicBtn::SetStyle)
      .Names({"absAutoDetect", "absNew", "absWin31", "absThin", "absThinBlack", "absThinGray", "absThinHighlight",
              "absMidHighlight", "absThickHighlight", "absFramed", "absFramedBlack", "absFramedRaised",
              "absFramedHighlight", "absFramedBlackHighlight", "absRecessed", "absRecessedBlack",
              "absRecessedRaised", "absRecessedHighlight", "absRecessedBlackHighlight"})
      .Default(absAutoDetect);
  c.Property("Layout", &TabcPicBtn::GetLayout, &TabcPicBtn::SetLayout)
      .Names({"ablGlyphLeft", "ablGlyphRight", "ablGlyphTop", "ablGlyphBottom", "ablGlyphCenter", "ablGlyphTiled"})
      .Default(TabcButtonLayout::ablGlyphLeft);
  c.Property("Spacing", &TabcPicBtn::GetSpacing, &TabcPicBtn::SetSpacing).Default(4);
  c.Property("Margin", &TabcPicBtn::GetMargin, &TabcPicBtn::SetMargin).Default(-1);
  c.Property("TextStyle", &TabcPicBtn::GetTextStyle, &TabcPicBtn::SetTextStyle)
      .Names({"tsNormal", "tsRaised", "tsLowered"})
      .Default(TabcTextStyle::tsNormal);
  c.Property("Popup", &TabcPicBtn::GetPopup, &TabcPicBtn::SetPopup).Default(false);
  c.Property("DisabledShadow", &TabcPicBtn::GetDisabledShadow, &TabcPicBtn::SetDisabledShadow);
  c.Property("PictureHighlight", &TabcPicBtn::GetPictureHighlight, &TabcPicBtn::SetPictureHighlight)
      .Names({"aghNormal", "aghGray", "aghFade", "aghDarken"})
      .Default(TabcGlyphHighlight::aghNormal);
  c.Property("TransparentColor", &TabcPicBtn::GetTransparentColor, &TabcPicBtn::SetTransparentColor)
      .Kind(TPropKind::pkColor)
      .Stored(&TabcPicBtn::IsTransparentColorStored);
  c.Property("Color", &TabcPicBtn::GetButtonColor, &TabcPicBtn::SetButtonColor)
      .Kind(TPropKind::pkColor)
      .Default(clBtnFace);
  c.Property("NumGlyphs", &TabcPicBtn::GetNumGlyphs, &TabcPicBtn::SetNumGlyphs).Default(1);
  c.Property("ImageIndex", &TabcPicBtn::GetImageIndex, &TabcPicBtn::SetImageIndex).Default(-1);
  c.Property("SoundDown", &TabcPicBtn::SoundDown).Default(-1);
  c.Property("SoundOver", &TabcPicBtn::SoundOver).Default(-1);
}

TabcPicBtn::TabcPicBtn(TComponent* AOwner)
    : TOwnerDrawButton(AOwner), TControlDrag(this), FGlyph(std::make_unique<TabcButtonGlyph>()) {
  FGlyph->OnChange = [this] { Invalidate(); };
}

TabcPicBtn::~TabcPicBtn() = default;

void TabcPicBtn::SetStyle(TabcButtonStyle Value) {
  FStyle = Value;
  Invalidate();
}
void TabcPicBtn::SetLayout(TabcButtonLayout Value) {
  FLayout = Value;
  Invalidate();
}
void TabcPicBtn::SetSpacing(int Value) {
  FSpacing = Value;
  Invalidate();
}
void TabcPicBtn::SetMargin(int Value) {
  if (Value < -1) return;
  FMargin = Value;
  Invalidate();
}
void TabcPicBtn::SetTextStyle(TabcTextStyle Value) {
  FTextStyle = Value;
  Invalidate();
}
void TabcPicBtn::SetPopup(bool Value) {
  FPopup = Value;
  Invalidate();
}
void TabcPicBtn::SetDisabledShadow(bool Value) {
  FDisabledShadow = Value;
  if (!GetEnabled()) Invalidate();
}
void TabcPicBtn::SetPictureHighlight(TabcGlyphHighlight Value) {
  FGlyph->SetHighlight(Value);
  Invalidate();
}
void TabcPicBtn::SetPicture(const TPicture* Value) { FGlyph->SetPicture(Value); }
void TabcPicBtn::SetNumGlyphs(int Value) { FGlyph->SetNumGlyphs(Value); }
void TabcPicBtn::SetTransparentColor(TColor Value) { FGlyph->SetTransparentColor(Value); }
void TabcPicBtn::SetImages(TImageList* Value) { FGlyph->SetImages(Value); }
void TabcPicBtn::SetImageIndex(int Value) { FGlyph->SetImageIndex(Value); }

TabcPicBtnActionLink::TabcPicBtnActionLink(TabcPicBtn* AClient) : TControlActionLink(AClient), FButton(AClient) {}

void TabcPicBtnActionLink::SetImageIndex(int Value) {
  if (GetAction() && FButton->GetImageIndex() == GetAction()->GetImageIndex()) FButton->SetImageIndex(Value);
}

void TabcPicBtnActionLink::AssignAll() {
  TControlActionLink::AssignAll();
  FButton->SetImageIndex(GetAction()->GetImageIndex());
}

void TabcPicBtn::SetAction(TCustomAction* Value) {
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = std::make_unique<TabcPicBtnActionLink>(this);
  FActionLink->SetAction(Value);
}

void TabcPicBtn::Click() {
  TOwnerDrawButton::Click();
  if (!OnClick && FActionLink) FActionLink->Execute();
}

void TabcPicBtn::SetButtonColor(TColor Value) {
  TControl::SetColor(Value);
  FGlyph->SetColor(Value);
  FGlyph->StateImage(GetEnabled() ? TabcGlyphState::gsUp : TabcGlyphState::gsDisabled);
  Invalidate();
}

void TabcPicBtn::SetEnabled(bool Value) {
  TOwnerDrawButton::SetEnabled(Value);
  Invalidate();
}

void TabcPicBtn::TextChanged() {
  TOwnerDrawButton::TextChanged();
  Invalidate();
}

bool TabcPicBtn::ReactsToHover() const {
  if (FPopup || FGlyph->GetHighlight() != TabcGlyphHighlight::aghNormal) return true;
  switch (FStyle) {
    case absThinHighlight:
    case absMidHighlight:
    case absThickHighlight:
    case absFramedHighlight:
    case absFramedBlackHighlight:
    case absRecessedHighlight:
    case absRecessedBlackHighlight: return true;
    default: return false;
  }
}

void TabcPicBtn::PlaySound(int Index) {
  if (Index >= 0)
    if (TabcCustomWaveList* list = FSoundList.Get()) list->PlayIndex(Index);
}

bool TabcPicBtn::HotTrackingApplies() const {
  return AppActivation::Active() && GetEnabled() && DragMode != TDragMode::dmAutomatic && !MouseCapture::Captured();
}

namespace {
// Runs the base's notification for its own record of the cursor, without the event.
void WithoutEvent(TNotifyEvent& Event, const std::function<void()>& Base) {
  TNotifyEvent saved = std::exchange(Event, nullptr);
  struct TRestore {
    TNotifyEvent& Event;
    TNotifyEvent& Saved;
    ~TRestore() { Event = std::move(Saved); }
  } restore{Event, saved};
  Base();
}
}  // namespace

void TabcPicBtn::MouseEnter() {
  WithoutEvent(OnMouseEnter, [this] { TOwnerDrawButton::MouseEnter(); });
  if (!HotTrackingApplies()) return;
  FMouseOver = true;
  if (ReactsToHover()) Invalidate();
  PlaySound(SoundOver);
  if (OnMouseEnter) OnMouseEnter(this);
}

void TabcPicBtn::MouseLeave() {
  WithoutEvent(OnMouseLeave, [this] { TOwnerDrawButton::MouseLeave(); });
  FMouseOver = false;
  if (!HotTrackingApplies()) return;
  if (ReactsToHover()) Invalidate();
  if (OnMouseLeave) OnMouseLeave(this);
}

void TabcPicBtn::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (DragMouseDown(Button, X, Y)) return;
  Shift.Exclude(TShiftStateItem::ssDouble);
  if (Button == TMouseButton::mbLeft && GetEnabled()) PlaySound(SoundDown);
  TOwnerDrawButton::MouseDown(Button, Shift, X, Y);
}

void TabcPicBtn::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (DragMouseUp(Button, X, Y)) return;
  TOwnerDrawButton::MouseUp(Button, Shift, X, Y);
}

void TabcPicBtn::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (DragKeyDown(Key)) return;
  TOwnerDrawButton::KeyDown(Key, Shift);
}

void TabcPicBtn::DblClick() {}

void TabcPicBtn::DoEndDrag(TObject* Target, int X, int Y) {
  TControlDrag::DoEndDrag(Target, X, Y);
  if (!FPopup) return;
  // The drag held the mouse, so the button missed the cursor coming or going.
  if (GetClientRect().Contains(ScreenToClient(Controls::MouseCursorPos())))
    MouseEnter();
  else
    MouseLeave();
}

QWidget* TabcPicBtn::CreateWidget(QWidget* ParentWidget) {
  QWidget* widget = TOwnerDrawButton::CreateWidget(ParentWidget);
  FGlyph->StateImage(GetEnabled() ? TabcGlyphState::gsUp : TabcGlyphState::gsDisabled);
  return widget;
}

TabcGlyphState TabcPicBtn::CurrentGlyphState() const {
  if (!GetEnabled()) return TabcGlyphState::gsDisabled;
  if (IsPressed()) return TabcGlyphState::gsDown;
  if (FMouseOver || ReportsFocus() || IsDefaultLook()) return TabcGlyphState::gsHot;
  return TabcGlyphState::gsUp;
}

namespace {

void Edge(TCanvas& C, TRect& R, uint32_t Edge, uint32_t Flags) { C.GetHandle()->DrawEdge(R, Edge, Flags | BF_ADJUST); }

// A 1-pixel frame: TopLeft on top and left, BottomRight on bottom and right.
void Frame3D(TCanvas& C, TRect& R, TColor TopLeft, TColor BottomRight) {
  C.Pen->SetStyle(psSolid);
  C.Pen->SetColor(TopLeft);
  C.MoveTo(R.Left, R.Bottom - 1);
  C.LineTo(R.Left, R.Top);
  C.LineTo(R.Right - 1, R.Top);
  C.Pen->SetColor(BottomRight);
  C.LineTo(R.Right - 1, R.Bottom - 1);
  C.LineTo(R.Left, R.Bottom - 1);
  R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
}

void Shrink(TRect& R) { R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1); }

constexpr TColor kLightGrey = 0xDEDEDE;
constexpr uint32_t kAll = BF_RECT, kSoft = BF_RECT | BF_SOFT, kMono = BF_RECT | BF_MONO, kFlat = BF_RECT | BF_FLAT,
                   kMonoFlat = BF_RECT | BF_MONO | BF_FLAT;

}  // namespace

void TabcPicBtn::DrawFrame(TCanvas& C, TRect& R, bool Down, bool Hot, bool Focused) const {
  const TRect client = R;
  TabcButtonStyle style = FStyle == absAutoDetect ? absNew : FStyle;  // new-style controls are on
  auto bottomLine = [&] {
    C.Pen->SetStyle(psSolid);
    C.Pen->SetColor(clBtnShadow);
    C.MoveTo(R.Left - 1, R.Bottom - 1);
    C.LineTo(R.Right, R.Bottom - 1);
    R.Bottom -= 1;
  };
  auto cornersReset = [&] {
    const TColor face = TControl::GetColor();
    C.SetPixel(client.Left, client.Top, face);
    C.SetPixel(client.Right - 1, client.Top, face);
    C.SetPixel(client.Left, client.Bottom - 1, face);
    C.SetPixel(client.Right - 1, client.Bottom - 1, face);
  };
  const bool recessed = style >= absRecessed;
  switch (style) {
    case absNew:
      if (Down) {
        if (Focused) {
          Edge(C, R, BDR_RAISEDOUTER, kMono);
          Edge(C, R, BDR_RAISEDOUTER, kFlat);
        } else {
          Edge(C, R, EDGE_SUNKEN, kSoft);
        }
      } else {
        if (Focused) Edge(C, R, BDR_RAISEDOUTER, kMono);
        Edge(C, R, BDR_RAISEDOUTER, kSoft);
        Edge(C, R, BDR_RAISEDINNER, BF_BOTTOM | BF_RIGHT | BF_SOFT);
      }
      break;
    case absWin31:
      Edge(C, R, BDR_RAISEDOUTER, kMonoFlat);
      cornersReset();
      if (Focused) Edge(C, R, BDR_RAISEDOUTER, kMonoFlat);
      if (Down) {
        Edge(C, R, BDR_SUNKENINNER, BF_TOP | BF_LEFT | BF_SOFT);
      } else {
        Edge(C, R, BDR_RAISEDINNER, kAll);
        Edge(C, R, BDR_RAISEDINNER, kAll);
      }
      break;
    case absThin: Edge(C, R, Down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, kAll); break;
    case absThinBlack: Edge(C, R, Down ? BDR_SUNKENOUTER : BDR_RAISEDOUTER, kSoft); break;
    case absThinGray:
      if (Down)
        Frame3D(C, R, clBtnShadow, kLightGrey);
      else
        Frame3D(C, R, kLightGrey, clBtnShadow);
      break;
    case absThinHighlight:
      if (Down)
        Edge(C, R, BDR_SUNKENOUTER, kSoft);
      else if (Hot)
        Edge(C, R, BDR_RAISEDOUTER, kSoft);
      else
        Edge(C, R, BDR_RAISEDINNER, kAll);
      break;
    case absMidHighlight:
    case absThickHighlight:
      if (Down) {
        Edge(C, R, BDR_SUNKENOUTER, kSoft);
        Frame3D(C, R, clBtnShadow, kLightGrey);
      } else if (Hot) {
        if (style == absThickHighlight) bottomLine();
        Edge(C, R, BDR_RAISEDOUTER, kSoft);
        Frame3D(C, R, kLightGrey, clBtnShadow);
      } else {
        Edge(C, R, BDR_RAISEDINNER, kAll);
        if (style == absThickHighlight) bottomLine();
      }
      break;
    case absFramed:
    case absRecessed:
    case absFramedHighlight:
    case absRecessedHighlight:
    case absFramedRaised:
    case absRecessedRaised:
      if (Down) {
        Edge(C, R, BDR_SUNKENOUTER, kAll);
        Edge(C, R, BDR_SUNKENOUTER, kAll);
      } else if (style == absFramedRaised || style == absRecessedRaised) {
        Edge(C, R, BDR_SUNKENOUTER, kSoft);
        if (recessed) Shrink(R);
        Edge(C, R, BDR_RAISEDOUTER, kSoft);
        Frame3D(C, R, kLightGrey, clBtnShadow);
      } else {
        Edge(C, R, BDR_SUNKENOUTER, kAll);
        if (recessed) Shrink(R);
        Edge(C, R, BDR_RAISEDINNER, kAll);
        if (Hot && (style == absFramedHighlight || style == absRecessedHighlight)) Frame3D(C, R, kLightGrey, clBtnShadow);
      }
      break;
    default:  // the black framed and recessed styles
      if (Down) {
        Edge(C, R, BDR_SUNKENOUTER, kSoft);
        Edge(C, R, BDR_SUNKENOUTER, kSoft);
      } else {
        Edge(C, R, BDR_SUNKENOUTER, kSoft);
        if (recessed) Shrink(R);
        Edge(C, R, BDR_RAISEDOUTER, kSoft);
        if (Hot && (style == absFramedBlackHighlight || style == absRecessedBlackHighlight))
          Frame3D(C, R, kLightGrey, clBtnShadow);
      }
      break;
  }
}

void TabcPicBtn::LayoutIn(const TRect& Rect, TPoint& GlyphPos, TRect& CaptionRect) {
  TCanvas& c = *GetCanvas();
  c.Font->Assign(*GetFont());
  TSize text(0, 0);
  const std::string caption = GetCaption();
  if (!caption.empty()) {
    TRect calc(0, 0, Rect.Width(), 0);
    c.GetHandle()->DrawText(caption, calc, DT_CALCRECT);
    text = TSize(calc.Width(), calc.Height());
  }
  TPoint textPos;
  abcbtn::CalcLayout(Rect.Width(), Rect.Height(), FGlyph->GlyphSize(), text, FLayout, FMargin, FSpacing, false,
                     GlyphPos, textPos);
  GlyphPos = TPoint(GlyphPos.X + Rect.Left, GlyphPos.Y + Rect.Top);
  CaptionRect = TRect(textPos.X + Rect.Left, textPos.Y + Rect.Top, textPos.X + Rect.Left + text.cx,
                      textPos.Y + Rect.Top + text.cy);
}

void TabcPicBtn::DrawCaption(TCanvas& C, const TRect& R) {
  const std::string caption = GetCaption();
  if (caption.empty()) return;
  TDeviceContext& dc = *C.GetHandle();
  C.Brush->SetStyle(bsClear);
  auto draw = [&](int dx, int dy, TColor colour) {
    C.Font->SetColor(colour);
    TDeviceContext& d = *C.GetHandle();
    d.SetBkMode(TRANSPARENT);
    TRect r(R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy);
    d.DrawText(caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  };
  (void)dc;
  const TColor fontColor = GetFont()->GetColor();
  if (!GetEnabled()) {
    if (FDisabledShadow) {
      draw(1, 1, clWhite);
      draw(0, 0, clGray);
    } else {
      draw(0, 0, clBtnShadow);
    }
    return;
  }
  if (FTextStyle == TabcTextStyle::tsRaised) {
    draw(1, 1, clBtnShadow);
    draw(-1, -1, clBtnHighlight);
  } else if (FTextStyle == TabcTextStyle::tsLowered) {
    draw(1, 1, clBtnHighlight);
    draw(-1, -1, clBtnShadow);
  }
  draw(0, 0, fontColor);
}

void TabcPicBtn::Paint() {
  TCanvas& c = *GetCanvas();
  const bool down = IsPressed();
  const bool focused = ReportsFocus();
  const bool focusedOrDefault = focused || IsDefaultLook();
  const bool hot = GetEnabled() && FMouseOver;
  const TabcGlyphState state = CurrentGlyphState();
  const TRect client = GetClientRect();
  FGlyph->SetColor(TControl::GetColor());
  const bool tiledCover = FLayout == TabcButtonLayout::ablGlyphTiled && FGlyph->GetTransparentColor() == TControl::GetColor() &&
                          FGlyph->HasGlyph();
  if (!tiledCover) {
    c.Brush->SetStyle(bsSolid);
    c.Brush->SetColor(TControl::GetColor());
    c.FillRect(client);
  }
  const bool frameShown = !FPopup || down || hot || focusedOrDefault;
  if (frameShown) {
    TRect r = client;
    DrawFrame(c, r, down, hot, focusedOrDefault);
  }
  TRect area(client.Left + 1, client.Top + 1, client.Right - 1, client.Bottom - 1);
  if (down) area = TRect(area.Left + 1, area.Top + 1, area.Right + 1, area.Bottom + 1);
  TPoint glyphPos;
  TRect captionRect;
  LayoutIn(area, glyphPos, captionRect);
  if (FGlyph->HasGlyph()) {
    if (FLayout == TabcButtonLayout::ablGlyphTiled) {
      const TSize s = FGlyph->GlyphSize();
      for (int y = 0; y < client.Bottom; y += s.cy)
        for (int x = 0; x < client.Right; x += s.cx) FGlyph->Draw(c, x, y, TabcGlyphState::gsExclusive);
    } else {
      FGlyph->Draw(c, glyphPos.X, glyphPos.Y, state);
    }
  }
  DrawCaption(c, captionRect);
  if (frameShown) {
    TRect r = client;
    DrawFrame(c, r, down, hot && !focusedOrDefault, focusedOrDefault);
  }
  if (focused) {
    const TabcButtonStyle style = FStyle == absAutoDetect ? absNew : FStyle;
    const TRect fr = style == absWin31
                         ? TRect(captionRect.Left - 2, captionRect.Top - 1, captionRect.Right + 2, captionRect.Bottom + 1)
                         : TRect(client.Left + 4, client.Top + 4, client.Right - 4, client.Bottom - 4);
    c.Brush->SetStyle(bsSolid);
    c.Brush->SetColor(TControl::GetColor());
    c.Font->SetColor(clBlack);
    c.DrawFocusRect(fr);
  }
}
