#pragma once
// Base object model of the component library: TObject with class information
// and two-phase construction/destruction, TPersistent, TComponent with
// ownership and free notification, lists, string lists, collections, streams.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/rtl/ClassInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Types.h"

KV_EXCEPTION_CLASS(EListError, Exception);
KV_EXCEPTION_CLASS(EStringListError, Exception);
KV_EXCEPTION_CLASS(EStreamError, Exception);
KV_EXCEPTION_CLASS(EFileStreamError, EStreamError);
KV_EXCEPTION_CLASS(EFCreateError, EFileStreamError);
KV_EXCEPTION_CLASS(EFOpenError, EFileStreamError);
KV_EXCEPTION_CLASS(EReadError, EStreamError);
KV_EXCEPTION_CLASS(EWriteError, EStreamError);
KV_EXCEPTION_CLASS(EClassNotFound, EReadError);
KV_EXCEPTION_CLASS(EInvalidOperation, Exception);
KV_EXCEPTION_CLASS(EComponentError, Exception);

// ---------------------------------------------------------------- TObject
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static TClass StaticClass();
  virtual TClass ClassType() const { return StaticClass(); }
  std::string ClassName() const;
  bool InheritsFrom(TClass cls) const;

  // Second construction phase, run by Create<T>() once the object is complete,
  // so that overridden operations dispatch to the final class.
  virtual void Init() {}
  // First destruction phase, run by Free() while the object is still complete.
  virtual void BeforeDestruction() {}
  // BeforeDestruction, then delete. Use FreeAndNil/FreeObject for pointers that may be null.
  void Free();
};

// Two-phase construction: new T(args...), then the virtual Init. If Init
// throws, the object is freed and the exception passes on.
template <class T, class... A>
T* Create(A&&... args) {
  T* obj = new T(std::forward<A>(args)...);
  try {
    obj->Init();
  } catch (...) {
    obj->Free();
    throw;
  }
  return obj;
}

inline void FreeObject(TObject* obj) {
  if (obj) obj->Free();
}

template <class T>
void FreeAndNil(T*& obj) {
  T* tmp = obj;
  obj = nullptr;
  if (tmp) tmp->Free();
}

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TFiler;

// ---------------------------------------------------------------- TPersistent
class TPersistent : public TObject {
  KV_CLASS(TPersistent, TObject)
 public:
  // Copies Source into this object; the base asks Source->AssignTo and raises
  // EConvertError "Cannot assign a TX to a TY" when neither side knows how.
  virtual void Assign(const TPersistent* Source);
  virtual TPersistent* GetOwner() const { return nullptr; }
  virtual std::string GetNamePath() const;
  // Declares stream properties beyond the published ones (binary point data,
  // string lists); overrides call the inherited one first.
  virtual void DefineProperties(TFiler& /*Filer*/) {}

 protected:
  virtual void AssignTo(TPersistent* Dest) const;
};

// ---------------------------------------------------------------- TComponent
enum class TOperation { opInsert, opRemove };

enum class TComponentStateItem {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups,
  csFreeNotification, csInline, csDesignInstance
};
using TComponentState = Flags<TComponentStateItem>;

class TComponent : public TPersistent {
  KV_CLASS(TComponent, TPersistent)
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  // Sends opRemove to everything that asked for free notification and leaves
  // the owner while this object is still complete; owned components are
  // freed afterwards by the destructor.
  void BeforeDestruction() override;

  TComponent* Owner() const { return FOwner; }
  TPersistent* GetOwner() const override { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const;  // EListError on a bad index
  int GetComponentIndex() const;
  void SetComponentIndex(int index);
  TComponent* FindComponent(std::string_view name) const;  // case-insensitive; nullptr when absent

  const std::string& GetName() const { return FName; }
  // EComponentError "'x' is not a valid component name" or
  // "A component named x already exists" (among the owner's components).
  virtual void SetName(const std::string& name);
  intptr_t Tag = 0;
  TComponentState ComponentState;
  std::string GetNamePath() const override;

  void InsertComponent(TComponent* AComponent);  // takes ownership (leaves the previous owner)
  void RemoveComponent(TComponent* AComponent);  // gives up ownership without freeing
  void DestroyComponents();                       // frees every owned component, last first
  void Destroying();                              // marks csDestroying (and owned components)

  // AComponent will receive Notification(this, opRemove) when this component
  // is freed, and this one when AComponent is freed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Called on the owner (and passed down to everything it owns) when a
  // component is inserted or removed, and on free-notification partners.
  // Overrides must call the inherited one.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void Loaded();

  // Streaming: a component with a parent component (a series of its chart)
  // is written inside that parent instead of inside its owner.
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* /*Parent*/) {}
  // The components written inside this one, in order: every component owned
  // by Root or by this one whose parent component is this one, and, for Root
  // itself, also those without a parent.
  virtual void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const;

 private:
  void RemoveNotification(TComponent* AComponent);
  void SendRemoveNotifications();
  void LeaveOwner();
  TComponent* FOwner = nullptr;
  std::string FName;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  bool FFreeNotified = false;
};

// ---------------------------------------------------------------- TList
enum class TListNotification { lnAdded, lnExtracted, lnDeleted };
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

class TList : public TObject {
  KV_CLASS(TList, TObject)
 public:
  TList() = default;
  ~TList() override;
  int Add(void* Item);
  void Insert(int Index, void* Item);
  void Delete(int Index);
  int Remove(void* Item);    // index it had, -1 when absent
  void* Extract(void* Item);  // removes without lnDeleted
  int IndexOf(void* Item) const;
  void* Get(int Index) const;  // EListError "List index out of bounds (n)"
  void Put(int Index, void* Item);
  void* operator[](int Index) const { return Get(Index); }
  template <class T>
  T* ItemAs(int Index) const { return static_cast<T*>(Get(Index)); }
  void* First() const { return Get(0); }
  void* Last() const { return Get(Count() - 1); }
  int Count() const { return static_cast<int>(FList.size()); }
  void SetCount(int NewCount);
  int Capacity() const { return static_cast<int>(FList.capacity()); }
  void SetCapacity(int NewCapacity);
  virtual void Clear();
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);
  void Pack();  // drops null items
  void Sort(const TListSortCompare& Compare);  // stable
  void Assign(const TList* Source);
  const std::vector<void*>& List() const { return FList; }

 protected:
  virtual void Notify(void* /*Ptr*/, TListNotification /*Action*/) {}

 private:
  void CheckIndex(int Index) const;
  std::vector<void*> FList;
};

// A list that frees its objects when they are deleted (OwnsObjects).
class TObjectList : public TList {
  KV_CLASS(TObjectList, TList)
 public:
  explicit TObjectList(bool AOwnsObjects = true) : OwnsObjects(AOwnsObjects) {}
  ~TObjectList() override;
  int Add(TObject* Obj) { return TList::Add(Obj); }
  TObject* Items(int Index) const { return static_cast<TObject*>(Get(Index)); }
  int IndexOf(TObject* Obj) const { return TList::IndexOf(Obj); }
  int Remove(TObject* Obj) { return TList::Remove(Obj); }
  bool OwnsObjects;

 protected:
  void Notify(void* Ptr, TListNotification Action) override;
};

// ---------------------------------------------------------------- streams
enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  KV_CLASS(TStream, TObject)
 public:
  // Read/Write return the number of bytes moved (0 at the end).
  virtual int64_t Read(void* Buffer, int64_t Count) = 0;
  virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  int64_t GetPosition() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(int64_t Pos) { Seek(Pos, TSeekOrigin::soBeginning); }
  virtual int64_t GetSize();
  virtual void SetSize(int64_t NewSize) = 0;
  // Raise EReadError "Stream read error" / EWriteError "Stream write error" on a short transfer.
  void ReadBuffer(void* Buffer, int64_t Count);
  void WriteBuffer(const void* Buffer, int64_t Count);
  // Count = 0 copies the whole Source from its start.
  int64_t CopyFrom(TStream& Source, int64_t Count);
  // Whole remaining content from the current position.
  std::string ReadAll();
  void WriteString(std::string_view s) { WriteBuffer(s.data(), static_cast<int64_t>(s.size())); }
};

// Mode is an access code or'ed with a sharing code (sharing is not enforced).
constexpr uint16_t fmCreate = 0xFF00;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;

class TFileStream : public TStream {
  KV_CLASS(TFileStream, TStream)
 public:
  // EFCreateError 'Cannot create file "name". reason' or
  // EFOpenError 'Cannot open file "name". reason'.
  TFileStream(const std::string& FileName, uint16_t Mode);
  ~TFileStream() override;
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(int64_t NewSize) override;
  const std::string& FileName() const { return FFileName; }

 private:
  std::string FFileName;
  int FHandle = -1;
};

class TMemoryStream : public TStream {
  KV_CLASS(TMemoryStream, TStream)
 public:
  TMemoryStream() = default;
  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t GetSize() override { return static_cast<int64_t>(FData.size()); }
  void SetSize(int64_t NewSize) override;
  void Clear();
  void* Memory() { return FData.data(); }
  const std::string& DataString() const { return FData; }
  void LoadFromStream(TStream& Stream);
  void LoadFromFile(const std::string& FileName);
  void SaveToStream(TStream& Stream) const;
  void SaveToFile(const std::string& FileName) const;

 private:
  std::string FData;
  int64_t FPosition = 0;
};

// ---------------------------------------------------------------- TStrings
enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
  KV_CLASS(TStrings, TPersistent)
 public:
  // Storage primitives of a concrete list.
  virtual std::string Get(int Index) const = 0;
  virtual void Put(int Index, const std::string& S);
  virtual TObject* GetObject(int Index) const;
  virtual void PutObject(int Index, TObject* AObject);
  virtual int GetCount() const = 0;
  virtual void Insert(int Index, const std::string& S) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;

  int Count() const { return GetCount(); }
  std::string Strings(int Index) const { return Get(Index); }
  std::string operator[](int Index) const { return Get(Index); }
  TObject* Objects(int Index) const { return GetObject(Index); }

  virtual int Add(const std::string& S);
  virtual int AddObject(const std::string& S, TObject* AObject);
  void Append(const std::string& S) { Add(S); }
  virtual void AddStrings(const TStrings* Strings);
  void InsertObject(int Index, const std::string& S, TObject* AObject);
  virtual void Exchange(int Index1, int Index2);
  virtual void Move(int CurIndex, int NewIndex);
  virtual int IndexOf(std::string_view S) const;  // case-insensitive unless CaseSensitive
  int IndexOfName(std::string_view Name) const;
  int IndexOfObject(const TObject* AObject) const;
  bool Equals(const TStrings* Strings) const;
  void Assign(const TPersistent* Source) override;

  // Lines joined by LineBreak (every line, the last one too); setting splits
  // at CR, LF or CR LF.
  virtual std::string GetText() const;
  virtual void SetText(std::string_view Text);
  std::string LineBreak = "\n";

  // Items separated by Delimiter; an item with a blank, a delimiter, a quote
  // or a control character (with StrictDelimiter: a delimiter or a quote) is
  // quoted with QuoteChar and inner quotes doubled. Reading splits at the
  // delimiter and, without StrictDelimiter, at blanks outside quotes.
  std::string GetDelimitedText() const;
  void SetDelimitedText(std::string_view Value);
  // DelimitedText with "," and '"' whatever Delimiter and QuoteChar are.
  std::string GetCommaText() const;
  void SetCommaText(std::string_view Value);
  char Delimiter = ',';
  char QuoteChar = '"';
  bool StrictDelimiter = false;
  char NameValueSeparator = '=';

  std::string Names(int Index) const;  // "" for a line without separator
  std::string ValueFromIndex(int Index) const;
  void SetValueFromIndex(int Index, const std::string& Value);
  std::string Values(std::string_view Name) const;
  // An empty Value deletes the line.
  void SetValue(std::string_view Name, const std::string& Value);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // Text files are decoded by SysUtils::DecodeText and written as UTF-8.
  virtual void LoadFromFile(const std::string& FileName);
  virtual void SaveToFile(const std::string& FileName) const;
  virtual void LoadFromStream(TStream& Stream);
  virtual void SaveToStream(TStream& Stream) const;

  // Whether IndexOf, IndexOfName and sorting compare with case.
  virtual bool GetCaseSensitive() const { return false; }
  // Streams the lines as the list property "Strings".
  void DefineProperties(TFiler& Filer) override;

 protected:
  virtual void SetUpdateState(bool /*Updating*/) {}
  virtual int CompareStrings(std::string_view S1, std::string_view S2) const;
  [[noreturn]] void Error(const std::string& Msg, int Data) const;

 private:
  int FUpdateCount = 0;
};

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
  KV_CLASS(TStringList, TStrings)
 public:
  TStringList() = default;
  explicit TStringList(bool AOwnsObjects) : OwnsObjects(AOwnsObjects) {}
  ~TStringList() override;

  std::string Get(int Index) const override;  // EStringListError "List index out of bounds (n)"
  void Put(int Index, const std::string& S) override;  // EStringListError "Operation not allowed on sorted list" when Sorted
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  int GetCount() const override { return static_cast<int>(FItems.size()); }
  // Adding to a sorted list puts the item in order; a duplicate is skipped
  // (dupIgnore, returning the existing index), added (dupAccept) or raises
  // EStringListError "String list does not allow duplicates" (dupError).
  int Add(const std::string& S) override;
  int AddObject(const std::string& S, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override;  // not on sorted lists
  void Delete(int Index) override;
  void Clear() override;
  void Exchange(int Index1, int Index2) override;
  int IndexOf(std::string_view S) const override;  // binary search when Sorted
  // Binary search of a sorted list: true and the index when found, else the
  // insertion point. On an unsorted list the result is not meaningful.
  bool Find(std::string_view S, int& Index) const;
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& Compare);

  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);  // sorting on switching on
  TDuplicates Duplicates = TDuplicates::dupIgnore;
  bool GetCaseSensitive() const override { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);  // re-sorts a sorted list
  bool OwnsObjects = false;

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  void SetUpdateState(bool Updating) override;
  virtual void Changed();
  virtual void Changing();
  void InsertItem(int Index, const std::string& S, TObject* AObject);

 private:
  struct TItem {
    std::string S;
    TObject* O = nullptr;
  };
  std::vector<TItem> FItems;
  bool FSorted = false;
  bool FCaseSensitive = false;
};

// ---------------------------------------------------------------- collections
class TCollection;

class TCollectionItem : public TPersistent {
  KV_CLASS(TCollectionItem, TPersistent)
 public:
  // Joins Collection (when given) at its end.
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;
  void BeforeDestruction() override;  // leaves the collection while complete

  TCollection* GetCollection() const { return FCollection; }
  void SetCollection(TCollection* Value);
  int GetIndex() const;
  void SetIndex(int Value);  // moves the item
  int ID() const { return FID; }
  virtual std::string GetDisplayName() const;  // ClassName unless overridden
  std::string GetNamePath() const override;
  TPersistent* GetOwner() const override;

 protected:
  // Tells the collection that this item changed (AllItems: every item).
  void Changed(bool AllItems);

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

enum class TCollectionNotification { cnAdded, cnExtracting, cnDeleting };
using TCollectionItemFactory = std::function<TCollectionItem*(TCollection* Collection)>;

class TCollection : public TPersistent {
  KV_CLASS(TCollection, TPersistent)
 public:
  // ItemFactory creates one item joined to the collection (see ItemFactoryOf).
  TCollection(TClass ItemClass, TCollectionItemFactory ItemFactory, TPersistent* AOwner = nullptr);
  ~TCollection() override;

  template <class TItem>
  static TCollectionItemFactory ItemFactoryOf() {
    return [](TCollection* c) -> TCollectionItem* { return Create<TItem>(c); };
  }

  TClass ItemClass() const { return FItemClass; }
  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  void Delete(int Index);  // frees the item
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int Index) const;  // EListError "List index out of bounds (n)"
  template <class TItem>
  TItem* ItemAs(int Index) const { return static_cast<TItem*>(Items(Index)); }
  TCollectionItem* FindItemID(int ID) const;
  void Assign(const TPersistent* Source) override;
  TPersistent* GetOwner() const override { return FOwner; }
  std::string GetNamePath() const override;
  // The name of the owner's property that holds this collection, for name paths.
  std::string PropName;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

 protected:
  // Item = nullptr: the whole collection changed. Called once updates end.
  virtual void Update(TCollectionItem* /*Item*/) {}
  virtual void Notify(TCollectionItem* /*Item*/, TCollectionNotification /*Action*/) {}
  void Changed();

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  TClass FItemClass;
  TCollectionItemFactory FItemFactory;
  TPersistent* FOwner;
  std::vector<TCollectionItem*> FItems;
  int FNextID = 0;
  int FUpdateCount = 0;
};
