#pragma once
// TabcSuperLabel: a label with four margins, vertical alignment and an
// optional single border (3-D or in BorderColor); the dialogs use it as a
// framed caption box with an edit placed over its right part.

#include "controls/ControlTypes.h"
#include "platform/ui/StdCtrls.h"

#include <cstdint>

enum class TabcVAlignment : uint8_t { vaTop, vaBottom, vaCenter };

class TabcSuperLabel : public TLabel {
  KV_CLASS(TabcSuperLabel, TLabel)
 public:
  explicit TabcSuperLabel(TComponent* AOwner);

  TabcVAlignment GetVerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TabcVAlignment Value);
  uint8_t GetTopMargin() const { return FTopMargin; }
  void SetTopMargin(uint8_t Value);
  uint8_t GetLeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(uint8_t Value);
  uint8_t GetRightMargin() const { return FRightMargin; }
  void SetRightMargin(uint8_t Value);
  uint8_t GetBottomMargin() const { return FBottomMargin; }
  void SetBottomMargin(uint8_t Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool GetWordWrap() const { return WordWrap; }
  void SetWordWrap(bool Value);
  TAlignment GetAlignment() const { return Alignment; }
  void SetAlignment(TAlignment Value);

  // The rectangle the caption is drawn in (margins and border taken off).
  TRect TextRect() const;
  void Paint() override;

 private:
  TabcVAlignment FVerticalAlignment = TabcVAlignment::vaTop;
  uint8_t FTopMargin = 2;  // new-style controls are on
  uint8_t FLeftMargin = 0, FRightMargin = 0, FBottomMargin = 0;
  TBorderStyle FBorderStyle = TBorderStyle::bsNone;
  bool FCtl3D = true;
  TColor FBorderColor = clWindowFrame;
};
