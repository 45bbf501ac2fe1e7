#pragma once
// GvUni: wide (UTF-16) strings for the grid. TWideStrings is an abstract
// list of wide strings with a UTF-8 view (AnsiStrings) of the same list; the
// edit TGvUniEdit and the combo box TCustomUNIComboBox take and give UTF-16
// text, the combo's items being a TWideStrings (TComboBoxStrings) over its
// ordinary item list.

#include "platform/ui/CustomEdit.h"
#include "platform/ui/EditCombo.h"

#include <memory>
#include <string>

class TWideStrings : public TPersistent {
  KV_CLASS(TWideStrings, TPersistent)
 public:
  TWideStrings();
  ~TWideStrings() override;
  // The UTF-8 view of the same list; setting it assigns the given list into the view.
  TStrings* GetAnsiStrings() const { return FAnsiStrings.get(); }
  void SetAnsiStrings(const TStrings* Value);

  virtual std::u16string Get(int Index) const = 0;
  virtual int GetCount() const = 0;
  virtual void Insert(int Index, const std::u16string& S) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  // This list keeps no objects: nil, and putting one does nothing.
  virtual TObject* GetObject(int /*Index*/) const { return nullptr; }
  virtual void PutObject(int /*Index*/, TObject* /*AObject*/) {}
  // Replaces item Index keeping its object.
  virtual void Put(int Index, const std::u16string& S);
  int Count() const { return GetCount(); }
  int GetCapacity() const { return GetCount(); }
  void SetCapacity(int /*Value*/) {}

  int Add(const std::u16string& S);
  int AddObject(const std::u16string& S, TObject* AObject);
  void InsertObject(int Index, const std::u16string& S, TObject* AObject);
  void AddStrings(const TStrings* Strings);
  void AddStrings(const TWideStrings* Strings);
  // From and to a TWideStrings or a framework string list (objects kept where stored).
  void Assign(const TPersistent* Source) override;
  void AssignTo(TPersistent* Dest) const override;
  void BeginUpdate();
  void EndUpdate();
  bool Equals(const TWideStrings& Other) const;
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);
  // The first item equal to S by the case-insensitive locale comparison.
  virtual int IndexOf(const std::u16string& S) const;
  // Every item followed by CR LF.
  std::u16string GetText() const;
  // One item per line: a line ends at #0, LF, VT, FF, CR, U+2028 or U+2029; CR LF is one break.
  void SetText(const std::u16string& Value);
  // -1, 0 or 1 by the user's locale, ignoring case.
  static int CompareWide(const std::u16string& A, const std::u16string& B);
  // Streams the items as the list property "WideStrings" (written when not empty).
  void DefineProperties(TFiler& Filer) override;

 protected:
  virtual void SetUpdateState(bool /*Updating*/) {}

 private:
  std::unique_ptr<TStrings> FAnsiStrings;
  int FUpdateCount = 0;
};

class TCustomUNIComboBox;

// The wide items of a TCustomUNIComboBox: they live in its ordinary item list.
class TComboBoxStrings : public TWideStrings {
  KV_CLASS(TComboBoxStrings, TWideStrings)
 public:
  explicit TComboBoxStrings(TCustomUNIComboBox* ACombo = nullptr) : FCombo(ACombo) {}
  std::u16string Get(int Index) const override;
  int GetCount() const override;
  void Insert(int Index, const std::u16string& S) override;
  void Delete(int Index) override;
  // Keeps the combo's text.
  void Clear() override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  // Exact comparison, as the list window matches.
  int IndexOf(const std::u16string& S) const override;

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  TCustomUNIComboBox* FCombo;
};

class TCustomUNIEdit : public TCustomEdit {
  KV_CLASS(TCustomUNIEdit, TCustomEdit)
 public:
  explicit TCustomUNIEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

class TGvUniEdit : public TCustomUNIEdit {
  KV_CLASS(TGvUniEdit, TCustomUNIEdit)
 public:
  explicit TGvUniEdit(TComponent* AOwner) : TCustomUNIEdit(AOwner) {}
};

class TCustomUNIComboBox : public TEditComboBox {
  KV_CLASS(TCustomUNIComboBox, TEditComboBox)
 public:
  explicit TCustomUNIComboBox(TComponent* AOwner);
  ~TCustomUNIComboBox() override;
  TComboBoxStrings* UniItems() const { return FUniItems.get(); }
  std::u16string GetTextWide() const { return CustomEdit::Wide(GetText()); }
  void SetTextWide(const std::u16string& Value);
  // The character hook for typed characters (nothing here).
  virtual void CharHook(TKeyChar& /*Key*/) {}
  void KeyPress(TKeyChar& Key) override;

 private:
  std::unique_ptr<TComboBoxStrings> FUniItems;
};
