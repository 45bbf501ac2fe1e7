#pragma once
// TabcAnimateWin: how a window is animated when it is shown or hidden (roll,
// slide, fade, grow from the centre), and the window animation call itself.

#include "platform/rtl/Classes.h"

#include <cstdint>
#include <functional>

class TForm;

enum class TabcAnimEffect : uint8_t { aweNone, aweRoll, aweSlide, aweBlend, aweCenter };
enum class TabcAnimDirection : uint8_t { awdNone, awdPositive, awdNegative };

// Flags of the window animation call.
constexpr uint32_t AW_HOR_POSITIVE = 0x00000001;
constexpr uint32_t AW_HOR_NEGATIVE = 0x00000002;
constexpr uint32_t AW_VER_POSITIVE = 0x00000004;
constexpr uint32_t AW_VER_NEGATIVE = 0x00000008;
constexpr uint32_t AW_CENTER = 0x00000010;
constexpr uint32_t AW_HIDE = 0x00010000;
constexpr uint32_t AW_ACTIVATE = 0x00020000;
constexpr uint32_t AW_SLIDE = 0x00040000;
constexpr uint32_t AW_BLEND = 0x00080000;

class TabcAnimateWin : public TPersistent {
  KV_CLASS(TabcAnimateWin, TPersistent)

 public:
  TabcAnimateWin() = default;
  void Assign(const TPersistent* Source) override;

  uint16_t GetDuration() const { return FDuration; }
  void SetDuration(uint16_t Value);
  TabcAnimEffect GetEffect() const { return FEffect; }
  // Roll and slide need a direction: without one they roll to the right.
  void SetEffect(TabcAnimEffect Value);
  TabcAnimDirection GetHorz() const { return FHorz; }
  void SetHorz(TabcAnimDirection Value);
  TabcAnimDirection GetVert() const { return FVert; }
  void SetVert(TabcAnimDirection Value);
  // The flags of the animation call for showing or hiding.
  uint32_t Flags(bool Hiding) const;

  // Called after every change (the owning splash sets it).
  std::function<void()> OnChange;

 private:
  void Changed();
  void DropEffectWithoutDirection();
  uint16_t FDuration = 200;
  TabcAnimEffect FEffect = TabcAnimEffect::aweNone;
  TabcAnimDirection FHorz = TabcAnimDirection::awdNone;
  TabcAnimDirection FVert = TabcAnimDirection::awdNone;
};

namespace abcwanim {
// Whether the window system can animate windows (not on an offscreen display).
bool AnimationAvailable();
// Animates the form's window for Duration ms with the AW_ flags; false when
// the animation is not available. A hide animation leaves the window hidden.
bool AnimateWindow(TForm& Form, uint16_t Duration, uint32_t Flags);
// Replaces the animation call (tests); none: the real one. Answers the previous one.
using TAnimateCall = std::function<bool(TForm& Form, uint16_t Duration, uint32_t Flags)>;
TAnimateCall SetAnimateCall(TAnimateCall Call);
}  // namespace abcwanim
