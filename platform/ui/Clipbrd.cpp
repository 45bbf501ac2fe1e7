#include "platform/ui/Clipbrd.h"

#include "platform/ui/Forms.h"
#include "platform/ui/QtBridge.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace {
QClipboard* Board() {
  Forms::EnsureToolkit();
  return QGuiApplication::clipboard();
}
}  // namespace

TClipboard& Clipbrd::Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

std::string TClipboard::GetAsText() const { return UiBridge::FromQ(Board()->text()); }

void TClipboard::SetAsText(const std::string& Value) { Board()->setText(UiBridge::ToQ(Value)); }

bool TClipboard::HasFormat(unsigned Format) const {
  const QMimeData* data = Board()->mimeData();
  if (!data) return false;
  switch (Format) {
    case CF_TEXT:
    case CF_UNICODETEXT: return data->hasText();
    case CF_BITMAP: return data->hasImage();
    default: return false;
  }
}

void TClipboard::Assign(const TBitmap& Bitmap) { Board()->setImage(Bitmap.Image().copy()); }

bool TClipboard::GetBitmap(TBitmap& Bitmap) const {
  const QImage image = Board()->image();
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

void TClipboard::Clear() { Board()->clear(); }
