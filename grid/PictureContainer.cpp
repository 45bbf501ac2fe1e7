#include "grid/PictureContainer.h"

#include "platform/gdi/GifFiles.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/ImageFiles.h"
#include "platform/rtl/ByteResources.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

KV_CLASS_IMPL(TPictureItem, TCollectionItem) {
  c.Property("Name", &TPictureItem::Name);
  c.Property("Tag", &TPictureItem::Tag).Default(0);
}
KV_CLASS_IMPL(TPictureCollection, TCollection) {}
KV_CLASS_IMPL(TPictureContainer, TComponent) {}

namespace {

const char* const kInvalidFormat = "Could not load image. Invalid format";

// The decoded pixels as a graphic that keeps transparent pixels transparent.
std::unique_ptr<TGraphic> GraphicFromRaw(const ImageFiles::TRawImage& Raw) {
  if (Raw.Width <= 0 || Raw.Height <= 0) throw EInvalidGraphic("Could not load image");
  const size_t n = size_t(Raw.Width) * size_t(Raw.Height);
  std::vector<uint32_t> colors(n);
  std::vector<bool> mask(n, false);
  for (size_t i = 0; i < n; ++i) {
    colors[i] = Raw.Pixels[i] & 0xFFFFFFu;
    if (Raw.HasAlpha) mask[i] = (Raw.Pixels[i] >> 24) < 128;
  }
  auto icon = std::make_unique<TIcon>();
  icon->SetPixels(Raw.Width, Raw.Height, colors, mask);
  return icon;
}

}  // namespace

// ================================================================ THTMLPicture

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

int32_t THTMLPicture::GetWidth() const { return FDecoded ? FDecoded->GetWidth() : 0; }
int32_t THTMLPicture::GetHeight() const { return FDecoded ? FDecoded->GetHeight() : 0; }

bool THTMLPicture::IsGIFFile() const { return GifFiles::IsGif(FData); }

void THTMLPicture::Changed() {
  if (OnChange) OnChange(this);
}

void THTMLPicture::Decode() {
  FDecoded.reset();
  FFrameXPos = FFrameYPos = FFrameWidth = FFrameHeight = 0;
  FMaxWidth = FMaxHeight = 0;
  if (FData.empty()) throw EInvalidGraphic(kInvalidFormat);
  ImageFiles::TRawImage raw;
  try {
    if (IsGIFFile()) {
      const GifFiles::TGifLayout layout = GifFiles::ScanGif(FData);
      if (layout.Frames.empty()) throw EInvalidGraphic(kInvalidFormat);
      FMaxWidth = layout.ScreenWidth;
      FMaxHeight = layout.ScreenHeight;
      const int index = std::max(FFrame, 1) - 1;
      if (size_t(index) >= layout.Frames.size()) throw EInvalidGraphic(kInvalidFormat);
      const GifFiles::TGifFrame& f = layout.Frames[size_t(index)];
      FFrameXPos = f.Left;
      FFrameYPos = f.Top;
      FFrameWidth = f.Width;
      FFrameHeight = f.Height;
      raw = GifFiles::ReadGifFrame(FData, index);
    } else {
      raw = ImageFiles::ReadImage(FData);
    }
  } catch (const Exception&) {
    throw EInvalidGraphic(kInvalidFormat);
  }
  FDecoded = GraphicFromRaw(raw);
}

void THTMLPicture::Draw(TCanvas& Canvas, const TRect& R) const {
  if (FEmpty || !FDecoded) return;
  if (Stretch) {
    FDecoded->Draw(Canvas, R);
    return;
  }
  TDeviceContext* dc = Canvas.GetHandle();
  const int ppx = dc->GetDeviceCaps(LOGPIXELSX), ppy = dc->GetDeviceCaps(LOGPIXELSY);
  const int w = GetWidth() * ppx / 96, h = GetHeight() * ppy / 96;
  FDecoded->Draw(Canvas, TRect(R.Left, R.Top, R.Left + w, R.Top + h));
}

void THTMLPicture::DrawStretched(TCanvas& Canvas, const TRect& R) const {
  if (!FEmpty && FDecoded) FDecoded->Draw(Canvas, R);
}

void THTMLPicture::LoadFromBytes(const std::vector<uint8_t>& Data) {
  FData = Data;
  FEmpty = false;
  FFrameCount = -1;
  Decode();
  Changed();
}

void THTMLPicture::LoadFromFile(const std::string& FileName) {
  try {
    LoadFromBytes(ImageFiles::ReadFileBytes(FileName));
  } catch (const Exception&) {
    FData.clear();
    FDecoded.reset();
    FEmpty = true;
  }
}

void THTMLPicture::SaveToFile(const std::string& FileName) const { ImageFiles::WriteFileBytes(FileName, FData); }

std::unique_ptr<TGraphic> THTMLPicture::Clone() const {
  auto p = std::make_unique<THTMLPicture>();
  p->Assign(this);
  p->SetFrame(FFrame);
  p->Stretch = Stretch;
  return p;
}

void THTMLPicture::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  const std::string bytes = Stream->ReadAll();
  LoadFromBytes(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void THTMLPicture::SaveToStream(TStream* Stream) const {
  if (Stream && !FData.empty()) Stream->WriteBuffer(FData.data(), int64_t(FData.size()));
}

void THTMLPicture::ReadData(TStream* Stream) {
  if (!Stream) return;
  const std::string bytes = Stream->ReadAll();
  FData.assign(bytes.begin(), bytes.end());
  FEmpty = false;
  FFrameCount = -1;
  Decode();
}

void THTMLPicture::LoadFromResourceName(const std::string& Name) {
  if (const std::vector<uint8_t>* data = ByteResources::Find(Name)) LoadFromBytes(*data);
}

void THTMLPicture::LoadFromURL(const std::string& URL) {
  const std::string upper = SysUtils::UpperCase(URL);
  if (upper.rfind("RES://", 0) == 0) {
    ID = upper;
    LoadFromResourceName(upper.substr(6));
  } else if (upper.rfind("FILE://", 0) == 0) {
    ID = upper;
    // The file keeps the case it was named with: file names here are case-sensitive.
    LoadFromFile(URL.substr(7));
  } else if (!Asynch) {
    FPendingURL = upper;
    ID = upper;
  } else if (!FLoadBusy) {
    FPendingURL = upper;
    FLoadBusy = true;
  }
}

void THTMLPicture::Assign(const TGraphic* Source) {
  FEmpty = true;
  FDecoded.reset();
  FFrameCount = -1;
  FFrame = 1;
  if (!Source) {
    FData.clear();
    return;
  }
  const auto* src = dynamic_cast<const THTMLPicture*>(Source);
  if (!src) return;
  FData = src->FData;
  if (FData.empty()) return;
  FEmpty = false;
  Decode();
  Changed();
}

void THTMLPicture::SetFrame(int Value) {
  FFrame = Value;
  if (FData.empty()) return;
  Decode();
  if (OnFrameChange) OnFrameChange(this);
}

int THTMLPicture::FrameCount() {
  if (FFrameCount < 0 && IsGIFFile()) {
    try {
      FFrameCount = static_cast<int>(GifFiles::ScanGif(FData).Frames.size());
    } catch (const EInvalidGraphic&) {
      FFrameCount = 0;
    }
  }
  return FFrameCount;
}

// ================================================================ THTMLPictureCache

THTMLPictureCache::THTMLPictureCache() = default;
THTMLPictureCache::~THTMLPictureCache() = default;

THTMLPicture* THTMLPictureCache::AddPicture() {
  FItems.push_back(std::make_unique<THTMLPicture>());
  FItems.back()->Asynch = true;
  return FItems.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const std::string& ID) const {
  for (const auto& p : FItems)
    if (p->ID == ID) return p.get();
  return nullptr;
}

THTMLPicture* THTMLPictureCache::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(SysUtils::Format("List index out of bounds (%d)", {Index}));
  return FItems[size_t(Index)].get();
}

// ================================================================ container

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), FPicture(std::make_unique<THTMLPicture>()) {}

TPictureItem::~TPictureItem() = default;

void TPictureItem::SetPicture(const THTMLPicture* Value) { FPicture->Assign(Value); }

void TPictureItem::Assign(const TPersistent* Source) {
  const auto* src = dynamic_cast<const TPictureItem*>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  Name = src->Name;
  Tag = src->Tag;
  SetPicture(src->GetPicture());
}

TPictureCollection::TPictureCollection(TComponent* AOwner)
    : TCollection(TPictureItem::StaticClass(), ItemFactoryOf<TPictureItem>(), AOwner) {}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this)) {}

TPictureContainer::~TPictureContainer() = default;

void TPictureContainer::SetItems(const TPictureCollection* Value) { FItems->Assign(Value); }

THTMLPicture* TPictureContainer::FindPicture(const std::string& Name) const {
  for (int i = 0; i < FItems->Count(); ++i)
    if (SysUtils::UpperCase(FItems->Item(i)->Name) == Name) return FItems->Item(i)->GetPicture();
  return nullptr;
}
