#include "grid/gvdd.h"

bool gvdd::RichTextAware = false;

using namespace DragDrop;

int TGVDropTarget::EffectFor(TShiftState Shift) const {
  if (!DropAllowed) return deNone;
  return Shift.Contains(TShiftStateItem::ssCtrl) ? deCopy : deMove;
}

int TGVDropTarget::DragEnter(const TDragData& Data, TShiftState Shift, TPoint /*P*/) {
  FormatsPresent = Data.Formats();
  const int f = FormatsPresent;
  DropAllowed = ((f & dfText) && AcceptText) || ((f & dfFiles) && AcceptFiles) ||
                ((f & dfRichText) && gvdd::RichTextAware && AcceptText) || ((f & dfColumn) && AcceptColumns);
  const int effect = EffectFor(Shift);
  HandleDragEnter();
  return effect;
}

int TGVDropTarget::DragOver(TShiftState Shift, TPoint P) {
  int effect = EffectFor(Shift);
  bool allow = effect != deNone;
  HandleDragMove(P, allow, FormatsPresent);
  if (!allow) effect = deNone;
  return effect;
}

int TGVDropTarget::Drop(const TDragData& Data, TShiftState Shift, TPoint P) {
  if (!DropAllowed) return deNone;
  const int f = Data.Formats();
  if (f & dfColumn)
    HandleDropColumn(P, Data.Column);
  else if ((f & dfRichText) && gvdd::RichTextAware)
    HandleDropRtf(P, Data.RichText);
  else if (f & dfText)
    HandleDropText(P, Data.Text);
  if (f & dfFiles) HandleDropFiles(P, Data.Files);
  return EffectFor(Shift);
}

namespace {

bool RunDrag(TGVDropSource& Source, const TDragData& Data, int AllowedEffects, int& Effect) {
  TDragCallbacks callbacks;
  callbacks.Step = [&Source] { Source.HandleDragStep(); };
  callbacks.Feedback = [&Source](int E) {
    Source.NoEffect = E == deNone;
    Source.HandleEffect(E);
  };
  Source.NoEffect = false;
  const TDragResult r = DoDragDrop(Data, AllowedEffects, callbacks);
  Effect = r.Effect;
  return !r.Cancelled && !Source.NoEffect;
}

}  // namespace

bool gvdd::StartTextDrag(TGVDropSource& Source, const std::string& Text, const std::string& Rtf, int& Effect,
                         int AllowedEffects) {
  TDragData data;
  data.Text = Text;
  if (RichTextAware && !Text.empty()) data.RichText = Rtf;
  return RunDrag(Source, data, AllowedEffects, Effect);
}

bool gvdd::StartColumnDrag(TGVDropSource& Source, int Column, int AllowedEffects, int& Effect) {
  TDragData data;
  data.Column = Column;
  return RunDrag(Source, data, AllowedEffects, Effect);
}
