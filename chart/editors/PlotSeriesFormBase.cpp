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
  for (auto& [Caption, Form] : FEmbedded) {
    TForm* F = Form.Get();
    if (!F || F->ComponentState.Contains(TComponentStateItem::csDestroying)) continue;
    auto* Sheet = dynamic_cast<TTabSheet*>(F->GetParent());
    F->Free();
    if (Sheet && !Sheet->ComponentState.Contains(TComponentStateItem::csDestroying)) Sheet->Free();
  }
  FEmbedded.clear();
  TEditorPage::BeforeDestruction();
}

void TSeriesFormBase::FormShow(TObject*) {
  if (GetParent()) SetAlign(TAlign::alClient);
  auto* Series = dynamic_cast<TChartSeries*>(Edited());
  if (!Series) return;
  FSeries = Series;
  FFilling = true;
  struct TEnd {
    bool& Filling;
    ~TEnd() { Filling = false; }
  } End{FFilling};
  LoadControls();
  Quietly([&] {
    LoadBoundRows();
    for (const auto& [Edit, Access] : FTexts) {
      const TPropValue V = Access.Get(Series);
      const auto* Text = std::get_if<std::string>(&V);
      Edit->SetText(Text ? *Text : std::string());
    }
    FillForm();
  });
}

void TSeriesFormBase::Quietly(const std::function<void()>& Action) {
  BeginLoading();
  struct TEnd {
    TSeriesFormBase& Form;
    ~TEnd() { Form.EndLoading(); }
  } End{*this};
  Action();
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
          if (PlotSeriesFormBase::ReadReal(static_cast<TEdit*>(R.Control)->GetText(), D)) Access.Set(Object, D);
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

TForm* TSeriesFormBase::EmbedOnce(const std::string& Caption, TClass FormClass, TObject* Edited,
                                  int32_t PageIndex) {
  return EmbedOnce(Caption,
                   [&] { return PlotEdiSeri::InsertSeriesEditorTab(this, FormClass, Edited, Caption, PageIndex); });
}

TForm* TSeriesFormBase::EmbedOnce(const std::string& Caption, const std::function<TForm*()>& Make) {
  for (auto& [C, Form] : FEmbedded)
    if (C == Caption) {
      if (!Form.Get()) Form = Make();
      return Form.Get();
    }
  TForm* F = Make();
  if (F) FEmbedded.emplace_back(Caption, WeakRef<TForm>(F));
  return F;
}

TForm* TSeriesFormBase::EmbeddedForm(const std::string& Caption) const {
  for (const auto& [C, Form] : FEmbedded)
    if (C == Caption) return Form.Get();
  return nullptr;
}

void TSeriesFormBase::BindText(TEdit* Edit, TRowAccess Access) {
  Edit->OnChange = [this, Edit, Set = Access.Set](TObject*) {
    if (TObject* Object = Edited(); Object && !Filling()) Set(Object, Edit->GetText());
  };
  FTexts.emplace_back(Edit, std::move(Access));
}

TPageControl* TSeriesFormBase::AddPages(int Width, int Height) {
  auto* Pages = PlotPenDlg::PlaceControl<TPageControl>(this, "PageControl1", 0, 0, Width, Height);
  Pages->SetAlign(TAlign::alClient);
  return Pages;
}

TTabSheet* TSeriesFormBase::AddSheet(TPageControl* Pages, const char* Name, const char* Caption) {
  auto* S = Create<TTabSheet>(this);
  S->SetName(Name);
  S->SetCaption(Caption);
  S->SetPageControl(Pages);
  return S;
}

TLabel* TSeriesFormBase::PlaceRowLabel(int32_t Index, TWinControl* Parent, const char* Name, int Left, int Top,
                                       int Width) {
  TEditorRow& R = Row(Index);
  TLabel* L = R.Label;
  L->SetName(Name);
  L->SetParent(Parent);
  L->SetBounds(Left, Top, Width, 13);
  L->FocusControl = dynamic_cast<TWinControl*>(R.Control);
  return L;
}

namespace PlotSeriesFormBase {

bool ReadReal(const std::string& Text, double& Value) {
  double D = 0;
  if (!SysUtils::TryStrToFloat(SysUtils::Trim(Text), D) || !std::isfinite(D)) return false;
  Value = D;
  return true;
}

}  // namespace PlotSeriesFormBase
