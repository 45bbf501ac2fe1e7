#include "chart/extras/ExtrasUnits.h"

#include "chart/extras/ArrowCha.h"
#include "chart/extras/Bar3D.h"
#include "chart/extras/BubbleCh.h"
#include "chart/extras/CurvFitt.h"
#include "chart/extras/FinancialUnits.h"
#include "chart/extras/GanttCh.h"
#include "chart/extras/ImaPoint.h"
#include "chart/extras/ImageBar.h"
#include "chart/extras/MyPoint.h"
#include "chart/extras/PlotBezie.h"
#include "chart/extras/PlotBoxPlot.h"
#include "chart/extras/PlotCount.h"
#include "chart/extras/PlotCumu.h"
#include "chart/extras/PlotDonut.h"
#include "chart/extras/PlotDownSampling.h"
#include "chart/extras/PlotFunnel.h"
#include "chart/extras/PlotGauges.h"
#include "chart/extras/PlotPoin3.h"
#include "chart/extras/PlotPolar.h"
#include "chart/extras/PlotPyramid.h"
#include "chart/extras/PlotRose.h"
#include "chart/extras/PlotShape.h"
#include "chart/extras/PlotSmith.h"
#include "chart/extras/PlotSpline.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/extras/PlotSurfaceTool.h"
#include "chart/extras/PlotTransposeTool.h"
#include "chart/extras/PlotTriSurface.h"
#include "chart/extras/PlotVolumePipe.h"
#include "chart/extras/StatChar.h"
#include "chart/extras/PlotDragPoint.h"
#include "chart/extras/PlotGanttTool.h"
#include "chart/extras/PlotPieTool.h"
#include "chart/extras/PlotSeriesBandTool.h"
#include "chart/extras/PlotExtraLegendTool.h"
#include "chart/extras/PlotPageNumTool.h"
#include "chart/extras/PlotSelectorTool.h"
#include "chart/extras/PlotLighting.h"
#include "chart/extras/PlotDataTableTool.h"
#include "chart/extras/PlotCalendar.h"

namespace ExtrasUnits {

void Initialization() {
  PlotShape::Initialization();
  GanttCh::Initialization();
  ArrowCha::Initialization();
  BubbleCh::Initialization();
  PlotBezie::Initialization();
  PlotDonut::Initialization();
  MyPoint::Initialization();
  ImageBar::Initialization();
  ImaPoint::Initialization();
  PlotPyramid::Initialization();
  PlotFunnel::Initialization();
  PlotVolumePipe::Initialization();
  PlotPolar::Initialization();
  PlotRose::Initialization();
  PlotSmith::Initialization();
  PlotGauges::Initialization();
  PlotSurfa::Initialization();
  PlotPoin3::Initialization();
  Bar3D::Initialization();
  PlotTriSurface::Initialization();
  PlotSurfaceTool::Initialization();
  PlotTransposeTool::Initialization();
  PlotSpline::Initialize();
  StatChar::Initialize();
  CurvFitt::Initialize();
  PlotCount::Initialize();
  PlotCumu::Initialize();
  PlotDownSampling::Initialize();
  PlotBoxPlot::Initialize();
  FinancialUnits::Initialize();
  PlotDragPoint::Initialization();
  PlotGanttTool::Initialization();
  PlotPieTool::Initialization();
  PlotSeriesBandTool::Initialization();
  PlotExtraLegendTool::Initialization();
  PlotPageNumTool::Initialization();
  PlotSelectorTool::Initialization();
  PlotLighting::Initialization();
  PlotDataTableTool::Initialization();
  PlotCalendar::Initialization();
}

void Finalization() {
  PlotCalendar::Finalization();
  PlotDataTableTool::Finalization();
  PlotLighting::Finalization();
  PlotSelectorTool::Finalization();
  PlotPageNumTool::Finalization();
  PlotExtraLegendTool::Finalization();
  PlotSeriesBandTool::Finalization();
  PlotPieTool::Finalization();
  PlotGanttTool::Finalization();
  PlotDragPoint::Finalization();
  FinancialUnits::Finalize();
  PlotTransposeTool::Finalization();
  PlotSurfaceTool::Finalization();
  PlotTriSurface::Finalization();
  Bar3D::Finalization();
  PlotPoin3::Finalization();
  PlotSurfa::Finalization();
  PlotBoxPlot::Finalize();
  PlotDownSampling::Finalize();
  PlotCumu::Finalize();
  PlotCount::Finalize();
  CurvFitt::Finalize();
  StatChar::Finalize();
  PlotSpline::Finalize();
  PlotGauges::Finalization();
  PlotSmith::Finalization();
  PlotRose::Finalization();
  PlotPolar::Finalization();
  PlotVolumePipe::Finalization();
  PlotFunnel::Finalization();
  PlotPyramid::Finalization();
  ImaPoint::Finalization();
  ImageBar::Finalization();
  MyPoint::Finalization();
  PlotDonut::Finalization();
  PlotBezie::Finalization();
}

}  // namespace ExtrasUnits
