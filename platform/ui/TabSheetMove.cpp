#include "platform/ui/TabSheetMove.h"

#include <algorithm>
#include <vector>

#include "platform/rtl/WeakRef.h"

namespace {
struct TOrigin {
  WeakRef<TTabSheet> Sheet;
  WeakRef<TPageControl> Home;
  int Index = 0;
};

std::vector<TOrigin>& Origins() {
  static std::vector<TOrigin> List;
  // Entries of freed sheets are dropped as the list is used.
  List.erase(std::remove_if(List.begin(), List.end(), [](const TOrigin& O) { return !O.Sheet.Get(); }), List.end());
  return List;
}

TOrigin* Find(const TTabSheet* Sheet) {
  for (TOrigin& O : Origins())
    if (O.Sheet.Get() == Sheet) return &O;
  return nullptr;
}
}  // namespace

namespace TabSheetMove {

void MoveTo(TTabSheet* Sheet, TWinControl* Parent) {
  if (!Sheet || !Parent) return;
  if (!Find(Sheet)) {
    TPageControl* Home = Sheet->GetPageControl();
    if (!Home) return;
    Origins().push_back({Sheet, Home, Sheet->GetPageIndex()});
    Sheet->SetPageControl(nullptr);
  }
  Sheet->SetParent(Parent);
  Sheet->SetAlign(TAlign::alClient);
  Sheet->SetVisible(true);
  Parent->Realign();
}

void MoveBack(TTabSheet* Sheet) {
  std::vector<TOrigin>& List = Origins();
  auto It = std::find_if(List.begin(), List.end(), [Sheet](const TOrigin& O) { return O.Sheet.Get() == Sheet; });
  if (It == List.end()) return;
  TPageControl* Home = It->Home.Get();
  const int Index = It->Index;
  List.erase(It);
  if (!Home) return;
  Sheet->SetAlign(TAlign::alNone);
  Sheet->SetPageControl(Home);
  Sheet->SetPageIndex(Index);
  Home->Realign();
}

bool IsMoved(const TTabSheet* Sheet) { return Find(Sheet) != nullptr; }

TPageControl* HomeOf(const TTabSheet* Sheet) {
  if (const TOrigin* O = Find(Sheet)) return O->Home.Get();
  return Sheet ? Sheet->GetPageControl() : nullptr;
}

}  // namespace TabSheetMove
