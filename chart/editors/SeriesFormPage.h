#pragma once
// The base of the series format pages: the series is taken from Tag when the
// page is shown, its rows are filled with every write blocked, hand-filled
// controls and the page's rules follow, and the sub-editor tabs are made once
// and freed with the page.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "chart/engine/PlotEngine_Series.h"
#include "chart/series/PlotPenDlg.h"
#include "platform/rtl/WeakRef.h"

class TSeriesFormPage : public TEditorPage {
  KV_CLASS(TSeriesFormPage, TEditorPage)
public:
  explicit TSeriesFormPage(TComponent* Owner);
  void BeforeDestruction() override;

  // The series of the last show; none before it or once the series is freed.
  TChartSeries* Series() const { return FSeries.Get(); }
  template <class S>
  S* SeriesAs() const {
    return dynamic_cast<S*>(FSeries.Get());
  }
  // True from creation until the first fill has ended, and while controls are filled.
  bool Filling() const { return FFilling || IsLoading(); }
  void FormShow(TObject* Sender);
  // The sub-editor embedded under Caption; none when it was not made.
  TForm* EmbeddedForm(const std::string& Caption) const;

protected:
  // Fills the controls no row binds and applies the rules; writes are blocked.
  virtual void FillControls() {}
  // Makes the sub-editor tabs (each through EmbedOnce).
  virtual void EmbedTabs() {}
  // The rule that follows a user change of a row.
  virtual void RowRule(int32_t /*Row*/) {}
  // The sub-editor of Caption, made by Make unless it exists already.
  TForm* EmbedOnce(const std::string& Caption, const std::function<TForm*()>& Make);
  // Runs Action with every write of the page blocked.
  void Quietly(const std::function<void()>& Action);

private:
  WeakRef<TChartSeries> FSeries;
  std::vector<std::pair<std::string, WeakRef<TForm>>> FEmbedded;
  bool FFilling = true;
};

namespace SeriesFormPage {
// A real typed into an edit: false (and Value untouched) for empty text, text
// that is no number yet ("-", "1e") and infinities, so typing never stops on
// a message.
bool ReadReal(const std::string& Text, double& Value);
}  // namespace SeriesFormPage
