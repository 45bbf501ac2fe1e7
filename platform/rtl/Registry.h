#pragma once
// The system registry: a tree of keys under a few roots, each key holding
// named string, integer and binary values. Kept in one file in the user's
// configuration folder ($KV_CONFIG_DIR, else $XDG_CONFIG_HOME/kelmvev2er,
// else ~/.config/kelmvev2er); every change is written at once, atomically.
// Key and value names are case-insensitive. Paths use "\"; a path starting
// with "\" is absolute, any other is relative to the open key.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

KV_EXCEPTION_CLASS(ERegistryException, Exception);

using HKEY = uint32_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
constexpr HKEY HKEY_USERS = 0x80000003u;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;
constexpr HKEY HKEY_DYN_DATA = 0x80000006u;

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
  TRegDataType RegData = TRegDataType::rdUnknown;
  int DataSize = 0;
};

class TRegistry : public TObject {
  KV_CLASS(TRegistry, TObject)
 public:
  TRegistry();
  ~TRegistry() override;

  HKEY GetRootKey() const { return FRootKey; }
  void SetRootKey(HKEY Value);  // closes the open key
  const std::string& CurrentPath() const { return FCurrentPath; }
  bool HasOpenKey() const { return FOpen; }

  // False when the key does not exist and CanCreate is false.
  bool OpenKey(std::string_view Key, bool CanCreate);
  bool OpenKeyReadOnly(std::string_view Key);
  void CloseKey();
  bool CreateKey(std::string_view Key);
  bool DeleteKey(std::string_view Key);  // with all its sub-keys
  bool KeyExists(std::string_view Key) const;
  bool HasSubKeys() const;
  void GetKeyNames(TStrings* Strings) const;    // sub-keys of the open key
  void GetValueNames(TStrings* Strings) const;  // values of the open key

  bool ValueExists(std::string_view Name) const;
  bool DeleteValue(std::string_view Name);
  bool GetDataInfo(std::string_view Name, TRegDataInfo& Info) const;
  TRegDataType GetDataType(std::string_view Name) const;
  int GetDataSize(std::string_view Name) const;  // -1 when the value is absent

  // Reads of an absent value or a value of another type raise
  // ERegistryException "Failed to get data for 'x'" / "Invalid data type for 'x'",
  // except ReadString, which gives "" for an absent value. Writes without an
  // open key, or on one opened read-only, raise "Failed to set data for 'x'".
  std::string ReadString(std::string_view Name) const;
  void WriteString(std::string_view Name, std::string_view Value);
  void WriteExpandString(std::string_view Name, std::string_view Value);
  int32_t ReadInteger(std::string_view Name) const;
  void WriteInteger(std::string_view Name, int32_t Value);
  bool ReadBool(std::string_view Name) const;
  void WriteBool(std::string_view Name, bool Value);
  double ReadFloat(std::string_view Name) const;  // 8 binary bytes
  void WriteFloat(std::string_view Name, double Value);
  TDateTime ReadDateTime(std::string_view Name) const;
  void WriteDateTime(std::string_view Name, TDateTime Value);
  // Copies the value and returns its size; a buffer smaller than the value
  // raises "Failed to get data for 'x'" rather than cutting it off.
  int ReadBinaryData(std::string_view Name, void* Buffer, int BufSize) const;
  void WriteBinaryData(std::string_view Name, const void* Buffer, int BufSize);

 private:
  std::string FullPath(std::string_view Key) const;
  void CheckWritable(std::string_view Name) const;
  HKEY FRootKey = HKEY_CURRENT_USER;
  std::string FCurrentPath;
  bool FOpen = false;
  bool FReadOnly = false;
};

namespace Registry {

// The folder of the settings store and the store file in it.
std::string ConfigDir();
std::string StoreFileName();
// Forgets what was read, so the next access reads the file again (tests,
// reopening after another process changed it).
void ReloadStore();

}  // namespace Registry
