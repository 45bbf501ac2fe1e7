// Text helpers shared by the survey's file readers and writers (not part of the
// survey's interface).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "numerics/Supermath2d.h"

namespace SurveyText {

// Lines of a text file; line ends CR LF, LF or CR. False when the file cannot be read.
bool ReadLines(const std::string& fileName, arofstrM& lines);
// Writes the text as the whole file. False when the file cannot be written.
bool WriteFile(const std::string& fileName, const std::string& text);
// Tokens separated by runs of blanks and tabs.
arofstrM Tokens(const std::string& line);
// The same tokens as views into the line (cleared first).
void TokenViews(std::string_view line, std::vector<std::string_view>& tokens);
// Numbers among the blank-separated tokens of the line.
arofdoubleM Numbers(const std::string& line);
std::string LowerCase(std::string text);
bool Contains(const std::string& text, const char* part);
// The file name with its extension replaced (ext with its point).
std::string ChangeExtension(const std::string& fileName, const char* ext);

}  // namespace SurveyText
