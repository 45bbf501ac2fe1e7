// The shape control.
#include "platform/ui/Shapes.h"

#include <algorithm>

KV_CLASS_IMPL(TShape, TGraphicControl) {}

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>()) {
  SetBounds(GetLeft(), GetTop(), 65, 65);
  FBrush->OnChange = [this](TGraphicsObject*) { Invalidate(); };
  FPen->OnChange = [this](TGraphicsObject*) { Invalidate(); };
}

TShape::~TShape() = default;

void TShape::SetShape(TShapeType Value) {
  if (FShape == Value) return;
  FShape = Value;
  Invalidate();
}

void TShape::Paint() {
  TCanvas& C = *GetCanvas();
  C.Pen->Assign(*FPen);
  C.Brush->Assign(*FBrush);
  const int32_t PW = FPen->GetWidth();
  int32_t X = PW / 2, Y = X;
  int32_t W = GetWidth() - PW + 1, H = GetHeight() - PW + 1;
  if (PW == 0) {
    --W;
    --H;
  }
  const bool Square = FShape == TShapeType::stSquare || FShape == TShapeType::stRoundSquare ||
                      FShape == TShapeType::stCircle;
  if (Square) {
    const int32_t S = std::min(W, H);
    X += (W - S) / 2;
    Y += (H - S) / 2;
    W = H = S;
  }
  switch (FShape) {
    case TShapeType::stRectangle:
    case TShapeType::stSquare:
      C.Rectangle(X, Y, X + W, Y + H);
      break;
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare:
      C.RoundRect(X, Y, X + W, Y + H, std::min(W, H) / 4, std::min(W, H) / 4);
      break;
    case TShapeType::stEllipse:
    case TShapeType::stCircle:
      C.Ellipse(X, Y, X + W, Y + H);
      break;
  }
}
