#include "platform/ui/DragDrop.h"

#include "platform/ui/ClipboardFormats.h"
#include "platform/ui/Forms.h"
#include "platform/ui/QtBridge.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QUrl>

#include <map>

const char* const DragDrop::ColumnMimeType = "application/x-kelmvev-grid-column";

int DragDrop::TDragData::Formats() const {
  int f = 0;
  if (!Text.empty()) f |= dfText;
  if (!Files.empty()) f |= dfFiles;
  if (Column != -1) f |= dfColumn;
  if (!RichText.empty()) f |= dfRichText;
  return f;
}

namespace {

using namespace DragDrop;

QMimeData* ToMime(const TDragData& Data) {
  auto* m = new QMimeData();
  if (!Data.Text.empty()) m->setText(UiBridge::ToQ(Data.Text));
  if (!Data.RichText.empty()) m->setData(ClipboardFormats::RichText, QByteArray::fromStdString(Data.RichText));
  if (Data.Column != -1) {
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i) b[i] = static_cast<char>((static_cast<uint32_t>(Data.Column) >> (8 * i)) & 0xFF);
    m->setData(ColumnMimeType, b);
  }
  QList<QUrl> urls;
  for (const std::string& f : Data.Files) urls.push_back(QUrl::fromLocalFile(UiBridge::ToQ(f)));
  if (!urls.isEmpty()) m->setUrls(urls);
  return m;
}

TDragData FromMime(const QMimeData& M) {
  TDragData d;
  // Only real text: a list of files also reads as text.
  if (M.hasFormat("text/plain")) d.Text = UiBridge::FromQ(M.text());
  if (M.hasFormat(ClipboardFormats::RichText)) d.RichText = M.data(ClipboardFormats::RichText).toStdString();
  if (M.hasFormat(ColumnMimeType)) {
    const QByteArray b = M.data(ColumnMimeType);
    if (b.size() >= 4) {
      uint32_t v = 0;
      for (int i = 0; i < 4; ++i) v |= uint32_t(static_cast<uint8_t>(b[i])) << (8 * i);
      d.Column = static_cast<int32_t>(v);
    }
  }
  if (M.hasUrls())
    for (const QUrl& u : M.urls())
      if (u.isLocalFile()) d.Files.push_back(UiBridge::FromQ(u.toLocalFile()));
  return d;
}

Qt::DropAction ToAction(int Effect) {
  return Effect == deCopy ? Qt::CopyAction : Effect == deMove ? Qt::MoveAction : Qt::IgnoreAction;
}

int FromAction(Qt::DropAction A) { return A == Qt::CopyAction ? deCopy : A == Qt::MoveAction ? deMove : deNone; }

class TDropFilter : public QObject {
 public:
  TDropFilter(TWinControl* AControl, IDropHandler* AHandler) : Control(AControl), Handler(AHandler) {}
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    switch (Event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove:
      case QEvent::Drop: {
        auto* e = static_cast<QDropEvent*>(Event);
        auto* w = static_cast<QWidget*>(Watched);
        const QPoint g = w->mapToGlobal(e->position().toPoint());
        const TPoint p{g.x(), g.y()};
        const TShiftState shift = UiBridge::ShiftFromQt(e->modifiers(), e->buttons());
        int effect = deNone;
        Application->Dispatch(Control, [&] {
          if (Event->type() == QEvent::DragEnter)
            effect = Handler->DragEnter(FromMime(*e->mimeData()), shift, p);
          else if (Event->type() == QEvent::DragMove)
            effect = Handler->DragOver(shift, p);
          else
            effect = Handler->Drop(FromMime(*e->mimeData()), shift, p);
        }, false);
        if (effect != deNone) {
          e->setDropAction(ToAction(effect));
          e->accept();
        } else {
          e->ignore();
        }
        return true;
      }
      case QEvent::DragLeave:
        Application->Dispatch(Control, [this] { Handler->DragLeave(); }, false);
        return true;
      default: return QObject::eventFilter(Watched, Event);
    }
  }
  TWinControl* Control;
  IDropHandler* Handler;
};

std::map<TWinControl*, QPointer<TDropFilter>>& Targets() {
  static std::map<TWinControl*, QPointer<TDropFilter>> targets;
  return targets;
}

TDragRunner& Runner() {
  static TDragRunner runner;
  return runner;
}

// The window system's drag loop.
TDragResult QtDrag(const TDragData& Data, int AllowedEffects, const TDragCallbacks& Callbacks) {
  static QObject* source = new QObject();
  auto* drag = new QDrag(source);
  drag->setMimeData(ToMime(Data));
  QObject::connect(drag, &QDrag::actionChanged, [&Callbacks](Qt::DropAction A) {
    if (Callbacks.Feedback) Callbacks.Feedback(FromAction(A));
    if (Callbacks.Step) Callbacks.Step();
  });
  QObject::connect(drag, &QDrag::targetChanged, [&Callbacks](QObject*) {
    if (Callbacks.Step) Callbacks.Step();
  });
  Qt::DropActions allowed;
  if (AllowedEffects & deCopy) allowed |= Qt::CopyAction;
  if (AllowedEffects & deMove) allowed |= Qt::MoveAction;
  const Qt::DropAction done = drag->exec(allowed, (AllowedEffects & deMove) ? Qt::MoveAction : Qt::CopyAction);
  drag->deleteLater();
  TDragResult r;
  r.Effect = FromAction(done);
  r.Cancelled = r.Effect == deNone;
  return r;
}

}  // namespace

bool DragDrop::RegisterDropTarget(TWinControl& Control, IDropHandler& Handler) {
  RevokeDropTarget(Control);
  QWidget* w = Control.Handle();
  if (!w) return false;
  auto* f = new TDropFilter(&Control, &Handler);
  f->setParent(w);
  w->installEventFilter(f);
  w->setAcceptDrops(true);
  Targets()[&Control] = f;
  return true;
}

void DragDrop::RevokeDropTarget(TWinControl& Control) {
  auto it = Targets().find(&Control);
  if (it == Targets().end()) return;
  if (TDropFilter* f = it->second.data()) {
    if (auto* w = qobject_cast<QWidget*>(f->parent())) {
      w->removeEventFilter(f);
      w->setAcceptDrops(false);
    }
    delete f;
  }
  Targets().erase(it);
}

bool DragDrop::IsDropTarget(TWinControl& Control) {
  auto it = Targets().find(&Control);
  return it != Targets().end() && it->second;
}

TDragResult DragDrop::DoDragDrop(const TDragData& Data, int AllowedEffects, const TDragCallbacks& Callbacks) {
  if (Runner()) return Runner()(Data, AllowedEffects, Callbacks);
  return QtDrag(Data, AllowedEffects, Callbacks);
}

TDragRunner DragDrop::InstallRunner(TDragRunner R) { return std::exchange(Runner(), std::move(R)); }

int DragDrop::DeliverDrag(TWinControl& Target, const TDragData& Data, TPoint ClientPoint, int AllowedEffects,
                          TShiftState Shift) {
  QWidget* w = Target.Handle();
  std::unique_ptr<QMimeData> mime(ToMime(Data));
  const QPoint pos(ClientPoint.X, ClientPoint.Y);
  Qt::DropActions actions;
  if (AllowedEffects & deCopy) actions |= Qt::CopyAction;
  if (AllowedEffects & deMove) actions |= Qt::MoveAction;
  Qt::KeyboardModifiers mods;
  if (Shift.Contains(TShiftStateItem::ssCtrl)) mods |= Qt::ControlModifier;
  if (Shift.Contains(TShiftStateItem::ssShift)) mods |= Qt::ShiftModifier;
  QDragEnterEvent enter(pos, actions, mime.get(), Qt::LeftButton, mods);
  QCoreApplication::sendEvent(w, &enter);
  if (!enter.isAccepted()) return deNone;
  QDragMoveEvent move(pos, actions, mime.get(), Qt::LeftButton, mods);
  QCoreApplication::sendEvent(w, &move);
  if (!move.isAccepted()) {
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(w, &leave);
    return deNone;
  }
  QDropEvent drop(QPointF(pos), actions, mime.get(), Qt::LeftButton, mods);
  QCoreApplication::sendEvent(w, &drop);
  return drop.isAccepted() ? FromAction(drop.dropAction()) : deNone;
}
