#pragma once
// Forms: top-level windows, the application object and the screen.

#include "platform/ui/Controls.h"

#include <exception>
#include <set>

class TMainMenu;
class TFormWindow;

enum class TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TWinControl {
  KV_CLASS(TForm, TWinControl)
 public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;
  // Second construction phase: fires OnCreate.
  void Init() override;
  void BeforeDestruction() override;

  // Width and Height of a form are those of its client area.
  TPosition Position = TPosition::poDesigned;
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TFormStyle GetFormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TWindowState GetWindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  bool KeyPreview = false;
  TMainMenu* GetMenu() const;
  void SetMenu(TMainMenu* Value);
  TWinControl* GetActiveControl() const { return FActiveControl.Get(); }
  void SetActiveControl(TWinControl* Value);
  bool ClicksOnMouseUp() const override { return true; }

  // Modal use: ShowModal returns when ModalResult becomes non-zero (a button
  // with a modal result sets it) or the form is closed (mrCancel).
  TModalResult ShowModal();
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value);
  bool IsModal() const { return FModal; }

  // Close asks OnCloseQuery, then OnClose decides what happens to the form.
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the current event is done.
  void Release();
  // Fires OnCreate once; the application and the first show call it.
  void DoCreate();

  // The form's background in its colour, then OnPaint on this canvas.
  TCanvas* GetCanvas() { return PaintCanvas(); }
  TNotifyEvent OnPaint;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // Enter clicks the focused button or else the default button, Esc the
  // cancel button; true when a button took the key.
  virtual bool DialogKey(uint16_t Key, TWinControl* Focused);
  // Clicks the main menu item with this shortcut; true when there was one.
  bool IsShortCut(uint16_t Key, TShiftState Shift);

  // The message loop of a modal form; the Qt seam runs it.
  TModalResult RunModalLoop();

 protected:
  friend struct UiBridge::TAccess;
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;
  void VisibleChanged() override;
  bool PaintsItself() const override { return true; }
  void PaintControl(TCanvas& Canvas) override;
  void TextChanged() override;
  void ApplyBoundsToWidget() override;
  void PlaceOnScreen();
  void ApplyWindowFlags();
  void ShowWindowInState();
  bool CloseModal();
  // The window made for this form (none when embedded), detached from it.
  TFormWindow* TakeOwnWindow();
  // A form with a parent sits inside it like any control.
  bool Embedded() const { return GetParent() != nullptr; }

 private:
  TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
  TFormStyle FFormStyle = TFormStyle::fsNormal;
  TWindowState FWindowState = TWindowState::wsNormal;
  WeakRef<TMainMenu> FMenu;
  WeakRef<TWinControl> FActiveControl;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
  bool FCreated = false;
  bool FPlaced = false;
  bool FReleaseAfterModal = false;
  void* FModalLoop = nullptr;  // the QEventLoop while modal
};

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Starts the toolkit with the program's arguments; optional in tests.
  void Initialize(int& argc, char** argv);
  std::string Title;
  bool ShowMainForm = true;
  TForm* GetMainForm() const { return FMainForm; }

  // Creates a form owned by the application and fires its OnCreate; the first
  // one becomes the main form.
  template <class F>
  F* CreateForm() {
    F* form = Create<F>(this);
    AddForm(form);
    return form;
  }
  // Shows the main form and runs the message loop until Terminate or the main
  // form closes; then frees the forms and the toolkit Initialize started.
  void Run();
  void Terminate();
  bool GetTerminated() const { return FTerminated; }
  // Runs the pending events once, also when nested; a command that is still
  // running is not started again (see Dispatch).
  void ProcessMessages();

  // Runs Handler for an event of Sender: an exception that escapes it goes to
  // HandleException and the program goes on. A command (Guarded) is dropped
  // while a command of the same sender is still running, so that an event let
  // through by ProcessMessages cannot re-enter it.
  void Dispatch(TObject* Sender, const std::function<void()>& Handler, bool Guarded = true);
  // Called inside a catch block: OnException, else the message box.
  void HandleException(TObject* Sender);
  void ShowException(const std::exception& E);
  TExceptionEvent OnException;

  // A message box captioned Caption; Flags are MB_ values; returns IDOK, IDYES, ...
  int MessageBox(const std::string& Text, const std::string& Caption, int Flags);

  std::string ExeName() const;
  // The command-line parameters as given to Initialize (ParamStr(0) is the program).
  int ParamCount() const { return FParams.empty() ? 0 : static_cast<int>(FParams.size()) - 1; }
  std::string ParamStr(int Index) const;
  void SetParams(std::vector<std::string> Params) { FParams = std::move(Params); }

  // Frees the forms and forgets the main form (tests start afresh).
  void ResetForTests();
  void ResetMainForm();

 private:
  void AddForm(TForm* Form);
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
  bool FInMainLoop = false;
  std::set<TObject*> FRunning;
  std::vector<std::string> FParams;
  bool FOwnsQtApp = false;
  void* FQtApp = nullptr;
};

extern TApplication* const Application;

class TScreen {
 public:
  TCursor GetCursor() const { return FCursor; }
  // crDefault shows each control's own cursor again.
  void SetCursor(TCursor Value);
  int GetWidth() const;
  int GetHeight() const;
  TRect GetWorkAreaRect() const;
  TForm* GetActiveForm() const;
  // Form shown modally or with focus, and the forms that exist.
  const std::vector<TForm*>& Forms() const { return FForms; }

 private:
  friend class TForm;
  TCursor FCursor = crDefault;
  bool FOverride = false;
  std::vector<TForm*> FForms;
};

extern TScreen* const Screen;

namespace Forms {
// Sets the screen cursor for the guard's lifetime (crHourGlass during a long command).
class [[nodiscard]] TCursorGuard {
 public:
  explicit TCursorGuard(TCursor Cursor);
  ~TCursorGuard();
  TCursorGuard(const TCursorGuard&) = delete;
  TCursorGuard& operator=(const TCursorGuard&) = delete;

 private:
  TCursor FSaved;
};
// Starts the toolkit when no one has (tests use widgets without Initialize).
void EnsureToolkit();
}  // namespace Forms

// Message box flags and answers.
constexpr int MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
              MB_RETRYCANCEL = 0x5;
constexpr int MB_ICONHAND = 0x10, MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20,
              MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30, MB_ICONASTERISK = 0x40,
              MB_ICONINFORMATION = 0x40;
constexpr int MB_DEFBUTTON1 = 0x0, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200;
constexpr int MB_APPLMODAL = 0x0, MB_SYSTEMMODAL = 0x1000, MB_TASKMODAL = 0x2000;
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;
