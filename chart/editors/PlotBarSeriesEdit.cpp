// The bar series format page.
#include "chart/editors/PlotBarSeriesEdit.h"

#include "chart/editors/PlotStackBarEdit.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/Series.h"

using EditorRows::Make;
using EditorRows::Place;
using EditorRows::PlaceUpDown;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TBarSeriesEditor, TSeriesFormBase) {}

namespace PlotBarSeriesEdit {
const std::vector<std::string>& BarStyleNames() {
  static const std::vector<std::string> Names{"Rectangle", "Pyramid",        "Invert. Pyramid", "Cylinder", "Ellipse",
                                              "Arrow",     "Rect. Gradient", "Cone",            "Bevel",    "Slant Cube",
                                              "Diamond",   "Invert. Arrow",  "Invert. Cone"};
  return Names;
}
}  // namespace PlotBarSeriesEdit

// ============================================================================
// Bar page
// ============================================================================

TBarSeriesEditor::TBarSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("BarSeriesEditor");
  SetClientWidth(310);
  SetClientHeight(190);
  PageControl1 = AddPages(310, 190);
  TabFormat = AddSheet(PageControl1, "TabFormat", "Format");
  TabSize = AddSheet(PageControl1, "TabSize", "Size");

  TEditorRow Style = Make(TEditorRowKind::erCombo, "St&yle:", "BarStyle");
  const auto& Names = PlotBarSeriesEdit::BarStyleNames();
  for (size_t i = 0; i < Names.size(); ++i) Style.Items.emplace_back(Names[i], static_cast<int32_t>(i));
  FRowStyle = AddRow(Style);
  CBBarStyle = Place<TComboFlat>(this, FRowStyle, TabFormat, "CBBarStyle", 60, 8, 130, 21);
  LStyle = PlaceRowLabel(FRowStyle, TabFormat, "LStyle", 8, 12, 50);

  BBarPen = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Border...", "BarPen")), TabFormat, "BBarPen",
                              8, 38, 90, 25);
  BBarBrush = Place<TButton>(this, AddRow(Make(TEditorRowKind::erBrush, "&Pattern...", "BarBrush")), TabFormat,
                             "BBarBrush", 104, 38, 90, 25);
  BTickLines = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Tick lines...", "TickLines")), TabFormat,
                                 "BTickLines", 200, 38, 96, 25);
  FRowColorEach = AddRow(Make(TEditorRowKind::erCheck, "Color &Each", "ColorEachPoint"));
  CBColorEach = Place<TCheckBox>(this, FRowColorEach, TabFormat, "CBColorEach", 8, 74, 90, 17);
  BBarColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Color...", "SeriesColor")), TabFormat,
                                  "BBarColor", 104, 70, 90, 25);
  BGradient = PlaceControl<TButton>(this, TabFormat, "BGradient", 200, 70, 96, 25);
  BGradient->SetCaption("&Gradient...");
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Be&vel size:", "BevelSize", 0, 100)), TabFormat, "EBevel",
              "UDBevel", "LBevel", 8, 80, 104, 40, EBevel, UDBevel, LBevel);
  CBDarkBar = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Dark Bar 3D Sides", "Dark3D")), TabFormat,
                               "CBDarkBar", 140, 106, 150, 17);
  CBMarksAutoPosition =
      Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Auto Mark Position", "AutoMarkPosition")),
                       TabFormat, "CBMarksAutoPosition", 8, 136, 150, 17);

  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "% Bar &Width:", "BarWidthPercent", 1, 100, 5)), TabSize,
              "SEBarwidth", "UDBarWidth", "LBarWidth", 8, 110, 8, 45, SEBarwidth, UDBarWidth, LBarWidth);
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "% Bar O&ffset:", "OffsetPercent", -100, 100, 5)), TabSize,
              "SEBarOffset", "UDBarOffset", "LBarOffset", 8, 110, 36, 45, SEBarOffset, UDBarOffset, LBarOffset);
  PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "% Bar &Depth:", "DepthPercent", 1, 100, 5)), TabSize,
              "Edit1", "UDDepth", "LDepth", 8, 110, 64, 45, Edit1, UDDepth, LDepth);
  CBBarSideMargins = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Bar S&ide Margins", "SideMargins")),
                                      TabSize, "CBBarSideMargins", 8, 96, 150, 17);
  SetClientWidth(310);
  SetClientHeight(190);
  PageControl1->SetActivePage(TabFormat);
  BGradient->OnClick = [this](TObject* S) { BGradientClick(S); };
}

TCustomBarSeries* TBarSeriesEditor::Bar() const { return SeriesAs<TCustomBarSeries>(); }

void TBarSeriesEditor::StyleRule() {
  TCustomBarSeries* S = Bar();
  if (!S) return;
  const TBarStyle Style = S->GetBarStyle();
  BGradient->SetEnabled(Style == bsRectangle || Style == bsRectGradient);
  for (TControl* C : std::initializer_list<TControl*>{LBevel, EBevel, UDBevel}) C->SetEnabled(Style == bsBevel);
}

void TBarSeriesEditor::FillForm() {
  StyleRule();
  BBarColor->SetEnabled(!CBColorEach->GetChecked());
  if (GetParent()) EmbedOnce("Stack", TStackBarSeriesEditor::StaticClass(), Bar(), 1);
}

void TBarSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowStyle)
    StyleRule();
  else if (Row == FRowColorEach)
    BBarColor->SetEnabled(!CBColorEach->GetChecked());
}

void TBarSeriesEditor::BGradientClick(TObject*) {
  TCustomBarSeries* S = Bar();
  if (!S) return;
  S->SetBarStyle(bsRectGradient);
  Quietly([this] { CBBarStyle->SetItemIndex(static_cast<int32_t>(bsRectGradient)); });
  StyleRule();
  PlotEdiGrad::EditGradientModal(this, S->Gradient(), true, true);
}
