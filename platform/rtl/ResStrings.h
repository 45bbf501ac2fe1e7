#pragma once
// The program's replaceable texts ("resource strings"): each registered once
// with a number and its English text, and read through the table. While a
// translator is installed, reading a text asks it for the translation;
// without one the English text comes back.

#include <functional>
#include <string>
#include <vector>

namespace ResStrings {

// Numbers of the message-dialog captions and buttons (the platform's own texts).
enum : int {
  SMsgDlgWarning = 65001, SMsgDlgError, SMsgDlgInformation, SMsgDlgConfirm, SMsgDlgYes, SMsgDlgNo, SMsgDlgOK,
  SMsgDlgCancel, SMsgDlgAbort, SMsgDlgRetry, SMsgDlgIgnore, SMsgDlgAll, SMsgDlgNoToAll, SMsgDlgYesToAll,
  SMsgDlgHelp
};

// Registers Id with its English text (a second registration of Id replaces
// the text) and returns Id.
int Register(int Id, std::string English);
bool IsRegistered(int Id);
// The English text of Id, "" when Id is not registered.
std::string English(int Id);
// The text of Id: the translator's answer while one is installed (an empty
// answer keeps the English text), else the English text.
std::string Load(int Id);
// Registered numbers in ascending order.
std::vector<int> Ids();

using TTranslator = std::function<std::string(int Id, const std::string& English)>;
// Installs Translator (empty: none). Returns the one it replaces.
TTranslator SetTranslator(TTranslator Translator);
bool HasTranslator();

}  // namespace ResStrings
