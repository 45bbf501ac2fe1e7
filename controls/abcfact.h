#pragma once
// TabcFormFactory: which form class is created when the kit asks for a form of
// a given class, so that a program can put its own descendant in place.

#include "platform/rtl/Classes.h"

#include <map>
#include <string>

class TForm;

class TabcFormFactory : public TObject {
 public:
  // The one factory of the process, made on first use.
  static TabcFormFactory& Instance();

  // Registers FormClass for itself.
  void RegisterFormClass(TClass FormClass);
  // Registers Concrete for Base; raises Exception "Form Factory error: <concrete>
  // does not inherit from <base>" when Concrete does not descend from Base.
  void RegisterFormOverride(TClass Base, TClass Concrete);
  // The class registered for Base, or none.
  TClass FindFormClass(TClass Base) const;
  // A form of the class registered for Base, owned by Owner; none when no class is registered.
  TForm* CreateFormOf(TClass Base, TComponent* Owner) const;

 private:
  struct TLess {
    bool operator()(const std::string& A, const std::string& B) const;
  };
  std::map<std::string, TClass, TLess> FClasses;  // by the base class's name
};
