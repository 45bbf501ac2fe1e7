#pragma once
// The one seam for everything that waits for a person: message and input boxes,
// modal forms, file, colour, font and print dialogs, pop-up menus, opening files
// and addresses with the desktop shell, new mail messages, and HTTP requests. The program installs
// nothing and gets the Qt implementation; tests install a TScriptedUserSeam
// (ScriptedUserSeam.h) that answers from a queue and never waits.

#include "platform/rtl/Types.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

class TForm;
class TFont;
class TMenuItem;
class TPopupMenu;

// Message box kinds and buttons.
enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };

// Modal results; the message box answers are the same numbers.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

struct TMessageRequest {
  std::string Caption;
  std::string Text;
  TMsgDlgType DlgType = TMsgDlgType::mtInformation;
  std::vector<TMsgDlgBtn> Buttons;  // in the order shown
  int DefaultButton = 0;            // index into Buttons
  // Screen position of the box's top-left corner; none: centred.
  std::optional<TPoint> Position;
};

struct TInputRequest {
  std::string Caption;
  std::string Prompt;
  std::string Default;
};

enum class TFileDialogKind { Open, Save };

struct TFileDialogRequest {
  TFileDialogKind Kind = TFileDialogKind::Open;
  std::string Title;
  // Pairs of description and patterns ("*.txt;*.dat").
  std::vector<std::pair<std::string, std::string>> Filters;
  int FilterIndex = 1;  // 1-based
  std::string InitialDir;
  std::string FileName;
  std::string DefaultExt;
  bool MultiSelect = false;
  bool OverwritePrompt = false;
  bool FileMustExist = false;
};

struct TFileDialogResult {
  std::vector<std::string> Files;  // at least one when confirmed
  int FilterIndex = 1;             // the filter the person chose, 1-based
};

struct TColorRequest {
  TColor Color = 0;
  std::vector<TColor> CustomColors;  // up to 16
};

struct TColorResult {
  TColor Color = 0;
  std::vector<TColor> CustomColors;
};

struct TPrintRequest {
  int MinPage = 1, MaxPage = 1;
  int FromPage = 1, ToPage = 1;
  bool PageNumbers = false;  // offer a page range
  int Copies = 1;
};

struct TPrintResult {
  bool AllPages = true;
  int FromPage = 1, ToPage = 1;
  int Copies = 1;
  std::string PrinterName;
};

struct THttpRequest {
  std::string Method = "GET";  // "GET" or "HEAD"
  std::string Url;
  std::map<std::string, std::string> Headers;
  int TimeoutMs = 15000;
};

struct THttpResponse {
  int Status = 0;  // 0: no connection
  std::map<std::string, std::string> Headers;  // names lower-cased
  std::string Body;
  std::string Error;  // empty on success
};

class IUserSeam {
 public:
  virtual ~IUserSeam() = default;
  // Returns the modal result of the button pressed (mrCancel when closed).
  virtual TModalResult MessageBox(const TMessageRequest& Request) = 0;
  // The text entered, or none when cancelled.
  virtual std::optional<std::string> InputBox(const TInputRequest& Request) = 0;
  // Runs the form modally; returns its modal result.
  virtual TModalResult ShowModal(TForm& Form) = 0;
  virtual std::optional<TFileDialogResult> FileDialog(const TFileDialogRequest& Request) = 0;
  virtual std::optional<TColorResult> ColorDialog(const TColorRequest& Request) = 0;
  // Edits Font in place; false when cancelled (Font unchanged).
  virtual bool FontDialog(TFont& Font) = 0;
  virtual std::optional<TPrintResult> PrintDialog(const TPrintRequest& Request) = 0;
  // Shows the menu at screen position X,Y; returns the chosen item or none.
  virtual TMenuItem* PopupMenu(TPopupMenu& Menu, int X, int Y) = 0;
  // Opens a file or address with the desktop's associated program.
  virtual bool ShellOpen(const std::string& Target) = 0;
  // Starts Program with Arguments, detached (the user's own editor); false when it
  // could not be started.
  virtual bool StartProgram(const std::string& Program, const std::vector<std::string>& Arguments) = 0;
  // Whether a mail program can take a new message.
  virtual bool MailAvailable() = 0;
  // Opens a new message with Subject and the file Attachment in the mail
  // program, which may read the file after the call returns; false when the
  // mail program could not be started.
  virtual bool SendMail(const std::string& Attachment, const std::string& Subject) = 0;
  virtual THttpResponse Http(const THttpRequest& Request) = 0;
};

namespace UserSeam {
// The seam in use: the installed one, else the Qt implementation.
IUserSeam& Current();
// Installs Seam (none: back to the Qt implementation); returns the previous one.
IUserSeam* Install(IUserSeam* Seam);
// The Qt implementation used by the program.
IUserSeam& QtSeam();
// Display text of a button ("OK", "Cancel", "&Yes", ...) and its modal result.
std::string ButtonCaption(TMsgDlgBtn Button);
TModalResult ButtonResult(TMsgDlgBtn Button);
}  // namespace UserSeam
