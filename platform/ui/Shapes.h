#pragma once
// A shape control: a rectangle (or ellipse) filled with its brush and framed
// with its pen, as used for colour samples.
#include <memory>

#include "platform/ui/Controls.h"

enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
  KV_CLASS(TShape, TGraphicControl)
 public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;
  TBrush* Brush() const { return FBrush.get(); }
  TPen* Pen() const { return FPen.get(); }
  TShapeType GetShape() const { return FShape; }
  void SetShape(TShapeType Value);
  void Paint() override;

 private:
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TPen> FPen;
  TShapeType FShape = TShapeType::stRectangle;
};
