#include "platform/ui/Shell.h"

#include "platform/ui/QtBridge.h"
#include "platform/ui/UserSeam.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

namespace {

const char* const MailHandler = "xdg-email";

bool DesktopSeam() { return &UserSeam::Current() == &UserSeam::QtSeam(); }

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

std::string Shell::MailToAddress(const std::string& Subject, const std::string& Attachment) {
  const QByteArray subject = QUrl::toPercentEncoding(UiBridge::ToQ(Subject));
  const QByteArray attach = QUrl::toPercentEncoding(UiBridge::ToQ(Attachment));
  return "mailto:?subject=" + subject.toStdString() + "&attach=" + attach.toStdString();
}

bool Shell::MailAvailable() {
  if (!DesktopSeam()) return true;
  return !QStandardPaths::findExecutable(MailHandler).isEmpty();
}

int Shell::SendMail(const std::string& FileName, const std::string& Subject) {
  const std::string kept = KeepAttachment(FileName);
  if (kept.empty()) return 1;
  if (!DesktopSeam()) return UserSeam::Current().ShellOpen(MailToAddress(Subject, kept)) ? 0 : 3;
  // The handler returns once the mail program has the message; it is started
  // detached so that a mail program started by it never holds this program up.
  const bool started = QProcess::startDetached(
      MailHandler, {"--utf8", "--subject", UiBridge::ToQ(Subject), "--attach", UiBridge::ToQ(kept)});
  return started ? 0 : 2;
}
