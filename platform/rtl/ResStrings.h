#pragma once
// The program's replaceable texts ("resource strings"): each registered once
// with a number and its English text, and read through the table. While a
// translator is installed, reading a text asks it for the translation;
// without one the English text comes back.

#include <functional>
#include <string>
#include <string_view>
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
// As Load, with Fallback as the English text while Id is not registered yet.
std::string Load(int Id, std::string_view Fallback);
// As Load, kept for Id in the table: the view stays valid until Id is read
// this way again.
std::string_view LoadView(int Id, std::string_view Fallback);
// Registered numbers in ascending order.
std::vector<int> Ids();

using TTranslator = std::function<std::string(int Id, const std::string& English)>;
// Installs Translator (empty: none). Returns the one it replaces.
TTranslator SetTranslator(TTranslator Translator);
bool HasTranslator();

// A named replaceable text of a unit: a number and its built-in English text.
// Every read goes through the table, so a translator's answer or a replaced
// English text reaches each reader. It is constant-initialised, so a unit
// starting before the text's own unit still reads the built-in English.
// Main thread only (a read as a view keeps its result in the table).
class TResString {
public:
  constexpr TResString(int Id, const char* English) : FId(Id), FDefault(English) {}
  TResString(const TResString&) = delete;
  TResString& operator=(const TResString&) = delete;

  int Id() const { return FId; }
  const char* DefaultText() const { return FDefault; }
  // Registers the built-in English text (again), undoing replacements.
  void Reset() const { Register(FId, FDefault); }
  // Replaces the English text.
  TResString& operator=(std::string English) {
    Register(FId, std::move(English));
    return *this;
  }

  std::string Text() const { return Load(FId, FDefault); }
  // The English text (registered or built-in), never translated.
  std::string EnglishText() const { return IsRegistered(FId) ? English(FId) : std::string(FDefault); }
  operator std::string() const { return Text(); }
  // The view stays valid until this text is read again.
  operator std::string_view() const { return LoadView(FId, FDefault); }
  bool empty() const { return Text().empty(); }

  friend bool operator==(const TResString& A, std::string_view B) { return A.Text() == B; }
  friend std::string operator+(const TResString& A, std::string_view B) { return A.Text().append(B); }
  friend std::string operator+(std::string_view A, const TResString& B) { return std::string(A).append(B.Text()); }
  friend std::string operator+(const TResString& A, char B) { return A.Text() + B; }
  friend std::string operator+(char A, const TResString& B) { return A + B.Text(); }
  friend std::string operator+(const TResString& A, const TResString& B) { return A.Text() + B.Text(); }

private:
  int FId;
  const char* FDefault;
};

}  // namespace ResStrings
