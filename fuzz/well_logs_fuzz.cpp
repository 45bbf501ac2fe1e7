// Reads the input as a crt list (every named data file taken as present) and as
// a log data file, then aligns, scales and paints the rows as a drawing does.
#include "app/WellLogs.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string text = FuzzSupport::Text(Data, Size);
  std::vector<std::string> notes;
  WellLogs::arofcarotagedata logs =
      WellLogs::ParseList("/tmp/list.crt", text, [](const std::string&) { return true; }, notes);
  WellLogs::arofcarotagedata read;
  for (WellLogs::carotagedata& log : logs) {
    log.LogFlag = static_cast<uint8_t>(read.size() % 2);
    if (WellLogs::ParseLogData(text, log, notes)) read.push_back(std::move(log));
  }
  WellLogs::AlignLevels(read);
  for (size_t i = 0; i < read.size(); ++i) {
    double lo = 0, hi = 0;
    WellLogs::ValueScale(read, i, 1e6, -1e6, lo, hi);
    for (const complexM& p : read[i].Points) (void)WellLogs::CurveX(read[i].X, 1.0, p.z, lo, hi);
    int32_t colour = 0, pattern = 0;
    for (int32_t row = 0; row < 16; ++row) WellLogs::RowCodes(read[i], row, 16, colour, pattern);
  }
  return 0;
}
