// Pastes the input as clipboard text into a small grid that may grow, then
// into one that may not, and continues it with the smart fill.
#include "grid/GridView.h"
#include "platform/ui/Forms.h"

#include <algorithm>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  Forms::EnsureToolkit();
  const std::string text(reinterpret_cast<const char*>(Data), std::min<size_t>(Size, 4096));
  auto* grid = new TGridView(nullptr);
  try {
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->SetOptions(grid->GetOptions() + goEditing);
    grid->PasteText(1, 1, text);
    grid->SetColCount(3);
    grid->SetRowCount(4);
    grid->Navigation()->AllowClipboardColGrow = false;
    grid->Navigation()->AllowClipboardRowGrow = false;
    grid->PasteText(2, 2, text);
    (void)TGridView::TextBlockSize(text);
  } catch (const Exception&) {
  }
  grid->Free();
  return 0;
}
