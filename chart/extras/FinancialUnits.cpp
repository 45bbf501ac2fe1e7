#include "chart/extras/FinancialUnits.h"

#include "chart/extras/BigCandl.h"
#include "chart/extras/CandleCh.h"
#include "chart/extras/PlotCCIFunction.h"
#include "chart/extras/PlotCLVFunction.h"
#include "chart/extras/PlotCompressOHLC.h"
#include "chart/extras/PlotOBVFunction.h"
#include "chart/extras/PlotPointFigure.h"
#include "chart/extras/PlotPVOFunction.h"

namespace FinancialUnits {

void Initialize() {
  CandleCh::Initialize();
  BigCandl::Initialize();
  PlotCompressOHLC::Initialize();
  PlotCLVFunction::Initialize();
  PlotOBVFunction::Initialize();
  PlotCCIFunction::Initialize();
  PlotPVOFunction::Initialize();
  PlotPointFigure::Initialize();
}

void Finalize() {
  PlotPointFigure::Finalize();
  PlotPVOFunction::Finalize();
  PlotCCIFunction::Finalize();
  PlotOBVFunction::Finalize();
  PlotCLVFunction::Finalize();
  PlotCompressOHLC::Finalize();
  BigCandl::Finalize();
  CandleCh::Finalize();
}

}  // namespace FinancialUnits
