// The chart data grid and its navigator.
#include "chart/editors/PlotChartGrid.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotCanvas.h"
#include "chart/series/PlotSurfa.h"
#include "platform/rtl/SysUtils.h"

namespace {

// A series title on one line: line and column separators become blanks.
std::string OneLineTitle(const TChartSeries* S) {
  std::string T = PlotEngine::SeriesTitleOrName(S);
  std::replace(T.begin(), T.end(), '\r', ' ');
  std::replace(T.begin(), T.end(), '\x06', ' ');
  return T;
}

bool HasDataSource(const TChartSeries* S) { return S && (S->GetDataSource() || S->GetFunction()); }

// Typed text as a value of a list: a finite number, or a date and time for
// date-time lists; false when it is neither.
bool TextToValue(const std::string& Text, bool DateTime, double& Value) {
  if (DateTime) {
    TDateTime D = 0;
    if (SysUtils::TryStrToDateTime(Text, D, FormatSettings) && std::isfinite(D)) {
      Value = D;
      return true;
    }
  }
  double V = 0;
  if (!SysUtils::TryStrToFloat(Text, V) || !std::isfinite(V)) return false;
  Value = V;
  return true;
}

}  // namespace

KV_CLASS_IMPL(TCustomChartGrid, TCustomGrid) {}
KV_CLASS_IMPL(TChartGrid, TCustomChartGrid) {
  c.Property("ShowLabels", &TChartGrid::GetShowLabels, &TChartGrid::SetShowLabels).Default(true);
  c.Property("ShowColors", &TChartGrid::GetShowColors, &TChartGrid::SetShowColors).Default(false);
  c.Property("ShowXValues", &TChartGrid::GetShowXValues, &TChartGrid::SetShowXValues)
      .Names({"cgsAuto", "cgsNo", "cgsYes"})
      .Default(cgsAuto);
}
KV_CLASS_IMPL(TChartGridNavigator, TCustomPlotNavigator) {}

TCustomChartGrid::TCustomChartGrid(TComponent* Owner) : TCustomGrid(Owner) {
  SetGridLineWidth(1);
  SetDefaultRowHeight(16);
  SetFixedCols(1);
  SetOptions(TGridOptions{goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected, goRowSizing, goColSizing,
                          goEditing, goTabs, goThumbTracking});
  RecalcDimensions();
}

TCustomChartGrid::~TCustomChartGrid() = default;

void TCustomChartGrid::BeforeDestruction() {
  if (TCustomAxisPanel* C = FListened.Get()) C->RemoveListener(this);
  FListened.Reset();
  TCustomGrid::BeforeDestruction();
}

void TCustomChartGrid::Loaded() {
  TCustomGrid::Loaded();
  SetRowHeights(0, 20);
}

// ---------------------------------------------------------------- properties

void TCustomChartGrid::ListenTo(TCustomAxisPanel* Chart) {
  if (FListened.Get() == Chart) return;
  if (TCustomAxisPanel* Old = FListened.Get()) Old->RemoveListener(this);
  FListened = Chart;
  if (Chart) Chart->AddListener(this);
}

void TCustomChartGrid::SetChart(TCustomAxisPanel* Value) {
  FChart = Value;
  FSeries.Reset();
  ListenTo(Value);
  RecalcDimensions();
  MoveColRow(GetColCount() > 1 ? 1 : 0, FirstRow(), true, true);
}

void TCustomChartGrid::SetSeries(TChartSeries* Value) {
  FSeries = Value;
  FChart.Reset();
  ListenTo(Value ? dynamic_cast<TCustomAxisPanel*>(Value->GetParentChart()) : nullptr);
  RecalcDimensions();
  MoveColRow(GetColCount() > 1 ? 1 : 0, FirstRow(), true, true);
}

void TCustomChartGrid::SetShowLabels(bool Value) {
  if (Value == FShowLabels) return;
  FShowLabels = Value;
  RecalcDimensions();
}

void TCustomChartGrid::SetShowColors(bool Value) {
  if (Value == FShowColors) return;
  FShowColors = Value;
  RecalcDimensions();
}

void TCustomChartGrid::SetShowXValues(TChartGridShow Value) {
  if (Value == FShowXValues) return;
  FShowXValues = Value;
  RecalcDimensions();
}

void TCustomChartGrid::SetShowValueNames(bool Value) {
  if (Value == FShowValueNames) return;
  FShowValueNames = Value;
  RecalcDimensions();
  if (GetRow() < FirstRow()) SetRow(FirstRow());
}

void TCustomChartGrid::SetXYZView(bool Value) {
  if (Value == FXYZView) return;
  FXYZView = Value;
  RecalcDimensions();
}

std::vector<TChartSeries*> TCustomChartGrid::ShownSeries() const {
  std::vector<TChartSeries*> Out;
  if (TChartSeries* S = FSeries.Get()) {
    Out.push_back(S);
  } else if (TCustomAxisPanel* C = FChart.Get()) {
    for (int32_t i = 0; i < C->SeriesCount(); ++i) Out.push_back(C->GetSeries(i));
  }
  return Out;
}

int32_t TCustomChartGrid::ColorsColumn() const {
  if (!FShowColors || FXYZView) return -1;
  return FShowLabels ? 2 : 1;
}

TCustomChartGrid::TColumnInfo TCustomChartGrid::ColumnInfo(int32_t ACol) const {
  return ACol >= 0 && ACol < static_cast<int32_t>(FColumns.size()) ? FColumns[static_cast<size_t>(ACol)]
                                                                     : TColumnInfo{};
}

// ---------------------------------------------------------------- layout

void TCustomChartGrid::RecalcDimensions() {
  if (FInLayout) return;
  FInLayout = true;
  if (FXYZView)
    LayoutXYZ();
  else
    LayoutNormal();
  FInLayout = false;
  if (GetCol() == 0 && GetColCount() > 1) SetCol(1);
  Invalidate();
  Notify();
}

void TCustomChartGrid::LayoutNormal() {
  const int32_t F = FirstRow();
  const std::vector<TChartSeries*> Shown = ShownSeries();
  FColumns.assign(1, TColumnInfo{});
  if (FShowLabels) FColumns.push_back({});
  if (FShowColors) FColumns.push_back({});
  FXShown.assign(Shown.size(), false);
  int32_t MaxCount = 0;
  for (size_t i = 0; i < Shown.size(); ++i) {
    TChartSeries* S = Shown[i];
    MaxCount = std::max(MaxCount, S->Count());
    FXShown[i] = FShowXValues == cgsYes || (FShowXValues == cgsAuto && PlotEngine::SeriesHasOwnXValues(*S));
    const TChartValueLists& Lists = S->ValueLists();
    int32_t Mandatory = -1, Other = -1;
    for (int32_t k = 0; k < Lists.Count(); ++k) {
      if (Lists.Get(k) == S->MandatoryList()) Mandatory = k;
      if (Lists.Get(k) == S->NotMandatoryList()) Other = k;
    }
    if (FXShown[i] && Other >= 0) FColumns.push_back({S, Other});
    if (Mandatory >= 0) FColumns.push_back({S, Mandatory});
    for (int32_t k = 0; k < Lists.Count(); ++k)
      if (k != Mandatory && k != Other) FColumns.push_back({S, k});
  }
  SetFixedRows(1);
  SetColCount(std::max<int32_t>(2, static_cast<int32_t>(FColumns.size())));
  SetRowCount(std::max(F + 1, F + MaxCount));
  SetFixedRows(F);
  SetColWidths(0, 30);
  if (ColorsColumn() == 1) SetColWidths(1, 40);
  SetRowHeights(0, 20);
}

TChartSeries* TCustomChartGrid::XYZSeries() const {
  for (TChartSeries* S : ShownSeries())
    if (dynamic_cast<TCustom3DSeries*>(S)) return S;
  return nullptr;
}

void TCustomChartGrid::LayoutXYZ() {
  FColumns.assign(1, TColumnInfo{});
  FXShown.assign(ShownSeries().size(), false);
  FXYZx.clear();
  FXYZz.clear();
  FXYZIndex.clear();
  auto* S = dynamic_cast<TCustom3DSeries*>(XYZSeries());
  if (S) {
    std::set<double> Xs, Zs;
    for (int32_t i = 0; i < S->Count(); ++i) {
      const double X = S->XValues()->GetValue(i), Z = S->GetZValue(i);
      Xs.insert(X);
      Zs.insert(Z);
      FXYZIndex[{X, Z}] = i;
    }
    FXYZx.assign(Xs.begin(), Xs.end());
    FXYZz.assign(Zs.begin(), Zs.end());
    int32_t Mandatory = 1;
    for (int32_t k = 0; k < S->ValueLists().Count(); ++k)
      if (S->ValueLists().Get(k) == S->MandatoryList()) Mandatory = k;
    for (size_t c = 0; c < FXYZx.size(); ++c) FColumns.push_back({S, Mandatory});
  }
  SetFixedRows(1);
  SetColCount(std::max<int32_t>(2, static_cast<int32_t>(FColumns.size())));
  SetRowCount(2 + std::max<int32_t>(1, static_cast<int32_t>(FXYZz.size())));
  SetFixedRows(2);
  SetColWidths(0, 30);
  SetRowHeights(0, 20);
}

int32_t TCustomChartGrid::XYZPoint(int32_t ACol, int32_t ARow) const {
  const size_t C = static_cast<size_t>(ACol - 1), R = static_cast<size_t>(ARow - 2);
  if (ACol < 1 || ARow < 2 || C >= FXYZx.size() || R >= FXYZz.size()) return -1;
  const auto It = FXYZIndex.find({FXYZx[C], FXYZz[R]});
  return It == FXYZIndex.end() ? -1 : It->second;
}

// ---------------------------------------------------------------- cell text

std::string TCustomChartGrid::ValueText(TChartSeries* S, int32_t List, int32_t Index) const {
  if (!S || Index < 0 || Index >= S->Count() || List < 0 || List >= S->ValueLists().Count()) return {};
  TChartValueList* L = S->ValueLists().Get(List);
  const double V = L->GetValue(Index);
  if (L->GetDateTime()) return V >= 1 ? SysUtils::DateTimeToStr(V) : SysUtils::TimeToStr(V);
  return SysUtils::FormatFloat(S->GetValueFormat(), V);
}

std::string TCustomChartGrid::CellText(int32_t ACol, int32_t ARow) const {
  const int32_t F = FirstRow();
  if (FXYZView) {
    if (ACol == 0) return ARow >= 2 && static_cast<size_t>(ARow - 2) < FXYZz.size()
                              ? SysUtils::FloatToStr(FXYZz[static_cast<size_t>(ARow - 2)])
                              : std::string();
    const TColumnInfo I = ColumnInfo(ACol);
    if (!I.Series) return {};
    if (ARow == 0) return SysUtils::FloatToStr(FXYZx[static_cast<size_t>(ACol - 1)]);
    if (ARow == 1) return I.Series->ValueLists().Get(I.List)->GetName();
    return ValueText(I.Series, I.List, XYZPoint(ACol, ARow));
  }
  const int32_t R = ARow - F;
  if (ACol == 0) return ARow >= F ? std::to_string(R) : ARow == F - 1 ? "#" : "";
  if (ACol == TextColumn()) {
    if (ARow == 1 && FShowValueNames) return "Text";
    if (ARow < F) return {};
    for (TChartSeries* S : ShownSeries())
      if (S->Labels().Count() > R) return S->Labels().GetLabel(R);
    return {};
  }
  if (ACol == ColorsColumn()) return ARow == 1 && FShowValueNames ? "Colors" : "";
  const TColumnInfo I = ColumnInfo(ACol);
  if (!I.Series) return {};
  if (ARow < F) {
    const std::string Name = I.Series->ValueLists().Get(I.List)->GetName();
    if (ARow == 1) return Name;
    return FSeries && !FShowValueNames ? Name : std::string();
  }
  return ValueText(I.Series, I.List, R);
}

// ---------------------------------------------------------------- drawing

void TCustomChartGrid::DrawCell(int ACol, int ARow, const TRect& Rect, TGridDrawState State) {
  TCanvas& C = *GetCanvas();
  const int32_t F = FirstRow();
  const bool Fixed = ACol == 0 || ARow < F;
  const bool Selected = State.Contains(gdSelected) && !Fixed;
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(Fixed ? GetFixedColor() : Selected ? clHighlight : GetColor());
  C.FillRect(Rect);
  C.Font->Assign(*GetFont());
  C.Font->SetColor(Selected ? clHighlightText : clWindowText);
  C.Brush->SetStyle(bsClear);
  const TColumnInfo Info = ColumnInfo(ACol);
  if (!FXYZView && ACol == ColorsColumn() && ARow >= F) {
    std::vector<TChartSeries*> Shown = ShownSeries();
    TColor Colour = GetColor();
    if (!Shown.empty() && ARow - F < Shown[0]->Count()) {
      const TColor P = Shown[0]->ValueColor(ARow - F);
      if (P != clNone) Colour = P;
    }
    C.Brush->SetStyle(bsSolid);
    C.Brush->SetColor(Colour);
    C.FillRect(TRect(Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1));
    return;
  }
  if (!FXYZView && ARow == 0 && Info.Series && (FShowValueNames || !FSeries)) {
    // The first column of each series carries its symbol and title.
    if (ColumnInfo(ACol - 1).Series != Info.Series) {
      Chart::DrawSeriesSymbolOn(Info.Series, C, TRect(Rect.Left + 4, Rect.Top + 4, Rect.Left + 16, Rect.Top + 16));
      C.Brush->SetStyle(bsClear);
      C.TextOut(Rect.Left + 18, Rect.Top + 4, OneLineTitle(Info.Series));
    }
    return;
  }
  const std::string Text = CellText(ACol, ARow);
  if (Text.empty()) return;
  if (!FXYZView && ARow == 0 && Info.Series) {
    C.TextOut(Rect.Left + 18, Rect.Top + 4, Text);
  } else if (Info.Series && ARow >= F) {
    C.TextOut(Rect.Right - 2 - C.TextWidth(Text), Rect.Top + 2, Text);
  } else {
    C.TextOut(Rect.Left + 2, Rect.Top + 2, Text);
  }
}

// ---------------------------------------------------------------- selection and editing

bool TCustomChartGrid::SelectCell(int ACol, int ARow) {
  if (ACol < 1 || ARow < FirstRow()) return false;
  if (!TCustomGrid::SelectCell(ACol, ARow)) return false;
  // Leaving a cell whose text was cleared in the editor makes its point null.
  if (GetEditorMode() && GetInplaceEditor() && SysUtils::Trim(GetInplaceEditor()->GetText()).empty() &&
      (ACol != GetCol() || ARow != GetRow()))
    StoreText(GetCol(), GetRow(), "", false);
  FSelectingRow = ARow;
  NotifySelected();
  FSelectingRow = -1;
  return true;
}

bool TCustomChartGrid::CanEditShow() {
  bool Allow = TCustomGrid::CanEditShow();
  if (Allow && OnEditingCell) OnEditingCell(this, GetCol(), GetRow(), Allow);
  if (Allow && GetCol() == ColorsColumn()) Allow = false;
  // Sourced series are filled by their source, never typed into.
  if (Allow && HasDataSource(ColumnInfo(GetCol()).Series)) Allow = false;
  if (Allow && GetCol() == TextColumn())
    for (TChartSeries* S : ShownSeries())
      if (HasDataSource(S)) Allow = false;
  if (Allow && FXYZView && !ColumnInfo(GetCol()).Series) Allow = false;
  if (Allow) Notify();
  return Allow;
}

std::string TCustomChartGrid::GetEditText(int ACol, int ARow) {
  const TColumnInfo I = ColumnInfo(ACol);
  const int32_t Index = FXYZView ? XYZPoint(ACol, ARow) : ARow - FirstRow();
  FWasNull = I.Series && (Index < 0 || Index >= I.Series->Count() || I.Series->IsNull(Index));
  FOldText = FWasNull ? std::string() : CellText(ACol, ARow);
  return FOldText;
}

void TCustomChartGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
  StoreText(ACol, ARow, Value, GetEditorMode());
}

void TCustomChartGrid::PadWithNulls(TChartSeries* S, int32_t Index) {
  if (S->Count() > Index) return;
  S->BeginUpdate();
  while (S->Count() <= Index) S->AddNullXY(S->Count(), 0);
  S->EndUpdate();
}

void TCustomChartGrid::RepaintSeries(TChartSeries* S) {
  S->RefreshSeries();
  if (FChart)
    FChart->Invalidate();
  else
    S->Repaint();
}

void TCustomChartGrid::StoreText(int32_t ACol, int32_t ARow, const std::string& Text, bool EditingNow) {
  const std::vector<TChartSeries*> Shown = ShownSeries();
  if (Shown.empty()) return;
  const int32_t F = FirstRow();
  const int32_t R = ARow - F;
  if (ARow < F || ACol < 1) return;
  const std::string Trimmed = SysUtils::Trim(Text);
  if (!FXYZView && ACol == TextColumn()) {
    for (TChartSeries* S : Shown) S->ManualData = true;
    for (TChartSeries* S : Shown) {
      PadWithNulls(S, R);
      S->SetLabel(R, Text);
    }
    RecalcDimensions();
    for (TChartSeries* S : Shown) RepaintSeries(S);
  } else {
    const TColumnInfo I = ColumnInfo(ACol);
    TChartSeries* S = I.Series;
    if (!S || I.List < 0) return;
    TChartValueList* L = S->ValueLists().Get(I.List);
    int32_t Index = FXYZView ? XYZPoint(ACol, ARow) : R;
    if (!Trimmed.empty()) {
      double V = 0;
      // Text that is no value changes nothing: no padding, no half-stored point.
      if (!TextToValue(Trimmed, L->GetDateTime(), V)) return;
      for (TChartSeries* Each : Shown) Each->ManualData = true;
      if (FXYZView && Index < 0) {
        auto* S3 = dynamic_cast<TCustom3DSeries*>(S);
        if (!S3) return;
        const size_t C = static_cast<size_t>(ACol - 1), Z = static_cast<size_t>(ARow - 2);
        if (C >= FXYZx.size() || Z >= FXYZz.size()) return;
        Index = S3->AddXYZ(FXYZx[C], 0, FXYZz[Z], "", clDefault);
        FXYZIndex[{FXYZx[C], FXYZz[Z]}] = Index;
      } else {
        PadWithNulls(S, Index);
      }
      const bool WasNull = S->IsNull(Index);
      L->SetValue(Index, V);
      if (WasNull) {
        S->SetPointColor(Index, clDefault);
        if (FShowColors) Invalidate();
      }
    } else {
      if (EditingNow || Index < 0 || Index >= S->Count()) return;
      for (TChartSeries* Each : Shown) Each->ManualData = true;
      S->SetPointColor(Index, clNone);
      Invalidate();
    }
    const int32_t OldRows = GetRowCount();
    RecalcDimensions();
    if (GetRowCount() != OldRows) Invalidate();
    RepaintSeries(S);
  }
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Text);
}

void TCustomChartGrid::StartEditing() {
  const TColumnInfo I = ColumnInfo(GetCol());
  if (!I.Series && GetCol() != TextColumn()) return;
  if (HasDataSource(I.Series)) return;
  ShowEditor();
  Notify();
}

void TCustomChartGrid::EndEditing(bool Cancel) {
  if (!GetEditorMode()) return;
  TInplaceEdit* E = GetInplaceEditor();
  const std::string Typed = E ? E->GetText() : std::string();
  if (Cancel && E) E->SetText("");
  HideEditor();
  if (Cancel) {
    // Cancelling puts back what the cell held: its old value, or a null point.
    if (!FWasNull)
      StoreText(GetCol(), GetRow(), FOldText, false);
    else if (!SysUtils::Trim(Typed).empty())
      StoreText(GetCol(), GetRow(), "", false);
  } else if (SysUtils::Trim(Typed).empty() && !FWasNull) {
    StoreText(GetCol(), GetRow(), "", false);
  }
  Notify();
}

// ---------------------------------------------------------------- rows

void TCustomChartGrid::InsertRow() {
  if (!GetOptions().Contains(goEditing)) return;
  const std::vector<TChartSeries*> Shown = ShownSeries();
  if (Shown.empty()) return;
  for (TChartSeries* S : Shown) {
    S->AddNullXY(S->Count(), 0);
    S->ManualData = true;
  }
  RecalcDimensions();
  SetRow(GetRowCount() - 1);
  for (TChartSeries* S : Shown) RepaintSeries(S);
}

TChartSeries* TCustomChartGrid::CurrentColumnSeries() const {
  int32_t Col = GetCol();
  if (Col == ColorsColumn() || Col == TextColumn()) Col = std::max(ColorsColumn(), TextColumn()) + 1;
  return ColumnInfo(Col).Series;
}

void TCustomChartGrid::AppendRow() {
  if (!GetOptions().Contains(goEditing) || FXYZView) return;
  TChartSeries* S = CurrentColumnSeries();
  if (!S || HasDataSource(S)) return;
  const int32_t NewRow = GetRowCount();
  S->ManualData = true;
  // The new null point sits in the new last row.
  PadWithNulls(S, NewRow - FirstRow());
  RecalcDimensions();
  SetRow(std::min(NewRow, GetRowCount() - 1));
  RepaintSeries(S);
}

void TCustomChartGrid::DeleteRow() {
  if (!GetOptions().Contains(goEditing)) return;
  const std::vector<TChartSeries*> Shown = ShownSeries();
  const int32_t R = GetRow() - FirstRow();
  if (FXYZView) {
    TChartSeries* S = ColumnInfo(GetCol()).Series;
    const int32_t P = XYZPoint(GetCol(), GetRow());
    if (S && P >= 0 && !HasDataSource(S)) {
      S->Delete(P);
      RecalcDimensions();
      RepaintSeries(S);
    }
    return;
  }
  for (size_t i = 0; i < Shown.size(); ++i) {
    TChartSeries* S = Shown[i];
    if (R < 0 || R >= S->Count() || HasDataSource(S)) continue;
    S->Delete(R);
    if (!FXShown[i]) S->NotMandatoryList()->FillSequence();
    S->ManualData = true;
  }
  RecalcDimensions();
  if (GetRow() >= GetRowCount()) SetRow(GetRowCount() - 1);
  for (TChartSeries* S : Shown) RepaintSeries(S);
}

// ---------------------------------------------------------------- colours

bool TCustomChartGrid::OnColorsColumn() const { return GetCol() == ColorsColumn() && GetCol() >= 1; }

void TCustomChartGrid::EditColor() {
  if (!GetOptions().Contains(goEditing) || !OnColorsColumn()) return;
  const std::vector<TChartSeries*> Shown = ShownSeries();
  const int32_t R = GetRow() - FirstRow();
  if (Shown.empty() || R < 0 || R >= Shown[0]->Count()) return;
  TChartSeries* S = Shown[0];
  TColor Colour = S->ValueColor(R);
  if (Colour == clNone) Colour = S->GetSeriesColor();
  if (!PlotCanvas::EditColorVar(this, Colour)) return;
  S->SetPointColor(R, Colour);
  S->ManualData = true;
  InvalidateCell(GetCol(), GetRow());
  RepaintSeries(S);
  if (OnChangeColor) OnChangeColor(this);
}

// ---------------------------------------------------------------- input

void TCustomChartGrid::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (Shift.Contains(TShiftStateItem::ssCtrl)) {
    TCustomGrid::KeyDown(Key, Shift);
    return;
  }
  const bool LastRow = GetRow() == GetRowCount() - 1;
  switch (Key) {
    case VK_RETURN:
    case VK_SPACE:
      if (!OnColorsColumn()) break;
      EditColor();
      Key = 0;
      return;
    case VK_ESCAPE:
      EndEditing(true);
      Key = 0;
      return;
    case VK_UP:
      if (LastRow && !GetEditorMode()) {
        TChartSeries* S = CurrentColumnSeries();
        const int32_t R = GetRow() - FirstRow();
        if (S && R >= 0 && R < S->Count() && S->IsNull(R) && S->Labels().GetLabel(R).empty() && !HasDataSource(S)) {
          S->Delete(R);
          RecalcDimensions();
          if (GetRow() >= GetRowCount()) SetRow(GetRowCount() - 1);
          RepaintSeries(S);
          Key = 0;
          return;
        }
      }
      break;
    case VK_DOWN:
      if (LastRow && !FXYZView) {
        if (GetEditorMode()) EndEditing(false);
        AppendRow();
        Key = 0;
        return;
      }
      break;
    case VK_INSERT:
      InsertRow();
      Key = 0;
      return;
    case VK_DELETE:
      if (!GetEditorMode()) ShowEditor();
      if (TInplaceEdit* E = GetInplaceEditor(); E && E->GetVisible()) E->KeyDown(Key, Shift);
      Key = 0;
      return;
    case VK_F2:
      if (OnColorsColumn())
        EditColor();
      else
        StartEditing();
      Key = 0;
      return;
    default:
      break;
  }
  TCustomGrid::KeyDown(Key, Shift);
}

void TCustomChartGrid::KeyPress(TKeyChar& Key) {
  // Enter closes the editor the way "Post" does: a cleared cell becomes a null point.
  if (Key == u'\r' && GetEditorMode() && !OnColorsColumn()) {
    EndEditing(false);
    Key = 0;
    return;
  }
  TCustomGrid::KeyPress(Key);
}

void TCustomChartGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseDown(Button, Shift, X, Y);
  int Col = -1, Row = -1;
  MouseToCell(X, Y, Col, Row);
  // A click on a header selects that column's values; "Text" and "Colors" hold none.
  if (Button == TMouseButton::mbLeft && Row >= 0 && Row < FirstRow() && Col >= 1 && Col != TextColumn() &&
      Col != ColorsColumn() && GetGridState() == TGridState::gsNormal && MoveColRow(Col, FirstRow(), true, false))
    SetSelection(TGridRect{Col, FirstRow(), Col, GetRowCount() - 1});
  Notify();
}

void TCustomChartGrid::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseMove(Shift, X, Y);
  int Col = -1, Row = -1;
  MouseToCell(X, Y, Col, Row);
  const bool OnColour =
      GetOptions().Contains(goEditing) && Col >= 1 && Col == ColorsColumn() && Row >= FirstRow();
  SetCursor(OnColour ? crHandPoint : crDefault);
}

void TCustomChartGrid::DblClick() {
  TCustomGrid::DblClick();
  if (OnColorsColumn() && GetRow() >= FirstRow()) EditColor();
}

// ---------------------------------------------------------------- chart events

void TCustomChartGrid::PlotEvent(TPlotEvent& Event) {
  if (ComponentState.Contains(TComponentStateItem::csDestroying)) return;
  auto* E = dynamic_cast<TPlotSeriesEvent*>(&Event);
  if (!E) return;
  if (E->Event == 2 || E->Event == 3 || E->Event == 5)
    Invalidate();
  else
    RecalcDimensions();
}

void TCustomChartGrid::Notify() {
  if (NavigatorChanged) NavigatorChanged(this);
}

void TCustomChartGrid::NotifySelected() {
  if (NavigatorSelected) NavigatorSelected(this);
}

// ---------------------------------------------------------------- navigator

void TChartGridNavigator::BeforeDestruction() {
  SetGrid(nullptr);
  TCustomPlotNavigator::BeforeDestruction();
}

void TChartGridNavigator::SetGrid(TCustomChartGrid* Value) {
  if (TCustomChartGrid* Old = FGrid.Get(); Old && Old != Value) {
    Old->NavigatorChanged = nullptr;
    Old->NavigatorSelected = nullptr;
    Old->FNavigator.Reset();
  }
  FGrid = Value;
  if (Value) {
    Value->FNavigator = this;
    Value->NavigatorChanged = [this](TObject*) { EnableButtons(); };
    Value->NavigatorSelected = [this](TObject*) { EnableButtons(); };
  }
  EnableButtons();
}

void TChartGridNavigator::EnableButtons() {
  TCustomChartGrid* G = FGrid.Get();
  if (!G || !Button(nbFirst)) {
    for (int32_t i = 0; i < PlotNavButtonCount; ++i)
      if (TPlotNavButton* B = Button(static_cast<TPlotNavigateBtn>(i))) B->SetEnabled(false);
    return;
  }
  const int32_t F = G->FirstRow(), Row = G->RowForButtons(), Rows = G->GetRowCount();
  const bool On = GetEnabled();
  Button(nbFirst)->SetEnabled(On && Row > F);
  Button(nbPrior)->SetEnabled(On && Row > F);
  Button(nbNext)->SetEnabled(On && Row < Rows - 1);
  Button(nbLast)->SetEnabled(On && Row < Rows - 1);
  const std::vector<TChartSeries*> Shown = G->ShownSeries();
  bool CanInsert = G->GetSeries() != nullptr;
  if (!CanInsert)
    CanInsert = G->GetOptions().Contains(goEditing) && !G->Editing() && G->GetChart() && !Shown.empty();
  Button(nbInsert)->SetEnabled(On && CanInsert);
  bool AnyPoint = false;
  for (TChartSeries* S : Shown) AnyPoint = AnyPoint || S->Count() > 0;
  Button(nbDelete)->SetEnabled(On && Rows > 1 && CanInsert && AnyPoint);
  Button(nbEdit)->SetEnabled(On && CanInsert);
  Button(nbPost)->SetEnabled(On && G->Editing());
  Button(nbCancel)->SetEnabled(On && G->Editing());
}

void TChartGridNavigator::BtnClick(TPlotNavigateBtn Index) {
  if (TCustomChartGrid* G = FGrid.Get()) {
    const int32_t F = G->FirstRow();
    switch (Index) {
      case nbFirst:
        if (G->GetRow() > F) G->SetRow(F);
        break;
      case nbPrior:
        if (G->GetRow() > F) G->SetRow(G->GetRow() - 1);
        break;
      case nbNext:
        if (G->GetRow() < G->GetRowCount() - 1) G->SetRow(G->GetRow() + 1);
        break;
      case nbLast:
        if (G->GetRow() < G->GetRowCount() - 1) G->SetRow(G->GetRowCount() - 1);
        break;
      case nbInsert: G->InsertRow(); break;
      case nbDelete: G->DeleteRow(); break;
      case nbEdit:
        if (G->CanFocus()) G->SetFocus();
        G->StartEditing();
        break;
      case nbPost: G->EndEditing(false); break;
      case nbCancel: G->EndEditing(true); break;
    }
  }
  TCustomPlotNavigator::BtnClick(Index);
}
