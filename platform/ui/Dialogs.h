#pragma once
// Dialogs: message and input boxes and the common dialogs, all through the seam.

#include "platform/ui/Forms.h"

#include <optional>

class TStringList;

enum class TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify,
  ofEnableSizing, ofDontAddToRecent, ofForceShowHidden
};
using TOpenOptions = Flags<TOpenOption>;

class TCommonDialog : public TComponent {
  KV_CLASS(TCommonDialog, TComponent)
 public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  virtual bool Execute() = 0;
  std::string Title;
  // Run as the dialog appears and after it has closed (either way).
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;
};

// Include is true on entry; a handler clears it to keep FileName out.
using TIncludeItemEvent = std::function<void(TObject* Sender, const std::string& FileName, bool& Include)>;

class TOpenDialog : public TCommonDialog {
  KV_CLASS(TOpenDialog, TCommonDialog)
 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  // "description|pattern|description|pattern"; patterns separated by ";".
  std::string Filter;
  int FilterIndex = 1;  // 1-based; the person's choice after Execute
  std::string FileName;
  std::string InitialDir;
  // Appended (with ".") to a chosen name that has no extension.
  std::string DefaultExt;
  TOpenOptions Options = {TOpenOption::ofHideReadOnly, TOpenOption::ofEnableSizing};
  // All chosen names (one unless ofAllowMultiSelect).
  TStringList* Files() const { return FFiles.get(); }
  // Runs the dialog. While it runs, FileName, Files and FilterIndex are the
  // person's current choice; a cancelled run gives them their old values back.
  bool Execute() override;
  // The person chose a name in another folder, another name, another filter.
  TNotifyEvent OnFolderChange;
  TNotifyEvent OnSelectionChange;
  TNotifyEvent OnTypeChange;
  // Asked when the person confirms; false keeps the dialog open for another choice.
  TCloseQueryEvent OnCanClose;
  // With ofEnableIncludeNotify: a name the handler leaves out cannot be chosen,
  // so the dialog stays open for another choice.
  TIncludeItemEvent OnIncludeItem;

 protected:
  virtual TFileDialogKind Kind() const { return TFileDialogKind::Open; }

 private:
  std::unique_ptr<TStringList> FFiles;
};

class TSaveDialog : public TOpenDialog {
  KV_CLASS(TSaveDialog, TOpenDialog)
 public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

 protected:
  TFileDialogKind Kind() const override { return TFileDialogKind::Save; }
};

class TColorDialog : public TCommonDialog {
  KV_CLASS(TColorDialog, TCommonDialog)
 public:
  explicit TColorDialog(TComponent* AOwner);
  ~TColorDialog() override;
  TColor Color = clBlack;
  // Lines "ColorA=RRGGBB" .. "ColorP=RRGGBB": the colour as eight or fewer hex digits of TColor.
  TStringList* CustomColors() const { return FCustomColors.get(); }
  bool Execute() override;

 private:
  std::unique_ptr<TStringList> FCustomColors;
};

class TFontDialog : public TCommonDialog {
  KV_CLASS(TFontDialog, TCommonDialog)
 public:
  explicit TFontDialog(TComponent* AOwner);
  ~TFontDialog() override;
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* Value);
  bool Execute() override;

 private:
  std::unique_ptr<TFont> FFont;
};

class TPrintDialog : public TCommonDialog {
  KV_CLASS(TPrintDialog, TCommonDialog)
 public:
  explicit TPrintDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  int MinPage = 1, MaxPage = 1, FromPage = 1, ToPage = 1, Copies = 1;
  bool PageNumbers = false;    // offer a page range
  bool AllPages = true;        // the person's choice after Execute
  std::string PrinterName;     // chosen printer after Execute
  bool Execute() override;
};

namespace Dialogs {
// A message box captioned by its kind ("Warning", "Error", "Information",
// "Confirm"); returns the modal result of the pressed button.
TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, const std::vector<TMsgDlgBtn>& Buttons,
                        int HelpCtx = 0);
TModalResult MessageDlgPos(const std::string& Msg, TMsgDlgType DlgType, const std::vector<TMsgDlgBtn>& Buttons,
                           int HelpCtx, int X, int Y);
// A message box captioned with the application title and an OK button.
void ShowMessage(const std::string& Msg);
// The text entered, or Default when cancelled.
std::string InputBox(const std::string& Caption, const std::string& Prompt, const std::string& Default);
// Value holds the default on entry and the entry on confirmation; false when cancelled.
bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value);
// The caption of a message box of DlgType.
std::string DlgTypeCaption(TMsgDlgType DlgType);

// Parses a filter text into (description, patterns) pairs; a trailing
// description without patterns is dropped.
std::vector<std::pair<std::string, std::string>> ParseFilter(const std::string& Filter);
// The name a file dialog returns: DefaultExt appended when Name has no extension.
std::string ApplyDefaultExt(const std::string& Name, const std::string& DefaultExt);
// Custom colour lines "ColorA=..." to colours and back (16 entries; white where unreadable).
std::vector<TColor> CustomColorsFromLines(const TStringList& Lines);
void CustomColorsToLines(const std::vector<TColor>& Colors, TStringList& Lines);
}  // namespace Dialogs

namespace Shell {
// Opens a file or address with the desktop's associated program (through the seam).
bool Open(const std::string& Target);
}  // namespace Shell
