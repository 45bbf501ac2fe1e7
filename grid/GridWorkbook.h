#pragma once
// The spreadsheet application the grid reads workbooks through: exactly the
// calls the workbook import needs. The program's binding drives a headless
// office-suite process; tests give a server of their own.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TSpreadsheetServer {
 public:
  virtual ~TSpreadsheetServer() = default;
  virtual void OpenWorkbook(const std::string& FileName) = 0;
  virtual int SheetCount() = 0;
  // Index from 1.
  virtual std::string SheetName(int Index) = 0;
  // Index from 1; 0 is the workbook's active sheet.
  virtual void SelectSheet(int Index) = 0;
  // The used range of the selected sheet, such as "$A$1:$D$20" or "$1:$20".
  virtual std::string UsedRangeAddress() = 0;
  // The values of a range, row by row; no value for an empty, error or object cell.
  virtual std::vector<std::vector<std::optional<std::string>>> RangeValues(const std::string& Address) = 0;
  virtual void CloseWorkbook(bool SaveChanges) = 0;
  virtual void Quit() = 0;
};

namespace GridWorkbook {
// Creates the server; nullptr when none is installed. Tests replace it.
extern std::function<std::unique_ptr<TSpreadsheetServer>()> CreateServer;
// The binding to the installed office suite (nullptr when there is none).
std::unique_ptr<TSpreadsheetServer> CreateOfficeSuiteServer();

struct TRangeAddress {
  int Col1 = 1, Row1 = 1, Col2 = 1, Row2 = 1;
};
// Reads "$A$1:$D$20", "$B$3", "$1:$20" (whole rows: columns 1 .. 256) with any
// number of column letters; false for anything else.
bool ParseRangeAddress(const std::string& Address, TRangeAddress& Range);
// The fields of comma-separated text with quoted fields (which may hold line breaks).
std::vector<std::vector<std::string>> ParseCsv(const std::string& Text);
}  // namespace GridWorkbook
