#include "survey/Overlays.h"

#include <cctype>
#include <cmath>
#include <filesystem>

#include "survey/SurveyText.h"

namespace Overlays {

namespace {

namespace fs = std::filesystem;

bool IsFile(const fs::path& Path) {
  std::error_code ec;
  return !Path.empty() && fs::is_regular_file(Path, ec);
}

// A path written on the other platform: a drive letter or backslashes.
bool ForeignPath(const std::string& Path) {
  const bool drive = Path.size() >= 2 && Path[1] == ':' && std::isalpha(static_cast<unsigned char>(Path[0]));
  return drive || Path.find('\\') != std::string::npos;
}

std::string FileNamePart(const std::string& Path) {
  const size_t slash = Path.find_last_of("/\\");
  return slash == std::string::npos ? Path : Path.substr(slash + 1);
}

std::string FirstTwoLines(const std::string& Text, std::string& Second) {
  const arofstrM lines = Supermath2d::SplitLines(Text);
  Second = lines.size() > 1 ? lines[1] : std::string();
  std::string first = lines.empty() ? std::string() : lines[0];
  // A byte-order mark of an editor that wrote UTF-8 is no part of the path.
  if (first.rfind("\xEF\xBB\xBF", 0) == 0) first.erase(0, 3);
  return first;
}

std::string Trimmed(const std::string& Text) {
  const size_t first = Text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const size_t last = Text.find_last_not_of(" \t");
  return Text.substr(first, last - first + 1);
}

}  // namespace

std::string LocatePicture(const std::string& SecFile, const std::string& PicturePath) {
  const std::string path = Trimmed(PicturePath);
  if (path.empty()) return {};
  const fs::path folder = fs::path(SecFile).parent_path();
  if (!ForeignPath(path)) {
    fs::path written(path);
    if (written.is_relative()) written = folder / written;
    if (IsFile(written)) return written.lexically_normal().string();
  }
  const std::string name = FileNamePart(path);
  if (name.empty()) return {};
  const fs::path beside = folder / name;
  return IsFile(beside) ? beside.string() : std::string();
}

bool ParsePictureOverlay(const std::string& SecFile, const std::string& Text, TPictureOverlay& Overlay,
                         std::string& Problem) {
  Problem.clear();
  std::string second;
  const std::string picture = LocatePicture(SecFile, FirstTwoLines(Text, second));
  if (picture.empty()) return false;
  arofdoubleM corners;
  Supermath2d::ParseDoubles(second, 0, corners);
  const std::string name = FileNamePart(SecFile);
  if (corners.size() != 4) {
    Problem = name + ", line 2: expected four numbers x1 y1 x2 y2 of the picture's corners, found " +
              std::to_string(corners.size());
    return false;
  }
  for (double v : corners)
    if (!std::isfinite(v)) {
      Problem = name + ", line 2: the picture's corners must be finite numbers";
      return false;
    }
  if (corners[0] == corners[2] || corners[1] == corners[3]) {
    Problem = name + ", line 2: the picture's corners span no area (x1 = x2 or y1 = y2)";
    return false;
  }
  Overlay = {picture, corners[0], corners[1], corners[2], corners[3]};
  return true;
}

bool ReadPictureOverlay(const std::string& SecFile, TPictureOverlay& Overlay, std::string& Problem) {
  std::string text;
  if (!Supermath2d::ReadFileBytes(SecFile, text)) {
    Problem = "Cannot read the file " + SecFile;
    return false;
  }
  return ParsePictureOverlay(SecFile, text, Overlay, Problem);
}

bool ParsePointOverlay(const std::string& Text, arofcomplexM& Points) {
  arofcomplexM points;
  arofdoubleM values;
  for (const std::string& line : Supermath2d::SplitLines(Text)) {
    Supermath2d::ParseDoubles(line, 0, values);
    if (values.size() < 2 || !std::isfinite(values[0]) || !std::isfinite(values[1])) continue;
    points.push_back({values[0], values[1]});
  }
  // Fewer than two points make no curve: the previous one stays.
  if (points.size() < 2) return false;
  Points = std::move(points);
  return true;
}

bool ReadPointOverlay(const std::string& FileName, arofcomplexM& Points) {
  std::string text;
  if (!Supermath2d::ReadFileBytes(FileName, text)) return false;
  return ParsePointOverlay(text, Points);
}

}  // namespace Overlays
