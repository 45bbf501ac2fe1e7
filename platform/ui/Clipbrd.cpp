#include "platform/ui/Clipbrd.h"

#include "platform/gdi/Metafile.h"
#include "platform/ui/Forms.h"
#include "platform/ui/QtBridge.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace {
QClipboard* SystemClipboard() {
  Forms::EnsureToolkit();
  return QGuiApplication::clipboard();
}
}  // namespace

TClipboard& Clipbrd::Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

std::string TClipboard::GetAsText() const { return UiBridge::FromQ(SystemClipboard()->text()); }

void TClipboard::SetAsText(const std::string& Value) { SystemClipboard()->setText(UiBridge::ToQ(Value)); }

bool TClipboard::HasFormat(unsigned Format) const {
  const QMimeData* data = SystemClipboard()->mimeData();
  if (!data) return false;
  switch (Format) {
    case CF_TEXT:
    case CF_UNICODETEXT: return data->hasText();
    case CF_BITMAP: return data->hasImage();
    case CF_METAFILEPICT:
    case CF_ENHMETAFILE: return data->hasFormat(Clipbrd::MetafileMimeType);
    default: return false;
  }
}

const char* const Clipbrd::MetafileMimeType = "image/emf";

void TClipboard::Assign(const TBitmap& Bitmap) { SystemClipboard()->setImage(Bitmap.Image().copy()); }

void TClipboard::Assign(const TMetafile& Metafile) {
  auto* data = new QMimeData;
  const std::vector<uint8_t> bytes = Metafile.SaveToBytes();
  data->setData(Clipbrd::MetafileMimeType,
                QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
  if (Metafile.GetWidth() > 0 && Metafile.GetHeight() > 0) {
    TBitmap picture(Metafile.GetWidth(), Metafile.GetHeight());
    Metafile.Draw(*picture.GetCanvas(), TRect(0, 0, Metafile.GetWidth(), Metafile.GetHeight()));
    data->setImageData(picture.Image().copy());
  }
  SystemClipboard()->setMimeData(data);  // the clipboard takes the data
}

void TClipboard::Assign(const TPicture& Picture) {
  const TGraphic* graphic = Picture.GetGraphic();
  if (!graphic || graphic->GetEmpty()) {
    Clear();
    return;
  }
  if (auto* metafile = dynamic_cast<const TMetafile*>(graphic)) {
    Assign(*metafile);
    return;
  }
  if (auto* bitmap = dynamic_cast<const TBitmap*>(graphic)) {
    Assign(*bitmap);
    return;
  }
  TBitmap pixels(graphic->GetWidth(), graphic->GetHeight());
  graphic->Draw(*pixels.GetCanvas(), TRect(0, 0, graphic->GetWidth(), graphic->GetHeight()));
  Assign(pixels);
}

bool TClipboard::GetMetafile(TMetafile& Metafile) const {
  const QMimeData* data = SystemClipboard()->mimeData();
  if (!data || !data->hasFormat(Clipbrd::MetafileMimeType)) return false;
  const QByteArray bytes = data->data(Clipbrd::MetafileMimeType);
  TMetafile read;
  try {
    read.LoadFromBytes(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  } catch (const Exception&) {
    return false;  // another program's damaged data: nothing to paste
  }
  Metafile.LoadFromBytes(read.SaveToBytes());
  return true;
}

bool TClipboard::GetBitmap(TBitmap& Bitmap) const {
  const QImage image = SystemClipboard()->image();
  if (image.isNull()) return false;
  Bitmap.SetPixelFormat(pf32bit);
  Bitmap.SetSize(image.width(), image.height());
  QImage& target = Bitmap.Image();
  const QImage source = image.convertToFormat(target.format());
  for (int y = 0; y < source.height() && y < target.height(); ++y)
    std::copy_n(source.constScanLine(y), std::min(source.bytesPerLine(), target.bytesPerLine()), target.scanLine(y));
  Bitmap.Modified();
  return true;
}

void TClipboard::Clear() { SystemClipboard()->clear(); }
