#include "platform/ui/OwnerDrawItems.h"

#include "platform/ui/ControlDrag.h"
#include "platform/ui/Forms.h"
#include "platform/ui/QtBridge.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Hands each row to the painter through an off-screen bitmap.
class TRowDelegate : public QStyledItemDelegate {
 public:
  TRowDelegate(TControl* Control, std::function<int()> Height, TDrawItemEvent Painter, QObject* Parent)
      : QStyledItemDelegate(Parent), FControl(Control), FHeight(std::move(Height)), FPainter(std::move(Painter)) {}
  void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    const QRect r = Option.rect;
    TBitmap picture(std::max(r.width(), 1), std::max(r.height(), 1));
    TOwnerDrawState state;
    if (Option.state & QStyle::State_Selected) state.Include(TOwnerDrawStateItem::odSelected);
    if (Option.state & QStyle::State_HasFocus) state.Include(TOwnerDrawStateItem::odFocused);
    if (!(Option.state & QStyle::State_Enabled)) state.Include(TOwnerDrawStateItem::odDisabled);
    Application->Dispatch(
        FControl, [&] { FPainter(*picture.GetCanvas(), Index.row(), TRect(0, 0, r.width(), r.height()), state); },
        false);
    Painter->drawImage(r.topLeft(), picture.Image());
  }
  QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    QSize s = QStyledItemDelegate::sizeHint(Option, Index);
    s.setHeight(std::max(1, FHeight()));
    return s;
  }

 private:
  TControl* FControl;
  std::function<int()> FHeight;
  TDrawItemEvent FPainter;
};

}  // namespace

namespace OwnerDrawItems {

void Install(TControl* Control, QWidget* Widget, std::function<int()> ItemHeight, TDrawItemEvent Painter) {
  auto* delegate = new TRowDelegate(Control, std::move(ItemHeight), std::move(Painter), Widget);
  if (auto* combo = qobject_cast<QComboBox*>(Widget))
    combo->setItemDelegate(delegate);
  else if (auto* view = qobject_cast<QAbstractItemView*>(Widget))
    view->setItemDelegate(delegate);
}

}  // namespace OwnerDrawItems

KV_CLASS_IMPL(TOwnerDrawListBox, TListBox) {}

TOwnerDrawListBox::TOwnerDrawListBox(TComponent* AOwner)
    : TListBox(AOwner), FScratch(std::make_unique<TBitmap>(1, 1)) {
  FCanvas = FScratch->GetCanvas();
}

TOwnerDrawListBox::~TOwnerDrawListBox() = default;

TRect TOwnerDrawListBox::ItemRect(int Index) const {
  const int top = (Index - TopIndex()) * ItemHeight;
  return TRect(0, top, GetClientWidth(), top + ItemHeight);
}

int TOwnerDrawListBox::TopIndex() const {
  if (!FWidget) return 0;
  auto* list = static_cast<QListWidget*>(FWidget);
  const int row = list->row(list->itemAt(QPoint(1, 1)));
  return row < 0 ? 0 : row;
}

void TOwnerDrawListBox::PaintItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) {
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

void TOwnerDrawListBox::PaintRows(TBitmap& Bitmap) {
  const int n = Items()->Count();
  Bitmap.SetSize(std::max(1, GetClientWidth()), std::max(1, n * ItemHeight));
  for (int i = 0; i < n; ++i) {
    TOwnerDrawState state;
    if (GetSelected(i)) state.Include(TOwnerDrawStateItem::odSelected);
    if (i == GetItemIndex() && Focused()) state.Include(TOwnerDrawStateItem::odFocused);
    PaintItem(*Bitmap.GetCanvas(), i, TRect(0, i * ItemHeight, GetClientWidth(), (i + 1) * ItemHeight), state);
  }
}

void TOwnerDrawListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(*FCanvas, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  if (Index >= 0 && Index < Items()->Count()) FCanvas->TextOut(Rect.Left + 2, Rect.Top, Items()->Get(Index));
}

QWidget* TOwnerDrawListBox::CreateWidget(QWidget* ParentWidget) {
  QWidget* w = TListBox::CreateWidget(ParentWidget);
  OwnerDrawItems::Install(
      this, w, [this] { return ItemHeight; },
      [this](TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) {
        PaintItem(Canvas, Index, Rect, State);
      });
  return w;
}

void TOwnerDrawListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseDown(Button, Shift, X, Y);
  EndDragOut();
  if (DragItemsOut && Button == TMouseButton::mbLeft) FDragFrom = ItemAtPos(TPoint(X, Y), true);
}

void TOwnerDrawListBox::MouseMove(TShiftState Shift, int X, int Y) {
  TListBox::MouseMove(Shift, X, Y);
  if (FDragFrom < 0) return;
  const bool Outside = X < 0 || Y < 0 || X >= GetWidth() || Y >= GetHeight();
  if (Outside && !FDragOut) {
    FDragOut = true;
    FDragSavedCursor = Screen->GetCursor();
  } else if (!Outside && FDragOut) {
    FDragOut = false;
    Screen->SetCursor(FDragSavedCursor);
  }
  if (FDragOut)
    Screen->SetCursor(ControlDrag::AcceptingTarget(this, this, ClientToScreen(TPoint(X, Y))) ? crDrag : crNoDrop);
}

void TOwnerDrawListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  if (FDragOut) {
    Screen->SetCursor(FDragSavedCursor);
    // The dragged row stays known to the target while it takes the drop.
    ControlDrag::DropAt(this, this, ClientToScreen(TPoint(X, Y)));
  }
  FDragOut = false;
  FDragFrom = -1;
}

void TOwnerDrawListBox::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (FDragOut && Key == VK_ESCAPE) {
    EndDragOut();
    Key = 0;
    return;
  }
  TListBox::KeyDown(Key, Shift);
}

void TOwnerDrawListBox::EndDragOut() {
  if (FDragOut) Screen->SetCursor(FDragSavedCursor);
  FDragOut = false;
  FDragFrom = -1;
}
