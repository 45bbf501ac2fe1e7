#include "chart/engine/PlotProCo.h"

namespace PlotProCo {

// Every text: its name, its number in the resource-string table and its
// built-in English wording. The numbers are stable: translations refer to them.
#define PLOTPROCO_TEXTS(X) \
  X(MsgMap, 61001, "Map") \
  X(MsgErrorBar, 61002, "Error Bar") \
  X(MsgError, 61003, "Error") \
  X(MsgHighLow, 61004, "High-Low") \
  X(MsgStats, 61005, "Stats") \
  X(MsgLow, 61006, "Low") \
  X(MsgStdError, 61007, "StdError") \
  X(MsgCursor, 61008, "Cursor") \
  X(MsgDragMarks, 61009, "Drag Marks") \
  X(MsgAxisArrows, 61010, "Axis Arrows") \
  X(MsgDrawLine, 61011, "Draw Line") \
  X(MsgNearestPoint, 61012, "Nearest Point") \
  X(MsgColorBand, 61013, "Color Band") \
  X(MsgColorLine, 61014, "Color Line") \
  X(MsgRotate, 61015, "Rotate") \
  X(MsgImage, 61016, "Image") \
  X(MsgMarkTips, 61017, "Mark Tips") \
  X(MsgAnnotation, 61018, "Annotation") \
  X(MsgNoHigh, 61019, "No High") \
  X(MsgNoLow, 61020, "No Low") \
  X(MsgColorRange, 61021, "Color Range") \
  X(MsgSeriesAnimation, 61022, "Series Animation") \
  X(MsgGridBand, 61023, "Grid Band") \
  X(MsgAxisScroll, 61024, "Axis Scroll") \
  X(MsgRectangle, 61025, "Rectangle") \
  X(MsgClipSeries, 61026, "Clip Series") \
  X(MsgLegendScrollbar, 61027, "Legend Scrollbar") \
  X(MsgDonut, 61028, "Donut") \
  X(MsgGrid3D, 61029, "Grid 3D") \
  X(MsgBox, 61030, "Box") \
  X(MsgExtrOut, 61031, "ExtrOut") \
  X(MsgMildOut, 61032, "MildOut") \
  X(MsgStop, 61033, "Stop") \
  X(MsgExecute, 61034, "Execute !") \
  X(MsgPolar, 61035, "Polar") \
  X(MsgCandle, 61036, "Candle") \
  X(MsgVolume, 61037, "Volume") \
  X(MsgSurface, 61038, "Surface") \
  X(MsgContour, 61039, "Contour") \
  X(MsgBezier, 61040, "Bezier") \
  X(MsgPoint3D, 61041, "Point 3D") \
  X(MsgRadar, 61042, "Radar") \
  X(MsgBar3D, 61043, "Bar 3D") \
  X(MsgBigCandle, 61044, "Big Candle") \
  X(MsgLinePoint, 61045, "Line Point") \
  X(MsgHistogram, 61046, "Histogram") \
  X(MsgWaterFall, 61047, "Water Fall") \
  X(MsgWindRose, 61048, "Wind Rose") \
  X(MsgClock, 61049, "Clock") \
  X(MsgColorGrid, 61050, "Color Grid") \
  X(MsgBoxPlot, 61051, "BoxPlot") \
  X(MsgHorizontalBoxPlot, 61052, "Horizontal\rBoxPlot") \
  X(MsgBarJoin, 61053, "Bar Join") \
  X(MsgSmith, 61054, "Smith") \
  X(MsgPyramid, 61055, "Pyramid") \
  X(MsgPolynomialDegreeMustBeBetween1And20, 61056, "Polynomial degree must be between 1 and 20") \
  X(MsgCannotProcessFitting, 61057, "Cannot process fitting") \
  X(MsgExpAverageWeightMustBeBetween0And1, 61058, "ExpAverage Weight must be between 0 and 1") \
  X(MsgMomentum, 61059, "Momentum") \
  X(MsgMomentumDivision, 61060, "Momentum\rDivision") \
  X(MsgExponentialAverage, 61061, "Exponential\rAverage") \
  X(MsgMovingAverage, 61062, "Moving\rAverage") \
  X(MsgExpMovingAverage, 61063, "Exp.Moving\rAverage") \
  X(MsgRSI, 61064, "R.S.I.") \
  X(MsgCurveFitting, 61065, "Curve Fitting") \
  X(MsgTrend, 61066, "Trend") \
  X(MsgExponentialTrend, 61067, "Exponential\rTrend") \
  X(MsgCumulative, 61068, "Cumulative") \
  X(MsgStandardDeviation, 61069, "Standard\rDeviation") \
  X(MsgBollingerBands, 61070, "Bollinger\rbands") \
  X(MsgRootMeanSquare, 61071, "Root Mean\rSquare") \
  X(MsgMACD, 61072, "MACD") \
  X(MsgStochastic, 61073, "Stochastic") \
  X(MsgADX, 61074, "ADX") \
  X(MsgCount, 61075, "Count") \
  X(MsgOther, 61076, "Other") \
  X(MsgDate, 61077, "Date") \
  X(MsgOpen, 61078, "Open") \
  X(MsgHigh, 61079, "High") \
  X(MsgClose, 61080, "Close") \
  X(MsgOffset, 61081, "Offset") \
  X(MsgNumberOfBezierPointsShouldBe1, 61082, "Number of Bezier points should be > 1") \
  X(MsgSimilarXYZPointsCannotCalculateTriang, 61083, "Similar XYZ points. Cannot calculate triangles.") \
  X(MsgTriangleSurf, 61084, "Triangle Surf.") \
  X(MsgFinancial, 61085, "Financial") \
  X(MsgBar, 61086, "Bar") \
  X(MsgNoOpen, 61087, "No Open") \
  X(MsgNoClose, 61088, "No Close") \
  X(MsgWireframe, 61089, "Wireframe") \
  X(MsgDotFrame, 61090, "Dot Frame") \
  X(MsgPositions, 61091, "Positions") \
  X(MsgNoGrid, 61092, "No Grid") \
  X(MsgNoPoint, 61093, "No Point") \
  X(MsgNoLine, 61094, "No Line") \
  X(MsgLabels, 61095, "Labels") \
  X(MsgNoCircle, 61096, "No Circle") \
  X(MsgLines, 61097, "Lines") \
  X(MsgBorder, 61098, "Border") \
  X(MsgResistance, 61099, "Resistance") \
  X(MsgReactance, 61100, "Reactance") \
  X(MsgSegment, 61101, "Segment ") \
  X(MsgFunnel, 61102, "Funnel") \
  X(MsgN000Pct, 61103, "0.00 %") \
  X(MsgExceedsQuota, 61104, "Exceeds quota") \
  X(MsgWithinQuota, 61105, " within quota") \
  X(MsgOrMoreBelowQuota, 61106, " or more below quota") \
  X(MsgCalendar, 61107, "Calendar") \
  X(MsgDeltaPoint, 61108, "DeltaPoint") \
  X(MsgImagePoint, 61109, "ImagePoint") \
  X(MsgImageBar, 61110, "ImageBar") \
  X(MsgOrigin, 61111, "Origin") \
  X(MsgTransparency, 61112, "Transparency") \
  X(MsgPageNumber, 61113, "Page Number") \
  X(MsgDragPoint, 61114, "Drag Point") \
  X(MsgOpportunityValues, 61115, "OpportunityValues") \
  X(MsgQuoteValues, 61116, "QuoteValues") \
  X(MsgSmoothing, 61117, "Smoothing") \
  X(MsgCrossPoints, 61118, "Cross Points") \
  X(MsgN3DGridTranspose, 61119, "3D Grid Transpose") \
  X(MsgCompression, 61120, "Compression") \
  X(MsgExtraLegend, 61121, "Extra Legend") \
  X(MsgCloseLocationValue, 61122, "Close Location\rValue") \
  X(MsgOnBalanceVolume, 61123, "On Balance\rVolume") \
  X(MsgCommodityChannelIndex, 61124, "Commodity\rChannel Index") \
  X(MsgVolumeOscillator, 61125, "Volume\rOscillator") \
  X(MsgPointFigure, 61126, "Point & Figure") \
  X(MsgUp, 61127, "Up") \
  X(MsgDown, 61128, "Down") \
  X(MsgGanttDrag, 61129, "Gantt Drag") \
  X(MsgPerformance, 61130, "Performance") \
  X(MsgGauge, 61131, "Gauge") \
  X(MsgEndZ, 61132, "EndZ") \
  X(MsgVector3D, 61133, "Vector 3D") \
  X(MsgN3D, 61134, "3D") \
  X(MsgTower, 61135, "Tower") \
  X(MsgSingleColor, 61136, "Single Color") \
  X(MsgCover, 61137, "Cover") \
  X(MsgCone, 61138, "Cone") \
  X(MsgPieSlices, 61139, "Pie Slices") \
  X(MsgN2DLighting, 61140, "2D Lighting") \
  X(MsgCorrelation, 61141, "Correlation") \
  X(MsgVariance, 61142, "Variance") \
  X(MsgBubble3D, 61143, "Bubble 3D") \
  X(MsgHorizontalHistogram, 61144, "Horizontal\rHistogram") \
  X(MsgPerimeter, 61145, "Perimeter") \
  X(MsgSurfaceNearest, 61146, "Surface Nearest") \
  X(MsgPolarBar, 61147, "Polar Bar") \
  X(MsgSeriesBand, 61148, "Series Band") \
  X(MsgDownsampling, 61149, "Downsampling") \
  X(MsgSelector, 61150, "Selector") \
  X(MsgVolumePipe, 61151, "VolumePipe") \
  X(MsgDataTable, 61152, "Data Table")

#define KV_DEFINE_TEXT(Name, Id, English) constinit ResStrings::TResString Name{Id, English};
PLOTPROCO_TEXTS(KV_DEFINE_TEXT)
#undef KV_DEFINE_TEXT

namespace {
#define KV_TEXT_ADDRESS(Name, Id, English) &Name,
ResStrings::TResString* const AllTexts[] = {PLOTPROCO_TEXTS(KV_TEXT_ADDRESS)};
#undef KV_TEXT_ADDRESS
}  // namespace

void Initialize() {
  for (const ResStrings::TResString* text : AllTexts) text->Reset();
}

void Finalize() {
  for (ResStrings::TResString* text : AllTexts) *text = std::string();
}

namespace {
// Registers the texts in the resource-string table at start-up. Reading a
// text never depends on this having run: until then it reads its built-in English.
struct UnitStart {
  UnitStart() { Initialize(); }
} unitStart;
}  // namespace

}  // namespace PlotProCo
