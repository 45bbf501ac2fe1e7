#include "chart/extras/FinancialUnits.h"

#include "chart/extras/BigCandl.h"
#include "chart/extras/CandleCh.h"

namespace FinancialUnits {

void Initialize() {
  CandleCh::Initialize();
  BigCandl::Initialize();
}

void Finalize() {
  BigCandl::Finalize();
  CandleCh::Finalize();
}

}  // namespace FinancialUnits
