#include "platform/ui/Shell.h"

#include "platform/ui/QtBridge.h"
#include "platform/ui/UserSeam.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

namespace {

// The folder of kept attachments; removed with its files when the program ends.
QTemporaryDir* AttachmentFolder() {
  static std::unique_ptr<QTemporaryDir> folder;
  if (!folder) {
    folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/kelmvev2er-mail-XXXXXX");
    if (!folder->isValid()) {
      folder.reset();
      return nullptr;
    }
  }
  return folder.get();
}

}  // namespace

std::string Shell::KeepAttachment(const std::string& FileName) {
  const QFileInfo source(UiBridge::ToQ(FileName));
  if (!source.isFile() || !source.isReadable()) return {};
  QTemporaryDir* folder = AttachmentFolder();
  if (!folder) return {};
  // A numbered sub-folder per message keeps the file's own name, which the
  // mail program shows, and never overwrites an attachment still in use.
  static int serial = 0;
  QDir dir(folder->path());
  const QString sub = QString::number(++serial);
  if (!dir.mkpath(sub)) return {};
  const QString target = dir.filePath(sub + "/" + source.fileName());
  if (!QFile::copy(source.absoluteFilePath(), target)) return {};
  return UiBridge::FromQ(target);
}

bool Shell::MailAvailable() { return UserSeam::Current().MailAvailable(); }

int Shell::SendMail(const std::string& FileName, const std::string& Subject) {
  const std::string kept = KeepAttachment(FileName);
  if (kept.empty()) return 1;
  return UserSeam::Current().SendMail(kept, Subject) ? 0 : 2;
}
