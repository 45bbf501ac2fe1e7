// Start-up and finalisation of every unit of the extra chart library in one place,
// for the program and for tests and fuzz targets that load charts holding them.
#pragma once

namespace ExtrasUnits {

// Registers the series and functions of every unit (repeatable).
void Initialization();
// Removes what the units with a finalisation registered, in reverse order.
void Finalization();

}  // namespace ExtrasUnits
