// The common part of the series editor forms.
#include "chart/editors/PlotSeriesFormBase.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "chart/editors/PlotEdiSeri.h"
#include "chart/engine/PlotEngine_Series.h"
#include "platform/rtl/SysUtils.h"

KV_CLASS_IMPL(TSeriesFormBase, TEditorPage) {}

TSeriesFormBase::TSeriesFormBase(TComponent* Owner) : TEditorPage(Owner) {
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetAlign(TAlign::alClient);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnRowChanged = [this](TEditorPage&, int32_t Row) { DispatchRow(Row); };
}

void TSeriesFormBase::BeforeDestruction() {
  for (WeakRef<TForm>* Slot : FEmbedded) {
    TForm* F = Slot->Get();
    if (!F || F->ComponentState.Contains(TComponentStateItem::csDestroying)) continue;
    auto* Sheet = dynamic_cast<TTabSheet*>(F->GetParent());
    F->Free();
    if (Sheet && !Sheet->ComponentState.Contains(TComponentStateItem::csDestroying)) Sheet->Free();
  }
  FEmbedded.clear();
  TEditorPage::BeforeDestruction();
}

void TSeriesFormBase::FormShow(TObject*) {
  auto* Series = dynamic_cast<TChartSeries*>(Edited());
  if (!Series) return;
  FSeries = Series;
  FFilling = true;
  LoadControls();
  BeginLoading();
  struct TGuard {
    TSeriesFormBase& Form;
    ~TGuard() {
      Form.EndLoading();
      Form.FFilling = false;
    }
  } Guard{*this};
  LoadBoundRows();
  for (const TTextBinding& T : FTexts) T.Edit->SetText(T.Get(Series));
  FillForm();
}

int32_t TSeriesFormBase::AddBoundRow(TEditorRow Row, TRowAccess Access) {
  Row.Path.clear();
  const int32_t Index = AddRow(Row);
  FBound.emplace_back(Index, std::move(Access));
  return Index;
}

TEditorRow TSeriesFormBase::PartRow(TEditorRowKind Kind, const std::string& Caption,
                                    std::function<TObject*(TObject*)> Getter) {
  TEditorRow R = EditorRows::Make(Kind, Caption, "");
  R.Getter = std::move(Getter);
  return R;
}

namespace {
int64_t AsInteger(const TPropValue& V) {
  if (const auto* I = std::get_if<int64_t>(&V)) return *I;
  if (const auto* B = std::get_if<bool>(&V)) return *B ? 1 : 0;
  if (const auto* D = std::get_if<double>(&V))
    return std::isnan(*D) ? 0 : static_cast<int64_t>(std::nearbyint(std::clamp(*D, -2147483648.0, 2147483647.0)));
  return 0;
}
}  // namespace

void TSeriesFormBase::LoadBoundRows() {
  TObject* Object = Edited();
  if (!Object) return;
  BeginLoading();
  struct TGuard {
    TSeriesFormBase& Form;
    ~TGuard() { Form.EndLoading(); }
  } Guard{*this};
  for (const auto& [Index, Access] : FBound) {
    TEditorRow& R = Row(Index);
    const TPropValue V = Access.Get(Object);
    if (std::holds_alternative<std::monostate>(V)) continue;
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
      default:
        break;
    }
  }
}

void TSeriesFormBase::DispatchRow(int32_t Index) {
  TObject* Object = Edited();
  if (Object && !Filling())
    for (const auto& [Bound, Access] : FBound) {
      if (Bound != Index) continue;
      TEditorRow& R = Row(Index);
      switch (R.Kind) {
        case TEditorRowKind::erCheck:
          Access.Set(Object, static_cast<TCheckBox*>(R.Control)->GetChecked());
          break;
        case TEditorRowKind::erUpDown:
          Access.Set(Object, static_cast<int64_t>(R.UpDown->GetPosition()));
          break;
        case TEditorRowKind::erRealEdit: {
          // A partly typed number waits for the next key.
          double D = 0;
          if (SysUtils::TryStrToFloat(SysUtils::Trim(static_cast<TEdit*>(R.Control)->GetText()), D) &&
              std::isfinite(D))
            Access.Set(Object, D);
          break;
        }
        case TEditorRowKind::erCombo:
        case TEditorRowKind::erRadio: {
          const int32_t Item = R.Kind == TEditorRowKind::erCombo
                                   ? static_cast<TComboFlat*>(R.Control)->GetItemIndex()
                                   : static_cast<TRadioGroup*>(R.Control)->GetItemIndex();
          if (Item >= 0 && Item < static_cast<int32_t>(R.Items.size()))
            Access.Set(Object, static_cast<int64_t>(R.Items[static_cast<size_t>(Item)].second));
          break;
        }
        default:
          break;
      }
    }
  if (!Filling()) RowRule(Index);
}

TForm* TSeriesFormBase::EmbedOnce(WeakRef<TForm>& Slot, TClass FormClass, TObject* Edited,
                                  const std::string& Caption, int32_t PageIndex) {
  return EmbedOnce(Slot, [&] { return PlotEdiSeri::InsertSeriesEditorTab(this, FormClass, Edited, Caption, PageIndex); });
}

TForm* TSeriesFormBase::EmbedOnce(WeakRef<TForm>& Slot, const std::function<TForm*()>& Make) {
  if (TForm* F = Slot.Get()) return F;
  TForm* F = Make();
  Slot = F;
  if (std::find(FEmbedded.begin(), FEmbedded.end(), &Slot) == FEmbedded.end()) FEmbedded.push_back(&Slot);
  return F;
}

void TSeriesFormBase::BindText(TEdit* Edit, std::function<std::string(const TObject*)> Get,
                               std::function<void(TObject*, const std::string&)> Set) {
  FTexts.push_back({Edit, std::move(Get)});
  Edit->OnChange = [this, Edit, Set = std::move(Set)](TObject*) {
    if (TObject* Object = Edited(); Object && !Filling()) Set(Object, Edit->GetText());
  };
}

TTabSheet* TSeriesFormBase::AddSheet(TPageControl* Pages, const char* Name, const char* Caption) {
  auto* S = Create<TTabSheet>(this);
  S->SetName(Name);
  S->SetCaption(Caption);
  S->SetPageControl(Pages);
  return S;
}
