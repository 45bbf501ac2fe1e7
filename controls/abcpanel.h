#pragma once
// TabcCustomEdgePanel: a panel whose outer and inner bevels are drawn only on
// the chosen edges, optionally transparent; the base of the splitters.

#include "controls/ControlTypes.h"
#include "platform/ui/Controls.h"

enum class TBevelEdge : uint8_t { beLeft, beTop, beRight, beBottom };
using TBevelEdges = Flags<TBevelEdge>;
constexpr TBevelEdges AllBevelEdges{TBevelEdge::beLeft, TBevelEdge::beTop, TBevelEdge::beRight, TBevelEdge::beBottom};

class TabcCustomEdgePanel : public TCustomControl {
 public:
  explicit TabcCustomEdgePanel(TComponent* AOwner);

  TBevelEdges GetBevelEdges() const { return FBevelEdges; }
  void SetBevelEdges(TBevelEdges Value);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TBevelCut GetBevelInner() const { return FBevelInner; }
  virtual void SetBevelInner(TBevelCut Value);
  TBevelCut GetBevelOuter() const { return FBevelOuter; }
  virtual void SetBevelOuter(TBevelCut Value);
  int GetBevelWidth() const { return FBevelWidth; }
  // Must be greater than 0 (ERangeError otherwise).
  virtual void SetBevelWidth(int Value);
  int GetBorderWidth() const { return BorderWidth; }
  // 0 or more (ERangeError otherwise).
  virtual void SetBorderWidth(int Value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  void Invalidate() override;
  void Paint() override;

 protected:
  void AdjustClientRect(TRect& Rect) const override;
  // One ring of the edge drawing inside R on the chosen edges.
  void DrawEdgeRing(TCanvas& Canvas, const TRect& R, TColor TopLeft, TColor BottomRight) const;
  // The bevel of Cut drawn Width times from R inwards; answers the rectangle inside.
  TRect DrawBevel(TCanvas& Canvas, TRect R, TBevelCut Cut) const;

 private:
  TBevelEdges FBevelEdges = AllBevelEdges;
  bool FTransparent = false;
  TBevelCut FBevelInner = TBevelCut::bvNone;
  TBevelCut FBevelOuter = TBevelCut::bvRaised;
  int FBevelWidth = 1;
  TAlignment FAlignment = TAlignment::taCenter;
};
