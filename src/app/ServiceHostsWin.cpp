// The environment side of the service hosts.
#include <windows.h>

#include <optional>
#include <string>

#include "app/QueryBuilder.h"
#include "app/ServiceHosts.h"
#include "ui/Text.h"

namespace app {

namespace {

std::optional<std::string> EnvironmentValue(const wchar_t* name) {
  const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
  if (length == 0 || length >= size) return std::nullopt;
  value.resize(length);
  return ui::Utf16ToUtf8(std::u16string(value.begin(), value.end()));
}

}  // namespace

ServiceHosts CurrentServiceHosts() {
  const auto query = EnvironmentValue(L"TARVIMO_QUERY_HOST");
  const auto shop = EnvironmentValue(L"TARVIMO_SHOP_HOST");
  return {ChooseHost(query, BuiltinQueryHost()), ChooseHost(shop, BuiltinShopHost())};
}

}  // namespace app
