#include "platform/ui/Forms.h"

#include "platform/rtl/SysUtils.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtBridge.h"
#include "platform/ui/StdCtrls.h"

#include <QApplication>
#include <QEventLoop>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// The window around a form's client area: it holds the menu bar and reports
// closing, moving and window-state changes to the form.
class TFormWindow : public QWidget {
 public:
  explicit TFormWindow(TForm* AForm) : FForm(AForm) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
  }
  TForm* FForm;

 protected:
  void closeEvent(QCloseEvent* e) override {
    if (!FForm || UiBridge::CloseRequested(FForm))
      QWidget::closeEvent(e);
    else
      e->ignore();
  }
  void moveEvent(QMoveEvent* e) override {
    QWidget::moveEvent(e);
    if (FForm && FForm->HandleAllocated()) UiBridge::Moved(FForm, FForm->Handle());
  }
  void changeEvent(QEvent* e) override {
    QWidget::changeEvent(e);
    if (FForm && e->type() == QEvent::WindowStateChange) UiBridge::TAccess::WindowStateFromWidget(FForm);
    if (FForm && e->type() == QEvent::ActivationChange)
      UiBridge::TAccess::ActivationChanged(FForm, isActiveWindow());
  }
};

namespace {

// The screen outlives the application object: forms leave its list when the
// application frees them at exit.
TScreen GScreen;
TApplication GApplication(nullptr);
// Set once the application object's own destructor has run: the forms it still
// owns are freed after that, by the component base, and must not call it.
bool GApplicationGone = false;

}  // namespace

TApplication* const Application = &GApplication;
TScreen* const Screen = &GScreen;

namespace {
// Drawing code that needs a Qt application before any window exists (text
// metrics) asks the graphics layer for one; with the window layer linked in it
// must be a widget application, or no window could be made later.
const bool GToolkitFactoryInstalled = [] {
  Graphics::SetGuiApplicationFactory(&Forms::EnsureToolkit);
  return true;
}();
}  // namespace

void Forms::EnsureToolkit() {
  if (QCoreApplication::instance()) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
      std::fprintf(stderr, "kv_ui: a non-widget Qt application exists; windows cannot be made\n");
    return;
  }
  // Tests use widgets without Initialize: a toolkit for the process, never freed
  // because widgets of static objects may outlive any owner we could give it.
  // Without any display the offscreen platform serves.
  static int argc = 1;
  static char name[] = "kelmvev2er";
  static char option[] = "-platform";
  static char offscreen[] = "offscreen";
  static char* argv[] = {name, option, offscreen, nullptr};
  const bool display = std::getenv("QT_QPA_PLATFORM") || std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
  argc = display ? 1 : 3;
  new QApplication(argc, argv);
  Graphics::LoadFontDatabase();
}

// ---------------------------------------------------------------- TForm

TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetVisibleField(false);
  SetBounds(0, 0, 320, 240);
  GScreen.FForms.push_back(this);
}

TForm::~TForm() {
  auto& forms = GScreen.FForms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  TFormWindow* window = TakeOwnWindow();
  TWinControl::DestroyWidget();
  delete window;
}

TFormWindow* TForm::TakeOwnWindow() {
  // An embedded form sits in another form's window, which is not its to free.
  auto* window = FWidget ? dynamic_cast<TFormWindow*>(FWidget->window()) : nullptr;
  if (!window || window->FForm != this) return nullptr;
  window->FForm = nullptr;
  return window;
}

void TForm::Init() {
  TWinControl::Init();
  DoCreate();
}

void TForm::BeforeDestruction() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      if (!GApplicationGone) Application->HandleException(this);
    }
  }
  if (!GApplicationGone && Application->GetMainForm() == this) Application->ResetMainForm();
  TFormWindow* window = TakeOwnWindow();
  TWinControl::BeforeDestruction();
  delete window;
}

void TForm::DoCreate() {
  if (FCreated) return;
  FCreated = true;
  if (OnCreate) OnCreate(this);
}

QWidget* TForm::CreateWidget(QWidget* ParentWidget) {
  if (Embedded()) return TWinControl::CreateWidget(ParentWidget);
  auto* window = new TFormWindow(this);
  auto* client = new UiBridge::TControlWidget<QWidget>(this, window);
  client->setAttribute(Qt::WA_OpaquePaintEvent);
  client->setFocusPolicy(Qt::ClickFocus);
  window->layout()->addWidget(client);
  return client;
}

void TForm::InitWidget() {
  TWinControl::InitWidget();
  if (Embedded()) return;
  FWidget->setVisible(true);
  FWidget->window()->setWindowTitle(UiBridge::ToQ(GetText()));
  ApplyWindowFlags();
  if (TMainMenu* menu = GetMenu()) {
    static_cast<QVBoxLayout*>(FWidget->window()->layout())->setMenuBar(menu->MenuBar(FWidget));
    ApplyBoundsToWidget();  // the window grows by the menu bar; the client keeps its size
  }
}

void TForm::ApplyBoundsToWidget() {
  if (Embedded()) return TWinControl::ApplyBoundsToWidget();
  QWidget* window = FWidget->window();
  int menuHeight = 0;
  if (QLayout* layout = window->layout(); layout && layout->menuBar())
    menuHeight = layout->menuBar()->sizeHint().height();
  window->move(GetLeft(), GetTop());
  window->resize(GetWidth(), GetHeight() + menuHeight);
}

void TForm::TextChanged() {
  if (FWidget && !Embedded()) FWidget->window()->setWindowTitle(UiBridge::ToQ(GetText()));
}

void TForm::SetBorderStyle(TFormBorderStyle Value) {
  FBorderStyle = Value;
  if (FWidget) ApplyWindowFlags();
}

void TForm::SetFormStyle(TFormStyle Value) {
  FFormStyle = Value;
  if (FWidget) ApplyWindowFlags();
}

void TForm::ApplyWindowFlags() {
  if (Embedded()) return;
  QWidget* window = FWidget->window();
  Qt::WindowFlags flags = Qt::Window;
  switch (FBorderStyle) {
    case TFormBorderStyle::bsNone: flags |= Qt::FramelessWindowHint; break;
    case TFormBorderStyle::bsDialog: flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint; break;
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin: flags = Qt::Tool; break;
    default: break;
  }
  if (FFormStyle == TFormStyle::fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  const bool shown = window->isVisible();
  window->setWindowFlags(flags);
  // Fixed borders keep the size the form has.
  const bool fixed = FBorderStyle == TFormBorderStyle::bsSingle || FBorderStyle == TFormBorderStyle::bsDialog ||
                     FBorderStyle == TFormBorderStyle::bsToolWindow;
  if (fixed)
    FWidget->setFixedSize(GetWidth(), GetHeight());
  else
    FWidget->setMinimumSize(0, 0), FWidget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  if (Constraints.MinWidth > 0 || Constraints.MinHeight > 0)
    FWidget->setMinimumSize(Constraints.MinWidth, Constraints.MinHeight);
  if (Constraints.MaxWidth > 0 || Constraints.MaxHeight > 0)
    FWidget->setMaximumSize(Constraints.MaxWidth > 0 ? Constraints.MaxWidth : QWIDGETSIZE_MAX,
                            Constraints.MaxHeight > 0 ? Constraints.MaxHeight : QWIDGETSIZE_MAX);
  if (shown) window->show();
}

void TForm::SetWindowState(TWindowState Value) {
  FWindowState = Value;
  if (FWidget && GetVisible() && !Embedded()) ShowWindowInState();
}

void TForm::ShowWindowInState() {
  QWidget* window = FWidget->window();
  switch (FWindowState) {
    case TWindowState::wsMaximized: window->showMaximized(); break;
    case TWindowState::wsMinimized: window->showMinimized(); break;
    default: window->showNormal(); break;
  }
}

TMainMenu* TForm::GetMenu() const { return FMenu.Get(); }

void TForm::SetMenu(TMainMenu* Value) {
  FMenu = Value;
  if (FWidget && !Embedded()) {
    auto* layout = static_cast<QVBoxLayout*>(FWidget->window()->layout());
    layout->setMenuBar(Value ? Value->MenuBar(FWidget) : nullptr);
    ApplyBoundsToWidget();
  }
}

void TForm::SetActiveControl(TWinControl* Value) {
  FActiveControl = Value;
  if (Value && Value->HandleAllocated() && GetVisible()) Value->Handle()->setFocus(Qt::OtherFocusReason);
}

void TForm::PlaceOnScreen() {
  TRect area = Screen->GetWorkAreaRect();
  auto centreOn = [this](const TRect& r) {
    SetBounds(r.Left + (r.Width() - GetWidth()) / 2, r.Top + (r.Height() - GetHeight()) / 2, GetWidth(),
              GetHeight());
  };
  switch (Position) {
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter: centreOn(area); break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
      TForm* other = Position == TPosition::poOwnerFormCenter ? dynamic_cast<TForm*>(Owner()) : nullptr;
      if (!other) other = Application->GetMainForm();
      if (other && other != this)
        centreOn(other->GetBoundsRect());
      else
        centreOn(area);
      break;
    }
    default: break;
  }
}

void TForm::VisibleChanged() {
  if (Embedded()) {
    DoCreate();
    if (GetVisible() && OnShow) OnShow(this);
    TWinControl::VisibleChanged();
    if (!GetVisible() && OnHide) OnHide(this);
    return;
  }
  if (GetVisible()) {
    DoCreate();
    Handle();
    if (!FPlaced) {
      FPlaced = true;
      PlaceOnScreen();
    }
    if (OnShow) OnShow(this);
    if (!GetVisible() || !FWidget) return;  // OnShow hid or freed it
    ShowWindowInState();
    FWidget->window()->raise();
    FWidget->window()->activateWindow();
    if (TWinControl* active = GetActiveControl(); active && active->HandleAllocated())
      active->Handle()->setFocus(Qt::OtherFocusReason);
  } else {
    if (FWidget) FWidget->window()->hide();
    if (OnHide) OnHide(this);
  }
}

void TForm::PaintControl(TCanvas& Canvas) {
  PaintThrough(Canvas, [this] {
    if (OnPaint) OnPaint(this);
  });
}

TModalResult TForm::ShowModal() {
  if (GetVisible()) throw EInvalidOperation("Cannot make a visible window modal");
  DoCreate();
  FModalResult = mrNone;
  FModal = true;
  struct TModalEnd {
    TForm* Form;
    ~TModalEnd() { Form->FModal = false; }
  } modalEnd{this};
  FModalResult = UserSeam::Current().ShowModal(*this);
  return FModalResult;
}

TModalResult TForm::RunModalLoop() {
  Handle();
  QWidget* window = FWidget->window();
  window->setWindowModality(Qt::ApplicationModal);
  FModalResult = mrNone;
  const bool wasModal = FModal;
  FModal = true;
  QEventLoop loop;
  FModalLoop = &loop;
  // An exception from OnShow, OnCloseQuery or OnClose leaves the loop: the form
  // must not keep pointing at the finished loop nor stay modal and shown.
  struct TModalRestore {
    TForm* Form;
    bool WasModal;
    bool Normal = false;
    ~TModalRestore() {
      Form->FModalLoop = nullptr;
      Form->FModal = WasModal;
      if (Normal) return;
      try {
        Form->SetVisible(false);
      } catch (...) {
        Application->HandleException(Form);
      }
      if (Form->FWidget) Form->FWidget->window()->setWindowModality(Qt::NonModal);
    }
  } restore{this, wasModal};
  SetVisible(true);
  for (;;) {
    // -1: the toolkit is leaving every loop; the dialog ends as cancelled.
    if (FModalResult == mrNone && loop.exec() == -1 && FModalResult == mrNone) FModalResult = mrCancel;
    if (Application->GetTerminated()) {
      if (FModalResult == mrNone) FModalResult = mrCancel;
      break;
    }
    if (FModalResult != mrNone) {
      if (CloseModal()) break;
      FModalResult = mrNone;
    }
  }
  FModalLoop = nullptr;
  FModal = wasModal;
  restore.Normal = true;
  SetVisible(false);
  if (FWidget) FWidget->window()->setWindowModality(Qt::NonModal);
  const TModalResult result = FModalResult;
  if (FReleaseAfterModal) {
    FReleaseAfterModal = false;
    Release();
  }
  return result;
}

bool TForm::CloseModal() {
  bool canClose = CloseQuery();
  if (!canClose) return false;
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  return action != TCloseAction::caNone;
}

void TForm::SetModalResult(TModalResult Value) {
  FModalResult = Value;
  if (Value != mrNone && FModalLoop) static_cast<QEventLoop*>(FModalLoop)->quit();
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Close() {
  if (FModal) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  switch (action) {
    case TCloseAction::caNone: return;
    case TCloseAction::caFree: Release(); break;
    case TCloseAction::caMinimize: SetWindowState(TWindowState::wsMinimized); return;
    case TCloseAction::caHide: Hide(); break;
  }
  if (Application->GetMainForm() == this) Application->Terminate();
}

void TForm::Release() {
  if (FModalLoop) {
    // Freed once its modal loop has ended, not under it.
    FReleaseAfterModal = true;
    SetModalResult(mrCancel);
    return;
  }
  Hide();
  WeakRef<TForm> self(this);
  QTimer::singleShot(0, [self] {
    if (TForm* form = self.Get()) form->Free();
  });
}

namespace {

TButton* FindButton(TWinControl* Parent, bool Default) {
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    TControl* c = Parent->GetControl(i);
    if (!c->GetVisible() || !c->GetEnabled()) continue;
    if (auto* b = dynamic_cast<TButton*>(c); b && (Default ? b->Default : b->Cancel)) return b;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (TButton* found = FindButton(w, Default)) return found;
  }
  return nullptr;
}

}  // namespace

bool TForm::DialogKey(uint16_t Key, TWinControl* Focused) {
  // A memo keeps its Enter for a new line.
  if (Key == VK_RETURN && dynamic_cast<TMemo*>(Focused)) return false;
  TButton* button = Key == VK_RETURN ? dynamic_cast<TButton*>(Focused) : nullptr;
  if (!button) button = FindButton(this, Key == VK_RETURN);
  if (!button) return false;
  button->Click();
  return true;
}

bool TForm::IsShortCut(uint16_t Key, TShiftState Shift) {
  TMainMenu* menu = GetMenu();
  return menu && menu->IsShortCut(Menus::ShortCut(Key, Shift));
}

void UiBridge::TAccess::NoteActive(TForm* Form, TWinControl* Control) { Form->FActiveControl = Control; }

void UiBridge::TAccess::WindowStateFromWidget(TForm* Form) {
  if (!Form->FWidget) return;
  Qt::WindowStates s = Form->FWidget->window()->windowState();
  Form->FWindowState = s & Qt::WindowMaximized   ? TWindowState::wsMaximized
                       : s & Qt::WindowMinimized ? TWindowState::wsMinimized
                                                 : TWindowState::wsNormal;
}

void UiBridge::TAccess::ActivationChanged(TForm* Form, bool Active) {
  Application->Dispatch(
      Form,
      [&] {
        if (Active && Form->OnActivate) Form->OnActivate(Form);
        if (!Active && Form->OnDeactivate) Form->OnDeactivate(Form);
      },
      false);
}

// ---------------------------------------------------------------- TApplication

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() {
  // At exit the toolkit's own globals may be gone: the toolkit is left alone
  // here (Run frees it), and so are the widgets of forms still alive.
  FOwnsQtApp = false;
  if (this == &GApplication) GApplicationGone = true;
}

void TApplication::Initialize(int& argc, char** argv) {
  // Kept before the toolkit takes out the options it knows.
  FParams.assign(argv, argv + argc);
  if (!QCoreApplication::instance()) {
    FQtApp = new QApplication(argc, argv);
    FOwnsQtApp = true;
    Graphics::LoadFontDatabase();
  }
  if (Title.empty()) Title = SysUtils::ChangeFileExt(SysUtils::ExtractFileName(ExeName()), "");
}

void TApplication::AddForm(TForm* Form) {
  if (!FMainForm) FMainForm = Form;
}

void TApplication::ResetMainForm() { FMainForm = nullptr; }

void TApplication::Run() {
  Forms::EnsureToolkit();
  if (FMainForm && ShowMainForm && !FTerminated) FMainForm->Show();
  if (!FTerminated && FMainForm && FMainForm->GetVisible()) {
    FInMainLoop = true;
    QApplication::exec();
    FInMainLoop = false;
  }
  FTerminated = true;
  // The forms go while their toolkit is still complete, then the toolkit.
  DestroyComponents();
  FMainForm = nullptr;
  if (FOwnsQtApp) {
    FOwnsQtApp = false;
    delete static_cast<QApplication*>(FQtApp);
    FQtApp = nullptr;
  }
}

void TApplication::Terminate() {
  FTerminated = true;
  if (FInMainLoop) {
    // Leaves the main loop and every modal loop inside it.
    QCoreApplication::exit(0);
    return;
  }
  // Without a main loop (before Run, in tests) only modal loops end.
  for (TForm* form : Screen->Forms())
    if (form->IsModal()) form->SetModalResult(mrCancel);
}

void TApplication::ProcessMessages() {
  // Nested calls run the events too: a long command started from another
  // command's ProcessMessages must still see its own Cancel button. Re-entry
  // into a running command is stopped per sender by Dispatch.
  Forms::EnsureToolkit();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::Dispatch(TObject* Sender, const std::function<void()>& Handler, bool Guarded) {
  if (Guarded && Sender) {
    if (FRunning.count(Sender)) return;
    FRunning.insert(Sender);
  }
  struct TEnd {
    std::set<TObject*>& Running;
    TObject* Sender;
    bool Guarded;
    ~TEnd() {
      if (Guarded && Sender) Running.erase(Sender);
    }
  } end{FRunning, Sender, Guarded};
  try {
    Handler();
  } catch (...) {
    HandleException(Sender);
  }
}

void TApplication::HandleException(TObject* Sender) {
  try {
    try {
      throw;
    } catch (const EAbort&) {
      // The silent exception ends a command without a message.
    } catch (const std::exception& e) {
      if (OnException)
        OnException(Sender, e);
      else
        ShowException(e);
    } catch (...) {
      Exception e("Unknown exception");
      if (OnException)
        OnException(Sender, e);
      else
        ShowException(e);
    }
  } catch (const std::exception& e) {
    // Showing the error failed too: it is written out rather than lost.
    std::fprintf(stderr, "%s: exception while handling an exception: %s\n", Title.c_str(), e.what());
  } catch (...) {
    std::fprintf(stderr, "%s: unknown exception while handling an exception\n", Title.c_str());
  }
}

void TApplication::ShowException(const std::exception& E) {
  std::string text = E.what();
  // The platform ends the shown message with a full stop.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  TMessageRequest request;
  request.Caption = Title;
  request.Text = text;
  request.DlgType = TMsgDlgType::mtError;
  request.Buttons = {TMsgDlgBtn::mbOK};
  UserSeam::Current().MessageBox(request);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, int Flags) {
  TMessageRequest request;
  request.Caption = Caption;
  request.Text = Text;
  switch (Flags & 0xF) {
    case MB_OKCANCEL: request.Buttons = {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel}; break;
    case MB_ABORTRETRYIGNORE:
      request.Buttons = {TMsgDlgBtn::mbAbort, TMsgDlgBtn::mbRetry, TMsgDlgBtn::mbIgnore};
      break;
    case MB_YESNOCANCEL: request.Buttons = {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}; break;
    case MB_YESNO: request.Buttons = {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}; break;
    case MB_RETRYCANCEL: request.Buttons = {TMsgDlgBtn::mbRetry, TMsgDlgBtn::mbCancel}; break;
    default: request.Buttons = {TMsgDlgBtn::mbOK}; break;
  }
  switch (Flags & 0xF0) {
    case MB_ICONHAND: request.DlgType = TMsgDlgType::mtError; break;
    case MB_ICONQUESTION: request.DlgType = TMsgDlgType::mtConfirmation; break;
    case MB_ICONEXCLAMATION: request.DlgType = TMsgDlgType::mtWarning; break;
    case MB_ICONASTERISK: request.DlgType = TMsgDlgType::mtInformation; break;
    default: request.DlgType = TMsgDlgType::mtCustom; break;
  }
  request.DefaultButton = std::min((Flags & 0xF00) >> 8, static_cast<int>(request.Buttons.size()) - 1);
  return UserSeam::Current().MessageBox(request);
}

std::string TApplication::ExeName() const {
  if (QCoreApplication::instance()) return UiBridge::FromQ(QCoreApplication::applicationFilePath());
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

std::string TApplication::ParamStr(int Index) const {
  if (Index == 0) return ExeName();
  return Index > 0 && Index < static_cast<int>(FParams.size()) ? FParams[static_cast<size_t>(Index)] : std::string();
}

void TApplication::ResetForTests() {
  DestroyComponents();
  FMainForm = nullptr;
  FTerminated = false;
  FRunning.clear();
  OnException = nullptr;
}

// ---------------------------------------------------------------- TScreen

void TScreen::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  Forms::EnsureToolkit();
  if (Value == crDefault) {
    if (FOverride) QApplication::restoreOverrideCursor();
    FOverride = false;
  } else if (FOverride) {
    QApplication::changeOverrideCursor(UiBridge::ToQCursor(Value));
  } else {
    QApplication::setOverrideCursor(UiBridge::ToQCursor(Value));
    FOverride = true;
  }
}

namespace {
QScreen* PrimaryScreen() {
  Forms::EnsureToolkit();
  return QGuiApplication::primaryScreen();
}
}  // namespace

int TScreen::GetWidth() const {
  QScreen* s = PrimaryScreen();
  return s ? s->geometry().width() : 1024;
}

int TScreen::GetHeight() const {
  QScreen* s = PrimaryScreen();
  return s ? s->geometry().height() : 768;
}

TRect TScreen::GetWorkAreaRect() const {
  QScreen* s = PrimaryScreen();
  if (!s) return Rect(0, 0, 1024, 768);
  QRect r = s->availableGeometry();
  return Bounds(r.x(), r.y(), r.width(), r.height());
}

TForm* TScreen::GetActiveForm() const {
  QWidget* w = QApplication::activeWindow();
  for (TForm* f : FForms)
    if (f->HandleAllocated() && f->Handle()->window() == w) return f;
  return nullptr;
}

Forms::TCursorGuard::TCursorGuard(TCursor Cursor) : FSaved(Screen->GetCursor()) { Screen->SetCursor(Cursor); }

Forms::TCursorGuard::~TCursorGuard() { Screen->SetCursor(FSaved); }
