#pragma once
// Texts of the extended gallery, the statistical and financial functions and
// the chart tools, one replaceable variable each (filled at start-up).
#include <string>

namespace PlotProCo {

// Texts used by the chart series, tools and output.
extern std::string MsgMap;
extern std::string MsgErrorBar;
extern std::string MsgError;
extern std::string MsgHighLow;
extern std::string MsgStats;
extern std::string MsgLow;
extern std::string MsgStdError;
extern std::string MsgCursor;
extern std::string MsgDragMarks;
extern std::string MsgAxisArrows;
extern std::string MsgDrawLine;
extern std::string MsgNearestPoint;
extern std::string MsgColorBand;
extern std::string MsgColorLine;
extern std::string MsgRotate;
extern std::string MsgImage;
extern std::string MsgMarkTips;
extern std::string MsgAnnotation;
extern std::string MsgNoHigh;
extern std::string MsgNoLow;
extern std::string MsgColorRange;
extern std::string MsgSeriesAnimation;
extern std::string MsgGridBand;
extern std::string MsgAxisScroll;
extern std::string MsgRectangle;
extern std::string MsgClipSeries;
extern std::string MsgLegendScrollbar;

// Texts used by the chart editor dialogs.
extern std::string MsgDonut;
extern std::string MsgGrid3D;
extern std::string MsgBox;
extern std::string MsgExtrOut;
extern std::string MsgMildOut;
extern std::string MsgStop;
extern std::string MsgExecute;

// Texts used by the extra series, functions and tools.
extern std::string MsgPolar;
extern std::string MsgCandle;
extern std::string MsgVolume;
extern std::string MsgSurface;
extern std::string MsgContour;
extern std::string MsgBezier;
extern std::string MsgPoint3D;
extern std::string MsgRadar;
extern std::string MsgBar3D;
extern std::string MsgBigCandle;
extern std::string MsgLinePoint;
extern std::string MsgHistogram;
extern std::string MsgWaterFall;
extern std::string MsgWindRose;
extern std::string MsgClock;
extern std::string MsgColorGrid;
extern std::string MsgBoxPlot;
extern std::string MsgHorizontalBoxPlot;
extern std::string MsgBarJoin;
extern std::string MsgSmith;
extern std::string MsgPyramid;
extern std::string MsgPolynomialDegreeMustBeBetween1And20;
extern std::string MsgCannotProcessFitting;
extern std::string MsgExpAverageWeightMustBeBetween0And1;
extern std::string MsgMomentum;
extern std::string MsgMomentumDivision;
extern std::string MsgExponentialAverage;
extern std::string MsgMovingAverage;
extern std::string MsgExpMovingAverage;
extern std::string MsgRSI;
extern std::string MsgCurveFitting;
extern std::string MsgTrend;
extern std::string MsgExponentialTrend;
extern std::string MsgCumulative;
extern std::string MsgStandardDeviation;
extern std::string MsgBollingerBands;
extern std::string MsgRootMeanSquare;
extern std::string MsgMACD;
extern std::string MsgStochastic;
extern std::string MsgADX;
extern std::string MsgCount;
extern std::string MsgOther;
extern std::string MsgDate;
extern std::string MsgOpen;
extern std::string MsgHigh;
extern std::string MsgClose;
extern std::string MsgOffset;
extern std::string MsgNumberOfBezierPointsShouldBe1;
extern std::string MsgSimilarXYZPointsCannotCalculateTriang;
extern std::string MsgTriangleSurf;
extern std::string MsgFinancial;
extern std::string MsgBar;
extern std::string MsgNoOpen;
extern std::string MsgNoClose;
extern std::string MsgWireframe;
extern std::string MsgDotFrame;
extern std::string MsgPositions;
extern std::string MsgNoGrid;
extern std::string MsgNoPoint;
extern std::string MsgNoLine;
extern std::string MsgLabels;
extern std::string MsgNoCircle;
extern std::string MsgLines;
extern std::string MsgBorder;
extern std::string MsgResistance;
extern std::string MsgReactance;
extern std::string MsgSegment;
extern std::string MsgFunnel;
extern std::string MsgN000Pct;
extern std::string MsgExceedsQuota;
extern std::string MsgWithinQuota;
extern std::string MsgOrMoreBelowQuota;
extern std::string MsgCalendar;
extern std::string MsgDeltaPoint;
extern std::string MsgImagePoint;
extern std::string MsgImageBar;
extern std::string MsgOrigin;
extern std::string MsgTransparency;
extern std::string MsgPageNumber;
extern std::string MsgDragPoint;
extern std::string MsgOpportunityValues;
extern std::string MsgQuoteValues;
extern std::string MsgSmoothing;
extern std::string MsgCrossPoints;
extern std::string MsgN3DGridTranspose;
extern std::string MsgCompression;
extern std::string MsgExtraLegend;
extern std::string MsgCloseLocationValue;
extern std::string MsgOnBalanceVolume;
extern std::string MsgCommodityChannelIndex;
extern std::string MsgVolumeOscillator;
extern std::string MsgPointFigure;
extern std::string MsgUp;
extern std::string MsgDown;
extern std::string MsgGanttDrag;
extern std::string MsgPerformance;
extern std::string MsgGauge;
extern std::string MsgEndZ;
extern std::string MsgVector3D;
extern std::string MsgN3D;
extern std::string MsgTower;
extern std::string MsgSingleColor;
extern std::string MsgCover;
extern std::string MsgCone;
extern std::string MsgPieSlices;
extern std::string MsgN2DLighting;
extern std::string MsgCorrelation;
extern std::string MsgVariance;
extern std::string MsgBubble3D;
extern std::string MsgHorizontalHistogram;
extern std::string MsgPerimeter;
extern std::string MsgSurfaceNearest;
extern std::string MsgPolarBar;
extern std::string MsgSeriesBand;
extern std::string MsgDownsampling;
extern std::string MsgSelector;
extern std::string MsgVolumePipe;
extern std::string MsgDataTable;

// Assigns every text its English wording.
void Initialize();
// Releases every text.
void Finalize();

}  // namespace PlotProCo
