// The series list box.
#include "chart/series/PlotLisB.h"

#include <algorithm>

#include "chart/engine/GalleryHooks.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotPenDlg.h"
#include "chart/series/Series.h"
#include "platform/ui/Dialogs.h"

namespace PlotLisB {

bool UsesSeriesColor(const TChartSeries* Series) { return Series && !dynamic_cast<const TPieSeries*>(Series); }

bool ShownInEditor(const TChartSeries* Series) {
  return Series && (Series->ShowInEditor || Series->ComponentState.Contains(TComponentStateItem::csDesigning));
}

void DrawSeriesIcon(TCanvas& Canvas, const TObject& Element, int32_t X, int32_t Y) {
  TBitmap Icon;
  PlotProcs::LoadSeriesBitmap(Element, Icon);
  if (Icon.GetWidth() > 0) Canvas.Draw(X, Y, &Icon);
}

}  // namespace PlotLisB

namespace {
constexpr int32_t DragThreshold = 5;
constexpr uint16_t VkReturn = 13, VkEscape = 27, VkUp = 38, VkDown = 40, VkInsert = 45, VkDelete = 46,
                   VkF2 = 113;
}  // namespace

KV_CLASS_IMPL(TChartListBox, TOwnerDrawListBox) {
  c.Property("AllowAddSeries", &TChartListBox::AllowAddSeries).Default(true);
  c.Property("AllowDeleteSeries", &TChartListBox::AllowDeleteSeries).Default(true);
  c.Property("AskDelete", &TChartListBox::AskDelete).Default(true);
  c.Property("CheckStyle", &TChartListBox::GetCheckStyle, &TChartListBox::SetCheckStyle)
      .Names({"cbsCheck", "cbsRadio"})
      .Default(cbsCheck);
  c.Property("EnableChangeColor", &TChartListBox::EnableChangeColor).Default(true);
  c.Property("EnableDragSeries", &TChartListBox::EnableDragSeries).Default(true);
  c.Property("EnableChangeType", &TChartListBox::EnableChangeType).Default(true);
  c.Property("ShowActiveCheck", &TChartListBox::GetShowActiveCheck, &TChartListBox::SetShowActiveCheck).Default(true);
  c.Property("ShowSeriesColor", &TChartListBox::GetShowSeriesColor, &TChartListBox::SetShowSeriesColor).Default(true);
  c.Property("ShowSeriesIcon", &TChartListBox::GetShowSeriesIcon, &TChartListBox::SetShowSeriesIcon).Default(true);
  c.Property("ShowSeriesTitle", &TChartListBox::GetShowSeriesTitle, &TChartListBox::SetShowSeriesTitle).Default(true);
  c.Property("Sorted", &TChartListBox::Sorted).Default(false);
}

TChartListBox::TChartListBox(TComponent* Owner) : TOwnerDrawListBox(Owner) {
  ItemHeight = 24;
  MultiSelect = true;
  OnClick = [this](TObject* Sender) {
    if (OnRefresh) OnRefresh(Sender);
  };
}

TChartListBox::~TChartListBox() = default;

void TChartListBox::BeforeDestruction() {
  if (TCustomAxisPanel* C = FChart.Get()) C->RemoveListener(this);
  FChart.Reset();
  TOwnerDrawListBox::BeforeDestruction();
}

void TChartListBox::Notification(TComponent* AComponent, TOperation Operation) {
  TOwnerDrawListBox::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FInlineEditor) FInlineEditor = nullptr;
  if (ReferenceChart && AComponent == ReferenceChart) ReferenceChart = nullptr;
}

void TChartListBox::SetParent(TWinControl* Value) {
  TOwnerDrawListBox::SetParent(Value);
  if (Value && Items()->Count() == 0) FItemIndex = -1;
}

void TChartListBox::SetChart(TCustomAxisPanel* Value) {
  if (FChart.Get() == Value) return;
  if (TCustomAxisPanel* Old = FChart.Get()) Old->RemoveListener(this);
  FChart = Value;
  if (Value) {
    Value->AddListener(this);
    FillSeries(SelectedSeries());
  } else {
    Items()->Clear();
    FItemIndex = -1;
    if (OtherItems) OtherItems->Clear();
  }
}

void TChartListBox::SetCheckStyle(TCheckBoxesStyle Value) {
  if (FCheckStyle == Value) return;
  FCheckStyle = Value;
  if (Value == cbsRadio) {
    bool First = true;
    for (int32_t i = 0; i < Items()->Count(); ++i)
      if (TChartSeries* S = SeriesAt(i); S && S->GetActive()) {
        if (!First) S->SetActive(false);
        First = false;
      }
  }
  Invalidate();
}

void TChartListBox::SetSectionVisible(TSection S, bool Value) {
  if (FSections[S].Visible == Value) return;
  FSections[S].Visible = Value;
  Invalidate();
}

void TChartListBox::SetSectionWidth(TSection S, int32_t Width) {
  FSections[S].Width = std::max(0, Width);
  Invalidate();
}

int32_t TChartListBox::SectionLeft(TSection S) const {
  int32_t Left = 0;
  for (int32_t i = 0; i < S; ++i)
    if (FSections[static_cast<size_t>(i)].Visible) Left += FSections[static_cast<size_t>(i)].Width;
  return Left;
}

int32_t TChartListBox::SectionAt(int32_t X) const {
  for (int32_t i = secIcon; i <= secTitle; ++i) {
    const auto S = static_cast<TSection>(i);
    if (!FSections[static_cast<size_t>(i)].Visible) continue;
    const int32_t L = SectionLeft(S);
    if (X > L && X < L + FSections[static_cast<size_t>(i)].Width) return i;
  }
  return -1;
}

TCursor TChartListBox::CursorAt(int32_t X) const {
  const int32_t S = SectionAt(X);
  if ((S == secIcon && EnableChangeType) || (S == secColor && EnableChangeColor)) return crHandPoint;
  return crDefault;
}

void TChartListBox::SetNamesMode(bool Value) {
  if (FNamesMode == Value) return;
  FNamesMode = Value;
  FillSeries(SelectedSeries());
}

void TChartListBox::SetGroup(TSeriesGroup* Value) {
  FGroup = Value;
  FillSeries(SelectedSeries());
}

std::string TChartListBox::RowText(const TChartSeries* Series) const {
  return FNamesMode ? Series->GetName() : PlotEngine::SeriesTitleOrName(Series);
}

void TChartListBox::CopyToMirror() {
  if (!OtherItems) return;
  OtherItems->Clear();
  for (int32_t i = 0; i < Items()->Count(); ++i) OtherItems->AddObject(Items()->Strings(i), Items()->Objects(i));
}

void TChartListBox::TellEditor() {
  if (TCustomAxisPanel* C = FChart.Get()) C->EditorChanged();
}

void TChartListBox::FillSeries(TChartSeries* Keep) {
  std::vector<TChartSeries*> List;
  if (FGroup) {
    for (int32_t i = 0; i < FGroup->Series().Count(); ++i) List.push_back(FGroup->Series().GetSeries(i));
  } else if (TCustomAxisPanel* C = FChart.Get()) {
    for (int32_t i = 0; i < C->SeriesCount(); ++i) List.push_back(C->GetSeries(i));
  }
  std::vector<std::pair<std::string, TChartSeries*>> Rows;
  for (TChartSeries* S : List)
    if (PlotLisB::ShownInEditor(S)) Rows.emplace_back(RowText(S), S);
  if (Sorted)
    std::stable_sort(Rows.begin(), Rows.end(), [](const auto& A, const auto& B) { return A.first < B.first; });
  Items()->BeginUpdate();
  Items()->Clear();
  for (const auto& [Text, S] : Rows) Items()->AddObject(Text, S);
  Items()->EndUpdate();
  CopyToMirror();
  FItemIndex = -1;
  const auto Found = std::find_if(Rows.begin(), Rows.end(), [Keep](const auto& R) { return R.second == Keep; });
  if (Keep && Found != Rows.end())
    SelectSeries(Keep);
  else if (!Rows.empty())
    SetSelected(0, true);
  if (OnOtherItemsChange) OnOtherItemsChange(this);
  if (OnRefresh) OnRefresh(this);
}

TChartSeries* TChartListBox::SeriesAt(int32_t Index) const {
  if (Index < 0 || Index >= Items()->Count()) return nullptr;
  return dynamic_cast<TChartSeries*>(Items()->Objects(Index));
}

TChartSeries* TChartListBox::SelectedSeries() const {
  return Items()->Count() == 0 ? nullptr : SeriesAt(GetItemIndex());
}

void TChartListBox::ClearSelection() {
  for (int32_t i = 0; i < Items()->Count(); ++i)
    if (GetSelected(i)) SetSelected(i, false);
}

void TChartListBox::SelectSeries(TChartSeries* Series) {
  for (int32_t i = 0; i < Items()->Count(); ++i)
    if (Items()->Objects(i) == Series) {
      SetItemIndex(i);
      SetSelected(i, true);
      return;
    }
}

void TChartListBox::ExchangeRows(int32_t A, int32_t B) {
  if (A == B || A < 0 || B < 0 || A >= Items()->Count() || B >= Items()->Count()) return;
  TChartSeries* SA = SeriesAt(A);
  TChartSeries* SB = SeriesAt(B);
  Items()->Exchange(A, B);
  if (OtherItems && A < OtherItems->Count() && B < OtherItems->Count()) OtherItems->Exchange(A, B);
  if (TCustomAxisPanel* C = FChart.Get(); C && SA && SB) {
    const int32_t IA = C->GetSeriesList().IndexOf(SA), IB = C->GetSeriesList().IndexOf(SB);
    if (IA >= 0 && IB >= 0) {
      // The chart's reorder event would refill the list: the rows already moved.
      C->RemoveListener(this);
      C->ExchangeSeries(IA, IB);
      C->AddListener(this);
    }
    if (OnChangeOrder) OnChangeOrder(this, SA, SB);
  }
}

void TChartListBox::MoveUp() {
  const int32_t I = GetItemIndex();
  if (I <= 0) return;
  ExchangeRows(I, I - 1);
  ClearSelection();
  SetItemIndex(I - 1);
  SetSelected(I - 1, true);
  TellEditor();
}

void TChartListBox::MoveDown() {
  const int32_t I = GetItemIndex();
  if (I < 0 || I >= Items()->Count() - 1) return;
  ExchangeRows(I, I + 1);
  ClearSelection();
  SetItemIndex(I + 1);
  SetSelected(I + 1, true);
  TellEditor();
}

void TChartListBox::AddSeries() {
  TCustomAxisPanel* C = FChart.Get();
  if (!C || !Chart::NewSeriesFromGalleryHook) return;
  TForm* Form = GetParentForm();
  TChartSeries* Made = Chart::NewSeriesFromGalleryHook(Form ? static_cast<TComponent*>(Form) : this, C, SelectedSeries());
  if (!Made) return;
  ClearSelection();
  SelectSeries(Made);
  if (OnRefresh) OnRefresh(this);
  TellEditor();
}

bool TChartListBox::DeleteSelectedSeries() {
  if (Items()->Count() == 0 || GetItemIndex() < 0) return false;
  if (MultiSelect && SelCount() == 0) SetSelected(GetItemIndex(), true);
  std::vector<TChartSeries*> Doomed;
  for (int32_t i = 0; i < Items()->Count(); ++i)
    if (GetSelected(i))
      if (TChartSeries* S = SeriesAt(i)) Doomed.push_back(S);
  if (Doomed.empty())
    if (TChartSeries* S = SelectedSeries()) Doomed.push_back(S);
  if (Doomed.empty()) return false;
  if (AskDelete) {
    const std::string Name =
        Doomed.size() > 1 ? std::string("(Selected Series)") : PlotEngine::SeriesTitleOrName(Doomed.front());
    if (!PlotPenDlg::ConfirmDelete(Name, this)) return false;
  }
  for (TChartSeries* S : Doomed) {
    // A series of no chart sends no removed event: its row goes here.
    DeleteRowOf(S);
    S->Free();
  }
  if (Items()->Count() > 0) {
    ClearSelection();
    SetItemIndex(0);
    SetSelected(0, true);
  } else {
    FItemIndex = -1;
  }
  if (OnRefresh) OnRefresh(this);
  TellEditor();
  return true;
}

void TChartListBox::DeleteRowOf(TChartSeries* Series) {
  for (int32_t i = Items()->Count() - 1; i >= 0; --i)
    if (Items()->Objects(i) == Series) {
      Items()->Delete(i);
      if (OtherItems && i < OtherItems->Count() && OtherItems->Objects(i) == Series) OtherItems->Delete(i);
    }
  if (Items()->Count() == 0) FItemIndex = -1;
  else if (FItemIndex >= Items()->Count()) FItemIndex = Items()->Count() - 1;
}

void TChartListBox::DuplicateSelected() {
  TChartSeries* S = SelectedSeries();
  if (!S) return;
  Chart::DuplicateSeries(S);
  TellEditor();
}

void TChartListBox::ChangeTypeOfSelected() {
  TCustomAxisPanel* C = FChart.Get();
  if (!C || !Chart::ChangeSeriesTypeHook || !SelectedSeries()) return;
  std::vector<TChartSeries*> Chosen;
  for (int32_t i = 0; i < Items()->Count(); ++i)
    if (GetSelected(i))
      if (TChartSeries* S = SeriesAt(i)) Chosen.push_back(S);
  if (Chosen.empty()) Chosen.push_back(SelectedSeries());
  std::vector<WeakRef<TChartSeries>> Rest(Chosen.begin() + 1, Chosen.end());
  TChartSeries* First = Chosen.front();
  TForm* Form = GetParentForm();
  const TClass NewClass = Chart::ChangeSeriesTypeHook(Form ? static_cast<TComponent*>(Form) : this, First);
  if (!NewClass) return;
  std::vector<TChartSeries*> Made{First};
  for (WeakRef<TChartSeries>& W : Rest)
    if (TChartSeries* S = W.Get()) Made.push_back(Chart::ConvertSeriesClass(S, NewClass));
  FillSeries(Made.front());
  ClearSelection();
  for (TChartSeries* S : Made) SelectSeries(S);
  if (OnRefresh) OnRefresh(this);
  TellEditor();
}

bool TChartListBox::RenameSelected() {
  TChartSeries* S = SelectedSeries();
  if (!S) return false;
  const int32_t Row = GetItemIndex();
  const std::string Before = Items()->Strings(Row);
  std::string Text = FNamesMode ? S->GetName() : PlotEngine::SeriesTitleOrName(S);
  if (!Dialogs::InputQuery("Change Series Title", "New Series Title:", Text) || Text.empty()) return false;
  if (FNamesMode) {
    S->SetName(Text);
    Items()->Put(Row, Text);
    S->Repaint();
  } else if (Text == S->GetName()) {
    S->SetTitle("");
  } else {
    S->SetTitle(Text);
  }
  if (!FNamesMode) Items()->Put(Row, RowText(S));
  SetSelected(Row, true);
  return Items()->Strings(Row) != Before;
}

void TChartListBox::SelectAll() {
  if (!MultiSelect) return;
  for (int32_t i = 0; i < Items()->Count(); ++i) SetSelected(i, true);
  TellEditor();
}

// ---------------------------------------------------------------- painting

void TChartListBox::DrawItem(int Index, const TRect& R, TOwnerDrawState State) {
  TCanvas& C = *GetCanvas();
  const bool Focus = Focused();
  const bool Selected = State.Contains(TOwnerDrawStateItem::odSelected) || (!Focus && Index == GetItemIndex());
  TColor Back = GetColor();
  if (Selected)
    Back = (!Focus && Index == GetItemIndex() && !State.Contains(TOwnerDrawStateItem::odSelected)) ? clBtnFace
                                                                                                    : clHighlight;
  else if (State.Contains(TOwnerDrawStateItem::odFocused))
    Back = clBtnFace;
  C.Brush->SetStyle(bsSolid);
  C.Brush->SetColor(Back);
  C.FillRect(R);
  C.Brush->SetColor(GetColor());
  C.FillRect(TRect(R.Left, R.Top, SectionLeft(secTitle) - 2, R.Bottom));
  TChartSeries* S = SeriesAt(Index);
  if (S) {
    if (GetShowSeriesIcon()) PlotLisB::DrawSeriesIcon(C, *S, SectionLeft(secIcon), R.Top);
    if (GetShowSeriesColor() && PlotLisB::UsesSeriesColor(S)) {
      TRect Box(SectionLeft(secColor) - 2, R.Top, SectionLeft(secColor) - 2 + SectionWidth(secColor), R.Bottom);
      Box = TRect(Box.Left + 4, Box.Top + 4, Box.Right - 4, Box.Bottom - 4);
      if (Box.Right > Box.Left && Box.Bottom > Box.Top) Chart::DrawSeriesSymbolOn(S, C, Box, ReferenceChart);
    }
    if (GetShowActiveCheck()) {
      const int32_t X = SectionLeft(secCheck) + 2, Y = R.Top + (ItemHeight - 13) / 2;
      PlotProcs::DrawCheckMark(X, Y, C, S->GetActive(), FCheckStyle == cbsCheck);
    }
  }
  if (GetShowSeriesTitle() && Index >= 0 && Index < Items()->Count()) {
    C.Font->SetColor(Selected && Back == clHighlight ? clHighlightText : GetFont()->GetColor());
    C.Brush->SetStyle(bsClear);
    C.TextOut(SectionLeft(secTitle) + 1, R.Top + (ItemHeight - C.TextHeight("W")) / 2, Items()->Strings(Index));
  }
}

// ---------------------------------------------------------------- mouse and keys

void TChartListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FInlineEditor && FInlineEditor->GetVisible()) InlineEditorKey(VkReturn);
  TOwnerDrawListBox::MouseDown(Button, Shift, X, Y);
  const bool AfterDbl = FAfterDblClick || Shift.Contains(TShiftStateItem::ssDouble);
  FAfterDblClick = false;
  if (GetItemIndex() < 0 && Items()->Count() == 0) return;
  const int32_t Row = ItemAtPos(TPoint(X, Y), true);
  const int32_t Section = SectionAt(X);
  if (Row >= 0 && Section == secCheck) {
    if (TChartSeries* S = SeriesAt(Row)) {
      if (FCheckStyle == cbsRadio) {
        for (int32_t i = 0; i < Items()->Count(); ++i)
          if (TChartSeries* O = SeriesAt(i)) O->SetActive(O == S);
      } else {
        S->SetActive(!S->GetActive());
      }
      if (!S->GetParentChart()) Invalidate();
      if (OnChangeActive) OnChangeActive(this, S);
    }
  } else if (Row >= 0 && Section == secTitle && EnableDragSeries && Button == TMouseButton::mbLeft &&
             !Shift.Contains(TShiftStateItem::ssShift) && !Shift.Contains(TShiftStateItem::ssCtrl) && !AfterDbl) {
    FDragRow = Row;
    FDragStart = TPoint(X, Y);
  }
  if (OnOtherItemsChange) OnOtherItemsChange(this);
}

void TChartListBox::MouseMove(TShiftState Shift, int X, int Y) {
  TOwnerDrawListBox::MouseMove(Shift, X, Y);
  SetCursor(CursorAt(X));
  if (FDragRow >= 0 && !FDragging &&
      (std::abs(X - FDragStart.X) >= DragThreshold || std::abs(Y - FDragStart.Y) >= DragThreshold))
    FDragging = true;
}

void TChartListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TOwnerDrawListBox::MouseUp(Button, Shift, X, Y);
  if (FDragging && EnableDragSeries) {
    const int32_t Row = ItemAtPos(TPoint(X, Y), true);
    if (Row >= 0 && Row != FDragRow) DropOnRow(Row);
  }
  FDragging = false;
  FDragRow = -1;
}

void TChartListBox::DropOnRow(int32_t Row) {
  ExchangeRows(FDragRow, Row);
  if (CanFocus()) SetFocus();
  ClearSelection();
  SetItemIndex(Row);
  SetSelected(Row, true);
  if (OnRefresh) OnRefresh(this);
  TellEditor();
}

void TChartListBox::DblClick() {
  TOwnerDrawListBox::DblClick();
  FAfterDblClick = true;
  const int32_t Row = GetItemIndex();
  TChartSeries* S = SeriesAt(Row);
  if (!S || !GetSelected(Row)) return;
  const TPoint P = ScreenToClient(Controls::MouseCursorPos());
  switch (SectionAt(P.X)) {
    case secIcon:
      if (EnableChangeType) ChangeTypeOfSelected();
      break;
    case secColor:
      if (EnableChangeColor && PlotLisB::UsesSeriesColor(S)) {
        TColor Colour = S->GetSeriesColor();
        if (PlotCanvas::EditColorVar(this, Colour)) {
          S->SetSeriesColor(Colour);
          S->SetColorEachPoint(false);
          if (OnChangeColor) OnChangeColor(this, S);
        }
      }
      break;
    case secTitle:
      if (OnDblClickSeries) OnDblClickSeries(this, Row);
      break;
    default:
      break;
  }
}

void TChartListBox::KeyUp(uint16_t& Key, TShiftState Shift) {
  TOwnerDrawListBox::KeyUp(Key, Shift);
  if (Key == VkInsert && AllowAddSeries)
    AddSeries();
  else if (Key == VkDelete && AllowDeleteSeries)
    DeleteSelectedSeries();
  else if (Key == VkF2 && SelectedSeries())
    ShowInlineEditor();
}

void TChartListBox::ShowInlineEditor() {
  TChartSeries* S = SelectedSeries();
  if (!S) return;
  if (!FInlineEditor) {
    FInlineEditor = Create<TEdit>(this);
    FInlineEditor->FreeNotification(this);
    FInlineEditor->SetParent(this);
    FInlineEditor->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState) {
      if (Key == VkReturn || Key == VkEscape || Key == VkUp || Key == VkDown || Key == VkF2) {
        InlineEditorKey(Key);
        Key = 0;
      }
    };
    FInlineEditor->OnKeyPress = [](TObject*, char16_t& Ch) {
      if (Ch == '\r' || Ch == 27) Ch = 0;  // swallowed: the form's buttons never see them
    };
  }
  const TRect R = ItemRect(GetItemIndex());
  FInlineEditor->SetBounds(SectionLeft(secTitle) - 2, R.Top, SectionWidth(secTitle), ItemHeight + 1);
  FInlineEditor->SetText(PlotEngine::SeriesTitleOrName(S));
  FInlineEditor->Show();
  if (FInlineEditor->CanFocus()) FInlineEditor->SetFocus();
}

void TChartListBox::InlineEditorKey(uint16_t Key) {
  if (!FInlineEditor || !FInlineEditor->GetVisible()) return;
  if (Key != VkEscape) StoreInlineText();
  HideInlineEditor();
}

void TChartListBox::StoreInlineText() {
  const int32_t Row = GetItemIndex();
  if (TChartSeries* S = SeriesAt(Row)) {
    S->SetTitle(FInlineEditor->GetText());
    Items()->Put(Row, RowText(S));
  }
}

void TChartListBox::HideInlineEditor() {
  FInlineEditor->Hide();
  if (CanFocus()) SetFocus();
  Invalidate();
}

// ---------------------------------------------------------------- chart events

void TChartListBox::PlotEvent(TPlotEvent& Event) {
  if (Destroying()) return;
  if (auto* E = dynamic_cast<TPlotSeriesEvent*>(&Event)) {
    switch (E->Event) {
      case 0:
      case 4:
        FillSeries(SelectedSeries());
        break;
      case 1:
        DeleteRowOf(E->Series);
        if (OnRemovedSeries) OnRemovedSeries(this, E->Series);
        break;
      case 2:
        for (int32_t i = 0; i < Items()->Count(); ++i)
          if (Items()->Objects(i) == E->Series) {
            Items()->Put(i, RowText(E->Series));
            if (OtherItems && i < OtherItems->Count()) OtherItems->Put(i, Items()->Strings(i));
          }
        break;
      default:
        Invalidate();
        break;
    }
  } else if (dynamic_cast<TPlotView3DEvent*>(&Event)) {
    Invalidate();
  }
}
