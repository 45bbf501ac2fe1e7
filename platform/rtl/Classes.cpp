#include "platform/rtl/Classes.h"

#include <algorithm>
#include <numeric>

using SysUtils::Format;

namespace {

[[noreturn]] void ListIndexError(int index) {
  throw EListError(Format("List index out of bounds (%d)", {index}));
}

bool IsValidIdent(std::string_view s) {
  if (s.empty()) return false;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(s[0])) return false;
  for (char c : s)
    if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

}  // namespace

// ---------------------------------------------------------------- TObject
TClass TObject::StaticClass() {
  static const TClass info = [] {
    TClassInfo* ci = ClassInfoDetail::NewClassInfo("TObject", nullptr);
    ci->FFactory = [](TComponent*) -> TObject* { return Create<TObject>(); };
    return ci;
  }();
  return info;
}

[[maybe_unused]] static const bool kv_class_registered_TObject =
    (ClassInfo::RegisterClass(TObject::StaticClass()), true);

std::string TObject::ClassName() const { return ClassType()->ClassName(); }

bool TObject::InheritsFrom(TClass cls) const { return ClassType()->InheritsFrom(cls); }

void TObject::Free() {
  BeforeDestruction();
  delete this;
}

// ---------------------------------------------------------------- TPersistent
KV_CLASS_IMPL(TPersistent, TObject) {}

void TPersistent::Assign(const TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  throw EConvertError(Format("Cannot assign a %s to a %s", {"nil", ClassName()}));
}

void TPersistent::AssignTo(TPersistent* Dest) const {
  throw EConvertError(Format("Cannot assign a %s to a %s", {ClassName(), Dest ? Dest->ClassName() : "nil"}));
}

std::string TPersistent::GetNamePath() const {
  std::string result = ClassName();
  if (TPersistent* owner = GetOwner()) {
    std::string ownerPath = owner->GetNamePath();
    if (!ownerPath.empty()) result = ownerPath + "." + result;
  }
  return result;
}

// ---------------------------------------------------------------- TComponent
KV_CLASS_IMPL(TComponent, TPersistent) {
  c.Property("Name", &TComponent::GetName, &TComponent::SetName).Stored(false);
  c.Property("Tag", &TComponent::Tag).Default(0);
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  if (!FFreeNotified) {
    // Deleted without Free: notify now, at reduced type, so nothing dangles.
    FFreeNotified = true;
    Destroying();
    SendRemoveNotifications();
    LeaveOwner();
  }
  DestroyComponents();
}

void TComponent::BeforeDestruction() {
  if (FFreeNotified) return;
  FFreeNotified = true;
  Destroying();
  SendRemoveNotifications();
  LeaveOwner();
}

void TComponent::SendRemoveNotifications() {
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& theirs = other->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, TOperation::opRemove);
  }
}

void TComponent::LeaveOwner() {
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) ListIndexError(index);
  return FComponents[size_t(index)];
}

int TComponent::GetComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : int(it - list.begin());
}

void TComponent::SetComponentIndex(int index) {
  if (!FOwner) return;
  auto& list = FOwner->FComponents;
  int cur = GetComponentIndex();
  index = std::clamp(index, 0, int(list.size()) - 1);
  if (cur < 0 || cur == index) return;
  list.erase(list.begin() + cur);
  list.insert(list.begin() + index, this);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SysUtils::SameText(c->FName, name)) return c;
  return nullptr;
}

void TComponent::SetName(const std::string& name) {
  if (name == FName) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError(Format("'%s' is not a valid component name", {name}));
  if (FOwner && !name.empty()) {
    TComponent* other = FOwner->FindComponent(name);
    if (other && other != this) throw EComponentError(Format("A component named %s already exists", {name}));
  }
  FName = name;
}

std::string TComponent::GetNamePath() const { return FName; }

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  if (!AComponent->FName.empty()) {
    TComponent* other = FindComponent(AComponent->FName);
    if (other) throw EComponentError(Format("A component named %s already exists", {AComponent->FName}));
  }
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, TOperation::opRemove);
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent), FComponents.end());
  AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    FComponents.pop_back();
    c->FOwner = nullptr;  // the owner is going: it needs no notification
    c->Free();
  }
}

void TComponent::Destroying() {
  if (ComponentState.Contains(TComponentStateItem::csDestroying)) return;
  ComponentState.Include(TComponentStateItem::csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  auto& theirs = AComponent->FFreeNotifies;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
  ComponentState.Include(TComponentStateItem::csFreeNotification);
  AComponent->ComponentState.Include(TComponentStateItem::csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (!AComponent) return;
  RemoveNotification(AComponent);
  AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove && AComponent) RemoveFreeNotification(AComponent);
  // By index: a handler may add or remove components.
  for (size_t i = 0; i < FComponents.size(); ++i) FComponents[i]->Notification(AComponent, Operation);
}

void TComponent::Loaded() { ComponentState.Exclude(TComponentStateItem::csLoading); }

void TComponent::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
  if (!Root) return;
  // Copied first: Proc may create or free components. Children this
  // component owns itself count too (a chart that owns its series while the
  // window owns the chart).
  std::vector<TComponent*> candidates = Root->FComponents;
  if (Root != this) candidates.insert(candidates.end(), FComponents.begin(), FComponents.end());
  for (TComponent* c : candidates) {
    if (c == this) continue;
    const bool child = c->HasParent() ? c->GetParentComponent() == this : Root == this;
    if (child) Proc(c);
  }
}

// ---------------------------------------------------------------- TList
KV_CLASS_IMPL(TList, TObject) {}

TList::~TList() { FList.clear(); }

void TList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) ListIndexError(Index);
}

int TList::Add(void* Item) {
  FList.push_back(Item);
  if (Item) Notify(Item, TListNotification::lnAdded);
  return Count() - 1;
}

void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > Count()) ListIndexError(Index);
  FList.insert(FList.begin() + Index, Item);
  if (Item) Notify(Item, TListNotification::lnAdded);
}

void TList::Delete(int Index) {
  CheckIndex(Index);
  void* item = FList[size_t(Index)];
  FList.erase(FList.begin() + Index);
  if (item) Notify(item, TListNotification::lnDeleted);
}

int TList::Remove(void* Item) {
  int i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

void* TList::Extract(void* Item) {
  int i = IndexOf(Item);
  if (i < 0) return nullptr;
  FList.erase(FList.begin() + i);
  Notify(Item, TListNotification::lnExtracted);
  return Item;
}

int TList::IndexOf(void* Item) const {
  auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : int(it - FList.begin());
}

void* TList::Get(int Index) const {
  CheckIndex(Index);
  return FList[size_t(Index)];
}

void TList::Put(int Index, void* Item) {
  CheckIndex(Index);
  void* old = FList[size_t(Index)];
  if (old == Item) return;
  FList[size_t(Index)] = Item;
  if (old) Notify(old, TListNotification::lnDeleted);
  if (Item) Notify(Item, TListNotification::lnAdded);
}

void TList::SetCount(int NewCount) {
  if (NewCount < 0) throw EListError(Format("List count out of bounds (%d)", {NewCount}));
  if (NewCount > Count()) FList.resize(size_t(NewCount), nullptr);
  while (Count() > NewCount) Delete(Count() - 1);
}

void TList::SetCapacity(int NewCapacity) {
  if (NewCapacity < Count()) throw EListError(Format("List capacity out of bounds (%d)", {NewCapacity}));
  FList.reserve(size_t(NewCapacity));
}

void TList::Clear() {
  SetCount(0);
  FList.shrink_to_fit();
}

void TList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[size_t(Index1)], FList[size_t(Index2)]);
}

void TList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  void* item = FList[size_t(CurIndex)];
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, item);
}

void TList::Pack() { FList.erase(std::remove(FList.begin(), FList.end(), nullptr), FList.end()); }

void TList::Sort(const TListSortCompare& Compare) {
  std::stable_sort(FList.begin(), FList.end(), [&](void* a, void* b) { return Compare(a, b) < 0; });
}

void TList::Assign(const TList* Source) {
  Clear();
  if (Source)
    for (void* p : Source->FList) Add(p);
}

KV_CLASS_IMPL(TObjectList, TList) {}

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void* Ptr, TListNotification Action) {
  if (OwnsObjects && Action == TListNotification::lnDeleted) static_cast<TObject*>(Ptr)->Free();
}

// ---------------------------------------------------------------- TCollectionItem
KV_CLASS_IMPL(TCollectionItem, TPersistent) {}

TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::BeforeDestruction() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::GetIndex() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : int(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  int cur = GetIndex();
  if (cur < 0 || cur == Value) return;
  auto& items = FCollection->FItems;
  if (Value < 0 || Value >= int(items.size())) ListIndexError(Value);
  items.erase(items.begin() + cur);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

std::string TCollectionItem::GetDisplayName() const { return ClassName(); }

std::string TCollectionItem::GetNamePath() const {
  if (!FCollection) return ClassName();
  return Format("%s[%d]", {FCollection->GetNamePath(), GetIndex()});
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

// ---------------------------------------------------------------- TCollection
KV_CLASS_IMPL(TCollection, TPersistent) {}

TCollection::TCollection(TClass ItemClass, TCollectionItemFactory ItemFactory, TPersistent* AOwner)
    : FItemClass(ItemClass), FItemFactory(std::move(ItemFactory)), FOwner(AOwner) {}

TCollection::~TCollection() {
  FUpdateCount = 1;  // no updates while the items go
  Clear();
}

TCollectionItem* TCollection::Add() {
  if (!FItemFactory) throw EInvalidOperation(Format("%s has no item class", {ClassName()}));
  TCollectionItem* item = FItemFactory(this);
  if (item->FCollection != this) item->SetCollection(this);
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  if (Index < 0 || Index > Count()) ListIndexError(Index);
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = Items(Index);
  Notify(item, TCollectionNotification::cnDeleting);
  item->Free();
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty()) FItems.back()->Free();
  EndUpdate();
}

TCollectionItem* TCollection::Items(int Index) const {
  if (Index < 0 || Index >= Count()) ListIndexError(Index);
  return FItems[size_t(Index)];
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == ID) return item;
  return nullptr;
}

void TCollection::Assign(const TPersistent* Source) {
  auto* src = dynamic_cast<const TCollection*>(Source);
  if (!src) return TPersistent::Assign(Source);
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : src->FItems) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TCollection::GetNamePath() const {
  if (!FOwner) return ClassName();
  std::string ownerPath = FOwner->GetNamePath();
  if (ownerPath.empty() || PropName.empty()) return ClassName();
  return ownerPath + "." + PropName;
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  Notify(Item, TCollectionNotification::cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, TCollectionNotification::cnExtracting);
  FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
  Item->FCollection = nullptr;
  Changed();
}
