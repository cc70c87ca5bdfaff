#include "ui/TypInfo.h"

#include <cwctype>

#include "ui/Text.h"

namespace ui {

namespace {

std::wstring Widen(std::string_view s) { return std::wstring(s.begin(), s.end()); }

std::string NarrowAscii(const std::wstring& s) {
  std::string out;
  out.reserve(s.size());
  for (wchar_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

const TPropInfo& Require(TObject* obj, std::string_view name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p) throw EPropertyError(L"Property " + Widen(name) + L" does not exist");
  return *p;
}

[[noreturn]] void WrongKind(std::string_view name) {
  throw EPropertyError(L"Property " + Widen(name) + L" is of another kind or read-only");
}

bool IsOrdinal(TTypeKind k) {
  return k == TTypeKind::tkInteger || k == TTypeKind::tkEnumeration || k == TTypeKind::tkSet;
}

// Decimal text with an optional sign, surrounding blanks allowed; false for anything else.
bool ParseDecimal(const std::wstring& text, int64_t& out) {
  size_t i = 0, n = text.size();
  while (i < n && std::iswspace(text[i])) ++i;
  while (n > i && std::iswspace(text[n - 1])) --n;
  bool negative = false;
  if (i < n && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  if (i == n) return false;
  int64_t value = 0;
  for (; i < n; ++i) {
    if (text[i] < L'0' || text[i] > L'9') return false;
    if (value > (INT64_MAX - 9) / 10) return false;
    value = value * 10 + (text[i] - L'0');
  }
  out = negative ? -value : value;
  return true;
}

}  // namespace

int TEnumInfo::ValueOf(std::string_view identifier) const {
  for (size_t i = 0; i < Identifiers.size(); ++i)
    if (EqualsNoCase(Identifiers[i], identifier)) return static_cast<int>(i);
  return -1;
}

std::string TEnumInfo::NameOf(int64_t value) const {
  if (value < 0 || value >= static_cast<int64_t>(Identifiers.size())) return {};
  return Identifiers[static_cast<size_t>(value)];
}

const TEnumInfo& BooleanInfo() {
  static const TEnumInfo info{"Boolean", {"False", "True"}};
  return info;
}

const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name) {
  return obj ? obj->ClassInfo().FindProp(name) : nullptr;
}

bool IsPublishedProp(const TObject* obj, std::string_view name, TTypeKind kind) {
  const TPropInfo* p = GetPropInfo(obj, name);
  return p && p->Kind == kind;
}

int64_t GetOrdProp(TObject* obj, std::string_view name) {
  const TPropInfo& p = Require(obj, name);
  if (!IsOrdinal(p.Kind) || !p.GetOrd) WrongKind(name);
  return p.GetOrd(obj);
}

void SetOrdProp(TObject* obj, std::string_view name, int64_t value) {
  const TPropInfo& p = Require(obj, name);
  if (!IsOrdinal(p.Kind) || !p.SetOrd) WrongKind(name);
  p.SetOrd(obj, value);
}

std::string GetEnumProp(TObject* obj, std::string_view name) {
  const TPropInfo& p = Require(obj, name);
  if (p.Kind != TTypeKind::tkEnumeration) WrongKind(name);
  return p.EnumType->NameOf(p.GetOrd(obj));
}

void SetEnumProp(TObject* obj, std::string_view name, std::string_view identifier) {
  const TPropInfo& p = Require(obj, name);
  if (p.Kind != TTypeKind::tkEnumeration || !p.SetOrd) WrongKind(name);
  int value = p.EnumType->ValueOf(identifier);
  if (value < 0)
    throw EPropertyError(L"Invalid value " + Widen(identifier) + L" for property " + Widen(name));
  p.SetOrd(obj, value);
}

std::wstring GetStrProp(TObject* obj, std::string_view name) {
  const TPropInfo& p = Require(obj, name);
  if (p.Kind != TTypeKind::tkString) WrongKind(name);
  return p.GetStr(obj);
}

void SetStrProp(TObject* obj, std::string_view name, const std::wstring& value) {
  const TPropInfo& p = Require(obj, name);
  if (p.Kind != TTypeKind::tkString || !p.SetStr) WrongKind(name);
  p.SetStr(obj, value);
}

TObject* GetObjectProp(TObject* obj, std::string_view name) {
  const TPropInfo& p = Require(obj, name);
  if (p.Kind != TTypeKind::tkClass) WrongKind(name);
  return p.GetObj(obj);
}

void SetObjectProp(TObject* obj, std::string_view name, TObject* value) {
  const TPropInfo& p = Require(obj, name);
  if (p.Kind != TTypeKind::tkClass || !p.SetObj) WrongKind(name);
  p.SetObj(obj, value);
}

// The forgiving helpers catch what a property's own accessor throws too: they are called from
// paint and message paths where an exception would have nowhere to go.

int64_t GetOrdProperty(TObject* obj, std::string_view name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || p->Kind != TTypeKind::tkInteger || !p->GetOrd) return -1;
  try {
    return p->GetOrd(obj);
  } catch (...) {
    return -1;
  }
}

std::string GetEnumPropertyName(TObject* obj, std::string_view name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || p->Kind != TTypeKind::tkEnumeration || !p->GetOrd) return {};
  try {
    return p->EnumType->NameOf(p->GetOrd(obj));
  } catch (...) {
    return {};
  }
}

std::wstring GetTextProperty(TObject* obj, std::string_view name) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || p->Kind != TTypeKind::tkString || !p->GetStr) return {};
  try {
    return p->GetStr(obj);
  } catch (...) {
    return {};
  }
}

TObject* GetObjectProperty(TObject* obj, std::string_view name, const TClassInfo& cls) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p || p->Kind != TTypeKind::tkClass || !p->GetObj) return nullptr;
  try {
    TObject* value = p->GetObj(obj);
    return value && value->InheritsFrom(cls) ? value : nullptr;
  } catch (...) {
    return nullptr;
  }
}

bool SetPropertyText(TObject* obj, std::string_view name, const std::wstring& text) {
  const TPropInfo* p = GetPropInfo(obj, name);
  if (!p) return false;
  try {
    switch (p->Kind) {
      case TTypeKind::tkInteger: {
        int64_t value;
        if (!p->SetOrd || !ParseDecimal(text, value)) return false;
        p->SetOrd(obj, value);
        return true;
      }
      case TTypeKind::tkEnumeration: {
        int value = p->EnumType->ValueOf(Trim(NarrowAscii(text)));
        if (!p->SetOrd || value < 0) return false;
        p->SetOrd(obj, value);
        return true;
      }
      case TTypeKind::tkString:
        if (!p->SetStr) return false;
        p->SetStr(obj, text);
        return true;
      default:
        return false;
    }
  } catch (...) {
    return false;
  }
}

}  // namespace ui
