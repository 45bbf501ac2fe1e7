#pragma once
// What every series editor form shares: the series taken from Tag when the
// form is shown, a filling flag that keeps change handlers quiet until the
// controls are filled, sub-editor tabs of the series page embedded once and
// freed with the form, and kit rows bound through typed accessors where a
// series class does not publish the property a row edits.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "chart/editors/EditorRows.h"
#include "chart/engine/PlotEngine_Series.h"
#include "chart/series/PlotPenDlg.h"
#include "platform/rtl/WeakRef.h"

// How a row reads and writes its value when no property path reaches it.
struct TRowAccess {
  std::function<TPropValue(const TObject*)> Get;
  std::function<void(TObject*, const TPropValue&)> Set;
};

class TSeriesFormBase : public TEditorPage {
  KV_CLASS(TSeriesFormBase, TEditorPage)
public:
  explicit TSeriesFormBase(TComponent* Owner);
  // Frees the embedded sub-editor forms and their tabs.
  void BeforeDestruction() override;

  // True from creation until the controls have been filled from a series,
  // and while they are filled again.
  bool Filling() const { return FFilling || IsLoading(); }
  // The series the form was last shown for; none before, or once it is freed.
  TChartSeries* EditedSeries() const { return FSeries.Get(); }
  template <class S>
  S* SeriesAs() const {
    return dynamic_cast<S*>(EditedSeries());
  }
  // Takes the series from Tag and fills the form (an empty Tag changes nothing).
  void FormShow(TObject* Sender);
  // Runs Action with every write of the form blocked.
  void Quietly(const std::function<void()>& Action);

  // A kit row whose value goes through Access instead of a property path.
  int32_t AddBoundRow(TEditorRow Row, TRowAccess Access);

  // Accessors of a series class for a bound row.
  template <class S, class V, class W>
  static TRowAccess Access(V (S::*Getter)() const, void (S::*Setter)(W)) {
    TRowAccess A;
    A.Get = [Getter](const TObject* O) -> TPropValue {
      const auto* Series = dynamic_cast<const S*>(O);
      if (!Series) return {};
      return Wrap((Series->*Getter)());
    };
    A.Set = [Setter](TObject* O, const TPropValue& Value) {
      if (auto* Series = dynamic_cast<S*>(O)) (Series->*Setter)(Unwrap<std::decay_t<W>>(Value));
    };
    return A;
  }
  // The getter of a pen, brush, gradient or font row: the object of a series class.
  template <class S, class O>
  static std::function<TObject*(TObject*)> Part(O* (S::*Getter)() const) {
    return [Getter](TObject* Edited) -> TObject* {
      auto* Series = dynamic_cast<S*>(Edited);
      return Series ? static_cast<TObject*>((Series->*Getter)()) : nullptr;
    };
  }
  // A row of the given kind, caption and getter (no property path).
  static TEditorRow PartRow(TEditorRowKind Kind, const std::string& Caption,
                            std::function<TObject*(TObject*)> Getter);

  // The sub-editor of tab Caption, made once as a form of FormClass on Edited
  // at PageIndex of the series page (or as a free form when the form is not
  // on a series page).
  TForm* EmbedOnce(const std::string& Caption, TClass FormClass, TObject* Edited, int32_t PageIndex);
  // The same, for a sub-editor that Make creates (and embeds) itself.
  TForm* EmbedOnce(const std::string& Caption, const std::function<TForm*()>& Make);
  // The sub-editor embedded under Caption; none when it was not made or is gone.
  TForm* EmbeddedForm(const std::string& Caption) const;

  // An edit that shows and writes a text of the edited object through Access.
  void BindText(TEdit* Edit, TRowAccess Access);

  // The form's page control "PageControl1", filling the form.
  TPageControl* AddPages(int Width, int Height);
  // A sheet of a page control of the form.
  TTabSheet* AddSheet(TPageControl* Pages, const char* Name, const char* Caption);
  // The caption label of Row, named and put on Parent at the given bounds,
  // focusing the row's control.
  TLabel* PlaceRowLabel(int32_t Row, TWinControl* Parent, const char* Name, int Left, int Top, int Width);

protected:
  // Fills what the kit rows do not: hand-made controls, the form's rules and
  // its sub-editor tabs. Writes are blocked meanwhile.
  virtual void FillForm() {}
  // The form's rules after a user change wrote Row's property.
  virtual void RowRule(int32_t /*Row*/) {}

private:
  template <class V>
  static TPropValue Wrap(const V& Value) {
    if constexpr (std::is_same_v<V, bool>)
      return Value;
    else if constexpr (std::is_enum_v<V> || std::is_integral_v<V>)
      return static_cast<int64_t>(Value);
    else if constexpr (std::is_floating_point_v<V>)
      return static_cast<double>(Value);
    else
      return std::string(Value);
  }
  template <class V>
  static V Unwrap(const TPropValue& Value) {
    if constexpr (std::is_same_v<V, bool>) {
      if (const auto* B = std::get_if<bool>(&Value)) return *B;
      if (const auto* I = std::get_if<int64_t>(&Value)) return *I != 0;
      return false;
    } else if constexpr (std::is_enum_v<V> || std::is_integral_v<V>) {
      if (const auto* I = std::get_if<int64_t>(&Value)) return static_cast<V>(*I);
      if (const auto* B = std::get_if<bool>(&Value)) return static_cast<V>(*B);
      return V{};
    } else if constexpr (std::is_floating_point_v<V>) {
      if (const auto* D = std::get_if<double>(&Value)) return static_cast<V>(*D);
      if (const auto* I = std::get_if<int64_t>(&Value)) return static_cast<V>(*I);
      return V{};
    } else {
      const auto* S = std::get_if<std::string>(&Value);
      return S ? V(*S) : V();
    }
  }
  // Fills the controls of the bound rows from the edited object.
  void LoadBoundRows();
  void DispatchRow(int32_t Row);
  WeakRef<TChartSeries> FSeries;
  bool FFilling = true;
  std::vector<std::pair<int32_t, TRowAccess>> FBound;
  std::vector<std::pair<std::string, WeakRef<TForm>>> FEmbedded;
  std::vector<std::pair<TEdit*, TRowAccess>> FTexts;
};

namespace PlotSeriesFormBase {
// A real typed into an edit: false (and Value untouched) for empty text, text
// that is no number yet ("-", "1e") and infinities, so typing never stops on
// a message.
bool ReadReal(const std::string& Text, double& Value);
}  // namespace PlotSeriesFormBase
