#include "platform/rtl/ClassInfo.h"

#include <algorithm>
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

using SysUtils::Format;

namespace {

struct TRegistryData {
  std::vector<std::unique_ptr<TClassInfo>> Owned;  // every described class
  std::vector<TClass> Registered;                  // registration order
};

// Never destroyed: class information must stay valid for destructors of
// static objects that run after the registry's own teardown would.
TRegistryData& Reg() {
  static TRegistryData* data = new TRegistryData;
  return *data;
}

std::string SetToText(const TPropInfo& p, uint64_t bits) {
  std::string s = "[";
  bool first = true;
  for (unsigned i = 0; i < 64; ++i) {
    if (!(bits & (uint64_t(1) << i))) continue;
    if (!first) s += ',';
    first = false;
    s += i < p.EnumNames.size() ? p.EnumNames[i] : SysUtils::IntToStr(i);
  }
  return s + "]";
}

[[noreturn]] void BadText(const TPropInfo& p, std::string_view text, const char* allowed) {
  throw EConvertError(Format("'%s' is not a valid value for property %s (%s expected)", {std::string(text), p.Name, allowed}));
}

int64_t OrdinalFromName(const TPropInfo& p, std::string_view name) {
  std::string n = SysUtils::Trim(name);
  for (size_t i = 0; i < p.EnumNames.size(); ++i)
    if (SysUtils::SameText(p.EnumNames[i], n)) return static_cast<int64_t>(i);
  int64_t v = 0;
  if (SysUtils::TryStrToInt64(n, v) && v >= 0 && (p.EnumNames.empty() || v < int64_t(p.EnumNames.size()))) return v;
  BadText(p, name, p.EnumNames.empty() ? "an ordinal" : "one of the names of its type");
}

}  // namespace

// ---------------------------------------------------------------- TPropInfo
bool TPropInfo::IsStored(const TObject* obj) const {
  if (StoredRule && !StoredRule(obj)) return false;
  if (HasDefault() && Get && Get(obj) == Default) return false;
  return true;
}

std::string TPropInfo::GetText(const TObject* obj) const {
  TPropValue v = Get(obj);
  switch (Kind) {
    case TPropKind::pkBool:
      return std::get<bool>(v) ? "True" : "False";
    case TPropKind::pkFloat:
      return SysUtils::FloatToStr(std::get<double>(v), TFormatSettings::Invariant());
    case TPropKind::pkString:
      return std::get<std::string>(v);
    case TPropKind::pkEnum: {
      int64_t i = std::get<int64_t>(v);
      if (i >= 0 && i < int64_t(EnumNames.size())) return EnumNames[size_t(i)];
      return SysUtils::IntToStr(i);
    }
    case TPropKind::pkSet:
      return SetToText(*this, static_cast<uint64_t>(std::get<int64_t>(v)));
    case TPropKind::pkClass: {
      auto* c = dynamic_cast<TComponent*>(std::get<TObject*>(v));
      return c ? c->GetName() : std::string();
    }
    default:
      return SysUtils::IntToStr(std::get<int64_t>(v));
  }
}

void TPropInfo::SetText(TObject* obj, std::string_view text) const {
  if (!Set) throw EConvertError(Format("Property %s is read-only", {Name}));
  const std::string t = SysUtils::Trim(text);
  switch (Kind) {
    case TPropKind::pkBool:
      if (SysUtils::SameText(t, "True") || t == "1") return Set(obj, true);
      if (SysUtils::SameText(t, "False") || t == "0") return Set(obj, false);
      BadText(*this, text, "True or False");
    case TPropKind::pkFloat: {
      std::string d = t;
      for (char& ch : d)
        if (ch == ',') ch = '.';
      double x = 0;
      if (!SysUtils::TryStrToFloat(d, x, TFormatSettings::Invariant())) BadText(*this, text, "a number");
      return Set(obj, x);
    }
    case TPropKind::pkString:
      return Set(obj, std::string(text));
    case TPropKind::pkEnum:
      return Set(obj, OrdinalFromName(*this, t));
    case TPropKind::pkSet: {
      if (t.size() < 2 || t.front() != '[' || t.back() != ']') BadText(*this, text, "a set such as [a,b]");
      uint64_t bits = 0;
      std::string inner = t.substr(1, t.size() - 2);
      size_t start = 0;
      while (start <= inner.size()) {
        size_t comma = inner.find(',', start);
        std::string item = SysUtils::Trim(inner.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!item.empty()) {
          int64_t ord = OrdinalFromName(*this, item);
          if (ord > 63) BadText(*this, text, "set elements 0..63");
          bits |= uint64_t(1) << ord;
        }
        if (comma == std::string::npos) break;
        start = comma + 1;
      }
      return Set(obj, static_cast<int64_t>(bits));
    }
    case TPropKind::pkClass:
      BadText(*this, text, "an object");
    default: {
      int64_t v = 0;
      if (!SysUtils::TryStrToInt64(t, v)) BadText(*this, text, "an integer");
      return Set(obj, v);
    }
  }
}

// ---------------------------------------------------------------- TClassInfo
bool TClassInfo::InheritsFrom(TClass ancestor) const {
  for (TClass c = this; c; c = c->FParent)
    if (c == ancestor) return true;
  return false;
}

TObject* TClassInfo::CreateInstance(TComponent* Owner) const {
  if (!FFactory) throw EInvalidOperation(Format("Cannot create an instance of %s", {FName}));
  return FFactory(Owner);
}

std::string TClassInfo::EditorName() const {
  for (TClass c = this; c; c = c->FParent)
    if (!c->FEditorName.empty()) return c->FEditorName;
  return {};
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
  std::vector<TClass> chain;
  for (TClass c = this; c; c = c->FParent) chain.push_back(c);
  // A descendant that declares a property again replaces the ancestor's
  // entry in its place, so every name is listed once.
  std::vector<const TPropInfo*> result;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const TPropInfo& p : (*it)->FProps) {
      auto same = std::find_if(result.begin(), result.end(),
                               [&](const TPropInfo* q) { return SysUtils::SameText(q->Name, p.Name); });
      if (same != result.end())
        *same = &p;
      else
        result.push_back(&p);
    }
  return result;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
  for (TClass c = this; c; c = c->FParent)
    for (const TPropInfo& p : c->FProps)
      if (SysUtils::SameText(p.Name, name)) return &p;
  return nullptr;
}

// ---------------------------------------------------------------- registry
namespace ClassInfoDetail {

TClassInfo* NewClassInfo(const char* name, TClass parent) {
  Reg().Owned.push_back(std::make_unique<TClassInfo>(name, parent));
  return Reg().Owned.back().get();
}

void WrongClass(const std::string& propName) {
  throw EInvalidCast(Format("Property %s does not belong to the class of the object", {propName}));
}

void BadValue(const std::string& propName) {
  throw EConvertError(Format("Invalid value type for property %s", {propName}));
}

}  // namespace ClassInfoDetail

namespace ClassInfo {

void RegisterClass(TClass cls) {
  if (!cls) return;
  // A second class under a registered name keeps the first: names must stay unique.
  if (GetClass(cls->ClassName())) return;
  Reg().Registered.push_back(cls);
}

void UnRegisterClass(TClass cls) {
  auto& r = Reg().Registered;
  for (auto it = r.begin(); it != r.end(); ++it)
    if (*it == cls) {
      r.erase(it);
      return;
    }
}

TClass GetClass(std::string_view name) {
  for (TClass c : Reg().Registered)
    if (SysUtils::SameText(c->ClassName(), name)) return c;
  return nullptr;
}

TClass FindClass(std::string_view name) {
  TClass c = GetClass(name);
  if (!c) throw EClassNotFound(Format("Class %s not found", {std::string(name)}));
  return c;
}

TObject* CreateByName(std::string_view name, TComponent* Owner) {
  return FindClass(name)->CreateInstance(Owner);
}

std::vector<TClass> RegisteredClasses() { return Reg().Registered; }

std::vector<TClass> DescendantsOf(TClass ancestor) {
  std::vector<TClass> result;
  for (TClass c : Reg().Registered)
    if (c->InheritsFrom(ancestor)) result.push_back(c);
  return result;
}

}  // namespace ClassInfo
