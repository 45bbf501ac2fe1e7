#pragma once
// A tree of text nodes that the control draws itself: each node has a text,
// a data object and children, and is expanded or collapsed. One node is the
// selection; a node's text may be edited in place in an edit box over it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Controls.h"

class TTreeView;
class TTreeNodes;
class TEdit;

class TTreeNode {
 public:
  TTreeNode(TTreeNodes* Owner, TTreeNode* Parent) : FOwner(Owner), FParent(Parent) {}
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;
  const std::string& GetText() const { return FText; }
  // Repaints the tree with the new text.
  void SetText(const std::string& Value);
  void* Data = nullptr;
  TTreeNode* GetParent() const { return FParent; }
  int Count() const { return static_cast<int>(FChildren.size()); }
  bool HasChildren() const { return !FChildren.empty(); }
  // Child Index (EListError outside 0..Count-1).
  TTreeNode* Item(int Index) const;
  // The place among the parent's children (or among the top nodes).
  int GetIndex() const;
  // The number of parents above the node (0 for a top node).
  int Level() const;
  bool GetExpanded() const { return FExpanded; }
  void SetExpanded(bool Value);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  bool GetSelected() const;
  void SetSelected(bool Value);
  // Starts editing the node's text in place (when the tree allows it).
  bool EditText();
  TTreeNodes* GetOwner() const { return FOwner; }

 private:
  friend class TTreeNodes;
  friend class TTreeView;
  TTreeNodes* FOwner;
  TTreeNode* FParent;
  std::string FText;
  bool FExpanded = false;
  std::vector<std::unique_ptr<TTreeNode>> FChildren;
};

// The nodes of one tree view. Count and Item walk every node, parents before
// their children, in the order they are shown when all are expanded.
class TTreeNodes {
 public:
  explicit TTreeNodes(TTreeView* Tree) : FTree(Tree) {}
  TTreeNodes(const TTreeNodes&) = delete;
  TTreeNodes& operator=(const TTreeNodes&) = delete;
  TTreeView* GetOwner() const { return FTree; }
  // A new last top node (Sibling's parent's last child when Sibling is given).
  TTreeNode* Add(TTreeNode* Sibling, const std::string& Text);
  TTreeNode* AddObject(TTreeNode* Sibling, const std::string& Text, void* Data);
  // A new last child of Parent (a top node when Parent is none).
  TTreeNode* AddChild(TTreeNode* Parent, const std::string& Text);
  TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& Text, void* Data);
  // Frees Node and its children (the selection moves off them first).
  void Delete(TTreeNode* Node);
  void Clear();
  int Count() const;
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
  int TopCount() const { return static_cast<int>(FRoots.size()); }
  TTreeNode* TopItem(int Index) const;
  // The first node (in Item order) whose data is Data, or none.
  TTreeNode* FindData(const void* Data) const;
  void BeginUpdate() { ++FUpdating; }
  void EndUpdate();

 private:
  friend class TTreeNode;
  friend class TTreeView;
  std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* Parent);
  void Changed();
  TTreeView* FTree;
  std::vector<std::unique_ptr<TTreeNode>> FRoots;
  int FUpdating = 0;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVEditingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowEdit)>;
using TTVEditedEvent = std::function<void(TObject* Sender, TTreeNode* Node, std::string& S)>;

class TTreeView : public TCustomControl {
  KV_CLASS(TTreeView, TCustomControl)
 public:
  explicit TTreeView(TComponent* AOwner);
  ~TTreeView() override;
  TTreeNodes* Items() const { return FItems.get(); }
  TTreeNode* GetSelected() const { return FSelected; }
  // What a choice of a node does: OnChanging may refuse, then the selection
  // moves and OnChange fires. None clears the selection.
  void SetSelected(TTreeNode* Node);
  bool HideSelection = true;
  bool ReadOnly = false;
  int Indent = 19;
  // Height of one row in pixels.
  int RowHeight() const;
  // The node shown at a client point, or none.
  TTreeNode* GetNodeAt(int X, int Y) const;
  // The row rectangle of a shown node (empty for a hidden one).
  TRect NodeRect(const TTreeNode* Node) const;
  // The nodes on screen from the top: expanded parents show their children.
  std::vector<TTreeNode*> ShownNodes() const;
  // Starts editing Node's text in an edit box over it: OnEditing may refuse.
  bool StartEdit(TTreeNode* Node);
  // Ends the edit: kept, the text goes through OnEdited and onto the node.
  void EndEdit(bool Keep);
  bool IsEditing() const { return FEditNode != nullptr; }
  TEdit* EditBox() const { return FEdit; }
  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;
  TTVEditingEvent OnEditing;
  TTVEditedEvent OnEdited;
  TTVChangedEvent OnExpanded;
  TTVChangedEvent OnCollapsed;

  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;

 private:
  friend class TTreeNodes;
  friend class TTreeNode;
  void NodeFreed(TTreeNode* Node);
  int ButtonLeft(const TTreeNode* Node) const;
  std::unique_ptr<TTreeNodes> FItems;
  TTreeNode* FSelected = nullptr;
  TTreeNode* FEditNode = nullptr;
  TEdit* FEdit = nullptr;
};
