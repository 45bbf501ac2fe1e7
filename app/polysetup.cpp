#include "app/polysetup.h"

#include <memory>

#include "app/DialogFields.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/series/PlotEdiFont.h"
#include "controls/DFSClrBn.h"
#include "controls/abcbtn.h"
#include "controls/abcexctl.h"
#include "platform/ui/Dialogs.h"
#include "views/PolygonChart.h"
#include "platform/rtl/FreeGuard.h"

KV_CLASS_IMPL(TPolysetupForm, TForm) {}

namespace {

using DialogFields::AddGroup;

TSpeedButton* AddSpeedButton(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width) {
  auto* button = Create<TSpeedButton>(Parent);
  button->SetParent(Parent);
  button->SetBounds(Left, Top, Width, 25);
  button->SetCaption(Caption);
  return button;
}

struct TMarginRow {
  const char* Caption;
  const char* Field;
  int Margin;  // the chart's margin index: 0 left, 1 top, 2 right, 3 bottom
};
constexpr TMarginRow MarginRows[4] = {{"  Left margin", "Left margin", 0},
                                      {"  Top margin", "Top margin", 1},
                                      {"  Right margin", "Right margin", 2},
                                      {"  Bottom margin", "Bottom margin", 3}};

TSeriesMarks* MarksOf(TChartSeries* Series) {
  return Series ? dynamic_cast<TSeriesMarks*>(Series->Marks()) : nullptr;
}

}  // namespace

TPolysetupForm::TPolysetupForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("PolysetupForm");
  SetCaption("Section setup");
  SetBorderStyle(TFormBorderStyle::bsToolWindow);
  SetClientWidth(445);
  SetClientHeight(241);
  Position = TPosition::poDesktopCenter;

  GroupBox1 = AddGroup(this, "Box margins (pixels)", 8, 4, 188, 172);
  TSpinEdit** margins[4] = {&PSLeftval, &PStopval, &PSRightval, &PSBottomval};
  for (int i = 0; i < 4; ++i) {
    const int top = 20 + 36 * i;
    DialogFields::AddCaptionBox(GroupBox1, MarginRows[i].Caption, 8, top, 172, 33);
    auto* spin = Create<TSpinEdit>(GroupBox1);
    spin->SetParent(GroupBox1);
    spin->SetBounds(118, top + 6, 56, 21);
    spin->MinValue = 0;
    spin->MaxValue = 100;
    *margins[i] = spin;
  }

  GroupBox2 = AddGroup(this, "Node colors", 204, 4, 233, 92);
  struct TColorRow {
    const char* Caption;
    TdfsColorButton** Button;
    int Left, Top;
  };
  const TColorRow colorRows[] = {{"  Internal", &PSMinContour, 8, 18},
                                 {"  External", &dfsColorButton1, 118, 18},
                                 {"  Fixed", &dfsColorButton2, 8, 54},
                                 {" Border", &dfsColorButton3, 118, 54}};
  for (const TColorRow& row : colorRows) {
    DialogFields::AddCaptionBox(GroupBox2, row.Caption, row.Left, row.Top, 107, 33);
    auto* button = Create<TdfsColorButton>(GroupBox2);
    button->SetParent(GroupBox2);
    button->SetBounds(row.Left + 58, row.Top + 6, 45, 22);
    *row.Button = button;
  }

  GroupBox3 = AddGroup(this, "Series parameters", 204, 100, 233, 92);
  SpeedButton1 = AddSpeedButton(GroupBox3, "  Work series 1", 8, 20, 107);
  SpeedButton2 = AddSpeedButton(GroupBox3, "  Work series 2", 118, 20, 107);
  SpeedButton3 = AddSpeedButton(GroupBox3, "  Work series 3", 8, 56, 107);
  SpeedButton4 = AddSpeedButton(this, " Marks font", 8, 184, 188);

  abcPicBtn3 = DialogFields::AddCommandButton(this, "Apply", 204, 204);
  abcPicBtn1 = DialogFields::AddCommandButton(this, "Default", 283, 204);
  abcPicBtn4 = DialogFields::AddCommandButton(this, "Close", 362, 204);

  abcPicBtn3->OnClick = [this](TObject* S) { abcPicBtn3Click(S); };
  abcPicBtn4->OnClick = [this](TObject* S) { abcPicBtn4Click(S); };
  abcPicBtn1->OnClick = [this](TObject* S) { abcPicBtn1Click(S); };
  SpeedButton1->OnClick = [this](TObject* S) { SpeedButton1Click(S); };
  SpeedButton2->OnClick = [this](TObject* S) { SpeedButton2Click(S); };
  SpeedButton3->OnClick = [this](TObject* S) { SpeedButton3Click(S); };
  SpeedButton4->OnClick = [this](TObject* S) { SpeedButton4Click(S); };
  DialogFields::CancelOnEscape(*this);
  DialogFields::FitToContent(*this);
}

void TPolysetupForm::LoadFromChart(TPolygonChart& Chart) {
  FChart = &Chart;
  TSpinEdit* margins[4] = {PSLeftval, PStopval, PSRightval, PSBottomval};
  for (int i = 0; i < 4; ++i) margins[i]->SetValue(Chart.GetMargin(MarginRows[i].Margin));
  PSMinContour->SetColor(Chart.NodeColorInternal);
  dfsColorButton1->SetColor(Chart.NodeColorFree);
  dfsColorButton2->SetColor(Chart.NodeColorFixed);
  dfsColorButton3->SetColor(Chart.NodeColorBorder);
}

bool TPolysetupForm::StoreToChart(std::string& Problem) {
  TPolygonChart* chart = FChart.Get();
  if (!chart) return false;
  TSpinEdit* margins[4] = {PSLeftval, PStopval, PSRightval, PSBottomval};
  for (int i = 0; i < 4; ++i)
    if (!margins[i]->TextIsValue()) {
      Problem = std::string(MarginRows[i].Field) + ": \"" + margins[i]->GetText() +
                "\" is not allowed; enter a whole number from 0 to 100.";
      return false;
    }
  for (int i = 0; i < 4; ++i) chart->SetMargin(MarginRows[i].Margin, margins[i]->GetValue());
  chart->NodeColorInternal = PSMinContour->GetColor();
  chart->NodeColorFree = dfsColorButton1->GetColor();
  chart->NodeColorFixed = dfsColorButton2->GetColor();
  chart->NodeColorBorder = dfsColorButton3->GetColor();
  return true;
}

bool TPolysetupForm::Apply() {
  TPolygonChart* chart = FChart.Get();
  if (!chart) return false;
  std::string problem;
  if (!StoreToChart(problem)) {
    Dialogs::MessageDlg(problem, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
    return false;
  }
  LoadFromChart(*chart);
  RepaintChart();
  return true;
}

void TPolysetupForm::RepaintChart() {
  if (TPolygonChart* chart = FChart.Get()) chart->Invalidate();
}

void TPolysetupForm::abcPicBtn3Click(TObject*) { Apply(); }

void TPolysetupForm::abcPicBtn4Click(TObject*) {
  if (Apply()) SetModalResult(mrOk);
}

void TPolysetupForm::abcPicBtn1Click(TObject*) {
  TPolygonChart* chart = FChart.Get();
  if (!chart) return;
  for (TChartSeries* series :
       std::initializer_list<TChartSeries*>{chart->OutlineSeries, chart->RubberSeries, chart->MeshSeries})
    if (series) series->RestoreDefaultText();
  chart->RestoreDefaultSettings();
  LoadFromChart(*chart);
  RepaintChart();
}

void TPolysetupForm::EditWorkSeries(int Index) {
  TPolygonChart* chart = FChart.Get();
  if (!chart) return;
  TChartSeries* series[3] = {chart->OutlineSeries, chart->RubberSeries, chart->MeshSeries};
  if (!series[Index]) return;
  PlotEditCha::ShowSeriesStyleEditor(series[Index]);
  RepaintChart();
}

void TPolysetupForm::SpeedButton1Click(TObject*) { EditWorkSeries(0); }
void TPolysetupForm::SpeedButton2Click(TObject*) { EditWorkSeries(1); }
void TPolysetupForm::SpeedButton3Click(TObject*) { EditWorkSeries(2); }

void TPolysetupForm::SpeedButton4Click(TObject*) {
  TPolygonChart* chart = FChart.Get();
  if (!chart) return;
  TSeriesMarks* marks = MarksOf(chart->BodySeries);
  if (!marks) return;
  PlotEdiFont::ShowFontEditor(this, marks->Font());
  RepaintChart();
}

int polysetup::ShowSectionSetup(TPolygonChart& Chart) {
  TOwned<TPolysetupForm> dialog(Create<TPolysetupForm>(Application));
  dialog->LoadFromChart(Chart);
  return dialog->ShowModal();
}
