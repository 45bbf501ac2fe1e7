// TBitmap and its file forms (BMP, PNG, JPEG), the picture holder, and brush
// patterns from bitmaps.

#include "platform/gdi/BitmapImpl.h"
#include "platform/gdi/ImageFiles.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/Metafile.h"
#include "platform/gdi/PictureFormats.h"
#include "platform/rtl/Streaming.h"

#include <algorithm>
#include <cstring>

namespace {

QImage::Format StorageFormat(TPixelFormat f) {
  switch (f) {
    case pf24bit: return QImage::Format_BGR888;
    case pf32bit: return QImage::Format_ARGB32;
    default: return QImage::Format_RGB32;
  }
}

int PaletteBits(TPixelFormat f) {
  switch (f) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    default: return 0;
  }
}

ImageFiles::TRawImage ToRaw(const QImage& img, bool alpha) {
  ImageFiles::TRawImage raw;
  raw.Width = img.width();
  raw.Height = img.height();
  raw.HasAlpha = alpha;
  raw.Pixels.resize(size_t(raw.Width) * size_t(raw.Height));
  const QImage argb = img.format() == QImage::Format_ARGB32 ? img : img.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < raw.Height; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(argb.constScanLine(y));
    std::copy(row, row + raw.Width, raw.Pixels.begin() + long(y) * raw.Width);
    if (!alpha)
      for (int x = 0; x < raw.Width; ++x) raw.Pixels[size_t(y) * size_t(raw.Width) + size_t(x)] |= 0xFF000000u;
  }
  return raw;
}

// The canvas of a bitmap owns the device context that paints into the bitmap.
class TBitmapCanvas final : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap& B) : DC_(CreateBitmapBackend(B)) {
    SetHandle(&DC_);
    Font->SetColor(clBlack);
  }

private:
  TDeviceContext DC_;
};

}  // namespace

namespace BitmapPixels {
const std::vector<uint32_t>* Palette(const TBitmap& B) {
  const auto& p = TBitmapAccess::Of(B).Palette;
  return p.empty() ? nullptr : &p;
}
}  // namespace BitmapPixels

TBitmap::TBitmap() : d_(std::make_unique<Impl>()) {}
TBitmap::TBitmap(int32_t Width, int32_t Height) : TBitmap() { SetSize(Width, Height); }
TBitmap::~TBitmap() = default;

int32_t TBitmap::GetWidth() const { return d_->Image.width(); }
int32_t TBitmap::GetHeight() const { return d_->Image.height(); }
bool TBitmap::GetEmpty() const { return d_->Image.isNull() || d_->Image.width() == 0 || d_->Image.height() == 0; }
void TBitmap::SetWidth(int32_t V) { SetSize(V, GetHeight()); }
void TBitmap::SetHeight(int32_t V) { SetSize(GetWidth(), V); }

void TBitmap::SetSize(int32_t W, int32_t H) {
  W = std::max(0, W);
  H = std::max(0, H);
  if (W == GetWidth() && H == GetHeight() && !(W == 0 && H == 0 && !d_->Image.isNull())) return;
  if (int64_t(W) > ImageFiles::MaxDimension || int64_t(H) > ImageFiles::MaxDimension ||
      int64_t(W) * int64_t(H) > ImageFiles::MaxPixels)
    throw EInvalidGraphic("Bitmap size " + std::to_string(W) + " x " + std::to_string(H) + " is too large");
  if (W == 0 || H == 0) {
    d_->Image = QImage();
  } else {
    QImage next(W, H, StorageFormat(d_->Format));
    if (next.isNull()) throw EOutOfMemory("Out of memory for a bitmap of " + std::to_string(W) + " x " + std::to_string(H));
    next.fill(QColor(255, 255, 255, 255));
    if (!d_->Image.isNull()) {
      const QImage old = d_->Image.format() == next.format() ? d_->Image : d_->Image.convertToFormat(next.format());
      const int cw = std::min(W, GetWidth()), ch = std::min(H, GetHeight());
      const int bpp = next.depth() / 8;
      for (int y = 0; y < ch; ++y) std::memcpy(next.scanLine(y), old.constScanLine(y), size_t(cw * bpp));
    }
    d_->Image = next;
  }
  Modified();
}

TPixelFormat TBitmap::GetPixelFormat() const { return d_->Format; }

void TBitmap::SetPixelFormat(TPixelFormat V) {
  if (V == pfCustom) throw EInvalidGraphic("A bitmap cannot take the custom pixel format");
  if (V == d_->Format) return;
  const TPixelFormat old = d_->Format;
  d_->Format = V;
  if (!d_->Image.isNull()) {
    QImage next = d_->Image.convertToFormat(StorageFormat(V));
    if (V == pf32bit && old != pf32bit) {
      // Pixels that carried no alpha become opaque.
      for (int y = 0; y < next.height(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(next.scanLine(y));
        for (int x = 0; x < next.width(); ++x) row[x] |= 0xFF000000u;
      }
    }
    d_->Image = next;
  }
  d_->Palette.clear();
  if (const int bits = PaletteBits(V)) {
    // The picture's own colours stay exact; the free entries take the standard
    // colours so that what is drawn afterwards is not reduced to the few colours
    // a blank bitmap holds. Monochrome bitmaps are black and white.
    d_->Palette = d_->Image.isNull() || bits == 1 ? ImageFiles::StandardPalette(bits)
                                                  : ImageFiles::PaletteFor(ToRaw(d_->Image, false), bits);
    const size_t cap = size_t(1) << bits;
    for (uint32_t c : ImageFiles::StandardPalette(bits)) {
      if (d_->Palette.size() >= cap) break;
      if (std::find(d_->Palette.begin(), d_->Palette.end(), c) == d_->Palette.end()) d_->Palette.push_back(c);
    }
    // Reduce every pixel to its nearest palette colour; a run of one colour is
    // looked up once (large pictures of few colours are mostly runs).
    uint32_t lastIn = 0xFFFFFFFFu, lastOut = 0;  // no 24-bit colour equals lastIn at first
    for (int y = 0; y < d_->Image.height(); ++y) {
      auto* row = reinterpret_cast<uint32_t*>(d_->Image.scanLine(y));
      for (int x = 0; x < d_->Image.width(); ++x) {
        const uint32_t c = row[x] & 0xFFFFFF;
        if (c != lastIn) {
          lastIn = c;
          lastOut = 0xFF000000u | d_->Palette[ImageFiles::NearestInPalette(c, d_->Palette)];
        }
        row[x] = lastOut;
      }
    }
  }
  Modified();
}

void TBitmap::SetMonochrome(bool V) {
  if (V) SetPixelFormat(pf1bit);
  else if (GetPixelFormat() == pf1bit) SetPixelFormat(pfDevice);
}

TColor TBitmap::GetTransparentColor() const {
  if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
  if (GetEmpty()) return clDefault;
  return GetPixelColor(0, GetHeight() - 1);
}
void TBitmap::SetTransparentColor(TColor V) {
  FTransparentColor = V;
  FTransparentMode = V == clDefault ? tmAuto : tmFixed;
}

TCanvas* TBitmap::GetCanvas() {
  if (!d_->Canvas) d_->Canvas = std::make_unique<TBitmapCanvas>(*this);
  return d_->Canvas.get();
}

uint8_t* TBitmap::ScanLine(int32_t Y) {
  const TPixelFormat f = d_->Format;
  if (f != pf24bit && f != pf32bit && f != pfDevice)
    throw EInvalidGraphic("Scan lines are available for 24- and 32-bit bitmaps only");
  if (Y < 0 || Y >= GetHeight())
    throw EInvalidGraphic("Scan line index out of range: " + std::to_string(Y) + " (height " +
                          std::to_string(GetHeight()) + ")");
  return d_->Image.scanLine(Y);
}
const uint8_t* TBitmap::ScanLine(int32_t Y) const { return const_cast<TBitmap*>(this)->ScanLine(Y); }

TColor TBitmap::GetPixelColor(int32_t X, int32_t Y) const {
  if (X < 0 || Y < 0 || X >= GetWidth() || Y >= GetHeight()) return clNone;
  return BitmapPixels::FromRgb(d_->Image.pixel(X, Y) & 0xFFFFFF);
}

void TBitmap::Assign(const TBitmap& Source) {
  if (&Source == this) return;
  d_->Image = Source.d_->Image.copy();
  d_->Format = Source.d_->Format;
  d_->Palette = Source.d_->Palette;
  FTransparent = Source.FTransparent;
  FTransparentMode = Source.FTransparentMode;
  FTransparentColor = Source.FTransparentColor;
  Modified();
}

void TBitmap::Draw(TCanvas& Canvas, const TRect& R) const {
  if (GetEmpty()) return;
  TDeviceContext* dc = Canvas.GetHandle();
  if (!FTransparent) {
    dc->StretchBltBitmap(R, *this, TRect(0, 0, GetWidth(), GetHeight()), Canvas.CopyMode);
    return;
  }
  // Transparent drawing leaves the pixels of the transparent colour alone.
  const uint32_t key = BitmapPixels::ToRgb(GetTransparentColor());
  const int32_t w = R.Width(), h = R.Height();
  if (w == 0 || h == 0) return;
  TRect clip;
  dc->GetClipBox(clip);
  for (int32_t y = 0; y < std::abs(h); ++y) {
    const int32_t sy = int32_t(int64_t(y) * GetHeight() / std::abs(h));
    const int32_t py = std::min(R.Top, R.Bottom) + y;
    if (py < clip.Top || py >= clip.Bottom) continue;
    for (int32_t x = 0; x < std::abs(w); ++x) {
      const int32_t sx = int32_t(int64_t(x) * GetWidth() / std::abs(w));
      const uint32_t v = d_->Image.pixel(sx, sy) & 0xFFFFFF;
      if (v != key) dc->SetPixel(std::min(R.Left, R.Right) + x, py, BitmapPixels::FromRgb(v));
    }
  }
}

namespace {
void LoadRaw(TBitmap& B, const ImageFiles::TRawImage& raw, TPixelFormat format, const std::vector<uint32_t>& palette) {
  QImage img(raw.Width, raw.Height, QImage::Format_ARGB32);
  for (int y = 0; y < raw.Height; ++y)
    std::memcpy(img.scanLine(y), &raw.Pixels[size_t(y) * size_t(raw.Width)], size_t(raw.Width) * 4);
  B.SetSize(0, 0);
  B.SetPixelFormat(pf32bit);
  B.Image() = img;
  B.SetPixelFormat(format);
  // Keep the file's own palette: its order matters when the file is written again.
  if (!palette.empty() && PaletteBits(format)) TBitmapAccess::Of(B).Palette = palette;
  B.Modified();
}
}  // namespace

void TBitmap::LoadFromBytes(const std::vector<uint8_t>& Data) {
  if (ImageFiles::DetectKind(Data) != ImageFiles::TImageKind::Bmp)
    throw EInvalidGraphic("Bitmap image is not valid: the data is not a BMP file");
  const ImageFiles::TRawImage raw = ImageFiles::ReadBmp(Data);
  TPixelFormat f = pf24bit;
  switch (raw.BitsPerPixel) {
    case 1: f = pf1bit; break;
    case 4: f = pf4bit; break;
    case 8: f = pf8bit; break;
    case 15: f = pf15bit; break;
    case 16: f = pf16bit; break;
    case 32: f = pf32bit; break;
    default: f = pf24bit; break;
  }
  LoadRaw(*this, raw, f, raw.Palette);
}

std::vector<uint8_t> TBitmap::SaveToBytes() const {
  if (GetEmpty()) throw EInvalidGraphic("An empty bitmap cannot be saved");
  int bits = 24;
  switch (d_->Format) {
    case pf1bit: bits = 1; break;
    case pf4bit: bits = 4; break;
    case pf8bit: bits = 8; break;
    case pf15bit: bits = 15; break;
    case pf16bit: bits = 16; break;
    case pf32bit: bits = 32; break;
    default: bits = 24; break;
  }
  return ImageFiles::WriteBmp(ToRaw(d_->Image, d_->Format == pf32bit), bits, d_->Palette);
}

void TBitmap::LoadFromFile(const std::string& FileName) { LoadFromBytes(ImageFiles::ReadFileBytes(FileName)); }
void TBitmap::SaveToFile(const std::string& FileName) const { ImageFiles::WriteFileBytes(FileName, SaveToBytes()); }

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto b = std::make_unique<TBitmap>();
  b->Assign(*this);
  return b;
}

QImage& TBitmap::Image() { return d_->Image; }
const QImage& TBitmap::Image() const { return d_->Image; }

void TBitmap::Modified() {
  if (OnChange) OnChange(this);
}

namespace BitmapPixels {
TPixelFormat Format(const TBitmap& B) { return B.GetPixelFormat(); }
}  // namespace BitmapPixels

// ---- PNG and JPEG forms ----
void TPngImage::LoadFromBytes(const std::vector<uint8_t>& Data) {
  const ImageFiles::TRawImage raw = ImageFiles::ReadPng(Data);
  LoadRaw(*this, raw, raw.HasAlpha ? pf32bit : pf24bit, {});
}
std::vector<uint8_t> TPngImage::SaveToBytes() const {
  if (GetEmpty()) throw EInvalidGraphic("An empty picture cannot be saved");
  return ImageFiles::WritePng(ToRaw(Image(), GetPixelFormat() == pf32bit));
}
void TPngImage::LoadFromFile(const std::string& FileName) { LoadFromBytes(ImageFiles::ReadFileBytes(FileName)); }
void TPngImage::SaveToFile(const std::string& FileName) const { ImageFiles::WriteFileBytes(FileName, SaveToBytes()); }
std::unique_ptr<TGraphic> TPngImage::Clone() const {
  auto b = std::make_unique<TPngImage>();
  b->Assign(*this);
  return b;
}

void TJPEGImage::LoadFromBytes(const std::vector<uint8_t>& Data) {
  LoadRaw(*this, ImageFiles::ReadJpeg(Data), pf24bit, {});
}
std::vector<uint8_t> TJPEGImage::SaveToBytes() const {
  if (GetEmpty()) throw EInvalidGraphic("An empty picture cannot be saved");
  return ImageFiles::WriteJpeg(ToRaw(Image(), false), CompressionQuality);
}
void TJPEGImage::LoadFromFile(const std::string& FileName) { LoadFromBytes(ImageFiles::ReadFileBytes(FileName)); }
void TJPEGImage::SaveToFile(const std::string& FileName) const { ImageFiles::WriteFileBytes(FileName, SaveToBytes()); }
std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto b = std::make_unique<TJPEGImage>();
  b->Assign(*this);
  b->CompressionQuality = CompressionQuality;
  return b;
}

// ---- TPicture files ----
void TPicture::LoadFromFile(const std::string& FileName) {
  const std::vector<uint8_t> data = ImageFiles::ReadFileBytes(FileName);
  std::unique_ptr<TGraphic> g;
  switch (ImageFiles::DetectKind(data)) {
    case ImageFiles::TImageKind::Bmp: g = std::make_unique<TBitmap>(); break;
    case ImageFiles::TImageKind::Png: g = std::make_unique<TPngImage>(); break;
    case ImageFiles::TImageKind::Jpeg: g = std::make_unique<TJPEGImage>(); break;
    default:
      if (data.size() >= 4 && data[0] == 0 && data[1] == 0 && data[2] == 1 && data[3] == 0) {
        g = std::make_unique<TIcon>();
        break;
      }
      if (Emf::IsMetafileData(data) || Emf::IsOldMetafileData(data)) {
        g = std::make_unique<TMetafile>();
        break;
      }
      // None of the built-in formats: the class registered for the file's extension.
      g = PictureFormats::CreateForFile(FileName);
      if (!g) throw EInvalidGraphic("Unknown picture file format in \"" + FileName + "\"");
      break;
  }
  g->LoadFromBytes(data);  // the current picture stays when reading fails
  SetGraphic(std::move(g));
}

KV_CLASS_IMPL(TPicture, TPersistent) {}

void TPicture::DefineProperties(TFiler& Filer) {
  TPersistent::DefineProperties(Filer);
  Filer.DefineBinaryProperty(
      "Data",
      [this](TStream& Stream) {
        std::string bytes(static_cast<size_t>(Stream.GetSize() - Stream.GetPosition()), '\0');
        Stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
        SetData(bytes);
      },
      [this](TStream& Stream) {
        const std::string bytes = GetData();
        Stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
      },
      IsDataStored());
}

std::string TPicture::GetData() const {
  if (Empty()) return {};
  const std::string name = FGraphic->GraphicClassName();
  const std::vector<uint8_t> bytes = FGraphic->SaveToBytes();
  std::string out;
  out.push_back(static_cast<char>(name.size()));
  out += name;
  const auto n = static_cast<uint32_t>(bytes.size());
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(n >> (8 * i)));
  out.append(bytes.begin(), bytes.end());
  return out;
}

void TPicture::SetData(const std::string& Data) {
  if (Data.empty()) {
    SetGraphic(static_cast<const TGraphic*>(nullptr));
    return;
  }
  const size_t nameLength = static_cast<uint8_t>(Data[0]);
  if (Data.size() < 1 + nameLength + 4) throw EInvalidGraphic("Picture data ends early");
  const std::string name = Data.substr(1, nameLength);
  uint32_t count = 0;
  for (int i = 0; i < 4; ++i) count |= uint32_t(static_cast<uint8_t>(Data[1 + nameLength + i])) << (8 * i);
  const size_t at = 1 + nameLength + 4;
  if (Data.size() - at < count) throw EInvalidGraphic("Picture data of " + name + " ends early");
  std::unique_ptr<TGraphic> g = Graphics::CreateGraphic(name);
  if (!g) throw EInvalidGraphic("Unknown picture class \"" + name + "\" in stored picture");
  g->LoadFromBytes(std::vector<uint8_t>(Data.begin() + static_cast<std::ptrdiff_t>(at),
                                        Data.begin() + static_cast<std::ptrdiff_t>(at + count)));
  SetGraphic(std::move(g));
}

std::vector<TColor> TBitmap::GetPalette() const {
  std::vector<TColor> out;
  for (uint32_t rgb : d_->Palette) out.push_back(BitmapPixels::FromRgb(rgb));
  return out;
}

namespace {
struct TGraphicClass {
  std::string Name;
  Graphics::TGraphicFactory Factory;
};
std::vector<TGraphicClass>& GraphicClasses() {
  static std::vector<TGraphicClass> classes = {
      {"TBitmap", [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); }},
      {"TPngImage", [] { return std::unique_ptr<TGraphic>(std::make_unique<TPngImage>()); }},
      {"TJPEGImage", [] { return std::unique_ptr<TGraphic>(std::make_unique<TJPEGImage>()); }},
      {"TMetafile", [] { return std::unique_ptr<TGraphic>(std::make_unique<TMetafile>()); }},
      {"TIcon", [] { return std::unique_ptr<TGraphic>(std::make_unique<TIcon>()); }},
  };
  return classes;
}
}  // namespace

void Graphics::RegisterGraphicClass(const std::string& ClassName, TGraphicFactory Factory) {
  for (TGraphicClass& c : GraphicClasses())
    if (SysUtils::SameText(c.Name, ClassName)) {
      c.Factory = Factory;
      return;
    }
  GraphicClasses().push_back({ClassName, Factory});
}

std::unique_ptr<TGraphic> Graphics::CreateGraphic(const std::string& ClassName) {
  for (const TGraphicClass& c : GraphicClasses())
    if (SysUtils::SameText(c.Name, ClassName) && c.Factory) return c.Factory();
  return nullptr;
}

void TPicture::SaveToFile(const std::string& FileName) const {
  if (!FGraphic) throw EInvalidGraphic("There is no picture to save");
  FGraphic->SaveToFile(FileName);
}

// ---- brush patterns ----
namespace Graphics {
std::shared_ptr<const TBrushPattern> PatternFromBitmap(const TBitmap& Bitmap) {
  auto p = std::make_shared<TBrushPattern>();
  if (Bitmap.GetEmpty()) return p;
  // Patterns use at most 8 x 8 pixels, as the platform's pattern brushes do.
  p->Width = std::min(Bitmap.GetWidth(), 8);
  p->Height = std::min(Bitmap.GetHeight(), 8);
  p->Monochrome = Bitmap.GetPixelFormat() == pf1bit;
  p->Pixels.resize(size_t(p->Width) * size_t(p->Height));
  for (int32_t y = 0; y < p->Height; ++y)
    for (int32_t x = 0; x < p->Width; ++x) {
      const uint32_t rgb = Bitmap.Image().pixel(x, y) & 0xFFFFFF;
      p->Pixels[size_t(y) * size_t(p->Width) + size_t(x)] = p->Monochrome ? (rgb == 0xFFFFFF ? 1u : 0u) : rgb;
    }
  return p;
}
}  // namespace Graphics
