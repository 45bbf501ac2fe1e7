#pragma once
// DragDrop: drag and drop between windows. A windowed control registers as a
// drop target with a handler; the window system's drag events become the
// handler's enter, over, leave and drop calls with the data offered (text,
// rich text, a grid column, file names), the key state and a screen point,
// and the handler answers the effect (none, copy or move). A drag started by
// the program runs through an installable runner: the window system's drag
// loop in the program, a scripted answer in tests.

#include "platform/ui/Controls.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TWinControl;

namespace DragDrop {

// The formats a drag offers, as flags.
constexpr int dfText = 1, dfFiles = 2, dfColumn = 4, dfRichText = 8;
// Drop effects.
constexpr int deNone = 0, deCopy = 1, deMove = 2;

// The type under which a dragged grid column travels (its index as 4 bytes, little-endian).
extern const char* const ColumnMimeType;

struct TDragData {
  std::string Text;      // UTF-8 plain text (empty: none)
  std::string RichText;  // a rich-text document (empty: none)
  int32_t Column = -1;   // a dragged grid column (-1: none)
  std::vector<std::string> Files;
  int Formats() const;
};

// What a drop target does with the drags over its window; points are on the screen.
class IDropHandler {
 public:
  virtual ~IDropHandler() = default;
  // The effect the drag would have here.
  virtual int DragEnter(const TDragData& Data, TShiftState Shift, TPoint P) = 0;
  virtual int DragOver(TShiftState Shift, TPoint P) = 0;
  virtual void DragLeave() = 0;
  // The effect the drop had.
  virtual int Drop(const TDragData& Data, TShiftState Shift, TPoint P) = 0;
};

// The control's window takes drops for Handler (which must outlive the
// registration); false when the control has no window to register.
bool RegisterDropTarget(TWinControl& Control, IDropHandler& Handler);
void RevokeDropTarget(TWinControl& Control);
bool IsDropTarget(TWinControl& Control);

// Called while a drag runs: Step at every step, Feedback with each effect the
// pointer's place shows.
struct TDragCallbacks {
  std::function<void()> Step;
  std::function<void(int Effect)> Feedback;
};

struct TDragResult {
  int Effect = deNone;
  bool Cancelled = true;  // Escape, or the drag ended where nothing took it
};

using TDragRunner =
    std::function<TDragResult(const TDragData& Data, int AllowedEffects, const TDragCallbacks& Callbacks)>;

// Runs a drag of Data allowing the effects (deCopy | deMove).
TDragResult DoDragDrop(const TDragData& Data, int AllowedEffects, const TDragCallbacks& Callbacks);
// Replaces the drag loop (an empty runner puts the window system's back); returns the previous one.
TDragRunner InstallRunner(TDragRunner Runner);

// Delivers a drag to a control's window as the window system does: enter and
// move at a client point, then a drop (or a leave when the target refuses).
// Returns the drop's effect (deNone when refused). What a scripted runner uses.
int DeliverDrag(TWinControl& Target, const TDragData& Data, TPoint ClientPoint, int AllowedEffects,
                TShiftState Shift);

}  // namespace DragDrop
