#include "platform/ui/EditCombo.h"

#include "platform/ui/CustomEdit.h"
#include "platform/ui/QtBridge.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

KV_CLASS_IMPL(TEditComboBox, TComboBox) {}

using CustomEdit::Narrow;
using CustomEdit::Wide;

TEditComboBox::TEditComboBox(TComponent* AOwner) : TComboBox(AOwner) {}

void TEditComboBox::SetText(const std::string& Value) {
  TComboBox::SetText(Value);
  FSelStart = static_cast<int>(Wide(GetText()).size());
  FSelLength = 0;
  SyncEditField();
}

void TEditComboBox::SetItemIndex(int Value) {
  TComboBox::SetItemIndex(Value);
  FSelStart = 0;
  FSelLength = static_cast<int>(Wide(GetText()).size());
  SyncEditField();
}

void TEditComboBox::SetStyle(TComboBoxStyle Value) {
  Style = Value;
  if (!FWidget) return;
  auto* combo = static_cast<QComboBox*>(FWidget);
  const QSignalBlocker block(combo);
  combo->setEditable(Value == TComboBoxStyle::csDropDown || Value == TComboBoxStyle::csSimple);
  // An edit field made for a combo that is already shown must be shown itself.
  if (combo->lineEdit() && !combo->isHidden()) combo->lineEdit()->show();
  ItemsChanged();
  SyncEditField();
}

void TEditComboBox::SetSelStart(int Value) {
  FSelStart = std::clamp(Value, 0, static_cast<int>(Wide(GetText()).size()));
  FSelLength = 0;
  SyncEditField();
}

void TEditComboBox::SetSelLength(int Value) {
  FSelLength = std::clamp(Value, 0, static_cast<int>(Wide(GetText()).size()) - FSelStart);
  SyncEditField();
}

void TEditComboBox::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<int>(Wide(GetText()).size());
  SyncEditField();
}

int TEditComboBox::CharAtX(int X) {
  if (FWidget)
    if (QLineEdit* e = static_cast<QComboBox*>(FWidget)->lineEdit()) {
      const int pos = e->cursorPositionAt(e->mapFrom(FWidget, QPoint(X, GetHeight() / 2)));
      return pos;
    }
  TBitmap b(1, 1);
  TCanvas& c = *b.GetCanvas();
  c.Font->Assign(*GetFont());
  const std::u16string t = Wide(GetText());
  int x = 3;
  for (size_t i = 0; i < t.size(); ++i) {
    const int w = c.TextWidth(Narrow(t.substr(i, 1)));
    if (X < x + w / 2) return static_cast<int>(i);
    x += w;
  }
  return X < GetWidth() ? static_cast<int>(t.size()) : -1;
}

void TEditComboBox::SetDroppedDown(bool Value) {
  if (Value == FDroppedDown) return;
  FDroppedDown = Value;
  if (Value) DropDown();
  else CloseUp();
  if (FWidget) {
    auto* combo = static_cast<QComboBox*>(FWidget);
    if (Value && !combo->view()->isVisible()) combo->showPopup();
    if (!Value && combo->view()->isVisible()) combo->hidePopup();
  }
}

void TEditComboBox::SetDroppedWidth(int Value) {
  FDroppedWidth = std::max(0, Value);
  if (FWidget) static_cast<QComboBox*>(FWidget)->view()->setMinimumWidth(FDroppedWidth);
}

void TEditComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TEditComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TEditComboBox::InitWidget() {
  TComboBox::InitWidget();
  auto* combo = static_cast<QComboBox*>(FWidget);
  combo->view()->setMinimumWidth(FDroppedWidth);
  SyncEditField();
}

void TEditComboBox::SyncEditField() {
  if (!FWidget) return;
  if (QLineEdit* e = static_cast<QComboBox*>(FWidget)->lineEdit()) {
    const QSignalBlocker block(FWidget);
    if (UiBridge::FromQ(e->text()) != GetText()) e->setText(UiBridge::ToQ(GetText()));
    if (FSelLength > 0) e->setSelection(FSelStart, FSelLength);
    else e->setCursorPosition(FSelStart);
  }
}

void TEditComboBox::ReplaceSelection(const std::u16string& Text) {
  std::u16string t = Wide(GetText());
  const int start = std::min(FSelStart, static_cast<int>(t.size()));
  t.replace(static_cast<size_t>(start), static_cast<size_t>(std::min(FSelLength, static_cast<int>(t.size()) - start)), Text);
  TComboBox::SetText(Narrow(t));
  FSelStart = start + static_cast<int>(Text.size());
  FSelLength = 0;
  SyncEditField();
  Change();
}

void TEditComboBox::ChooseIndex(int Index) {
  if (Index < 0 || Index >= Items()->Count() || Index == GetItemIndex()) return;
  SetItemIndex(Index);
  Change();
  if (OnSelect) OnSelect(this);
}

void TEditComboBox::KeyDown(uint16_t& Key, TShiftState Shift) {
  TComboBox::KeyDown(Key, Shift);
  if (Key == 0) return;
  const bool alt = Shift.Contains(TShiftStateItem::ssAlt);
  const int len = static_cast<int>(Wide(GetText()).size());
  const bool extend = Shift.Contains(TShiftStateItem::ssShift);
  auto caretTo = [&](int P) {
    P = std::clamp(P, 0, len);
    if (extend) {
      const int anchor = FSelStart;
      FSelStart = std::min(anchor, P);
      FSelLength = std::abs(P - anchor);
    } else {
      FSelStart = P;
      FSelLength = 0;
    }
    SyncEditField();
    Key = 0;
  };
  if ((Key == VK_DOWN || Key == VK_UP) && alt) {
    SetDroppedDown(!FDroppedDown);
    Key = 0;
    return;
  }
  if (Key == VK_F4) {
    SetDroppedDown(!FDroppedDown);
    Key = 0;
    return;
  }
  switch (Key) {
    case VK_DOWN: ChooseIndex(GetItemIndex() + 1); Key = 0; return;
    case VK_UP: ChooseIndex(std::max(0, GetItemIndex() - 1)); Key = 0; return;
    case VK_RETURN:
    case VK_ESCAPE:
      if (FDroppedDown) {
        SetDroppedDown(false);
        Key = 0;
      }
      return;
    default: break;
  }
  if (Style == TComboBoxStyle::csDropDownList) return;
  switch (Key) {
    case VK_LEFT: caretTo(FSelLength > 0 && !extend ? FSelStart : CaretPos() - 1); break;
    case VK_RIGHT: caretTo(FSelLength > 0 && !extend ? CaretPos() : CaretPos() + 1); break;
    case VK_HOME: caretTo(0); break;
    case VK_END: caretTo(len); break;
    case VK_DELETE:
      if (FSelLength == 0 && FSelStart < len) FSelLength = 1;
      ReplaceSelection(u"");
      Key = 0;
      break;
    default: break;
  }
}

void TEditComboBox::KeyPress(TKeyChar& Key) {
  TComboBox::KeyPress(Key);
  if (Key == 0 || Style == TComboBoxStyle::csDropDownList) return;
  if (Key == 8) {
    if (FSelLength == 0 && FSelStart > 0) {
      --FSelStart;
      FSelLength = 1;
    }
    ReplaceSelection(u"");
    Key = 0;
    return;
  }
  if (Key < 32) return;
  ReplaceSelection(std::u16string(1, Key));
  Key = 0;
}
