#include "platform/ui/OwnerDrawCombo.h"

#include "platform/ui/Forms.h"
#include "platform/ui/QtBridge.h"

#include <QComboBox>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Hands each list item to the control's DrawItem through an off-screen bitmap.
class TItemDelegate : public QStyledItemDelegate {
 public:
  TItemDelegate(TOwnerDrawComboBox* Combo, QObject* Parent) : QStyledItemDelegate(Parent), FCombo(Combo) {}
  void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    const QRect r = Option.rect;
    TBitmap picture(std::max(r.width(), 1), std::max(r.height(), 1));
    TOwnerDrawState state;
    if (Option.state & QStyle::State_Selected) state.Include(TOwnerDrawStateItem::odSelected);
    if (Option.state & QStyle::State_HasFocus) state.Include(TOwnerDrawStateItem::odFocused);
    if (!(Option.state & QStyle::State_Enabled)) state.Include(TOwnerDrawStateItem::odDisabled);
    Application->Dispatch(
        FCombo, [&] { FCombo->PaintItem(*picture.GetCanvas(), Index.row(), TRect(0, 0, r.width(), r.height()), state); },
        false);
    Painter->drawImage(r.topLeft(), picture.Image());
  }
  QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    QSize s = QStyledItemDelegate::sizeHint(Option, Index);
    s.setHeight(FCombo->GetItemHeight());
    return s;
  }

 private:
  TOwnerDrawComboBox* FCombo;
};

}  // namespace

KV_CLASS_IMPL(TOwnerDrawComboBox, TComboBox) {}

TOwnerDrawComboBox::TOwnerDrawComboBox(TComponent* AOwner) : TComboBox(AOwner), FScratch(std::make_unique<TBitmap>(1, 1)) {
  Style = TComboBoxStyle::csOwnerDrawFixed;
  FCanvas = FScratch->GetCanvas();
}

TOwnerDrawComboBox::~TOwnerDrawComboBox() = default;

void TOwnerDrawComboBox::SetItemHeight(int Value) {
  if (Value < 1 || Value == FItemHeight) return;
  FItemHeight = Value;
  Invalidate();
}

TRect TOwnerDrawComboBox::EditRect() const {
  // The box's frame and the drop-down button, as the platform lays them out.
  constexpr int Frame = 3, ButtonWidth = 17;
  return TRect(Frame, Frame, std::max(Frame, GetWidth() - Frame - ButtonWidth), std::max(Frame, GetHeight() - Frame));
}

void TOwnerDrawComboBox::PaintItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) {
  TCanvas* saved = FCanvas;
  FCanvas = &Canvas;
  struct TRestoreCanvas {
    TCanvas*& Ref;
    TCanvas* Saved;
    ~TRestoreCanvas() { Ref = Saved; }
  } restore{FCanvas, saved};
  Canvas.Font->Assign(*GetFont());
  const bool selected = State.Contains(TOwnerDrawStateItem::odSelected);
  Canvas.Brush->SetColor(selected ? clHighlight : GetColor());
  Canvas.Brush->SetStyle(bsSolid);
  if (selected) Canvas.Font->SetColor(clHighlightText);
  Canvas.Pen->SetColor(Canvas.Font->GetColor());
  DrawItem(Index, Rect, State);
}

void TOwnerDrawComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState) {
  FCanvas->FillRect(Rect);
  if (Index >= 0 && Index < Items()->Count()) FCanvas->TextOut(Rect.Left + 2, Rect.Top, Items()->Get(Index));
}

QWidget* TOwnerDrawComboBox::CreateWidget(QWidget* ParentWidget) {
  QWidget* w = TComboBox::CreateWidget(ParentWidget);
  auto* combo = static_cast<QComboBox*>(w);
  combo->setItemDelegate(new TItemDelegate(this, combo));
  return w;
}

void TOwnerDrawComboBox::InitWidget() {
  TComboBox::InitWidget();
  static_cast<QComboBox*>(FWidget)->setEditable(false);
}

void TOwnerDrawComboBox::PaintOverlay(TCanvas& Canvas) {
  TOwnerDrawState state{TOwnerDrawStateItem::odComboBoxEdit};
  if (!GetEnabled()) state.Include(TOwnerDrawStateItem::odDisabled);
  if (Focused()) state.Include(TOwnerDrawStateItem::odFocused);
  PaintItem(Canvas, GetItemIndex(), EditRect(), state);
}
