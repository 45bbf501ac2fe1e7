#include "grid/GvUni.h"

#include "platform/rtl/Streaming.h"

#include <QCollator>
#include <QString>

#include <algorithm>

KV_CLASS_IMPL(TWideStrings, TPersistent) {}
KV_CLASS_IMPL(TComboBoxStrings, TWideStrings) {}
KV_CLASS_IMPL(TCustomUNIEdit, TCustomEdit) {}
KV_CLASS_IMPL(TGvUniEdit, TCustomUNIEdit) {}
KV_CLASS_IMPL(TCustomUNIComboBox, TEditComboBox) {}

using CustomEdit::Narrow;
using CustomEdit::Wide;

namespace {

// The UTF-8 view of a TWideStrings: every operation goes to the wide list.
class TAnsiStringsForWideStrings : public TStrings {
 public:
  explicit TAnsiStringsForWideStrings(TWideStrings* AWide) : FWide(AWide) {}
  std::string Get(int Index) const override { return Narrow(FWide->Get(Index)); }
  int GetCount() const override { return FWide->GetCount(); }
  void Insert(int Index, const std::string& S) override { FWide->Insert(Index, Wide(S)); }
  void Delete(int Index) override { FWide->Delete(Index); }
  void Clear() override { FWide->Clear(); }
  TObject* GetObject(int Index) const override { return FWide->GetObject(Index); }
  void PutObject(int Index, TObject* AObject) override { FWide->PutObject(Index, AObject); }

 private:
  TWideStrings* FWide;
};

bool IsLineBreak(char16_t C) {
  return C == 0 || C == 10 || C == 11 || C == 12 || C == 13 || C == 0x2028 || C == 0x2029;
}

}  // namespace

// ================================================================ TWideStrings

TWideStrings::TWideStrings() : FAnsiStrings(std::make_unique<TAnsiStringsForWideStrings>(this)) {}

TWideStrings::~TWideStrings() = default;

void TWideStrings::SetAnsiStrings(const TStrings* Value) { FAnsiStrings->Assign(Value); }

void TWideStrings::Put(int Index, const std::u16string& S) {
  TObject* o = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, o);
}

int TWideStrings::Add(const std::u16string& S) {
  const int i = GetCount();
  Insert(i, S);
  return i;
}

int TWideStrings::AddObject(const std::u16string& S, TObject* AObject) {
  const int i = Add(S);
  PutObject(i, AObject);
  return i;
}

void TWideStrings::InsertObject(int Index, const std::u16string& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TWideStrings::AddStrings(const TStrings* Strings) {
  BeginUpdate();
  for (int i = 0; i < Strings->Count(); ++i) AddObject(Wide(Strings->Get(i)), Strings->Objects(i));
  EndUpdate();
}

void TWideStrings::AddStrings(const TWideStrings* Strings) {
  BeginUpdate();
  for (int i = 0; i < Strings->GetCount(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
  EndUpdate();
}

void TWideStrings::Assign(const TPersistent* Source) {
  if (auto* w = dynamic_cast<const TWideStrings*>(Source)) {
    BeginUpdate();
    Clear();
    AddStrings(w);
    EndUpdate();
    return;
  }
  if (auto* s = dynamic_cast<const TStrings*>(Source)) {
    BeginUpdate();
    Clear();
    AddStrings(s);
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

void TWideStrings::AssignTo(TPersistent* Dest) const {
  if (auto* w = dynamic_cast<TWideStrings*>(Dest)) {
    w->Assign(this);
    return;
  }
  if (auto* s = dynamic_cast<TStrings*>(Dest)) {
    s->BeginUpdate();
    s->Clear();
    for (int i = 0; i < GetCount(); ++i) s->AddObject(Narrow(Get(i)), GetObject(i));
    s->EndUpdate();
    return;
  }
  TPersistent::AssignTo(Dest);
}

void TWideStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TWideStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

bool TWideStrings::Equals(const TWideStrings& Other) const {
  if (GetCount() != Other.GetCount()) return false;
  for (int i = 0; i < GetCount(); ++i)
    if (Get(i) != Other.Get(i)) return false;
  return true;
}

void TWideStrings::Exchange(int Index1, int Index2) {
  BeginUpdate();
  const std::u16string a = Get(Index1), b = Get(Index2);
  TObject* oa = GetObject(Index1);
  TObject* ob = GetObject(Index2);
  Put(Index1, b);
  PutObject(Index1, ob);
  Put(Index2, a);
  PutObject(Index2, oa);
  EndUpdate();
}

void TWideStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  BeginUpdate();
  const std::u16string s = Get(CurIndex);
  TObject* o = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, s, o);
  EndUpdate();
}

int TWideStrings::CompareWide(const std::u16string& A, const std::u16string& B) {
  QCollator c;
  c.setCaseSensitivity(Qt::CaseInsensitive);
  const int r = c.compare(QString::fromUtf16(A.data(), static_cast<qsizetype>(A.size())),
                          QString::fromUtf16(B.data(), static_cast<qsizetype>(B.size())));
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

int TWideStrings::IndexOf(const std::u16string& S) const {
  for (int i = 0; i < GetCount(); ++i)
    if (CompareWide(Get(i), S) == 0) return i;
  return -1;
}

std::u16string TWideStrings::GetText() const {
  std::u16string out;
  for (int i = 0; i < GetCount(); ++i) out += Get(i) + u"\r\n";
  return out;
}

void TWideStrings::SetText(const std::u16string& Value) {
  BeginUpdate();
  Clear();
  size_t start = 0;
  for (size_t i = 0; i < Value.size(); ++i) {
    if (!IsLineBreak(Value[i])) continue;
    Add(Value.substr(start, i - start));
    if (Value[i] == u'\r' && i + 1 < Value.size() && Value[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  if (start < Value.size()) Add(Value.substr(start));
  EndUpdate();
}

void TWideStrings::DefineProperties(TFiler& Filer) {
  TPersistent::DefineProperties(Filer);
  Filer.DefineProperty(
      "WideStrings",
      [this](TReader& R) {
        // 8-bit and wide string values are both taken.
        std::vector<std::u16string> items;
        R.ReadListBegin();
        while (!R.EndOfList()) items.push_back(R.ReadWideString());
        R.ReadListEnd();
        BeginUpdate();
        Clear();
        for (const std::u16string& s : items) Add(s);
        EndUpdate();
      },
      [this](TWriter& W) {
        W.WriteListBegin();
        for (int i = 0; i < GetCount(); ++i) W.WriteWideString(Get(i));
        W.WriteListEnd();
      },
      GetCount() > 0);
}

// ================================================================ TComboBoxStrings

std::u16string TComboBoxStrings::Get(int Index) const { return Wide(FCombo->Items()->Get(Index)); }

int TComboBoxStrings::GetCount() const { return FCombo->Items()->Count(); }

void TComboBoxStrings::Insert(int Index, const std::u16string& S) { FCombo->Items()->Insert(Index, Narrow(S)); }

void TComboBoxStrings::Delete(int Index) { FCombo->Items()->Delete(Index); }

void TComboBoxStrings::Clear() {
  const std::u16string text = FCombo->GetTextWide();
  FCombo->Items()->Clear();
  FCombo->SetTextWide(text);
  FCombo->Invalidate();
}

TObject* TComboBoxStrings::GetObject(int Index) const { return FCombo->Items()->Objects(Index); }

void TComboBoxStrings::PutObject(int Index, TObject* AObject) { FCombo->Items()->PutObject(Index, AObject); }

int TComboBoxStrings::IndexOf(const std::u16string& S) const {
  for (int i = 0; i < GetCount(); ++i)
    if (Get(i) == S) return i;
  return -1;
}

void TComboBoxStrings::SetUpdateState(bool Updating) {
  if (Updating) FCombo->Items()->BeginUpdate();
  else FCombo->Items()->EndUpdate();
}

// ================================================================ TCustomUNIComboBox

TCustomUNIComboBox::TCustomUNIComboBox(TComponent* AOwner)
    : TEditComboBox(AOwner), FUniItems(std::make_unique<TComboBoxStrings>(this)) {}

TCustomUNIComboBox::~TCustomUNIComboBox() = default;

void TCustomUNIComboBox::SetTextWide(const std::u16string& Value) {
  if (Value != GetTextWide()) SetText(Narrow(Value));
}

void TCustomUNIComboBox::KeyPress(TKeyChar& Key) {
  CharHook(Key);
  if (Key != 0) TEditComboBox::KeyPress(Key);
}
