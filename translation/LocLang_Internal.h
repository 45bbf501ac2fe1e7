#pragma once
// Property walks of the translation component over the property tables.

#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/ClassInfo.h"
#include "translation/LocLang.h"

using TPropKinds = Flags<TPropKind>;

// The published properties of an object whose kind is in a set, by name.
class TLocPropInfoList {
 public:
  TLocPropInfoList(const TObject* Instance, TPropKinds Kinds);
  int Count() const { return static_cast<int>(FItems.size()); }
  const TPropInfo* Items(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
  // First property of that name (without case), or none.
  const TPropInfo* Find(std::string_view Name) const;

  static TPropKinds Usual();
  static TPropKinds ClassKinds() { return TPropKind::pkClass; }
  static TPropKinds StringKinds() { return TPropKind::pkString; }

 private:
  std::vector<const TPropInfo*> FItems;
};

namespace LocLangDetail {

const TPropInfo* FindProp(const TObject* Obj, std::string_view Name);
inline bool IsString(const TPropInfo* P) { return P && P->Kind == TPropKind::pkString; }
inline bool IsClass(const TPropInfo* P) { return P && P->Kind == TPropKind::pkClass; }
inline bool ReadWrite(const TPropInfo* P) { return P && P->Get && P->Set; }
TObject* ObjectValue(const TObject* Obj, const TPropInfo* P);
TObject* ObjectProp(const TObject* Obj, std::string_view Name);
// The text of a string property; "" when it cannot be read.
std::string PropertyText(const TObject* Obj, const TPropInfo* P);
void SetPropertyText(TObject* Obj, const TPropInfo* P, const std::string& Text);
TTypeKind TypeKindOf(const TPropInfo* P);
// The component of Owner named Name (exactly by name, without case).
TComponent* OwnedComponent(const TComponent* Owner, std::string_view Name);
bool StartsWith(std::string_view Text, std::string_view Prefix);
// True when the component's ParentFont property is set.
bool ParentFontOn(const TComponent* C);
// The lines of List joined by CR LF.
std::string JoinLines(const TStrings* List);

}  // namespace LocLangDetail
