#pragma once
// TabcSplash: shows a picture in a borderless window while the application
// starts, optionally cut to the picture's outline and faded in and out. The
// window closes after Duration ms or on a click; "-ns" or "/ns" on the command
// line suppresses the automatic show.
//
//   auto* splash = new TabcSplash(form);
//   splash->GetPicture()->LoadFromFile("splash.jpg");
//   splash->SetShapeForm(true); splash->SetShapeTolerance(clGreen);
//   if (!abcspla::SplashSuppressed()) splash->ShowSplash();

#include "controls/abcwanim.h"
#include "platform/rtl/Classes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TPicture;
class TabcsfSplash;

class TabcSplash : public TComponent {
  KV_CLASS(TabcSplash, TComponent)

 public:
  explicit TabcSplash(TComponent* AOwner);
  ~TabcSplash() override;
  // Outside design mode, with AutoShowOnDestroy, a non-zero Duration and no
  // "-ns": shows the splash and waits until it is gone.
  void BeforeDestruction() override;
  void Assign(const TPersistent* Source) override;

  // Raises Exception "Picture required" when both pictures are empty and
  // ERangeError when BevelWidth is 0.
  virtual void ShowSplash();
  virtual void HideSplash();
  // The splash window while it exists.
  TabcsfSplash* SplashForm() const { return FForm; }

  bool AllowLocalBmp = true;
  TabcAnimateWin* GetAnimateShow() const { return FAnimateShow.get(); }
  TabcAnimateWin* GetAnimateHide() const { return FAnimateHide.get(); }
  uint16_t BevelWidth = 5;
  uint16_t Duration = 5000;
  bool HideOnClick = true;
  TPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(const TPicture* Value);
  TPicture* GetPictureVGA() const { return FPictureVGA.get(); }
  void SetPictureVGA(const TPicture* Value);
  bool GetShapeForm() const { return FShapeForm; }
  // On: roll, slide and centre effects become a fade.
  void SetShapeForm(bool Value);
  TColor ShapeTolerance = 0x101010;
  bool ShowModal = false;
  bool StayOnTop = true;
  TNotifyEvent OnHide;
  TNotifyEvent OnShow;
  bool GetAutoShow() const { return FAutoShow; }
  // Set while loading (not designing) and not suppressed: shows the splash at once.
  void SetAutoShow(bool Value);
  bool AutoShowOnDestroy = false;

 private:
  void AnimationChanged();
  void ShowAnimated();
  void HideAnimated();
  void FormShown();
  void FormHiding();
  std::unique_ptr<TPicture> FPicture;
  std::unique_ptr<TPicture> FPictureVGA;
  std::unique_ptr<TabcAnimateWin> FAnimateShow;
  std::unique_ptr<TabcAnimateWin> FAnimateHide;
  bool FShapeForm = false;
  bool FAutoShow = true;
  bool FSettingShape = false;
  TabcsfSplash* FForm = nullptr;
};

namespace abcspla {
// True when any parameter, lower-cased, is "-ns" or "/ns".
bool SplashSuppressed(const std::vector<std::string>& Params);
// The same for the program's command line (Application's parameters).
bool SplashSuppressed();
// The colour depth of the screen in bits per pixel; tests replace it.
using TDepthSource = std::function<int()>;
TDepthSource SetScreenDepthSource(TDepthSource Source);  // none: the primary screen's
int ScreenDepthForSplash();
}  // namespace abcspla
