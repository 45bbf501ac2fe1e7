#pragma once
// Well logs (carotage data) over the model section: the crt list file, the log
// data files, the level alignment of groups and the scale and strip arithmetic
// of the drawing. Nothing here needs a window.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "numerics/Supermath2d.h"

class TChartImageTool;
class TLineSeries;

namespace WellLogs {

struct carotagedata {
  std::string FileName;
  int32_t Kind = 0;        // 0 curve; 1, 2, 3 column picture
  uint8_t LogFlag = 0;     // values are stored as their natural logarithm
  double X = 0.0;          // well position along the profile
  double StripLeft = 0.0;  // strip limits on the profile, set at every drawing
  double StripRight = 0.0;
  double Width = 0.0;  // strip half-width in percent of the visible profile range
  arofcomplexM Points;  // (depth, value) per data line
  arofintM Code1;
  arofintM Code2;
  double Minimum = 0.0;  // after the log flag and the level alignment
  double Maximum = 0.0;
  // The drawing's chart objects, owned by the main window (freed with the logs).
  TChartImageTool* PictureTool = nullptr;
  TLineSeries* Series = nullptr;
  std::string Caption;
  int32_t AlignmentMode = 0;  // 0 common scale; 1 common scale and level; 2 own scale and level; else own scale
  int32_t Group = 0;
  int32_t Colour = 0;  // TColor of the curve
  double Mean = 0.0;   // robust mean of the values
};
using arofcarotagedata = std::vector<carotagedata>;

// The data file named in a crt file at CrtFile: relative paths are taken from the
// crt file's folder; a path with a drive letter or backslashes by its file name
// beside the crt file.
std::string ResolveDataPath(const std::string& CrtFile, const std::string& Named);

// The entries of a crt text (three lines each). Exists answers whether a data
// file is there; an entry naming a missing file, or whose parameter line holds
// fewer than seven numbers, is left out with a note in Notes.
arofcarotagedata ParseList(const std::string& CrtFile, const std::string& Text,
                           const std::function<bool(const std::string&)>& Exists, std::vector<std::string>& Notes);

// Reads a log's data text into Log (points, codes, minimum and maximum); false,
// with a note, when no line gives a usable point. Under the log flag values that
// are not positive are dropped (noted).
bool ParseLogData(const std::string& Text, carotagedata& Log, std::vector<std::string>& Notes);

// Robust mean of every log, then the level alignment: a log in mode 1 or 2 is
// shifted so that its mean is the plain mean of its group's means.
void AlignLevels(arofcarotagedata& Logs);

// The whole read of a crt file: the list, every data file, means and alignment.
// Notes lists skipped entries, missing data files and dropped values.
arofcarotagedata ReadCarotageFile(const std::string& CrtFile, std::vector<std::string>& Notes);

// The half-width of a strip for the visible profile range.
double HalfWidth(double Maximum, double Minimum, double Width);

// Whether log I lies within the visible profile range.
bool IsVisible(const carotagedata& Log, double Maximum, double Minimum);

// The value scale of log I: with mode 0 or 1 the range over it and the visible logs
// of its group (and the same rule); otherwise its own.
void ValueScale(const arofcarotagedata& Logs, size_t I, double Maximum, double Minimum, double& Lo, double& Hi);

// Profile position of a curve point: the value mapped across the strip
// [X - W, X + W]; a log without spread (Hi == Lo) sits at the strip centre.
double CurveX(double X, double W, double Value, double Lo, double Hi);

// The colour and pattern codes of pixel row Row of Rows for a column picture:
// the depth at the row's middle, the data interval holding it and, for kind 2,
// codes interpolated between its ends and rounded; kinds 1 and 3 give pattern -1.
void RowCodes(const carotagedata& Log, int32_t Row, int32_t Rows, int32_t& Colour, int32_t& Pattern);

}  // namespace WellLogs
