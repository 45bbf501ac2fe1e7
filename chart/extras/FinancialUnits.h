#pragma once
// Start-up and finalisation of the financial series and functions.

namespace FinancialUnits {
void Initialize();
void Finalize();
}  // namespace FinancialUnits
