#pragma once
// PictureContainer: pictures that cell markup names. THTMLPicture keeps the
// bytes of a picture file (GIF with frame choice, BMP, PNG, JPEG) and shows
// the decoded picture; THTMLPictureCache holds the pictures named by a URL;
// TPictureContainer is a component of named pictures.

#include "platform/gdi/Graphics.h"
#include "platform/rtl/Classes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class THTMLPicture : public TGraphic {
 public:
  THTMLPicture();
  ~THTMLPicture() override;

  // ---- the graphic
  int32_t GetWidth() const override;
  int32_t GetHeight() const override;
  bool GetEmpty() const override { return FEmpty; }
  // Nothing when empty; with Stretch into R, else at its own size (scaled by
  // the canvas's pixels per inch over 96) from R's top-left corner.
  void Draw(TCanvas& Canvas, const TRect& R) const override;
  // Draws the picture stretched into R whatever Stretch says.
  void DrawStretched(TCanvas& Canvas, const TRect& R) const;
  // Any failure (missing file, undecodable data) leaves the picture empty.
  void LoadFromFile(const std::string& FileName) override;
  void SaveToFile(const std::string& FileName) const override;
  // The bytes become the picture's data and are decoded; then OnChange fires.
  // EInvalidGraphic "Could not load image. Invalid format" when they do not decode.
  void LoadFromBytes(const std::vector<uint8_t>& Data) override;
  std::vector<uint8_t> SaveToBytes() const override { return FData; }
  std::unique_ptr<TGraphic> Clone() const override;
  std::string GraphicClassName() const override { return "THTMLPicture"; }

  // ---- streams
  // nullptr does nothing; otherwise as LoadFromBytes with the rest of the stream.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream) const;
  // The stored form: the raw bytes; reading decodes without OnChange.
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream) const { SaveToStream(Stream); }
  // The program's byte resource Name, when there is one.
  void LoadFromResourceName(const std::string& Name);
  // "RES://name" loads the byte resource, "FILE://path" the file (the
  // identity becomes the upper-cased URL); other addresses are not fetched:
  // without asynchronous loading the upper-cased URL becomes the identity,
  // with it the load stays pending.
  void LoadFromURL(const std::string& URL);

  // Copies another THTMLPicture's data (nullptr empties it); frame 1 again.
  void Assign(const TGraphic* Source);

  // ---- frames of a GIF picture
  int GetFrame() const { return FFrame; }
  // Shows frame Value (from 1); with data, decodes again and fires OnFrameChange.
  void SetFrame(int Value);
  // Counted once; -1 for data that is not a GIF picture.
  int FrameCount();
  bool IsGIFFile() const;
  int FrameXPos() const { return FFrameXPos; }
  int FrameYPos() const { return FFrameYPos; }
  int FrameWidth() const { return FFrameWidth; }
  int FrameHeight() const { return FFrameHeight; }
  // The GIF's logical screen when known, else the picture's size.
  int MaxWidth() const { return FMaxWidth ? FMaxWidth : GetWidth(); }
  int MaxHeight() const { return FMaxHeight ? FMaxHeight : GetHeight(); }

  bool Stretch = false;
  bool Asynch = true;
  bool LoadBusy() const { return FLoadBusy; }
  // The upper-cased URL the picture came from (what the cache compares).
  std::string ID;
  const std::string& PendingURL() const { return FPendingURL; }
  bool Decoded() const { return FDecoded != nullptr; }

  // Nothing fetches from the network, so the four download events never fire.
  std::function<void(THTMLPicture* Sender)> OnFrameChange;
  std::function<void(THTMLPicture* Sender, uint32_t Size, uint32_t TotalSize)> OnDownLoadProgress;
  std::function<void(THTMLPicture* Sender)> OnDownLoadComplete;
  std::function<void(THTMLPicture* Sender, bool& Cancel)> OnDownLoadCancel;
  std::function<void(THTMLPicture* Sender, const std::string& Error)> OnDownLoadError;

 private:
  void Decode();
  void Changed();
  std::vector<uint8_t> FData;
  std::unique_ptr<TGraphic> FDecoded;
  bool FEmpty = true;
  bool FLoadBusy = false;
  int FFrame = 1;
  int FFrameCount = -1;
  int FFrameXPos = 0, FFrameYPos = 0, FFrameWidth = 0, FFrameHeight = 0;
  int FMaxWidth = 0, FMaxHeight = 0;
  std::string FPendingURL;
};

// Pictures named by a URL; the cache owns them.
class THTMLPictureCache {
 public:
  THTMLPictureCache();
  ~THTMLPictureCache();
  THTMLPictureCache(const THTMLPictureCache&) = delete;
  THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;
  // A new empty picture (asynchronous loading on), appended.
  THTMLPicture* AddPicture();
  // The first picture whose identity is ID exactly; nullptr when none.
  THTMLPicture* FindPicture(const std::string& ID) const;
  THTMLPicture* Items(int Index) const;
  int Count() const { return static_cast<int>(FItems.size()); }
  void Clear() { FItems.clear(); }

 private:
  std::vector<std::unique_ptr<THTMLPicture>> FItems;
};

class TPictureItem : public TCollectionItem {
  KV_CLASS(TPictureItem, TCollectionItem)
 public:
  explicit TPictureItem(TCollection* Collection);
  ~TPictureItem() override;
  THTMLPicture* GetPicture() const { return FPicture.get(); }
  // Copies Value into the item's own picture.
  void SetPicture(const THTMLPicture* Value);
  std::string Name;
  int32_t Tag = 0;
  // EConvertError for a source that is no TPictureItem.
  void Assign(const TPersistent* Source) override;

 private:
  std::unique_ptr<THTMLPicture> FPicture;
};

class TPictureCollection : public TCollection {
  KV_CLASS(TPictureCollection, TCollection)
 public:
  explicit TPictureCollection(TComponent* AOwner = nullptr);
  TPictureItem* Item(int Index) const { return ItemAs<TPictureItem>(Index); }
  TPictureItem* AddItem() { return static_cast<TPictureItem*>(Add()); }
};

class TPictureContainer : public TComponent {
  KV_CLASS(TPictureContainer, TComponent)
 public:
  explicit TPictureContainer(TComponent* AOwner);
  ~TPictureContainer() override;
  TPictureCollection* GetItems() const { return FItems.get(); }
  // Copies the items of Value.
  void SetItems(const TPictureCollection* Value);
  // The picture of the first item whose upper-cased name equals Name (callers
  // pass upper-cased names); nullptr when none.
  THTMLPicture* FindPicture(const std::string& Name) const;

 private:
  std::unique_ptr<TPictureCollection> FItems;
};
