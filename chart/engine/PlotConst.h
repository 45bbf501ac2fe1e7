#pragma once
// Texts the chart engine shows or raises, one replaceable text each. Each is
// a resource string with its own number: every read goes through the table,
// so a translator installed there (or an assignment, which replaces the
// English text) reaches every reader.
#include <string>

#include "platform/rtl/ResStrings.h"
#include "platform/rtl/SysUtils.h"

// Raised by the axis setters.
class AxisException : public Exception {
public:
  using Exception::Exception;
};

// Raised by the legend.
class LegendException : public Exception {
public:
  using Exception::Exception;
};

// Raised by the rest of the chart engine.
class ChartException : public Exception {
public:
  using Exception::Exception;
};

namespace PlotConst {

// Extension of chart files; four texts are composed from it.
extern ResStrings::TResString MsgChartFileExtension;

// Texts the chart engine itself shows or raises.
extern ResStrings::TResString MsgLegendFirstValue;
extern ResStrings::TResString MsgNoParentChart;
extern ResStrings::TResString MsgInvalidDataSource;
extern ResStrings::TResString MsgFillSample;
extern ResStrings::TResString MsgAxisDateTimeLog;
extern ResStrings::TResString MsgAxisLabelSep;
extern ResStrings::TResString MsgAxisIncrementPositive;
extern ResStrings::TResString MsgAxisMinMax;
extern ResStrings::TResString MsgAxisMaxMin;
extern ResStrings::TResString MsgAxisLogBase;
extern ResStrings::TResString MsgMaxPointsPerPage;
extern ResStrings::TResString Msg3DPercent;
extern ResStrings::TResString MsgCircularSeries;
extern ResStrings::TResString MsgOfTotal;
extern ResStrings::TResString MsgOfTotalMultiLine;
extern ResStrings::TResString MsgDefPercentFormat;
extern ResStrings::TResString MsgDefValueFormat;
extern ResStrings::TResString MsgGalleryStandard;
extern ResStrings::TResString MsgTopAxis;
extern ResStrings::TResString MsgBottomAxis;
extern ResStrings::TResString MsgLeftAxis;
extern ResStrings::TResString MsgRightAxis;
extern ResStrings::TResString MsgDepthRightAxis;
extern ResStrings::TResString MsgDepthTopAxis;
extern ResStrings::TResString MsgDefaultFontSize;
extern ResStrings::TResString MsgDefaultFontName;
extern ResStrings::TResString MsgPointerSize;
extern ResStrings::TResString MsgFunctionPeriod;
extern ResStrings::TResString MsgValuesX;
extern ResStrings::TResString MsgValuesY;
extern ResStrings::TResString MsgSeriesBase;
extern ResStrings::TResString MsgGalleryNormal;
extern ResStrings::TResString MsgSeriesDelete;

// Texts used by the chart series, tools and output.
extern ResStrings::TResString MsgLine;
extern ResStrings::TResString MsgPoint;
extern ResStrings::TResString MsgArea;
extern ResStrings::TResString MsgBar;
extern ResStrings::TResString MsgHorizontalBar;
extern ResStrings::TResString MsgStack;
extern ResStrings::TResString MsgPie;
extern ResStrings::TResString MsgFastLine;
extern ResStrings::TResString MsgHorizontalLine;
extern ResStrings::TResString MsgCars;
extern ResStrings::TResString MsgPhones;
extern ResStrings::TResString MsgTables;
extern ResStrings::TResString MsgMonitors;
extern ResStrings::TResString MsgLamps;
extern ResStrings::TResString MsgKeyboards;
extern ResStrings::TResString MsgBikes;
extern ResStrings::TResString MsgChairs;
extern ResStrings::TResString MsgExtended;
extern ResStrings::TResString MsgFunctions;
extern ResStrings::TResString MsgDelete;
extern ResStrings::TResString MsgIncorrectValueReason;
extern ResStrings::TResString MsgEnterNumberOfDaysHhNnSs;
extern ResStrings::TResString MsgAdd;
extern ResStrings::TResString MsgSubtract;
extern ResStrings::TResString MsgMultiply;
extern ResStrings::TResString MsgDivide;
extern ResStrings::TResString MsgHigh;
extern ResStrings::TResString MsgLow;
extern ResStrings::TResString MsgAverage;
extern ResStrings::TResString MsgClear;
extern ResStrings::TResString MsgBrowse;
extern ResStrings::TResString MsgOther;
extern ResStrings::TResString MsgPie2;
extern ResStrings::TResString MsgBar2;
extern ResStrings::TResString MsgAngle;
extern ResStrings::TResString MsgSmallDots;
extern ResStrings::TResString MsgInvalidChartFile;
extern ResStrings::TResString MsgWrongChartFileFormat;
extern ResStrings::TResString MsgEmptyChartFile;
extern ResStrings::TResString MsgBytes;
extern ResStrings::TResString MsgAll;
extern ResStrings::TResString MsgIndex;
extern ResStrings::TResString MsgText;
extern ResStrings::TResString MsgAsBitmap;
extern ResStrings::TResString MsgBitmapsBmpBmp;
extern ResStrings::TResString MsgAsMetafile;
extern ResStrings::TResString MsgEnhancedMetafilesEmfEmfMetafilesWmfWm;
extern ResStrings::TResString MsgPanelPropertyIsNotSetInExportFormat;
extern ResStrings::TResString MsgNoBorder;
extern ResStrings::TResString MsgDotted;
extern ResStrings::TResString MsgColors;
extern ResStrings::TResString MsgFilled;
extern ResStrings::TResString MsgMarks;
extern ResStrings::TResString MsgStairs;
extern ResStrings::TResString MsgPoints;
extern ResStrings::TResString MsgHeight;
extern ResStrings::TResString MsgHollow;
extern ResStrings::TResString MsgPoint2D;
extern ResStrings::TResString MsgTriangle;
extern ResStrings::TResString MsgStar;
extern ResStrings::TResString MsgCircle;
extern ResStrings::TResString MsgDownTri;
extern ResStrings::TResString MsgCross;
extern ResStrings::TResString MsgDiamond;
extern ResStrings::TResString MsgNoLines;
extern ResStrings::TResString MsgStack100Pct;
extern ResStrings::TResString MsgPyramid;
extern ResStrings::TResString MsgEllipse;
extern ResStrings::TResString MsgInvPyramid;
extern ResStrings::TResString MsgSides;
extern ResStrings::TResString MsgSideAll;
extern ResStrings::TResString MsgPatterns;
extern ResStrings::TResString MsgExploded;
extern ResStrings::TResString MsgShadow;
extern ResStrings::TResString MsgSemiPie;
extern ResStrings::TResString MsgCanNotFindTempFolder;
extern ResStrings::TResString MsgCanNotEmailChartMapiError;
extern ResStrings::TResString MsgGradient;
extern ResStrings::TResString MsgChartFileFilter;
extern ResStrings::TResString MsgYFX;
extern ResStrings::TResString MsgHorizontalArea;
extern ResStrings::TResString MsgSelfStacked;
extern ResStrings::TResString MsgDarkBorder;
extern ResStrings::TResString MsgMedian;
extern ResStrings::TResString MsgMode;
extern ResStrings::TResString MsgOutline;
extern ResStrings::TResString MsgSpaceDelimitedTextFilesTxtTxt;
extern ResStrings::TResString MsgTabDelimitedTextFilesTxtTxt;
extern ResStrings::TResString MsgCommaDelimitedTextFilesCsvCsv;
extern ResStrings::TResString MsgColonDelimitedTextFilesTxtTxt;
extern ResStrings::TResString MsgCustomDelimitedTextFilesTxtTxt;
extern ResStrings::TResString MsgXMLFilesXmlXml;
extern ResStrings::TResString MsgHTMLFilesHtmHtm;
extern ResStrings::TResString MsgMicrosoftExcelFilesXlsXls;

// Texts used by the chart editor dialogs.
extern ResStrings::TResString MsgCircled;
extern ResStrings::TResString MsgEditing;
extern ResStrings::TResString MsgGantt;
extern ResStrings::TResString MsgChangeSeriesTitle;
extern ResStrings::TResString MsgNewSeriesTitle;
extern ResStrings::TResString MsgDateTimeFormat;
extern ResStrings::TResString MsgValuesFormat;
extern ResStrings::TResString MsgMaximum;
extern ResStrings::TResString MsgMinimum;
extern ResStrings::TResString MsgDesiredIncrement;
extern ResStrings::TResString MsgApplyChanges;
extern ResStrings::TResString MsgSelectedSeries;
extern ResStrings::TResString MsgN414;
extern ResStrings::TResString MsgN347;
extern ResStrings::TResString MsgCopy;
extern ResStrings::TResString MsgNone;
extern ResStrings::TResString MsgTitle;
extern ResStrings::TResString MsgFooter;
extern ResStrings::TResString MsgPeriodRange;
extern ResStrings::TResString MsgCustom;
extern ResStrings::TResString MsgPageOf;
extern ResStrings::TResString MsgFirst;
extern ResStrings::TResString MsgPrior;
extern ResStrings::TResString MsgNext;
extern ResStrings::TResString MsgLast;
extern ResStrings::TResString MsgInsert;
extern ResStrings::TResString MsgDelete2;
extern ResStrings::TResString MsgEdit;
extern ResStrings::TResString MsgPost;
extern ResStrings::TResString MsgCancel;
extern ResStrings::TResString MsgAddNewGroup;
extern ResStrings::TResString MsgChangeGroupName;
extern ResStrings::TResString MsgGroupName;
extern ResStrings::TResString MsgN2D;
extern ResStrings::TResString MsgOrthoRight;
extern ResStrings::TResString MsgOrthoLeft;
extern ResStrings::TResString MsgN3DFront;
extern ResStrings::TResString MsgN3DRight;
extern ResStrings::TResString MsgN3DLeft;
extern ResStrings::TResString MsgSubTitle;
extern ResStrings::TResString MsgSubFoot;

// Texts used by the extra series, functions and tools.
extern ResStrings::TResString MsgArrow;
extern ResStrings::TResString MsgPrototyping;
extern ResStrings::TResString MsgDevelopment;
extern ResStrings::TResString MsgSales;
extern ResStrings::TResString MsgMarketing;
extern ResStrings::TResString MsgTesting;
extern ResStrings::TResString MsgManufac;
extern ResStrings::TResString MsgDebugging;
extern ResStrings::TResString MsgNewVersion;
extern ResStrings::TResString MsgBanking;
extern ResStrings::TResString MsgShape;
extern ResStrings::TResString MsgBubble;
extern ResStrings::TResString MsgAbc;
extern ResStrings::TResString MsgN123;
extern ResStrings::TResString MsgStart;
extern ResStrings::TResString MsgEnd;
extern ResStrings::TResString MsgNextTask;
extern ResStrings::TResString MsgRadius;
extern ResStrings::TResString MsgEndX;
extern ResStrings::TResString MsgEndY;
extern ResStrings::TResString MsgRectangle;
extern ResStrings::TResString MsgVertLine;
extern ResStrings::TResString MsgHorizLine;
extern ResStrings::TResString MsgLine2;
extern ResStrings::TResString MsgCube;
extern ResStrings::TResString MsgDiagCross;

// Registers every text with its English wording (runs at start-up; tests may
// call it again to undo replacements).
void Initialize();
// Rebuilds the four chart-file texts from MsgChartFileExtension.
void ComposeChartFileTexts();
// Empties every text.
void Finalize();

}  // namespace PlotConst
