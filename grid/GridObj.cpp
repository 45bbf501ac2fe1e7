#include "grid/GridObj.h"

#include <filesystem>

#include "grid/GridUtil.h"
#include "grid/PictureContainer.h"
#include "platform/gdi/GifFiles.h"
#include "platform/gdi/ImageFiles.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Region.h"

KV_CLASS_IMPL(TArrowWindow, TTopMostWindow) {}
KV_CLASS_IMPL(TIntList, TObject) {}
KV_CLASS_IMPL(TFilePicture, TPersistent) {
  c.Property("Filename", &TFilePicture::GetFilename, &TFilePicture::SetFilename);
}
KV_CLASS_IMPL(TSortIndexList, TIntList) {}
KV_CLASS_IMPL(TPopupButton, TTopMostWindow) {
  c.Property("Caption", &TPopupButton::GetCaption, &TPopupButton::SetCaption);
  c.Property("Flat", &TPopupButton::GetFlat, &TPopupButton::SetFlat).Default(false);
  c.Property("GradFrom", &TPopupButton::GetGradFrom, &TPopupButton::SetGradFrom).Kind(TPropKind::pkColor);
  c.Property("GradTo", &TPopupButton::GetGradTo, &TPopupButton::SetGradTo).Kind(TPropKind::pkColor);
}

// ---------------------------------------------------------------- TArrowWindow

TArrowWindow::TArrowWindow(TComponent* AOwner, int ADirection) : TTopMostWindow(AOwner) {
  SetColor(0x00FF00);
  SetVisible(false);
  SetBounds(0, 0, 11, 11);
  SetEnabled(false);
  FDirection = ADirection;
  ShapeWindow();
}

std::vector<TPoint> TArrowWindow::ArrowPoints(int Direction) {
  switch (Direction) {
    case 1: return {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}};
    case 2: return {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}};
    case 3: return {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}};
    default: return {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}};
  }
}

void TArrowWindow::SetDirection(int Value) {
  FDirection = Value;
  ShapeWindow();
}

void TArrowWindow::ShapeWindow() {
  FArrow = ArrowPoints(FDirection);
  const TRegion region = TRegion::CreatePolygonRgn(FArrow, WINDING);
  SetWindowRegion(&region);
  Invalidate();
}

void TArrowWindow::Paint() {
  TCanvas* c = GetCanvas();
  c->Brush->SetColor(GetColor());
  c->Pen->SetColor(GetColor());
  c->Polygon(FArrow);
}

// ---------------------------------------------------------------- TIntList

void TIntList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(SysUtils::Format("List index out of bounds (%d)", {Index}));
}

int32_t TIntList::Get(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)];
}

void TIntList::Changed() {
  if (OnChange) OnChange(this, FCol, FRow);
}

void TIntList::Put(int Index, int32_t Value) {
  CheckIndex(Index);
  FItems[static_cast<size_t>(Index)] = Value;
  Changed();
}

int TIntList::Add(int32_t Value) {
  FItems.push_back(Value);
  Changed();
  return Count() - 1;
}

void TIntList::Insert(int Index, int32_t Value) {
  if (Index < 0 || Index > Count()) throw EListError(SysUtils::Format("List index out of bounds (%d)", {Index}));
  FItems.insert(FItems.begin() + Index, Value);
}

void TIntList::Delete(int Index) {
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
  Changed();
}

int TIntList::IndexOf(int32_t Value) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[static_cast<size_t>(i)] == Value) return i;
  return -1;
}

std::string TIntList::GetCommaText() const {
  std::string s;
  for (size_t i = 0; i < FItems.size(); ++i) {
    if (i) s += ',';
    s += std::to_string(FItems[i]);
  }
  return s;
}

void TIntList::SetCommaText(const std::string& Value) {
  // Every item is read before the list changes: a bad item leaves it as it was.
  std::vector<int32_t> items;
  size_t start = 0;
  while (start <= Value.size() && !Value.empty()) {
    const size_t p = Value.find(',', start);
    items.push_back(SysUtils::StrToInt(SysUtils::Trim(Value.substr(start, p == std::string::npos ? std::string::npos : p - start))));
    if (p == std::string::npos) break;
    start = p + 1;
  }
  Clear();
  for (int32_t v : items) Add(v);
}

// ---------------------------------------------------------------- TSortIndexList

void TSortIndexList::AddIndex(int ACol, bool Ascending) {
  const uint32_t v = static_cast<uint32_t>(ACol) | (Ascending ? 0u : DescendingBit);
  Add(static_cast<int32_t>(v));
}

int TSortIndexList::IndexOfColumn(int ACol) const {
  for (int i = 0; i < Count(); ++i)
    if (ColumnOf(Get(i)) == ACol) return i;
  return -1;
}

void TSortIndexList::FlipDirection(int ACol) {
  const int i = IndexOfColumn(ACol);
  if (i < 0) return;
  Put(i, static_cast<int32_t>(static_cast<uint32_t>(Get(i)) ^ DescendingBit));
}

// ---------------------------------------------------------------- TPopupButton

TPopupButton::TPopupButton(TComponent* AOwner) : TTopMostWindow(AOwner), FGradFrom(clNone), FGradTo(clNone) {
  SetColor(clBtnFace);
  SetEnabled(false);
  SetVisible(false);
}

void TPopupButton::SetFlat(bool Value) {
  FFlat = Value;
  Invalidate();
}

void TPopupButton::SetGradFrom(TColor Value) {
  FGradFrom = Value;
  Invalidate();
}

void TPopupButton::SetGradTo(TColor Value) {
  FGradTo = Value;
  Invalidate();
}

void TPopupButton::Paint() {
  TCanvas* c = GetCanvas();
  const TRect r = GetClientRect();
  if (FGradFrom != clNone) GridUtil::FillGradient(*c, FGradFrom, FGradTo == clNone ? FGradFrom : FGradTo, false, r, 64);
  if (!FFlat) {
    c->Pen->SetWidth(1);
    c->Pen->SetColor(clWhite);
    c->MoveTo(r.Left, r.Bottom - 1);
    c->LineTo(r.Left, r.Top);
    c->LineTo(r.Right - 1, r.Top);
    c->Pen->SetColor(clGray);
    c->LineTo(r.Right - 1, r.Bottom - 1);
    c->LineTo(r.Left, r.Bottom - 1);
  }
  c->Font->Assign(*GetFont());
  c->Brush->SetStyle(bsClear);
  TRect tr = r;
  c->GetHandle()->DrawText(GetCaption(), tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  c->Brush->SetStyle(bsSolid);
}

// ---------------------------------------------------------------- TFilePicture

namespace {

// The picture of a file: GIF through the markup pictures, every other kind
// through the general picture reader. nullptr when it cannot be read.
std::unique_ptr<TGraphic> ReadPictureFile(const std::string& FileName) {
  // Names come from cell streams too: a device or pipe is never read.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(FileName, ec)) return nullptr;
  try {
    const std::vector<uint8_t> data = ImageFiles::ReadFileBytes(FileName);
    if (GifFiles::IsGif(data)) {
      auto gif = std::make_unique<THTMLPicture>();
      gif->LoadFromBytes(data);
      return gif;
    }
    TPicture picture;
    picture.LoadFromFile(FileName);
    if (picture.Empty()) return nullptr;
    return picture.GetGraphic()->Clone();
  } catch (const Exception&) {
    return nullptr;
  }
}

}  // namespace

void TFilePicture::SetFilename(const std::string& Value) {
  FFilename = Value;
  const std::unique_ptr<TGraphic> g = ReadPictureFile(Value);
  FWidth = g ? g->GetWidth() : 0;
  FHeight = g ? g->GetHeight() : 0;
}

void TFilePicture::DrawPicture(TCanvas& Canvas, const TRect& R) const {
  if (FFilename.empty()) return;
  if (const std::unique_ptr<TGraphic> g = ReadPictureFile(FFilename)) {
    if (auto* html = dynamic_cast<THTMLPicture*>(g.get())) html->DrawStretched(Canvas, R);
    else Canvas.StretchDraw(R, g.get());
  }
}

void TFilePicture::Assign(const TPersistent* Source) {
  const auto* src = dynamic_cast<const TFilePicture*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  FFilename = src->FFilename;
  FWidth = src->FWidth;
  FHeight = src->FHeight;
}
