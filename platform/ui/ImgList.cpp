#include "platform/ui/ImgList.h"

#include <algorithm>

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() {
  // One link at a time, so a handler freeing another link finds it unregistered.
  while (!FLinks.empty()) {
    TChangeLink* link = FLinks.back();
    FLinks.pop_back();
    link->FSender = nullptr;
    if (link->OnChange) link->OnChange();
  }
}

TChangeLink::~TChangeLink() {
  if (FSender) FSender->UnRegisterChanges(this);
}

void TImageList::RegisterChanges(TChangeLink* Link) {
  if (!Link || Link->FSender == this) return;
  if (Link->FSender) Link->FSender->UnRegisterChanges(Link);
  Link->FSender = this;
  FLinks.push_back(Link);
}

void TImageList::UnRegisterChanges(TChangeLink* Link) {
  if (!Link || Link->FSender != this) return;
  FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), Link), FLinks.end());
  Link->FSender = nullptr;
}

void TImageList::SetSize(int AWidth, int AHeight) {
  if (AWidth < 1 || AHeight < 1) throw EInvalidOperation("Invalid image size");
  FWidth = AWidth;
  FHeight = AHeight;
  Clear();
}

void TImageList::Changed() {
  if (OnChange) OnChange(this);
  // By index: a handler may unregister links while the change goes round.
  for (size_t i = 0; i < FLinks.size(); ++i)
    if (TChangeLink* link = FLinks[i]; link->OnChange) link->OnChange();
}

const TImageList::TImage& TImageList::At(int Index) const {
  if (Index < 0 || Index >= Count()) throw EInvalidOperation("Invalid image list index (" + std::to_string(Index) + ")");
  return FImages[static_cast<size_t>(Index)];
}

int TImageList::Add(const TBitmap* Image, const TBitmap* Mask) {
  if (!Image || Image->GetEmpty()) return -1;
  const int first = Count();
  const int pieces = std::max(Image->GetWidth() / FWidth, 1);
  for (int p = 0; p < pieces; ++p) {
    TImage image;
    image.Pixels.resize(static_cast<size_t>(FWidth) * FHeight, clNone);
    for (int y = 0; y < FHeight && y < Image->GetHeight(); ++y)
      for (int x = 0; x < FWidth && p * FWidth + x < Image->GetWidth(); ++x) {
        const int sx = p * FWidth + x;
        const bool transparent = Mask && Mask->GetPixelColor(sx, y) != clBlack && Mask->GetPixelColor(sx, y) != clNone;
        if (!transparent) image.Pixels[static_cast<size_t>(y * FWidth + x)] = Image->GetPixelColor(sx, y);
      }
    FImages.push_back(std::move(image));
  }
  Changed();
  return first;
}

int TImageList::AddMasked(const TBitmap* Image, TColor MaskColor) {
  if (!Image || Image->GetEmpty()) return -1;
  const TColor mask = MaskColor == clDefault ? Image->GetPixelColor(0, Image->GetHeight() - 1) : ColorToRGB(MaskColor);
  TBitmap maskBits(Image->GetWidth(), Image->GetHeight());
  TCanvas& c = *maskBits.GetCanvas();
  c.Brush->SetColor(clBlack);
  c.FillRect(Rect(0, 0, Image->GetWidth(), Image->GetHeight()));
  for (int y = 0; y < Image->GetHeight(); ++y)
    for (int x = 0; x < Image->GetWidth(); ++x)
      if (Image->GetPixelColor(x, y) == mask) c.SetPixel(x, y, clWhite);
  return Add(Image, &maskBits);
}

void TImageList::Delete(int Index) {
  At(Index);
  FImages.erase(FImages.begin() + Index);
  Changed();
}

void TImageList::Clear() {
  FImages.clear();
  Changed();
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) const {
  if (!Canvas) return;
  const TImage& image = At(Index);
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) {
      TColor c = image.Pixels[static_cast<size_t>(y * FWidth + x)];
      if (c == clNone) continue;
      if (!Enabled) {
        // Grey of the same lightness, lightened towards the button face.
        const int grey = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
        const uint8_t g = static_cast<uint8_t>(128 + grey / 2);
        c = RGB(g, g, g);
      }
      Canvas->SetPixel(X + x, Y + y, c);
    }
}

void TImageList::GetBitmap(int Index, TBitmap* Image) const {
  if (!Image) return;
  At(Index);
  Image->SetSize(FWidth, FHeight);
  TCanvas& c = *Image->GetCanvas();
  c.Brush->SetColor(BkColor);
  c.Brush->SetStyle(bsSolid);
  c.FillRect(Rect(0, 0, FWidth, FHeight));
  Draw(&c, 0, 0, Index, true);
}
