#include "platform/ui/ShellIcons.h"

#include "platform/ui/Forms.h"
#include "platform/ui/QtBridge.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QMimeDatabase>
#include <QPixmap>

#include <array>
#include <vector>

namespace {

// Theme names of the first entries of the system image list.
constexpr std::array<const char*, 17> kIndexNames = {
    "text-x-generic",      // 0 unknown document
    "text-x-generic",      // 1 document
    "application-x-executable",  // 2 application
    "folder",              // 3 closed folder
    "folder-open",         // 4 open folder
    "media-floppy",        // 5 5.25" drive
    "media-floppy",        // 6 3.5" drive
    "drive-removable-media",  // 7 removable drive
    "drive-harddisk",      // 8 hard disk
    "folder-remote",       // 9 network drive
    "network-offline",     // 10 disconnected network drive
    "drive-optical",       // 11 CD drive
    "drive-harddisk",      // 12 RAM drive
    "network-workgroup",   // 13 entire network
    "network-workgroup",   // 14 network
    "computer",            // 15 computer
    "printer",             // 16 printer
};

bool FromQIcon(const QIcon& Source, bool Large, TIcon& Icon) {
  if (Source.isNull()) return false;
  const TSize s = ShellIcons::IconSize(Large);
  QImage img = Source.pixmap(s.cx, s.cy).toImage().convertToFormat(QImage::Format_ARGB32);
  if (img.isNull() || img.width() <= 0 || img.height() <= 0) return false;
  // A theme without this size gives a smaller picture: icons keep their nominal size.
  if (img.width() != s.cx || img.height() != s.cy)
    img = img.scaled(s.cx, s.cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const size_t n = size_t(img.width()) * size_t(img.height());
  std::vector<uint32_t> colors(n);
  std::vector<bool> mask(n);
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb p = img.pixel(x, y);
      const size_t i = size_t(y) * size_t(img.width()) + size_t(x);
      colors[i] = p & 0xFFFFFFu;
      mask[i] = qAlpha(p) < 128;
    }
  Icon.SetPixels(img.width(), img.height(), colors, mask);
  return true;
}

}  // namespace

TSize ShellIcons::IconSize(bool Large) { return Large ? TSize{32, 32} : TSize{16, 16}; }

bool ShellIcons::IconByIndex(int Index, bool Large, TIcon& Icon) {
  if (Index < 0 || size_t(Index) >= kIndexNames.size()) return false;
  Forms::EnsureToolkit();
  return FromQIcon(QIcon::fromTheme(QString::fromLatin1(kIndexNames[size_t(Index)])), Large, Icon);
}

bool ShellIcons::IconForFile(const std::string& Name, bool Large, TIcon& Icon) {
  if (Name.empty()) return false;
  Forms::EnsureToolkit();
  const QString name = UiBridge::ToQ(Name);
  const QFileInfo info(name);
  if (info.exists()) {
    const QFileIconProvider provider;
    if (FromQIcon(provider.icon(info), Large, Icon)) return true;
  }
  const QMimeDatabase db;
  const QMimeType type = db.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
  if (!type.isValid() || type.isDefault()) return false;
  if (FromQIcon(QIcon::fromTheme(type.iconName()), Large, Icon)) return true;
  return FromQIcon(QIcon::fromTheme(type.genericIconName()), Large, Icon);
}
