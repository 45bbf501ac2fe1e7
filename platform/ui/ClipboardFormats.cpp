#include "platform/ui/ClipboardFormats.h"

#include "platform/ui/Forms.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {
QClipboard* Board() {
  Forms::EnsureToolkit();
  return QGuiApplication::clipboard();
}

QByteArray Bytes(const std::string& S) { return QByteArray(S.data(), static_cast<qsizetype>(S.size())); }
}  // namespace

const char* const ClipboardFormats::PlainText = "text/plain";
const char* const ClipboardFormats::RichText = "text/rtf";
const char* const ClipboardFormats::GridCells = "application/x-kelmvev-gridview-cells";

void ClipboardFormats::SetFormats(const TFormatList& Formats) {
  auto* data = new QMimeData;
  for (const auto& [type, bytes] : Formats) data->setData(QString::fromStdString(type), Bytes(bytes));
  Board()->setMimeData(data);  // the clipboard takes the data
}

void ClipboardFormats::AddFormat(const std::string& MimeType, const std::string& Bytes_) {
  auto* data = new QMimeData;
  if (const QMimeData* old = Board()->mimeData())
    for (const QString& f : old->formats()) data->setData(f, old->data(f));
  data->setData(QString::fromStdString(MimeType), Bytes(Bytes_));
  Board()->setMimeData(data);
}

bool ClipboardFormats::HasFormat(const std::string& MimeType) {
  const QMimeData* data = Board()->mimeData();
  return data && data->hasFormat(QString::fromStdString(MimeType));
}

std::string ClipboardFormats::GetFormat(const std::string& MimeType) {
  const QMimeData* data = Board()->mimeData();
  if (!data || !data->hasFormat(QString::fromStdString(MimeType))) return {};
  const QByteArray b = data->data(QString::fromStdString(MimeType));
  return std::string(b.constData(), static_cast<size_t>(b.size()));
}
