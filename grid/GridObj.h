#pragma once
// GridObj: companions of the grid that are neither cells nor settings: the
// arrow windows marking where a dragged row or column lands, integer lists
// with a change notification, the sort-index list and a caption-only pop-up
// panel with a gradient.

#include "platform/ui/Controls.h"
#include "platform/ui/PopupWindows.h"

#include <functional>
#include <string>
#include <vector>

// An arrow-shaped lime window pointing up (0), down (1), right (2) or left (3),
// above every other window.
class TArrowWindow : public TTopMostWindow {
  KV_CLASS(TArrowWindow, TTopMostWindow)
 public:
  TArrowWindow(TComponent* AOwner, int ADirection);
  explicit TArrowWindow(TComponent* AOwner) : TArrowWindow(AOwner, 0) {}
  int GetDirection() const { return FDirection; }
  void SetDirection(int Value);
  // The seven corners of the arrow for a direction.
  static std::vector<TPoint> ArrowPoints(int Direction);
  const std::vector<TPoint>& GetArrow() const { return FArrow; }
  void Paint() override;

 protected:
  // Shapes the window to its arrow (winding fill) and repaints it.
  void ShapeWindow();

 private:
  int FDirection = 0;
  std::vector<TPoint> FArrow;
};

using TIntListChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

// Integers with a change handler: put, add and delete notify; insert does not.
class TIntList : public TObject {
  KV_CLASS(TIntList, TObject)
 public:
  TIntList(int ACol, int ARow) : FCol(ACol), FRow(ARow) {}
  TIntList() : TIntList(0, 0) {}

  int Count() const { return static_cast<int>(FItems.size()); }
  int32_t Get(int Index) const;
  void Put(int Index, int32_t Value);
  int Add(int32_t Value);
  void Insert(int Index, int32_t Value);
  void Delete(int Index);
  void Clear() { FItems.clear(); }
  int IndexOf(int32_t Value) const;
  // The items in decimal joined by ","; setting clears and adds each item
  // (EConvertError for an item that is not an integer).
  std::string GetCommaText() const;
  void SetCommaText(const std::string& Value);

  int GetCol() const { return FCol; }
  int GetRow() const { return FRow; }
  TIntListChangeEvent OnChange;

 protected:
  void Changed();
  void CheckIndex(int Index) const;

 private:
  int FCol, FRow;
  std::vector<int32_t> FItems;
};

// Sorted columns: each item a column, with the sign bit set when descending.
class TSortIndexList : public TIntList {
  KV_CLASS(TSortIndexList, TIntList)
 public:
  using TIntList::TIntList;
  static constexpr uint32_t DescendingBit = 0x80000000u;
  void AddIndex(int ACol, bool Ascending);
  // Position of the first item whose column is ACol; -1 when none.
  int IndexOfColumn(int ACol) const;
  // Flips the direction of ACol's first item (through Put, so OnChange runs).
  void FlipDirection(int ACol);
  static int ColumnOf(int32_t Item) { return static_cast<int>(static_cast<uint32_t>(Item) & ~DescendingBit); }
  static bool IsAscending(int32_t Item) { return (static_cast<uint32_t>(Item) & DescendingBit) == 0; }
};

// A caption on a gradient: a disabled, bordered pop-up panel above every other window.
class TPopupButton : public TTopMostWindow {
  KV_CLASS(TPopupButton, TTopMostWindow)
 public:
  explicit TPopupButton(TComponent* AOwner);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  TColor GetGradFrom() const { return FGradFrom; }
  void SetGradFrom(TColor Value);
  TColor GetGradTo() const { return FGradTo; }
  void SetGradTo(TColor Value);
  void Paint() override;

 private:
  bool FFlat = false;
  TColor FGradFrom;
  TColor FGradTo;
};

// The name of a picture file shown in a cell: the picture is read from the
// file whenever it is drawn, so only its name and size are kept.
class TFilePicture : public TPersistent {
  KV_CLASS(TFilePicture, TPersistent)
 public:
  const std::string& GetFilename() const { return FFilename; }
  // Stores the name and reads the picture's width and height from the file
  // (any picture kind the program reads); 0 x 0 when it cannot be read.
  void SetFilename(const std::string& Value);
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  // Reads the file again and draws it stretched into R; nothing without a name
  // or when the file cannot be read.
  void DrawPicture(TCanvas& Canvas, const TRect& R) const;
  // Copies Filename, Width and Height of another TFilePicture.
  void Assign(const TPersistent* Source) override;

 private:
  std::string FFilename;
  int FWidth = 0, FHeight = 0;
};
