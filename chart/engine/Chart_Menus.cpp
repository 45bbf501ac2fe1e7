// The chart's pop-up menus on series, legend and axes, the axis hint, the
// export of a series' points and the settings file that keeps the looks of
// the axes and series of every chart between runs.
#include <cmath>
#include <cstdio>
#include <fstream>

#include "chart/engine/Chart.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/FileStore.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/UserSeam.h"

namespace Chart {
std::function<TForm*(TComponent* Owner, TCustomChartLegend* Legend)> CreateLegendEditor;
}  // namespace Chart

namespace {

const char* const AxisHintText = "[Shift+RightClick] axis settings";

TMenuItem* AddItem(TPopupMenu& Menu, const std::string& Caption, TNotifyEvent OnClick) {
  auto* item = Create<TMenuItem>(&Menu);
  item->SetCaption(Caption);
  item->OnClick = std::move(OnClick);
  Menu.Items()->Add(item);
  return item;
}

// Frees a pop-up menu when its command is done.
struct MenuDeleter {
  void operator()(TPopupMenu* Menu) const { Menu->Free(); }
};
using TMenuHolder = std::unique_ptr<TPopupMenu, MenuDeleter>;

}  // namespace

// ============================================================================
// Menus
// ============================================================================

void TCustomChart::OpenMenu(TPopupMenu& Menu) {
  MouseCancelled = true;
  TPoint p = OnCursorPos ? OnCursorPos() : FLastMousePoint;
  if (!OnCursorPos && OnClientToScreen) p = OnClientToScreen(p);
  Menu.Popup(p.X, p.Y);
}

void TCustomChart::FinishMenuCommand(bool SeriesMenu, TObject* Sender) {
  if (SeriesMenu) {
    if (OnSeriesPopupCommand) OnSeriesPopupCommand(Sender);
    Panning.Active = false;
    MouseCancelled = true;
    return;
  }
  Panning.Active = false;
  MouseCancelled = true;
  if (Sender == FLegend.get()) {
    if (OnSeriesPopupCommand) OnSeriesPopupCommand(this);
  } else if (OnAxisPopupCommand) {
    OnAxisPopupCommand(this);
  }
}

void TCustomChart::SeriesPopup(TChartSeries* Series) {
  if (!Series || Series->NoEditPopup) return;
  ClickedSeries = Series;
  TMenuHolder menu(Create<TPopupMenu>(this));
  const auto command = [this](std::function<void(TChartSeries*)> Run) {
    return [this, Run = std::move(Run)](TObject*) {
      MouseCancelled = true;
      TChartSeries* s = ClickedSeries;
      if (s) Run(s);
      FinishMenuCommand(true, s);
    };
  };
  AddItem(*menu, "Options", command([](TChartSeries* s) {
            if (PlotEngine::ShowSeriesStyleEditor) PlotEngine::ShowSeriesStyleEditor(s);
          }));
  AddItem(*menu, "Default", command([](TChartSeries* s) {
            if (PlotEngine::SeriesFromText) PlotEngine::SeriesFromText(s, s->SeriesDefaultText);
          }));
  AddItem(*menu, "Save", command([this](TChartSeries*) { SaveClickedSeries(); }));
  OpenMenu(*menu);
}

void TCustomChart::LegendPopup() {
  TMenuHolder menu(Create<TPopupMenu>(this));
  AddItem(*menu, "Options", [this](TObject*) {
    MouseCancelled = true;
    if (Chart::CreateLegendEditor) {
      if (TForm* form = Chart::CreateLegendEditor(this, FLegend.get())) {
        form->SetCaption("Legend options");
        UserSeam::Current().ShowModal(*form);
        form->Free();
      }
    }
    FinishMenuCommand(false, FLegend.get());
  });
  const char* const captions[] = {"Visible", "X auto", "Y auto"};
  for (int32_t mode = 0; mode < 3; ++mode) {
    TMenuItem* item = AddItem(*menu, captions[mode], [this, mode](TObject*) {
      MouseCancelled = true;
      LegendMode = mode;
      Invalidate();
      FinishMenuCommand(false, FLegend.get());
    });
    item->SetChecked(LegendMode == mode);
  }
  OpenMenu(*menu);
}

void TCustomChart::AxisPopup(TChartAxis* Axis) {
  if (!Axis) return;
  ClickedAxis = Axis;
  TMenuHolder menu(Create<TPopupMenu>(this));
  const auto command = [this](std::function<void(TChartAxis*)> Run) {
    return [this, Run = std::move(Run)](TObject*) {
      MouseCancelled = true;
      if (ClickedAxis) Run(ClickedAxis);
      FinishMenuCommand(false, this);
    };
  };
  AddItem(*menu, "Options", command([this](TChartAxis* a) {
            if (PlotEngine::ShowAxisEditor) PlotEngine::ShowAxisEditor(this, a);
          }));
  AddItem(*menu, "Default", command([](TChartAxis* a) {
            // An axis that never stored its default look keeps its present one.
            if (!a->AxisDefaultText.empty()) PlotEngine::AxisFromText(*a, a->AxisDefaultText, true);
          }));
  AddItem(*menu, "Fix", command([](TChartAxis* a) { a->SetAutomatic(false); }));
  OpenMenu(*menu);
}

bool TCustomChart::ExportSeriesPoints(TChartSeries* Series, const std::string& FileName) const {
  if (!Series) return false;
  const TChartAxis* h = Series->GetHorizAxisRef();
  const TChartAxis* v = Series->GetVertAxisRef();
  const double hOffset = h ? h->LabelOffset : 0, hScale = h ? h->LabelScale : 1;
  const double vOffset = v ? v->LabelOffset : 0, vScale = v ? v->LabelScale : 1;
  std::string text = "X\tY\r\n";
  for (int32_t i = 0; i < Series->Count(); ++i)
    text += SysUtils::FixedRealText((Series->GetXValue(i) + hOffset) * hScale) + '\t' +
            SysUtils::FixedRealText((Series->GetYValue(i) + vOffset) * vScale) + "\r\n";
  std::string error;
  return FileStore::WriteFileAtomic(FileName, text, error);
}

void TCustomChart::SaveClickedSeries() {
  TChartSeries* s = ClickedSeries;
  if (!s) return;
  TFileDialogRequest request;
  request.Kind = TFileDialogKind::Save;
  request.Filters = {{"Text files", "*.txt"}};
  const std::optional<TFileDialogResult> answer = UserSeam::Current().FileDialog(request);
  if (!answer || answer->Files.empty()) return;
  const std::string fileName = SysUtils::ChangeFileExt(answer->Files.front(), ".txt");
  if (ExportSeriesPoints(s, fileName)) return;
  TMessageRequest box;
  box.Caption = Application->Title;
  box.Text = "Cannot write the points of " + PlotEngine::SeriesTitleOrName(s) + " to " + fileName + ".";
  box.DlgType = TMsgDlgType::mtError;
  box.Buttons = {TMsgDlgBtn::mbOK};
  UserSeam::Current().MessageBox(box);
}

void TCustomChart::UpdateAxisHint(int32_t X, int32_t Y) {
  OverAxis = false;
  TChartAxes& axes = GetAxes();
  for (int32_t i = 0; i < axes.Count() && !OverAxis; ++i) OverAxis = axes.Items(i)->HitTest(X, Y);
  if (OverAxis && AxisHintCount < 10) {
    const bool repaint = AutoRepaint;
    AutoRepaint = false;
    if (Hint != AxisHintText) {
      ++AxisHintCount;
      ShowHint = true;
      Hint = AxisHintText;
      if (!GetView3D() && OnShowHint) {
        const TPoint p = OnClientToScreen ? OnClientToScreen(TPoint{X, Y}) : TPoint{X, Y};
        OnShowHint(Hint, p);
      }
    }
    AutoRepaint = repaint;
  } else if (Hint.find("Shift") != std::string::npos) {
    Hint.clear();
  }
}

// ============================================================================
// Settings file
// ============================================================================

namespace Chart {

std::string SettingsFileName() {
  const std::string exe = SysUtils::ExtractFileName(Application->ExeName());
  // The configuration folder does not exist before the program first writes there.
  const std::string dir = Registry::ConfigDir();
  SysUtils::ForceDirectories(dir);
  return dir + "/" + SysUtils::ChangeFileExt(exe.empty() ? "kelmvev2er" : exe, ".in");
}

std::string SeriesKey(const TChartSeries* Series) {
  std::string text = SeriesTypeText(Series);
  // A key with a line break, "=" or brackets would break its INI line.
  for (char& ch : text)
    if (ch == '\r' || ch == '\n' || ch == '=' || ch == '[' || ch == ']') ch = ' ';
  // INI keys lose their outer blanks when read back.
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return "ser_" + text;
}

namespace {

struct AxisKey {
  const char* Key;
  TChartAxis* (TCustomAxisPanel::*Axis)() const;
};
const AxisKey AxisKeys[] = {{"left", &TCustomAxisPanel::LeftAxis},
                            {"right", &TCustomAxisPanel::RightAxis},
                            {"top", &TCustomAxisPanel::TopAxis},
                            {"bottom", &TCustomAxisPanel::BottomAxis}};

}  // namespace

void StoreAxesDefaults(TCustomAxisPanel* Chart) {
  if (!Chart) return;
  for (const AxisKey& k : AxisKeys) (Chart->*k.Axis)()->StoreDefaultText();
}

void SaveAxesFormat(TCustomAxisPanel* Chart, const std::string& Name) {
  if (!Chart) return;
  TIniFile ini(SettingsFileName());
  for (const AxisKey& k : AxisKeys) ini.WriteString(Name + "_axes", k.Key, PlotEngine::AxisToText(*(Chart->*k.Axis)()));
}

bool FormatLoadingSuspended = false;

void LoadAxesFormat(TCustomAxisPanel* Chart, const std::string& Name) {
  if (!Chart || FormatLoadingSuspended) return;
  TIniFile ini(SettingsFileName());
  for (const AxisKey& k : AxisKeys) {
    TChartAxis* axis = (Chart->*k.Axis)();
    const std::string text = ini.ReadString(Name + "_axes", k.Key, "");
    if (!text.empty()) {
      try {
        PlotEngine::AxisFromText(*axis, text, false);
      } catch (const Exception&) {
        // A damaged stored look leaves the axis as it is; the reader applied nothing.
      }
    }
    axis->SetAutomatic(true);
  }
}

void SaveSeriesFormat(TCustomAxisPanel* /*Chart*/, const std::string& Name, TChartSeries* Series) {
  if (!Series || !PlotEngine::SeriesToText) return;
  TIniFile ini(SettingsFileName());
  ini.WriteString(Name + "_serie", SeriesKey(Series), PlotEngine::SeriesToText(Series));
}

void LoadSeriesFormat(TCustomAxisPanel* /*Chart*/, const std::string& Name, TChartSeries* Series) {
  if (!Series || !PlotEngine::SeriesFromText || FormatLoadingSuspended) return;
  TIniFile ini(SettingsFileName());
  PlotEngine::SeriesFromText(Series, ini.ReadString(Name + "_serie", SeriesKey(Series), ""));
}

}  // namespace Chart
