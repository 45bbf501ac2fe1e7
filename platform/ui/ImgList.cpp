#include "platform/ui/ImgList.h"

#include <algorithm>

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() = default;

void TImageList::SetSize(int AWidth, int AHeight) {
  if (AWidth < 1 || AHeight < 1) throw EInvalidOperation("Invalid image size");
  FWidth = AWidth;
  FHeight = AHeight;
  Clear();
}

void TImageList::Changed() {
  if (OnChange) OnChange(this);
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
