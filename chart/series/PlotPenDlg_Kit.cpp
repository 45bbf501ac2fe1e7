// The editor kit: pages of rows that bind controls to properties of one object.
#include <algorithm>
#include <climits>
#include <cmath>

#include "chart/engine/PlotEngine_Series.h"
#include "chart/series/PlotBrushDlg.h"
#include "chart/series/PlotEdiFont.h"
#include "chart/series/PlotEdiGrad.h"
#include "chart/series/PlotPenDlg.h"
#include "chart/series/PlotShadowEditor.h"
#include "platform/rtl/ClassInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/WeakRef.h"

namespace PlotPenDlg {

bool ResolvePath(TObject* Root, const std::string& Path, TObject*& Holder, const TPropInfo*& Property) {
  Holder = Root;
  Property = nullptr;
  if (!Root) return false;
  size_t Start = 0;
  while (true) {
    const size_t Dot = Path.find('.', Start);
    const std::string Name = Path.substr(Start, Dot == std::string::npos ? std::string::npos : Dot - Start);
    const TPropInfo* P = Holder->ClassType()->FindProperty(Name);
    if (!P) return false;
    if (Dot == std::string::npos) {
      Property = P;
      return true;
    }
    const TPropValue V = P->Get(Holder);
    const auto* O = std::get_if<TObject*>(&V);
    if (!O || !*O) return false;
    Holder = *O;
    Start = Dot + 1;
  }
}

namespace {
void SnapshotInto(const TObject* Object, const std::string& Prefix, int Depth,
                  std::map<std::string, std::string>& Out) {
  if (!Object || Depth > 6) return;
  for (const TPropInfo* P : Object->ClassType()->Properties()) {
    const std::string Name = Prefix + P->Name;
    if (P->Kind == TPropKind::pkClass) {
      const TPropValue V = P->Get(Object);
      if (const auto* O = std::get_if<TObject*>(&V)) SnapshotInto(*O, Name + ".", Depth + 1, Out);
      continue;
    }
    try {
      Out[Name] = P->GetText(Object);
    } catch (const std::exception& E) {
      Out[Name] = std::string("<") + E.what() + ">";
    }
  }
}
}  // namespace

std::map<std::string, std::string> Snapshot(const TObject* Object) {
  std::map<std::string, std::string> Out;
  SnapshotInto(Object, "", 0, Out);
  return Out;
}

}  // namespace PlotPenDlg

// ============================================================================
// Editor page
// ============================================================================

KV_CLASS_IMPL(TEditorPage, TForm) {}

TEditorPage::TEditorPage(TComponent* Owner) : TForm(Owner) {
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetClientWidth(260);
  SetClientHeight(40);
  OnShow = [this](TObject*) { LoadControls(); };
}

void TEditorPage::SetEdited(TObject* Object) {
  Tag = reinterpret_cast<intptr_t>(Object);
  LoadControls();
}

namespace {
// The object a row edits as a whole (pens, brushes, ...): its getter's, or
// the object its path names.
TObject* RowObject(const TEditorRow& Row, TObject* Edited) {
  if (!Edited) return nullptr;
  if (Row.Getter) return Row.Getter(Edited);
  TObject* Holder = nullptr;
  const TPropInfo* P = nullptr;
  if (!PlotPenDlg::ResolvePath(Edited, Row.Path, Holder, P)) return nullptr;
  const TPropValue V = P->Get(Holder);
  const auto* O = std::get_if<TObject*>(&V);
  return O ? *O : nullptr;
}

// The colour a colour row shows when the property's own value is not it: a
// series whose colour is left to its chart holds none of its own (so that
// files store none), and is drawn in the colour the chart gave it.
std::function<TColor()> ShownColor(TObject* Holder, const TPropInfo& Property) {
  auto* Series = dynamic_cast<TChartSeries*>(Holder);
  if (!Series || Property.Name != "SeriesColor") return nullptr;
  return [Ref = WeakRef<TChartSeries>(Series)] {
    const TChartSeries* S = Ref.Get();
    return S ? ColorToRGB(S->GetSeriesColor()) : clNone;
  };
}

int64_t AsInteger(const TPropValue& V) {
  if (const auto* I = std::get_if<int64_t>(&V)) return *I;
  if (const auto* B = std::get_if<bool>(&V)) return *B ? 1 : 0;
  // Rounded halves to even; NaN and values beyond any control's range are clamped first.
  if (const auto* D = std::get_if<double>(&V))
    return std::isnan(*D) ? 0 : static_cast<int64_t>(std::nearbyint(std::clamp(*D, -2147483648.0, 2147483647.0)));
  return 0;
}
}  // namespace

int32_t TEditorPage::AddRow(const TEditorRow& Source) {
  FRows.push_back(Source);
  const int32_t Index = static_cast<int32_t>(FRows.size()) - 1;
  TEditorRow& R = FRows.back();
  const int32_t Top = FNextTop;
  int32_t Height = 25;
  auto Caption = [&](int32_t Width) {
    auto* L = Create<TLabel>(this);
    L->SetParent(this);
    L->SetBounds(8, Top + 4, Width, 13);
    L->SetCaption(R.Caption);
    R.Label = L;
    return L;
  };
  auto Changed = [this, Index](TObject*) { RowChanged(Index); };
  // A button of a row that opens a colour, pen or gradient editor.
  auto AddStyleButton = [&](auto* B) {
    B->SetParent(this);
    B->SetBounds(8, Top, 100, 25);
    B->SetCaption(R.Caption);
    B->OnClick = Changed;
    R.Control = B;
  };
  switch (R.Kind) {
    case TEditorRowKind::erCheck: {
      auto* C = Create<TCheckBox>(this);
      C->SetParent(this);
      C->SetBounds(8, Top, 200, 17);
      C->SetCaption(R.Caption);
      C->OnClick = Changed;
      R.Control = C;
      break;
    }
    case TEditorRowKind::erUpDown: {
      Caption(96);
      auto* E = Create<TEdit>(this);
      E->SetParent(this);
      E->SetBounds(110, Top, 50, 21);
      auto* U = Create<TUpDown>(this);
      U->SetParent(this);
      U->SetMin(R.Min);
      U->SetMax(R.Max);
      U->SetIncrement(R.Step);
      U->SetAssociate(E);
      E->OnChange = Changed;
      R.Control = E;
      R.UpDown = U;
      break;
    }
    case TEditorRowKind::erRealEdit: {
      Caption(96);
      auto* E = Create<TEdit>(this);
      E->SetParent(this);
      E->SetBounds(110, Top, 80, 21);
      E->OnChange = Changed;
      R.Control = E;
      break;
    }
    case TEditorRowKind::erCombo: {
      Caption(96);
      TComboFlat* C = R.OwnerDraw ? Create<TPenStyleCombo>(this) : Create<TComboFlat>(this);
      C->SetParent(this);
      C->SetBounds(110, Top, 120, 21);
      for (const auto& Item : R.Items) C->Items()->Add(Item.first);
      C->OnChange = Changed;
      R.Control = C;
      break;
    }
    case TEditorRowKind::erRadio: {
      auto* G = Create<TRadioGroup>(this);
      G->SetParent(this);
      Height = 20 + 18 * static_cast<int32_t>(R.Items.size());
      G->SetBounds(8, Top, 220, Height);
      G->SetCaption(R.Caption);
      for (const auto& Item : R.Items) G->Items()->Add(Item.first);
      G->OnClick = Changed;
      R.Control = G;
      break;
    }
    case TEditorRowKind::erTrackBar:
    case TEditorRowKind::erScrollBar: {
      Caption(96);
      if (R.Kind == TEditorRowKind::erTrackBar) {
        auto* T = Create<TTrackBar>(this);
        T->SetParent(this);
        T->SetBounds(110, Top, 130, 25);
        T->SetMin(R.Min);
        T->SetMax(R.Max);
        T->OnChange = Changed;
        R.Control = T;
      } else {
        auto* S = Create<TScrollBar>(this);
        S->SetParent(this);
        S->SetBounds(110, Top, 130, 17);
        S->SetParams(R.Min, R.Min, R.Max);
        S->OnChange = Changed;
        R.Control = S;
      }
      break;
    }
    case TEditorRowKind::erColor:
      AddStyleButton(Create<TButtonColor>(this));
      break;
    case TEditorRowKind::erPen:
      AddStyleButton(Create<TButtonPen>(this));
      break;
    case TEditorRowKind::erGradient:
      AddStyleButton(Create<TButtonGradient>(this));
      break;
    case TEditorRowKind::erBrush:
    case TEditorRowKind::erFont:
    case TEditorRowKind::erShadow: {
      auto* B = Create<TButton>(this);
      B->SetParent(this);
      B->SetBounds(8, Top, 100, 25);
      B->SetCaption(R.Caption);
      B->OnClick = [this, Index](TObject*) {
        TEditorRow& Row = FRows[static_cast<size_t>(Index)];
        TObject* O = RowObject(Row, Edited());
        bool Edited = false;
        if (auto* Br = dynamic_cast<TChartBrush*>(O); Br && Row.Kind == TEditorRowKind::erBrush)
          Edited = PlotBrushDlg::EditBrushModal(this, Br);
        else if (auto* F = dynamic_cast<TPlotFont*>(O); F && Row.Kind == TEditorRowKind::erFont)
        {
          PlotEdiFont::ShowFontEditor(this, F);
          Edited = true;
        }
        else if (auto* S = dynamic_cast<TPlotShadow*>(O); S && Row.Kind == TEditorRowKind::erShadow) {
          PlotShadowEditor::EditShadowModal(this, S);
          Edited = true;
        }
        if (Edited && OnRowChanged) OnRowChanged(*this, Index);
      };
      R.Control = B;
      break;
    }
  }
  FNextTop += Height + 6;
  SetClientHeight(FNextTop + 4);
  return Index;
}

void TEditorPage::LoadRow(int32_t Index) {
  TEditorRow& R = FRows[static_cast<size_t>(Index)];
  TObject* Obj = Edited();
  switch (R.Kind) {
    case TEditorRowKind::erPen:
      static_cast<TButtonPen*>(R.Control)->BindPen(dynamic_cast<TChartPen*>(RowObject(R, Obj)));
      return;
    case TEditorRowKind::erGradient:
      static_cast<TButtonGradient*>(R.Control)->BindGradient(dynamic_cast<TPlotGradient*>(RowObject(R, Obj)));
      return;
    case TEditorRowKind::erBrush:
    case TEditorRowKind::erFont:
    case TEditorRowKind::erShadow:
      return;
    default:
      break;
  }
  TObject* Holder = nullptr;
  const TPropInfo* P = nullptr;
  if (!PlotPenDlg::ResolvePath(Obj, R.Path, Holder, P)) return;
  if (R.Kind == TEditorRowKind::erColor) {
    auto* Button = static_cast<TButtonColor*>(R.Control);
    Button->LinkProperty(Holder, P->Name);
    Button->GetColorProc = ShownColor(Holder, *P);
    return;
  }
  const TPropValue V = P->Get(Holder);
  switch (R.Kind) {
    case TEditorRowKind::erCheck:
      static_cast<TCheckBox*>(R.Control)->SetChecked(AsInteger(V) != 0);
      break;
    case TEditorRowKind::erUpDown:
      R.UpDown->SetPosition(static_cast<int32_t>(std::clamp<int64_t>(AsInteger(V), INT32_MIN, INT32_MAX)));
      break;
    case TEditorRowKind::erRealEdit:
      if (const auto* D = std::get_if<double>(&V)) static_cast<TEdit*>(R.Control)->SetText(SysUtils::FloatToStr(*D));
      break;
    case TEditorRowKind::erCombo:
    case TEditorRowKind::erRadio: {
      int32_t Item = -1;
      for (size_t i = 0; i < R.Items.size(); ++i)
        if (R.Items[i].second == AsInteger(V)) Item = static_cast<int32_t>(i);
      if (R.Kind == TEditorRowKind::erCombo)
        static_cast<TComboFlat*>(R.Control)->SetItemIndex(Item);
      else
        static_cast<TRadioGroup*>(R.Control)->SetItemIndex(Item);
      break;
    }
    case TEditorRowKind::erTrackBar:
      static_cast<TTrackBar*>(R.Control)->SetPosition(static_cast<int32_t>(AsInteger(V)));
      break;
    case TEditorRowKind::erScrollBar:
      static_cast<TScrollBar*>(R.Control)->SetPosition(static_cast<int32_t>(AsInteger(V)));
      break;
    default:
      break;
  }
}

void TEditorPage::LoadControls() {
  ++FLoading;
  struct TGuard {
    int32_t& N;
    ~TGuard() { --N; }
  } Guard{FLoading};
  for (int32_t i = 0; i < RowCount(); ++i) LoadRow(i);
}

void TEditorPage::WriteRow(int32_t Index) {
  TEditorRow& R = FRows[static_cast<size_t>(Index)];
  TObject* Holder = nullptr;
  const TPropInfo* P = nullptr;
  if (R.Path.empty() || !PlotPenDlg::ResolvePath(Edited(), R.Path, Holder, P) || P->IsReadOnly()) return;
  switch (R.Kind) {
    case TEditorRowKind::erCheck:
      P->Set(Holder, static_cast<TCheckBox*>(R.Control)->GetChecked());
      break;
    case TEditorRowKind::erUpDown:
      P->Set(Holder, static_cast<int64_t>(R.UpDown->GetPosition()));
      break;
    case TEditorRowKind::erRealEdit: {
      double D = 0;
      if (SysUtils::TryStrToFloat(static_cast<TEdit*>(R.Control)->GetText(), D)) P->Set(Holder, D);
      break;
    }
    case TEditorRowKind::erCombo:
    case TEditorRowKind::erRadio: {
      const int32_t Item = R.Kind == TEditorRowKind::erCombo ? static_cast<TComboFlat*>(R.Control)->GetItemIndex()
                                                             : static_cast<TRadioGroup*>(R.Control)->GetItemIndex();
      if (Item >= 0 && Item < static_cast<int32_t>(R.Items.size()))
        P->Set(Holder, static_cast<int64_t>(R.Items[static_cast<size_t>(Item)].second));
      break;
    }
    case TEditorRowKind::erTrackBar:
      P->Set(Holder, static_cast<int64_t>(static_cast<TTrackBar*>(R.Control)->GetPosition()));
      break;
    case TEditorRowKind::erScrollBar:
      P->Set(Holder, static_cast<int64_t>(static_cast<TScrollBar*>(R.Control)->GetPosition()));
      break;
    default:
      break;  // the buttons edit their objects themselves
  }
}

void TEditorPage::RowChanged(int32_t Index) {
  if (FLoading > 0 || !Edited()) return;
  WriteRow(Index);
  if (OnRowChanged) OnRowChanged(*this, Index);
}

void TEditorPage::EnableRows(bool Value) {
  for (TEditorRow& R : FRows) {
    if (R.Control) R.Control->SetEnabled(Value);
    if (R.UpDown) R.UpDown->SetEnabled(Value);
  }
}

int32_t TEditorPage::RowOf(const TControl* Control) const {
  for (size_t i = 0; i < FRows.size(); ++i)
    if (FRows[i].Control == Control) return static_cast<int32_t>(i);
  return -1;
}
