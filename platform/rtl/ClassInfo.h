#pragma once
// Class information: one registry of classes (name, parent, factory, editor
// name) and, per class, the table of its published properties (name, kind,
// getter, setter, default, stored rule). Streaming, the editors and
// translation read the same table.
//
// Declaring a class:
//   class TFoo : public TComponent {
//     KV_CLASS(TFoo, TComponent)          // first in the class body
//    public: ...
//   };
// and once in its .cpp:
//   KV_CLASS_IMPL(TFoo, TComponent) {
//     c.Property("Width", &TFoo::GetWidth, &TFoo::SetWidth).Default(10);
//     c.Property("Style", &TFoo::GetStyle, &TFoo::SetStyle).Names({"psSolid", "psDash"});
//     c.Property("Color", &TFoo::FColor).Kind(TPropKind::pkColor).Default(clRed);
//     c.Property("Caption", &TFoo::GetCaption, &TFoo::SetCaption).Stored(&TFoo::IsCaptionStored);
//     c.Editor("TFooEditor");
//   }
// A class registers itself when its .cpp is linked in; units whose classes
// are only ever created by name must offer a registration routine that the
// program calls at start-up, because the linker drops unreferenced objects.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "platform/rtl/Types.h"

class TObject;
class TComponent;
class TClassInfo;
using TClass = const TClassInfo*;

template <class T, class... A>
T* Create(A&&... args);

enum class TPropKind { pkInteger, pkInt64, pkFloat, pkString, pkBool, pkEnum, pkSet, pkColor, pkClass };

// Value of a property: integers, enumeration ordinals, set bits and colours
// travel as int64_t; objects as TObject*.
using TPropValue = std::variant<std::monostate, int64_t, double, std::string, bool, TObject*>;

struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::pkInteger;
  std::vector<std::string> EnumNames;  // pkEnum / pkSet: element names by ordinal
  TClass (*PropClass)() = nullptr;     // pkClass: the class of the referenced object
  std::function<TPropValue(const TObject*)> Get;
  std::function<void(TObject*, const TPropValue&)> Set;  // empty: read-only (owned sub-object)
  TPropValue Default;                                    // monostate: no default
  std::function<bool(const TObject*)> StoredRule;        // empty: always stored

  bool HasDefault() const { return !std::holds_alternative<std::monostate>(Default); }
  bool IsReadOnly() const { return !Set; }
  // Written by streaming: the stored rule holds and the value differs from the default.
  bool IsStored(const TObject* obj) const;
  // The value as text ("True", enumeration names, "[a,b]" for sets, "." decimals)
  // and back; SetText raises EConvertError naming the property for bad text.
  std::string GetText(const TObject* obj) const;
  void SetText(TObject* obj, std::string_view text) const;
};

class TClassInfo {
 public:
  using TFactory = TObject* (*)(TComponent* Owner);

  TClassInfo(std::string name, TClass parent) : FName(std::move(name)), FParent(parent) {}
  const std::string& ClassName() const { return FName; }
  TClass ClassParent() const { return FParent; }
  bool InheritsFrom(TClass ancestor) const;
  // Abstract classes and classes without a suitable constructor have none.
  bool CanCreate() const { return FFactory != nullptr; }
  // Creates through Create<T>(Owner) (or Create<T>() for classes without owner);
  // EInvalidOperation "Cannot create an instance of TX" when it cannot.
  TObject* CreateInstance(TComponent* Owner = nullptr) const;
  // The editor registered for this class or its nearest ancestor.
  std::string EditorName() const;
  const std::vector<TPropInfo>& OwnProperties() const { return FProps; }
  // Ancestors' first; a property declared again by a descendant is listed
  // once, in the ancestor's place, with the descendant's declaration.
  std::vector<const TPropInfo*> Properties() const;
  const TPropInfo* FindProperty(std::string_view name) const;  // case-insensitive

  // Filled once by the class's description.
  TFactory FFactory = nullptr;
  std::string FEditorName;
  std::vector<TPropInfo> FProps;

 private:
  std::string FName;
  TClass FParent;
};

namespace ClassInfo {

void RegisterClass(TClass cls);
void UnRegisterClass(TClass cls);
TClass GetClass(std::string_view name);   // nullptr when unknown (case-insensitive)
TClass FindClass(std::string_view name);  // EClassNotFound "Class TX not found"
TObject* CreateByName(std::string_view name, TComponent* Owner = nullptr);
std::vector<TClass> RegisteredClasses();  // in registration order
std::vector<TClass> DescendantsOf(TClass ancestor);

}  // namespace ClassInfo

// ---------------------------------------------------------------- builder
namespace ClassInfoDetail {

template <class T> struct IsFlags : std::false_type {};
template <class E> struct IsFlags<Flags<E>> : std::true_type {};

template <class V>
constexpr TPropKind KindOf() {
  if constexpr (std::is_same_v<V, bool>) return TPropKind::pkBool;
  else if constexpr (std::is_enum_v<V>) return TPropKind::pkEnum;
  else if constexpr (IsFlags<V>::value) return TPropKind::pkSet;
  else if constexpr (std::is_integral_v<V>) return sizeof(V) > 4 ? TPropKind::pkInt64 : TPropKind::pkInteger;
  else if constexpr (std::is_floating_point_v<V>) return TPropKind::pkFloat;
  else if constexpr (std::is_same_v<V, std::string>) return TPropKind::pkString;
  else {
    static_assert(std::is_pointer_v<V>, "unsupported property type");
    return TPropKind::pkClass;
  }
}

template <class V>
TPropValue ToValue(const V& v) {
  if constexpr (std::is_same_v<V, bool>) return v;
  else if constexpr (std::is_enum_v<V>) return static_cast<int64_t>(v);
  else if constexpr (IsFlags<V>::value) return static_cast<int64_t>(v.ToBits());
  else if constexpr (std::is_integral_v<V>) return static_cast<int64_t>(v);
  else if constexpr (std::is_floating_point_v<V>) return static_cast<double>(v);
  else if constexpr (std::is_same_v<V, std::string>) return v;
  else return static_cast<TObject*>(const_cast<std::remove_const_t<std::remove_pointer_t<V>>*>(v));
}

[[noreturn]] void BadValue(const std::string& propName);

template <class V>
V FromValue(const TPropValue& pv, const std::string& propName) {
  if constexpr (std::is_same_v<V, bool>) {
    if (auto* b = std::get_if<bool>(&pv)) return *b;
    if (auto* i = std::get_if<int64_t>(&pv)) return *i != 0;
  } else if constexpr (std::is_enum_v<V>) {
    if (auto* i = std::get_if<int64_t>(&pv)) return static_cast<V>(*i);
  } else if constexpr (IsFlags<V>::value) {
    if (auto* i = std::get_if<int64_t>(&pv)) return V::FromBits(static_cast<uint64_t>(*i));
  } else if constexpr (std::is_integral_v<V>) {
    if (auto* i = std::get_if<int64_t>(&pv)) return static_cast<V>(*i);
    if (auto* b = std::get_if<bool>(&pv)) return static_cast<V>(*b);
  } else if constexpr (std::is_floating_point_v<V>) {
    if (auto* d = std::get_if<double>(&pv)) return static_cast<V>(*d);
    if (auto* i = std::get_if<int64_t>(&pv)) return static_cast<V>(*i);
  } else if constexpr (std::is_same_v<V, std::string>) {
    if (auto* s = std::get_if<std::string>(&pv)) return *s;
  } else {
    if (auto* o = std::get_if<TObject*>(&pv)) {
      if (*o == nullptr) return nullptr;
      if (auto* t = dynamic_cast<V>(*o)) return t;
    }
  }
  BadValue(propName);
}

template <class V>
TPropValue DefaultValue(const V& v) {
  return ToValue(v);
}

[[noreturn]] void WrongClass(const std::string& propName);

// The object a property is read from or written to, as the class that declares it.
template <class C, class O>
auto& As(O* obj, const std::string& propName) {
  using Target = std::conditional_t<std::is_const_v<O>, const C, C>;
  auto* c = dynamic_cast<Target*>(obj);
  if (!c) WrongClass(propName);
  return *c;
}

template <class T, class = void> struct HasStaticClass : std::false_type {};
template <class T>
struct HasStaticClass<T, std::void_t<decltype(T::StaticClass())>> : std::true_type {};

}  // namespace ClassInfoDetail

template <class C>
class TClassBuilder {
 public:
  explicit TClassBuilder(TClassInfo& info) : FInfo(info) {}

  // getter: member function (const) or data member; setter: member function,
  // or omitted (a data member is then assigned, a getter is read-only).
  template <class G, class S = std::nullptr_t>
  TClassBuilder& Property(const char* name, G getter, S setter = nullptr) {
    using V = std::decay_t<std::invoke_result_t<G, const C&>>;
    TPropInfo p;
    p.Name = name;
    p.Kind = ClassInfoDetail::KindOf<V>();
    if constexpr (std::is_pointer_v<V>) {
      using T = std::remove_const_t<std::remove_pointer_t<V>>;
      if constexpr (ClassInfoDetail::HasStaticClass<T>::value) p.PropClass = &T::StaticClass;
    }
    const std::string propName = name;
    p.Get = [getter, propName](const TObject* obj) -> TPropValue {
      return ClassInfoDetail::ToValue<V>(std::invoke(getter, ClassInfoDetail::As<C>(obj, propName)));
    };
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
      p.Set = [setter, propName](TObject* obj, const TPropValue& v) {
        std::invoke(setter, ClassInfoDetail::As<C>(obj, propName), ClassInfoDetail::FromValue<V>(v, propName));
      };
    } else if constexpr (std::is_member_object_pointer_v<G>) {
      p.Set = [getter, propName](TObject* obj, const TPropValue& v) {
        std::invoke(getter, ClassInfoDetail::As<C>(obj, propName)) = ClassInfoDetail::FromValue<V>(v, propName);
      };
    }
    FInfo.FProps.push_back(std::move(p));
    return *this;
  }

  // The value that is not written (streaming) and that a reset restores.
  template <class V>
  TClassBuilder& Default(const V& value) {
    if constexpr (std::is_convertible_v<V, std::string> && !std::is_arithmetic_v<V>)
      Last().Default = std::string(value);
    else if constexpr (std::is_floating_point_v<V>)
      Last().Default = static_cast<double>(value);
    else
      Last().Default = ClassInfoDetail::DefaultValue<V>(value);
    return *this;
  }
  TClassBuilder& Stored(bool always) {
    if (!always) Last().StoredRule = [](const TObject*) { return false; };
    return *this;
  }
  TClassBuilder& Stored(bool (C::*rule)() const) {
    Last().StoredRule = [rule, propName = Last().Name](const TObject* obj) {
      return (ClassInfoDetail::As<C>(obj, propName).*rule)();
    };
    return *this;
  }
  TClassBuilder& Kind(TPropKind kind) {
    Last().Kind = kind;
    return *this;
  }
  TClassBuilder& Names(std::initializer_list<const char*> names) {
    Last().EnumNames.assign(names.begin(), names.end());
    return *this;
  }
  TClassBuilder& Editor(const char* editorName) {
    FInfo.FEditorName = editorName;
    return *this;
  }

 private:
  TPropInfo& Last() { return FInfo.FProps.back(); }
  TClassInfo& FInfo;
};

namespace ClassInfoDetail {

TClassInfo* NewClassInfo(const char* name, TClass parent);

template <class C>
TObject* Factory(TComponent* Owner) {
  if constexpr (std::is_constructible_v<C, TComponent*>)
    return Create<C>(Owner);
  else
    return Create<C>();
}

template <class C>
TClass Describe(const char* name, TClass parent) {
  TClassInfo* info = NewClassInfo(name, parent);
  if constexpr (!std::is_abstract_v<C> &&
                (std::is_constructible_v<C, TComponent*> || std::is_default_constructible_v<C>))
    info->FFactory = &Factory<C>;
  TClassBuilder<C> builder(*info);
  C::DescribeClass(builder);
  return info;
}

}  // namespace ClassInfoDetail

#define KV_CLASS(Cls, Base)                                   \
 public:                                                      \
  using inherited = Base;                                     \
  static TClass StaticClass();                                \
  TClass ClassType() const override { return StaticClass(); } \
  static void DescribeClass(TClassBuilder<Cls>& c);           \
                                                              \
 private:

#define KV_CLASS_IMPL(Cls, Base)                                                   \
  TClass Cls::StaticClass() {                                                      \
    static const TClass info = ClassInfoDetail::Describe<Cls>(#Cls, Base::StaticClass()); \
    return info;                                                                   \
  }                                                                                \
  [[maybe_unused]] static const bool kv_class_registered_##Cls =                   \
      (ClassInfo::RegisterClass(Cls::StaticClass()), true);                        \
  void Cls::DescribeClass([[maybe_unused]] TClassBuilder<Cls>& c)
