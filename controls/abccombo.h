#pragma once
// TabcColorComboBox: a drop-down list of colours drawn as swatches, with their
// names when ShowText is on. The items hold colour constant names or numbers;
// after loading, the colour list runs parallel to the items that name a colour.
//
//   auto* cb = new TabcColorComboBox(form); cb->SetParent(form);
//   cb->Items()->SetText("clBlack\nclRed\n$00FF00");
//   cb->Loaded();
//   cb->SetSelectedColor(clRed);

#include "platform/ui/OwnerDrawCombo.h"

#include <optional>
#include <vector>

class TabcColorComboBox : public TOwnerDrawComboBox {
  KV_CLASS(TabcColorComboBox, TOwnerDrawComboBox)
 public:
  explicit TabcColorComboBox(TComponent* AOwner);
  ~TabcColorComboBox() override;
  // Builds the colour list from the items (outside design mode).
  void Loaded() override;

  bool GetShowText() const { return FShowText; }
  void SetShowText(bool Value);
  // The selected item's colour; with no item selected the colour last set
  // (black when none was ever set).
  TColor GetSelectedColor() const;
  // Selects the first item of exactly this colour; a colour of no item is
  // kept and shown in the closed box with no item selected.
  void SetSelectedColor(TColor Value);
  // The items become the names of all colour constants.
  virtual void FillColorNames();
  // The colour list, one entry per item.
  const std::vector<TColor>& Colors() const { return FColors; }
  // Builds the colour list from the items, dropping the items that name no colour.
  void BuildColorList();

 protected:
  void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;

 private:
  void DrawSwatch(const TRect& Rect, TColor Color, int Index, TOwnerDrawState State);
  std::vector<TColor> FColors;
  std::optional<TColor> FKeptColor;
  bool FShowText = false;
};
