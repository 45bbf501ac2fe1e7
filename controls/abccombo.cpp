#include "controls/abccombo.h"

#include "platform/gdi/ColorNames.h"
#include "platform/rtl/SysUtils.h"

KV_CLASS_IMPL(TabcColorComboBox, TOwnerDrawComboBox) {
  c.Property("ShowText", &TabcColorComboBox::GetShowText, &TabcColorComboBox::SetShowText).Default(false);
}

TabcColorComboBox::TabcColorComboBox(TComponent* AOwner) : TOwnerDrawComboBox(AOwner) {
  TControl::SetColor(clBtnFace);
  DropDownCount = 8;
}

TabcColorComboBox::~TabcColorComboBox() = default;

void TabcColorComboBox::Loaded() {
  TOwnerDrawComboBox::Loaded();
  if (!ComponentState.Contains(TComponentStateItem::csDesigning)) BuildColorList();
}

void TabcColorComboBox::BuildColorList() {
  constexpr int32_t Dropped = -30;
  FColors.clear();
  TStringList& items = *Items();
  items.BeginUpdate();
  for (int i = items.Count() - 1; i >= 0; --i) {
    const std::string text = SysUtils::Trim(items.Get(i));
    TColor color = 0;
    if (!Graphics::IdentToColor(text, color)) color = SysUtils::StrToIntDef(text, Dropped);
    if (color == Dropped)
      items.Delete(i);
    else
      FColors.insert(FColors.begin(), color);
  }
  items.EndUpdate();
}

void TabcColorComboBox::SetShowText(bool Value) {
  if (Value == FShowText) return;
  FShowText = Value;
  Invalidate();
}

TColor TabcColorComboBox::GetSelectedColor() const {
  const int i = GetItemIndex();
  if (i >= 0 && static_cast<size_t>(i) < FColors.size()) return FColors[static_cast<size_t>(i)];
  return FKeptColor.value_or(0);
}

void TabcColorComboBox::SetSelectedColor(TColor Value) {
  FKeptColor = Value;
  int found = -1;
  for (size_t i = 0; i < FColors.size() && static_cast<int>(i) < Items()->Count(); ++i)
    if (FColors[i] == Value) {
      found = static_cast<int>(i);
      break;
    }
  SetItemIndex(found);
  Invalidate();
}

void TabcColorComboBox::FillColorNames() {
  TStringList& items = *Items();
  items.BeginUpdate();
  items.Clear();
  for (const Graphics::TColorName& n : Graphics::ColorNames()) items.Add(n.Name);
  items.EndUpdate();
}

void TabcColorComboBox::DrawSwatch(const TRect& Rect, TColor Color, int, TOwnerDrawState) {
  TCanvas& c = *GetCanvas();
  c.Brush->SetStyle(bsSolid);
  c.Brush->SetColor(TControl::GetColor());
  c.FillRect(Rect);
  const TRect r(Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2);
  if (r.Width() < 2 || r.Height() < 2) return;
  c.Pen->SetStyle(psSolid);
  c.Pen->SetColor(clBtnHighlight);
  c.MoveTo(r.Left, r.Bottom - 1);
  c.LineTo(r.Left, r.Top);
  c.LineTo(r.Right - 1, r.Top);
  c.Pen->SetColor(clBtnShadow);
  c.LineTo(r.Right - 1, r.Bottom - 1);
  c.LineTo(r.Left, r.Bottom - 1);
  c.Brush->SetColor(Color);
  c.FillRect(TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
}

void TabcColorComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (ComponentState.Contains(TComponentStateItem::csDesigning)) {
    TOwnerDrawComboBox::DrawItem(Index, Rect, State);
    return;
  }
  TCanvas& c = *GetCanvas();
  const TColor savedBrush = c.Brush->GetColor(), savedPen = c.Pen->GetColor();
  TRect swatch = Rect;
  TRect text = Rect;
  if (FShowText) {
    swatch.Right = std::min(Rect.Right, Rect.Left + 2 * GetItemHeight());
    text.Left = swatch.Right;
  }
  // The closed box without a selected item shows the colour kept for it.
  const bool inList = Index >= 0 && static_cast<size_t>(Index) < FColors.size();
  const bool keptColor = !inList && State.Contains(TOwnerDrawStateItem::odComboBoxEdit) && FKeptColor.has_value();
  if (inList || keptColor) DrawSwatch(swatch, inList ? FColors[static_cast<size_t>(Index)] : *FKeptColor, Index, State);
  if (!FShowText) return;
  c.Brush->SetColor(savedBrush);
  c.Pen->SetColor(savedPen);
  TOwnerDrawComboBox::DrawItem(Index, text, State);
}
