#include "platform/rtl/Registry.h"

#include <QStandardPaths>
#include <QString>
#include <cstdlib>
#include <cstring>
#include <map>

#include "platform/rtl/FileStore.h"

using SysUtils::Format;

namespace {

constexpr const char* kStoreHeader = "KelmVev2Er registry 1";

struct TValue {
  std::string Name;
  TRegDataType Type = TRegDataType::rdString;
  std::string Data;  // text, 4 little-endian bytes, or raw bytes
};

struct TKey {
  std::string Path;  // as first created, e.g. "HKEY_CURRENT_USER\Software\KelmVev2er"
  std::vector<TValue> Values;

  TValue* Find(std::string_view name) {
    for (TValue& v : Values)
      if (SysUtils::SameText(v.Name, name)) return &v;
    return nullptr;
  }
};

const struct {
  HKEY Key;
  const char* Name;
} kRoots[] = {{HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},
              {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
              {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},
              {HKEY_USERS, "HKEY_USERS"},
              {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"},
              {HKEY_DYN_DATA, "HKEY_DYN_DATA"}};

std::string RootName(HKEY key) {
  for (const auto& r : kRoots)
    if (r.Key == key) return r.Name;
  return "HKEY_" + SysUtils::IntToHex(int64_t(key), 8);
}

bool IsKnownRoot(HKEY key) {
  for (const auto& r : kRoots)
    if (r.Key == key) return true;
  return false;
}

bool IsRootName(std::string_view name) {
  for (const auto& r : kRoots)
    if (SysUtils::SameText(r.Name, name)) return true;
  return false;
}

std::string Fold(std::string_view path) { return SysUtils::LowerCase(path); }

// Control characters would break the store's one-line key headers.
bool IsValidKeyPath(std::string_view path) {
  for (char c : path)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return true;
}

// ---- text form of the store
std::string Escape(std::string_view s) {
  std::string r = "\"";
  for (char ch : s) {
    auto c = static_cast<unsigned char>(ch);
    switch (ch) {
      case '\\': r += "\\\\"; break;
      case '"': r += "\\\""; break;
      case '\n': r += "\\n"; break;
      case '\r': r += "\\r"; break;
      case '\t': r += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7F) r += "\\x" + SysUtils::IntToHex(int64_t(c), 2);
        else r += ch;
    }
  }
  return r + "\"";
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a quoted text at s[p]; false for a malformed one.
bool Unescape(std::string_view s, size_t& p, std::string& out) {
  if (p >= s.size() || s[p] != '"') return false;
  ++p;
  out.clear();
  while (p < s.size()) {
    char c = s[p++];
    if (c == '"') return true;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (p >= s.size()) return false;
    char e = s[p++];
    switch (e) {
      case '\\': out += '\\'; break;
      case '"': out += '"'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'x': {
        if (p + 2 > s.size()) return false;
        int h = HexDigit(s[p]), l = HexDigit(s[p + 1]);
        if (h < 0 || l < 0) return false;
        out += char(h * 16 + l);
        p += 2;
        break;
      }
      default: return false;
    }
  }
  return false;
}

std::string HexBytes(const std::string& data) {
  std::string r;
  for (size_t i = 0; i < data.size(); ++i) {
    if (i) r += ',';
    r += SysUtils::IntToHex(int64_t(static_cast<unsigned char>(data[i])), 2);
  }
  return r;
}

bool ParseHexBytes(std::string_view s, std::string& out) {
  out.clear();
  size_t p = 0;
  while (p < s.size()) {
    if (p + 2 > s.size()) return false;
    int h = HexDigit(s[p]), l = HexDigit(s[p + 1]);
    if (h < 0 || l < 0) return false;
    out += char(h * 16 + l);
    p += 2;
    if (p < s.size()) {
      if (s[p] != ',') return false;
      ++p;
    }
  }
  return true;
}

std::string Int32Bytes(int32_t v) {
  auto u = static_cast<uint32_t>(v);
  std::string r(4, '\0');
  for (int i = 0; i < 4; ++i) r[size_t(i)] = char((u >> (8 * i)) & 0xFF);
  return r;
}

int32_t BytesInt32(const std::string& b) {
  uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(b[size_t(i)]);
  return static_cast<int32_t>(u);
}

// One value line: "name"=<data>; false when it is damaged.
bool ParseValueLine(std::string_view line, TValue& v) {
  size_t p = 0;
  if (line[0] == '@') {
    v.Name.clear();
    p = 1;
  } else if (!Unescape(line, p, v.Name)) {
    return false;
  }
  if (p >= line.size() || line[p] != '=') return false;
  std::string_view data = line.substr(p + 1);
  if (!data.empty() && data[0] == '"') {
    size_t q = 0;
    v.Type = TRegDataType::rdString;
    return Unescape(data, q, v.Data) && q == data.size();
  }
  if (data.substr(0, 7) == "expand:") {
    size_t q = 0;
    v.Type = TRegDataType::rdExpandString;
    data.remove_prefix(7);
    return Unescape(data, q, v.Data) && q == data.size();
  }
  if (data.substr(0, 6) == "dword:") {
    data.remove_prefix(6);
    if (data.size() != 8) return false;
    std::string bytes;
    uint32_t u = 0;
    for (char c : data) {
      int h = HexDigit(c);
      if (h < 0) return false;
      u = u * 16 + uint32_t(h);
    }
    v.Type = TRegDataType::rdInteger;
    v.Data = Int32Bytes(static_cast<int32_t>(u));
    return true;
  }
  if (data.substr(0, 4) == "hex:") {
    v.Type = TRegDataType::rdBinary;
    return ParseHexBytes(data.substr(4), v.Data);
  }
  return false;
}

std::string ValueLine(const TValue& v) {
  std::string r = v.Name.empty() ? "@" : Escape(v.Name);
  r += '=';
  switch (v.Type) {
    case TRegDataType::rdString: r += Escape(v.Data); break;
    case TRegDataType::rdExpandString: r += "expand:" + Escape(v.Data); break;
    case TRegDataType::rdInteger: r += "dword:" + SysUtils::IntToHex(BytesInt32(v.Data), 8); break;
    default: r += "hex:" + HexBytes(v.Data); break;
  }
  return r;
}

// ---- the store shared by every TRegistry of the process
class TStore {
 public:
  std::map<std::string, TKey> Keys;  // by folded full path

  // Brings the store up to date with its file (first use, another process's write).
  void Refresh() {
    const std::string file = Registry::StoreFileName();
    FileStore::TStamp stamp = FileStore::StampOf(file);
    if (FLoaded && file == FFile && stamp == FStamp) return;
    Keys.clear();
    std::string bytes;
    FileStore::ReadFile(file, bytes);
    Parse(SysUtils::DecodeText(bytes));
    FFile = file;
    FStamp = stamp;
    FLoaded = true;
  }

  bool Save() {
    SysUtils::ForceDirectories(Registry::ConfigDir());
    std::string text = std::string(kStoreHeader) + "\n";
    for (const auto& [folded, key] : Keys) {
      text += "\n[" + key.Path + "]\n";
      for (const TValue& v : key.Values) text += ValueLine(v) + "\n";
    }
    std::string error;
    if (!FileStore::WriteFileAtomic(FFile, text, error)) {
      FLoaded = false;  // what is on disk counts
      return false;
    }
    FStamp = FileStore::StampOf(FFile);
    return true;
  }

  void Forget() { FLoaded = false; }

  TKey* Find(const std::string& path) {
    auto it = Keys.find(Fold(path));
    return it == Keys.end() ? nullptr : &it->second;
  }

  // Creates the key and every missing key above it; returns it.
  TKey& Ensure(const std::string& path) {
    size_t p = path.find('\\');
    while (p != std::string::npos) {
      std::string part = path.substr(0, p);
      Keys.try_emplace(Fold(part), TKey{part, {}});
      p = path.find('\\', p + 1);
    }
    return Keys.try_emplace(Fold(path), TKey{path, {}}).first->second;
  }

  // Damaged lines are skipped; values under a damaged header are dropped with it.
  void Parse(const std::string& text) {
    TStringList lines;
    lines.SetText(text);
    TKey* current = nullptr;
    for (int i = 0; i < lines.Count(); ++i) {
      std::string line = SysUtils::Trim(lines[i]);
      if (line.empty() || line == kStoreHeader || line[0] == ';') continue;
      if (line[0] == '[') {
        current = nullptr;
        if (line.back() != ']') continue;
        std::string path = line.substr(1, line.size() - 2);
        size_t bs = path.find('\\');
        std::string root = path.substr(0, bs);
        if (!IsRootName(root) || path.find("\\\\") != std::string::npos || (!path.empty() && path.back() == '\\'))
          continue;
        current = &Ensure(path);
        continue;
      }
      TValue v;
      if (!current || !ParseValueLine(line, v)) continue;
      if (TValue* old = current->Find(v.Name))
        *old = std::move(v);
      else
        current->Values.push_back(std::move(v));
    }
  }

 private:
  std::string FFile;
  FileStore::TStamp FStamp;
  bool FLoaded = false;
};

TStore& Store() {
  static TStore store;
  store.Refresh();
  return store;
}

[[noreturn]] void GetError(std::string_view name) {
  throw ERegistryException(Format("Failed to get data for '%s'", {std::string(name)}));
}

[[noreturn]] void TypeError(std::string_view name) {
  throw ERegistryException(Format("Invalid data type for '%s'", {std::string(name)}));
}

[[noreturn]] void SetError(std::string_view name) {
  throw ERegistryException(Format("Failed to set data for '%s'", {std::string(name)}));
}

}  // namespace

namespace Registry {

std::string ConfigDir() {
  if (const char* dir = std::getenv("KV_CONFIG_DIR"); dir && *dir) return dir;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') return std::string(xdg) + "/kelmvev2er";
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.config/kelmvev2er";
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() + "/kelmvev2er";
}

std::string StoreFileName() { return ConfigDir() + "/registry.txt"; }

void ReloadStore() {
  Store().Forget();
}

}  // namespace Registry

// ---------------------------------------------------------------- TRegistry
KV_CLASS_IMPL(TRegistry, TObject) {}

TRegistry::TRegistry() = default;

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY Value) {
  CloseKey();
  FRootKey = Value;
}

std::string TRegistry::FullPath(std::string_view Key) const {
  std::string path = (!Key.empty() && Key[0] == '\\') || !FOpen ? RootName(FRootKey) : FCurrentPath;
  size_t p = 0;
  while (p <= Key.size()) {
    size_t q = Key.find('\\', p);
    if (q == std::string_view::npos) q = Key.size();
    if (q > p) path += "\\" + std::string(Key.substr(p, q - p));
    p = q + 1;
  }
  return path;
}

bool TRegistry::OpenKey(std::string_view Key, bool CanCreate) {
  if (!IsKnownRoot(FRootKey)) return false;
  std::string path = FullPath(Key);
  TStore& store = Store();
  TKey* key = store.Find(path);
  if (!key && path != RootName(FRootKey)) {
    if (!CanCreate || !IsValidKeyPath(path)) return false;
    key = &store.Ensure(path);
    if (!store.Save()) return false;
    key = store.Find(path);
  }
  FCurrentPath = key ? key->Path : path;
  FOpen = true;
  FReadOnly = false;
  return true;
}

bool TRegistry::OpenKeyReadOnly(std::string_view Key) {
  if (!OpenKey(Key, false)) return false;
  FReadOnly = true;
  return true;
}

void TRegistry::CloseKey() {
  FOpen = false;
  FReadOnly = false;
  FCurrentPath.clear();
}

bool TRegistry::CreateKey(std::string_view Key) {
  if (!IsKnownRoot(FRootKey)) return false;
  std::string path = FullPath(Key);
  TStore& store = Store();
  if (store.Find(path)) return true;
  if (!IsValidKeyPath(path)) return false;
  store.Ensure(path);
  return store.Save();
}

bool TRegistry::DeleteKey(std::string_view Key) {
  std::string path = FullPath(Key);
  if (path == RootName(FRootKey)) return false;  // a root cannot go
  TStore& store = Store();
  const std::string folded = Fold(path);
  if (!store.Keys.count(folded)) return false;
  std::erase_if(store.Keys, [&](const auto& kv) {
    return kv.first == folded || kv.first.compare(0, folded.size() + 1, folded + "\\") == 0;
  });
  const std::string cur = Fold(FCurrentPath);
  if (FOpen && (cur == folded || cur.compare(0, folded.size() + 1, folded + "\\") == 0)) CloseKey();
  return store.Save();
}

bool TRegistry::KeyExists(std::string_view Key) const {
  std::string path = FullPath(Key);
  return path == RootName(FRootKey) || Store().Find(path) != nullptr;
}

bool TRegistry::HasSubKeys() const {
  TStringList names;
  GetKeyNames(&names);
  return names.Count() > 0;
}

void TRegistry::GetKeyNames(TStrings* Strings) const {
  if (!Strings) return;
  Strings->BeginUpdate();
  Strings->Clear();
  if (FOpen) {
    const std::string prefix = Fold(FCurrentPath) + "\\";
    TStore& store = Store();
    for (auto it = store.Keys.lower_bound(prefix); it != store.Keys.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it)
      if (it->first.find('\\', prefix.size()) == std::string::npos) Strings->Add(it->second.Path.substr(prefix.size()));
  }
  Strings->EndUpdate();
}

void TRegistry::GetValueNames(TStrings* Strings) const {
  if (!Strings) return;
  Strings->BeginUpdate();
  Strings->Clear();
  if (FOpen)
    if (TKey* key = Store().Find(FCurrentPath))
      for (const TValue& v : key->Values) Strings->Add(v.Name);
  Strings->EndUpdate();
}

namespace {

TValue* FindValue(bool open, const std::string& path, std::string_view name) {
  if (!open) return nullptr;
  TKey* key = Store().Find(path);
  return key ? key->Find(name) : nullptr;
}

}  // namespace

bool TRegistry::ValueExists(std::string_view Name) const { return FindValue(FOpen, FCurrentPath, Name) != nullptr; }

bool TRegistry::DeleteValue(std::string_view Name) {
  if (!FOpen || FReadOnly) return false;
  TStore& store = Store();
  TKey* key = store.Find(FCurrentPath);
  if (!key) return false;
  const size_t before = key->Values.size();
  std::erase_if(key->Values, [&](const TValue& v) { return SysUtils::SameText(v.Name, Name); });
  return key->Values.size() != before && store.Save();
}

bool TRegistry::GetDataInfo(std::string_view Name, TRegDataInfo& Info) const {
  TValue* v = FindValue(FOpen, FCurrentPath, Name);
  if (!v) {
    Info = TRegDataInfo{};
    return false;
  }
  Info.RegData = v->Type;
  // Texts count their terminating zero, as the platform's sizes do.
  Info.DataSize = int(v->Data.size()) +
                  (v->Type == TRegDataType::rdString || v->Type == TRegDataType::rdExpandString ? 1 : 0);
  return true;
}

TRegDataType TRegistry::GetDataType(std::string_view Name) const {
  TRegDataInfo info;
  GetDataInfo(Name, info);
  return info.RegData;
}

int TRegistry::GetDataSize(std::string_view Name) const {
  TRegDataInfo info;
  return GetDataInfo(Name, info) ? info.DataSize : -1;
}

void TRegistry::CheckWritable(std::string_view Name) const {
  if (!FOpen || FReadOnly) SetError(Name);
}

namespace {

void PutValue(const std::string& path, std::string_view name, TRegDataType type, std::string data) {
  TStore& store = Store();
  TKey& key = store.Ensure(path);
  if (TValue* v = key.Find(name)) {
    v->Type = type;
    v->Data = std::move(data);
  } else {
    key.Values.push_back(TValue{std::string(name), type, std::move(data)});
  }
  if (!store.Save()) SetError(name);
}

const TValue& GetValue(bool open, const std::string& path, std::string_view name) {
  TValue* v = FindValue(open, path, name);
  if (!v) GetError(name);
  return *v;
}

}  // namespace

std::string TRegistry::ReadString(std::string_view Name) const {
  TValue* v = FindValue(FOpen, FCurrentPath, Name);
  if (!v) return {};
  if (v->Type != TRegDataType::rdString && v->Type != TRegDataType::rdExpandString) TypeError(Name);
  return v->Data;
}

void TRegistry::WriteString(std::string_view Name, std::string_view Value) {
  CheckWritable(Name);
  PutValue(FCurrentPath, Name, TRegDataType::rdString, std::string(Value));
}

void TRegistry::WriteExpandString(std::string_view Name, std::string_view Value) {
  CheckWritable(Name);
  PutValue(FCurrentPath, Name, TRegDataType::rdExpandString, std::string(Value));
}

int32_t TRegistry::ReadInteger(std::string_view Name) const {
  const TValue& v = GetValue(FOpen, FCurrentPath, Name);
  if (v.Type != TRegDataType::rdInteger || v.Data.size() != 4) TypeError(Name);
  return BytesInt32(v.Data);
}

void TRegistry::WriteInteger(std::string_view Name, int32_t Value) {
  CheckWritable(Name);
  PutValue(FCurrentPath, Name, TRegDataType::rdInteger, Int32Bytes(Value));
}

bool TRegistry::ReadBool(std::string_view Name) const { return ReadInteger(Name) != 0; }

void TRegistry::WriteBool(std::string_view Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

double TRegistry::ReadFloat(std::string_view Name) const {
  const TValue& v = GetValue(FOpen, FCurrentPath, Name);
  if (v.Type != TRegDataType::rdBinary || v.Data.size() != sizeof(double)) TypeError(Name);
  double d = 0;
  std::memcpy(&d, v.Data.data(), sizeof d);
  return d;
}

void TRegistry::WriteFloat(std::string_view Name, double Value) {
  WriteBinaryData(Name, &Value, sizeof Value);
}

TDateTime TRegistry::ReadDateTime(std::string_view Name) const { return ReadFloat(Name); }

void TRegistry::WriteDateTime(std::string_view Name, TDateTime Value) { WriteFloat(Name, Value); }

int TRegistry::ReadBinaryData(std::string_view Name, void* Buffer, int BufSize) const {
  const TValue& v = GetValue(FOpen, FCurrentPath, Name);
  if (v.Type != TRegDataType::rdBinary) TypeError(Name);
  if (BufSize < int(v.Data.size())) GetError(Name);  // never hand back a cut-off value
  if (!v.Data.empty()) std::memcpy(Buffer, v.Data.data(), v.Data.size());
  return int(v.Data.size());
}

void TRegistry::WriteBinaryData(std::string_view Name, const void* Buffer, int BufSize) {
  CheckWritable(Name);
  if (BufSize < 0 || (BufSize > 0 && !Buffer)) SetError(Name);
  PutValue(FCurrentPath, Name, TRegDataType::rdBinary,
           BufSize > 0 ? std::string(static_cast<const char*>(Buffer), size_t(BufSize)) : std::string());
}
