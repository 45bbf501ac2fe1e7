// The gauge series format page.
#include "chart/editors/PlotGaugeEdit.h"

#include <algorithm>
#include <cmath>

#include "chart/editors/PlotCircledEdit.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/extras/PlotGauges.h"
#include "chart/series/PlotEdiFont.h"

using EditorRows::Make;
using EditorRows::Place;
using EditorRows::PlaceUpDown;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TGaugeSeriesEditor, TSeriesFormBase) {}

namespace {

constexpr int32_t Limit = 32767;

TChartAxis* AxisOf(const TObject* O) {
  const auto* S = dynamic_cast<const TGaugeSeries*>(O);
  return S ? S->GetVertAxisRef() : nullptr;
}

// A row on the gauge's scale axis: nothing is read or written without one.
template <class V, class W>
TRowAccess AxisAccess(V (TChartAxis::*Getter)() const, void (TChartAxis::*Setter)(W)) {
  TRowAccess A;
  A.Get = [Getter](const TObject* O) -> TPropValue {
    TChartAxis* Axis = AxisOf(O);
    if (!Axis) return {};
    if constexpr (std::is_same_v<V, bool>)
      return (Axis->*Getter)();
    else if constexpr (std::is_floating_point_v<V>)
      return static_cast<double>((Axis->*Getter)());
    else
      return static_cast<int64_t>((Axis->*Getter)());
  };
  A.Set = [Setter](TObject* O, const TPropValue& Value) {
    TChartAxis* Axis = AxisOf(O);
    if (!Axis) return;
    if (const auto* B = std::get_if<bool>(&Value)) (Axis->*Setter)(static_cast<std::decay_t<W>>(*B));
    if (const auto* I = std::get_if<int64_t>(&Value)) (Axis->*Setter)(static_cast<std::decay_t<W>>(*I));
  };
  return A;
}

std::function<TObject*(TObject*)> AxisPart(TChartPen* (*Pick)(TChartAxis&)) {
  return [Pick](TObject* O) -> TObject* {
    TChartAxis* Axis = AxisOf(O);
    return Axis ? Pick(*Axis) : nullptr;
  };
}

}  // namespace

TGaugeSeriesEditor::TGaugeSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("GaugeSeriesEditor");
  using S = TGaugeSeries;
  PageControl1 = AddPages(320, 180);
  TabOptions = AddSheet(PageControl1, "TabOptions", "Options");
  TabLabels = AddSheet(PageControl1, "TabLabels", "Labels");
  TabTicks = AddSheet(PageControl1, "TabTicks", "Ticks");

  // ---- Options ----
  BLine = Place<TButtonPen>(this, AddRow(PartRow(TEditorRowKind::erPen, "&Line...", Part(&TCustomChartElement::Pen))),
                            TabOptions, "BLine", 8, 4, 85, 25);
  BAxis = Place<TButtonPen>(this,
                            AddRow(PartRow(TEditorRowKind::erPen, "&Axis...",
                                           AxisPart([](TChartAxis& A) -> TChartPen* { return A.Axis(); }))),
                            TabOptions, "BAxis", 100, 4, 85, 25);
  CheckBox4 = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Full Repaint", "FullRepaint")), TabOptions,
                               "CheckBox4", 196, 8, 110, 17);
  Button1 = PlaceControl<TButton>(this, TabOptions, "Button1", 8, 34, 85, 25);
  Button1->SetCaption("&Center...");
  Button3 = PlaceControl<TButton>(this, TabOptions, "Button3", 100, 34, 85, 25);
  Button3->SetCaption("End Point...");
  TEditorRow Hand = Make(TEditorRowKind::erCombo, "Hand:", "HandStyle");
  Hand.Items = {{"Line", 0}, {"Triangle", 1}};
  ComboBox1 = Place<TComboFlat>(this, AddRow(Hand), TabOptions, "ComboBox1", 232, 36, 76, 21);
  Label1 = Row(RowOf(ComboBox1)).Label;
  Label1->SetName("Label1");
  Label1->SetParent(TabOptions);
  Label1->SetBounds(196, 40, 34, 13);
  Label1->FocusControl = ComboBox1;
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Total angle:", "TotalAngle", 0, 360)), TabOptions, "Edit6",
              "UDAngle", "Label6", 8, 80, 68, 55, Edit6, UDAngle, Label6);
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Distance:", "HandDistance", -500, 500)), TabOptions,
              "Edit7", "UDDist", "Label7", 8, 80, 96, 55, Edit7, UDDist, Label7);
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "&Value:", "Value", -Limit, Limit)), TabOptions, "Edit8",
              "UDValue", "Label8", 8, 80, 124, 55, Edit8, UDValue, Label8);
  FRowMin = AddRow(Make(TEditorRowKind::erUpDown, "&Minimum:", "Minimum", -Limit, Limit));
  PlaceUpDown(this, FRowMin, TabOptions, "Edit9", "UDMin", "Label9", 160, 230, 68, 60, Edit9, UDMin, Label9);
  FRowMax = AddRow(Make(TEditorRowKind::erUpDown, "Ma&ximum:", "Maximum", -Limit, Limit));
  PlaceUpDown(this, FRowMax, TabOptions, "Edit10", "UDMax", "Label10", 160, 230, 96, 60, Edit10, UDMax, Label10);

  // ---- Labels ----
  CheckBox1 = Place<TCheckBox>(this,
                               AddBoundRow(Make(TEditorRowKind::erCheck, "Show labels", ""),
                                           AxisAccess(&TChartAxis::GetLabels, &TChartAxis::SetLabels)),
                               TabLabels, "CheckBox1", 8, 8, 110, 17);
  Button2 = PlaceControl<TButton>(this, TabLabels, "Button2", 130, 4, 85, 25);
  Button2->SetCaption("&Font...");
  Label2 = PlaceControl<TLabel>(this, TabLabels, "Label2", 8, 40, 50, 13);
  Label2->SetCaption("Format:");
  Edit1 = PlaceControl<TEdit>(this, TabLabels, "Edit1", 60, 36, 120, 21);
  Label2->FocusControl = Edit1;
  BindText(Edit1, Access(&S::GetValueFormat, &S::SetValueFormat));
  CBInside = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Inside", "LabelsInside")), TabLabels,
                              "CBInside", 8, 66, 110, 17);

  // ---- Ticks ----
  PlaceUpDown(this,
              AddBoundRow(Make(TEditorRowKind::erUpDown, "&Increment:", "", 0, Limit),
                          AxisAccess(&TChartAxis::GetIncrement, &TChartAxis::SetIncrement)),
              TabTicks, "Edit11", "UDIncrement", "Label11", 8, 80, 8, 55, Edit11, UDIncrement, Label11);
  BTicks = Place<TButtonPen>(this,
                             AddRow(PartRow(TEditorRowKind::erPen, "&Ticks",
                                            AxisPart([](TChartAxis& A) -> TChartPen* { return A.Ticks(); }))),
                             TabTicks, "BTicks", 8, 36, 75, 25);
  BMinor = Place<TButtonPen>(this,
                             AddRow(PartRow(TEditorRowKind::erPen, "&Minor",
                                            AxisPart([](TChartAxis& A) -> TChartPen* { return A.MinorTicks(); }))),
                             TabTicks, "BMinor", 8, 66, 75, 25);
  PlaceUpDown(this,
              AddBoundRow(Make(TEditorRowKind::erUpDown, "Length:", "", 0, 100),
                          AxisAccess(&TChartAxis::GetTickLength, &TChartAxis::SetTickLength)),
              TabTicks, "Edit4", "UpDown3", "Label4", 90, 150, 38, 45, Edit4, UpDown3, Label4);
  PlaceUpDown(this,
              AddBoundRow(Make(TEditorRowKind::erUpDown, "Count:", "", 0, 100),
                          AxisAccess(&TChartAxis::GetMinorTickCount, &TChartAxis::SetMinorTickCount)),
              TabTicks, "Edit2", "UpDown1", "Label3", 90, 150, 68, 45, Edit2, UpDown1, Label3);
  PlaceUpDown(this,
              AddBoundRow(Make(TEditorRowKind::erUpDown, "Length:", "", 0, 100),
                          AxisAccess(&TChartAxis::GetMinorTickLength, &TChartAxis::SetMinorTickLength)),
              TabTicks, "Edit5", "UpDown4", "Label5", 200, 260, 68, 45, Edit5, UpDown4, Label5);
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Distance:", "MinorTickDistance", 0, 100)), TabTicks,
              "Edit3", "UpDown2", "Label12", 90, 150, 98, 45, Edit3, UpDown2, Label12);

  SetClientWidth(320);
  SetClientHeight(180);
  PageControl1->SetActivePage(TabOptions);

  Button1->OnClick = [this](TObject*) {
    if (TGaugeSeries* G = Gauge()) PlotPoEdi::ShowPointerEditor(this, G->Center());
  };
  Button3->OnClick = [this](TObject*) {
    if (TGaugeSeries* G = Gauge()) PlotPoEdi::ShowPointerEditor(this, G->EndPoint());
  };
  Button2->OnClick = [this](TObject*) {
    if (TChartAxis* Axis = AxisOf(Gauge())) PlotEdiFont::ShowFontEditor(this, Axis->LabelsFont());
  };
}

TGaugeSeries* TGaugeSeriesEditor::Gauge() const { return SeriesAs<TGaugeSeries>(); }

void TGaugeSeriesEditor::LimitsRule() {
  const int32_t Min = UDMin->GetPosition(), Max = UDMax->GetPosition();
  // The stored positions follow the edits first: a new bound clamps what is shown.
  UDMin->SetPosition(Min);
  UDMax->SetPosition(Max);
  UDMax->SetMin(Min);
  UDMin->SetMax(UDMax->GetPosition());
}

void TGaugeSeriesEditor::FillForm() {
  const bool HasAxis = AxisOf(Gauge()) != nullptr;
  for (TControl* C : std::initializer_list<TControl*>{BAxis, CheckBox1, Button2, Edit11, UDIncrement, BTicks, BMinor,
                                                      Edit2, UpDown1, Edit4, UpDown3, Edit5, UpDown4})
    C->SetEnabled(HasAxis);
  // Limits beyond the up-downs show clamped; nothing is written while filling.
  TGaugeSeries* G = Gauge();
  UDMin->SetMax(Limit);
  UDMax->SetMin(-Limit);
  const auto Shown = [](double V) {
    return std::isnan(V) ? 0 : static_cast<int32_t>(std::nearbyint(std::clamp(V, double(-Limit), double(Limit))));
  };
  UDMin->SetPosition(Shown(G->GetMinimum()));
  UDMax->SetPosition(Shown(G->GetMaximum()));
  LimitsRule();
  if (auto* C = TCircledSeriesEditor::Insert(this))
    PlotPenDlg::SetControlsVisible(false, {C->BBack, C->CBTransp});
}

void TGaugeSeriesEditor::RowRule(int32_t Row) {
  if (Row != FRowMin && Row != FRowMax) return;
  // A maximum raised to the new minimum is written too; the value may follow the limits.
  LimitsRule();
  LoadControls();
}
