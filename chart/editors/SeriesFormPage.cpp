// The base of the series format pages.
#include "chart/editors/SeriesFormPage.h"

#include <cmath>

#include "chart/engine/PlotEngine.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/ComCtrls.h"

KV_CLASS_IMPL(TSeriesFormPage, TEditorPage) {}

TSeriesFormPage::TSeriesFormPage(TComponent* Owner) : TEditorPage(Owner) {
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetAlign(TAlign::alClient);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnRowChanged = [this](TEditorPage&, int32_t Row) { RowRule(Row); };
}

void TSeriesFormPage::BeforeDestruction() {
  for (auto& [Caption, Form] : FEmbedded)
    if (TForm* F = Form.Get()) {
      TWinControl* Tab = F->GetParent();
      F->Free();
      if (auto* Sheet = dynamic_cast<TTabSheet*>(Tab);
          Sheet && !Sheet->ComponentState.Contains(TComponentStateItem::csDestroying))
        Sheet->Free();
    }
  FEmbedded.clear();
  TEditorPage::BeforeDestruction();
}

void TSeriesFormPage::FormShow(TObject*) {
  if (GetParent()) SetAlign(TAlign::alClient);
  auto* S = dynamic_cast<TChartSeries*>(Edited());
  // An empty Tag leaves the controls as they are.
  if (!S) return;
  FSeries = S;
  FFilling = true;
  LoadControls();
  Quietly([this] { FillControls(); });
  EmbedTabs();
  FFilling = false;
}

TForm* TSeriesFormPage::EmbeddedForm(const std::string& Caption) const {
  for (const auto& [C, Form] : FEmbedded)
    if (C == Caption) return Form.Get();
  return nullptr;
}

TForm* TSeriesFormPage::EmbedOnce(const std::string& Caption, const std::function<TForm*()>& Make) {
  for (auto& [C, Form] : FEmbedded)
    if (C == Caption) {
      if (TForm* F = Form.Get()) return F;
      Form = Make();
      return Form.Get();
    }
  TForm* F = Make();
  if (F) FEmbedded.emplace_back(Caption, WeakRef<TForm>(F));
  return F;
}

void TSeriesFormPage::Quietly(const std::function<void()>& Action) {
  BeginLoading();
  struct TEnd {
    TSeriesFormPage& P;
    ~TEnd() { P.EndLoading(); }
  } End{*this};
  Action();
}

namespace SeriesFormPage {

bool ReadReal(const std::string& Text, double& Value) {
  double D = 0;
  if (!SysUtils::TryStrToFloat(SysUtils::Trim(Text), D) || !std::isfinite(D)) return false;
  Value = D;
  return true;
}

}  // namespace SeriesFormPage
