#include "app/setupMG.h"

#include <memory>

#include "app/DialogFields.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/series/Series.h"
#include "controls/abccombo.h"
#include "controls/abcexctl.h"
#include "platform/rtl/Restore.h"
#include "views/Multigraphics.h"
#include "platform/rtl/FreeGuard.h"

KV_CLASS_IMPL(TsetMG, TForm) {}

namespace {

TabcColorComboBox* AddColorCombo(TWinControl* Parent, int Left, int Top, int Width) {
  auto* combo = Create<TabcColorComboBox>(Parent);
  combo->SetParent(Parent);
  combo->SetBounds(Left, Top, Width, 21);
  combo->Style = TComboBoxStyle::csDropDownList;
  combo->FillColorNames();
  combo->BuildColorList();
  return combo;
}

TButton* AddButton(TWinControl* Parent, const std::string& Caption, int Left, int Top) {
  auto* button = Create<TButton>(Parent);
  button->SetParent(Parent);
  button->SetBounds(Left, Top, 75, 25);
  button->SetCaption(Caption);
  return button;
}

constexpr const char* MinColorCaption = "  Min color";
constexpr const char* ConstantColorCaption = "  Color";

}  // namespace

TsetMG::TsetMG(TComponent* AOwner) : TForm(AOwner) {
  SetName("setMG");
  SetCaption("Graphics setup");
  SetBorderStyle(TFormBorderStyle::bsToolWindow);
  SetClientWidth(330);
  SetClientHeight(231);
  Position = TPosition::poDesktopCenter;

  DialogFields::AddCaptionBox(this, "  Style", 8, 8, 170, 33);
  ComboBox1 = Create<TComboBox>(this);
  ComboBox1->SetParent(this);
  ComboBox1->SetBounds(66, 14, 106, 21);
  ComboBox1->Style = TComboBoxStyle::csDropDownList;
  for (const char* item : setupMG::StyleItems) ComboBox1->Items()->Add(item);

  GroupBox1 = Create<TGroupBox>(this);
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(8, 46, 170, 140);
  GroupBox1->SetCaption(" Palette");
  struct TPaletteRow {
    const char* Caption;
    TabcSuperLabel** Label;
    TabcColorComboBox** Combo;
  };
  const TPaletteRow palette[] = {{MinColorCaption, &Label1, &abcColorComboBox1},
                                 {"  1/3 color", &Label2, &abcColorComboBox2},
                                 {"  2/3 color", &Label3, &abcColorComboBox3},
                                 {"  Max color", &Label4, &abcColorComboBox4}};
  int top = 18;
  for (const TPaletteRow& row : palette) {
    *row.Label = DialogFields::AddCaptionBox(GroupBox1, row.Caption, 8, top, 154, 27);
    *row.Combo = AddColorCombo(GroupBox1, 84, top + 3, 74);
    top += 29;
  }
  abcColorComboBox8 = AddColorCombo(GroupBox1, 84, 21, 74);
  abcColorComboBox8->SetVisible(false);

  struct TOverrideRow {
    const char* Caption;
    TCheckBox** Box;
    TabcColorComboBox** Combo;
  };
  const TOverrideRow overrides[] = {{"          Line", &CheckBox1, &abcColorComboBox5},
                                    {"          Pointer", &CheckBox2, &abcColorComboBox6},
                                    {"          Border", &CheckBox3, &abcColorComboBox7}};
  top = 64;
  for (const TOverrideRow& row : overrides) {
    DialogFields::AddCaptionBox(this, row.Caption, 186, top, 136, 27);
    auto* box = Create<TCheckBox>(this);
    box->SetParent(this);
    box->SetBounds(191, top + 5, 17, 17);
    box->SetCaption("");
    *row.Box = box;
    *row.Combo = AddColorCombo(this, 256, top + 3, 62);
    top += 29;
  }

  Button1 = AddButton(this, "Options", 20, 196);
  Button2 = AddButton(this, "Default", 127, 196);
  Button3 = AddButton(this, "Close", 234, 196);

  ComboBox1->OnChange = [this](TObject* S) { ComboBox1Change(S); };
  CheckBox1->OnClick = [this](TObject* S) { CheckBox1Click(S); };
  CheckBox2->OnClick = [this](TObject* S) { CheckBox2Click(S); };
  CheckBox3->OnClick = [this](TObject* S) { CheckBox3Click(S); };
  abcColorComboBox1->OnChange = [this](TObject* S) { abcColorComboBox1Change(S); };
  abcColorComboBox2->OnChange = [this](TObject* S) { abcColorComboBox2Change(S); };
  abcColorComboBox3->OnChange = [this](TObject* S) { abcColorComboBox3Change(S); };
  abcColorComboBox4->OnChange = [this](TObject* S) { abcColorComboBox4Change(S); };
  abcColorComboBox5->OnChange = [this](TObject* S) { abcColorComboBox5Change(S); };
  abcColorComboBox6->OnChange = [this](TObject* S) { abcColorComboBox6Change(S); };
  abcColorComboBox7->OnChange = [this](TObject* S) { abcColorComboBox7Change(S); };
  abcColorComboBox8->OnChange = [this](TObject* S) { abcColorComboBox8Change(S); };
  Button1->OnClick = [this](TObject* S) { Button1Click(S); };
  Button2->OnClick = [this](TObject* S) { Button2Click(S); };
  Button3->OnClick = [this](TObject* S) { Button3Click(S); };
  DialogFields::CancelOnEscape(*this);
  DialogFields::FitToContent(*this);
}

void TsetMG::LoadFromGraph() {
  multigraph* graph = Graph;
  if (!graph) return;
  TRestore loading(FLoading, true);
  ComboBox1->SetItemIndex(graph->ColorMode);
  abcColorComboBox1->SetSelectedColor(graph->MinColor);
  abcColorComboBox2->SetSelectedColor(graph->OneThirdColor);
  abcColorComboBox3->SetSelectedColor(graph->TwoThirdsColor);
  abcColorComboBox4->SetSelectedColor(graph->MaxColor);
  abcColorComboBox8->SetSelectedColor(graph->ConstantColor);
  abcColorComboBox5->SetSelectedColor(graph->CurveLineColor);
  abcColorComboBox6->SetSelectedColor(graph->PointerFillColor);
  abcColorComboBox7->SetSelectedColor(graph->PointerBorderColor);
  CheckBox1->SetChecked(graph->FixCurveLineColor);
  CheckBox2->SetChecked(graph->FixPointerFillColor);
  CheckBox3->SetChecked(graph->FixPointerBorderColor);
  if (!GetVisible()) RunStateHandlers();
}

void TsetMG::StoreToGraph() {
  multigraph* graph = Graph;
  if (!graph) return;
  const int mode = ComboBox1->GetItemIndex();
  if (mode >= 0 && mode <= 2) graph->ColorMode = mode;
  // A colour that no item names stays as it was: the combo keeps it.
  graph->MinColor = abcColorComboBox1->GetSelectedColor();
  graph->OneThirdColor = abcColorComboBox2->GetSelectedColor();
  graph->TwoThirdsColor = abcColorComboBox3->GetSelectedColor();
  graph->MaxColor = abcColorComboBox4->GetSelectedColor();
  graph->ConstantColor = abcColorComboBox8->GetSelectedColor();
  graph->CurveLineColor = abcColorComboBox5->GetSelectedColor();
  graph->PointerFillColor = abcColorComboBox6->GetSelectedColor();
  graph->PointerBorderColor = abcColorComboBox7->GetSelectedColor();
  graph->FixCurveLineColor = CheckBox1->GetChecked();
  graph->FixPointerFillColor = CheckBox2->GetChecked();
  graph->FixPointerBorderColor = CheckBox3->GetChecked();
}

void TsetMG::LiveUpdate() {
  multigraph* graph = Graph;
  if (!graph || FLoading || !GetVisible()) return;
  StoreToGraph();
  graph->CreateCurves();
}

void TsetMG::RunStateHandlers() {
  ComboBox1Change(ComboBox1);
  CheckBox1Click(CheckBox1);
  CheckBox2Click(CheckBox2);
  CheckBox3Click(CheckBox3);
}

void TsetMG::ComboBox1Change(TObject*) {
  const int mode = ComboBox1->GetItemIndex();
  const bool constant = mode == 1, random = mode == 2;
  GroupBox1->SetEnabled(!random);
  for (TabcColorComboBox* combo : {abcColorComboBox1, abcColorComboBox2, abcColorComboBox3, abcColorComboBox4}) {
    combo->SetVisible(!constant);
    combo->SetEnabled(!constant && !random);
  }
  abcColorComboBox8->SetVisible(constant);
  for (TabcSuperLabel* label : {Label2, Label3, Label4}) label->SetVisible(!constant);
  Label1->SetCaption(constant ? ConstantColorCaption : MinColorCaption);
  LiveUpdate();
}

void TsetMG::CheckBox1Click(TObject*) {
  abcColorComboBox5->SetEnabled(CheckBox1->GetChecked());
  LiveUpdate();
}

void TsetMG::CheckBox2Click(TObject*) {
  abcColorComboBox6->SetEnabled(CheckBox2->GetChecked());
  LiveUpdate();
}

void TsetMG::CheckBox3Click(TObject*) {
  abcColorComboBox7->SetEnabled(CheckBox3->GetChecked());
  LiveUpdate();
}

void TsetMG::Button1Click(TObject*) {
  multigraph* graph = Graph;
  if (!graph || graph->CurveSlots() < 1) return;
  TLineSeries* first = graph->Curve(0);
  if (!first) return;
  PlotEditCha::ShowSeriesStyleEditor(first);
  graph->CurveLineColor = first->GetSeriesColor();
  graph->PointerFillColor = first->Pointer()->GetColor();
  graph->PointerBorderColor = first->Pointer()->Pen()->GetColor();
  {
    TRestore loading(FLoading, true);
    abcColorComboBox5->SetSelectedColor(graph->CurveLineColor);
    abcColorComboBox6->SetSelectedColor(graph->PointerFillColor);
    abcColorComboBox7->SetSelectedColor(graph->PointerBorderColor);
  }
  graph->SeriesTemplate = Series::SeriesToText(first);
  graph->CreateCurves();
}

void TsetMG::Button2Click(TObject*) {
  multigraph* graph = Graph;
  if (!graph) return;
  graph->SettingsFromStr(graph->DefaultParams);
  graph->SeriesTemplate = graph->DefaultSeriesTemplate;
  graph->CreateCurves();
  LoadFromGraph();
  TRestore loading(FLoading, true);
  RunStateHandlers();
}

void TsetMG::Button3Click(TObject*) {
  if (multigraph* graph = Graph) graph->CreateCurves();
  SetModalResult(mrOk);
}

int setupMG::ShowGraphicsSetup(multigraph& Graph) {
  TOwned<TsetMG> dialog(Create<TsetMG>(Application));
  dialog->Graph = &Graph;
  dialog->LoadFromGraph();
  return dialog->ShowModal();
}
