// Reading LNB files: a header, a table of sections (one per form class) and,
// per section, a stored translation component.
#include "platform/rtl/Streaming.h"
#include "translation/LocLang_Internal.h"

using namespace SysUtils;

using namespace LocLang;
using namespace LocLangDetail;

KV_CLASS_IMPL(TLNBFileManager, TPersistent) {}

namespace {

[[noreturn]] void Unrecognized() { throw Exception("Unrecognized stream format!"); }

struct TSectionRecord {
  std::string Name;
  int32_t Offset = 0;
};

uint16_t ReadU16(TStream& S) {
  uint8_t b[2];
  if (S.Read(b, 2) != 2) Unrecognized();
  return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

int32_t ReadI32(TStream& S) {
  uint8_t b[4];
  if (S.Read(b, 4) != 4) Unrecognized();
  return static_cast<int32_t>(uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24));
}

std::string ReadText(TStream& S, int64_t Count) {
  if (Count < 0 || S.GetPosition() + Count > S.GetSize()) Unrecognized();
  std::string text(static_cast<size_t>(Count), '\0');
  if (Count > 0 && S.Read(text.data(), Count) != Count) Unrecognized();
  return text;
}

}  // namespace

TLNBFileManager::TLNBFileManager()
    : Header(HeaderText()),
      FOwners(std::make_unique<TStringList>()),
      FComponents(std::make_unique<TObjectList>(false)),
      FNames(std::make_unique<TStringList>()) {
  FNames->SetSorted(true);
  FNames->Duplicates = TDuplicates::dupIgnore;
}

TLNBFileManager::~TLNBFileManager() { ClearComponents(); }

const std::string& TLNBFileManager::HeaderText() {
  static const std::string header = std::string("LNB file: TLocLang binary translation data") + '\0';
  return header;
}

void TLNBFileManager::ClearComponents() {
  for (int i = 0; i < FComponents->Count(); ++i) {
    auto* c = dynamic_cast<TComponent*>(FComponents->Items(i));
    if (c && !c->Owner()) c->Free();
  }
  FComponents->Clear();
}

void TLNBFileManager::AssignTo(TPersistent* Dest) const {
  auto* other = dynamic_cast<TLNBFileManager*>(Dest);
  if (!other) {
    TPersistent::AssignTo(Dest);
    return;
  }
  other->Header = Header;
  other->FNames->Assign(FNames.get());
  other->FOwners->Assign(FOwners.get());
  other->ClearComponents();
  for (int i = 0; i < FComponents->Count(); ++i) {
    auto* c = dynamic_cast<TComponent*>(FComponents->Items(i));
    if (!c) continue;
    TMemoryStream stream;
    Streaming::WriteComponent(stream, c);
    stream.SetPosition(0);
    other->FComponents->Add(Streaming::ReadComponent(stream, nullptr));
  }
}

void TLNBFileManager::LoadSectionFromFile(TLocCustomLang* Component, const std::string& SectionName,
                                          const std::string& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyNone);
  LoadSectionFromStream(Component, SectionName, stream);
}

void TLNBFileManager::LoadSectionFromStream(TLocCustomLang* Component, const std::string& SectionName,
                                            TStream& Stream) {
  const int64_t size = Stream.GetSize();
  Stream.SetPosition(0);
  std::string text;
  while (true) {
    char c = 0;
    if (Stream.Read(&c, 1) != 1) break;
    text += c;
    if (c == '\0' || Stream.GetPosition() >= size - 2) break;
  }
  if (text != Header) Unrecognized();
  // The whole table is read and checked before anything changes.
  const uint16_t count = ReadU16(Stream);
  const uint16_t nameLength = ReadU16(Stream);
  const std::string names = ReadText(Stream, nameLength);
  std::vector<TSectionRecord> records;
  for (int i = 0; i < count; ++i) {
    TSectionRecord r;
    r.Name = ReadText(Stream, ReadU16(Stream));
    r.Offset = ReadI32(Stream);
    if (r.Offset < 0 || r.Offset >= size) Unrecognized();
    records.push_back(std::move(r));
  }
  const TSectionRecord* match = nullptr;
  for (const TSectionRecord& r : records)
    if (r.Name == SectionName) {
      match = &r;
      break;
    }
  if (match) {
    const std::string cls = Component->ClassName();
    TClass info = ClassInfo::GetClass(cls);
    if (!info || !info->CanCreate())
      throw Exception(Format("Unable to obtain %s class reference! Please be sure you don't use two component "
                             "libraries' units in same application.",
                             {cls}));
    std::unique_ptr<TComponent, void (*)(TComponent*)> scratchOwner(Create<TComponent>(Component),
                                                                      [](TComponent* c) { c->Free(); });
    auto* scratch = dynamic_cast<TLocCustomLang*>(info->CreateInstance(scratchOwner.get()));
    if (!scratch) Unrecognized();
    scratch->Suspended = true;
    const bool wasSuspended = Component->Suspended;
    Component->Suspended = true;
    struct TResume {
      TLocCustomLang* C;
      bool Was;
      ~TResume() { C->Suspended = Was; }
    } resume{Component, wasSuspended};
    Stream.SetPosition(match->Offset);
    try {
      TReader reader(Stream);
      reader.RenameRoot = false;
      reader.OnError = [](TReader&, const std::string&) { return true; };
      reader.ReadRootComponent(scratch);
    } catch (const EStreamError&) {
      Unrecognized();
    } catch (const EParserError&) {
      Unrecognized();
    }
    const std::string ownerCls = Component->Owner() ? Component->Owner()->ClassName() : std::string();
    const char d = Component->Delim();
    for (int t = 0; t < StringsTypeCount; ++t) {
      const auto type = static_cast<TStringsType>(t);
      TStringList* mine = Component->ListOfType(type);
      TStringList* theirs = scratch->ListOfType(type);
      if (!mine || !theirs) continue;
      mine->Assign(theirs);
      if (scratch->Delim() != d)
        for (int i = 0; i < mine->Count(); ++i) {
          std::string e = mine->Get(i);
          std::replace(e.begin(), e.end(), scratch->Delim(), d);
          mine->Put(i, e);
        }
      const bool ownerFirst = type == TStringsType::stCaptions || type == TStringsType::stHints ||
                              type == TStringsType::stFonts || type == TStringsType::stCharSets;
      if (ownerFirst && !ownerCls.empty())
        for (int i = 1; i < mine->Count(); ++i)
          if (StartsWith(mine->Get(i), ownerCls + d)) {
            mine->Move(i, 0);
            break;
          }
    }
    Component->SetLangNames(scratch->GetLangNames());
    TLocExtendedItems* ext = Component->GetExtendedTranslations();
    ext->Clear();
    for (int i = 0; i < scratch->GetExtendedTranslations()->Count(); ++i) {
      const TLocExtendedItem* src = scratch->GetExtendedTranslations()->Items(i);
      TLocExtendedItem* item = ext->Add();
      item->SetIdentifier(src->GetIdentifier());
      item->PropertyType = src->PropertyType;
      item->Values = src->Values;
    }
  }
  if (nameLength != 0)
    FNames->SetText(names);
  else
    FNames->Clear();
}

void TLNBFileManager::LoadTypeFromSection(TStringsType ListType, const std::string& FileName,
                                          const std::string& SectionName, TLocCustomLang* Target) {
  std::unique_ptr<TLocCustomLang, void (*)(TLocCustomLang*)> scratch(
      static_cast<TLocCustomLang*>(Target->ClassType()->CreateInstance(nullptr)), [](TLocCustomLang* l) { l->Free(); });
  scratch->Suspended = true;
  if (Target->Owner()) Target->Owner()->InsertComponent(scratch.get());
  LoadSectionFromFile(scratch.get(), SectionName, FileName);
  TStringList* mine = Target->ListOfType(ListType);
  TStringList* theirs = scratch->ListOfType(ListType);
  if (mine && theirs) mine->Assign(theirs);
}

void TLocCustomLang::ReadFromLNB(const std::string& FileName) {
  if (!Owner()) return;
  TLNBFileManager* manager = nullptr;
  std::unique_ptr<TLNBFileManager> temporary;
  TLocLangDispatcher* d = GetLangDispatcher();
  if (d && d->HasLNBReader() && SameText(d->FileName, FileName)) {
    manager = d->LNBReader();
  } else {
    temporary = std::make_unique<TLNBFileManager>();
    manager = temporary.get();
  }
  manager->LoadSectionFromFile(this, OwnerClassName(), FileName);
  RebuildStringCollections();
  ApplyLanguage();
}

void TLocCustomLang::ReadTypeFromLNB(TStringsType ListType, const std::string& FileName) {
  TLNBFileManager manager;
  manager.LoadTypeFromSection(ListType, FileName, OwnerClassName(), this);
  if (ListType == TStringsType::stStrings) RebuildStringCollections();
}
