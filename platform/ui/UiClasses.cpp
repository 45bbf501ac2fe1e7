// Class information of the window and control classes: "create by class name"
// and the published properties that streaming and translation read.

#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"

KV_CLASS_IMPL(TControl, TComponent) {
  c.Property("Left", &TControl::GetLeft, &TControl::SetLeft);
  c.Property("Top", &TControl::GetTop, &TControl::SetTop);
  c.Property("Width", &TControl::GetWidth, &TControl::SetWidth);
  c.Property("Height", &TControl::GetHeight, &TControl::SetHeight);
  c.Property("Caption", &TControl::GetText, &TControl::SetText).Default("");
  c.Property("Hint", &TControl::GetHint, &TControl::SetHint).Default("");
  c.Property("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint).Default(false);
  c.Property("Visible", &TControl::GetVisible, &TControl::SetVisible).Default(true);
  c.Property("Enabled", &TControl::GetEnabled, &TControl::SetEnabled).Default(true);
  c.Property("Color", &TControl::GetColor, &TControl::SetColor).Kind(TPropKind::pkColor);
  // Published for property walks (translation); not part of stored forms.
  c.Property("Font", &TControl::GetFont, &TControl::SetFont).Stored(false);
  c.Property("ParentFont", &TControl::GetParentFont, &TControl::SetParentFont).Stored(false);
}

KV_CLASS_IMPL(TWinControl, TControl) {
}

KV_CLASS_IMPL(TCustomControl, TWinControl) {
}

KV_CLASS_IMPL(TGraphicControl, TControl) {
}

KV_CLASS_IMPL(TForm, TWinControl) {
}

KV_CLASS_IMPL(TMenuItem, TComponent) {
  c.Property("Caption", &TMenuItem::GetCaption, &TMenuItem::SetCaption).Default("");
  c.Property("Hint", &TMenuItem::Hint).Default("");
  c.Property("Checked", &TMenuItem::GetChecked, &TMenuItem::SetChecked).Default(false);
  c.Property("RadioItem", &TMenuItem::GetRadioItem, &TMenuItem::SetRadioItem).Default(false);
  c.Property("GroupIndex", &TMenuItem::GetGroupIndex, &TMenuItem::SetGroupIndex).Default(0);
  c.Property("Enabled", &TMenuItem::GetEnabled, &TMenuItem::SetEnabled).Default(true);
  c.Property("Visible", &TMenuItem::GetVisible, &TMenuItem::SetVisible).Default(true);
}

KV_CLASS_IMPL(TMenu, TComponent) {
}

KV_CLASS_IMPL(TMainMenu, TMenu) {
}

KV_CLASS_IMPL(TPopupMenu, TMenu) {
}

KV_CLASS_IMPL(TLabel, TGraphicControl) {
}

KV_CLASS_IMPL(TEdit, TWinControl) {
}

KV_CLASS_IMPL(TMemo, TWinControl) {
  c.Property("Lines", &TMemo::Lines, [](TMemo& self, TStringList* v) {
     if (v && v != self.Lines()) self.Lines()->Assign(v);
   }).Stored(false);
}

KV_CLASS_IMPL(TButtonControl, TWinControl) {
}

KV_CLASS_IMPL(TButton, TButtonControl) {
}

KV_CLASS_IMPL(TCheckBox, TButtonControl) {
}

KV_CLASS_IMPL(TRadioButton, TButtonControl) {
}

KV_CLASS_IMPL(TCustomListControl, TWinControl) {
  c.Property("Items", &TCustomListControl::Items, [](TCustomListControl& self, TStringList* v) {
     if (v && v != self.Items()) self.Items()->Assign(v);
   }).Stored(false);
}

KV_CLASS_IMPL(TComboBox, TCustomListControl) {
}

KV_CLASS_IMPL(TListBox, TCustomListControl) {
}

KV_CLASS_IMPL(TScrollBar, TWinControl) {
}

KV_CLASS_IMPL(TGroupBox, TCustomControl) {
}

KV_CLASS_IMPL(TTimer, TComponent) {
  c.Property("Enabled", &TTimer::GetEnabled, &TTimer::SetEnabled).Default(true);
  c.Property("Interval", &TTimer::GetInterval, &TTimer::SetInterval).Default(1000u);
}

KV_CLASS_IMPL(TPanel, TCustomControl) {
}

KV_CLASS_IMPL(TPaintBox, TGraphicControl) {
}

KV_CLASS_IMPL(TBevel, TGraphicControl) {
}

KV_CLASS_IMPL(TImage, TGraphicControl) {
}

KV_CLASS_IMPL(TSplitter, TGraphicControl) {
}

KV_CLASS_IMPL(TRadioGroup, TGroupBox) {
  c.Property("Items", &TRadioGroup::Items, [](TRadioGroup& self, TStringList* v) {
     if (v && v != self.Items()) self.Items()->Assign(v);
   }).Stored(false);
}

KV_CLASS_IMPL(TTrackBar, TWinControl) {
}

KV_CLASS_IMPL(TUpDown, TWinControl) {
  c.Property("Min", &TUpDown::GetMin, &TUpDown::SetMin).Default(0);
  c.Property("Max", &TUpDown::GetMax, &TUpDown::SetMax).Default(100);
  c.Property("Increment", &TUpDown::GetIncrement, &TUpDown::SetIncrement).Default(1);
  c.Property("Position", &TUpDown::GetPosition, &TUpDown::SetPosition).Default(0);
}

KV_CLASS_IMPL(TTabSheet, TWinControl) {
}

KV_CLASS_IMPL(TPageControl, TCustomControl) {
}

KV_CLASS_IMPL(TToolButton, TGraphicControl) {
}

KV_CLASS_IMPL(TToolBar, TCustomControl) {
}

KV_CLASS_IMPL(TSpeedButton, TGraphicControl) {
}

KV_CLASS_IMPL(TImageList, TComponent) {
}

KV_CLASS_IMPL(TCommonDialog, TComponent) {
  c.Property("Title", &TCommonDialog::Title).Default("");
}

KV_CLASS_IMPL(TOpenDialog, TCommonDialog) {
  c.Property("Filter", &TOpenDialog::Filter).Default("");
  c.Property("FilterIndex", &TOpenDialog::FilterIndex).Default(1);
  c.Property("DefaultExt", &TOpenDialog::DefaultExt).Default("");
}

KV_CLASS_IMPL(TSaveDialog, TOpenDialog) {
}

KV_CLASS_IMPL(TColorDialog, TCommonDialog) {
}

KV_CLASS_IMPL(TFontDialog, TCommonDialog) {
}

KV_CLASS_IMPL(TPrintDialog, TCommonDialog) {
}
