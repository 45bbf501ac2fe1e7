// Times the electrode editor's LoadGrid for a survey of n measurements and of
// twice that many (pole-dipole pairs of 10 receivers each), after a header
// sort of the previous table, as a reload after a sort does.
//
//   bench_electrode_editor [measurements]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/EditUnit.h"
#include "app/ResMainForm.h"
#include "platform/ui/Forms.h"

namespace {

using Clock = std::chrono::steady_clock;

ararofdoubleM PoleDipoleRows(int Measurements) {
  ararofdoubleM rows;
  for (int i = 0; static_cast<int>(rows.size()) < Measurements; ++i)
    for (int n = 1; n <= 10 && static_cast<int>(rows.size()) < Measurements; ++n) {
      arofdoubleM row(Survey::RowColumns, Supermath2d::NoValue);
      row[Survey::colC1] = i;
      row[Survey::colP1] = i + n;
      row[Survey::colP2] = i + n + 1;
      row[Survey::colRhoA] = 100.0 + (i * 7 + n) % 50;
      row[Survey::colWeight] = 1.0;
      rows.push_back(std::move(row));
    }
  return rows;
}

void Run(int Measurements) {
  TMainForm* form = Create<TMainForm>(nullptr);
  form->Survey.MeasurementRows = PoleDipoleRows(Measurements);
  form->Survey.HasObservedData = true;
  form->Survey.AnalyseSurvey();
  form->ObservedLoaded = true;
  auto* editor = Create<TEditForm>(nullptr);
  editor->Attach(*form);
  editor->LoadGrid();
  const TRect header = editor->GridView1->TBaseGrid::CellRect(6, 0);
  editor->GridView1->MouseDown(TMouseButton::mbLeft, TShiftState{}, header.Left + 5, header.Top + 5);
  editor->GridView1->MouseUp(TMouseButton::mbLeft, TShiftState{}, header.Left + 5, header.Top + 5);
  const auto start = Clock::now();
  editor->LoadGrid();
  const double load = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  std::printf("%6d measurements: LoadGrid %.1f ms (%d table rows)\n", Measurements, load,
              editor->GridView1->GetRowCount());
  editor->Free();
  form->Free();
}

}  // namespace

int main(int argc, char** argv) {
  const int measurements = argc > 1 ? std::atoi(argv[1]) : 20000;
  if (measurements < 1) {
    std::fprintf(stderr, "bench_electrode_editor: at least 1 measurement is needed\n");
    return 1;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  Forms::EnsureToolkit();
  Application->SetParams({"bench_electrode_editor", "-ns"});
  Run(measurements);
  Run(2 * measurements);
  return 0;
}
