// The program settings in the registry key "\Software\KelmVev2er" (current user)
// and the close sequence. Every value is declared once in the table below with
// its type, default and accepted range: reading goes through the table, so a
// value that is missing, of another type or out of range keeps the default.

#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

#include "app/ResMainForm.h"
#include "chart/engine/Chart.h"
#include "chart/series/Series.h"
#include "numerics/DC2dBEM.h"
#include "numerics/Polygons.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/SysUtils.h"
#include "views/ModelSection.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace {

enum class TSettingKind { Integer, Boolean, Float, String };

using TSettingValue = std::variant<int32_t, bool, double, std::string>;

struct TSetting {
  const char* Name;
  TSettingKind Kind;
  bool ReadAtStart;    // "percent1", "percent2" and "Solver" are written but never read back
  double Lower, Upper;  // accepted range of a number (inclusive)
  std::function<TSettingValue(const TMainForm&)> Get;
  std::function<void(TMainForm&, const TSettingValue&)> Set;
};

// The stored default body properties are properties 0..18.
constexpr int32_t DefaultPropertyLast = 18;

int32_t AsInt(const TSettingValue& v) { return std::get<int32_t>(v); }
bool AsBool(const TSettingValue& v) { return std::get<bool>(v); }
double AsFloat(const TSettingValue& v) { return std::get<double>(v); }

#define KV_INT(field) [](const TMainForm& f) -> TSettingValue { return f.field; }, \
                      [](TMainForm& f, const TSettingValue& v) { f.field = AsInt(v); }
#define KV_BOOL(field) [](const TMainForm& f) -> TSettingValue { return f.field; }, \
                       [](TMainForm& f, const TSettingValue& v) { f.field = AsBool(v); }
#define KV_FLOAT(field) [](const TMainForm& f) -> TSettingValue { return f.field; }, \
                        [](TMainForm& f, const TSettingValue& v) { f.field = AsFloat(v); }

// In the order of writing at close.
const std::vector<TSetting>& Settings() {
  static const std::vector<TSetting> table = {
      {"LastPath", TSettingKind::String, true, 0, 0,
       [](const TMainForm& f) -> TSettingValue { return f.OpenDialog1->FileName; },
       [](TMainForm& f, const TSettingValue& v) {
         const std::string& path = std::get<std::string>(v);
         f.OpenDialog1->FileName = path;
         f.OpenDialog1->InitialDir = SysUtils::ExtractFileDir(path);
       }},
      {"FilterIndex", TSettingKind::Integer, true, 1, 5,
       [](const TMainForm& f) -> TSettingValue { return static_cast<int32_t>(f.OpenDialog1->FilterIndex); },
       [](TMainForm& f, const TSettingValue& v) { f.OpenDialog1->FilterIndex = AsInt(v); }},
      {"AddDataType", TSettingKind::Integer, true, 0, 2, KV_INT(AddDataType)},
      {"DataType", TSettingKind::Integer, true, 0, 1, KV_INT(DataType)},
      {"DataPlotType", TSettingKind::Integer, true, 0, 1, KV_INT(Survey.DataPlotType)},
      {"graphicstype", TSettingKind::Integer, true, 0, 1, KV_INT(Survey.graphicstype)},
      {"VerticalAxisType", TSettingKind::Integer, true, 0, 1, KV_INT(VerticalAxisType)},
      {"percent1", TSettingKind::Float, false, 0, 100, KV_FLOAT(percent1)},
      {"percent2", TSettingKind::Float, false, 0, 100, KV_FLOAT(percent2)},
      // The first 19 properties a newly drawn body starts with, as one property line.
      {"Defpolparams", TSettingKind::String, true, 0, 0,
       [](const TMainForm&) -> TSettingValue {
         return ModelSection::PropertiesToStr(Polygons::DefaultProps, DefaultPropertyLast);
       },
       [](TMainForm&, const TSettingValue& v) {
         PolygonProps props = Polygons::DefaultProps;
         std::string message;
         if (!ModelSection::PropertiesFromStr(props, std::get<std::string>(v), message, DefaultPropertyLast)) return;
         if (props[Polygons::PropResistivity].AsDouble() == 0.0) props[Polygons::PropResistivity] = 10.0;
         Polygons::DefaultProps = props;
       }},
      {"MACH_EPS", TSettingKind::Float, true, 1e-300, 0.1, KV_FLOAT(Survey.MACH_EPS)},
      {"CGprecision", TSettingKind::Integer, true, 1, 1000000, KV_INT(Survey.CGprecision)},
      {"nkuser", TSettingKind::Boolean, true, 0, 0, KV_BOOL(Survey.nkuser)},
      {"nknumber", TSettingKind::Integer, true, 1, 100, KV_INT(Survey.nknumber)},
      {"infperc", TSettingKind::Integer, true, 0, 1000, KV_INT(Survey.infperc)},
      {"redperc", TSettingKind::Integer, true, 1, 10000, KV_INT(Survey.redperc)},
      {"numqp", TSettingKind::Integer, true, 2, 8, KV_INT(Survey.numqp)},
      {"recetha", TSettingKind::Boolean, true, 0, 0, KV_BOOL(Survey.recetha)},
      {"correct", TSettingKind::Boolean, true, 0, 0, KV_BOOL(Survey.correct)},
      {"Solver", TSettingKind::Integer, false, 0, 3, KV_INT(Survey.Solver)},
  };
  return table;
}

#undef KV_INT
#undef KV_BOOL
#undef KV_FLOAT

// The stored value when it has the setting's type and lies in its range.
std::optional<TSettingValue> ReadSetting(const TRegistry& reg, const TSetting& s) {
  if (!reg.ValueExists(s.Name)) return std::nullopt;
  const TRegDataType type = reg.GetDataType(s.Name);
  switch (s.Kind) {
    case TSettingKind::String:
      if (type != TRegDataType::rdString && type != TRegDataType::rdExpandString) return std::nullopt;
      return reg.ReadString(s.Name);
    case TSettingKind::Boolean: {
      if (type != TRegDataType::rdInteger) return std::nullopt;
      const int32_t v = reg.ReadInteger(s.Name);
      if (v != 0 && v != 1) return std::nullopt;
      return v == 1;
    }
    case TSettingKind::Integer: {
      if (type != TRegDataType::rdInteger) return std::nullopt;
      const int32_t v = reg.ReadInteger(s.Name);
      if (v < s.Lower || v > s.Upper) return std::nullopt;
      return v;
    }
    case TSettingKind::Float: {
      if (type != TRegDataType::rdBinary || reg.GetDataSize(s.Name) != static_cast<int>(sizeof(double)))
        return std::nullopt;
      const double v = reg.ReadFloat(s.Name);
      if (!std::isfinite(v) || v < s.Lower || v > s.Upper) return std::nullopt;
      return v;
    }
  }
  return std::nullopt;
}

void WriteSetting(TRegistry& reg, const TSetting& s, const TSettingValue& v) {
  switch (s.Kind) {
    case TSettingKind::String: reg.WriteString(s.Name, std::get<std::string>(v)); break;
    case TSettingKind::Boolean: reg.WriteBool(s.Name, AsBool(v)); break;
    case TSettingKind::Integer: reg.WriteInteger(s.Name, AsInt(v)); break;
    case TSettingKind::Float: reg.WriteFloat(s.Name, AsFloat(v)); break;
  }
}

}  // namespace

void TMainForm::LoadProgramSettings() {
  // Each value that is there is read, even when another is missing; a key that
  // cannot be opened leaves every default.
  try {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKeyReadOnly(ResMainForm::SettingsKey)) return;
    for (const TSetting& s : Settings()) {
      if (!s.ReadAtStart) continue;
      if (const auto value = ReadSetting(reg, s)) s.Set(*this, *value);
    }
    ChosenPlotType = Survey.DataPlotType;
  } catch (const Exception&) {
    // An unreadable store is the same as an empty one: the defaults stay.
  }
}

void TMainForm::SaveProgramSettings() {
  try {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKey(ResMainForm::SettingsKey, true)) return;
    for (const TSetting& s : Settings()) WriteSetting(reg, s, s.Get(*this));
  } catch (const Exception&) {
    // A store that cannot be written loses this group of settings, as a key that
    // cannot be opened does.
  }
}

void TMainForm::ResetSolverDefaults() {
  Survey.nkuser = false;
  Survey.nknumber = 8;
  Survey.correct = true;
  Survey.Solver = 3;
  Survey.CGprecision = 400;
  Survey.MACH_EPS = 1e-8;
  Survey.FactorX = 0.1;
  Survey.FactorZ = 0.1;
  Survey.StartX = 2.0;
  Survey.StartZ = 1.0;
  Survey.Exponent = false;
  Survey.infperc = 10;
  Survey.numqp = 7;
  Survey.recetha = true;
}

namespace {

// One group of chart settings; a store that cannot be read or written loses
// that group only.
void Guarded(const std::function<void()>& Step) {
  try {
    Step();
  } catch (const Exception&) {
  }
}

}  // namespace

void TMainForm::LoadChartSettings() {
  BuildDefaultAxisTexts();
  Chart::LoadAxesFormat(PseudoSection2d1, "ps_axi");
  Chart::LoadAxesFormat(PseudoSection2d2, "ps_axi");
  Chart::LoadAxesFormat(PolygonChart1, "pc_axi");
  Chart::LoadSeriesFormat(PolygonChart1, "KelmVev2er_wl1", PolygonChart1->OutlineSeries);
  Chart::LoadSeriesFormat(PolygonChart1, "KelmVev2er_wl2", PolygonChart1->RubberSeries);
  Chart::LoadSeriesFormat(PolygonChart1, "KelmVev2er_tmpsr", PolygonChart1->MeshSeries);
  Chart::LoadSeriesFormat(PolygonChart1, "KelmVev2er_zarser", CrossPointSeries);
  LoadAxisTexts("KelmVev2er_allaxises");
  Chart::LoadSeriesFormat(PseudoSection2d1, "KelmVev2er_stser", PseudoSection2d1->StationSeries);
  Chart::LoadSeriesFormat(PseudoSection2d1, "KelmVev2er_elec", PseudoSection2d1->MarkerSeries);
  Chart::LoadSeriesFormat(PseudoSection2d1, "KelmVev2er_grdser", PseudoSection2d1->GridSeries);
  Guarded([this] { PolygonChart1->LoadSettings("KelmVev2er_plgnch"); });
  prepaxises();
  for (TChartAxis* axis : {PseudoSection2d1->LeftAxis(), PseudoSection2d1->BottomAxis(),
                           PseudoSection2d1->RightAxis(), PseudoSection2d2->RightAxis()}) {
    axis->SetAutomatic(true);
    axis->SetAutomaticMinimum(true);
    axis->SetAutomaticMaximum(true);
  }
}

void TMainForm::FormCloseQuery(TObject*, bool& CanClose) {
  // A forward run or an inversion in progress keeps the window open: closing
  // would free the survey the solver is writing into.
  if (DC2dBEM::Running) {
    Dialogs::ShowMessage("Please wait until the computation has finished.");
    CanClose = false;
    return;
  }
  if (!ConfirmDiscardWork()) {
    CanClose = false;
    return;
  }
  StoreAxisTexts();
  // The settings are written with resistivity on display.
  const bool switched = DataQuantity == 1;
  if (switched) SetDataQuantity(0);
  SaveProgramSettings();
  Guarded([this] { PseudoSection2d1->SaveSettings("KelmVev2er_ps"); });
  Guarded([this] { CalculatedRhoGraph->SaveSettings("KelmVev2er_mg_t"); });
  Guarded([this] { ObservedRhoGraph->SaveSettings("KelmVev2er_mg_o"); });
  Guarded([this] { CalculatedEtaGraph->SaveSettings("KelmVev2er_mg_t1"); });
  Guarded([this] { ObservedEtaGraph->SaveSettings("KelmVev2er_mg_o1"); });
  SaveAxisTexts("KelmVev2er_allaxises");
  Guarded([this] {
    Chart::SaveAxesFormat(PseudoSection2d1, "ps_axi");
    Chart::SaveAxesFormat(PolygonChart1, "pc_axi");
    Chart::SaveSeriesFormat(PolygonChart1, "KelmVev2er_wl1", PolygonChart1->OutlineSeries);
    Chart::SaveSeriesFormat(PolygonChart1, "KelmVev2er_wl2", PolygonChart1->RubberSeries);
    Chart::SaveSeriesFormat(PolygonChart1, "KelmVev2er_tmpsr", PolygonChart1->MeshSeries);
  });
  Guarded([this] { PolygonChart1->SaveSettings("KelmVev2er_plgnch"); });
  Guarded([this] {
    Chart::SaveSeriesFormat(PseudoSection2d1, "KelmVev2er_stser", PseudoSection2d1->StationSeries);
    Chart::SaveSeriesFormat(PseudoSection2d1, "KelmVev2er_elec", PseudoSection2d1->MarkerSeries);
    Chart::SaveSeriesFormat(PolygonChart1, "KelmVev2er_zarser", CrossPointSeries);
    TPseudoSection2d* grid = ObservedLoaded ? PseudoSection2d1 : PseudoSection2d2;
    Chart::SaveSeriesFormat(grid, "KelmVev2er_grdser", grid->GridSeries);
  });
  Guarded([this] { StoreImportLook(); });
  if (switched) SetDataQuantity(1);
}
