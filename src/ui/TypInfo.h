// Published properties by name: per-class tables (declared with UI_IMPLEMENT_CLASS), typed
// accessors and the helpers the skin engine reads controls through. Names of properties and of
// enumeration identifiers are matched ASCII case-insensitively. Portable.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Classes.h"

namespace ui {

enum class TTypeKind { tkInteger, tkEnumeration, tkString, tkClass, tkSet };

// Identifiers of an enumeration, in ordinal order. Booleans are the enumeration False, True.
// A set property names the identifiers of its element type; its value is a bit mask.
struct TEnumInfo {
  std::string Name;
  std::vector<std::string> Identifiers;
  // The ordinal of an identifier (case-insensitive), -1 when there is none.
  int ValueOf(std::string_view identifier) const;
  std::string NameOf(int64_t value) const;  // empty when out of range
};

const TEnumInfo& BooleanInfo();

struct TPropInfo {
  std::string Name;
  TTypeKind Kind = TTypeKind::tkInteger;
  const TEnumInfo* EnumType = nullptr;      // enumerations, Booleans and sets
  const TClassInfo* ClassType = nullptr;    // object properties
  std::function<int64_t(TObject*)> GetOrd;  // integer, enumeration, set
  std::function<void(TObject*, int64_t)> SetOrd;
  std::function<std::wstring(TObject*)> GetStr;
  std::function<void(TObject*, const std::wstring&)> SetStr;
  std::function<TObject*(TObject*)> GetObj;
  std::function<void(TObject*, TObject*)> SetObj;
  bool Writable() const { return SetOrd || SetStr || SetObj; }
};

// Builders for the property table of class C; getters and setters are member functions.
// A null setter makes the property read-only.
template <class C>
struct Prop {
  template <class G, class S = std::nullptr_t>
  static TPropInfo Int(const char* name, G get, S set = nullptr) {
    TPropInfo p;
    p.Name = name;
    p.GetOrd = [get](TObject* o) { return static_cast<int64_t>((Self(o)->*get)()); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
      p.SetOrd = [set](TObject* o, int64_t v) {
        using Arg = std::decay_t<decltype((Self(o)->*get)())>;
        if constexpr (std::is_integral_v<Arg> && !std::is_same_v<Arg, bool>) {
          // A value the property cannot hold is refused, not cut down to something else.
          if (v < static_cast<int64_t>(std::numeric_limits<Arg>::min()) ||
              (v > 0 &&
               static_cast<uint64_t>(v) > static_cast<uint64_t>(std::numeric_limits<Arg>::max())))
            throw EPropertyError(L"Value out of range");
        }
        (Self(o)->*set)(static_cast<Arg>(v));
      };
    }
    return p;
  }
  template <class G, class S = std::nullptr_t>
  static TPropInfo Enum(const char* name, const TEnumInfo& type, G get, S set = nullptr) {
    TPropInfo p = Int(name, get, set);
    p.Kind = TTypeKind::tkEnumeration;
    p.EnumType = &type;
    return p;
  }
  template <class G, class S = std::nullptr_t>
  static TPropInfo Bool(const char* name, G get, S set = nullptr) {
    return Enum(name, BooleanInfo(), get, set);
  }
  template <class G, class S = std::nullptr_t>
  static TPropInfo Set(const char* name, const TEnumInfo& elements, G get, S set = nullptr) {
    TPropInfo p = Int(name, get, set);
    p.Kind = TTypeKind::tkSet;
    p.EnumType = &elements;
    return p;
  }
  template <class G, class S = std::nullptr_t>
  static TPropInfo Str(const char* name, G get, S set = nullptr) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TTypeKind::tkString;
    p.GetStr = [get](TObject* o) { return std::wstring((Self(o)->*get)()); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
      p.SetStr = [set](TObject* o, const std::wstring& v) { (Self(o)->*set)(v); };
    }
    return p;
  }
  // An object property of class T (T must derive from TObject).
  template <class T, class G, class S = std::nullptr_t>
  static TPropInfo Obj(const char* name, G get, S set = nullptr) {
    TPropInfo p;
    p.Name = name;
    p.Kind = TTypeKind::tkClass;
    p.ClassType = &T::StaticClassInfo();
    p.GetObj = [get](TObject* o) -> TObject* { return (Self(o)->*get)(); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
      p.SetObj = [set](TObject* o, TObject* v) {
        (Self(o)->*set)(v && v->Is<T>() ? static_cast<T*>(v) : nullptr);
      };
    }
    return p;
  }

 private:
  static C* Self(TObject* o) { return static_cast<C*>(o); }
};

// ---- Lookup and typed access ------------------------------------------------------------------

// nullptr when the object is nil or publishes no property of that name.
const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name);
// Whether the object publishes a property of that name and kind.
bool IsPublishedProp(const TObject* obj, std::string_view name, TTypeKind kind);

// Typed access; EPropertyError when the property is missing, of another kind or read-only.
int64_t GetOrdProp(TObject* obj, std::string_view name);
void SetOrdProp(TObject* obj, std::string_view name, int64_t value);
std::string GetEnumProp(TObject* obj, std::string_view name);
void SetEnumProp(TObject* obj, std::string_view name, std::string_view identifier);
std::wstring GetStrProp(TObject* obj, std::string_view name);
void SetStrProp(TObject* obj, std::string_view name, const std::wstring& value);
TObject* GetObjectProp(TObject* obj, std::string_view name);
void SetObjectProp(TObject* obj, std::string_view name, TObject* value);

// ---- The engine's forgiving helpers (never throw) ---------------------------------------------

// An integer (or colour) property; -1 for a nil object, a missing property or another kind.
int64_t GetOrdProperty(TObject* obj, std::string_view name);
// The identifier of an enumeration or Boolean property ("True"); empty when missing.
std::string GetEnumPropertyName(TObject* obj, std::string_view name);
// A string property as wide text; empty when missing.
std::wstring GetTextProperty(TObject* obj, std::string_view name);
// An object property when it is of class `cls` (or a descendant); nil otherwise.
TObject* GetObjectProperty(TObject* obj, std::string_view name, const TClassInfo& cls);
template <class T>
T* GetObjectProperty(TObject* obj, std::string_view name) {
  return static_cast<T*>(GetObjectProperty(obj, name, T::StaticClassInfo()));
}
// Sets an integer from decimal text, an enumeration by identifier or a string; other kinds,
// unknown identifiers and non-numbers are ignored. Answers whether a value was set.
bool SetPropertyText(TObject* obj, std::string_view name, const std::wstring& text);

}  // namespace ui
