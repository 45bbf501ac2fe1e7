// The gravity and magnetic data file (pgm): data blocks, configuration block and
// topography block, searched case-insensitively from the beginning of the file;
// the conversion of the station levels and the sort by position.
#include <algorithm>
#include <cmath>

#include "survey/GravMag.h"
#include "survey/Survey.h"
#include "survey/SurveyText.h"

using Supermath2d::NoValue;

namespace {

// Station positions, levels and topography beyond this are no survey line (m).
constexpr double MaxCoordinate = 1e7;
constexpr double MaxAnomaly = 1e9;
constexpr double MaxFieldIntensity = 1e6;

bool Within(double v, double limit) { return std::isfinite(v) && v != NoValue && std::fabs(v) <= limit; }

std::string LineText(size_t index) { return "line " + std::to_string(index + 1); }

std::string Num(double v) { return Supermath2d::FloatToStrDec(3, 0, v); }

// Index of the first line from `from` whose lower-cased text holds both parts;
// lines.size() when none.
size_t FindLine(const arofstrM& lines, size_t from, const char* part1, const char* part2 = nullptr) {
  for (size_t i = from; i < lines.size(); ++i) {
    const std::string lower = SurveyText::LowerCase(lines[i]);
    if (SurveyText::Contains(lower, part1) && (!part2 || SurveyText::Contains(lower, part2))) return i;
  }
  return lines.size();
}

}  // namespace

namespace GravMag {

bool ReadGravMagBlock(const arofstrM& lines, const char* word, ttdata& records, arofstrM& messages) {
  const size_t start = FindLine(lines, 0, "start_d", word);
  if (start == lines.size()) return false;
  const size_t end = FindLine(lines, start + 1, "end_d", word);
  ttdata read;
  for (size_t i = start + 1; i < end; ++i) {
    const arofdoubleM v = SurveyText::Numbers(lines[i]);
    if (v.size() < 3) continue;
    if (!Within(v[0], MaxCoordinate) || !Within(v[1], MaxAnomaly) || !Within(v[2], MaxCoordinate)) {
      messages.push_back(LineText(i) + " of the " + word + " block: position, value and level must be numbers " +
                         "within " + Num(MaxCoordinate) + "; the line is skipped.");
      continue;
    }
    read.push_back({v[0], v[1], 0.0, v[2], v[2]});
  }
  if (read.empty()) return false;
  records = std::move(read);
  return true;
}

bool ReadGravMagConfig(const arofstrM& lines, TMagField& field, arofstrM& messages) {
  const size_t start = FindLine(lines, 0, "start_config");
  if (start == lines.size()) return false;
  const size_t end = FindLine(lines, start + 1, "end_config");
  if (end == lines.size()) {
    messages.push_back("The configuration block has no \"end_config\" line; the main field is unchanged.");
    return false;
  }
  size_t last = end;
  arofdoubleM values;
  for (size_t i = start + 1; i < end; ++i) {
    arofdoubleM v = SurveyText::Numbers(lines[i]);
    if (v.size() >= 4) {
      last = i;
      values = std::move(v);
    }
  }
  if (last == end) return false;
  const bool ok = Within(values[0], 90.0) && Within(values[1], 360.0) && Within(values[2], 360.0) &&
                  Within(values[3], MaxFieldIntensity) && values[3] >= 0.0;
  if (!ok) {
    messages.push_back(LineText(last) + " of the configuration block: inclination (-90..90), two azimuths " +
                       "(-360..360) and an intensity (0.." + Num(MaxFieldIntensity) +
                       ") were expected; the main field is unchanged.");
    return false;
  }
  field.Inclination = static_cast<int32_t>(std::nearbyint(values[0]));
  field.Azimuth1 = static_cast<int32_t>(std::nearbyint(values[1]));
  field.Azimuth2 = static_cast<int32_t>(std::nearbyint(values[2]));
  field.Intensity = values[3];
  return true;
}

bool ReadGravMagTopo(const arofstrM& lines, arofcomplexM& points, bool& levelsBelowGround, arofstrM& messages) {
  levelsBelowGround = false;
  const size_t start = FindLine(lines, 0, "start_topo");
  if (start == lines.size()) return false;
  levelsBelowGround = lines[start].find('#') != std::string::npos;
  const size_t end = FindLine(lines, start + 1, "end_topo");
  if (end == lines.size()) {
    messages.push_back("The topography block has no \"end_topo\" line; its points are not used.");
    return false;
  }
  arofcomplexM read;
  for (size_t i = start + 1; i < end; ++i) {
    const arofdoubleM v = SurveyText::Numbers(lines[i]);
    if (v.size() < 2) continue;
    if (!Within(v[0], MaxCoordinate) || !Within(v[1], MaxCoordinate)) {
      messages.push_back(LineText(i) + " of the topography block: x and elevation must be numbers within " +
                         Num(MaxCoordinate) + "; the line is skipped.");
      continue;
    }
    if (std::any_of(read.begin(), read.end(), [&](const complexM& p) { return p.x == v[0]; })) {
      messages.push_back(TwoElevations + Supermath2d::FloatToStrDec(0, 0, v[0]));
      continue;
    }
    read.push_back({v[0], v[1]});
  }
  if (read.empty()) return false;
  std::stable_sort(read.begin(), read.end(), [](const complexM& a, const complexM& b) { return a.x < b.x; });
  points = std::move(read);
  return true;
}

bool ConvertLevels(ttdata& grav, ttdata& mag, const arofcomplexM& ground, bool levelsBelowGround,
                   std::string& message) {
  message.clear();
  if (ground.empty()) return false;
  double zmax = ground[0].z;
  for (const complexM& p : ground) zmax = std::max(zmax, p.z);
  auto groundAt = [&](double x) { return Supermath2d::InterpolateComplex(ground, x); };
  if (levelsBelowGround) {
    for (ttdata* list : {&grav, &mag})
      for (tdata& s : *list) s.Level = zmax - groundAt(s.Position) + s.Level;
    return true;
  }
  const std::pair<ttdata*, const char*> lists[] = {{&grav, "gravity"}, {&mag, "magnetic"}};
  for (const auto& [list, name] : lists)
    for (size_t k = 0; k < list->size(); ++k) {
      const tdata& s = (*list)[k];
      const double g = groundAt(s.Position);
      if (g > s.Level) {
        message = "The station levels were left as read: " + std::string(name) + " station " +
                  std::to_string(k + 1) + " at x = " + Num(s.Position) + " has the elevation " + Num(s.Level) +
                  ", below the ground at " + Num(g) + ".";
        return false;
      }
    }
  for (ttdata* list : {&grav, &mag})
    for (tdata& s : *list) s.Level = zmax - s.Level;
  return true;
}

}  // namespace GravMag

bool TGravMag::ReadGravMagFile(const std::string& fileName) {
  arofstrM lines;
  if (!SurveyText::ReadLines(fileName, lines)) {
    Message("The file " + fileName + " cannot be read.");
    return false;
  }
  return ReadGravMagLines(lines);
}

bool TGravMag::ReadGravMagLines(const arofstrM& lines) {
  arofstrM messages;
  ttdata grav, mag;
  const bool hasGrav = GravMag::ReadGravMagBlock(lines, "grav", grav, messages);
  const bool hasMag = GravMag::ReadGravMagBlock(lines, "mag", mag, messages);
  if (!hasGrav && !hasMag) return false;

  GravMag::TMagField field = Field();
  GravMag::ReadGravMagConfig(lines, field, messages);
  arofcomplexM topo;
  bool belowGround = false;
  const bool hasTopo = GravMag::ReadGravMagTopo(lines, topo, belowGround, messages);

  // The file's points serve only where the survey has no topography of its own.
  const arofcomplexM& relief = hasTopo ? topo : FSurvey.Topography;
  const arofcomplexM& ground = FSurvey.Topography.empty() ? topo : FSurvey.Topography;
  if (relief.size() >= 2) {
    std::string problem;
    if (!GravMag::ConvertLevels(grav, mag, ground, belowGround, problem) && !problem.empty())
      messages.push_back(problem);
  }

  HasGravData = hasGrav;
  HasMagData = hasMag;
  GravData = std::move(grav);
  MagData = std::move(mag);
  MagInclination = field.Inclination;
  MagAzimuth1 = field.Azimuth1;
  MagAzimuth2 = field.Azimuth2;
  MagFieldIntensity = field.Intensity;
  LevelsBelowGround = belowGround;
  if (!messages.empty()) {
    std::string text;
    for (const std::string& m : messages) text += (text.empty() ? "" : "\n") + m;
    Message(text);
  }
  return true;
}

void TGravMag::SortGravMagData() {
  for (ttdata* list : {&GravData, &MagData})
    std::stable_sort(list->begin(), list->end(), [](const tdata& a, const tdata& b) { return a.Position < b.Position; });
}

void TGravMag::Message(const std::string& text) const {
  if (OnMessage) OnMessage(text);
}
