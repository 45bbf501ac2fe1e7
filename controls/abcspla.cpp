#include "controls/abcspla.h"

#include "controls/abcfact.h"
#include "controls/abcfspla.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>

using enum TabcAnimEffect;

namespace abcspla {
namespace {
TDepthSource Depth;

std::vector<std::string> ProgramParams() {
  std::vector<std::string> params;
  for (int i = 1; i <= Application->ParamCount(); ++i) params.push_back(Application->ParamStr(i));
  return params;
}

}  // namespace

int ScreenDepthForSplash() {
  if (Depth) return Depth();
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    if (QScreen* screen = app->primaryScreen()) return screen->depth();
  return 32;
}

bool SplashSuppressed(const std::vector<std::string>& List) {
  for (const std::string& p : List) {
    const std::string lower = SysUtils::LowerCase(p);
    if (lower == "-ns" || lower == "/ns") return true;
  }
  return false;
}

bool SplashSuppressed() { return SplashSuppressed(ProgramParams()); }

TDepthSource SetScreenDepthSource(TDepthSource Source) {
  TDepthSource old = std::move(Depth);
  Depth = std::move(Source);
  return old;
}
}  // namespace abcspla

namespace {
bool ClearsShape(TabcAnimEffect Effect) { return Effect == aweRoll || Effect == aweSlide || Effect == aweCenter; }
}  // namespace

KV_CLASS_IMPL(TabcSplash, TComponent) {
  c.Property("AllowLocalBmp", &TabcSplash::AllowLocalBmp).Default(true);
  c.Property("AnimateShow", &TabcSplash::GetAnimateShow);
  c.Property("AnimateHide", &TabcSplash::GetAnimateHide);
  c.Property("BevelWidth", &TabcSplash::BevelWidth).Default(5);
  c.Property("Duration", &TabcSplash::Duration).Default(5000);
  c.Property("HideOnClick", &TabcSplash::HideOnClick).Default(true);
  c.Property("ShapeForm", &TabcSplash::GetShapeForm, &TabcSplash::SetShapeForm).Default(false);
  c.Property("ShapeTolerance", &TabcSplash::ShapeTolerance).Kind(TPropKind::pkColor).Default(0x101010);
  c.Property("ShowModal", &TabcSplash::ShowModal).Default(false);
  c.Property("StayOnTop", &TabcSplash::StayOnTop).Default(true);
  // After the pictures and the shaping settings, so that a splash shown while loading has them.
  c.Property("AutoShow", &TabcSplash::GetAutoShow, &TabcSplash::SetAutoShow);
  c.Property("AutoShowOnDestroy", &TabcSplash::AutoShowOnDestroy).Default(false);
}

TabcSplash::TabcSplash(TComponent* AOwner) : TComponent(AOwner) {
  FPicture = std::make_unique<TPicture>();
  FPictureVGA = std::make_unique<TPicture>();
  FAnimateShow = std::make_unique<TabcAnimateWin>();
  FAnimateHide = std::make_unique<TabcAnimateWin>();
  FAnimateShow->OnChange = [this] { AnimationChanged(); };
  FAnimateHide->OnChange = [this] { AnimationChanged(); };
}

TabcSplash::~TabcSplash() = default;

void TabcSplash::BeforeDestruction() {
  if (!ComponentState.Contains(TComponentStateItem::csDesigning) && AutoShowOnDestroy && Duration != 0 &&
      !abcspla::SplashSuppressed()) {
    ShowSplash();
    while (FForm) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
  }
  if (FForm) {
    FForm->OnHiding = nullptr;
    FForm = nullptr;
  }
  FAnimateShow->OnChange = nullptr;
  FAnimateHide->OnChange = nullptr;
  TComponent::BeforeDestruction();
}

void TabcSplash::Assign(const TPersistent* Source) {
  auto* src = dynamic_cast<const TabcSplash*>(Source);
  if (!src) return TComponent::Assign(Source);
  BevelWidth = src->BevelWidth;
  Duration = src->Duration;
  HideOnClick = src->HideOnClick;
  SetPicture(src->GetPicture());
  SetPictureVGA(src->GetPictureVGA());
  SetShapeForm(src->GetShapeForm());
  ShapeTolerance = src->ShapeTolerance;
  ShowModal = src->ShowModal;
  StayOnTop = src->StayOnTop;
  OnHide = src->OnHide;
  OnShow = src->OnShow;
  SetAutoShow(src->GetAutoShow());
  FAnimateShow->Assign(src->GetAnimateShow());
  FAnimateHide->Assign(src->GetAnimateHide());
  AutoShowOnDestroy = src->AutoShowOnDestroy;
}

void TabcSplash::SetPicture(const TPicture* Value) { FPicture->Assign(Value); }
void TabcSplash::SetPictureVGA(const TPicture* Value) { FPictureVGA->Assign(Value); }

void TabcSplash::SetShapeForm(bool Value) {
  if (Value) {
    // A shaped window can only fade: the other effects would show its rectangle.
    FSettingShape = true;
    for (TabcAnimateWin* anim : {FAnimateShow.get(), FAnimateHide.get()})
      if (ClearsShape(anim->GetEffect())) anim->SetEffect(aweBlend);
    FSettingShape = false;
  }
  FShapeForm = Value;
}

void TabcSplash::AnimationChanged() {
  if (FSettingShape) return;
  if (ClearsShape(FAnimateShow->GetEffect()) || ClearsShape(FAnimateHide->GetEffect())) FShapeForm = false;
}

void TabcSplash::SetAutoShow(bool Value) {
  FAutoShow = Value;
  if (Value && ComponentState.Contains(TComponentStateItem::csLoading) &&
      !ComponentState.Contains(TComponentStateItem::csDesigning) && !abcspla::SplashSuppressed())
    ShowSplash();
}

void TabcSplash::ShowSplash() {
  if (FPicture->Empty() && FPictureVGA->Empty()) throw Exception("Picture required");
  if (FForm) return;
  // The bevel panel needs a width of at least 1.
  if (BevelWidth == 0) throw ERangeError("Range check error: BevelWidth must be at least 1");
  TForm* form = TabcFormFactory::Instance().CreateFormOf(TabcsfSplash::StaticClass(), this);
  FForm = dynamic_cast<TabcsfSplash*>(form);
  if (!FForm) {
    FreeObject(form);
    throw Exception("Form Factory error: no splash form registered");
  }
  FForm->OnShow = [this](TObject*) { FormShown(); };
  FForm->OnHiding = [this] { FormHiding(); };

  FForm->SetFormStyle(StayOnTop ? TFormStyle::fsStayOnTop : TFormStyle::fsNormal);
  FForm->tmrClose->SetInterval(Duration);
  FForm->HideOnClick = HideOnClick;
  FForm->pnlSplash->SetBevelWidth(BevelWidth);

  TPicture* image = FForm->imgSplash->Picture();
  if (AllowLocalBmp) {
    const std::string local = SysUtils::ChangeFileExt(Application->ExeName(), ".bmp");
    if (SysUtils::FileExists(local)) {
      try {
        image->LoadFromFile(local);
      } catch (const std::exception&) {
        // A local picture that cannot be read leaves the ordinary one.
        image->SetGraphic(std::unique_ptr<TGraphic>());
      }
    }
  }
  if (image->Empty()) {
    if (abcspla::ScreenDepthForSplash() < 9 && !FPictureVGA->Empty())
      image->Assign(FPictureVGA.get());
    else if (!FPicture->Empty())
      image->Assign(FPicture.get());
    else
      image->Assign(FPictureVGA.get());
  }

  if (FShapeForm) {
    FForm->abcShapeForm1->SetTolerance(ShapeTolerance);
    FForm->abcShapeForm1->SetPicture(image);
    FForm->abcShapeForm1->SetVisible(true);
  } else {
    FForm->pnlSplash->SetVisible(true);
  }

  const int width = image->GetWidth() + 2 * BevelWidth;
  const int height = image->GetHeight() + 2 * BevelWidth;
  FForm->SetBounds((Screen->GetWidth() - width) / 2, (Screen->GetHeight() - height) / 2, width, height);

  TabcsfSplash* shown = FForm;
  if (ShowModal) {
    if (Duration == 0) shown->tmrClose->SetInterval(5000);
    WeakRef<TabcsfSplash> alive(shown);
    shown->Activated();
    shown->ShowModal();
    // A modal splash closes by ending its modal loop: the hide handler runs and the form goes here.
    if (TabcsfSplash* f = alive.Get()) {
      f->RunHiding();
      f->Release();
    }
  } else {
    shown->Show();
    shown->Activated();
  }
  Application->ProcessMessages();
}

void TabcSplash::HideSplash() {
  if (FForm) FForm->CloseSplash();
}

void TabcSplash::FormShown() {
  ShowAnimated();
  if (OnShow) OnShow(this);
}

void TabcSplash::FormHiding() {
  HideAnimated();
  if (OnHide) OnHide(this);
  FForm = nullptr;
}

void TabcSplash::ShowAnimated() {
  if (FAnimateShow->GetEffect() == aweNone || !FForm) return;
  if (abcwanim::AnimateWindow(*FForm, FAnimateShow->GetDuration(), FAnimateShow->Flags(false))) FForm->Invalidate();
}

void TabcSplash::HideAnimated() {
  if (!FForm) return;
  if (FAnimateHide->GetEffect() != aweNone)
    abcwanim::AnimateWindow(*FForm, FAnimateHide->GetDuration(), FAnimateHide->Flags(true));
  FForm->Hide();
}
