#include <gtest/gtest.h>

#include <filesystem>

#include "platform/rtl/Classes.h"
#include "platform/rtl/WeakRef.h"

namespace ComponentTests {

namespace {

// Records what it is told, and the class of the component at that moment.
class TWatcher : public TComponent {
 public:
  explicit TWatcher(TComponent* owner, std::vector<std::string>* log = nullptr) : TComponent(owner), FLog(log) {}
  ~TWatcher() override {
    if (FLog) FLog->push_back("destroy " + GetName());
  }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (FLog && c != this)
      FLog->push_back(GetName() + (op == TOperation::opInsert ? " insert " : " remove ") + c->GetName() + ":" +
                      (dynamic_cast<TWatcher*>(c) ? "watcher" : "other"));
  }

 private:
  std::vector<std::string>* FLog;
};

class TInitProbe : public TComponent {
 public:
  explicit TInitProbe(TComponent* owner, bool fail = false) : TComponent(owner), FFail(fail) {}
  void Init() override {
    Describe();
    if (FFail) throw Exception("init failed");
  }
  virtual void Describe() { Seen = "base"; }
  std::string Seen;

 private:
  bool FFail;
};

class TInitProbeChild : public TInitProbe {
 public:
  using TInitProbe::TInitProbe;
  void Describe() override { Seen = "child"; }
};

using V = std::vector<std::string>;

}  // namespace

TEST(Component, OwnerFreesWhatItOwnsLastFirst) {
  V log;
  auto* owner = Create<TWatcher>(nullptr, &log);
  owner->SetName("Owner");
  auto* a = Create<TWatcher>(owner, &log);
  a->SetName("A");
  auto* b = Create<TWatcher>(owner, &log);
  b->SetName("B");
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->Components(1), b);
  EXPECT_EQ(owner->FindComponent("a"), a);
  EXPECT_EQ(b->GetComponentIndex(), 1);
  log.clear();
  owner->Free();
  EXPECT_EQ(log, (V{"destroy Owner", "destroy B", "destroy A"}));
}

TEST(Component, FreeNotificationReachesPartnersWhileTheObjectIsComplete) {
  V log;
  auto* chart = Create<TWatcher>(nullptr, &log);
  chart->SetName("Chart");
  auto* series = Create<TWatcher>(nullptr, &log);
  series->SetName("Series");
  chart->FreeNotification(series);
  series->Free();
  EXPECT_EQ(log, (V{"Chart remove Series:watcher", "destroy Series"}));
  log.clear();
  chart->Free();
  EXPECT_EQ(log, (V{"destroy Chart"}));  // the partner is gone: nothing more to tell

  // Removing the notification ends it.
  auto* x = Create<TWatcher>(nullptr, &log);
  auto* y = Create<TWatcher>(nullptr, &log);
  x->FreeNotification(y);
  x->RemoveFreeNotification(y);
  log.clear();
  y->Free();
  EXPECT_EQ(log, (V{"destroy "}));
  x->Free();
}

TEST(Component, OwnerTellsEverythingItOwnsAboutInsertAndRemove) {
  V log;
  TWatcher owner(nullptr, &log);
  owner.SetName("Owner");
  auto* a = Create<TWatcher>(&owner, &log);
  a->SetName("A");
  log.clear();
  auto* b = Create<TWatcher>(nullptr, &log);
  b->SetName("B");
  owner.InsertComponent(b);
  EXPECT_EQ(log, (V{"A insert B:watcher", "Owner insert B:watcher"}));  // the owner passes it down first
  log.clear();
  owner.RemoveComponent(b);
  EXPECT_EQ(log, (V{"A remove B:watcher", "Owner remove B:watcher"}));
  EXPECT_EQ(b->Owner(), nullptr);
  b->Free();
}

TEST(Component, NamesAreIdentifiersUniqueAmongTheOwnersComponents) {
  TComponent owner(nullptr);
  auto* a = Create<TComponent>(&owner);
  auto* b = Create<TComponent>(&owner);
  a->SetName("Series1");
  try {
    b->SetName("series1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named series1 already exists");
  }
  try {
    b->SetName("1st");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "'1st' is not a valid component name");
  }
  b->SetName("_Series2");
  EXPECT_EQ(b->GetName(), "_Series2");
  EXPECT_EQ(b->GetNamePath(), "_Series2");
}

TEST(Component, CreateRunsTheFinalInitAndFreesOnFailure) {
  auto* probe = Create<TInitProbeChild>(nullptr);
  EXPECT_EQ(probe->Seen, "child");
  EXPECT_EQ(probe->ClassName(), "TComponent");  // no class info declared for the probe
  probe->Free();
  TComponent owner(nullptr);
  EXPECT_THROW(Create<TInitProbe>(&owner, true), Exception);
  EXPECT_EQ(owner.ComponentCount(), 0);  // freed, and left its owner
}

TEST(WeakReference, ClearsWhenTheTargetIsFreed) {
  auto* target = Create<TComponent>(nullptr);
  WeakRef<TComponent> ref = target;
  WeakRef<TComponent> copy = ref;
  EXPECT_EQ(ref.Get(), target);
  EXPECT_TRUE(copy);
  target->Free();
  EXPECT_EQ(ref.Get(), nullptr);
  EXPECT_FALSE(copy);
}

TEST(WeakReference, ClearsWhenTheTargetGoesWithItsOwner) {
  auto* owner = Create<TComponent>(nullptr);
  auto* child = Create<TWatcher>(owner);
  WeakRef<TWatcher> ref(child);
  owner->Free();
  EXPECT_EQ(ref.Get(), nullptr);
}

TEST(WeakReference, OutlivedOrReassignedReferencesLeaveNoTrace) {
  auto* a = Create<TComponent>(nullptr);
  auto* b = Create<TComponent>(nullptr);
  {
    WeakRef<TComponent> ref(a);
    ref = b;
    EXPECT_EQ(ref.Get(), b);
    ref.Reset();
    EXPECT_EQ(ref.Get(), nullptr);
    ref = a;
  }
  a->Free();  // the reference's watcher is gone already; nothing dangles (ASan)
  b->Free();
}

TEST(List, IndexErrorsAndOrdering) {
  TList list;
  int x = 1, y = 2, z = 3;
  list.Add(&z);
  list.Add(&x);
  list.Insert(1, &y);
  list.Sort([](void* a, void* b) { return *static_cast<int*>(a) - *static_cast<int*>(b); });
  EXPECT_EQ(*list.ItemAs<int>(0), 1);
  EXPECT_EQ(*list.ItemAs<int>(2), 3);
  list.Move(0, 2);
  EXPECT_EQ(list.IndexOf(&x), 2);
  EXPECT_EQ(list.Remove(&x), 2);
  EXPECT_EQ(list.Count(), 2);
  try {
    list.Get(2);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (2)");
  }
  list.Add(nullptr);
  list.Pack();
  EXPECT_EQ(list.Count(), 2);
}

TEST(List, ObjectListFreesDeletedButNotExtractedObjects) {
  struct TCounted : TObject {
    explicit TCounted(int& n) : N(n) { ++N; }
    ~TCounted() override { --N; }
    int& N;
  };
  int alive = 0;
  auto* kept = new TCounted(alive);
  {
    TObjectList list;
    list.Add(new TCounted(alive));
    list.Add(kept);
    list.Add(new TCounted(alive));
    list.Delete(0);
    EXPECT_EQ(alive, 2);
    EXPECT_EQ(list.Extract(kept), kept);
  }
  EXPECT_EQ(alive, 1);
  delete kept;
}

namespace {

class TPoint3 : public TCollectionItem {
 public:
  using TCollectionItem::TCollectionItem;
  double X = 0;
  void Assign(const TPersistent* source) override {
    if (auto* p = dynamic_cast<const TPoint3*>(source)) {
      X = p->X;
      return;
    }
    TCollectionItem::Assign(source);
  }
};

class TPoints : public TCollection {
 public:
  TPoints() : TCollection(TCollectionItem::StaticClass(), ItemFactoryOf<TPoint3>()) {}
  int Updates = 0;
  V Log;

 protected:
  void Update(TCollectionItem*) override { ++Updates; }
  void Notify(TCollectionItem* item, TCollectionNotification action) override {
    Log.push_back(std::to_string(item->ID()) + (action == TCollectionNotification::cnAdded ? " added" : " gone"));
  }
};

}  // namespace

TEST(Collection, ItemsJoinLeaveMoveAndCopy) {
  TPoints points;
  auto* a = static_cast<TPoint3*>(points.Add());
  auto* b = static_cast<TPoint3*>(points.Add());
  a->X = 1;
  b->X = 2;
  EXPECT_EQ(b->GetIndex(), 1);
  b->SetIndex(0);
  EXPECT_EQ(points.ItemAs<TPoint3>(0), b);
  EXPECT_EQ(points.FindItemID(0), a);
  points.Delete(1);
  EXPECT_EQ(points.Count(), 1);
  EXPECT_EQ(points.Log, (V{"0 added", "1 added", "0 gone", "0 gone"}));  // deleting, then extracted

  TPoints copy;
  copy.BeginUpdate();
  copy.Assign(&points);
  copy.Add();
  const int during = copy.Updates;
  copy.EndUpdate();
  EXPECT_EQ(during, 0);
  EXPECT_EQ(copy.Updates, 1);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.ItemAs<TPoint3>(0)->X, 2);
  EXPECT_THROW(points.Items(5), EListError);
  delete copy.Items(1);  // an item freed on its own leaves its collection
  EXPECT_EQ(copy.Count(), 1);
}

TEST(Stream, MemoryStreamReadsWritesAndSeeks) {
  TMemoryStream s;
  s.WriteString("hello");
  int32_t n = 0x01020304;
  s.WriteBuffer(&n, sizeof n);
  EXPECT_EQ(s.GetSize(), 9);
  s.SetPosition(5);
  int32_t back = 0;
  s.ReadBuffer(&back, sizeof back);
  EXPECT_EQ(back, n);
  EXPECT_EQ(s.Read(&back, 4), 0);
  try {
    s.ReadBuffer(&back, 4);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  s.Seek(-4, TSeekOrigin::soEnd);
  EXPECT_EQ(s.GetPosition(), 5);
  s.SetPosition(12);  // beyond the end: the gap reads as zeros
  s.WriteString("!");
  EXPECT_EQ(s.DataString(), std::string("hello\x04\x03\x02\x01\0\0\0!", 13));
  s.SetSize(2);
  EXPECT_EQ(s.GetPosition(), 2);
  s.SetPosition(0);
  EXPECT_EQ(s.ReadAll(), "he");
}

TEST(Stream, FileStreamCopiesAndReportsOpenFailures) {
  const auto dir = std::filesystem::temp_directory_path() / ("kv_rtl_stream_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "data.bin").string();
  {
    TMemoryStream m;
    m.WriteString("0123456789");
    TFileStream f(file, fmCreate);
    EXPECT_EQ(f.CopyFrom(m, 0), 10);
  }
  {
    TFileStream f(file, fmOpenReadWrite);
    EXPECT_EQ(f.GetSize(), 10);
    f.Seek(3, TSeekOrigin::soBeginning);
    char buf[3];
    f.ReadBuffer(buf, 3);
    EXPECT_EQ(std::string(buf, 3), "345");
    f.SetSize(4);
    EXPECT_EQ(f.GetPosition(), 4);
  }
  TMemoryStream m;
  m.LoadFromFile(file);
  EXPECT_EQ(m.DataString(), "0123");
  try {
    TFileStream f((dir / "none").string(), fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"" + (dir / "none").string() + "\". No such file or directory");
  }
  EXPECT_THROW(TFileStream(dir.string(), fmOpenRead), EFOpenError);
  EXPECT_THROW(TFileStream((dir / "no/such/dir").string(), fmCreate), EFCreateError);
  std::filesystem::remove_all(dir);
}

}  // namespace ComponentTests
