#pragma once
// Dragging a control with the mouse, as the component library does it (not
// the desktop's drag and drop of data). A control whose DragMode is automatic
// starts a drag when the left button goes down on it, instead of its own
// press; code may start one with BeginDrag. The drag holds the mouse captured
// and shows the drag cursor until the left button is released (a drop) or Esc
// is pressed (a cancel); then the source is told through DoEndDrag. A drop
// goes to the control under the mouse when it mixes in TDragTarget and its
// OnDragOver accepts the source; otherwise the target is none.
//
// A control mixes TControlDrag in and routes its mouse and key handlers
// through DragMouseDown, DragMouseUp and DragKeyDown first.

#include "platform/ui/Controls.h"

#include <cstdint>
#include <functional>

enum class TDragMode : uint8_t { dmManual, dmAutomatic };

enum class TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };
// Asked while something is dragged over a target: Accept (true on entry)
// says whether a drop at X, Y (the target's client coordinates) is taken.
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;

// Mixed into a control that takes drops of dragged controls and list items.
class TDragTarget {
 public:
  virtual ~TDragTarget() = default;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
};

namespace ControlDrag {
// The innermost shown control under ScreenPoint on From's form that mixes
// in TDragTarget (From itself excluded), or none.
TControl* FindDragTarget(TControl* From, TPoint ScreenPoint);
// The target under ScreenPoint when its OnDragOver accepts Source, or none.
TControl* AcceptingTarget(TObject* Source, TControl* From, TPoint ScreenPoint);
// Drops Source on the accepting target under ScreenPoint (its OnDragDrop
// runs); returns that target, or none.
TControl* DropAt(TObject* Source, TControl* From, TPoint ScreenPoint);
}  // namespace ControlDrag

// Target is none when nothing took the drop; X and Y are the point where the
// drag ended, in the source's client coordinates.
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;

class TControlDrag {
 public:
  explicit TControlDrag(TControl* Source) : FSource(Source) {}
  virtual ~TControlDrag();
  TControlDrag(const TControlDrag&) = delete;
  TControlDrag& operator=(const TControlDrag&) = delete;

  TDragMode DragMode = TDragMode::dmManual;
  TEndDragEvent OnEndDrag;
  bool Dragging() const { return FDragging; }
  // Starts a drag of the source (nothing when one runs).
  void BeginDrag();
  // Ends the running drag: with a drop at X, Y or cancelled.
  void EndDrag(bool Drop, int X = 0, int Y = 0);

 protected:
  // Each returns true when the drag took the input: a left press on a control
  // dragged automatically starts a drag; the left release ends a running one
  // with a drop, Esc cancels it.
  bool DragMouseDown(TMouseButton Button, int X, int Y);
  bool DragMouseUp(TMouseButton Button, int X, int Y);
  bool DragKeyDown(uint16_t& Key);
  // While dragging, shows whether the control under the mouse takes a drop.
  bool DragMouseMove(int X, int Y);
  // Called when a drag of the source has ended; the default runs OnEndDrag.
  virtual void DoEndDrag(TObject* Target, int X, int Y);

 private:
  TControl* FSource;
  bool FDragging = false;
  TCursor FSavedCursor = crDefault;
};
