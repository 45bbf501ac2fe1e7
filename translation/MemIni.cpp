#include "translation/MemIni.h"

#include <algorithm>
#include <array>

#include "platform/rtl/FileStore.h"

using namespace SysUtils;

namespace MemIni {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

void CheckKey(std::string_view Key) {
  const bool bad = Key.find_first_of("=\r\n") != std::string_view::npos ||
                   (!Key.empty() && (Key.front() == ';' || Key.front() == '['));
  if (bad)
    throw EMemIniError("The key \"" + std::string(Key) +
                       "\" cannot be stored in an INI text (it holds \"=\", a line break, or begins with \";\" or \"[\")");
}

}  // namespace

int CompareNames(std::string_view A, std::string_view B) {
  const size_t n = std::min(A.size(), B.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char a = static_cast<unsigned char>(LowerAscii(A[i]));
    const unsigned char b = static_cast<unsigned char>(LowerAscii(B[i]));
    if (a != b) return a < b ? -1 : 1;
  }
  if (A.size() == B.size()) return 0;
  return A.size() < B.size() ? -1 : 1;
}

// ---------------------------------------------------------------- TMemIniEntry
int TMemIniEntry::Find(std::string_view Name) const {
  auto it = std::lower_bound(FKeys.begin(), FKeys.end(), Name,
                             [](const TKey& k, std::string_view n) { return CompareNames(k.Name, n) < 0; });
  if (it == FKeys.end() || CompareNames(it->Name, Name) != 0) return -1;
  return static_cast<int>(it - FKeys.begin());
}

void TMemIniEntry::Add(std::string Name, std::string Value) {
  auto it = std::upper_bound(FKeys.begin(), FKeys.end(), Name,
                             [](const std::string& n, const TKey& k) { return CompareNames(n, k.Name) < 0; });
  FKeys.insert(it, TKey{std::move(Name), std::make_unique<TMemIniValue>(std::move(Value))});
}

void TMemIniEntry::AddLine(std::string_view Line) {
  const size_t eq = Line.find('=');
  if (eq == std::string_view::npos)
    Add(std::string(Line), "");
  else
    Add(std::string(Line.substr(0, eq)), std::string(Line.substr(eq + 1)));
}

void TMemIniEntry::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
  FKeys.erase(FKeys.begin() + Index);
}

void TMemIniEntry::Assign(const TPersistent* Source) {
  if (auto* strings = dynamic_cast<const TStrings*>(Source)) {
    Clear();
    for (int i = 0; i < strings->Count(); ++i) AddLine(strings->Get(i));
    return;
  }
  TPersistent::Assign(Source);
}

// ---------------------------------------------------------------- TCustomIniFile
int32_t TCustomIniFile::GetInt(std::string_view Section, std::string_view Key, int32_t Default) const {
  std::string text = GetText(Section, Key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
  int32_t v = 0;
  return TryStrToInt(text, v) ? v : Default;
}

void TCustomIniFile::PutInt(std::string_view Section, std::string_view Key, int32_t Value) {
  PutText(Section, Key, IntToStr(Value));
}

bool TCustomIniFile::GetFlag(std::string_view Section, std::string_view Key, bool Default) const {
  return GetInt(Section, Key, Default ? 1 : 0) != 0;
}

void TCustomIniFile::PutFlag(std::string_view Section, std::string_view Key, bool Value) {
  PutText(Section, Key, Value ? "1" : "0");
}

namespace {
template <class Conv>
auto Converted(const TCustomIniFile& Ini, std::string_view Section, std::string_view Key, decltype(Conv()("")) Default,
               Conv conv) {
  const std::string text = Ini.GetText(Section, Key, "");
  if (text.empty()) return Default;
  try {
    return conv(text);
  } catch (const EConvertError&) {
    return Default;
  }
}
struct DateConv { TDateTime operator()(const std::string& s) const { return StrToDate(s); } };
struct DateTimeConv { TDateTime operator()(const std::string& s) const { return StrToDateTime(s); } };
struct TimeConv { TDateTime operator()(const std::string& s) const { return StrToTime(s); } };
struct FloatConv { double operator()(const std::string& s) const { return StrToFloat(s, FormatSettings); } };
}  // namespace

TDateTime TCustomIniFile::GetDate(std::string_view Section, std::string_view Key, TDateTime Default) const {
  return Converted(*this, Section, Key, Default, DateConv());
}
TDateTime TCustomIniFile::GetDateTime(std::string_view Section, std::string_view Key, TDateTime Default) const {
  return Converted(*this, Section, Key, Default, DateTimeConv());
}
double TCustomIniFile::GetFloat(std::string_view Section, std::string_view Key, double Default) const {
  return Converted(*this, Section, Key, Default, FloatConv());
}
TDateTime TCustomIniFile::GetTime(std::string_view Section, std::string_view Key, TDateTime Default) const {
  return Converted(*this, Section, Key, Default, TimeConv());
}
void TCustomIniFile::PutDate(std::string_view Section, std::string_view Key, TDateTime Value) {
  PutText(Section, Key, DateToStr(Value));
}
void TCustomIniFile::PutDateTime(std::string_view Section, std::string_view Key, TDateTime Value) {
  PutText(Section, Key, DateTimeToStr(Value));
}
void TCustomIniFile::PutFloat(std::string_view Section, std::string_view Key, double Value) {
  PutText(Section, Key, FloatToStr(Value, FormatSettings));
}
void TCustomIniFile::PutTime(std::string_view Section, std::string_view Key, TDateTime Value) {
  PutText(Section, Key, TimeToStr(Value));
}

bool TCustomIniFile::HasSection(std::string_view Section) const {
  TStringList keys;
  GetSectionKeys(Section, &keys);
  return keys.Count() > 0;
}

// ---------------------------------------------------------------- TMemIniFile
TMemIniFile::TMemIniFile(std::string FileName) : TCustomIniFile(std::move(FileName)) {
  std::string bytes;
  if (!this->FileName().empty() && FileExists(this->FileName()) && FileStore::ReadFile(this->FileName(), bytes))
    FromText(bytes);
  else
    Clear();
}

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::Clear() {
  FSections.clear();
  FModified = true;
}

int TMemIniFile::FindSection(std::string_view Name) const {
  auto it = std::lower_bound(FSections.begin(), FSections.end(), Name,
                             [](const TSection& s, std::string_view n) { return CompareNames(s.Name, n) < 0; });
  if (it == FSections.end() || CompareNames(it->Name, Name) != 0) return -1;
  return static_cast<int>(it - FSections.begin());
}

TMemIniEntry* TMemIniFile::AddSection(std::string_view Name) {
  const int i = FindSection(Name);
  if (i >= 0) return FSections[static_cast<size_t>(i)].Entry.get();
  auto it = std::lower_bound(FSections.begin(), FSections.end(), Name,
                             [](const TSection& s, std::string_view n) { return CompareNames(s.Name, n) < 0; });
  it = FSections.insert(it, TSection{std::string(Name), std::make_unique<TMemIniEntry>()});
  return it->Entry.get();
}

const TMemIniEntry* TMemIniFile::Section(std::string_view Name) const {
  const int i = FindSection(Name);
  return i < 0 ? nullptr : FSections[static_cast<size_t>(i)].Entry.get();
}

bool TMemIniFile::FindText(std::string_view Section, std::string_view Key, std::string& Value) const {
  const TMemIniEntry* entry = this->Section(Section);
  if (!entry) return false;
  const int k = entry->Find(Key);
  if (k < 0) return false;
  Value = entry->Key(k).Value->Value;
  return true;
}

std::string TMemIniFile::GetText(std::string_view Section, std::string_view Key, std::string_view Default) const {
  std::string value;
  return FindText(Section, Key, value) ? value : std::string(Default);
}

void TMemIniFile::PutText(std::string_view Section, std::string_view Key, std::string_view Value) {
  CheckKey(Key);
  TMemIniEntry* entry = AddSection(Section);
  const int k = entry->Find(Key);
  if (k >= 0) entry->Delete(k);
  entry->Add(std::string(Key), std::string(Value));
  FModified = true;
}

void TMemIniFile::GetSectionKeys(std::string_view Section, TStrings* Strings) const {
  Strings->BeginUpdate();
  Strings->Clear();
  if (const TMemIniEntry* entry = this->Section(Section))
    for (int i = 0; i < entry->Count(); ++i) Strings->Add(entry->Key(i).Name);
  Strings->EndUpdate();
}

void TMemIniFile::GetSectionNames(TStrings* Strings) const {
  Strings->BeginUpdate();
  Strings->Clear();
  for (const TSection& s : FSections) Strings->Add(s.Name);
  Strings->EndUpdate();
}

void TMemIniFile::GetSectionValues(std::string_view Section, TStrings* Strings) const {
  Strings->BeginUpdate();
  Strings->Clear();
  if (const TMemIniEntry* entry = this->Section(Section))
    for (int i = 0; i < entry->Count(); ++i) Strings->Add(entry->Key(i).Value->Value);
  Strings->EndUpdate();
}

void TMemIniFile::RemoveSection(std::string_view Section) {
  const int i = FindSection(Section);
  if (i < 0) return;
  FSections.erase(FSections.begin() + i);
  FModified = true;
}

void TMemIniFile::RemoveKey(std::string_view Section, std::string_view Key) {
  const int i = FindSection(Section);
  if (i < 0) return;
  TMemIniEntry& entry = *FSections[static_cast<size_t>(i)].Entry;
  const int k = entry.Find(Key);
  if (k < 0) return;
  entry.Delete(k);
  FModified = true;
}

void TMemIniFile::Flush() {
  std::string error;
  if (!FileStore::WriteFileAtomic(FileName(), ToText(), error))
    throw EMemIniError("Unable to write to " + FileName() + (error.empty() ? "" : ": " + error));
  FModified = false;
}

void TMemIniFile::FromLines(const TStrings* Strings) {
  FSections.clear();
  TMemIniEntry* current = nullptr;
  for (int i = 0; i < Strings->Count(); ++i) {
    const std::string line = Strings->Get(i);
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      // A repeated header continues the section it names.
      current = AddSection(std::string_view(line).substr(1, line.size() - 2));
    } else if (current) {
      current->AddLine(line);
    }
  }
  FModified = true;
}

void TMemIniFile::FromText(std::string_view Text) {
  TStringList lines;
  lines.SetText(Text);
  FromLines(&lines);
}

void TMemIniFile::ToLines(TStrings* Strings) const {
  Strings->BeginUpdate();
  for (const TSection& s : FSections) {
    Strings->Add("[" + s.Name + "]");
    for (int i = 0; i < s.Entry->Count(); ++i) Strings->Add(s.Entry->Key(i).Name + "=" + s.Entry->Key(i).Value->Value);
    Strings->Add("");
  }
  Strings->EndUpdate();
}

std::string TMemIniFile::ToText() const {
  std::string text;
  for (const TSection& s : FSections) {
    text += "[" + s.Name + "]\r\n";
    for (int i = 0; i < s.Entry->Count(); ++i)
      text += s.Entry->Key(i).Name + "=" + s.Entry->Key(i).Value->Value + "\r\n";
    text += "\r\n";
  }
  return text;
}

// ---------------------------------------------------------------- helpers
int FastPos(std::string_view Pattern, std::string_view Text) {
  const size_t m = Pattern.size();
  if (m == 0) return 1;
  std::array<size_t, 256> skip;
  skip.fill(m);
  for (size_t i = 0; i + 1 < m; ++i) skip[static_cast<unsigned char>(Pattern[i])] = m - 1 - i;
  size_t pos = m;  // 1-based position of the text character under the pattern's last one
  while (pos <= Text.size()) {
    size_t k = 0;
    while (k < m && Pattern[m - 1 - k] == Text[pos - 1 - k]) ++k;
    if (k == m) return static_cast<int>(pos - m + 1);
    pos += skip[static_cast<unsigned char>(Text[pos - 1])];
  }
  return 0;
}

std::string GetDelimitedField(std::string_view Text, char Delimiter, int N) {
  if (Text.empty() || N < 0 || N > 255) return "";
  if (N == 0) {
    const size_t end = Text.find(Delimiter, 1);
    return std::string(Text.substr(0, end));
  }
  size_t start = 0;
  for (int k = 0; k < N; ++k) {
    const size_t d = Text.find(Delimiter, start);
    if (d == std::string_view::npos) return "";
    start = d + 1;
  }
  const size_t end = Text.find(Delimiter, start);
  return std::string(Text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

}  // namespace MemIni
