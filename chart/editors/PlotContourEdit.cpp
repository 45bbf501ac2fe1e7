// The contour series format page.
#include "chart/editors/PlotContourEdit.h"

#include <algorithm>

#include "chart/editors/EditorRows.h"
#include "chart/editors/PlotGriEd.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Shapes.h"

using EditorRows::Make;
using EditorRows::Place;
using PlotPenDlg::PlaceControl;

KV_CLASS_IMPL(TContourSeriesEditor, TSeriesFormBase) {}

namespace {
constexpr int32_t PositionLimit = 30000;
constexpr int32_t MaxLevelsShown = 150;
// The level up-down's maximum until the form is shown.
constexpr int32_t InitialLevelMax = 10;
}  // namespace

TContourSeriesEditor::TContourSeriesEditor(TComponent* Owner) : TSeriesFormBase(Owner) {
  SetName("ContourSeriesEditor");
  Button2 = Place<TButtonPen>(this, AddRow(Make(TEditorRowKind::erPen, "&Pen...", "Pen")), this, "Button2", 8, 8, 100,
                              25);
  FRowYPosLevel = AddRow(Make(TEditorRowKind::erCheck, "Levels p&osition", "YPositionLevel"));
  CBYPosLevel = Place<TCheckBox>(this, FRowYPosLevel, this, "CBYPosLevel", 8, 42, 130, 17);
  EditorRows::PlaceUpDown(this,
                          AddRow(Make(TEditorRowKind::erUpDown, "&Vertical Position:", "YPosition", -PositionLimit,
                                      PositionLimit)),
                          this, "SEYPos", "UDYPos", "Label1", 8, 100, 70, 46, SEYPos, UDYPos, Label1);
  FRowSmooth = AddRow(Make(TEditorRowKind::erCheck, "&Smooth", "Smoothing.Active"));
  CBSmooth = Place<TCheckBox>(this, FRowSmooth, this, "CBSmooth", 8, 112, 100, 17);
  CBInterpolate = Place<TCheckBox>(this, AddRow(Make(TEditorRowKind::erCheck, "&Interpolate", "Smoothing.Interpolate")),
                                   this, "CBInterpolate", 24, 134, 100, 17);
  CBInterpolate->SetEnabled(false);

  GroupBox1 = PlaceControl<TGroupBox>(this, "GroupBox1", 150, 2, 154, 86);
  GroupBox1->SetCaption("Levels:");
  FRowAuto = AddRow(Make(TEditorRowKind::erCheck, "&Automatic", "AutomaticLevels"));
  CBAutoLevels = Place<TCheckBox>(this, FRowAuto, GroupBox1, "CBAutoLevels", 8, 16, 100, 17);
  FRowNum = AddRow(Make(TEditorRowKind::erUpDown, "&Number:", "NumLevels", 1, MaxLevelsShown));
  EditorRows::PlaceUpDown(this, FRowNum, GroupBox1, "SENum", "UDNum", "Label2", 8, 70, 36, 50, SENum, UDNum, Label2);
  FRowColorEach = AddRow(Make(TEditorRowKind::erCheck, "&Color Each", "ColorEachPoint"));
  CBColorEach = Place<TCheckBox>(this, FRowColorEach, GroupBox1, "CBColorEach", 8, 62, 100, 17);

  GroupBox2 = PlaceControl<TGroupBox>(this, "GroupBox2", 150, 92, 154, 104);
  GroupBox2->SetCaption("");
  Label3 = PlaceControl<TLabel>(this, GroupBox2, "Label3", 8, 16, 40, 13);
  Label3->SetCaption("&Level:");
  ELevel = PlaceControl<TEdit>(this, GroupBox2, "ELevel", 52, 12, 46, 21);
  ELevel->SetText("0");
  UDLevel = PlaceControl<TUpDown>(this, GroupBox2, "UDLevel", 98, 12, 15, 21);
  UDLevel->SetMin(0);
  UDLevel->SetMax(InitialLevelMax);
  UDLevel->SetAssociate(ELevel);
  Label3->FocusControl = ELevel;
  SHColor = PlaceControl<TShape>(this, GroupBox2, "SHColor", 116, 12, 24, 21);
  Label4 = PlaceControl<TLabel>(this, GroupBox2, "Label4", 8, 44, 40, 13);
  Label4->SetCaption("Value:");
  EValue = PlaceControl<TEdit>(this, GroupBox2, "EValue", 52, 40, 88, 21);
  Label4->FocusControl = EValue;
  bLevelPen = PlaceControl<TButtonPen>(this, GroupBox2, "bLevelPen", 8, 70, 75, 25);
  bLevelPen->SetCaption("P&en...");
  cbDefaultPen = PlaceControl<TCheckBox>(this, GroupBox2, "cbDefaultPen", 88, 74, 60, 17);
  cbDefaultPen->SetCaption("&Default");
  SetClientWidth(308);
  SetClientHeight(202);

  SHColor->OnMouseUp = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
    SHColorMouseUp(S, B, Sh, X, Y);
  };
  ELevel->OnChange = [this](TObject* S) { ELevelChange(S); };
  EValue->OnChange = [this](TObject* S) { EValueChange(S); };
  bLevelPen->OnClick = [this](TObject* S) { bLevelPenClick(S); };
  cbDefaultPen->OnClick = [this](TObject* S) { cbDefaultPenClick(S); };
}

TContourSeries* TContourSeriesEditor::Contour() const { return SeriesAs<TContourSeries>(); }

int32_t TContourSeriesEditor::LevelCount() const {
  TContourSeries* S = Contour();
  return S ? std::min(S->GetNumLevels(), S->Levels()->Count()) : 0;
}

TContourLevel* TContourSeriesEditor::CurrentLevel() const {
  const int32_t I = UDLevel->GetPosition();
  return I >= 0 && I < LevelCount() ? Contour()->Levels()->GetItem(I) : nullptr;
}

TColor TContourSeriesEditor::ShownColor(int32_t Index) const {
  TContourSeries* S = Contour();
  const TColor C = S->Levels()->GetItem(Index)->GetColor();
  if (C != clDefault) return C;
  return S->GetParentChart() ? S->GetParentChart()->GetDefaultColor(Index) : TColor(0xFFFFFF);
}

void TContourSeriesEditor::FillForm() {
  TContourSeries* S = Contour();
  if (S) {
    AutomaticRule();
    PositionRule();
    SmoothRule();
    LevelRangeRule();
    RefreshLevel();
  }
  EmbedOnce("Grid 3D", [this, S] { return PlotGriEd::InsertGrid3DEditor(this, S); });
}

void TContourSeriesEditor::RefreshLevel() {
  if (!Contour()) return;
  Quietly([this] {
    TContourLevel* L = CurrentLevel();
    for (TControl* C : std::initializer_list<TControl*>{ELevel, UDLevel, EValue, bLevelPen, cbDefaultPen, SHColor})
      C->SetEnabled(L != nullptr);
    if (!L) {
      bLevelPen->BindPen(nullptr);
      return;
    }
    SHColor->Brush()->SetColor(ShownColor(UDLevel->GetPosition()));
    SHColor->Invalidate();
    EValue->SetText(SysUtils::FormatFloat("0.###", L->GetUpToValue()));
    cbDefaultPen->SetChecked(L->DefaultPen());
    bLevelPen->SetEnabled(!cbDefaultPen->GetChecked());
    bLevelPen->BindPen(bLevelPen->GetEnabled() ? L->GetPen() : nullptr);
  });
}

void TContourSeriesEditor::RebuildLevels() {
  if (TContourSeries* S = Contour()) S->BuildAutomaticLevels();
}

void TContourSeriesEditor::AutomaticRule() {
  TContourSeries* S = Contour();
  if (!S) return;
  Quietly([&] { CBAutoLevels->SetChecked(S->GetAutomaticLevels()); });
  for (TControl* C : std::initializer_list<TControl*>{SENum, UDNum, CBColorEach})
    C->SetEnabled(S->GetAutomaticLevels());
}

void TContourSeriesEditor::LevelRangeRule() {
  TContourSeries* S = Contour();
  if (!S) return;
  Quietly([&] {
    // The index typed last, kept within the new range.
    const int32_t Index = UDLevel->GetPosition();
    UDLevel->SetMax(std::max(0, S->GetNumLevels() - 1));
    UDLevel->SetPosition(Index);
    ELevel->SetText(std::to_string(UDLevel->GetPosition()));
  });
}

void TContourSeriesEditor::PositionRule() {
  SEYPos->SetEnabled(!CBYPosLevel->GetChecked());
  UDYPos->SetEnabled(SEYPos->GetEnabled());
}

void TContourSeriesEditor::SmoothRule() { CBInterpolate->SetEnabled(CBSmooth->GetChecked()); }

void TContourSeriesEditor::RowRule(int32_t Row) {
  if (Row == FRowYPosLevel) {
    PositionRule();
  } else if (Row == FRowSmooth) {
    SmoothRule();
  } else if (Row == FRowAuto || Row == FRowNum || Row == FRowColorEach) {
    RebuildLevels();
    AutomaticRule();
    LevelRangeRule();
    RefreshLevel();
  }
}

void TContourSeriesEditor::ELevelChange(TObject*) {
  if (Filling() || LevelCount() == 0) return;
  RefreshLevel();
}

void TContourSeriesEditor::SHColorMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  TContourLevel* L = CurrentLevel();
  if (Filling() || !SHColor->GetEnabled() || !L) return;
  TColor C = SHColor->Brush()->GetColor();
  if (PlotCanvas::EditColorVar(this, C)) {
    SHColor->Brush()->SetColor(C);
    SHColor->Invalidate();
    // The level's own pen, when it has one, takes the colour with it.
    L->SetColor(C);
    bLevelPen->Invalidate();
  }
  AutomaticRule();
}

void TContourSeriesEditor::EValueChange(TObject*) {
  TContourLevel* L = CurrentLevel();
  if (Filling() || !EValue->GetEnabled() || !L) return;
  // Text on its way to a number ("-", "1e") is no value yet.
  double Value = 0;
  if (!PlotSeriesFormBase::ReadReal(EValue->GetText(), Value)) return;
  L->SetUpToValue(Value);
  AutomaticRule();
}

void TContourSeriesEditor::bLevelPenClick(TObject*) {
  TContourLevel* L = CurrentLevel();
  if (Filling() || !L) return;
  Quietly([&] { cbDefaultPen->SetChecked(L->DefaultPen()); });
  if (!L->DefaultPen()) {
    L->SetColor(L->GetPen()->GetColor());
    SHColor->Brush()->SetColor(ShownColor(UDLevel->GetPosition()));
    SHColor->Invalidate();
  }
  AutomaticRule();
}

void TContourSeriesEditor::cbDefaultPenClick(TObject*) {
  TContourLevel* L = CurrentLevel();
  if (Filling() || !L) return;
  if (cbDefaultPen->GetChecked()) {
    L->SetPen(nullptr);
    bLevelPen->BindPen(nullptr);
  } else {
    bLevelPen->BindPen(L->GetPen());
  }
  bLevelPen->SetEnabled(!cbDefaultPen->GetChecked());
}
