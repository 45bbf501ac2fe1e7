// The grid's own cell format: ranges of cells with their texts, properties,
// graphics, column widths and row heights, written as a sequence of carrier
// components and read back at an offset (also the "TGridView Cells"
// clipboard format).
#include "grid/GridCellIO.h"
#include "platform/rtl/Streaming.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/ClipboardFormats.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <unistd.h>

KV_CLASS_IMPL(TGridPropIO, TComponent) {
  c.Property("ColCount", &TGridPropIO::ColCount);
  c.Property("RowCount", &TGridPropIO::RowCount);
  c.Property("ColWidths", &TGridPropIO::ColWidths).Default("");
  c.Property("RowHeights", &TGridPropIO::RowHeights).Default("");
  c.Property("FullGrid", &TGridPropIO::FullGrid);
  c.Property("ID", &TGridPropIO::ID);
}
KV_CLASS_IMPL(TGridCellIO, TComponent) {
  c.Property("Col", &TGridCellIO::Col);
  c.Property("Row", &TGridCellIO::Row);
  c.Property("Cell", &TGridCellIO::Cell).Default("");
  c.Property("HasProp", &TGridCellIO::HasProp);
}
KV_CLASS_IMPL(TGridCellPropIO, TComponent) {
  c.Property("CellProperties", &TGridCellPropIO::CellProperties);
  c.Property("HasGraphic", &TGridCellPropIO::HasGraphic);
}
KV_CLASS_IMPL(TGridGraphicIO, TComponent) { c.Property("CellGraphic", &TGridGraphicIO::CellGraphic); }
KV_CLASS_IMPL(TGridPictureCarrier, TComponent) {}
KV_CLASS_IMPL(TGridBMPIO, TGridPictureCarrier) { c.Property("Bitmap", &TGridBMPIO::Picture); }
KV_CLASS_IMPL(TGridIconIO, TGridPictureCarrier) { c.Property("Icon", &TGridIconIO::Picture); }
KV_CLASS_IMPL(TGridPicIO, TGridPictureCarrier) { c.Property("Picture", &TGridPicIO::Picture); }
KV_CLASS_IMPL(TGridSLIO, TComponent) { c.Property("Strings", &TGridSLIO::Strings); }
KV_CLASS_IMPL(TGridFilePicIO, TComponent) { c.Property("Picture", &TGridFilePicIO::Picture); }

TGridCellPropIO::TGridCellPropIO(TComponent* AOwner)
    : TComponent(AOwner), FCellProperties(std::make_unique<TCellProperties>()) {}
TGridCellPropIO::~TGridCellPropIO() = default;
TGridGraphicIO::TGridGraphicIO(TComponent* AOwner)
    : TComponent(AOwner), FCellGraphic(std::make_unique<TCellGraphic>()) {}
TGridGraphicIO::~TGridGraphicIO() = default;
TGridPictureCarrier::TGridPictureCarrier(TComponent* AOwner)
    : TComponent(AOwner), FPicture(std::make_unique<TPicture>()) {}
TGridPictureCarrier::~TGridPictureCarrier() = default;
TGridSLIO::TGridSLIO(TComponent* AOwner) : TComponent(AOwner), FStrings(std::make_unique<TStringList>()) {}
TGridSLIO::~TGridSLIO() = default;
TGridFilePicIO::TGridFilePicIO(TComponent* AOwner)
    : TComponent(AOwner), FPicture(std::make_unique<TFilePicture>()) {}
TGridFilePicIO::~TGridFilePicIO() = default;

using GridCellIO::TCellStream;

namespace {

// Media kinds a graphic carries in a record of its own.
bool HasMedia(TCellType T) {
  switch (T) {
    case TCellType::ctBitmap:
    case TCellType::ctIcon:
    case TCellType::ctRadio:
    case TCellType::ctImages:
    case TCellType::ctPicture:
    case TCellType::ctFilePicture:
    case TCellType::ctBitButton: return true;
    default: return false;
  }
}

std::string JoinInts(const std::vector<int>& Values) {
  std::string out;
  for (size_t i = 0; i < Values.size(); ++i) {
    if (i) out += ',';
    out += std::to_string(Values[i]);
  }
  return out;
}

[[noreturn]] void Damaged(const std::string& What) { throw EReadError("Damaged grid cell data: " + What); }

// A comma list of Count sizes in 0..65535.
std::vector<int> ParseSizes(const std::string& Text, int Count, const char* What) {
  std::vector<int> out;
  if (Count > 0) out.reserve(static_cast<size_t>(std::min<int64_t>(Count, int64_t(Text.size()) + 1)));
  size_t at = 0;
  while (!Text.empty() && at <= Text.size()) {
    const size_t comma = std::min(Text.find(',', at), Text.size());
    int32_t v = 0;
    if (!SysUtils::TryStrToInt(Text.substr(at, comma - at), v) || v < 0 || v > 65535)
      Damaged(std::string(What) + " hold \"" + Text.substr(at, std::min<size_t>(comma - at, 20)) + "\"");
    out.push_back(v);
    at = comma + 1;
  }
  if (static_cast<int64_t>(out.size()) != Count)
    Damaged(SysUtils::Format("%d %s for %d", {int64_t(out.size()), std::string(What), int64_t(Count)}));
  return out;
}

// Reads one record into Carrier; the record must be of the carrier's class.
class TRecordReader : public TReader {
 public:
  TRecordReader(TStream& S, const std::string& Expected) : TReader(S), FExpected(Expected) {
    AllowChildren = false;
    RenameRoot = false;
  }

 protected:
  void CheckRootClass(const std::string& ClassName) override {
    if (!SysUtils::SameText(ClassName, FExpected))
      Damaged("a " + FExpected + " record expected, found \"" + ClassName.substr(0, 40) + "\"");
  }

 private:
  std::string FExpected;
};

void ReadRecord(TStream& S, TComponent& Carrier) {
  TRecordReader reader(S, Carrier.ClassName());
  try {
    reader.ReadRootComponent(&Carrier);
  } catch (const EReadError&) {
    throw;
  } catch (const Exception& e) {
    // Bad picture data and values the carriers refuse.
    Damaged(e.Message());
  }
}

void CheckEnum(int64_t V, int64_t Last, const char* What) {
  if (V < 0 || V > Last) Damaged(SysUtils::Format("%s %d is out of range", {std::string(What), V}));
}

void CheckProperties(const TCellProperties& P) {
  CheckEnum(int64_t(P.Alignment), int64_t(TAlignment::taCenter), "alignment");
  CheckEnum(int64_t(P.GetVAlignment()), int64_t(vtaBottom), "vertical alignment");
  if (P.FontSize < -1000 || P.FontSize > 1000) Damaged(SysUtils::Format("font size %d", {int64_t(P.FontSize)}));
  if (P.NodeLevel < 0 || P.NodeLevel > 1000) Damaged(SysUtils::Format("node level %d", {int64_t(P.NodeLevel)}));
}

void CheckGraphic(const TCellGraphic& G) {
  CheckEnum(int64_t(G.CellType), int64_t(TCellType::ctSummary), "cell type");
  CheckEnum(int64_t(G.CellVAlign), int64_t(vaFull), "vertical placement");
  CheckEnum(int64_t(G.CellHAlign), int64_t(haFull), "horizontal placement");
  if (!std::isfinite(G.CellValue)) Damaged("a cell value that is no number");
}

// Reads the media record of a graphic into objects the graphic owns.
void ReadMedia(TStream& S, TCellGraphic& G) {
  G.CellCreated = true;
  switch (G.CellType) {
    case TCellType::ctBitmap:
    case TCellType::ctBitButton:
    case TCellType::ctIcon: {
      std::unique_ptr<TGridPictureCarrier> io;
      if (G.CellType == TCellType::ctIcon) io = std::make_unique<TGridIconIO>();
      else io = std::make_unique<TGridBMPIO>();
      ReadRecord(S, *io);
      if (TGraphic* g = io->Picture()->GetGraphic()) {
        TGraphic* copy = g->Clone().release();
        (G.CellType == TCellType::ctIcon ? G.CellIcon : G.CellImage) = copy;
      }
      break;
    }
    case TCellType::ctRadio:
    case TCellType::ctImages: {
      TGridSLIO io;
      ReadRecord(S, io);
      if (G.CellType == TCellType::ctRadio) {
        auto* items = new TStringList();
        G.CellObject = items;
        items->Assign(io.Strings());
      } else {
        auto* list = new TIntList();
        G.CellObject = list;
        try {
          list->SetCommaText(io.Strings()->GetCommaText());
        } catch (const EConvertError&) {
          Damaged("image indices that are no numbers");
        }
      }
      break;
    }
    case TCellType::ctPicture: {
      TGridPicIO io;
      ReadRecord(S, io);
      auto* p = new TPicture();
      G.CellObject = p;
      p->Assign(io.Picture());
      break;
    }
    case TCellType::ctFilePicture: {
      TGridFilePicIO io;
      ReadRecord(S, io);
      auto* p = new TFilePicture();
      G.CellObject = p;
      p->Assign(io.Picture());
      break;
    }
    default: break;
  }
}

TCellStream ReadHeader(TStream& S) {
  TGridPropIO h;
  ReadRecord(S, h);
  TCellStream out;
  if (h.ColCount < 1 || h.ColCount > GridCellIO::MaxColCount || h.RowCount < 1 ||
      h.RowCount > GridCellIO::MaxRowCount)
    Damaged(SysUtils::Format("%d columns and %d rows", {int64_t(h.ColCount), int64_t(h.RowCount)}));
  out.ColCount = h.ColCount;
  out.RowCount = h.RowCount;
  out.ColWidths = ParseSizes(h.ColWidths, h.ColCount, "column widths");
  out.RowHeights = ParseSizes(h.RowHeights, h.RowCount, "row heights");
  out.FullGrid = h.FullGrid;
  out.ID = h.ID;
  return out;
}

}  // namespace

GridCellIO::TCellStream GridCellIO::ReadCellStream(TStream& S) {
  TCellStream out = ReadHeader(S);
  while (S.GetSize() - S.GetPosition() > 1) {
    TGridCellIO cell;
    ReadRecord(S, cell);
    TStreamCell c;
    c.Col = cell.Col;
    c.Row = cell.Row;
    c.Text = std::move(cell.Cell);
    if (cell.HasProp) {
      TGridCellPropIO prop;
      ReadRecord(S, prop);
      CheckProperties(*prop.CellProperties());
      c.Properties = std::make_unique<TCellProperties>();
      for (const TPropInfo* p : TCellProperties::StaticClass()->Properties())
        if (p->Set) p->Set(c.Properties.get(), p->Get(prop.CellProperties()));
      if (prop.HasGraphic) {
        TGridGraphicIO graphic;
        ReadRecord(S, graphic);
        CheckGraphic(*graphic.CellGraphic());
        c.Graphic = std::make_unique<TCellGraphic>();
        c.Graphic->Assign(graphic.CellGraphic());
        c.Graphic->CellCreated = false;
        if (HasMedia(c.Graphic->CellType)) ReadMedia(S, *c.Graphic);
      }
    }
    out.Cells.push_back(std::move(c));
  }
  return out;
}

GridCellIO::TCellStream GridCellIO::ReadCellStreamHeader(TStream& S) {
  const int64_t at = S.GetPosition();
  struct TBack {
    TStream& S;
    int64_t At;
    ~TBack() { S.SetPosition(At); }
  } back{S, at};
  return ReadHeader(S);
}

// ================================================================ the grid's side

namespace {

void WriteRecord(TStream& S, TComponent& Carrier) {
  TWriter writer(S);
  writer.WriteRootComponent(&Carrier);
}

// Writes the media record of a graphic the grid owns.
void WriteMedia(TStream& S, const TCellGraphic& G) {
  switch (G.CellType) {
    case TCellType::ctBitmap:
    case TCellType::ctBitButton: {
      TGridBMPIO io;
      if (G.CellImage) io.Picture()->SetGraphic(G.CellImage);
      WriteRecord(S, io);
      break;
    }
    case TCellType::ctIcon: {
      TGridIconIO io;
      if (G.CellIcon) io.Picture()->SetGraphic(G.CellIcon);
      WriteRecord(S, io);
      break;
    }
    case TCellType::ctRadio: {
      TGridSLIO io;
      if (auto* items = dynamic_cast<TStrings*>(G.CellObject)) io.Strings()->Assign(items);
      WriteRecord(S, io);
      break;
    }
    case TCellType::ctImages: {
      TGridSLIO io;
      if (auto* list = dynamic_cast<TIntList*>(G.CellObject)) io.Strings()->SetCommaText(list->GetCommaText());
      WriteRecord(S, io);
      break;
    }
    case TCellType::ctPicture: {
      TGridPicIO io;
      if (auto* p = dynamic_cast<TPicture*>(G.CellObject)) io.Picture()->Assign(p);
      else if (G.CellImage) io.Picture()->SetGraphic(G.CellImage);
      WriteRecord(S, io);
      break;
    }
    case TCellType::ctFilePicture: {
      TGridFilePicIO io;
      if (auto* p = dynamic_cast<TFilePicture*>(G.CellObject)) io.Picture()->Assign(p);
      WriteRecord(S, io);
      break;
    }
    default: break;
  }
}

}  // namespace

int TGridView::GridID() const {
  // A number no other grid, in this or another running program, is likely to have.
  if (FGridID == 0) {
    static std::atomic<uint32_t> counter{0};
    const uint32_t mixed = (static_cast<uint32_t>(::getpid()) * 2654435761u) ^ (++counter * 40503u);
    FGridID = static_cast<int>(mixed & 0x7FFFFFFF) | 1;
  }
  return FGridID;
}

void TGridView::SaveCellsToStream(const TRect& R, TStream& S) {
  TGridPropIO header;
  header.RowCount = R.Bottom - R.Top + 1;
  header.ColCount = R.Right - R.Left + 1;
  if (IncludeFixedCells)
    header.FullGrid = header.RowCount == GetRowCount() && header.ColCount == GetColCount();
  else
    header.FullGrid = header.RowCount == GetRowCount() - GetFixedRows() &&
                      header.ColCount == GetColCount() - GetFixedCols();
  header.ID = GridID();
  std::vector<int> widths, heights;
  for (int c = R.Left; c <= R.Right; ++c) widths.push_back(GetColWidths(c));
  for (int r = R.Top; r <= R.Bottom; ++r) heights.push_back(GetRowHeights(r));
  header.ColWidths = JoinInts(widths);
  header.RowHeights = JoinInts(heights);
  WriteRecord(S, header);

  const int span = std::max(1, R.Bottom - R.Top);
  int lastProgress = -1;
  for (int r = R.Top; r <= R.Bottom; ++r) {
    for (int c = R.Left; c <= R.Right; ++c) {
      const bool hasProp = HasCellProperties(c, r);
      const std::string text = CellText(c, r);
      if (text.empty() && !hasProp) continue;
      TGridCellIO cell;
      cell.Col = c;
      cell.Row = r;
      cell.Cell = text;
      cell.HasProp = hasProp;
      WriteRecord(S, cell);
      if (!hasProp) continue;
      TGridCellPropIO prop;
      TCellProperties* own = RawCellProperties(c, r);
      for (const TPropInfo* p : TCellProperties::StaticClass()->Properties())
        if (p->Set) p->Set(prop.CellProperties(), p->Get(own));
      TCellGraphic* g = CellGraphicOf(c, r);
      // Media the application owns stay with it: such a graphic is not written.
      prop.HasGraphic = g && g->CellType != TCellType::ctEmpty && !(HasMedia(g->CellType) && !g->CellCreated);
      WriteRecord(S, prop);
      if (!prop.HasGraphic) continue;
      TGridGraphicIO graphic;
      graphic.CellGraphic()->Assign(g);
      WriteRecord(S, graphic);
      if (HasMedia(g->CellType)) WriteMedia(S, *g);
    }
    if (OnFileProgress) {
      const int progress = static_cast<int>(std::lround(100.0 * (r - R.Top) / span));
      if (progress != lastProgress) {
        lastProgress = progress;
        OnFileProgress(this, static_cast<int16_t>(progress));
      }
    }
  }
}

void TGridView::LoadCellsFromStream(TPoint Origin, TStream& S) {
  TCellStream data = GridCellIO::ReadCellStream(S);
  BeginUpdate();
  struct TEnd {
    TGridView* G;
    ~TEnd() { G->EndUpdate(); }
  } endUpdate{this};
  // With a full grid the counts leave out the fixed cells unless these were included.
  int64_t limitCols = GetColCount(), limitRows = GetRowCount();
  if (data.FullGrid) {
    ClearAll();
    SetRowCount(data.RowCount);
    SetColCount(data.ColCount);
    for (int c = 0; c < data.ColCount; ++c) SetColWidths(c, data.ColWidths[size_t(c)]);
    for (int r = 0; r < data.RowCount; ++r) SetRowHeights(r, data.RowHeights[size_t(r)]);
    limitCols = data.ColCount + (IncludeFixedCells ? 0 : GetFixedCols());
    limitRows = data.RowCount + (IncludeFixedCells ? 0 : GetFixedRows());
  }
  const TPoint base = data.FullGrid || data.Cells.empty() ? TPoint{0, 0} : TPoint{data.Cells[0].Col, data.Cells[0].Row};
  for (GridCellIO::TStreamCell& cell : data.Cells) {
    const int64_t tc = int64_t(cell.Col) + Origin.X - base.X, tr = int64_t(cell.Row) + Origin.Y - base.Y;
    if (tc < 0 || tr < 0 || tc >= limitCols || tr >= limitRows) continue;
    const int c = static_cast<int>(tc), r = static_cast<int>(tr);
    if (c >= GetColCount()) SetColCount(c + 1);
    if (r >= GetRowCount()) SetRowCount(r + 1);
    SetCells(c, r, cell.Text);
    if (!cell.Properties) continue;
    TCellProperties* target = CellProperties(c, r);
    for (const TPropInfo* p : TCellProperties::StaticClass()->Properties())
      if (p->Set) p->Set(target, p->Get(cell.Properties.get()));
    if (!cell.Graphic) continue;
    // The new graphic takes over the media the stream's graphic owns.
    TCellGraphic* g = NewCellGraphic(c, r);
    g->Assign(cell.Graphic.get());
    g->CellObject = std::exchange(cell.Graphic->CellObject, nullptr);
    g->CellImage = std::exchange(cell.Graphic->CellImage, nullptr);
    g->CellIcon = std::exchange(cell.Graphic->CellIcon, nullptr);
  }
}

void TGridView::CopyCellsFormat(const TRect& R) {
  TMemoryStream s;
  SaveCellsToStream(R, s);
  ClipboardFormats::AddFormat(ClipboardFormats::GridCells, s.DataString());
}
