// Polygon-editing modes of the model chart: the thirteen mode buttons with their
// help texts, temporary modes while Shift, Ctrl or Alt is held, undo, the keys the
// window previews, and the model chart's pop-up menu.

#include <algorithm>

#include "app/ResMainForm.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Dialogs.h"
#include "chart/series/PlotPrevi.h"
#include "platform/ui/StdCtrls.h"
#include "views/PolygonChart.h"

namespace {

constexpr uint16_t KeyShift = 16, KeyCtrl = 17, KeyAlt = 18, KeySpace = 32, KeyEsc = 27, KeyZ = 90;

// The mode of each button and the help text of each mode, by mode number.
struct TModeDef {
  TSpeedButton* TMainForm::*Button;
  const char* Text;
};
constexpr TModeDef Modes[] = {
    {&TMainForm::SpeedButton9,
     "\"Add polygon\" mode. Use left-click for adding point to polygon, right-click to close polygon"},
    {&TMainForm::SpeedButton11,
     "\"Add sub-polygon to other\" mode. Use left-click for adding point to polygon, right-click to close polygon"},
    {&TMainForm::SpeedButton13,
     "\"Divide polygon\" mode. Use left-click to select polygons border, right-click to divide polygon"},
    {&TMainForm::SpeedButton18, "\"Uncouple nodes\" mode. Use right-click to uncouple connected nodes of polygon"},
    {&TMainForm::SpeedButton17, "\"Delete node\" mode. Use right-click to remove node of polygon"},
    {&TMainForm::SpeedButton20,
     "\"Move node\" mode. Use left-click dragging for nodes moving, right-click for new position placing"},
    {&TMainForm::SpeedButton19,
     "\"Couple nodes\" mode. Use left-click to choose first node, right-click to choose second node"},
    {&TMainForm::SpeedButton16, "\"Add node\" mode. Use right-click to add new node to polygon"},
    {&TMainForm::SpeedButton10, "\"Delete sub-polygon\" mode. Use right-click to remove polygon"},
    {&TMainForm::SpeedButton12,
     "\"Uncouple sub-polygon from polygon\" mode. Use right-click to uncouple polygon"},
    {&TMainForm::SpeedButton15,
     "\"Move polygon\" mode. Use left-click dragging for polygons moving, right-click for new position placing"},
    {&TMainForm::SpeedButton14,
     "\"Move sub-polygon\" mode. Use left-click dragging for polygons moving, right-click for new position "
     "placing"},
    {&TMainForm::SpeedButton21, "\"Fix node\" mode. Use right-click to fix node"},
};
constexpr int32_t ModeCount = static_cast<int32_t>(std::size(Modes));

// The mode a held modifier key gives.
int32_t TemporaryModeOf(uint16_t Key) {
  switch (Key) {
    case KeyShift: return pemMoveNode;
    case KeyAlt: return pemAddNode;
    case KeyCtrl: return pemDeleteNode;
    default: return pemNone;
  }
}

}  // namespace

std::string TMainForm::ModeText(int32_t Mode) {
  return Mode >= 0 && Mode < ModeCount ? Modes[Mode].Text : "";
}

int32_t TMainForm::ModeOfButton(const TObject* Button) const {
  for (int32_t mode = 0; mode < ModeCount; ++mode)
    if (Button && this->*Modes[mode].Button == Button) return mode;
  return pemNone;
}

void TMainForm::ModeButtonClick(TObject* Sender) {
  const int32_t mode = ModeOfButton(Sender);
  if (mode == pemNone) return;
  PolygonChart1->ModelEditMode = mode;
  // A new base mode ends any temporary one.
  FHeldModifiers.clear();
  SavedEditMode = mode;
  SetModeButtons(Sender);
  PolygonChart1->ResetEditState();
}

void TMainForm::SetModeButtons(TObject* Sender) {
  for (int i = 0; i < ToolBar2->ControlCount(); ++i)
    if (auto* button = dynamic_cast<TSpeedButton*>(ToolBar2->GetControl(i))) button->SetDown(false);
  if (auto* pressed = dynamic_cast<TSpeedButton*>(Sender)) pressed->SetDown(true);
  ShowModeText(PolygonChart1->ModelEditMode);
}

void TMainForm::ShowModeText(int32_t Mode) { SetStatusText(5, ModeText(Mode)); }

bool TMainForm::TextFieldHasFocus() const {
  const TWinControl* active = GetActiveControl();
  return dynamic_cast<const TEdit*>(active) || dynamic_cast<const TMemo*>(active) ||
         dynamic_cast<const TComboBox*>(active);
}

void TMainForm::EnterTemporaryMode(uint16_t Key, int32_t Mode) {
  if (std::find(FHeldModifiers.begin(), FHeldModifiers.end(), Key) != FHeldModifiers.end()) return;  // repeat
  // The base mode is kept when the first modifier goes down, so that it comes back
  // when the last one is released, whatever the order.
  if (FHeldModifiers.empty()) SavedEditMode = PolygonChart1->ModelEditMode;
  FHeldModifiers.push_back(Key);
  if (PolygonChart1->ModelEditMode == Mode) return;
  PolygonChart1->ModelEditMode = Mode;
  PolygonChart1->ResetEditState();
}

void TMainForm::FormKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
  const bool typing = TextFieldHasFocus();
  if (Key == KeyShift) EnterTemporaryMode(Key, pemMoveNode);
  if (Key == KeyZ && !typing) {
    if (Shift.Contains(TShiftStateItem::ssCtrl))
      SpeedButton8Click(this);
    else
      ZoomScroll1Click(this);
  }
  if (Key == KeyAlt) EnterTemporaryMode(Key, pemAddNode);
  if (Key == KeySpace && !typing) {
    SpeedButton6Click(this);
    Key = 0;
  }
  if (Key == KeyEsc && !typing) SpeedButton8Click(this);
  if (Key == KeyCtrl) EnterTemporaryMode(Key, pemDeleteNode);
}

void TMainForm::FormKeyUp(TObject*, uint16_t& Key, TShiftState) {
  const auto held = std::find(FHeldModifiers.begin(), FHeldModifiers.end(), Key);
  if (held == FHeldModifiers.end()) return;
  FHeldModifiers.erase(held);
  // The newest key still held keeps its mode; with none held the base mode returns.
  PolygonChart1->ModelEditMode = FHeldModifiers.empty() ? SavedEditMode : TemporaryModeOf(FHeldModifiers.back());
  PolygonChart1->ResetEditState();
}

void TMainForm::SpeedButton8Click(TObject*) {
  if (!CalculatedReady) return;
  TPolygonChart& chart = *PolygonChart1;
  // An edit in progress is cancelled without touching the model's history.
  if (chart.CancelPendingEdit()) return;
  if (!chart.SelShapes.empty() || !chart.MoveNodes.empty())
    chart.ClearSelection();
  else
    chart.Undo();
}

void TMainForm::ZoomScroll1Click(TObject*) {
  PolygonChart1->MouseCancelled = true;
  const bool zoom = !PolygonChart1->GetAllowZoom();
  PolygonChart1->SetAllowZoom(zoom);
  PolygonChart1->AllowPanning = zoom ? TPanningMode::pmBoth : TPanningMode::pmNone;
  ZoomScroll1->SetChecked(zoom);
}

void TMainForm::Equalscale1Click(TObject*) {
  PolygonChart1->EqualScale = !PolygonChart1->EqualScale;
  PolygonChart1->UpdateAxisScales();
  if (!PolygonChart1->EqualScale) PolygonChart1->LeftAxis()->SetMaximum(PolygonChart1->ZMax);
  Equalscale1->SetChecked(PolygonChart1->EqualScale);
  PolygonChart1->Invalidate();
}

void TMainForm::Printpreview2Click(TObject*) { PlotPrevi::ShowChartPreview(this, PolygonChart1); }

void TMainForm::Savepicture1Click(TObject*) {
  auto* dialog = Create<TSaveDialog>(this);
  dialog->Filter = "Meta files [*.emf]|*.emf";
  const bool confirmed = dialog->Execute();
  const std::string fileName = SysUtils::ChangeFileExt(dialog->FileName, ".emf");
  dialog->Free();
  if (!confirmed) return;
  try {
    // The file is named ".emf", so it is written as an enhanced metafile.
    PolygonChart1->SaveMetafileRect(true, fileName, PolygonChart1->PanelRect());
  } catch (const std::exception& e) {
    Dialogs::ShowMessage("Cannot write the picture \"" + fileName + "\": " + e.what());
  }
}

void TMainForm::PolygonChart1DblClick() {
  const TRect& plot = PolygonChart1->ChartRect;
  const TPoint p = FModelMouseDown;
  if (p.X >= plot.Left && p.X < plot.Right && p.Y >= plot.Top && p.Y < plot.Bottom) {
    PolygonChart1->EditBodyAtCursor(PolygonChart1);
    return;
  }
  ZoomScroll1->SetChecked(PolygonChart1->GetAllowZoom());
  Equalscale1->SetChecked(PolygonChart1->EqualScale);
  const TPoint screen = PolygonChart1Window->ClientToScreen(p);
  PopupMenu1->Popup(screen.X, screen.Y);
}
