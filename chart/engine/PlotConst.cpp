#include "chart/engine/PlotConst.h"

namespace PlotConst {

// Every text: its name, its number in the resource-string table and its
// built-in English wording. The numbers are stable: translations refer to them.
#define PLOTCONST_TEXTS(X) \
  X(MsgChartFileExtension, 60001, "chf") \
  X(MsgLegendFirstValue, 60002, "First Legend Value must be > 0") \
  X(MsgNoParentChart, 60003, "No ParentChart to validate DataSource") \
  X(MsgInvalidDataSource, 60004, "No valid DataSource: %s") \
  X(MsgFillSample, 60005, "FillSampleValues NumValues must be > 0") \
  X(MsgAxisDateTimeLog, 60006, "DateTime Axis cannot be Logarithmic") \
  X(MsgAxisLabelSep, 60007, "Labels Separation % must be greater than 0") \
  X(MsgAxisIncrementPositive, 60008, "Axis increment must be >= 0") \
  X(MsgAxisMinMax, 60009, "Axis Minimum Value must be <= Maximum") \
  X(MsgAxisMaxMin, 60010, "Axis Maximum Value must be >= Minimum") \
  X(MsgAxisLogBase, 60011, "Axis Logarithmic Base should be <> 1 and > 0") \
  X(MsgMaxPointsPerPage, 60012, "MaxPointsPerPage must be >= 0") \
  X(Msg3DPercent, 60013, "3D effect percent must be between %d and %d") \
  X(MsgCircularSeries, 60014, "Circular Series dependences are not allowed") \
  X(MsgOfTotal, 60015, "%s of %s") \
  X(MsgOfTotalMultiLine, 60016, "%s\rof %s") \
  X(MsgDefPercentFormat, 60017, "##0.## %") \
  X(MsgDefValueFormat, 60018, "#,##0.###") \
  X(MsgGalleryStandard, 60019, "Standard") \
  X(MsgTopAxis, 60020, "Top Axis") \
  X(MsgBottomAxis, 60021, "Bottom Axis") \
  X(MsgLeftAxis, 60022, "Left Axis") \
  X(MsgRightAxis, 60023, "Right Axis") \
  X(MsgDepthRightAxis, 60024, "Depth Right") \
  X(MsgDepthTopAxis, 60025, "Depth Top") \
  X(MsgDefaultFontSize, 60026, "8") \
  X(MsgDefaultFontName, 60027, "Arial") \
  X(MsgPointerSize, 60028, "Pointer size must be greater than zero") \
  X(MsgFunctionPeriod, 60029, "Function Period should be >= 0") \
  X(MsgValuesX, 60030, "X") \
  X(MsgValuesY, 60031, "Y") \
  X(MsgSeriesBase, 60032, "Series") \
  X(MsgGalleryNormal, 60033, "Normal") \
  X(MsgSeriesDelete, 60034, "Series Delete: ValueIndex %d out of bounds (0 to %d).") \
  X(MsgLine, 60035, "Line") \
  X(MsgPoint, 60036, "Point") \
  X(MsgArea, 60037, "Area") \
  X(MsgBar, 60038, "Bar") \
  X(MsgHorizontalBar, 60039, "Horizontal\rBar") \
  X(MsgStack, 60040, "Stack") \
  X(MsgPie, 60041, "Pie") \
  X(MsgFastLine, 60042, "Fast Line") \
  X(MsgHorizontalLine, 60043, "Horizontal\rLine") \
  X(MsgCars, 60044, "Cars") \
  X(MsgPhones, 60045, "Phones") \
  X(MsgTables, 60046, "Tables") \
  X(MsgMonitors, 60047, "Monitors") \
  X(MsgLamps, 60048, "Lamps") \
  X(MsgKeyboards, 60049, "Keyboards") \
  X(MsgBikes, 60050, "Bikes") \
  X(MsgChairs, 60051, "Chairs") \
  X(MsgExtended, 60052, "Extended") \
  X(MsgFunctions, 60053, "Functions") \
  X(MsgDelete, 60054, "Delete %s ?") \
  X(MsgIncorrectValueReason, 60055, "Incorrect value. Reason: %s") \
  X(MsgEnterNumberOfDaysHhNnSs, 60056, "Enter [Number of Days] [hh:nn:ss]") \
  X(MsgAdd, 60057, "Add") \
  X(MsgSubtract, 60058, "Subtract") \
  X(MsgMultiply, 60059, "Multiply") \
  X(MsgDivide, 60060, "Divide") \
  X(MsgHigh, 60061, "High") \
  X(MsgLow, 60062, "Low") \
  X(MsgAverage, 60063, "Average") \
  X(MsgClear, 60064, "Clea&r") \
  X(MsgBrowse, 60065, "B&rowse...") \
  X(MsgOther, 60066, "Other") \
  X(MsgPie2, 60067, "Pie") \
  X(MsgBar2, 60068, "Bar") \
  X(MsgAngle, 60069, "Angle") \
  X(MsgSmallDots, 60070, "Small Dots") \
  X(MsgInvalidChartFile, 60071, "Invalid Chart in *.chf file") \
  X(MsgWrongChartFileFormat, 60072, "Wrong *.chf file format") \
  X(MsgEmptyChartFile, 60073, "Empty *.chf file") \
  X(MsgBytes, 60074, "%d bytes") \
  X(MsgAll, 60075, "(all)") \
  X(MsgIndex, 60076, "Index") \
  X(MsgText, 60077, "Text") \
  X(MsgAsBitmap, 60078, "as &Bitmap") \
  X(MsgBitmapsBmpBmp, 60079, "Bitmaps (*.bmp)|*.bmp") \
  X(MsgAsMetafile, 60080, "as &Metafile") \
  X(MsgEnhancedMetafilesEmfEmfMetafilesWmfWm, 60081, "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf") \
  X(MsgPanelPropertyIsNotSetInExportFormat, 60082, "Panel property is not set in Export format") \
  X(MsgNoBorder, 60083, "No Border") \
  X(MsgDotted, 60084, "Dotted") \
  X(MsgColors, 60085, "Colors") \
  X(MsgFilled, 60086, "Filled") \
  X(MsgMarks, 60087, "Marks") \
  X(MsgStairs, 60088, "Stairs") \
  X(MsgPoints, 60089, "Points") \
  X(MsgHeight, 60090, "Height") \
  X(MsgHollow, 60091, "Hollow") \
  X(MsgPoint2D, 60092, "Point 2D") \
  X(MsgTriangle, 60093, "Triangle") \
  X(MsgStar, 60094, "Star") \
  X(MsgCircle, 60095, "Circle") \
  X(MsgDownTri, 60096, "Down Tri.") \
  X(MsgCross, 60097, "Cross") \
  X(MsgDiamond, 60098, "Diamond") \
  X(MsgNoLines, 60099, "No Lines") \
  X(MsgStack100Pct, 60100, "Stack 100%") \
  X(MsgPyramid, 60101, "Pyramid") \
  X(MsgEllipse, 60102, "Ellipse") \
  X(MsgInvPyramid, 60103, "Inv. Pyramid") \
  X(MsgSides, 60104, "Sides") \
  X(MsgSideAll, 60105, "Side All") \
  X(MsgPatterns, 60106, "Patterns") \
  X(MsgExploded, 60107, "Exploded") \
  X(MsgShadow, 60108, "Shadow") \
  X(MsgSemiPie, 60109, "Semi Pie") \
  X(MsgCanNotFindTempFolder, 60110, "Can not find Temp folder") \
  X(MsgCanNotEmailChartMapiError, 60111, "Can not email chart. Mapi Error: %d") \
  X(MsgGradient, 60112, "Gradient") \
  X(MsgChartFileFilter, 60113, "Chart files (*.chf)|*.chf") \
  X(MsgYFX, 60114, "y = f(x)") \
  X(MsgHorizontalArea, 60115, "Horizontal\rArea") \
  X(MsgSelfStacked, 60116, "Self Stacked") \
  X(MsgDarkBorder, 60117, "Dark Border") \
  X(MsgMedian, 60118, "Median") \
  X(MsgMode, 60119, "Mode") \
  X(MsgOutline, 60120, "Outline") \
  X(MsgSpaceDelimitedTextFilesTxtTxt, 60121, "Space delimited text files (*.txt)|*.txt") \
  X(MsgTabDelimitedTextFilesTxtTxt, 60122, "Tab delimited text files (*.txt)|*.txt") \
  X(MsgCommaDelimitedTextFilesCsvCsv, 60123, "Comma delimited text files (*.csv)|*.csv") \
  X(MsgColonDelimitedTextFilesTxtTxt, 60124, "Colon delimited text files (*.txt)|*.txt") \
  X(MsgCustomDelimitedTextFilesTxtTxt, 60125, "Custom delimited text files (*.txt)|*.txt") \
  X(MsgXMLFilesXmlXml, 60126, "XML files (*.xml)|*.xml") \
  X(MsgHTMLFilesHtmHtm, 60127, "HTML files (*.htm)|*.htm") \
  X(MsgMicrosoftExcelFilesXlsXls, 60128, "Microsoft Excel files (*.xls)|*.xls") \
  X(MsgCircled, 60129, "Circled") \
  X(MsgEditing, 60130, "Editing %s") \
  X(MsgGantt, 60131, "Gantt") \
  X(MsgChangeSeriesTitle, 60132, "Change Series Title") \
  X(MsgNewSeriesTitle, 60133, "New Series Title:") \
  X(MsgDateTimeFormat, 60134, "DateTime For&mat:") \
  X(MsgValuesFormat, 60135, "Values For&mat:") \
  X(MsgMaximum, 60136, "Maximum") \
  X(MsgMinimum, 60137, "Minimum") \
  X(MsgDesiredIncrement, 60138, "Desired %s Increment") \
  X(MsgApplyChanges, 60139, "Apply Changes ?") \
  X(MsgSelectedSeries, 60140, "(Selected Series)") \
  X(MsgN414, 60141, "414") \
  X(MsgN347, 60142, "347") \
  X(MsgCopy, 60143, "Copy") \
  X(MsgNone, 60144, "(none)") \
  X(MsgTitle, 60145, "Title") \
  X(MsgFooter, 60146, "Footer") \
  X(MsgPeriodRange, 60147, "Period range") \
  X(MsgCustom, 60148, "Custom ") \
  X(MsgPageOf, 60149, "Page %d of %d") \
  X(MsgFirst, 60150, "First") \
  X(MsgPrior, 60151, "Prior") \
  X(MsgNext, 60152, "Next") \
  X(MsgLast, 60153, "Last") \
  X(MsgInsert, 60154, "Insert") \
  X(MsgDelete2, 60155, "Delete") \
  X(MsgEdit, 60156, "Edit") \
  X(MsgPost, 60157, "Post") \
  X(MsgCancel, 60158, "Cancel") \
  X(MsgAddNewGroup, 60159, "Add new group") \
  X(MsgChangeGroupName, 60160, "Change group name") \
  X(MsgGroupName, 60161, "Group name:") \
  X(MsgN2D, 60162, "2D") \
  X(MsgOrthoRight, 60163, "Ortho Right") \
  X(MsgOrthoLeft, 60164, "Ortho Left") \
  X(MsgN3DFront, 60165, "3D Front") \
  X(MsgN3DRight, 60166, "3D Right") \
  X(MsgN3DLeft, 60167, "3D Left") \
  X(MsgSubTitle, 60168, "SubTitle") \
  X(MsgSubFoot, 60169, "SubFoot") \
  X(MsgArrow, 60170, "Arrow") \
  X(MsgPrototyping, 60171, "Prototyping") \
  X(MsgDevelopment, 60172, "Development") \
  X(MsgSales, 60173, "Sales") \
  X(MsgMarketing, 60174, "Marketing") \
  X(MsgTesting, 60175, "Testing") \
  X(MsgManufac, 60176, "Manufac.") \
  X(MsgDebugging, 60177, "Debugging") \
  X(MsgNewVersion, 60178, "New Version") \
  X(MsgBanking, 60179, "Banking") \
  X(MsgShape, 60180, "Shape") \
  X(MsgBubble, 60181, "Bubble") \
  X(MsgAbc, 60182, "abc") \
  X(MsgN123, 60183, "123") \
  X(MsgStart, 60184, "Start") \
  X(MsgEnd, 60185, "End") \
  X(MsgNextTask, 60186, "NextTask") \
  X(MsgRadius, 60187, "Radius") \
  X(MsgEndX, 60188, "EndX") \
  X(MsgEndY, 60189, "EndY") \
  X(MsgRectangle, 60190, "Rectangle") \
  X(MsgVertLine, 60191, "Vert.Line") \
  X(MsgHorizLine, 60192, "Horiz.Line") \
  X(MsgLine2, 60193, "Line") \
  X(MsgCube, 60194, "Cube") \
  X(MsgDiagCross, 60195, "Diag.Cross")

#define KV_DEFINE_TEXT(Name, Id, English) constinit ResStrings::TResString Name{Id, English};
PLOTCONST_TEXTS(KV_DEFINE_TEXT)
#undef KV_DEFINE_TEXT

namespace {
#define KV_TEXT_ADDRESS(Name, Id, English) &Name,
ResStrings::TResString* const AllTexts[] = {PLOTCONST_TEXTS(KV_TEXT_ADDRESS)};
#undef KV_TEXT_ADDRESS
}  // namespace

void ComposeChartFileTexts() {
  const std::string ext = MsgChartFileExtension.EnglishText();
  MsgInvalidChartFile = "Invalid Chart in *." + ext + " file";
  MsgWrongChartFileFormat = "Wrong *." + ext + " file format";
  MsgEmptyChartFile = "Empty *." + ext + " file";
  MsgChartFileFilter = "Chart files (*." + ext + ")|*." + ext;
}

void Initialize() {
  for (const ResStrings::TResString* text : AllTexts) text->Reset();
  ComposeChartFileTexts();
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

}  // namespace PlotConst
