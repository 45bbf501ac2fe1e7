#pragma once
// gvdd: the grid's drag-and-drop objects. TGVDropTarget decides from the
// formats offered and the key state whether a drop is allowed and with which
// effect, and hands drops to its hooks; TGVDropSource hears the effects and
// the steps of a drag the grid started; StartTextDrag and StartColumnDrag run
// a drag through the platform's drag loop.

#include "platform/ui/DragDrop.h"

#include <string>
#include <vector>

namespace gvdd {
// Whether rich text is offered and accepted (set by the grids' OleDropRTF).
extern bool RichTextAware;
}  // namespace gvdd

class TGVDropTarget : public DragDrop::IDropHandler {
 public:
  bool DropAllowed = false;
  bool AcceptText = true, AcceptFiles = true, AcceptColumns = false;
  int FormatsPresent = 0;  // DragDrop::dfText | dfFiles | dfColumn | dfRichText

  int DragEnter(const DragDrop::TDragData& Data, TShiftState Shift, TPoint P) override;
  int DragOver(TShiftState Shift, TPoint P) override;
  void DragLeave() override { HandleDragLeave(); }
  int Drop(const DragDrop::TDragData& Data, TShiftState Shift, TPoint P) override;

  virtual void HandleDropText(TPoint /*P*/, const std::string& /*Text*/) {}
  virtual void HandleDropColumn(TPoint /*P*/, int /*Column*/) {}
  virtual void HandleDropRtf(TPoint /*P*/, const std::string& /*Rtf*/) {}
  virtual void HandleDropFiles(TPoint /*P*/, const std::vector<std::string>& /*Files*/) {}
  virtual void HandleDragMove(TPoint /*P*/, bool& /*Allow*/, int /*Formats*/) {}
  virtual void HandleDragEnter() {}
  virtual void HandleDragLeave() {}

 private:
  int EffectFor(TShiftState Shift) const;
};

class TGVDropSource {
 public:
  virtual ~TGVDropSource() = default;
  // The last feedback showed no effect.
  bool NoEffect = false;
  virtual void HandleEffect(int /*Effect*/) {}
  virtual void HandleDragStep() {}
};

namespace gvdd {
// Runs a drag of text (with its rich text, offered when rich-text aware);
// true when it was dropped, with the effect; false when cancelled or when
// the last feedback showed no effect.
bool StartTextDrag(TGVDropSource& Source, const std::string& Text, const std::string& Rtf, int& Effect,
                   int AllowedEffects);
// The same for a column: only the column is offered.
bool StartColumnDrag(TGVDropSource& Source, int Column, int AllowedEffects, int& Effect);
}  // namespace gvdd
