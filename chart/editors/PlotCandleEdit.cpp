// The candle series format page.
#include "chart/editors/PlotCandleEdit.h"

#include "chart/editors/EditorRows.h"
#include "chart/extras/CandleCh.h"
#include "chart/series/PlotEdiGrad.h"

using EditorRows::Make;
using EditorRows::Place;

KV_CLASS_IMPL(TCandleEditor, TSeriesFormBase) {}

TCandleEditor::TCandleEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("CandleEditor");
  PageControl1 = AddPages(300, 170);
  TabOptions = AddSheet(PageControl1, "TabOptions", "Options");
  TabColors = AddSheet(PageControl1, "TabColors", "Colors");

  TEditorRow Style = Make(TEditorRowKind::erRadio, "Style:", "CandleStyle");
  Style.Items = {{"&Stick", static_cast<int32_t>(csCandleStick)},
                 {"&Bar", static_cast<int32_t>(csCandleBar)},
                 {"Ope&n Close", static_cast<int32_t>(csOpenClose)},
                 {"&Line", static_cast<int32_t>(csLine)}};
  FRowStyle = AddRow(Style);
  RGStyle = Place<TRadioGroup>(this, FRowStyle, TabOptions, "RGStyle", 8, 4, 100, 94);
  EditorRows::PlaceUpDown(this, AddRow(Make(TEditorRowKind::erUpDown, "Candle &Width:", "CandleWidth", 0, 100)),
                          TabOptions, "SEWidth", "UDWidth", "Label1", 8, 88, 108, 45, SEWidth, UDWidth, Label1);
  CBShowOpen = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Show &Open", "ShowOpenTick")), TabOptions,
                                "CBShowOpen", 120, 8, 84, 17);
  CBShowClose = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Show &Close", "ShowCloseTick")),
                                 TabOptions, "CBShowClose", 120, 30, 84, 17);
  CBDraw3D = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Draw &3D", "Draw3D")), TabOptions,
                              "CBDraw3D", 120, 56, 84, 17);
  CBDark3D = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "Dar&k 3D", "Dark3D")), TabOptions,
                              "CBDark3D", 120, 78, 84, 17);
  Button1 = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "Bo&rder...", "Pen")), TabOptions, "Button1",
                              206, 8, 90, 25);
  BHighLow = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&High-Low...", "HighLowPen")), TabOptions,
                               "BHighLow", 206, 38, 90, 25);

  TEditorRow ColorStyle = Make(TEditorRowKind::erCombo, "&Color style:", "ColorStyle");
  ColorStyle.Items = {{"Relative to Open", static_cast<int32_t>(cssRelativeToOpen)},
                      {"Relative to previous Close", static_cast<int32_t>(cssRelativeToClose)}};
  const int32_t ColorStyleRow = AddRow(ColorStyle);
  CBColorStyle = Place<TComboFlat>(this, ColorStyleRow, TabColors, "CBColorStyle", 80, 8, 170, 21);
  Label2 = PlaceRowLabel(ColorStyleRow, TabColors, "Label2", 8, 12, 68);
  BUpColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Up Close...", "UpCloseColor")),
                                 TabColors, "BUpColor", 8, 40, 110, 25);
  BDownColor = Place<TButtonColor>(this, AddRow(Make(TEditorRowKind::erColor, "&Down Close...", "DownCloseColor")),
                                   TabColors, "BDownColor", 8, 70, 110, 25);
  BUpGradient = Place<TButtonGradient>(
      this, AddRow(Make(TEditorRowKind::erGradient, "&Gradient...", "UpCloseGradient")), TabColors, "BUpGradient",
      126, 40, 110, 25);
  BDownGradient = Place<TButtonGradient>(
      this, AddRow(Make(TEditorRowKind::erGradient, "G&radient...", "DownCloseGradient")), TabColors,
      "BDownGradient", 126, 70, 110, 25);
  SetClientWidth(300);
  SetClientHeight(170);
  PageControl1->SetActivePage(TabOptions);
}

TCandleSeries* TCandleEditor::Candle() const { return SeriesAs<TCandleSeries>(); }

void TCandleEditor::FillForm() { StyleRule(); }

void TCandleEditor::RowRule(int32_t Row) {
  if (Row == FRowStyle) StyleRule();
}

void TCandleEditor::StyleRule() {
  TCandleSeries* S = Candle();
  if (!S) return;
  const TCandleStyle Style = S->GetCandleStyle();
  const bool Ticks = Style == csCandleBar;
  CBShowOpen->SetEnabled(Ticks);
  CBShowClose->SetEnabled(Ticks);
  CBDraw3D->SetEnabled(Style != csLine && !Ticks);
  CBDark3D->SetEnabled(CBDraw3D->GetEnabled());
  SEWidth->SetEnabled(Style != csLine);
  UDWidth->SetEnabled(Style != csLine);
  Button1->HideColorButton = Style == csLine || Style == csCandleBar;
}
