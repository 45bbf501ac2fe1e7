#pragma once
// Settings files of sections and "key=value" lines. Section and key names are
// case-insensitive; values are kept as written. Numbers are written with "."
// and read with "." or ",", so a file stays readable under any locale.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

KV_EXCEPTION_CLASS(EIniFileException, Exception);

class TCustomIniFile : public TObject {
  KV_CLASS(TCustomIniFile, TObject)
 public:
  explicit TCustomIniFile(std::string FileName) : FFileName(std::move(FileName)) {}
  const std::string& FileName() const { return FFileName; }

  // Storage primitives of a concrete file.
  virtual std::string ReadString(std::string_view Section, std::string_view Ident,
                                 std::string_view Default) const = 0;
  virtual void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) = 0;
  virtual void ReadSection(std::string_view Section, TStrings* Strings) const = 0;   // key names
  virtual void ReadSections(TStrings* Strings) const = 0;                            // section names
  virtual void ReadSectionValues(std::string_view Section, TStrings* Strings) const = 0;  // "key=value"
  virtual void EraseSection(std::string_view Section) = 0;
  virtual void DeleteKey(std::string_view Section, std::string_view Ident) = 0;
  virtual void UpdateFile() = 0;

  // Typed access through ReadString/WriteString; a value that does not read
  // as the type gives the default.
  int32_t ReadInteger(std::string_view Section, std::string_view Ident, int32_t Default) const;
  void WriteInteger(std::string_view Section, std::string_view Ident, int32_t Value);
  bool ReadBool(std::string_view Section, std::string_view Ident, bool Default) const;
  void WriteBool(std::string_view Section, std::string_view Ident, bool Value);  // "1" / "0"
  double ReadFloat(std::string_view Section, std::string_view Ident, double Default) const;
  void WriteFloat(std::string_view Section, std::string_view Ident, double Value);
  virtual bool SectionExists(std::string_view Section) const;
  virtual bool ValueExists(std::string_view Section, std::string_view Ident) const;

 private:
  std::string FFileName;
};

// Reads the file when it changed on disk and writes every change through to
// it at once (as a whole, through a temporary file and a rename). A write that
// fails raises EIniFileException "Unable to write to <file>".
class TIniFile : public TCustomIniFile {
  KV_CLASS(TIniFile, TCustomIniFile)
 public:
  explicit TIniFile(std::string FileName);
  ~TIniFile() override;

  std::string ReadString(std::string_view Section, std::string_view Ident,
                         std::string_view Default) const override;
  void WriteString(std::string_view Section, std::string_view Ident, std::string_view Value) override;
  void ReadSection(std::string_view Section, TStrings* Strings) const override;
  void ReadSections(TStrings* Strings) const override;
  void ReadSectionValues(std::string_view Section, TStrings* Strings) const override;
  void EraseSection(std::string_view Section) override;
  void DeleteKey(std::string_view Section, std::string_view Ident) override;
  void UpdateFile() override {}  // every change is already on disk

 private:
  struct TData;
  TData& Data() const;  // the file's content, re-read when it changed on disk
  void Save();
  TData* FData;
};
