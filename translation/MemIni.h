#pragma once
// An INI text held in memory as sections of keys, both kept in ASCII
// case-insensitive order (the same comparison sorts and searches), read and
// written as typed values and turned back into text or a file. Also the two
// text helpers of the translation component: a Boyer-Moore-Horspool search
// and the n-th delimited field of a text.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

namespace MemIni {

KV_EXCEPTION_CLASS(EMemIniError, Exception);

// Holder of one key's value text.
class TMemIniValue {
 public:
  explicit TMemIniValue(std::string Value) : Value(std::move(Value)) {}
  std::string Value;
};

// One section: its keys in order, duplicates accepted (a later duplicate
// stands after the earlier ones).
class TMemIniEntry : public TPersistent {
 public:
  struct TKey {
    std::string Name;
    std::unique_ptr<TMemIniValue> Value;
  };
  int Count() const { return static_cast<int>(FKeys.size()); }
  const TKey& Key(int Index) const { return FKeys.at(static_cast<size_t>(Index)); }
  // Index of the first key named Name, -1 when there is none.
  int Find(std::string_view Name) const;
  void AddLine(std::string_view Line);  // split at the first "="
  void Add(std::string Name, std::string Value);
  void Delete(int Index);
  void Clear() { FKeys.clear(); }
  // From a string list: the keys become the list's lines.
  void Assign(const TPersistent* Source) override;

 private:
  std::vector<TKey> FKeys;
};

class TCustomIniFile {
 public:
  explicit TCustomIniFile(std::string FileName) : FFileName(std::move(FileName)) {}
  virtual ~TCustomIniFile() = default;
  TCustomIniFile(const TCustomIniFile&) = delete;
  TCustomIniFile& operator=(const TCustomIniFile&) = delete;
  const std::string& FileName() const { return FFileName; }

  virtual std::string GetText(std::string_view Section, std::string_view Key, std::string_view Default) const = 0;
  // Raises EMemIniError naming the key when it cannot stand in an INI text
  // (holds "=", CR or LF, or begins with ";" or "[").
  virtual void PutText(std::string_view Section, std::string_view Key, std::string_view Value) = 0;
  virtual int32_t GetInt(std::string_view Section, std::string_view Key, int32_t Default) const;
  virtual void PutInt(std::string_view Section, std::string_view Key, int32_t Value);
  virtual bool GetFlag(std::string_view Section, std::string_view Key, bool Default) const;
  virtual void PutFlag(std::string_view Section, std::string_view Key, bool Value);
  virtual TDateTime GetDate(std::string_view Section, std::string_view Key, TDateTime Default) const;
  virtual TDateTime GetDateTime(std::string_view Section, std::string_view Key, TDateTime Default) const;
  virtual double GetFloat(std::string_view Section, std::string_view Key, double Default) const;
  virtual TDateTime GetTime(std::string_view Section, std::string_view Key, TDateTime Default) const;
  virtual void PutDate(std::string_view Section, std::string_view Key, TDateTime Value);
  virtual void PutDateTime(std::string_view Section, std::string_view Key, TDateTime Value);
  virtual void PutFloat(std::string_view Section, std::string_view Key, double Value);
  virtual void PutTime(std::string_view Section, std::string_view Key, TDateTime Value);
  virtual void GetSectionKeys(std::string_view Section, TStrings* Strings) const = 0;
  virtual void GetSectionNames(TStrings* Strings) const = 0;
  virtual void GetSectionValues(std::string_view Section, TStrings* Strings) const = 0;
  virtual void RemoveSection(std::string_view Section) = 0;
  virtual void RemoveKey(std::string_view Section, std::string_view Key) = 0;
  virtual void Flush() = 0;
  // True when the section holds at least one key.
  bool HasSection(std::string_view Section) const;

 private:
  std::string FFileName;
};

class TMemIniFile : public TCustomIniFile {
 public:
  // Loads FileName when it names an existing file.
  explicit TMemIniFile(std::string FileName = "");
  ~TMemIniFile() override;

  std::string GetText(std::string_view Section, std::string_view Key, std::string_view Default) const override;
  void PutText(std::string_view Section, std::string_view Key, std::string_view Value) override;
  void GetSectionKeys(std::string_view Section, TStrings* Strings) const override;
  void GetSectionNames(TStrings* Strings) const override;
  void GetSectionValues(std::string_view Section, TStrings* Strings) const override;
  void RemoveSection(std::string_view Section) override;
  void RemoveKey(std::string_view Section, std::string_view Key) override;
  // Writes the text to the file name (through a temporary file and a rename);
  // EMemIniError "Unable to write to <file>" when that fails.
  void Flush() override;

  // True and the value when the key exists.
  bool FindText(std::string_view Section, std::string_view Key, std::string& Value) const;
  const TMemIniEntry* Section(std::string_view Name) const;
  void FromLines(const TStrings* Strings);
  void FromText(std::string_view Text);  // lines end at CR, LF or CR LF
  void ToLines(TStrings* Strings) const;
  std::string ToText() const;  // lines ended by CR LF
  bool Modified() const { return FModified; }
  void Clear();

 private:
  struct TSection {
    std::string Name;
    std::unique_ptr<TMemIniEntry> Entry;
  };
  int FindSection(std::string_view Name) const;
  TMemIniEntry* AddSection(std::string_view Name);  // the existing one when present
  std::vector<TSection> FSections;
  bool FModified = false;
};

// The comparison of section and key names.
int CompareNames(std::string_view A, std::string_view B);
// 1-based position of Pattern in Text, 0 when absent, 1 for an empty Pattern.
int FastPos(std::string_view Pattern, std::string_view Text);
// Field N (0..255) of Text split at Delimiter (see the .cpp).
std::string GetDelimitedField(std::string_view Text, char Delimiter, int N);

}  // namespace MemIni
