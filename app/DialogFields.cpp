#include "app/DialogFields.h"

#include "controls/abcbtn.h"
#include "controls/abcexctl.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

#include "controls/abccombo.h"
#include "platform/gdi/Graphics.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Menus.h"
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

namespace {

// The widest line of Text at Font, as the controls draw it.
int TextWidthAt(const TFont& Font, const std::string& Text) {
  TBitmap probe(1, 1);
  TCanvas& c = *probe.GetCanvas();
  c.Font->Assign(Font);
  int width = 0;
  size_t from = 0;
  const std::string text = Menus::StripHotkey(Text);
  while (from <= text.size()) {
    const size_t to = std::min(text.find('\n', from), text.size());
    width = std::max(width, c.TextWidth(text.substr(from, to - from)));
    from = to + 1;
  }
  return width;
}

// The width a control needs to show its text whole; 0 for controls that size
// themselves or show no text of their own.
int WidthNeeded(const TControl& C) {
  if (auto* combo = dynamic_cast<const TComboBox*>(&C)) {
    if (auto* colors = dynamic_cast<const TabcColorComboBox*>(combo); colors && !colors->GetShowText()) return 0;
    return ComboWidthNeeded(*combo);
  }
  if (C.GetCaption().empty()) return 0;
  if (auto* label = dynamic_cast<const TLabel*>(&C)) {
    // Caption boxes are framed by the edit placed over their right part.
    if (label->GetAutoSize() || label->WordWrap || dynamic_cast<const TabcSuperLabel*>(&C)) return 0;
    return TextWidthAt(*C.GetFont(), C.GetCaption());
  }
  QStyle* style = QApplication::style();
  if (dynamic_cast<const TCheckBox*>(&C))
    return TextWidthAt(*C.GetFont(), C.GetCaption()) + style->pixelMetric(QStyle::PM_IndicatorWidth) +
           style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 4;
  if (dynamic_cast<const TRadioButton*>(&C))
    return TextWidthAt(*C.GetFont(), C.GetCaption()) + style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
           style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) + 4;
  if (dynamic_cast<const TButton*>(&C) || dynamic_cast<const TSpeedButton*>(&C))
    return TextWidthAt(*C.GetFont(), C.GetCaption()) + 12;
  return 0;
}

bool IsContainer(const TControl& C) {
  return dynamic_cast<const TGroupBox*>(&C) || dynamic_cast<const TPanel*>(&C) ||
         dynamic_cast<const TPageControl*>(&C) || dynamic_cast<const TTabSheet*>(&C);
}

// Widens Control by Grow inside Parent: controls to its right move along, frames
// that reach its right edge from its left and the controls of its column with
// its width grow with it.
void Widen(TWinControl& Parent, TControl& Control, int Grow) {
  const int left = Control.GetLeft(), width = Control.GetWidth(), right = left + width;
  for (int k = 0; k < Parent.ControlCount(); ++k) {
    TControl* c = Parent.GetControl(k);
    if (c == &Control || c->GetAlign() != TAlign::alNone) continue;
    if (c->GetLeft() >= right) c->SetLeft(c->GetLeft() + Grow);
    else if (c->GetLeft() < left && c->GetLeft() + c->GetWidth() >= right) c->SetWidth(c->GetWidth() + Grow);
    else if (c->GetLeft() == left && c->GetWidth() == width) c->SetWidth(c->GetWidth() + Grow);
  }
  Control.SetWidth(width + Grow);
}

// Fits the controls of Parent to their texts; returns by how much Parent's
// client area must grow to hold them with the right margin it had.
int FitChildren(TWinControl& Parent) {
  int used = 0;
  for (int i = 0; i < Parent.ControlCount(); ++i) {
    const TControl* c = Parent.GetControl(i);
    if (c->GetAlign() == TAlign::alNone) used = std::max(used, c->GetLeft() + c->GetWidth());
  }
  const int margin = std::max(0, Parent.GetClientWidth() - used);
  int alignedNeed = 0;  // aligned children (pages, bars) grow with their parent
  for (int i = 0; i < Parent.ControlCount(); ++i) {
    TControl* c = Parent.GetControl(i);
    int grow = WidthNeeded(*c) - c->GetWidth();
    if (IsContainer(*c)) grow = std::max(grow, FitChildren(*static_cast<TWinControl*>(c)));
    if (grow <= 0) continue;
    if (c->GetAlign() == TAlign::alNone) Widen(Parent, *c, grow);
    else alignedNeed = std::max(alignedNeed, grow);
  }
  int right = 0;
  for (int i = 0; i < Parent.ControlCount(); ++i) {
    const TControl* c = Parent.GetControl(i);
    if (c->GetAlign() == TAlign::alNone) right = std::max(right, c->GetLeft() + c->GetWidth());
  }
  return std::max({0, alignedNeed, right + margin - Parent.GetClientWidth()});
}

}  // namespace

void FitToContent(TForm& Form) {
  if (const int grow = FitChildren(Form); grow > 0) Form.SetClientWidth(Form.GetClientWidth() + grow);
  // A wider window for the caption keeps its content in the middle.
  const int grow = CaptionWidthNeeded(Form) - Form.GetWidth();
  if (grow <= 0) return;
  Form.SetWidth(Form.GetWidth() + grow);
  for (int k = 0; k < Form.ControlCount(); ++k) {
    TControl* c = Form.GetControl(k);
    if (c->GetAlign() == TAlign::alNone) c->SetLeft(c->GetLeft() + grow / 2);
  }
}

}  // namespace DialogFields
