#pragma once
// A seam for tests: every prompt takes the next answer of a script. A prompt
// with no answer queued, or of another kind than the one queued, is a failure:
// it is reported through OnUnexpected (default: printed and the process aborts)
// and answered with a safe "cancel", so a test never waits for a person.
// Answers still queued when the seam is destroyed are reported the same way.
//
//   TScriptedUserSeam seam;                       // installs itself
//   seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
//   seam.AnswerMessage(mrYes);
//   seam.AnswerModal([](TForm& f) { ...set fields...; return mrOk; });
//   ... run the code ...
//   EXPECT_EQ(seam.Prompts()[0].Text, "Delete Series1 ?");

#include "platform/ui/UserSeam.h"

#include <deque>
#include <functional>
#include <variant>

enum class TPromptKind { Message, Input, Modal, FileDialog, Color, Font, Print, Popup, Shell, Http, Mail };

// What a prompt showed, for tests to check.
struct TPromptRecord {
  TPromptKind Kind;
  std::string Caption;  // message/input caption, form caption, dialog title, menu name, mail subject
  std::string Text;     // message text, input prompt, URL or file to open, mail attachment
};

class TScriptedUserSeam : public IUserSeam {
 public:
  using TModalScript = std::function<TModalResult(TForm&)>;
  using TFileScript = std::function<std::optional<TFileDialogResult>(const TFileDialogRequest&)>;
  using TFontScript = std::function<bool(TFont&)>;
  using TPopupScript = std::function<TMenuItem*(TPopupMenu&)>;

  TScriptedUserSeam();  // installs itself
  ~TScriptedUserSeam() override;  // reports unanswered script entries, restores the previous seam
  TScriptedUserSeam(const TScriptedUserSeam&) = delete;
  TScriptedUserSeam& operator=(const TScriptedUserSeam&) = delete;

  std::function<void(const std::string& Failure)> OnUnexpected;

  void AnswerMessage(TModalResult Answer);
  void AnswerInput(std::optional<std::string> Text);  // none: cancel
  void AnswerModal(TModalScript Script);               // sets fields, returns the modal result
  void AnswerFileDialog(std::optional<TFileDialogResult> Result);
  void AnswerFileDialog(TFileScript Script);
  void AnswerColor(std::optional<TColor> Color);
  void AnswerFont(TFontScript Script);
  void AnswerPrint(std::optional<TPrintResult> Result);
  void AnswerPopup(TPopupScript Script);
  void AnswerPopupItem(const std::string& Caption);  // the visible item with this caption ("&" ignored)
  void AnswerShell(bool Opened);
  void AnswerHttp(THttpResponse Response);
  // Whether the mail program started (a message was handed over).
  void AnswerMail(bool Sent);
  // What MailAvailable answers; asking is no prompt.
  bool MailInstalled = true;

  const std::vector<TPromptRecord>& Prompts() const { return FPrompts; }
  std::size_t Pending() const { return FScript.size(); }
  const std::vector<std::string>& Failures() const { return FFailures; }

  TModalResult MessageBox(const TMessageRequest& Request) override;
  std::optional<std::string> InputBox(const TInputRequest& Request) override;
  TModalResult ShowModal(TForm& Form) override;
  std::optional<TFileDialogResult> FileDialog(const TFileDialogRequest& Request) override;
  std::optional<TColorResult> ColorDialog(const TColorRequest& Request) override;
  bool FontDialog(TFont& Font) override;
  std::optional<TPrintResult> PrintDialog(const TPrintRequest& Request) override;
  TMenuItem* PopupMenu(TPopupMenu& Menu, int X, int Y) override;
  bool ShellOpen(const std::string& Target) override;
  // Recorded as a shell prompt whose text is the program and its arguments,
  // separated by blanks; answered by AnswerShell.
  bool StartProgram(const std::string& Program, const std::vector<std::string>& Arguments) override;
  THttpResponse Http(const THttpRequest& Request) override;
  bool MailAvailable() override { return MailInstalled; }
  bool SendMail(const std::string& Attachment, const std::string& Subject) override;

 private:
  using TAnswer = std::variant<TModalResult, std::optional<std::string>, TModalScript, TFileScript,
                               std::optional<TColor>, TFontScript, std::optional<TPrintResult>, TPopupScript,
                               bool, THttpResponse>;
  struct TEntry {
    TPromptKind Kind;
    TAnswer Answer;
  };
  // The next answer when it is of Kind; none (after reporting) otherwise.
  std::optional<TAnswer> Take(TPromptKind Kind, const std::string& Caption, const std::string& Text);
  void Fail(const std::string& Failure);

  std::deque<TEntry> FScript;
  std::vector<TPromptRecord> FPrompts;
  std::vector<std::string> FFailures;
  IUserSeam* FPrevious = nullptr;
};

const char* PromptKindName(TPromptKind Kind);
