#include "app/DialogFields.h"

#include "controls/abcbtn.h"
#include "controls/abcexctl.h"

#include <cmath>

#include "numerics/Supermath2d.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

namespace DialogFields {

TLabel* AddLabel(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width) {
  auto* label = Create<TLabel>(Parent);
  label->SetParent(Parent);
  label->SetAutoSize(false);
  label->SetBounds(Left, Top, Width, 21);
  label->Layout = TTextLayout::tlCenter;
  label->SetCaption(Caption);
  return label;
}

TabcSuperLabel* AddCaptionBox(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width,
                              int Height) {
  auto* box = Create<TabcSuperLabel>(Parent);
  box->SetParent(Parent);
  box->SetBounds(Left, Top, Width, Height);
  box->SetBorderStyle(TBorderStyle::bsSingle);
  box->SetVerticalAlignment(TabcVAlignment::vaCenter);
  box->SetTopMargin(2);
  box->SetCaption(Caption);
  return box;
}

TabcPicBtn* AddCommandButton(TWinControl* Parent, const std::string& Caption, int Left, int Top) {
  auto* button = Create<TabcPicBtn>(Parent);
  button->SetParent(Parent);
  button->SetBounds(Left, Top, 75, 29);
  TFont font;
  font.Assign(*button->GetFont());
  font.SetName("Arial");
  font.SetHeight(-13);
  button->SetFont(&font);
  button->SetStyle(TabcButtonStyle::absRecessedBlackHighlight);
  button->SetDisabledShadow(false);
  button->SetCaption(Caption);
  return button;
}

TEdit* AddEdit(TWinControl* Parent, int Left, int Top, int Width) {
  auto* edit = Create<TEdit>(Parent);
  edit->SetParent(Parent);
  edit->SetBounds(Left, Top, Width, 21);
  return edit;
}

std::optional<double> ReadReal(const TEdit& Edit, const std::string& Field, std::string& Problem) {
  const std::string text = Edit.GetText();
  const double value = Supermath2d::StrToFloatChecked(text, false, 0.0, 0.0);
  if (value == Supermath2d::NoValue || !std::isfinite(value)) {
    Problem = Field + ": \"" + text + "\" is not a number.";
    return std::nullopt;
  }
  return value;
}

std::optional<int> ReadInteger(const TEdit& Edit, const std::string& Field, int Lower, int Upper,
                               std::string& Problem) {
  const std::string text = Edit.GetText();
  const double value = Supermath2d::StrToFloatChecked(text, false, 0.0, 0.0);
  if (value == Supermath2d::NoValue || !std::isfinite(value) || value != std::floor(value) || value < Lower ||
      value > Upper) {
    Problem = Field + ": \"" + text + "\" is not allowed; enter a whole number from " + std::to_string(Lower) +
              " to " + std::to_string(Upper) + ".";
    return std::nullopt;
  }
  return static_cast<int>(value);
}

void CancelOnEscape(TForm& Form) {
  Form.KeyPreview = true;
  Form.OnKeyDown = [&Form, before = Form.OnKeyDown](TObject* Sender, uint16_t& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE) {
      Key = 0;
      if (Form.IsModal())
        Form.SetModalResult(mrCancel);
      else
        Form.Close();
      return;
    }
    if (before) before(Sender, Key, Shift);
  };
}

}  // namespace DialogFields
