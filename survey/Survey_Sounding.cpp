// Conversion of the one-dimensional sounding program's files (qlf) into the own
// survey file (k2d): every sounding of the line becomes measurements at its position,
// and the soundings' positions and elevations become the relief.
#include <cmath>

#include "survey/Survey.h"
#include "survey/SurveyText.h"

using Supermath2d::NoValue;

namespace {

// The spacing lists of the file: AB/2 from the first line of four or more numbers, MN
// from the next line when it has as many numbers, else a third of the first AB/2.
struct TSpacings {
  arofdoubleM HalfAB;
  arofdoubleM MN;
  size_t NextLine = 0;  // the line after the MN line
};

bool FindSpacings(const arofstrM& lines, TSpacings& s) {
  size_t i = 0;
  while (i < lines.size() && SurveyText::Numbers(lines[i]).size() < 4) ++i;
  if (i == lines.size()) return false;
  s.HalfAB = SurveyText::Numbers(lines[i]);
  const arofdoubleM mn = i + 1 < lines.size() ? SurveyText::Numbers(lines[i + 1]) : arofdoubleM{};
  s.MN = mn.size() == s.HalfAB.size() ? mn : arofdoubleM(s.HalfAB.size(), s.HalfAB[0] / 3);
  s.NextLine = i + 2;
  return true;
}

std::string PositionText(double x) { return Supermath2d::FloatToStrDec(1, 1, x); }

}  // namespace

int32_t TSurvey::ConvertSoundingFile(const std::string& fileName) {
  arofstrM lines;
  if (!SurveyText::ReadLines(fileName, lines)) {
    Message("Cannot read the file \"" + fileName + "\".");
    return Survey::ReadError;
  }
  bool withEta = false;
  for (const std::string& line : lines) withEta = withEta || SurveyText::Contains(SurveyText::LowerCase(line), "eta_a");
  TSpacings spacings;
  if (!FindSpacings(lines, spacings)) {
    Message("The file \"" + fileName +
            "\" has no line of spacings (at least four numbers): it cannot be converted.");
    return Survey::ReadError;
  }
  const std::string outName = SurveyText::ChangeExtension(fileName, ".k2d");
  // The file is created before the questions, so that a name that cannot be written
  // is reported before the user answers them.
  if (!SurveyText::WriteFile(outName, "")) {
    Message("Cannot write the file \"" + outName + "\".");
    return Survey::ReadError;
  }

  // Asks until the answer is a number within the bounds; a cancelled box gives the default.
  auto ask = [&](const char* caption, const std::string& preset, double lower, double upper) {
    for (;;) {
      std::string answer = preset;
      if (!Window || !Window->InputBox(caption, answer)) answer = preset;
      const double v = Supermath2d::StrToFloatChecked(answer, true, lower, upper);
      if (v != NoValue) return v;
    }
  };
  const auto count = static_cast<double>(spacings.HalfAB.size());
  const double scale = ask("Set horisontal scale", "1", 0.001, 10000);
  const std::string eol = "\r\n";
  std::string text = withEta ? "c1 c2 p1 p2 ro_a eta_a" + eol : "c1 c2 p1 p2 ro_a" + eol;
  const double first = std::nearbyint(ask("Set minimal spacing number", "1", 1, count - 2));
  const double last =
      std::nearbyint(ask("Set maximal spacing number", Supermath2d::FloatToStrDec(0, 0, count), first, count));

  arofcomplexM soundings;
  size_t i = spacings.NextLine;
  for (;;) {
    while (i < lines.size() && !SurveyText::Contains(lines[i], "{")) ++i;
    if (i >= lines.size()) break;
    i += 2;  // the "{" line and the line after it
    const arofdoubleM place = i < lines.size() ? SurveyText::Numbers(lines[i]) : arofdoubleM{};
    ++i;
    const double x = place.empty() ? NoValue : place[0] * scale;
    if (x != NoValue) soundings.push_back({x, place.size() > 1 ? place[1] : 0.0});
    // Each block has its own values: a block without a resistivity line gives none.
    arofstrM rhoTokens, etaTokens;
    for (; i < lines.size(); ++i) {
      const std::string lower = SurveyText::LowerCase(lines[i]);
      if (SurveyText::Contains(lower, "ro_a")) rhoTokens = SurveyText::Tokens(lines[i]);
      if (withEta && SurveyText::Contains(lower, "eta_a")) etaTokens = SurveyText::Tokens(lines[i]);
      if (SurveyText::Contains(lower, "}")) break;
    }
    if (x == NoValue) continue;
    for (size_t t = 1; t < rhoTokens.size(); ++t) {
      const auto j = static_cast<double>(t);
      if (Supermath2d::StrToFloatChecked(rhoTokens[t], false, 0, 0) == NoValue || j < first || j > last ||
          t > spacings.HalfAB.size())
        continue;
      const double halfAB = spacings.HalfAB[t - 1], halfMN = spacings.MN[t - 1] / 2;
      // The potential electrodes go to the current-electrode columns and the other way round.
      text += PositionText(x - halfMN) + " " + PositionText(x + halfMN) + " " + PositionText(x - halfAB) + " " +
              PositionText(x + halfAB) + " " + rhoTokens[t];
      // Without a polarizability of its own the line still carries the column, so that
      // the k2d reader keeps its resistivity ("*" reads as no value).
      if (withEta) text += " " + (etaTokens.size() == rhoTokens.size() ? etaTokens[t] : std::string("*"));
      text += eol;
    }
  }
  text += "topo" + eol;
  for (const complexM& p : soundings) text += PositionText(p.x) + " " + PositionText(p.z) + eol;

  if (!SurveyText::WriteFile(outName, text)) {
    Message("Cannot write the file \"" + outName + "\".");
    return Survey::ReadError;
  }
  Message(Survey::ConversionComplete);
  return Survey::ReadError;
}
