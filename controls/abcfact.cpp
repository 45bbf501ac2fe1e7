#include "controls/abcfact.h"

#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"

bool TabcFormFactory::TLess::operator()(const std::string& A, const std::string& B) const {
  return SysUtils::CompareText(A, B) < 0;
}

TabcFormFactory& TabcFormFactory::Instance() {
  static TabcFormFactory factory;
  return factory;
}

void TabcFormFactory::RegisterFormClass(TClass FormClass) { RegisterFormOverride(FormClass, FormClass); }

void TabcFormFactory::RegisterFormOverride(TClass Base, TClass Concrete) {
  if (!Base || !Concrete) throw Exception("Form Factory error: no form class given");
  if (!Concrete->InheritsFrom(Base))
    throw Exception("Form Factory error: " + Concrete->ClassName() + " does not inherit from " + Base->ClassName());
  auto it = FClasses.find(Base->ClassName());
  if (it != FClasses.end()) {
    ClassInfo::UnRegisterClass(it->second);
    FClasses.erase(it);
  }
  ClassInfo::RegisterClass(Concrete);
  FClasses.emplace(Base->ClassName(), Concrete);
}

TClass TabcFormFactory::FindFormClass(TClass Base) const {
  if (!Base) return nullptr;
  auto it = FClasses.find(Base->ClassName());
  return it == FClasses.end() ? nullptr : it->second;
}

TForm* TabcFormFactory::CreateFormOf(TClass Base, TComponent* Owner) const {
  TClass cls = FindFormClass(Base);
  if (!cls || !cls->CanCreate()) return nullptr;
  TObject* obj = cls->CreateInstance(Owner);
  auto* form = dynamic_cast<TForm*>(obj);
  if (!form && obj) obj->Free();
  return form;
}
