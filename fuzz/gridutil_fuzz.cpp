// Cell texts that come from files, the clipboard and typing: every reader of
// GridUtil takes them without crashing, hanging or reading out of bounds.
#include "grid/GridUtil.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string text(reinterpret_cast<const char*>(Data), Size);
  const size_t cut = text.find('\n');
  const std::string condition = cut == std::string::npos ? text : text.substr(0, cut);
  const std::string cell = cut == std::string::npos ? text : text.substr(cut + 1);
  GridUtil::MatchCondition(condition, cell, false);
  GridUtil::MatchCondition(condition, cell, true);
  GridUtil::NumberKind(text);
  GridUtil::NumberText(text);
  GridUtil::TextKind(text, true);
  GridUtil::ProperCase(text);
  GridUtil::DecodeWideText(text);
  GridUtil::ShownText(text);
  TPoint p;
  GridUtil::ParseCellRef(text, p);
  TDateTime d = 0;
  GridUtil::ParseLocaleDate(text, d);
  try {
    GridUtil::ParseUSDate(text);
    GridUtil::ParseEUDate(text);
  } catch (const EConvertError&) {
  }
  int pos = 0;
  GridUtil::ClosingQuotePos('"', text, pos);
  GridUtil::ClosingQuoteCount('"', text);
  GridUtil::UnquoteChar('"', text);
  std::string s = text, line;
  GridUtil::LfToCrLf(s);
  GridUtil::QuoteMultiline(s);
  s = text;
  while (!s.empty()) GridUtil::TakeFirstLine(s, true, line);
  return 0;
}
