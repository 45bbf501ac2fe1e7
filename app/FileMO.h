#pragma once
// A short list of recently opened files, kept in section "FileOpen" of the
// program's settings file and shown as items of a menu. Key "1" is the newest
// entry; an empty value is a free slot. Every change goes straight to the file.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/IniFiles.h"
#include "platform/ui/Menus.h"

// A menu item that stands for one listed file: its caption shows the path,
// FileName keeps the path itself.
class TFileMenuItem : public TMenuItem {
  KV_CLASS(TFileMenuItem, TMenuItem)
 public:
  explicit TFileMenuItem(TComponent* AOwner) : TMenuItem(AOwner) {}
  std::string FileName;
};

class TFileMenuOpens : public TComponent {
  KV_CLASS(TFileMenuOpens, TComponent)
 public:
  // The list lives in SettingsFile; none: the program's settings file.
  explicit TFileMenuOpens(TComponent* AOwner, std::string SettingsFile = {});
  ~TFileMenuOpens() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  static constexpr const char* Section = "FileOpen";

  const TNotifyEvent& GetOnAction() const { return FOnAction; }
  void SetOnAction(TNotifyEvent Value);
  // Stored only; the list is kept in the settings file.
  const std::string& GetRegPath() const { return FRegPath; }
  void SetRegPath(const std::string& Value);
  uint32_t GetNumbers() const { return FNumbers; }
  void SetNumbers(uint32_t Value);
  TMenuItem* GetMenus() const { return FMenus; }
  void SetMenus(TMenuItem* Value);
  uint32_t GetMenuIndex() const { return FMenuIndex; }
  void SetMenuIndex(uint32_t Value);

  // Puts FileName at the top of the list: a listed file moves up from its
  // place, another one pushes the oldest entry out. An empty name is ignored.
  void AddFile(const std::string& FileName);
  // Replaces the items of the last rebuild by one item per filled key.
  void RebuildMenu();

  // The filled entries, newest first (holes skipped).
  std::vector<std::string> Files() const;
  const std::string& SettingsFile() const { return FIni->FileName(); }

  // A path as a menu caption: "&" is doubled so that it shows as itself.
  static std::string CaptionOf(const std::string& FileName);

 private:
  bool Designing() const;
  std::string Entry(uint32_t Key) const;
  void SetEntry(uint32_t Key, const std::string& Value);
  void WriteMissingKeys(uint32_t First, uint32_t Last);
  void RemoveItems();

  TNotifyEvent FOnAction;
  std::string FRegPath;
  uint32_t FNumbers = 4;
  TMenuItem* FMenus = nullptr;  // not owned; cleared when it is freed
  uint32_t FMenuIndex = 0;
  std::unique_ptr<TIniFile> FIni;
  std::vector<TMenuItem*> FItems;  // the items the last rebuild inserted (owned by FMenus)
};
