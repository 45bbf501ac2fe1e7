// Loads the input as a CSV file into a grid: once with the delimiter
// detected, once appended with OEM conversion, "~" line breaks and a footer.
#include "fuzz/FuzzSupport.h"
#include "grid/GridView.h"
#include "platform/ui/Forms.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  Forms::EnsureToolkit();
  const std::string file = FuzzSupport::InputFile(Data, Size, ".csv");
  auto* grid = new TGridView(nullptr);
  try {
    grid->LoadFromCSV(file);
    grid->OemConvert = true;
    grid->TildeLineBreaks = true;
    grid->FloatingFooter()->SetVisible(true);
    grid->OnFileProgress = [](TObject*, int16_t) {};
    grid->LoadCSVFile(file, true);
  } catch (const Exception&) {
  }
  grid->Free();
  return 0;
}
