#pragma once
// Image lists: equal-sized pictures drawn by index, with a transparent colour.

#include "platform/gdi/Graphics.h"
#include "platform/rtl/Classes.h"

#include <functional>
#include <vector>

class TImageList;

// Tells its holder of every change of the image list it is registered with.
// Freeing the list unregisters the link and runs OnChange once more.
class TChangeLink {
 public:
  TChangeLink() = default;
  ~TChangeLink();
  TChangeLink(const TChangeLink&) = delete;
  TChangeLink& operator=(const TChangeLink&) = delete;
  // The list the link is registered with; none after that list is freed.
  TImageList* Sender() const { return FSender; }
  std::function<void()> OnChange;

 private:
  friend class TImageList;
  TImageList* FSender = nullptr;
};

class TImageList : public TComponent {
  KV_CLASS(TImageList, TComponent)
 public:
  explicit TImageList(TComponent* AOwner);
  ~TImageList() override;
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  // Changing the size empties the list.
  void SetSize(int AWidth, int AHeight);
  int Count() const { return static_cast<int>(FImages.size()); }
  // Adds Image, cut into Width-wide pieces; pixels set in Mask (non-black) are
  // transparent. Returns the index of the first piece added.
  int Add(const TBitmap* Image, const TBitmap* Mask);
  // As Add, with MaskColor (clDefault: the bottom-left pixel) transparent.
  int AddMasked(const TBitmap* Image, TColor MaskColor);
  void Delete(int Index);
  void Clear();
  // Draws image Index at X,Y; a disabled image is drawn grey.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true) const;
  // Copies image Index into Image, transparent pixels in BkColor.
  void GetBitmap(int Index, TBitmap* Image) const;
  TColor BkColor = clBtnFace;
  TNotifyEvent OnChange;
  // Link is told of every change (a link registered elsewhere moves here).
  void RegisterChanges(TChangeLink* Link);
  void UnRegisterChanges(TChangeLink* Link);

 private:
  struct TImage {
    std::vector<TColor> Pixels;  // clNone where transparent
  };
  const TImage& At(int Index) const;
  void Changed();
  int FWidth = 16, FHeight = 16;
  std::vector<TImage> FImages;
  std::vector<TChangeLink*> FLinks;
};
