#include "app/bsetupun.h"

#include <cmath>

#include "app/DialogFields.h"
#include "chart/series/PlotBrushDlg.h"
#include "chart/series/PlotMapSeries.h"
#include "chart/series/PlotPenDlg.h"
#include "numerics/Polygons.h"
#include "numerics/Supermath2d.h"
#include "views/PolygonChart.h"

WeakRef<TBsetup> bsetupun::Bsetup;

KV_CLASS_IMPL(TBsetup, TForm) {}

namespace {

TLabel* AddText(TWinControl* Parent, const std::string& Caption, int Left, int Top) {
  auto* label = Create<TLabel>(Parent);
  label->SetParent(Parent);
  label->SetLeft(Left);
  label->SetTop(Top);
  label->SetCaption(Caption);
  return label;
}

// A Greek letter: its Latin letter in the Symbol face, bold.
TLabel* AddGreek(TWinControl* Parent, const std::string& Letter, int Left, int Top) {
  TLabel* label = AddText(Parent, Letter, Left, Top);
  TFont font;
  font.Assign(*label->GetFont());
  font.SetName("Symbol");
  font.SetHeight(-19);
  font.SetStyle({TFontStyle::fsBold});
  label->SetFont(&font);
  return label;
}

// A small raised exponent beside a unit.
TLabel* AddRaised(TWinControl* Parent, const std::string& Text, int Left, int Top) {
  TLabel* label = AddText(Parent, Text, Left, Top);
  TFont font;
  font.Assign(*label->GetFont());
  font.SetSize(6);
  label->SetFont(&font);
  return label;
}

TButton* AddButton(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width, int Height) {
  auto* button = Create<TButton>(Parent);
  button->SetParent(Parent);
  button->SetBounds(Left, Top, Width, Height);
  button->SetCaption(Caption);
  return button;
}

TCheckBox* AddCopyBox(TWinControl* Parent, const std::string& Hint, int Left, int Top) {
  auto* box = Create<TCheckBox>(Parent);
  box->SetParent(Parent);
  box->SetBounds(Left, Top, 17, 17);
  box->SetCaption("");
  box->SetHint(Hint);
  box->SetShowHint(true);
  return box;
}

// A number field: its caption in messages, the property, and its range check.
struct TNumberField {
  const char* Name;
  int Property;
  // Empty when the value is allowed; otherwise what the field takes.
  const char* (*Refusal)(double Value);
};

const char* PositiveOnly(double v) { return v > 0.0 ? nullptr : "must be greater than 0"; }
const char* PercentBelow100(double v) { return v >= 0.0 && v < 100.0 ? nullptr : "must be at least 0 and below 100"; }
const char* AnyFinite(double) { return nullptr; }

bool ValidPolygon(const AllSpolygon& Model, int32_t Body, int32_t PolygonIndex) {
  return Body >= 0 && size_t(Body) < Model.size() && PolygonIndex >= 0 &&
         size_t(PolygonIndex) < Model[size_t(Body)].size();
}

const TNumberField NumberFields[4] = {
    {"Resistivity", Polygons::PropResistivity, PositiveOnly},
    {"Polarizability", Polygons::PropPolarizability, PercentBelow100},
    {"Density", Polygons::PropDensity, AnyFinite},
    {"Susceptibility", Polygons::PropSusceptibility, AnyFinite},
};

}  // namespace

TBsetup::TBsetup(TComponent* AOwner) : TForm(AOwner) {
  SetName("Bsetup");
  SetCaption("Body parameters");
  SetBorderStyle(TFormBorderStyle::bsToolWindow);
  SetClientWidth(254);
  SetClientHeight(260);
  Position = TPosition::poDesktopCenter;

  Button7 = AddButton(this, "Color", 8, 8, 58, 25);
  CheckBox1 = AddCopyBox(this, "Copy the colour to all bodies", 68, 12);
  Button5 = AddButton(this, "Pen", 90, 8, 58, 25);
  CheckBox2 = AddCopyBox(this, "Copy the pen to all bodies", 150, 12);
  Button1 = AddButton(this, "Brush", 172, 8, 58, 25);
  CheckBox3 = AddCopyBox(this, "Copy the brush to all bodies", 232, 12);

  struct TRow {
    TLabel** Letter;
    const char* Latin;
    TEdit** Edit;
    TLabel** Unit;
    const char* UnitText;
  };
  const TRow rows[] = {{&Label1, "r", &Edit1, &Label2, "ohm m"},
                       {&Label3, "h", &Edit2, &Label4, "%"},
                       {&Label5, "s", &Edit3, &Label6, "g/sm"},
                       {&Label7, "c", &Edit4, &Label8, "10  SGS"}};
  int top = 44;
  for (const TRow& row : rows) {
    *row.Letter = AddGreek(this, row.Latin, 12, top - 1);
    *row.Edit = DialogFields::AddEdit(this, 40, top, 100);
    *row.Unit = AddText(this, row.UnitText, 148, top + 3);
    top += 28;
  }
  Label10 = AddRaised(this, "3", 148 + Label6->GetWidth() + 1, Label6->GetTop() - 4);
  // The exponent sits in the gap between "10" and "SGS".
  TLabel* ten = AddText(this, "10", 0, 0);
  const int tenWidth = ten->GetWidth();
  ten->Free();
  Label9 = AddRaised(this, "-5", 148 + tenWidth, Label8->GetTop() - 4);

  ComboBox1 = Create<TComboBox>(this);
  ComboBox1->SetParent(this);
  ComboBox1->SetBounds(8, 160, 214, 21);
  ComboBox1->Style = TComboBoxStyle::csDropDownList;
  for (const char* item : bsetupun::LabelModes) ComboBox1->Items()->Add(item);
  CheckBox5 = AddCopyBox(this, "Copy the label mode to all bodies", 232, 162);

  Edit5 = DialogFields::AddEdit(this, 8, 190, 238);
  Edit5->SetHint("User text");
  Edit5->SetShowHint(true);

  Button3 = AddButton(this, "Apply", 8, 224, 75, 27);
  Button8 = AddButton(this, "As default", 90, 224, 75, 27);
  Button4 = AddButton(this, "Close", 171, 224, 75, 27);
  ColorDialog1 = Create<TColorDialog>(this);

  Button1->OnClick = [this](TObject* S) { Button1Click(S); };
  Button3->OnClick = [this](TObject* S) { Button3Click(S); };
  Button4->OnClick = [this](TObject* S) { Button4Click(S); };
  Button5->OnClick = [this](TObject* S) { Button5Click(S); };
  Button7->OnClick = [this](TObject* S) { Button7Click(S); };
  Button8->OnClick = [this](TObject* S) { Button8Click(S); };
  DialogFields::FitToContent(*this);
}

TPlotPolygon* TBsetup::Shape() const {
  TPolygonChart* chart = Chart.Get();
  if (!chart || ShapeIndex < 0 || ShapeIndex >= chart->ShapeCount()) return nullptr;
  return chart->BodySeries->Shapes()->PolygonAt(ShapeIndex);
}

void TBsetup::RefreshSeries() const {
  if (TPolygonChart* chart = Chart.Get()) chart->BodySeries->RefreshSeries();
}

void TBsetup::LoadFromBody() {
  for (TControl* c : std::initializer_list<TControl*>{Label5, Edit3, Label6, Label10, Label7, Edit4, Label8, Label9})
    c->SetVisible(GravMagLoaded);
  TPolygonChart* chart = Chart.Get();
  if (!chart || !ValidPolygon(chart->ModelPolygons, Body, PolygonIndex)) return;
  const PolygonProps& props = chart->ModelPolygons[size_t(Body)][size_t(PolygonIndex)].Props;
  TEdit* edits[4] = {Edit1, Edit2, Edit3, Edit4};
  for (size_t i = 0; i < 4; ++i) {
    edits[i]->SetText(Supermath2d::FloatToStrDec(2, 1, props[size_t(NumberFields[i].Property)].AsDouble()));
    FLoadedTexts[i] = edits[i]->GetText();
  }
  const int32_t mode = props[Polygons::PropLabelMode].AsInt();
  ComboBox1->SetItemIndex(mode >= 0 && mode < ComboBox1->Items()->Count() ? mode : 0);
  Edit5->SetText(props[Polygons::PropUserText].AsString());
  for (TCheckBox* box : {CheckBox1, CheckBox2, CheckBox3, CheckBox5}) box->SetChecked(false);
  FLoadedLabelMode = ComboBox1->GetItemIndex();
  FLoadedUserText = Edit5->GetText();
  FStyleChanged = false;
}

bool TBsetup::CheckFields(std::string& Problem) const {
  const TEdit* edits[4] = {Edit1, Edit2, Edit3, Edit4};
  for (size_t i = 0; i < 4; ++i) {
    if (edits[i]->GetText() == FLoadedTexts[i]) continue;
    const auto value = DialogFields::ReadReal(*edits[i], NumberFields[i].Name, Problem);
    if (!value) return false;
    if (const char* refusal = NumberFields[i].Refusal(*value)) {
      Problem = std::string(NumberFields[i].Name) + ": \"" + edits[i]->GetText() + "\" " + refusal + ".";
      return false;
    }
  }
  return true;
}

bool TBsetup::StoreToBody() {
  TPolygonChart* chart = Chart.Get();
  if (!chart || !ValidPolygon(chart->ModelPolygons, Body, PolygonIndex)) return false;
  AllSpolygon& model = chart->ModelPolygons;
  PolygonProps& props = model[size_t(Body)][size_t(PolygonIndex)].Props;
  TEdit* edits[4] = {Edit1, Edit2, Edit3, Edit4};
  for (size_t i = 0; i < 4; ++i) {
    // An unchanged text keeps the exact value behind its rounded display.
    if (edits[i]->GetText() == FLoadedTexts[i]) continue;
    const double value = Supermath2d::StrToFloatChecked(edits[i]->GetText(), false, 0.0, 0.0);
    if (value == Supermath2d::NoValue || !std::isfinite(value)) continue;
    props[size_t(NumberFields[i].Property)] = value;
    FLoadedTexts[i] = edits[i]->GetText();
  }
  props[Polygons::PropLabelMode] = int32_t{ComboBox1->GetItemIndex() < 0 ? 0 : ComboBox1->GetItemIndex()};
  if (Edit5->GetText().empty()) Edit5->SetText(" ");
  props[Polygons::PropUserText] = Edit5->GetText();

  const bool copyColor = CheckBox1->GetChecked(), copyPen = CheckBox2->GetChecked(),
             copyBrush = CheckBox3->GetChecked(), copyLabel = CheckBox5->GetChecked();
  const bool anyCopy = copyColor || copyPen || copyBrush || copyLabel;
  if (!anyCopy) return false;
  const PolygonProps source = props;
  for (size_t i = 0; i < model.size(); ++i)
    for (size_t j = 0; j < model[i].size(); ++j) {
      if (i == 0 && j == 0) continue;  // the model outline
      PolygonProps& target = model[i][j].Props;
      if (copyColor) target[Polygons::PropColor] = source[Polygons::PropColor];
      if (copyPen) target[Polygons::PropPen] = source[Polygons::PropPen];
      if (copyBrush) target[Polygons::PropBrush] = source[Polygons::PropBrush];
      if (copyLabel) target[Polygons::PropLabelMode] = source[Polygons::PropLabelMode];
    }
  return true;
}

bool TBsetup::Changed() const {
  const TEdit* edits[4] = {Edit1, Edit2, Edit3, Edit4};
  for (size_t i = 0; i < 4; ++i)
    if (edits[i]->GetText() != FLoadedTexts[i]) return true;
  return FStyleChanged || ComboBox1->GetItemIndex() != FLoadedLabelMode || Edit5->GetText() != FLoadedUserText ||
         CheckBox1->GetChecked() || CheckBox2->GetChecked() || CheckBox3->GetChecked() || CheckBox5->GetChecked();
}

bool TBsetup::Apply() {
  TPolygonChart* chart = Chart.Get();
  if (!chart) return false;
  std::string problem;
  if (!CheckFields(problem)) {
    Dialogs::MessageDlg(problem, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
    return false;
  }
  // Redrawing renumbers the shapes, which would count as a change of the model.
  if (!Changed()) return true;
  ShapeIndex = chart->ShapeIndexOf(Body, PolygonIndex);
  RefreshSeries();
  chart->StoreShapeStyle(Body, PolygonIndex, ShapeIndex);
  StoreToBody();
  chart->RedrawModel();
  ShapeIndex = chart->ShapeIndexOf(Body, PolygonIndex);
  FLoadedLabelMode = ComboBox1->GetItemIndex();
  FLoadedUserText = Edit5->GetText();
  FStyleChanged = false;
  // The double click that opened the dialog adds the undo step and fires the
  // model-changed event once, when the dialog leaves the model changed.
  return true;
}

void TBsetup::Button3Click(TObject*) { Apply(); }

void TBsetup::Button4Click(TObject*) {
  if (!Apply()) return;
  SetModalResult(mrOk);
}

void TBsetup::Button8Click(TObject*) {
  if (!Apply()) return;
  TPolygonChart* chart = Chart.Get();
  if (!ValidPolygon(chart->ModelPolygons, Body, PolygonIndex)) return;
  Polygons::DefaultProps = chart->ModelPolygons[size_t(Body)][size_t(PolygonIndex)].Props;
}

void TBsetup::Button7Click(TObject*) {
  TPlotPolygon* shape = Shape();
  if (!shape) return;
  ColorDialog1->Color = shape->GetColor();
  ColorDialog1->Execute();
  // A cancelled dialog keeps the preset colour.
  if (ColorDialog1->Color != shape->GetColor()) FStyleChanged = true;
  shape->SetColor(ColorDialog1->Color);
  RefreshSeries();
}

void TBsetup::Button5Click(TObject*) {
  TPlotPolygon* shape = Shape();
  if (!shape) return;
  shape->SetParentPen(false);
  if (PlotPenDlg::EditPenModal(this, shape->Pen())) FStyleChanged = true;
  RefreshSeries();
}

void TBsetup::Button1Click(TObject*) {
  RefreshSeries();
  TPlotPolygon* shape = Shape();
  if (!shape) return;
  shape->SetParentBrush(false);
  if (PlotBrushDlg::EditBrushModal(this, shape->Brush())) FStyleChanged = true;
  shape->SetParentBrush(false);
  RefreshSeries();
}

void bsetupun::ShowBodyDialog(TPolygonChart& Chart, int32_t Shape, int32_t Body, int32_t PolygonIndex,
                              bool GravMagLoaded) {
  if (!Bsetup) Bsetup = Create<TBsetup>(Application);
  TBsetup& dialog = *Bsetup;
  dialog.Chart = &Chart;
  dialog.ShapeIndex = Shape;
  dialog.Body = Body;
  dialog.PolygonIndex = PolygonIndex;
  dialog.GravMagLoaded = GravMagLoaded;
  dialog.LoadFromBody();
  dialog.ShowModal();
}
