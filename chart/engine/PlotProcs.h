#pragma once
// Free routines shared by the whole chart engine, its editors and series:
// date-time steps, number-text localisation, item lists in one string, hit
// tests, index sorting, the default colour palette, editor options in the
// registry, the translation hook and the base of the data exporters.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Types.h"

class TCanvas;
class TBitmap;
class TComponent;
class TControl;
class TStream;
class TObject;

namespace PlotProcs {

// ---- Date-time steps -------------------------------------------------------

// Number of entries of the step table; the last one means "no step".
constexpr int DateTimeStepCount = 28;
// Step indices with a name of their own.
enum DateTimeStepIndex : int {
  dtOneMicroSecond = 0,
  dtOneMillisecond = 1,
  dtOneSecond = 2,
  dtOneDay = 16,
  dtHalfMonth = 20,
  dtOneMonth = 21,
  dtSixMonths = 25,
  dtOneYear = 26,
  dtNone = 27,
};
// The steps in days, indexed 0..27.
extern const double DateTimeStep[DateTimeStepCount];
// 1 January 1900 as a date-time value (set at start-up).
extern double BaseDate;

int32_t DaysOfMonth(int Year, int Month);
std::string DefaultDateTimeFormat(double Step);
double NextDateTimeStep(double Step);
int NearestDateTimeStep(double Step);
double TruncDateToStep(int StepIndex, double Value);
void IncDecDateTime(bool Calendar, bool Increase, double& Value, int StepIndex, double StepValue);

// ---- Numbers and text ------------------------------------------------------

// Separator of CountItems/ItemAt (initially ";").
extern std::string ItemSeparator;

std::string IntToText(int64_t N);
std::string LocalizeNumberText(const std::string& S);
std::string DelocalizeNumberText(const std::string& S);
// Every Old replaced by New; removed when New is the null character.
std::string ReplaceChar(const std::string& S, char Old, char New);
int32_t CountItems(const std::string& S);
int32_t CountItemsSep(const std::string& S, const std::string& Sep);
std::string ItemAt(const std::string& S, int32_t N);
std::string ItemAtSep(const std::string& S, int32_t N, const std::string& Sep);
std::string UniqueName(TComponent* Owner, const std::string& BaseName);

// ---- Geometry (pixels) -----------------------------------------------------

bool PointNearSegment(TPoint P, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Tolerance);
bool PointNearLineTol(TPoint P, TPoint P0, TPoint P1, int32_t Tolerance);
bool PointNearLineXY(int32_t X, int32_t Y, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Tolerance);
bool PointOnLine(TPoint P, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1);
bool PointOnLinePoints(TPoint P, TPoint P0, TPoint P1);
// Crossing rule; points on the right or lower edges count as outside.
bool PointInPolygon(TPoint P, const TPoint* Points, int32_t High);
bool PointInPolygon(TPoint P, const std::vector<TPoint>& Points);
bool PointInTriangle(TPoint P, TPoint P0, TPoint P1, TPoint P2);
bool PointInTriangleUp(TPoint P, int32_t X0, int32_t X1, int32_t YBase, int32_t YApex);
bool PointInTriangleSide(TPoint P, int32_t Y0, int32_t Y1, int32_t XBase, int32_t XApex);
bool PointInEllipse(TPoint P, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom);
bool PointInEllipseRect(TPoint P, const TRect& Rect);
// Whether segment 1-2 crosses segment 3-4; X, Y receive the crossing point of
// the two lines (the end point 2 for parallel lines).
bool LinesCross(double& X, double& Y, double X1, double Y1, double X2, double Y2, double X3, double Y3,
                double X4, double Y4);

// ---- Other routines --------------------------------------------------------

using TCompareIndex = std::function<int(int32_t A, int32_t B)>;
using TSwapIndex = std::function<void(int32_t A, int32_t B)>;
// Quicksort of the indices First..Last through the two callbacks.
void SortIndexRange(int32_t First, int32_t Last, const TCompareIndex& Compare, const TSwapIndex& Swap);

// Adds Item unless present; answers its index.
template <class T>
int32_t ListAddOnce(std::vector<T>& List, const T& Item) {
  for (size_t i = 0; i < List.size(); ++i)
    if (List[i] == Item) return static_cast<int32_t>(i);
  List.push_back(Item);
  return static_cast<int32_t>(List.size() - 1);
}

void EnableControls(bool Enable, const std::vector<TControl*>& Controls);
void DrawCheckMark(int32_t X, int32_t Y, TCanvas& Canvas, bool Checked, bool IsCheckBox);
TPoint MouseClientPos(TControl& Control);
double DeviceAspect(TCanvas& Canvas);

// ---- Colour palette --------------------------------------------------------

extern std::vector<TColor> ColorPalette;
void SetDefaultPalette();
void SetColorPalette(const TColor* Colors, int32_t High);
TColor GetDefaultColor(int32_t Index);

// ---- Resources, cursor, editor options -------------------------------------

// Cursor slot of the hand cursor.
constexpr int32_t crPlotHand = 2020;
// The loaded modules' bitmap resources, searched in order; each answers
// whether it loaded the named bitmap.
extern std::vector<std::function<bool(const std::string& Name, TBitmap& Bitmap)>> ResourceModules;
void LoadResBitmap(TBitmap& Bitmap, const std::string& Name1, const std::string& Name2);
// The gallery picture of a series type: its class name, else its parent's.
void LoadSeriesBitmap(const TObject& Series, TBitmap& Bitmap);
extern const char* const EditorKey;
bool ReadEditorBool(const std::string& Name, bool Default);
int32_t ReadEditorInteger(const std::string& Name, int32_t Default);
void WriteEditorBool(const std::string& Name, bool Value);

// ---- Translation hook ------------------------------------------------------

using TTranslateHook = std::function<void(TComponent* Component, const std::vector<TComponent*>& Excluded)>;
// Empty until a translation unit installs one.
extern TTranslateHook TranslateHook;
void CallTranslateHook(TComponent* Component, const std::vector<TComponent*>& Excluded);
void TranslateControl(TControl* Control);

// Start-up and shut-down of the unit (tests call them to reset its state).
void Initialize();
void Finalize();

}  // namespace PlotProcs

// Base of the data exporters (text, XML, HTML and spreadsheet exports).
class TPlotExportData {
public:
  virtual ~TPlotExportData() = default;
  virtual std::string ExportedText() { return {}; }
  virtual void CopyTextToClipboard();
  virtual void WriteToFile(const std::string& FileName);
  virtual void WriteToStream(TStream& Stream);
};
