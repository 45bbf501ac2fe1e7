#pragma once
// The grid's own cell format ("TGridView Cells"): a sequence of records, each
// one carrier component in the binary component streaming form. A header
// record comes first; then for each cell a cell record, optionally followed
// by its properties, its graphic and the graphic's media.
//
// Reading is in two steps: ReadCellStream reads and checks the whole stream
// into a TCellStream (raising EReadError on damage), and only a stream read
// whole is applied to a grid.

#include "grid/GridObj.h"
#include "grid/GridView.h"
#include "platform/rtl/Classes.h"

#include <memory>
#include <string>
#include <vector>

class TGridPropIO : public TComponent {
  KV_CLASS(TGridPropIO, TComponent)
 public:
  explicit TGridPropIO(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
  int ColCount = 0, RowCount = 0;
  std::string ColWidths, RowHeights;  // comma-separated pixels
  bool FullGrid = false;
  int ID = 0;  // the grid that wrote the stream
};

class TGridCellIO : public TComponent {
  KV_CLASS(TGridCellIO, TComponent)
 public:
  explicit TGridCellIO(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
  // Written in the smallest width that holds them, so rows past 32767 keep
  // their place.
  int Col = 0, Row = 0;
  std::string Cell;
  bool HasProp = false;
};

class TGridCellPropIO : public TComponent {
  KV_CLASS(TGridCellPropIO, TComponent)
 public:
  explicit TGridCellPropIO(TComponent* AOwner = nullptr);
  ~TGridCellPropIO() override;
  TCellProperties* CellProperties() const { return FCellProperties.get(); }
  bool HasGraphic = false;

 private:
  std::unique_ptr<TCellProperties> FCellProperties;
};

class TGridGraphicIO : public TComponent {
  KV_CLASS(TGridGraphicIO, TComponent)
 public:
  explicit TGridGraphicIO(TComponent* AOwner = nullptr);
  ~TGridGraphicIO() override;
  TCellGraphic* CellGraphic() const { return FCellGraphic.get(); }

 private:
  std::unique_ptr<TCellGraphic> FCellGraphic;
};

// The media records: a picture property carries bitmaps and icons too.
class TGridPictureCarrier : public TComponent {
  KV_CLASS(TGridPictureCarrier, TComponent)
 public:
  explicit TGridPictureCarrier(TComponent* AOwner = nullptr);
  ~TGridPictureCarrier() override;
  TPicture* Picture() const { return FPicture.get(); }

 private:
  std::unique_ptr<TPicture> FPicture;
};

class TGridBMPIO : public TGridPictureCarrier {
  KV_CLASS(TGridBMPIO, TGridPictureCarrier)
 public:
  explicit TGridBMPIO(TComponent* AOwner = nullptr) : TGridPictureCarrier(AOwner) {}
};

class TGridIconIO : public TGridPictureCarrier {
  KV_CLASS(TGridIconIO, TGridPictureCarrier)
 public:
  explicit TGridIconIO(TComponent* AOwner = nullptr) : TGridPictureCarrier(AOwner) {}
};

class TGridPicIO : public TGridPictureCarrier {
  KV_CLASS(TGridPicIO, TGridPictureCarrier)
 public:
  explicit TGridPicIO(TComponent* AOwner = nullptr) : TGridPictureCarrier(AOwner) {}
};

class TGridSLIO : public TComponent {
  KV_CLASS(TGridSLIO, TComponent)
 public:
  explicit TGridSLIO(TComponent* AOwner = nullptr);
  ~TGridSLIO() override;
  TStringList* Strings() const { return FStrings.get(); }

 private:
  std::unique_ptr<TStringList> FStrings;
};

class TGridFilePicIO : public TComponent {
  KV_CLASS(TGridFilePicIO, TComponent)
 public:
  explicit TGridFilePicIO(TComponent* AOwner = nullptr);
  ~TGridFilePicIO() override;
  TFilePicture* Picture() const { return FPicture.get(); }

 private:
  std::unique_ptr<TFilePicture> FPicture;
};

namespace GridCellIO {

// Largest counts a stream may name.
constexpr int MaxColCount = 65536;
constexpr int MaxRowCount = 4 * 1024 * 1024;

struct TStreamCell {
  int Col = 0, Row = 0;
  std::string Text;
  std::unique_ptr<TCellProperties> Properties;  // none without HasProp
  std::unique_ptr<TCellGraphic> Graphic;        // owns its media (CellCreated)
};

struct TCellStream {
  int ColCount = 0, RowCount = 0;
  std::vector<int> ColWidths, RowHeights;
  bool FullGrid = false;
  int ID = 0;
  std::vector<TStreamCell> Cells;
};

// Reads and checks a whole cell stream from the current position; EReadError
// names what is wrong. Nothing outside the result is touched.
TCellStream ReadCellStream(TStream& Stream);
// Only the header record (the stream's position is restored).
TCellStream ReadCellStreamHeader(TStream& Stream);

}  // namespace GridCellIO
