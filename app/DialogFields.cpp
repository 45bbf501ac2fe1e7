#include "app/DialogFields.h"

#include "controls/abcbtn.h"
#include "controls/abcexctl.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QFontMetrics>

#include "numerics/Supermath2d.h"
#include "platform/ui/Forms.h"
#include "platform/ui/QtBridge.h"
#include "platform/ui/StdCtrls.h"

namespace DialogFields {

TGroupBox* AddGroup(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width, int Height) {
  auto* group = Create<TGroupBox>(Parent);
  group->SetParent(Parent);
  group->SetBounds(Left, Top, Width, Height);
  group->SetCaption(Caption);
  return group;
}

TCheckBox* AddCheck(TWinControl* Parent, const std::string& Caption, int Left, int Top, int Width) {
  auto* box = Create<TCheckBox>(Parent);
  box->SetParent(Parent);
  box->SetBounds(Left, Top, Width, 17);
  box->SetCaption(Caption);
  return box;
}

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

int ComboWidthNeeded(const TComboBox& Combo) {
  const QFontMetrics metrics(UiBridge::ToQFont(*Combo.GetFont()));
  int widest = 0;
  for (int i = 0; i < Combo.Items()->Count(); ++i)
    widest = std::max(widest, metrics.horizontalAdvance(UiBridge::ToQ(Combo.Items()->Get(i))));
  // The frame, the text margins and the drop-down arrow.
  constexpr int Chrome = 34;
  return widest + Chrome;
}

int CaptionWidthNeeded(const TForm& Form) {
  // The title bar's font is the window manager's; the application font in bold
  // stands for it. Room is left for the window icon and the title-bar buttons.
  QFont font = QApplication::font();
  font.setBold(true);
  constexpr int TitleButtons = 110;
  return QFontMetrics(font).horizontalAdvance(UiBridge::ToQ(Form.GetCaption())) + TitleButtons;
}

void FitToContent(TForm& Form) {
  for (int i = 0; i < Form.ControlCount(); ++i) {
    auto* combo = dynamic_cast<TComboBox*>(Form.GetControl(i));
    if (!combo) continue;
    const int grow = ComboWidthNeeded(*combo) - combo->GetWidth();
    if (grow <= 0) continue;
    const int right = combo->GetLeft() + combo->GetWidth();
    // Frames and boxes that reach the combo's right edge from its left grow with it.
    for (int k = 0; k < Form.ControlCount(); ++k) {
      TControl* c = Form.GetControl(k);
      if (c == combo || c->GetLeft() >= combo->GetLeft()) continue;
      if (c->GetLeft() + c->GetWidth() >= right) c->SetWidth(c->GetWidth() + grow);
    }
    // Controls to the right of the combo and the other edits in its column move or grow alike.
    for (int k = 0; k < Form.ControlCount(); ++k) {
      TControl* c = Form.GetControl(k);
      if (c == combo) continue;
      if (c->GetLeft() >= right) c->SetLeft(c->GetLeft() + grow);
      else if (c->GetLeft() == combo->GetLeft() && c->GetWidth() == combo->GetWidth()) c->SetWidth(c->GetWidth() + grow);
    }
    combo->SetWidth(combo->GetWidth() + grow);
    Form.SetClientWidth(Form.GetClientWidth() + grow);
  }
  // A wider window for the caption keeps its content in the middle.
  const int grow = CaptionWidthNeeded(Form) - Form.GetWidth();
  if (grow <= 0) return;
  Form.SetWidth(Form.GetWidth() + grow);
  for (int k = 0; k < Form.ControlCount(); ++k) {
    TControl* c = Form.GetControl(k);
    c->SetLeft(c->GetLeft() + grow / 2);
  }
}

}  // namespace DialogFields
