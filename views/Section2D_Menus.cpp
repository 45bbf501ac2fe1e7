// The five pop-up menus of the cell-grid section and their commands.
#include <algorithm>
#include <cmath>

#include "chart/series/PlotPrevi.h"
#include "chart/series/Series.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Menus.h"
#include "views/Section2D.h"

using Supermath2d::FloatToStrDec;
using Supermath2d::NoValue;

namespace Section2D {
const std::vector<std::string> CellMenuCaptions = {"Display cell setup", "Cell to cursor value", "Edit mode", "-",
                                                   "Selection",          "Mesh options",         "-",
                                                   "Clear model"};
const std::vector<std::string> SelectionMenuCaptions = {"Free-form selection", "Rectangular selection",
                                                        "Elleptical selection", "MagicWand", "-",
                                                        "Remove selection"};
const std::vector<std::string> MeshMenuCaptions = {"Add column/row", "Remove column/row", "Resize column/row"};
const std::vector<std::string> ChartMenuCaptions = {"Display model mesh", "Display objects border", "Setup",
                                                    "Display color bar",  "Zoom&&Scroll",           "Print preview"};
const std::vector<std::string> ColorBarMenuCaptions = {"Set minimum", "Set maximum", "Set incremental factor",
                                                       "Automatic",   "-",           "Log scale",
                                                       "-",           "Set half-space value", "Set cursor value"};
const std::vector<std::string> DepthMenuCaptions = {"Set maximum", "-", "Redivide", "-", "Thick mesh", "Thin mesh"};
const std::vector<std::string> DistanceMenuCaptions = {"Redivide", "-", "Thick mesh", "Thin mesh"};
}  // namespace Section2D

namespace {
std::string Text(double v) { return FloatToStrDec(0, 1, v); }
int MenuIndex(TObject* Sender) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  return item ? item->GetMenuIndex() : -1;
}
bool Ticked(TObject* Sender) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  return item && item->GetChecked();
}
}  // namespace

void TTModelSection2d::AddMenuItems(TMenuItem* Parent, const std::vector<std::string>& Captions,
                                    void (TTModelSection2d::*Handler)(TObject*)) {
  for (const std::string& caption : Captions) {
    auto* item = new TMenuItem(Parent);
    item->SetCaption(caption);
    if (caption != "-") item->OnClick = [this, Handler](TObject* Sender) { (this->*Handler)(Sender); };
    Parent->Add(item);
  }
}

TPopupMenu* TTModelSection2d::MakeMenu(const std::vector<std::string>& Captions, const std::string& Name,
                                       void (TTModelSection2d::*Handler)(TObject*)) {
  auto* menu = new TPopupMenu(this);
  menu->SetName(Name);
  AddMenuItems(menu->Items(), Captions, Handler);
  return menu;
}

void TTModelSection2d::BuildMenus() {
  CellMenu = MakeMenu(Section2D::CellMenuCaptions, "CellMenu", &TTModelSection2d::CellMenuClick);
  // The submenu heads open their submenus and run no command.
  CellMenu->Items()->GetItem(4)->OnClick = nullptr;
  CellMenu->Items()->GetItem(5)->OnClick = nullptr;
  AddMenuItems(CellMenu->Items()->GetItem(4), Section2D::SelectionMenuCaptions,
               &TTModelSection2d::SelectionMenuClick);
  AddMenuItems(CellMenu->Items()->GetItem(5), Section2D::MeshMenuCaptions, &TTModelSection2d::MeshMenuClick);
  ChartMenu = MakeMenu(Section2D::ChartMenuCaptions, "ChartMenu", &TTModelSection2d::ChartMenuClick);
  ColorBarMenu = MakeMenu(Section2D::ColorBarMenuCaptions, "ColorBarMenu", &TTModelSection2d::ColorBarMenuClick);
  DepthMenu = MakeMenu(Section2D::DepthMenuCaptions, "DepthMenu", &TTModelSection2d::DepthMenuClick);
  DistanceMenu = MakeMenu(Section2D::DistanceMenuCaptions, "DistanceMenu", &TTModelSection2d::DistanceMenuClick);
}

void TTModelSection2d::PopupAtMouse(TPopupMenu& Menu) {
  const TPoint at = OnCursorPos ? OnCursorPos() : TPoint(0, 0);
  Menu.Popup(at.X, at.Y);
}

void TTModelSection2d::HandleDblClick(TObject*) {
  MouseCancelled = true;
  if (!HasGrid()) return;
  switch (Region) {
    case 0:
      ChartMenu->Items()->GetItem(0)->SetChecked(ShowMesh);
      ChartMenu->Items()->GetItem(1)->SetChecked(ShowBorders);
      ChartMenu->Items()->GetItem(3)->SetChecked(ShowColorBar);
      ChartMenu->Items()->GetItem(4)->SetChecked(GetAllowZoom());
      PopupAtMouse(*ChartMenu);
      break;
    case 2: PopupAtMouse(*DepthMenu); break;
    case 3: PopupAtMouse(*DistanceMenu); break;
    case 4:
      ColorBarMenu->Items()->GetItem(5)->SetChecked(ScaleKind != 0);
      PopupAtMouse(*ColorBarMenu);
      break;
    default: break;
  }
  Dragging = false;
  MouseCancelled = true;
}

void TTModelSection2d::CellMenuClick(TObject* Sender) {
  if (ViewOnly) return;
  switch (MenuIndex(Sender)) {
    case 0:
      RedrawCells(nullptr);
      PushSnapshot();
      break;
    case 1:
      if (HighlightValue != CursorValue) {
        CursorValue = HighlightValue;
        DrawCursorPointer(CursorValue);
      }
      break;
    case 2: EditMode = 1; break;
    case 7:
      for (int32_t i = 0; i <= LastColumn; ++i)
        for (int32_t j = 0; j <= LastRow; ++j)
          if (CellInGrid(i, j)) {
            Layers[0][i][j] = HalfSpaceValue;
            FixedCells[i][j] = 0;
            Selected[i][j] = 0;
            CellBounds[i][j] = complexM{};
          }
      RedrawAll();
      PushSnapshot();
      break;
    default: break;
  }
  Dragging = false;
}

void TTModelSection2d::SelectionMenuClick(TObject* Sender) {
  switch (MenuIndex(Sender)) {
    case 0: EditMode = 2; break;
    case 1: EditMode = 5; break;
    case 2: EditMode = 4; break;
    case 3: EditMode = 3; break;
    case 5: ClearSelection(); break;
    default: break;
  }
  Dragging = false;
}

void TTModelSection2d::MeshMenuClick(TObject* Sender) {
  const int index = MenuIndex(Sender);
  if (index >= 0 && index <= 2) EditMode = static_cast<uint8_t>(7 + index);
  Dragging = false;
}

void TTModelSection2d::ChartMenuClick(TObject* Sender) {
  switch (MenuIndex(Sender)) {
    case 0: ShowMesh = !Ticked(Sender); break;
    case 1: ShowBorders = !Ticked(Sender); break;
    case 3:
      ShowColorBar = !Ticked(Sender);
      RedrawAll();
      break;
    case 4: {
      const bool zoom = !Ticked(Sender);
      SetAllowZoom(zoom);
      AllowPanning = zoom ? TPanningMode::pmBoth : TPanningMode::pmNone;
      break;
    }
    case 5: PlotPrevi::ShowChartPreview(this, this); break;
    default: break;
  }
  RedrawCells(nullptr);
}

bool TTModelSection2d::AskValue(const std::string& Caption, const std::string& Prompt, const std::string& Default,
                                const std::function<bool(double)>& Test, double& Value, bool LimitFirst) {
  for (;;) {
    const std::string text = Dialogs::InputBox(Caption, Prompt, Default);
    if (text == Default) return false;
    double v = Supermath2d::StrToFloatChecked(text, false, 0, 0);
    if (v == NoValue || std::isnan(v)) continue;
    if (LimitFirst) v = std::clamp(v, Section2D::MinCellValue, Section2D::MaxCellValue);
    if (Test(v)) {
      Value = v;
      return true;
    }
  }
}

void TTModelSection2d::SetScaleRange(int32_t Kind, double Lower, double Upper, double Factor) {
  const auto limit = [](double v) { return std::clamp(v, Section2D::MinCellValue, Section2D::MaxCellValue); };
  if (Kind == 0) {
    ScaleMin = limit(HalfSpaceValue / Factor);
    ScaleMax = limit(HalfSpaceValue * Factor);
  } else if (Kind == 1 && Lower < Upper && (ScaleKind != 1 || Lower > 0)) {
    ScaleMin = limit(Lower);
    ScaleMax = limit(Upper);
  }
}

void TTModelSection2d::ColorBarMenuClick(TObject* Sender) {
  double v = 0;
  const auto applied = [this] {
    RedrawAll();
    Fire(OnAfterChangeCB);
  };
  switch (MenuIndex(Sender)) {
    case 0:
      if (AskValue("Set minimal value", "Enter value <" + Text(ScaleMax), Text(ScaleMin),
                   [this](double x) { return x < ScaleMax; }, v, false)) {
        ScaleMin = v;
        applied();
      }
      break;
    case 1:
      if (AskValue("Set maximal value", "Enter value >" + Text(ScaleMin), Text(ScaleMax),
                   [this](double x) { return x > ScaleMin; }, v, true)) {
        ScaleMax = v;
        applied();
      }
      break;
    case 2:
      if (AskValue("Set value, 1..1000", "Enter incremental factor", "1",
                   [](double x) { return 1 < x && x < 1000; }, v, false)) {
        SetScaleRange(0, 0, 0, v);
        applied();
      }
      break;
    case 3: {
      if (Layers.empty() || LastColumn < 0 || LastRow < 0) break;
      double smallest = NoValue, largest = -NoValue;
      for (int32_t i = 0; i <= LastColumn; ++i)
        for (int32_t j = 0; j <= LastRow; ++j) {
          smallest = std::min(smallest, Layers[0][i][j]);
          largest = std::max(largest, Layers[0][i][j]);
        }
      if (smallest == largest) {
        smallest /= 10;
        largest *= 10;
      }
      ScaleMin = smallest;
      ScaleMax = largest;
      UpdateSignedLogThreshold();
      applied();
      break;
    }
    case 5:
      if (ScaleKind != 0) {
        ScaleKind = 0;
      } else {
        ScaleKind = 1;
        UpdateSignedLogThreshold();
      }
      applied();
      break;
    case 7:
      if (ViewOnly) break;
      if (AskValue("Set half-space value",
                   "Enter value " + Text(Section2D::MinCellValue) + ".." + Text(Section2D::MaxCellValue),
                   Text(HalfSpaceValue),
                   [](double x) { return Section2D::MinCellValue <= x && x < Section2D::MaxCellValue; }, v, false)) {
        SetHalfSpaceValue(v);
        RedrawAll();
        PushSnapshot();
        Fire(OnAfterChangeCB);
      }
      break;
    case 8:
      if (ViewOnly) break;
      if (AskValue("Set cursor value", "Enter value " + Text(ScaleMin) + ".." + Text(ScaleMax), Text(CursorValue),
                   [this](double x) { return ScaleMin <= x && x < ScaleMax; }, v, false)) {
        CursorValue = v;
        DrawColorBar(ChartRect.Right + ColorBarGap, ChartRect.Top, ColorBarWidth,
                     std::abs(ChartRect.Top - ChartRect.Bottom), Canvas());
        Fire(OnAfterChangeCB);
      }
      break;
    default: break;
  }
}

void TTModelSection2d::DepthMenuClick(TObject* Sender) {
  if (ViewOnly || RowBorders.size() < 2) return;
  switch (MenuIndex(Sender)) {
    case 0: {
      const double secondLast = RowBorders[RowBorders.size() - 2];
      const std::string current = Text(RowBorders.back());
      double v = RowBorders.back();
      for (;;) {
        const std::string text = Dialogs::InputBox("Set max depth", "Enter value >" + Text(secondLast), current);
        // Confirming or cancelling the shown depth keeps the depth as it is.
        if (text == current) break;
        const double x = Supermath2d::StrToFloatChecked(text, false, 0, 0);
        if (x != NoValue && x >= secondLast) {
          v = x;
          break;
        }
      }
      RowBorders.back() = v;
      MaxZ = v + MaxSurfaceOffset;
      DepthZ = MaxZ - MinZ;
      ExtentSeries->Clear();
      ExtentSeries->AppendPoint(MinX, MinZ);
      ExtentSeries->AppendPoint(MaxX, MaxZ);
      Invalidate();
      const arofdoubleM borders = RowBorders;
      SetRowBorders(static_cast<int32_t>(borders.size()), &borders);
      UpdateSurfaceOffsets();
      RedrawAll();
      PushSnapshot();
      break;
    }
    case 2:
      SetRowBorders(static_cast<int32_t>(RowBorders.size()), nullptr);
      RedrawAll();
      PushSnapshot();
      break;
    case 4:
      ThickRows();
      PushSnapshot();
      break;
    case 5:
      ThinRows();
      PushSnapshot();
      break;
    default: break;
  }
  Dragging = false;
}

void TTModelSection2d::DistanceMenuClick(TObject* Sender) {
  if (ViewOnly || ColumnBorders.size() < 2) return;
  switch (MenuIndex(Sender)) {
    case 0:
      SetColumnBorders(static_cast<int32_t>(ColumnBorders.size()), nullptr);
      UpdateSurfaceOffsets();
      RedrawAll();
      PushSnapshot();
      break;
    case 2:
      ThickColumns();
      PushSnapshot();
      break;
    case 3:
      ThinColumns();
      PushSnapshot();
      break;
    default: break;
  }
  Dragging = false;
}
