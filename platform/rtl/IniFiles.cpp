#include "platform/rtl/IniFiles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/rtl/FileStore.h"

using SysUtils::Format;

// ---------------------------------------------------------------- TCustomIniFile
KV_CLASS_IMPL(TCustomIniFile, TObject) {}

int32_t TCustomIniFile::ReadInteger(std::string_view Section, std::string_view Ident, int32_t Default) const {
  return SysUtils::StrToIntDef(SysUtils::Trim(ReadString(Section, Ident, "")), Default);
}

void TCustomIniFile::WriteInteger(std::string_view Section, std::string_view Ident, int32_t Value) {
  WriteString(Section, Ident, SysUtils::IntToStr(Value));
}

bool TCustomIniFile::ReadBool(std::string_view Section, std::string_view Ident, bool Default) const {
  const std::string s = SysUtils::Trim(ReadString(Section, Ident, ""));
  if (SysUtils::SameText(s, "true")) return true;
  if (SysUtils::SameText(s, "false")) return false;
  return SysUtils::StrToIntDef(s, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view Section, std::string_view Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(std::string_view Section, std::string_view Ident, double Default) const {
  std::string s = SysUtils::Trim(ReadString(Section, Ident, ""));
  double v = 0;
  if (SysUtils::TryStrToFloat(s, v, TFormatSettings::Invariant())) return v;
  // Files written under a locale with a decimal comma.
  TFormatSettings comma = TFormatSettings::Invariant();
  comma.DecimalSeparator = ',';
  if (SysUtils::TryStrToFloat(s, v, comma)) return v;
  return Default;
}

void TCustomIniFile::WriteFloat(std::string_view Section, std::string_view Ident, double Value) {
  WriteString(Section, Ident, SysUtils::FloatToStr(Value, TFormatSettings::Invariant()));
}

bool TCustomIniFile::SectionExists(std::string_view Section) const {
  TStringList keys;
  ReadSection(Section, &keys);
  return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(std::string_view Section, std::string_view Ident) const {
  TStringList keys;
  ReadSection(Section, &keys);
  return keys.IndexOf(Ident) >= 0;
}

// ---------------------------------------------------------------- TIniFile
namespace {

struct TLine {
  bool IsEntry = false;
  std::string Key;    // entries
  std::string Value;  // entries, as written
  std::string Raw;    // comments and other lines, kept as they are
};

struct TSection {
  std::string Name;
  bool HasHeader = true;  // false for the lines before the first section
  std::vector<TLine> Lines;
};

// Values in matching quotes are read without them, so leading and trailing
// blanks can be stored.
std::string Unquote(const std::string& v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) return v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

struct TIniFile::TData {
  std::vector<TSection> Sections;
  FileStore::TStamp Stamp;
  bool Loaded = false;

  void Parse(const std::string& text) {
    Sections.clear();
    Sections.push_back(TSection{"", false, {}});
    TStringList lines;
    lines.SetText(text);
    for (int i = 0; i < lines.Count(); ++i) {
      const std::string raw = lines[i];
      const std::string t = SysUtils::Trim(raw);
      if (!t.empty() && t[0] == '[') {
        size_t close = t.find(']');
        Sections.push_back(TSection{SysUtils::Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1)), true, {}});
        continue;
      }
      TLine line;
      size_t eq = t.find('=');
      if (!t.empty() && t[0] != ';' && t[0] != '#' && eq != std::string::npos) {
        line.IsEntry = true;
        line.Key = SysUtils::Trim(t.substr(0, eq));
        line.Value = SysUtils::Trim(t.substr(eq + 1));
      } else {
        line.Raw = raw;
      }
      Sections.back().Lines.push_back(std::move(line));
    }
  }

  std::string Render() const {
    std::string out;
    for (const TSection& s : Sections) {
      if (s.HasHeader) out += "[" + s.Name + "]\n";
      for (const TLine& l : s.Lines) out += (l.IsEntry ? l.Key + "=" + l.Value : l.Raw) + "\n";
    }
    return out;
  }

  TSection* FindSection(std::string_view name) {
    for (TSection& s : Sections)
      if (s.HasHeader && SysUtils::SameText(s.Name, name)) return &s;
    return nullptr;
  }

  static TLine* FindKey(TSection* s, std::string_view key) {
    if (!s) return nullptr;
    for (TLine& l : s->Lines)
      if (l.IsEntry && SysUtils::SameText(l.Key, key)) return &l;
    return nullptr;
  }
};

KV_CLASS_IMPL(TIniFile, TCustomIniFile) {}

TIniFile::TIniFile(std::string FileName) : TCustomIniFile(std::move(FileName)), FData(new TData) {}

TIniFile::~TIniFile() { delete FData; }

TIniFile::TData& TIniFile::Data() const {
  FileStore::TStamp stamp = FileStore::StampOf(FileName());
  if (!FData->Loaded || !(stamp == FData->Stamp)) {
    std::string bytes;
    FileStore::ReadFile(FileName(), bytes);
    FData->Parse(SysUtils::DecodeText(bytes));
    FData->Stamp = stamp;
    FData->Loaded = true;
  }
  return *FData;
}

void TIniFile::Save() {
  std::string error;
  if (!FileStore::WriteFileAtomic(FileName(), FData->Render(), error)) {
    FData->Loaded = false;  // read the file again rather than trust what was not written
    throw EIniFileException(Format("Unable to write to %s", {FileName()}));
  }
  FData->Stamp = FileStore::StampOf(FileName());
}

std::string TIniFile::ReadString(std::string_view Section, std::string_view Ident, std::string_view Default) const {
  TData& d = Data();
  TLine* l = TData::FindKey(d.FindSection(Section), Ident);
  return l ? Unquote(SysUtils::Trim(l->Value)) : std::string(Default);
}

void TIniFile::WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) {
  TData& d = Data();
  // A line break would split the entry and corrupt the file.
  std::string v(Value);
  for (char& c : v)
    if (c == '\r' || c == '\n') c = ' ';
  TSection* s = d.FindSection(Section);
  if (!s) {
    d.Sections.push_back(TSection{std::string(Section), true, {}});
    s = &d.Sections.back();
  }
  if (TLine* l = TData::FindKey(s, Ident)) {
    if (l->Value == v) return;
    l->Value = v;
  } else {
    // New keys go after the last entry, before trailing blank lines.
    size_t pos = s->Lines.size();
    while (pos > 0 && !s->Lines[pos - 1].IsEntry && SysUtils::Trim(s->Lines[pos - 1].Raw).empty()) --pos;
    TLine line;
    line.IsEntry = true;
    line.Key = std::string(Ident);
    line.Value = v;
    s->Lines.insert(s->Lines.begin() + long(pos), std::move(line));
  }
  Save();
}

void TIniFile::ReadSection(std::string_view Section, TStrings* Strings) const {
  if (!Strings) return;
  Strings->BeginUpdate();
  Strings->Clear();
  if (TSection* s = Data().FindSection(Section))
    for (const TLine& l : s->Lines)
      if (l.IsEntry) Strings->Add(l.Key);
  Strings->EndUpdate();
}

void TIniFile::ReadSections(TStrings* Strings) const {
  if (!Strings) return;
  Strings->BeginUpdate();
  Strings->Clear();
  for (const TSection& s : Data().Sections)
    if (s.HasHeader && Strings->IndexOf(s.Name) < 0) Strings->Add(s.Name);
  Strings->EndUpdate();
}

void TIniFile::ReadSectionValues(std::string_view Section, TStrings* Strings) const {
  if (!Strings) return;
  Strings->BeginUpdate();
  Strings->Clear();
  if (TSection* s = Data().FindSection(Section))
    for (const TLine& l : s->Lines)
      if (l.IsEntry) Strings->Add(l.Key + "=" + Unquote(SysUtils::Trim(l.Value)));
  Strings->EndUpdate();
}

void TIniFile::EraseSection(std::string_view Section) {
  TData& d = Data();
  const size_t before = d.Sections.size();
  std::erase_if(d.Sections, [&](const TSection& s) { return s.HasHeader && SysUtils::SameText(s.Name, Section); });
  if (d.Sections.size() != before) Save();
}

void TIniFile::DeleteKey(std::string_view Section, std::string_view Ident) {
  TData& d = Data();
  TSection* s = d.FindSection(Section);
  if (!s) return;
  const size_t before = s->Lines.size();
  std::erase_if(s->Lines, [&](const TLine& l) { return l.IsEntry && SysUtils::SameText(l.Key, Ident); });
  if (s->Lines.size() != before) Save();
}
