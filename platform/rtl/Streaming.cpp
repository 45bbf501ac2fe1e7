#include "platform/rtl/Streaming.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

using SysUtils::Format;

namespace {

// Deeper nesting than this is taken as a damaged or hostile stream rather
// than risking the stack.
constexpr int MaxNesting = 200;

constexpr char Signature[4] = {'T', 'P', 'F', '0'};

template <class T>
void PutLE(TStream& S, T Value) {
  unsigned char b[sizeof(T)];
  std::memcpy(b, &Value, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) std::reverse(b, b + sizeof(T));
  S.WriteBuffer(b, sizeof(T));
}

template <class T>
T FromLE(const std::string& Bytes) {
  unsigned char b[sizeof(T)];
  std::memcpy(b, Bytes.data(), sizeof(T));
  if constexpr (std::endian::native == std::endian::big) std::reverse(b, b + sizeof(T));
  T v;
  std::memcpy(&v, b, sizeof(T));
  return v;
}

bool IsAscii(std::string_view S) {
  return std::all_of(S.begin(), S.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsIntegerType(TValueType T) {
  return T == TValueType::vaInt8 || T == TValueType::vaInt16 || T == TValueType::vaInt32 || T == TValueType::vaInt64;
}

bool IsStringType(TValueType T) {
  return T == TValueType::vaString || T == TValueType::vaLString || T == TValueType::vaUTF8String ||
         T == TValueType::vaWString;
}

// UTF-16 and UTF-8; a lone surrogate or a malformed sequence becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view W) {
  std::string out;
  out.reserve(W.size());
  for (size_t i = 0; i < W.size(); ++i) {
    uint32_t cp = W[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < W.size() && W[i + 1] >= 0xDC00 && W[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (W[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view S) {
  std::u16string out;
  out.reserve(S.size());
  size_t i = 0;
  while (i < S.size()) {
    const auto b = static_cast<uint8_t>(S[i]);
    const int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    uint32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    bool ok = len > 0 && i + size_t(len) <= S.size();
    for (int k = 1; ok && k < len; ++k) {
      const auto c = static_cast<uint8_t>(S[i + size_t(k)]);
      if ((c >> 6) != 2) ok = false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out += char16_t(0xFFFD);
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += size_t(len);
  }
  return out;
}

bool IsKnownType(uint8_t B) {
  switch (static_cast<TValueType>(B)) {
    case TValueType::vaNull: case TValueType::vaList: case TValueType::vaInt8: case TValueType::vaInt16:
    case TValueType::vaInt32: case TValueType::vaString: case TValueType::vaIdent: case TValueType::vaFalse:
    case TValueType::vaTrue: case TValueType::vaBinary: case TValueType::vaSet: case TValueType::vaLString:
    case TValueType::vaNil: case TValueType::vaCollection: case TValueType::vaInt64: case TValueType::vaUTF8String:
    case TValueType::vaDouble: case TValueType::vaWString:
      return true;
  }
  return false;
}

// Shortest text that reads back as the same double; always shows that it is
// not an integer ("2.0", "1e+300"), so that text and binary convert 1:1.
std::string FloatText(double V) {
  if (std::isnan(V)) return "NaN";
  if (std::isinf(V)) return V > 0 ? "Inf" : "-Inf";
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, V);
  std::string s(buf, r.ptr);
  if (s.find_first_of(".eE") == std::string::npos) s += ".0";
  return s;
}

[[noreturn]] void NestingError() {
  throw EReadError(Format("Invalid stream format: nesting deeper than %d levels", {MaxNesting}));
}

struct TDepthGuard {
  explicit TDepthGuard(int& Depth) : FDepth(Depth) {
    if (++FDepth > MaxNesting) {
      --FDepth;
      NestingError();
    }
  }
  ~TDepthGuard() { --FDepth; }
  TDepthGuard(const TDepthGuard&) = delete;
  TDepthGuard& operator=(const TDepthGuard&) = delete;
  int& FDepth;
};

std::vector<std::string> SplitPath(const std::string& Name) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    size_t dot = Name.find('.', start);
    parts.push_back(Name.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  return parts;
}

}  // namespace

// ============================================================================
// TWriter
// ============================================================================

TWriter::TWriter(TStream& Stream, int /*BufSize*/) : TFiler(Stream) {}

void TWriter::WriteSignature() { FStream.WriteBuffer(Signature, 4); }

void TWriter::WriteRootComponent(TComponent* Component) {
  if (!Component) throw EWriteError("Cannot write a missing component");
  if (!Root) Root = Component;
  WriteSignature();
  WriteComponent(Component);
}

void TWriter::WriteComponent(TComponent* Component) {
  TDepthGuard depth(FDepth);
  struct TWritingFlag {
    TComponent* C;
    ~TWritingFlag() { C->ComponentState.Exclude(TComponentStateItem::csWriting); }
  } flag{Component};
  Component->ComponentState.Include(TComponentStateItem::csWriting);
  WriteShortString(Component->ClassName());
  WriteShortString(Component->GetName());
  const std::string savedPath = std::exchange(FPropPath, std::string());
  WriteProperties(Component);
  FPropPath = savedPath;
  WriteValueType(TValueType::vaNull);
  Component->GetChildren([this](TComponent* Child) { WriteComponent(Child); }, Root);
  WriteValueType(TValueType::vaNull);
}

void TWriter::WriteProperties(const TPersistent* Instance) {
  TDepthGuard depth(FDepth);
  for (const TPropInfo* p : Instance->ClassType()->Properties()) WriteProperty(Instance, *p);
  // Defined properties are declared by the object itself; writing does not change it.
  const_cast<TPersistent*>(Instance)->DefineProperties(*this);
}

void TWriter::WriteProperty(const TPersistent* Instance, const TPropInfo& Prop) {
  if (!Prop.Get) return;
  if (Prop.StoredRule && !Prop.StoredRule(Instance)) return;
  if (Prop.Kind == TPropKind::pkClass) {
    WriteObjectProperty(Instance, Prop, std::get<TObject*>(Prop.Get(Instance)));
    return;
  }
  // A read-only value could not be given back when reading.
  if (Prop.IsReadOnly() || !Prop.IsStored(Instance)) return;
  const TPropValue v = Prop.Get(Instance);
  WritePropName(Prop.Name);
  switch (Prop.Kind) {
    case TPropKind::pkFloat:
      WriteFloat(std::get<double>(v));
      break;
    case TPropKind::pkString:
      WriteString(std::get<std::string>(v));
      break;
    case TPropKind::pkBool:
      WriteBoolean(std::get<bool>(v));
      break;
    case TPropKind::pkEnum: {
      const int64_t i = std::get<int64_t>(v);
      if (i >= 0 && i < int64_t(Prop.EnumNames.size()))
        WriteIdent(Prop.EnumNames[size_t(i)]);
      else
        WriteInteger(i);
      break;
    }
    case TPropKind::pkSet:
      WriteSetValue(Prop, static_cast<uint64_t>(std::get<int64_t>(v)));
      break;
    default:
      WriteInteger(std::get<int64_t>(v));
      break;
  }
}

void TWriter::WriteObjectProperty(const TPersistent* /*Instance*/, const TPropInfo& Prop, TObject* Value) {
  if (!Value) return;
  if (auto* coll = dynamic_cast<TCollection*>(Value)) {
    WritePropName(Prop.Name);
    WriteCollection(*coll);
    return;
  }
  auto* comp = dynamic_cast<TComponent*>(Value);
  if (comp && !Prop.IsReadOnly()) {
    // A reference to another component travels as its name.
    if (!comp->GetName().empty()) {
      WritePropName(Prop.Name);
      WriteIdent(comp->GetName());
    }
    return;
  }
  auto* sub = dynamic_cast<TPersistent*>(Value);
  if (!sub) return;
  const std::string saved = FPropPath;
  FPropPath += Prop.Name + ".";
  WriteProperties(sub);
  FPropPath = saved;
}

void TWriter::WriteCollection(const TCollection& Collection) {
  TDepthGuard depth(FDepth);
  WriteValueType(TValueType::vaCollection);
  const std::string saved = std::exchange(FPropPath, std::string());
  for (int i = 0; i < Collection.Count(); ++i) {
    WriteValueType(TValueType::vaList);
    WriteProperties(Collection.Items(i));
    WriteValueType(TValueType::vaNull);
  }
  FPropPath = saved;
  WriteValueType(TValueType::vaNull);
}

void TWriter::WritePropName(const std::string& Name) { WriteShortString(FPropPath + Name); }

void TWriter::WriteShortString(std::string_view Value) {
  if (Value.size() > 255)
    throw EWriteError(Format("Name '%s...' is longer than 255 characters", {std::string(Value.substr(0, 32))}));
  PutLE<uint8_t>(FStream, static_cast<uint8_t>(Value.size()));
  FStream.WriteBuffer(Value.data(), static_cast<int64_t>(Value.size()));
}

void TWriter::WriteValueType(TValueType Value) { PutLE<uint8_t>(FStream, static_cast<uint8_t>(Value)); }

void TWriter::WriteSetValue(const TPropInfo& Prop, uint64_t Bits) {
  WriteValueType(TValueType::vaSet);
  for (unsigned i = 0; i < 64; ++i)
    if (Bits & (uint64_t(1) << i))
      WriteShortString(i < Prop.EnumNames.size() ? Prop.EnumNames[i] : SysUtils::IntToStr(int64_t(i)));
  WriteShortString("");
}

void TWriter::WriteInteger(int64_t Value) {
  if (Value >= INT8_MIN && Value <= INT8_MAX) {
    WriteValueType(TValueType::vaInt8);
    PutLE<int8_t>(FStream, static_cast<int8_t>(Value));
  } else if (Value >= INT16_MIN && Value <= INT16_MAX) {
    WriteValueType(TValueType::vaInt16);
    PutLE<int16_t>(FStream, static_cast<int16_t>(Value));
  } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
    WriteValueType(TValueType::vaInt32);
    PutLE<int32_t>(FStream, static_cast<int32_t>(Value));
  } else {
    WriteValueType(TValueType::vaInt64);
    PutLE<int64_t>(FStream, Value);
  }
}

void TWriter::WriteFloat(double Value) {
  WriteValueType(TValueType::vaDouble);
  PutLE<double>(FStream, Value);
}

void TWriter::WriteString(std::string_view Value) {
  if (Value.size() > uint64_t(INT32_MAX)) throw EWriteError("String too long for a component stream");
  if (IsAscii(Value) && Value.size() <= 255) {
    WriteValueType(TValueType::vaString);
    PutLE<uint8_t>(FStream, static_cast<uint8_t>(Value.size()));
  } else {
    WriteValueType(IsAscii(Value) ? TValueType::vaLString : TValueType::vaUTF8String);
    PutLE<int32_t>(FStream, static_cast<int32_t>(Value.size()));
  }
  FStream.WriteBuffer(Value.data(), static_cast<int64_t>(Value.size()));
}

void TWriter::WriteWideString(std::u16string_view Value) {
  if (Value.size() > uint64_t(INT32_MAX / 2)) throw EWriteError("String too long for a component stream");
  WriteValueType(TValueType::vaWString);
  PutLE<int32_t>(FStream, static_cast<int32_t>(Value.size()));
  for (char16_t u : Value) PutLE<uint16_t>(FStream, static_cast<uint16_t>(u));
}

void TWriter::WriteIdent(std::string_view Value) {
  if (SysUtils::SameText(Value, "False"))
    WriteValueType(TValueType::vaFalse);
  else if (SysUtils::SameText(Value, "True"))
    WriteValueType(TValueType::vaTrue);
  else if (SysUtils::SameText(Value, "nil"))
    WriteValueType(TValueType::vaNil);
  else {
    WriteValueType(TValueType::vaIdent);
    WriteShortString(Value);
  }
}

void TWriter::WriteBoolean(bool Value) { WriteValueType(Value ? TValueType::vaTrue : TValueType::vaFalse); }
void TWriter::WriteListBegin() { WriteValueType(TValueType::vaList); }
void TWriter::WriteListEnd() { WriteValueType(TValueType::vaNull); }

void TWriter::DefineProperty(const std::string& Name, const TReaderProc& /*ReadData*/, const TWriterProc& WriteData,
                             bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  WriteData(*this);
}

void TWriter::DefineBinaryProperty(const std::string& Name, const TStreamProc& /*ReadData*/,
                                   const TStreamProc& WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  TMemoryStream bytes;
  WriteData(bytes);
  if (bytes.GetSize() > INT32_MAX) throw EWriteError(Format("Property %s holds too many bytes", {Name}));
  WritePropName(Name);
  WriteValueType(TValueType::vaBinary);
  PutLE<int32_t>(FStream, static_cast<int32_t>(bytes.GetSize()));
  FStream.WriteBuffer(bytes.DataString().data(), bytes.GetSize());
}

// ============================================================================
// TReader
// ============================================================================

TReader::TReader(TStream& Stream, int /*BufSize*/) : TFiler(Stream) {}

TReader::~TReader() = default;

void TReader::FormatError(const std::string& What) {
  throw EReadError(Format("Invalid stream format at byte %d: %s", {FStream.GetPosition(), What}));
}

std::string TReader::ReadBytes(int64_t Count) {
  const int64_t left = FStream.GetSize() - FStream.GetPosition();
  if (Count < 0 || Count > left)
    throw EReadError(Format("Stream read error: the component stream ends early (%d bytes needed at byte %d, %d left)",
                            {Count, FStream.GetPosition(), left}));
  std::string bytes(static_cast<size_t>(Count), '\0');
  if (Count > 0) FStream.ReadBuffer(bytes.data(), Count);
  return bytes;
}

uint8_t TReader::ReadByte() { return static_cast<uint8_t>(ReadBytes(1)[0]); }

int32_t TReader::ReadInt32Raw() { return FromLE<int32_t>(ReadBytes(4)); }

std::string TReader::ReadShortString() { return ReadBytes(ReadByte()); }

void TReader::ReadSignature() {
  if (FStream.GetSize() - FStream.GetPosition() < 4 || ReadBytes(4) != std::string(Signature, 4))
    throw EReadError("Invalid stream format: the signature TPF0 is missing");
}

TValueType TReader::NextValue() {
  const uint8_t b = ReadByte();
  FStream.Seek(-1, TSeekOrigin::soCurrent);
  return static_cast<TValueType>(b);
}

TValueType TReader::ReadValue() {
  const uint8_t b = ReadByte();
  if (!IsKnownType(b)) {
    FStream.Seek(-1, TSeekOrigin::soCurrent);
    FormatError(Format("unknown value type %d", {int32_t(b)}));
  }
  return static_cast<TValueType>(b);
}

int64_t TReader::ReadInteger() {
  switch (ReadValue()) {
    case TValueType::vaInt8: return FromLE<int8_t>(ReadBytes(1));
    case TValueType::vaInt16: return FromLE<int16_t>(ReadBytes(2));
    case TValueType::vaInt32: return FromLE<int32_t>(ReadBytes(4));
    case TValueType::vaInt64: return FromLE<int64_t>(ReadBytes(8));
    default: FormatError("integer expected");
  }
}

double TReader::ReadFloat() {
  const TValueType t = NextValue();
  if (IsIntegerType(t)) return static_cast<double>(ReadInteger());
  if (ReadValue() != TValueType::vaDouble) FormatError("number expected");
  return FromLE<double>(ReadBytes(8));
}

std::string TReader::ReadString() {
  switch (ReadValue()) {
    case TValueType::vaString: return ReadShortString();
    case TValueType::vaLString:
    case TValueType::vaUTF8String: return ReadBytes(ReadInt32Raw());
    case TValueType::vaWString: {
      const int64_t units = ReadInt32Raw();
      const std::string bytes = ReadBytes(units < 0 ? -1 : units * 2);
      std::u16string w(static_cast<size_t>(units), u'\0');
      for (size_t i = 0; i < w.size(); ++i)
        w[i] = static_cast<char16_t>(uint8_t(bytes[2 * i]) | (uint16_t(uint8_t(bytes[2 * i + 1])) << 8));
      return Utf16ToUtf8(w);
    }
    default: FormatError("string expected");
  }
}

std::u16string TReader::ReadWideString() { return Utf8ToUtf16(ReadString()); }

std::string TReader::ReadIdent() {
  switch (ReadValue()) {
    case TValueType::vaIdent: return ReadShortString();
    case TValueType::vaFalse: return "False";
    case TValueType::vaTrue: return "True";
    case TValueType::vaNil: return "nil";
    default: FormatError("identifier expected");
  }
}

bool TReader::ReadBoolean() {
  switch (ReadValue()) {
    case TValueType::vaTrue: return true;
    case TValueType::vaFalse: return false;
    default: FormatError("True or False expected");
  }
}

void TReader::ReadListBegin() {
  if (ReadValue() != TValueType::vaList) FormatError("list expected");
}

void TReader::ReadListEnd() {
  if (ReadValue() != TValueType::vaNull) FormatError("end of list expected");
}

bool TReader::EndOfList() { return NextValue() == TValueType::vaNull; }

void TReader::SkipValue() {
  TDepthGuard depth(FDepth);
  const TValueType t = NextValue();
  switch (t) {
    case TValueType::vaList:
      ReadValue();
      while (!EndOfList()) SkipValue();
      ReadValue();
      break;
    case TValueType::vaInt8: case TValueType::vaInt16: case TValueType::vaInt32: case TValueType::vaInt64:
      ReadInteger();
      break;
    case TValueType::vaDouble:
      ReadFloat();
      break;
    case TValueType::vaString: case TValueType::vaLString: case TValueType::vaUTF8String:
    case TValueType::vaWString:
      ReadString();
      break;
    case TValueType::vaIdent: case TValueType::vaFalse: case TValueType::vaTrue: case TValueType::vaNil:
      ReadIdent();
      break;
    case TValueType::vaBinary:
      ReadValue();
      ReadBytes(ReadInt32Raw());
      break;
    case TValueType::vaSet:
      ReadValue();
      while (!ReadShortString().empty()) {}
      break;
    case TValueType::vaCollection:
      ReadValue();
      while (NextValue() != TValueType::vaNull) {
        if (IsIntegerType(NextValue())) ReadInteger();
        ReadListBegin();
        while (NextValue() != TValueType::vaNull) {
          ReadShortString();
          SkipValue();
        }
        ReadValue();
      }
      ReadValue();
      break;
    default:
      ReadValue();  // raises for unknown bytes
      FormatError("value expected");
  }
}

bool TReader::Error(const std::string& Message) {
  if (OnError && OnError(*this, Message)) return true;
  throw EReadError(Message);
}

bool TReader::UnknownProperty(const TPersistent* Instance, const std::string& Name, TValueType /*Value*/) {
  return Error(Format("Error reading %s.%s: Property %s does not exist",
                      {Instance->ClassName(), Name, Name}));
}

void TReader::CheckRootClass(const std::string& /*ClassName*/) {}

void TReader::MarkLoading(TComponent* Component) {
  Component->ComponentState.Include(TComponentStateItem::csLoading);
  Component->ComponentState.Include(TComponentStateItem::csReading);
  FLoaded.push_back(Component);
}

void TReader::FinishLoading(bool Success) {
  std::vector<TComponent*> loaded;
  loaded.swap(FLoaded);
  for (TComponent* c : loaded) c->ComponentState.Exclude(TComponentStateItem::csReading);
  if (!Success) {
    for (TComponent* c : loaded) c->ComponentState.Exclude(TComponentStateItem::csLoading);
    return;
  }
  std::exception_ptr first;
  for (TComponent* c : loaded) {
    try {
      c->Loaded();
    } catch (...) {
      c->ComponentState.Exclude(TComponentStateItem::csLoading);
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

TComponent* TReader::ReadRootComponent(TComponent* RootComponent) {
  ReadSignature();
  const std::string className = ReadShortString();
  if (className.empty()) throw EReadError("Invalid stream format: class name expected");
  const std::string name = ReadShortString();
  FRootClassName = className;
  CheckRootClass(className);
  TComponent* root = RootComponent;
  bool created = false;
  if (!root) {
    TClass cls = ClassInfo::GetClass(className);
    if (!cls) throw EClassNotFound(Format("Class %s not found", {className}));
    if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
      throw EReadError(Format("Class %s cannot be created from a component stream", {className}));
    TObject* obj = cls->CreateInstance(nullptr);
    root = dynamic_cast<TComponent*>(obj);
    created = true;
  }
  Root = root;
  FOwner = root;
  FFixups.clear();
  try {
    if (!name.empty() && (created || RenameRoot)) root->SetName(name);
    MarkLoading(root);
    ReadComponentBody(root);
    ResolveFixups();
  } catch (...) {
    FFixups.clear();
    FinishLoading(false);
    if (created) root->Free();
    throw;
  }
  FinishLoading(true);
  return root;
}

void TReader::ReadComponentBody(TComponent* Component) {
  while (NextValue() != TValueType::vaNull) ReadProperty(Component);
  ReadByte();
  while (NextValue() != TValueType::vaNull) {
    if (!AllowChildren) FormatError("no component expected inside " + Component->ClassName());
    ReadComponent(Component);
  }
  ReadByte();
}

TComponent* TReader::ReadComponent(TComponent* Parent) {
  TDepthGuard depth(FDepth);
  const std::string className = ReadShortString();
  if (className.empty()) throw EReadError("Invalid stream format: class name expected");
  const std::string name = ReadShortString();
  TClass cls = ClassInfo::GetClass(className);
  if (!cls) throw EClassNotFound(Format("Class %s not found", {className}));
  if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
    throw EReadError(Format("Class %s cannot be created from a component stream", {className}));
  auto* comp = dynamic_cast<TComponent*>(cls->CreateInstance(FOwner));
  const size_t first = FLoaded.size();
  try {
    if (!name.empty()) comp->SetName(name);
    MarkLoading(comp);
    comp->SetParentComponent(Parent);
    ReadComponentBody(comp);
  } catch (...) {
    // The component and whatever was created inside it go; what was read
    // before it stays with its owner.
    FFixups.clear();
    if (FLoaded.size() == first) FLoaded.push_back(comp);
    for (size_t i = FLoaded.size(); i-- > first;) FLoaded[i]->Free();
    FLoaded.resize(first);
    throw;
  }
  return comp;
}

void TReader::ReadProperty(TPersistent* Instance) {
  const std::string fullName = ReadShortString();
  if (fullName.empty()) FormatError("property name expected");
  const std::vector<std::string> path = SplitPath(fullName);
  TPersistent* obj = Instance;
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    const TPropInfo* p = obj->ClassType()->FindProperty(path[i]);
    TPersistent* sub = nullptr;
    if (p && p->Kind == TPropKind::pkClass && p->Get)
      sub = dynamic_cast<TPersistent*>(std::get<TObject*>(p->Get(obj)));
    if (!sub) {
      if (UnknownProperty(Instance, fullName, NextValue())) SkipValue();
      return;
    }
    obj = sub;
  }
  ReadDataInto(Instance, obj, path.back(), fullName);
}

void TReader::ReadDataInto(TPersistent* Outer, TPersistent* Instance, const std::string& Name,
                           const std::string& FullName) {
  const TPropInfo* p = Instance->ClassType()->FindProperty(Name);
  if (p && (p->Set || p->Kind == TPropKind::pkClass)) {
    ReadPropValue(Instance, *p);
    return;
  }
  FDefinedName = Name;
  FDefinedFound = false;
  Instance->DefineProperties(*this);
  const bool found = FDefinedFound;
  FDefinedName.clear();
  FDefinedFound = false;
  if (found) return;
  if (UnknownProperty(Outer, FullName, NextValue())) SkipValue();
}

void TReader::ReadPropValue(TPersistent* Instance, const TPropInfo& Prop) {
  const TValueType t = NextValue();
  auto bad = [&](const std::string& Why) {
    SkipValue();
    Error(Format("Error reading %s.%s: %s", {Instance->ClassName(), Prop.Name, Why}));
  };
  TPropValue value;
  switch (Prop.Kind) {
    case TPropKind::pkClass: {
      TObject* current = std::get<TObject*>(Prop.Get(Instance));
      if (t == TValueType::vaCollection) {
        auto* coll = dynamic_cast<TCollection*>(current);
        if (!coll) return bad("Invalid property value (not a collection)");
        ReadValue();
        ReadCollection(*coll);
        return;
      }
      if ((t == TValueType::vaIdent || t == TValueType::vaNil) && Prop.Set) {
        std::string name = ReadIdent();
        if (t == TValueType::vaNil) name.clear();
        FFixups.push_back({Instance, &Prop, std::move(name), FAnchors});
        return;
      }
      return bad("Invalid property value");
    }
    case TPropKind::pkFloat:
      if (!IsIntegerType(t) && t != TValueType::vaDouble) return bad("Invalid property value (a number expected)");
      value = ReadFloat();
      break;
    case TPropKind::pkString:
      if (!IsStringType(t)) return bad("Invalid property value (a string expected)");
      value = ReadString();
      break;
    case TPropKind::pkBool:
      if (t != TValueType::vaTrue && t != TValueType::vaFalse) return bad("Invalid property value (True or False expected)");
      value = ReadBoolean();
      break;
    case TPropKind::pkEnum:
      if (t == TValueType::vaIdent) {
        const std::string ident = ReadIdent();
        auto it = std::find_if(Prop.EnumNames.begin(), Prop.EnumNames.end(),
                               [&](const std::string& n) { return SysUtils::SameText(n, ident); });
        if (it == Prop.EnumNames.end())
          return (void)Error(Format("Error reading %s.%s: Invalid property value '%s'",
                                    {Instance->ClassName(), Prop.Name, ident}));
        value = static_cast<int64_t>(it - Prop.EnumNames.begin());
      } else if (IsIntegerType(t)) {
        const int64_t v = ReadInteger();
        if (v < 0 || (!Prop.EnumNames.empty() && v >= int64_t(Prop.EnumNames.size())))
          return (void)Error(Format("Error reading %s.%s: Ordinal %d out of range",
                                    {Instance->ClassName(), Prop.Name, v}));
        value = v;
      } else {
        return bad("Invalid property value (a name expected)");
      }
      break;
    case TPropKind::pkSet: {
      if (t != TValueType::vaSet) return bad("Invalid property value (a set expected)");
      ReadValue();
      uint64_t bits = 0;
      std::string unknown;
      for (std::string item = ReadShortString(); !item.empty(); item = ReadShortString()) {
        auto it = std::find_if(Prop.EnumNames.begin(), Prop.EnumNames.end(),
                               [&](const std::string& n) { return SysUtils::SameText(n, item); });
        int64_t ord = it != Prop.EnumNames.end() ? int64_t(it - Prop.EnumNames.begin()) : -1;
        if (ord < 0 && Prop.EnumNames.empty() && SysUtils::TryStrToInt64(item, ord) && (ord < 0 || ord > 63)) ord = -1;
        if (ord < 0)
          unknown = item;
        else
          bits |= uint64_t(1) << ord;
      }
      if (!unknown.empty())
        return (void)Error(Format("Error reading %s.%s: Invalid set element '%s'",
                                  {Instance->ClassName(), Prop.Name, unknown}));
      value = static_cast<int64_t>(bits);
      break;
    }
    default: {
      if (!IsIntegerType(t)) return bad("Invalid property value (an integer expected)");
      const int64_t v = ReadInteger();
      if (Prop.Kind != TPropKind::pkInt64 && (v < INT32_MIN || v > UINT32_MAX))
        return (void)Error(Format("Error reading %s.%s: %d is out of range", {Instance->ClassName(), Prop.Name, v}));
      // Colours and 32-bit values written unsigned come back as the same bits.
      value = Prop.Kind == TPropKind::pkInt64 ? v : int64_t(static_cast<int32_t>(static_cast<uint32_t>(v)));
      break;
    }
  }
  try {
    Prop.Set(Instance, value);
  } catch (const Exception& e) {
    Error(Format("Error reading %s.%s: %s", {Instance->ClassName(), Prop.Name, std::string(e.what())}));
  }
}

void TReader::ReadCollection(TCollection& Collection) {
  TDepthGuard depth(FDepth);
  // References waiting in items that are about to go must not be resolved.
  for (int i = 0; i < Collection.Count(); ++i) {
    TCollectionItem* item = Collection.Items(i);
    std::erase_if(FFixups, [item](const TFixup& f) {
      return std::find(f.Anchors.begin(), f.Anchors.end(), item) != f.Anchors.end();
    });
  }
  Collection.BeginUpdate();
  struct TEndUpdate {
    TCollection& C;
    ~TEndUpdate() { C.EndUpdate(); }
  } endUpdate{Collection};
  Collection.Clear();
  while (NextValue() != TValueType::vaNull) {
    if (IsIntegerType(NextValue())) ReadInteger();  // an item's order index, kept as list order
    ReadListBegin();
    TCollectionItem* item = Collection.Add();
    FAnchors.push_back(item);
    try {
      while (NextValue() != TValueType::vaNull) ReadProperty(item);
    } catch (...) {
      FAnchors.pop_back();
      throw;
    }
    FAnchors.pop_back();
    ReadValue();
  }
  ReadValue();
}

void TReader::ResolveFixups() {
  std::vector<TFixup> fixups;
  fixups.swap(FFixups);
  for (const TFixup& f : fixups) {
    TComponent* target = nullptr;
    if (!f.Name.empty()) {
      if (SysUtils::SameText(Root->GetName(), f.Name))
        target = Root;
      else
        target = Root->FindComponent(f.Name);
      if (!target) {
        Error(Format("Error reading %s.%s: Unresolved reference to '%s'",
                     {f.Instance->ClassName(), f.Prop->Name, f.Name}));
        continue;
      }
      if (f.Prop->PropClass && !target->InheritsFrom(f.Prop->PropClass())) {
        Error(Format("Error reading %s.%s: '%s' is a %s", {f.Instance->ClassName(), f.Prop->Name, f.Name,
                                                            target->ClassName()}));
        continue;
      }
    }
    try {
      f.Prop->Set(f.Instance, static_cast<TObject*>(target));
    } catch (const Exception& e) {
      Error(Format("Error reading %s.%s: %s", {f.Instance->ClassName(), f.Prop->Name, std::string(e.what())}));
    }
  }
}

void TReader::DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc& /*WriteData*/,
                             bool /*HasData*/) {
  if (FDefinedFound || !ReadData || !SysUtils::SameText(Name, FDefinedName)) return;
  FDefinedFound = true;
  ReadData(*this);
}

void TReader::DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData,
                                   const TStreamProc& /*WriteData*/, bool /*HasData*/) {
  if (FDefinedFound || !ReadData || !SysUtils::SameText(Name, FDefinedName)) return;
  FDefinedFound = true;
  if (NextValue() != TValueType::vaBinary) {
    SkipValue();
    Error(Format("Error reading %s: Invalid property value (binary data expected)", {Name}));
    return;
  }
  ReadValue();
  TMemoryStream bytes;
  const std::string data = ReadBytes(ReadInt32Raw());
  bytes.WriteString(data);
  bytes.SetPosition(0);
  // The bytes are consumed whatever the reader makes of them, so the stream
  // stays in step and the problem can be skipped.
  try {
    ReadData(bytes);
  } catch (const Exception& e) {
    Error(Format("Error reading %s: %s", {Name, std::string(e.what())}));
  }
}

// ============================================================================
// TStrings as a list property
// ============================================================================

void TStrings::DefineProperties(TFiler& Filer) {
  TPersistent::DefineProperties(Filer);
  Filer.DefineProperty(
      "Strings",
      [this](TReader& R) {
        std::vector<std::string> lines;
        R.ReadListBegin();
        while (!R.EndOfList()) lines.push_back(R.ReadString());
        R.ReadListEnd();
        BeginUpdate();
        try {
          Clear();
          for (const std::string& s : lines) Add(s);
        } catch (...) {
          EndUpdate();
          throw;
        }
        EndUpdate();
      },
      [this](TWriter& W) {
        W.WriteListBegin();
        for (int i = 0; i < Count(); ++i) W.WriteString(Get(i));
        W.WriteListEnd();
      },
      Count() > 0);
}

// ============================================================================
// Binary form to text form
// ============================================================================

namespace {

// Decodes one UTF-8 character; an invalid byte stands for itself.
uint32_t NextCodePoint(std::string_view S, size_t& I) {
  const auto b0 = static_cast<unsigned char>(S[I]);
  int len = b0 < 0x80 ? 1 : (b0 >> 5) == 6 ? 2 : (b0 >> 4) == 14 ? 3 : (b0 >> 3) == 30 ? 4 : 0;
  if (len <= 1 || I + len > S.size()) {
    ++I;
    return b0;
  }
  uint32_t cp = b0 & (0x7F >> len);
  for (int k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(S[I + k]);
    if ((b & 0xC0) != 0x80) {
      ++I;
      return b0;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  I += len;
  return cp;
}

void AppendUtf8(std::string& Out, uint32_t Cp) {
  if (Cp < 0x80) {
    Out += static_cast<char>(Cp);
  } else if (Cp < 0x800) {
    Out += static_cast<char>(0xC0 | (Cp >> 6));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  } else if (Cp < 0x10000) {
    Out += static_cast<char>(0xE0 | (Cp >> 12));
    Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (Cp >> 18));
    Out += static_cast<char>(0x80 | ((Cp >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (Cp & 0x3F));
  }
}

// Printable ASCII inside quotes (a quote doubled), everything else as #code.
std::string QuotedText(std::string_view S) {
  if (S.empty()) return "''";
  std::string out;
  bool inQuotes = false;
  for (size_t i = 0; i < S.size();) {
    const uint32_t cp = NextCodePoint(S, i);
    if (cp >= 32 && cp < 127) {
      if (!inQuotes) out += '\'';
      inQuotes = true;
      if (cp == '\'') out += '\'';
      out += static_cast<char>(cp);
    } else {
      if (inQuotes) out += '\'';
      inQuotes = false;
      out += '#' + std::to_string(cp);
    }
  }
  if (inQuotes) out += '\'';
  return out;
}

class TBinaryToText {
 public:
  TBinaryToText(TStream& Input, TStream& Output) : FReader(Input), FOut(Output) {}

  void Run() {
    FReader.ReadSignature();
    WriteObject(0);
    FOut.WriteString(FText);
  }

 private:
  static std::string Indent(int Level) { return std::string(size_t(2 * Level), ' '); }

  std::string ShortString() {
    const int64_t len = ByteAt();
    return Bytes(len);
  }
  int64_t ByteAt() {
    unsigned char b = 0;
    Need(1);
    FReader.Stream().ReadBuffer(&b, 1);
    return b;
  }
  std::string Bytes(int64_t N) {
    Need(N);
    std::string s(static_cast<size_t>(N), '\0');
    if (N > 0) FReader.Stream().ReadBuffer(s.data(), N);
    return s;
  }
  void Need(int64_t N) {
    TStream& s = FReader.Stream();
    const int64_t left = s.GetSize() - s.GetPosition();
    if (N < 0 || N > left)
      throw EReadError(Format("Stream read error: the component stream ends early (%d bytes needed at byte %d, %d left)",
                              {N, s.GetPosition(), left}));
  }

  void WriteObject(int Level) {
    TDepthGuard depth(FDepth);
    const std::string className = ShortString();
    if (className.empty()) throw EReadError("Invalid stream format: class name expected");
    const std::string name = ShortString();
    FText += Indent(Level) + "object " + (name.empty() ? className : name + ": " + className) + "\n";
    while (FReader.NextValue() != TValueType::vaNull) WriteProperty(Level + 1);
    FReader.ReadValue();
    while (FReader.NextValue() != TValueType::vaNull) WriteObject(Level + 1);
    FReader.ReadValue();
    FText += Indent(Level) + "end\n";
  }

  void WriteProperty(int Level) {
    const std::string name = ShortString();
    if (name.empty()) throw EReadError("Invalid stream format: property name expected");
    FText += Indent(Level) + name + " = ";
    WriteValue(Level);
    FText += "\n";
  }

  void WriteValue(int Level) {
    TDepthGuard depth(FDepth);
    const TValueType t = FReader.NextValue();
    switch (t) {
      case TValueType::vaList:
        FReader.ReadValue();
        FText += "(";
        while (FReader.NextValue() != TValueType::vaNull) {
          FText += "\n" + Indent(Level + 1);
          WriteValue(Level + 1);
        }
        FReader.ReadValue();
        FText += ")";
        break;
      case TValueType::vaInt8: case TValueType::vaInt16: case TValueType::vaInt32: case TValueType::vaInt64:
        FText += std::to_string(FReader.ReadInteger());
        break;
      case TValueType::vaDouble:
        FText += FloatText(FReader.ReadFloat());
        break;
      case TValueType::vaString: case TValueType::vaLString: case TValueType::vaUTF8String:
      case TValueType::vaWString:
        FText += QuotedText(FReader.ReadString());
        break;
      case TValueType::vaIdent: case TValueType::vaFalse: case TValueType::vaTrue: case TValueType::vaNil:
        FText += FReader.ReadIdent();
        break;
      case TValueType::vaBinary: {
        FReader.ReadValue();
        unsigned char lenBytes[4];
        Need(4);
        FReader.Stream().ReadBuffer(lenBytes, 4);
        const int32_t len = FromLE<int32_t>(std::string(reinterpret_cast<char*>(lenBytes), 4));
        const std::string data = Bytes(len);
        static const char* hex = "0123456789ABCDEF";
        FText += "{";
        for (size_t i = 0; i < data.size(); ++i) {
          if (i % 32 == 0) FText += "\n" + Indent(Level + 1);
          const auto b = static_cast<unsigned char>(data[i]);
          FText += hex[b >> 4];
          FText += hex[b & 15];
        }
        FText += "}";
        break;
      }
      case TValueType::vaSet: {
        FReader.ReadValue();
        FText += "[";
        bool first = true;
        for (std::string item = ShortString(); !item.empty(); item = ShortString()) {
          if (!first) FText += ", ";
          first = false;
          FText += item;
        }
        FText += "]";
        break;
      }
      case TValueType::vaCollection:
        FReader.ReadValue();
        FText += "<";
        while (FReader.NextValue() != TValueType::vaNull) {
          FText += "\n" + Indent(Level + 1) + "item";
          if (FReader.NextValue() != TValueType::vaList) FText += " [" + std::to_string(FReader.ReadInteger()) + "]";
          FReader.ReadListBegin();
          FText += "\n";
          while (FReader.NextValue() != TValueType::vaNull) WriteProperty(Level + 2);
          FReader.ReadValue();
          FText += Indent(Level + 1) + "end";
        }
        FReader.ReadValue();
        FText += ">";
        break;
      default:
        FReader.ReadValue();  // raises for unknown bytes
        throw EReadError(Format("Invalid stream format at byte %d: value expected",
                                {FReader.Stream().GetPosition()}));
    }
  }

  TReader FReader;
  TStream& FOut;
  std::string FText;
  int FDepth = 0;
};

// ============================================================================
// Text form to binary form
// ============================================================================

class TTextToBinary {
 public:
  explicit TTextToBinary(std::string Text) : FText(std::move(Text)), FWriter(FBinary) {}

  void Run(TStream& Output) {
    FWriter.WriteSignature();
    ParseObject();
    SkipBlanks();
    if (FPos < FText.size()) Fail("end of text expected after the last 'end'");
    Output.WriteBuffer(FBinary.DataString().data(), FBinary.GetSize());
  }

 private:
  [[noreturn]] void Fail(const std::string& What) {
    throw EParserError(Format("Invalid text form on line %d: %s", {FLine, What}));
  }

  void SkipBlanks() {
    while (FPos < FText.size()) {
      const char c = FText[FPos];
      if (c == '\n') ++FLine;
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') break;
      ++FPos;
    }
  }
  char Peek() {
    SkipBlanks();
    return FPos < FText.size() ? FText[FPos] : '\0';
  }
  static bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
  static bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; }

  std::string Ident() {
    if (!IsIdentStart(Peek())) Fail("identifier expected");
    const size_t start = FPos;
    while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
    std::string id = FText.substr(start, FPos - start);
    if (id.size() > 255) Fail("identifier longer than 255 characters");
    return id;
  }
  bool PeekWord(std::string_view Word) {
    if (!IsIdentStart(Peek())) return false;
    size_t end = FPos;
    while (end < FText.size() && IsIdentChar(FText[end])) ++end;
    return SysUtils::SameText(std::string_view(FText).substr(FPos, end - FPos), Word);
  }
  void Expect(char C) {
    if (Peek() != C) Fail(Format("'%s' expected", {std::string(1, C)}));
    ++FPos;
  }
  void ShortString(std::string_view S) {
    const uint8_t len = static_cast<uint8_t>(S.size());
    FBinary.WriteBuffer(&len, 1);
    FBinary.WriteString(S);
  }
  void Byte(TValueType T) {
    const auto b = static_cast<uint8_t>(T);
    FBinary.WriteBuffer(&b, 1);
  }

  void ParseObject() {
    TDepthGuard depth(FDepth);
    if (!PeekWord("object")) Fail("'object' expected");
    Ident();
    std::string first = Ident();
    std::string name, className = first;
    if (Peek() == ':') {
      ++FPos;
      name = first;
      className = Ident();
    }
    ShortString(className);
    ShortString(name);
    while (!PeekWord("end") && !PeekWord("object")) ParseProperty();
    Byte(TValueType::vaNull);
    while (PeekWord("object")) ParseObject();
    if (!PeekWord("end")) Fail("'end' expected");
    Ident();
    Byte(TValueType::vaNull);
  }

  void ParseProperty() {
    const std::string name = Ident();
    ShortString(name);
    Expect('=');
    ParseValue();
  }

  void ParseValue() {
    TDepthGuard depth(FDepth);
    const char c = Peek();
    if (c == '\'' || c == '#') {
      FWriter.WriteString(StringToken());
    } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+' || c == '$') {
      NumberToken();
    } else if (IsIdentStart(c)) {
      const std::string id = Ident();
      if (SysUtils::SameText(id, "NaN"))
        FWriter.WriteFloat(std::numeric_limits<double>::quiet_NaN());
      else if (SysUtils::SameText(id, "Inf"))
        FWriter.WriteFloat(std::numeric_limits<double>::infinity());
      else
        FWriter.WriteIdent(id);
    } else if (c == '[') {
      ++FPos;
      Byte(TValueType::vaSet);
      if (Peek() != ']') {
        for (;;) {
          const std::string item = Ident();
          ShortString(item);
          if (Peek() != ',') break;
          ++FPos;
        }
      }
      Expect(']');
      ShortString("");
    } else if (c == '(') {
      ++FPos;
      Byte(TValueType::vaList);
      while (Peek() != ')') {
        if (Peek() == '\0') Fail("')' expected");
        ParseValue();
      }
      ++FPos;
      Byte(TValueType::vaNull);
    } else if (c == '{') {
      ++FPos;
      BinaryToken();
    } else if (c == '<') {
      ++FPos;
      Byte(TValueType::vaCollection);
      while (Peek() != '>') {
        if (!PeekWord("item")) Fail("'item' or '>' expected");
        Ident();
        if (Peek() == '[') {
          ++FPos;
          NumberToken();
          Expect(']');
        }
        Byte(TValueType::vaList);
        while (!PeekWord("end")) {
          if (Peek() == '\0') Fail("'end' expected");
          ParseProperty();
        }
        Ident();
        Byte(TValueType::vaNull);
      }
      ++FPos;
      Byte(TValueType::vaNull);
    } else {
      Fail(c == '\0' ? "value expected at the end of the text" : Format("value expected at '%s'", {std::string(1, c)}));
    }
  }

  // Quoted parts and #codes join when they touch; across blanks only after '+'.
  std::string StringToken() {
    std::string out;
    bool first = true;
    for (;;) {
      const char c = first ? Peek() : (FPos < FText.size() ? FText[FPos] : '\0');
      first = false;
      if (c == '\'') {
        ++FPos;
        for (;;) {
          if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r') Fail("unterminated string");
          if (FText[FPos] == '\'') {
            if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') {
              out += '\'';
              FPos += 2;
              continue;
            }
            ++FPos;
            break;
          }
          out += FText[FPos++];
        }
      } else if (c == '#') {
        ++FPos;
        const size_t start = FPos;
        while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
        uint32_t cp = 0;
        auto r = std::from_chars(FText.data() + start, FText.data() + FPos, cp);
        if (start == FPos || r.ec != std::errc() || cp > 0x10FFFF) Fail("character code expected after '#'");
        AppendUtf8(out, cp);
      } else {
        const size_t save = FPos;
        const int saveLine = FLine;
        if (Peek() == '+') {
          ++FPos;
          const char n = Peek();
          if (n == '\'' || n == '#') {
            first = true;
            continue;
          }
        }
        FPos = save;
        FLine = saveLine;
        return out;
      }
    }
  }

  void NumberToken() {
    Peek();
    const size_t start = FPos;
    if (FText[FPos] == '-' || FText[FPos] == '+') ++FPos;
    if (FPos < FText.size() && FText[FPos] == '$') {
      ++FPos;
      const size_t digits = FPos;
      while (FPos < FText.size() && std::isxdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
      uint64_t v = 0;
      auto r = std::from_chars(FText.data() + digits, FText.data() + FPos, v, 16);
      if (digits == FPos || r.ec != std::errc()) Fail("hexadecimal number expected");
      const int64_t value = FText[start] == '-' ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
      FWriter.WriteInteger(value);
      return;
    }
    if (FText.compare(FPos, 3, "Inf") == 0 || FText.compare(FPos, 3, "inf") == 0) {
      FPos += 3;
      FWriter.WriteFloat(FText[start] == '-' ? -std::numeric_limits<double>::infinity()
                                             : std::numeric_limits<double>::infinity());
      return;
    }
    bool isFloat = false;
    while (FPos < FText.size()) {
      const char c = FText[FPos];
      if (std::isdigit(static_cast<unsigned char>(c))) {
        ++FPos;
      } else if (c == '.' || c == 'e' || c == 'E') {
        isFloat = true;
        ++FPos;
        if ((c == 'e' || c == 'E') && FPos < FText.size() && (FText[FPos] == '-' || FText[FPos] == '+')) ++FPos;
      } else {
        break;
      }
    }
    std::string_view text(FText.data() + start, FPos - start);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (isFloat) {
      double v = 0;
      auto r = std::from_chars(text.data(), text.data() + text.size(), v);
      if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        Fail(Format("'%s' is not a number", {std::string(text)}));
      FWriter.WriteFloat(v);
    } else {
      int64_t v = 0;
      auto r = std::from_chars(text.data(), text.data() + text.size(), v);
      if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        Fail(Format("'%s' is not an integer in range", {std::string(text)}));
      FWriter.WriteInteger(v);
    }
  }

  void BinaryToken() {
    std::string bytes;
    int nibble = -1;
    for (;;) {
      if (FPos >= FText.size()) Fail("'}' expected");
      const char c = FText[FPos++];
      if (c == '}') break;
      if (c == '\n') ++FLine;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
      if (!std::isxdigit(static_cast<unsigned char>(c))) Fail("hexadecimal digit expected in binary data");
      const int v = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::toupper(c) - 'A' + 10);
      if (nibble < 0) {
        nibble = v;
      } else {
        bytes += static_cast<char>(nibble * 16 + v);
        nibble = -1;
      }
    }
    if (nibble >= 0) Fail("odd number of hexadecimal digits in binary data");
    if (bytes.size() > size_t(INT32_MAX)) Fail("binary data too long");
    Byte(TValueType::vaBinary);
    PutLE<int32_t>(FBinary, static_cast<int32_t>(bytes.size()));
    FBinary.WriteString(bytes);
  }

  std::string FText;
  size_t FPos = 0;
  int FLine = 1;
  int FDepth = 0;
  TMemoryStream FBinary;
  TWriter FWriter;
};

}  // namespace

namespace Streaming {

void ObjectBinaryToText(TStream& Input, TStream& Output) {
  TBinaryToText conv(Input, Output);
  conv.Run();
}

void ObjectTextToBinary(TStream& Input, TStream& Output) {
  TTextToBinary conv(Input.ReadAll());
  conv.Run(Output);
}

void WriteComponent(TStream& Stream, TComponent* Instance) {
  TWriter writer(Stream);
  writer.WriteRootComponent(Instance);
}

TComponent* ReadComponent(TStream& Stream, TComponent* Instance) {
  TReader reader(Stream);
  return reader.ReadRootComponent(Instance);
}

std::string ComponentToText(TComponent* Instance) {
  TMemoryStream binary, text;
  WriteComponent(binary, Instance);
  binary.SetPosition(0);
  ObjectBinaryToText(binary, text);
  return text.DataString();
}

TComponent* TextToComponent(std::string_view Text, TComponent* Instance) {
  TMemoryStream text, binary;
  text.WriteString(Text);
  text.SetPosition(0);
  ObjectTextToBinary(text, binary);
  binary.SetPosition(0);
  return ReadComponent(binary, Instance);
}

}  // namespace Streaming
