#pragma once
// Texts of the extended gallery, the statistical and financial functions and
// the chart tools, one replaceable text each: resource strings with their own
// numbers, read through the table (see PlotConst.h).
#include <string>

#include "platform/rtl/ResStrings.h"

namespace PlotProCo {

// Texts used by the chart series, tools and output.
extern ResStrings::TResString MsgMap;
extern ResStrings::TResString MsgErrorBar;
extern ResStrings::TResString MsgError;
extern ResStrings::TResString MsgHighLow;
extern ResStrings::TResString MsgStats;
extern ResStrings::TResString MsgLow;
extern ResStrings::TResString MsgStdError;
extern ResStrings::TResString MsgCursor;
extern ResStrings::TResString MsgDragMarks;
extern ResStrings::TResString MsgAxisArrows;
extern ResStrings::TResString MsgDrawLine;
extern ResStrings::TResString MsgNearestPoint;
extern ResStrings::TResString MsgColorBand;
extern ResStrings::TResString MsgColorLine;
extern ResStrings::TResString MsgRotate;
extern ResStrings::TResString MsgImage;
extern ResStrings::TResString MsgMarkTips;
extern ResStrings::TResString MsgAnnotation;
extern ResStrings::TResString MsgNoHigh;
extern ResStrings::TResString MsgNoLow;
extern ResStrings::TResString MsgColorRange;
extern ResStrings::TResString MsgSeriesAnimation;
extern ResStrings::TResString MsgGridBand;
extern ResStrings::TResString MsgAxisScroll;
extern ResStrings::TResString MsgRectangle;
extern ResStrings::TResString MsgClipSeries;
extern ResStrings::TResString MsgLegendScrollbar;

// Texts used by the chart editor dialogs.
extern ResStrings::TResString MsgDonut;
extern ResStrings::TResString MsgGrid3D;
extern ResStrings::TResString MsgBox;
extern ResStrings::TResString MsgExtrOut;
extern ResStrings::TResString MsgMildOut;
extern ResStrings::TResString MsgStop;
extern ResStrings::TResString MsgExecute;

// Texts used by the extra series, functions and tools.
extern ResStrings::TResString MsgPolar;
extern ResStrings::TResString MsgCandle;
extern ResStrings::TResString MsgVolume;
extern ResStrings::TResString MsgSurface;
extern ResStrings::TResString MsgContour;
extern ResStrings::TResString MsgBezier;
extern ResStrings::TResString MsgPoint3D;
extern ResStrings::TResString MsgRadar;
extern ResStrings::TResString MsgBar3D;
extern ResStrings::TResString MsgBigCandle;
extern ResStrings::TResString MsgLinePoint;
extern ResStrings::TResString MsgHistogram;
extern ResStrings::TResString MsgWaterFall;
extern ResStrings::TResString MsgWindRose;
extern ResStrings::TResString MsgClock;
extern ResStrings::TResString MsgColorGrid;
extern ResStrings::TResString MsgBoxPlot;
extern ResStrings::TResString MsgHorizontalBoxPlot;
extern ResStrings::TResString MsgBarJoin;
extern ResStrings::TResString MsgSmith;
extern ResStrings::TResString MsgPyramid;
extern ResStrings::TResString MsgPolynomialDegreeMustBeBetween1And20;
extern ResStrings::TResString MsgCannotProcessFitting;
extern ResStrings::TResString MsgExpAverageWeightMustBeBetween0And1;
extern ResStrings::TResString MsgMomentum;
extern ResStrings::TResString MsgMomentumDivision;
extern ResStrings::TResString MsgExponentialAverage;
extern ResStrings::TResString MsgMovingAverage;
extern ResStrings::TResString MsgExpMovingAverage;
extern ResStrings::TResString MsgRSI;
extern ResStrings::TResString MsgCurveFitting;
extern ResStrings::TResString MsgTrend;
extern ResStrings::TResString MsgExponentialTrend;
extern ResStrings::TResString MsgCumulative;
extern ResStrings::TResString MsgStandardDeviation;
extern ResStrings::TResString MsgBollingerBands;
extern ResStrings::TResString MsgRootMeanSquare;
extern ResStrings::TResString MsgMACD;
extern ResStrings::TResString MsgStochastic;
extern ResStrings::TResString MsgADX;
extern ResStrings::TResString MsgCount;
extern ResStrings::TResString MsgOther;
extern ResStrings::TResString MsgDate;
extern ResStrings::TResString MsgOpen;
extern ResStrings::TResString MsgHigh;
extern ResStrings::TResString MsgClose;
extern ResStrings::TResString MsgOffset;
extern ResStrings::TResString MsgNumberOfBezierPointsShouldBe1;
extern ResStrings::TResString MsgSimilarXYZPointsCannotCalculateTriang;
extern ResStrings::TResString MsgTriangleSurf;
extern ResStrings::TResString MsgFinancial;
extern ResStrings::TResString MsgBar;
extern ResStrings::TResString MsgNoOpen;
extern ResStrings::TResString MsgNoClose;
extern ResStrings::TResString MsgWireframe;
extern ResStrings::TResString MsgDotFrame;
extern ResStrings::TResString MsgPositions;
extern ResStrings::TResString MsgNoGrid;
extern ResStrings::TResString MsgNoPoint;
extern ResStrings::TResString MsgNoLine;
extern ResStrings::TResString MsgLabels;
extern ResStrings::TResString MsgNoCircle;
extern ResStrings::TResString MsgLines;
extern ResStrings::TResString MsgBorder;
extern ResStrings::TResString MsgResistance;
extern ResStrings::TResString MsgReactance;
extern ResStrings::TResString MsgSegment;
extern ResStrings::TResString MsgFunnel;
extern ResStrings::TResString MsgN000Pct;
extern ResStrings::TResString MsgExceedsQuota;
extern ResStrings::TResString MsgWithinQuota;
extern ResStrings::TResString MsgOrMoreBelowQuota;
extern ResStrings::TResString MsgCalendar;
extern ResStrings::TResString MsgDeltaPoint;
extern ResStrings::TResString MsgImagePoint;
extern ResStrings::TResString MsgImageBar;
extern ResStrings::TResString MsgOrigin;
extern ResStrings::TResString MsgTransparency;
extern ResStrings::TResString MsgPageNumber;
extern ResStrings::TResString MsgDragPoint;
extern ResStrings::TResString MsgOpportunityValues;
extern ResStrings::TResString MsgQuoteValues;
extern ResStrings::TResString MsgSmoothing;
extern ResStrings::TResString MsgCrossPoints;
extern ResStrings::TResString MsgN3DGridTranspose;
extern ResStrings::TResString MsgCompression;
extern ResStrings::TResString MsgExtraLegend;
extern ResStrings::TResString MsgCloseLocationValue;
extern ResStrings::TResString MsgOnBalanceVolume;
extern ResStrings::TResString MsgCommodityChannelIndex;
extern ResStrings::TResString MsgVolumeOscillator;
extern ResStrings::TResString MsgPointFigure;
extern ResStrings::TResString MsgUp;
extern ResStrings::TResString MsgDown;
extern ResStrings::TResString MsgGanttDrag;
extern ResStrings::TResString MsgPerformance;
extern ResStrings::TResString MsgGauge;
extern ResStrings::TResString MsgEndZ;
extern ResStrings::TResString MsgVector3D;
extern ResStrings::TResString MsgN3D;
extern ResStrings::TResString MsgTower;
extern ResStrings::TResString MsgSingleColor;
extern ResStrings::TResString MsgCover;
extern ResStrings::TResString MsgCone;
extern ResStrings::TResString MsgPieSlices;
extern ResStrings::TResString MsgN2DLighting;
extern ResStrings::TResString MsgCorrelation;
extern ResStrings::TResString MsgVariance;
extern ResStrings::TResString MsgBubble3D;
extern ResStrings::TResString MsgHorizontalHistogram;
extern ResStrings::TResString MsgPerimeter;
extern ResStrings::TResString MsgSurfaceNearest;
extern ResStrings::TResString MsgPolarBar;
extern ResStrings::TResString MsgSeriesBand;
extern ResStrings::TResString MsgDownsampling;
extern ResStrings::TResString MsgSelector;
extern ResStrings::TResString MsgVolumePipe;
extern ResStrings::TResString MsgDataTable;

// Registers every text with its English wording (runs at start-up).
void Initialize();
// Empties every text.
void Finalize();

}  // namespace PlotProCo
