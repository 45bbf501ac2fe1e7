#pragma once
// Dragging a control with the mouse, as the component library does it (not
// the desktop's drag and drop of data). A control whose DragMode is automatic
// starts a drag when the left button goes down on it, instead of its own
// press; code may start one with BeginDrag. The drag holds the mouse captured
// and shows the drag cursor until the left button is released (a drop) or Esc
// is pressed (a cancel); then the source is told through DoEndDrag. No control
// of this program accepts drops, so the target is always none.
//
// A control mixes TControlDrag in and routes its mouse and key handlers
// through DragMouseDown, DragMouseUp and DragKeyDown first.

#include "platform/ui/Controls.h"

#include <cstdint>
#include <functional>

enum class TDragMode : uint8_t { dmManual, dmAutomatic };

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
  // Called when a drag of the source has ended; the default runs OnEndDrag.
  virtual void DoEndDrag(TObject* Target, int X, int Y);

 private:
  TControl* FSource;
  bool FDragging = false;
  TCursor FSavedCursor = crDefault;
};
