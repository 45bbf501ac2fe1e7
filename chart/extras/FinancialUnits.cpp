#include "chart/extras/FinancialUnits.h"

#include "chart/extras/BigCandl.h"
#include "chart/extras/CandleCh.h"
#include "chart/extras/PlotCompressOHLC.h"

namespace FinancialUnits {

void Initialize() {
  CandleCh::Initialize();
  BigCandl::Initialize();
  PlotCompressOHLC::Initialize();
}

void Finalize() {
  PlotCompressOHLC::Finalize();
  BigCandl::Finalize();
  CandleCh::Finalize();
}

}  // namespace FinancialUnits
