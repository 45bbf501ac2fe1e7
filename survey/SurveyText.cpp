#include "survey/SurveyText.h"

#include "platform/rtl/FileStore.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace SurveyText {

bool ReadLines(const std::string& fileName, arofstrM& lines) {
  lines.clear();
  std::string bytes;
  if (!Supermath2d::ReadFileBytes(fileName, bytes)) return false;
  lines = Supermath2d::SplitLines(bytes);
  return true;
}

bool WriteFile(const std::string& fileName, const std::string& text) {
  std::string error;
  return FileStore::WriteFileAtomic(fileName, text, error);
}

void TokenViews(std::string_view line, std::vector<std::string_view>& tokens) {
  tokens.clear();
  size_t p = 0;
  while (p < line.size()) {
    while (p < line.size() && (line[p] == ' ' || line[p] == '\t')) ++p;
    const size_t start = p;
    while (p < line.size() && line[p] != ' ' && line[p] != '\t') ++p;
    if (p > start) tokens.push_back(line.substr(start, p - start));
  }
}

arofstrM Tokens(const std::string& line) {
  std::vector<std::string_view> views;
  TokenViews(line, views);
  return arofstrM(views.begin(), views.end());
}

arofdoubleM Numbers(const std::string& line) {
  arofdoubleM values;
  Supermath2d::ParseDoubles(line, 0, values);
  return values;
}

std::string LowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

std::string ChangeExtension(const std::string& fileName, const char* ext) {
  return std::filesystem::path(fileName).replace_extension(ext).string();
}

}  // namespace SurveyText
