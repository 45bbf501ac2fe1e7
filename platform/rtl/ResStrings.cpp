#include "platform/rtl/ResStrings.h"

#include <map>

namespace ResStrings {

namespace {

std::map<int, std::string>& Table() {
  static std::map<int, std::string> table = {
      {SMsgDlgWarning, "Warning"}, {SMsgDlgError, "Error"},     {SMsgDlgInformation, "Information"},
      {SMsgDlgConfirm, "Confirm"}, {SMsgDlgYes, "&Yes"},        {SMsgDlgNo, "&No"},
      {SMsgDlgOK, "OK"},           {SMsgDlgCancel, "Cancel"},   {SMsgDlgAbort, "&Abort"},
      {SMsgDlgRetry, "&Retry"},    {SMsgDlgIgnore, "&Ignore"},  {SMsgDlgAll, "&All"},
      {SMsgDlgNoToAll, "N&o to All"}, {SMsgDlgYesToAll, "Yes to &All"}, {SMsgDlgHelp, "&Help"}};
  return table;
}

TTranslator& Current() {
  static TTranslator translator;
  return translator;
}

}  // namespace

int Register(int Id, std::string English) {
  Table()[Id] = std::move(English);
  return Id;
}

bool IsRegistered(int Id) { return Table().count(Id) != 0; }

std::string English(int Id) {
  auto it = Table().find(Id);
  return it == Table().end() ? std::string() : it->second;
}

std::string Load(int Id) { return Load(Id, ""); }

std::string Load(int Id, std::string_view Fallback) {
  auto it = Table().find(Id);
  std::string text = it == Table().end() ? std::string(Fallback) : it->second;
  if (Current()) {
    std::string translated = Current()(Id, text);
    if (!translated.empty()) return translated;
  }
  return text;
}

std::string_view LoadView(int Id, std::string_view Fallback) {
  static std::map<int, std::string> loaded;
  return loaded[Id] = Load(Id, Fallback);
}

std::vector<int> Ids() {
  std::vector<int> ids;
  for (const auto& [id, text] : Table()) ids.push_back(id);
  return ids;
}

TTranslator SetTranslator(TTranslator Translator) {
  TTranslator old = std::move(Current());
  Current() = std::move(Translator);
  return old;
}

bool HasTranslator() { return static_cast<bool>(Current()); }

}  // namespace ResStrings
