#include "platform/ui/UserSeam.h"
#include "platform/rtl/ResStrings.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtBridge.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <cmath>

namespace {

// The desktop's mail handler: it opens the user's mail program with a new message.
const char* const MailHandler = "xdg-email";

IUserSeam* GInstalled = nullptr;

QWidget* ActiveWindow() {
  Forms::EnsureToolkit();
  return QApplication::activeWindow();
}

QMessageBox::Icon IconOf(TMsgDlgType Type) {
  switch (Type) {
    case TMsgDlgType::mtWarning: return QMessageBox::Warning;
    case TMsgDlgType::mtError: return QMessageBox::Critical;
    case TMsgDlgType::mtInformation: return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
  }
}

QMessageBox::ButtonRole RoleOf(TMsgDlgBtn Button) {
  switch (Button) {
    case TMsgDlgBtn::mbYes:
    case TMsgDlgBtn::mbYesToAll: return QMessageBox::YesRole;
    case TMsgDlgBtn::mbNo:
    case TMsgDlgBtn::mbNoToAll: return QMessageBox::NoRole;
    case TMsgDlgBtn::mbOK:
    case TMsgDlgBtn::mbAll: return QMessageBox::AcceptRole;
    case TMsgDlgBtn::mbCancel:
    case TMsgDlgBtn::mbAbort: return QMessageBox::RejectRole;
    case TMsgDlgBtn::mbHelp: return QMessageBox::HelpRole;
    default: return QMessageBox::ActionRole;
  }
}

// The Qt implementation: real dialogs for a person.
class TQtUserSeam : public IUserSeam {
 public:
  TModalResult MessageBox(const TMessageRequest& Request) override {
    QMessageBox box(IconOf(Request.DlgType), UiBridge::ToQ(Request.Caption), UiBridge::ToQ(Request.Text),
                    QMessageBox::NoButton, ActiveWindow());
    std::vector<std::pair<QAbstractButton*, TModalResult>> buttons;
    QAbstractButton* escape = nullptr;
    for (size_t i = 0; i < Request.Buttons.size(); ++i) {
      TMsgDlgBtn b = Request.Buttons[i];
      QPushButton* button = box.addButton(UiBridge::ToQ(UserSeam::ButtonCaption(b)), RoleOf(b));
      buttons.emplace_back(button, UserSeam::ButtonResult(b));
      if (static_cast<int>(i) == Request.DefaultButton) box.setDefaultButton(button);
      if (b == TMsgDlgBtn::mbCancel || (b == TMsgDlgBtn::mbNo && !escape) || Request.Buttons.size() == 1)
        escape = button;
    }
    if (escape) box.setEscapeButton(escape);
    if (Request.Position) box.move(Request.Position->X, Request.Position->Y);
    box.exec();
    for (auto& [button, result] : buttons)
      if (box.clickedButton() == button) return result;
    return mrCancel;
  }

  std::optional<std::string> InputBox(const TInputRequest& Request) override {
    bool ok = false;
    QString text = QInputDialog::getText(ActiveWindow(), UiBridge::ToQ(Request.Caption),
                                         UiBridge::ToQ(Request.Prompt), QLineEdit::Normal,
                                         UiBridge::ToQ(Request.Default), &ok);
    if (!ok) return std::nullopt;
    return UiBridge::FromQ(text);
  }

  TModalResult ShowModal(TForm& Form) override { return Form.RunModalLoop(); }

  std::optional<TFileDialogResult> FileDialog(const TFileDialogRequest& Request) override {
    QFileDialog dialog(ActiveWindow(), UiBridge::ToQ(Request.Title));
    QStringList filters;
    for (const auto& [description, patterns] : Request.Filters) {
      QString p = UiBridge::ToQ(patterns);
      p.replace(';', ' ');
      filters << UiBridge::ToQ(description) + " (" + p + ")";
    }
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    const bool save = Request.Kind == TFileDialogKind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save)
      dialog.setFileMode(QFileDialog::AnyFile);
    else if (Request.MultiSelect)
      dialog.setFileMode(QFileDialog::ExistingFiles);
    else
      dialog.setFileMode(Request.FileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !Request.OverwritePrompt);
    if (!Request.InitialDir.empty()) dialog.setDirectory(UiBridge::ToQ(Request.InitialDir));
    if (!Request.FileName.empty()) dialog.selectFile(UiBridge::ToQ(Request.FileName));
    if (!Request.DefaultExt.empty()) dialog.setDefaultSuffix(UiBridge::ToQ(Request.DefaultExt));
    if (Request.FilterIndex >= 1 && Request.FilterIndex <= filters.size())
      dialog.selectNameFilter(filters[Request.FilterIndex - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    TFileDialogResult result;
    for (const QString& f : dialog.selectedFiles()) result.Files.push_back(UiBridge::FromQ(f));
    const int chosen = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    result.FilterIndex = chosen >= 0 ? chosen + 1 : Request.FilterIndex;
    return result;
  }

  std::optional<TColorResult> ColorDialog(const TColorRequest& Request) override {
    for (int i = 0; i < 16 && i < static_cast<int>(Request.CustomColors.size()); ++i)
      QColorDialog::setCustomColor(i, UiBridge::ToQColor(Request.CustomColors[static_cast<size_t>(i)]));
    QColorDialog dialog(UiBridge::ToQColor(Request.Color), ActiveWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    auto toColor = [](const QColor& c) {
      return RGB(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()), static_cast<uint8_t>(c.blue()));
    };
    TColorResult result;
    result.Color = toColor(dialog.selectedColor());
    for (int i = 0; i < 16; ++i) result.CustomColors.push_back(toColor(QColorDialog::customColor(i)));
    return result;
  }

  bool FontDialog(TFont& Font) override {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, UiBridge::ToQFont(Font), ActiveWindow());
    if (!ok) return false;
    Font.SetName(UiBridge::FromQ(chosen.family()));
    const int pixels = chosen.pixelSize() > 0
                           ? chosen.pixelSize()
                           : static_cast<int>(std::lround(chosen.pointSizeF() * Font.GetPixelsPerInch() / 72.0));
    Font.SetHeight(-pixels);
    TFontStyles style;
    style.Set(fsBold, chosen.bold());
    style.Set(fsItalic, chosen.italic());
    style.Set(fsUnderline, chosen.underline());
    style.Set(fsStrikeOut, chosen.strikeOut());
    Font.SetStyle(style);
    return true;
  }

  std::optional<TPrintResult> PrintDialog(const TPrintRequest& Request) override {
    QPrinter printer;
    printer.setCopyCount(Request.Copies);
    QPrintDialog dialog(&printer, ActiveWindow());
    if (Request.PageNumbers) {
      dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
      dialog.setMinMax(Request.MinPage, Request.MaxPage);
      printer.setFromTo(Request.FromPage, Request.ToPage);
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    TPrintResult result;
    result.AllPages = printer.printRange() != QPrinter::PageRange;
    result.FromPage = result.AllPages ? Request.MinPage : printer.fromPage();
    result.ToPage = result.AllPages ? Request.MaxPage : printer.toPage();
    result.Copies = printer.copyCount();
    result.PrinterName = UiBridge::FromQ(printer.printerName());
    return result;
  }

  TMenuItem* PopupMenu(TPopupMenu& Menu, int X, int Y) override {
    Forms::EnsureToolkit();
    QMenu menu;
    std::map<QAction*, TMenuItem*> actions;
    Menus::FillQtMenu(&menu, Menu.Items(), &actions);
    QAction* chosen = menu.exec(QPoint(X, Y));
    auto it = actions.find(chosen);
    return it == actions.end() ? nullptr : it->second;
  }

  bool ShellOpen(const std::string& Target) override {
    Forms::EnsureToolkit();
    const QString t = UiBridge::ToQ(Target);
    QUrl url = QFileInfo::exists(t) ? QUrl::fromLocalFile(QFileInfo(t).absoluteFilePath()) : QUrl::fromUserInput(t);
    return url.isValid() && QDesktopServices::openUrl(url);
  }

  bool StartProgram(const std::string& Program, const std::vector<std::string>& Arguments) override {
    QStringList args;
    for (const std::string& a : Arguments) args << UiBridge::ToQ(a);
    const QString program = QStandardPaths::findExecutable(UiBridge::ToQ(Program));
    return !program.isEmpty() && QProcess::startDetached(program, args);
  }

  bool MailAvailable() override { return !QStandardPaths::findExecutable(MailHandler).isEmpty(); }

  bool SendMail(const std::string& Attachment, const std::string& Subject) override {
    // The handler returns once the mail program has the message; it is started
    // detached so that a mail program started by it never holds this program up.
    return QProcess::startDetached(
        MailHandler, {"--utf8", "--subject", UiBridge::ToQ(Subject), "--attach", UiBridge::ToQ(Attachment)});
  }

  THttpResponse Http(const THttpRequest& Request) override {
    Forms::EnsureToolkit();
    THttpResponse response;
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(UiBridge::ToQ(Request.Url)));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    for (const auto& [name, value] : Request.Headers)
      request.setRawHeader(QByteArray::fromStdString(name), QByteArray::fromStdString(value));
    QNetworkReply* reply = Request.Method == "HEAD" ? manager.head(request) : manager.get(request);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&timer, &QTimer::timeout, reply, [&timedOut, reply] {
      timedOut = true;
      reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(Request.TimeoutMs);
    // The person's input waits: no command may start while the request runs.
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    response.Status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    for (const auto& [name, value] : reply->rawHeaderPairs())
      response.Headers[name.toLower().toStdString()] = value.toStdString();
    if (reply->isOpen()) response.Body = reply->readAll().toStdString();
    if (timedOut)
      response.Error = "no answer within " + std::to_string(Request.TimeoutMs) + " ms";
    else if (reply->error() != QNetworkReply::NoError)
      response.Error = UiBridge::FromQ(reply->errorString());
    delete reply;
    return response;
  }
};

}  // namespace

IUserSeam& UserSeam::QtSeam() {
  static TQtUserSeam seam;
  return seam;
}

IUserSeam& UserSeam::Current() { return GInstalled ? *GInstalled : QtSeam(); }

IUserSeam* UserSeam::Install(IUserSeam* Seam) {
  IUserSeam* previous = GInstalled;
  GInstalled = Seam;
  return previous;
}

std::string UserSeam::ButtonCaption(TMsgDlgBtn Button) {
  switch (Button) {
    case TMsgDlgBtn::mbYes: return ResStrings::Load(ResStrings::SMsgDlgYes);
    case TMsgDlgBtn::mbNo: return ResStrings::Load(ResStrings::SMsgDlgNo);
    case TMsgDlgBtn::mbOK: return ResStrings::Load(ResStrings::SMsgDlgOK);
    case TMsgDlgBtn::mbCancel: return ResStrings::Load(ResStrings::SMsgDlgCancel);
    case TMsgDlgBtn::mbAbort: return ResStrings::Load(ResStrings::SMsgDlgAbort);
    case TMsgDlgBtn::mbRetry: return ResStrings::Load(ResStrings::SMsgDlgRetry);
    case TMsgDlgBtn::mbIgnore: return ResStrings::Load(ResStrings::SMsgDlgIgnore);
    case TMsgDlgBtn::mbAll: return ResStrings::Load(ResStrings::SMsgDlgAll);
    case TMsgDlgBtn::mbNoToAll: return ResStrings::Load(ResStrings::SMsgDlgNoToAll);
    case TMsgDlgBtn::mbYesToAll: return ResStrings::Load(ResStrings::SMsgDlgYesToAll);
    case TMsgDlgBtn::mbHelp: return ResStrings::Load(ResStrings::SMsgDlgHelp);
  }
  return std::string();
}

TModalResult UserSeam::ButtonResult(TMsgDlgBtn Button) {
  switch (Button) {
    case TMsgDlgBtn::mbYes: return mrYes;
    case TMsgDlgBtn::mbNo: return mrNo;
    case TMsgDlgBtn::mbOK: return mrOk;
    case TMsgDlgBtn::mbCancel: return mrCancel;
    case TMsgDlgBtn::mbAbort: return mrAbort;
    case TMsgDlgBtn::mbRetry: return mrRetry;
    case TMsgDlgBtn::mbIgnore: return mrIgnore;
    case TMsgDlgBtn::mbAll: return mrAll;
    case TMsgDlgBtn::mbNoToAll: return mrNoToAll;
    case TMsgDlgBtn::mbYesToAll: return mrYesToAll;
    case TMsgDlgBtn::mbHelp: return mrNone;
  }
  return mrNone;
}
