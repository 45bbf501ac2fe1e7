#include "platform/ui/TreeView.h"

#include <algorithm>

#include "platform/rtl/SysUtils.h"
#include "platform/ui/StdCtrls.h"

namespace {
// The side of the square expand button drawn left of a parent's text.
constexpr int ButtonSize = 9;

}  // namespace

// ---------------------------------------------------------------- TTreeNode

void TTreeNode::SetText(const std::string& Value) {
  FText = Value;
  FOwner->Changed();
}

TTreeNode* TTreeNode::Item(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("Tree node index out of bounds (" + std::to_string(Index) + ")");
  return FChildren[static_cast<size_t>(Index)].get();
}

int TTreeNode::GetIndex() const {
  const auto& Siblings = FOwner->SiblingsOf(FParent);
  for (size_t i = 0; i < Siblings.size(); ++i)
    if (Siblings[i].get() == this) return static_cast<int>(i);
  return -1;
}

int TTreeNode::Level() const {
  int L = 0;
  for (TTreeNode* P = FParent; P; P = P->FParent) ++L;
  return L;
}

void TTreeNode::SetExpanded(bool Value) {
  if (FExpanded == Value) return;
  FExpanded = Value;
  TTreeView* Tree = FOwner->GetOwner();
  // A collapsed parent hides its children: a selection among them moves up to it.
  if (!Value && Tree->FSelected)
    for (TTreeNode* P = Tree->FSelected->FParent; P; P = P->FParent)
      if (P == this) {
        Tree->SetSelected(this);
        break;
      }
  FOwner->Changed();
  const TTVChangedEvent& Event = Value ? Tree->OnExpanded : Tree->OnCollapsed;
  if (Event) Event(Tree, this);
}

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (Recurse)
    for (auto& C : FChildren) C->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  if (Recurse)
    for (auto& C : FChildren) C->Collapse(true);
  SetExpanded(false);
}

bool TTreeNode::GetSelected() const { return FOwner->GetOwner()->GetSelected() == this; }

void TTreeNode::SetSelected(bool Value) {
  TTreeView* Tree = FOwner->GetOwner();
  if (Value)
    Tree->SetSelected(this);
  else if (GetSelected())
    Tree->SetSelected(nullptr);
}

bool TTreeNode::EditText() { return FOwner->GetOwner()->StartEdit(this); }

// ---------------------------------------------------------------- TTreeNodes

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* Parent) {
  return Parent ? Parent->FChildren : FRoots;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& Text) { return AddObject(Sibling, Text, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const std::string& Text, void* Data) {
  return AddChildObject(Sibling ? Sibling->GetParent() : nullptr, Text, Data);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& Text) {
  return AddChildObject(Parent, Text, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& Text, void* Data) {
  auto& Siblings = SiblingsOf(Parent);
  Siblings.push_back(std::make_unique<TTreeNode>(this, Parent));
  TTreeNode* N = Siblings.back().get();
  N->FText = Text;
  N->Data = Data;
  Changed();
  return N;
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node) return;
  FTree->NodeFreed(Node);
  auto& Siblings = SiblingsOf(Node->GetParent());
  auto It = std::find_if(Siblings.begin(), Siblings.end(), [Node](const auto& P) { return P.get() == Node; });
  if (It == Siblings.end()) return;
  std::unique_ptr<TTreeNode> Gone = std::move(*It);
  Siblings.erase(It);
  Changed();
}

void TTreeNodes::Clear() {
  while (!FRoots.empty()) Delete(FRoots.back().get());
}

int TTreeNodes::Count() const {
  int N = 0;
  std::vector<const TTreeNode*> Stack;
  for (const auto& R : FRoots) Stack.push_back(R.get());
  while (!Stack.empty()) {
    const TTreeNode* T = Stack.back();
    Stack.pop_back();
    ++N;
    for (int i = 0; i < T->Count(); ++i) Stack.push_back(T->Item(i));
  }
  return N;
}

TTreeNode* TTreeNodes::Item(int Index) const {
  int N = 0;
  TTreeNode* Found = nullptr;
  std::function<bool(const std::vector<std::unique_ptr<TTreeNode>>&)> Walk =
      [&](const std::vector<std::unique_ptr<TTreeNode>>& Nodes) {
        for (const auto& P : Nodes) {
          if (N++ == Index) {
            Found = P.get();
            return true;
          }
          if (Walk(P->FChildren)) return true;
        }
        return false;
      };
  if (Index >= 0) Walk(FRoots);
  if (!Found) throw EListError("Tree node index out of bounds (" + std::to_string(Index) + ")");
  return Found;
}

TTreeNode* TTreeNodes::TopItem(int Index) const {
  if (Index < 0 || Index >= TopCount()) throw EListError("Tree node index out of bounds (" + std::to_string(Index) + ")");
  return FRoots[static_cast<size_t>(Index)].get();
}

TTreeNode* TTreeNodes::FindData(const void* Data) const {
  const int N = Count();
  for (int i = 0; i < N; ++i)
    if (TTreeNode* T = Item(i); T->Data == Data) return T;
  return nullptr;
}

void TTreeNodes::EndUpdate() {
  if (FUpdating > 0 && --FUpdating == 0) Changed();
}

void TTreeNodes::Changed() {
  if (FUpdating == 0) FTree->Invalidate();
}

// ---------------------------------------------------------------- TTreeView

KV_CLASS_IMPL(TTreeView, TCustomControl) {}

TTreeView::TTreeView(TComponent* AOwner) : TCustomControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
}

TTreeView::~TTreeView() {
  // Nodes freed with the tree tell no one.
  OnChange = nullptr;
  OnChanging = nullptr;
  FSelected = nullptr;
  FEditNode = nullptr;
}

int TTreeView::RowHeight() const {
  TBitmap Measure;
  Measure.GetCanvas()->Font->Assign(GetFont());
  return std::max(Measure.GetCanvas()->TextHeight("Wg") + 3, ButtonSize + 4);
}

std::vector<TTreeNode*> TTreeView::ShownNodes() const {
  std::vector<TTreeNode*> Out;
  std::function<void(const std::vector<std::unique_ptr<TTreeNode>>&)> Walk =
      [&](const std::vector<std::unique_ptr<TTreeNode>>& Nodes) {
        for (const auto& P : Nodes) {
          Out.push_back(P.get());
          if (P->GetExpanded()) Walk(P->FChildren);
        }
      };
  Walk(FItems->FRoots);
  return Out;
}

TTreeNode* TTreeView::GetNodeAt(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= GetWidth()) return nullptr;
  const std::vector<TTreeNode*> Shown = ShownNodes();
  const size_t Row = static_cast<size_t>(Y / RowHeight());
  return Row < Shown.size() ? Shown[Row] : nullptr;
}

TRect TTreeView::NodeRect(const TTreeNode* Node) const {
  const std::vector<TTreeNode*> Shown = ShownNodes();
  auto It = std::find(Shown.begin(), Shown.end(), Node);
  if (It == Shown.end()) return Rect(0, 0, 0, 0);
  const int H = RowHeight();
  const int Top = static_cast<int>(It - Shown.begin()) * H;
  return Rect(0, Top, GetWidth(), Top + H);
}

int TTreeView::ButtonLeft(const TTreeNode* Node) const { return 3 + Node->Level() * Indent; }

void TTreeView::SetSelected(TTreeNode* Node) {
  if (Node == FSelected) return;
  if (FEditNode) EndEdit(true);
  bool Allow = true;
  if (OnChanging) OnChanging(this, Node, Allow);
  if (!Allow) return;
  // A node chosen inside collapsed parents is shown.
  for (TTreeNode* P = Node ? Node->GetParent() : nullptr; P; P = P->GetParent()) P->FExpanded = true;
  FSelected = Node;
  Invalidate();
  if (OnChange) OnChange(this, Node);
}

void TTreeView::NodeFreed(TTreeNode* Node) {
  auto Within = [Node](TTreeNode* T) {
    for (; T; T = T->GetParent())
      if (T == Node) return true;
    return false;
  };
  if (Within(FEditNode)) EndEdit(false);
  if (Within(FSelected)) {
    FSelected = nullptr;
    if (!ComponentState.Contains(TComponentStateItem::csDestroying) && OnChange) OnChange(this, nullptr);
  }
}

bool TTreeView::StartEdit(TTreeNode* Node) {
  if (!Node || ReadOnly) return false;
  if (FEditNode) EndEdit(true);
  bool Allow = true;
  if (OnEditing) OnEditing(this, Node, Allow);
  if (!Allow) return false;
  if (!FEdit) {
    FEdit = Create<TEdit>(this);
    FEdit->SetParent(this);
    FEdit->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState) {
      if (Key == VK_RETURN || Key == VK_ESCAPE) {
        const bool Keep = Key == VK_RETURN;
        Key = 0;
        EndEdit(Keep);
      }
    };
    FEdit->OnExit = [this](TObject*) { EndEdit(true); };
  }
  FEditNode = Node;
  const TRect R = NodeRect(Node);
  const int Left = ButtonLeft(Node) + ButtonSize + 4;
  FEdit->SetBounds(Left, R.Top, std::max(GetWidth() - Left, 20), R.Height());
  FEdit->SetText(Node->GetText());
  FEdit->Show();
  if (FEdit->CanFocus()) FEdit->SetFocus();
  FEdit->SelectAll();
  return true;
}

void TTreeView::EndEdit(bool Keep) {
  TTreeNode* Node = FEditNode;
  if (!Node) return;
  FEditNode = nullptr;
  std::string S = FEdit->GetText();
  FEdit->Hide();
  if (!Keep) return;
  if (OnEdited) OnEdited(this, Node, S);
  Node->SetText(S);
}

void TTreeView::Paint() {
  TCanvas& C = *GetCanvas();
  C.Font->Assign(GetFont());
  C.Brush->SetColor(GetColor());
  C.FillRect(GetClientRect());
  const int H = RowHeight();
  int Top = 0;
  for (TTreeNode* N : ShownNodes()) {
    const int BL = ButtonLeft(N);
    const int Mid = Top + H / 2;
    if (N->HasChildren()) {
      const TRect B = Rect(BL, Mid - ButtonSize / 2, BL + ButtonSize, Mid - ButtonSize / 2 + ButtonSize);
      C.Brush->SetColor(clWindow);
      C.Pen->SetColor(clGrayText);
      C.Rectangle(B);
      C.Pen->SetColor(clWindowText);
      C.MoveTo(B.Left + 2, Mid);
      C.LineTo(B.Right - 2, Mid);
      if (!N->GetExpanded()) {
        C.MoveTo(B.Left + ButtonSize / 2, B.Top + 2);
        C.LineTo(B.Left + ButtonSize / 2, B.Bottom - 2);
      }
    }
    const int TextLeft = BL + ButtonSize + 4;
    const bool Marked = N == FSelected && (!HideSelection || Focused());
    const TRect T = Rect(TextLeft - 2, Top, TextLeft + C.TextWidth(N->GetText()) + 2, Top + H);
    C.Brush->SetColor(Marked ? clHighlight : GetColor());
    C.Font->SetColor(Marked ? clHighlightText : GetFont()->GetColor());
    C.TextRect(T, TextLeft, Top + 1, N->GetText());
    Top += H;
    if (Top > GetHeight()) break;
  }
  TCustomControl::Paint();
}

void TTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus()) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TTreeNode* N = GetNodeAt(X, Y);
  if (!N) return;
  const int BL = ButtonLeft(N);
  if (N->HasChildren() && X >= BL && X < BL + ButtonSize) {
    N->SetExpanded(!N->GetExpanded());
    return;
  }
  // A second left click on the selected node's text edits it.
  if (Button == TMouseButton::mbLeft && N == FSelected && !Shift.Contains(TShiftStateItem::ssDouble) &&
      X >= BL + ButtonSize + 2) {
    StartEdit(N);
    return;
  }
  SetSelected(N);
}

void TTreeView::DblClick() {
  TCustomControl::DblClick();
  if (FEditNode) EndEdit(false);
  if (FSelected && FSelected->HasChildren()) FSelected->SetExpanded(!FSelected->GetExpanded());
}

void TTreeView::KeyDown(uint16_t& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const std::vector<TTreeNode*> Shown = ShownNodes();
  if (Shown.empty()) return;
  auto It = std::find(Shown.begin(), Shown.end(), FSelected);
  const long Row = It == Shown.end() ? -1 : static_cast<long>(It - Shown.begin());
  switch (Key) {
    case VK_DOWN:
      SetSelected(Shown[static_cast<size_t>(std::min<long>(Row + 1, static_cast<long>(Shown.size()) - 1))]);
      break;
    case VK_UP:
      SetSelected(Shown[static_cast<size_t>(std::max<long>(Row - 1, 0))]);
      break;
    case VK_RIGHT:
      if (FSelected && FSelected->HasChildren()) FSelected->SetExpanded(true);
      break;
    case VK_LEFT:
      if (FSelected && FSelected->GetExpanded())
        FSelected->SetExpanded(false);
      else if (FSelected && FSelected->GetParent())
        SetSelected(FSelected->GetParent());
      break;
    case VK_F2:
      StartEdit(FSelected);
      break;
    default:
      return;
  }
  Key = 0;
}
