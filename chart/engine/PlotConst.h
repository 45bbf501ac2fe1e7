#pragma once
// Texts the chart engine shows or raises, one replaceable variable each.
// Initialize() fills them with the English texts at start-up; a localisation
// layer may assign any of them afterwards and the code picks the new text up.
#include <string>

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
extern std::string MsgChartFileExtension;

// Texts the chart engine itself shows or raises.
extern std::string MsgLegendFirstValue;
extern std::string MsgNoParentChart;
extern std::string MsgInvalidDataSource;
extern std::string MsgFillSample;
extern std::string MsgAxisDateTimeLog;
extern std::string MsgAxisLabelSep;
extern std::string MsgAxisIncrementPositive;
extern std::string MsgAxisMinMax;
extern std::string MsgAxisMaxMin;
extern std::string MsgAxisLogBase;
extern std::string MsgMaxPointsPerPage;
extern std::string Msg3DPercent;
extern std::string MsgCircularSeries;
extern std::string MsgOfTotal;
extern std::string MsgOfTotalMultiLine;
extern std::string MsgDefPercentFormat;
extern std::string MsgDefValueFormat;
extern std::string MsgGalleryStandard;
extern std::string MsgTopAxis;
extern std::string MsgBottomAxis;
extern std::string MsgLeftAxis;
extern std::string MsgRightAxis;
extern std::string MsgDepthRightAxis;
extern std::string MsgDepthTopAxis;
extern std::string MsgDefaultFontSize;
extern std::string MsgDefaultFontName;
extern std::string MsgPointerSize;
extern std::string MsgFunctionPeriod;
extern std::string MsgValuesX;
extern std::string MsgValuesY;
extern std::string MsgSeriesBase;
extern std::string MsgGalleryNormal;
extern std::string MsgSeriesDelete;

// Texts used by the chart series, tools and output.
extern std::string MsgLine;
extern std::string MsgPoint;
extern std::string MsgArea;
extern std::string MsgBar;
extern std::string MsgHorizontalBar;
extern std::string MsgStack;
extern std::string MsgPie;
extern std::string MsgFastLine;
extern std::string MsgHorizontalLine;
extern std::string MsgCars;
extern std::string MsgPhones;
extern std::string MsgTables;
extern std::string MsgMonitors;
extern std::string MsgLamps;
extern std::string MsgKeyboards;
extern std::string MsgBikes;
extern std::string MsgChairs;
extern std::string MsgExtended;
extern std::string MsgFunctions;
extern std::string MsgDelete;
extern std::string MsgIncorrectValueReason;
extern std::string MsgEnterNumberOfDaysHhNnSs;
extern std::string MsgAdd;
extern std::string MsgSubtract;
extern std::string MsgMultiply;
extern std::string MsgDivide;
extern std::string MsgHigh;
extern std::string MsgLow;
extern std::string MsgAverage;
extern std::string MsgClear;
extern std::string MsgBrowse;
extern std::string MsgOther;
extern std::string MsgPie2;
extern std::string MsgBar2;
extern std::string MsgAngle;
extern std::string MsgSmallDots;
extern std::string MsgInvalidChartFile;
extern std::string MsgWrongChartFileFormat;
extern std::string MsgEmptyChartFile;
extern std::string MsgBytes;
extern std::string MsgAll;
extern std::string MsgIndex;
extern std::string MsgText;
extern std::string MsgAsBitmap;
extern std::string MsgBitmapsBmpBmp;
extern std::string MsgAsMetafile;
extern std::string MsgEnhancedMetafilesEmfEmfMetafilesWmfWm;
extern std::string MsgPanelPropertyIsNotSetInExportFormat;
extern std::string MsgNoBorder;
extern std::string MsgDotted;
extern std::string MsgColors;
extern std::string MsgFilled;
extern std::string MsgMarks;
extern std::string MsgStairs;
extern std::string MsgPoints;
extern std::string MsgHeight;
extern std::string MsgHollow;
extern std::string MsgPoint2D;
extern std::string MsgTriangle;
extern std::string MsgStar;
extern std::string MsgCircle;
extern std::string MsgDownTri;
extern std::string MsgCross;
extern std::string MsgDiamond;
extern std::string MsgNoLines;
extern std::string MsgStack100Pct;
extern std::string MsgPyramid;
extern std::string MsgEllipse;
extern std::string MsgInvPyramid;
extern std::string MsgSides;
extern std::string MsgSideAll;
extern std::string MsgPatterns;
extern std::string MsgExploded;
extern std::string MsgShadow;
extern std::string MsgSemiPie;
extern std::string MsgCanNotFindTempFolder;
extern std::string MsgCanNotEmailChartMapiError;
extern std::string MsgGradient;
extern std::string MsgChartFileFilter;
extern std::string MsgYFX;
extern std::string MsgHorizontalArea;
extern std::string MsgSelfStacked;
extern std::string MsgDarkBorder;
extern std::string MsgMedian;
extern std::string MsgMode;
extern std::string MsgOutline;
extern std::string MsgSpaceDelimitedTextFilesTxtTxt;
extern std::string MsgTabDelimitedTextFilesTxtTxt;
extern std::string MsgCommaDelimitedTextFilesCsvCsv;
extern std::string MsgColonDelimitedTextFilesTxtTxt;
extern std::string MsgCustomDelimitedTextFilesTxtTxt;
extern std::string MsgXMLFilesXmlXml;
extern std::string MsgHTMLFilesHtmHtm;
extern std::string MsgMicrosoftExcelFilesXlsXls;

// Texts used by the chart editor dialogs.
extern std::string MsgCircled;
extern std::string MsgEditing;
extern std::string MsgGantt;
extern std::string MsgChangeSeriesTitle;
extern std::string MsgNewSeriesTitle;
extern std::string MsgDateTimeFormat;
extern std::string MsgValuesFormat;
extern std::string MsgMaximum;
extern std::string MsgMinimum;
extern std::string MsgDesiredIncrement;
extern std::string MsgApplyChanges;
extern std::string MsgSelectedSeries;
extern std::string MsgN414;
extern std::string MsgN347;
extern std::string MsgCopy;
extern std::string MsgNone;
extern std::string MsgTitle;
extern std::string MsgFooter;
extern std::string MsgPeriodRange;
extern std::string MsgCustom;
extern std::string MsgPageOf;
extern std::string MsgFirst;
extern std::string MsgPrior;
extern std::string MsgNext;
extern std::string MsgLast;
extern std::string MsgInsert;
extern std::string MsgDelete2;
extern std::string MsgEdit;
extern std::string MsgPost;
extern std::string MsgCancel;
extern std::string MsgAddNewGroup;
extern std::string MsgChangeGroupName;
extern std::string MsgGroupName;
extern std::string MsgN2D;
extern std::string MsgOrthoRight;
extern std::string MsgOrthoLeft;
extern std::string MsgN3DFront;
extern std::string MsgN3DRight;
extern std::string MsgN3DLeft;
extern std::string MsgSubTitle;
extern std::string MsgSubFoot;

// Texts used by the extra series, functions and tools.
extern std::string MsgArrow;
extern std::string MsgPrototyping;
extern std::string MsgDevelopment;
extern std::string MsgSales;
extern std::string MsgMarketing;
extern std::string MsgTesting;
extern std::string MsgManufac;
extern std::string MsgDebugging;
extern std::string MsgNewVersion;
extern std::string MsgBanking;
extern std::string MsgShape;
extern std::string MsgBubble;
extern std::string MsgAbc;
extern std::string MsgN123;
extern std::string MsgStart;
extern std::string MsgEnd;
extern std::string MsgNextTask;
extern std::string MsgRadius;
extern std::string MsgEndX;
extern std::string MsgEndY;
extern std::string MsgRectangle;
extern std::string MsgVertLine;
extern std::string MsgHorizLine;
extern std::string MsgLine2;
extern std::string MsgCube;
extern std::string MsgDiagCross;

// Assigns every text its English wording (runs at start-up; tests may call it
// again to undo replacements).
void Initialize();
// Rebuilds the four chart-file texts from MsgChartFileExtension.
void ComposeChartFileTexts();
// Releases every text.
void Finalize();

}  // namespace PlotConst
