#include "skin/manager/SkinRules.h"

#include <algorithm>
#include <cctype>

namespace skin {

namespace {
std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}
bool Contains(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }
constexpr unsigned kDialogExcludedStyle = 0x200;
}  // namespace

bool IsExcludedClass(const std::string& className) {
  return Contains(className, "TcxPopupEditPopupWindow") || Contains(className, "TTERenderWindow") ||
         className == "TApplication";
}

bool ShouldSkinClass(const std::string& className, unsigned style, bool previewAllowed) {
  const std::string lower = Lower(className);
  if (!previewAllowed && Contains(lower, "preview")) return false;
  if (className == "#32770" && (style & kDialogExcludedStyle)) return false;
  if (lower == "tpopupdbtreeview") return false;
  return true;
}

int ChooseSkin(const std::vector<SkinCandidate>& skins, const std::string& className) {
  const auto lastOf = [&](auto&& pred) {
    for (int i = static_cast<int>(skins.size()) - 1; i >= 0; --i)
      if (pred(skins[static_cast<size_t>(i)])) return i;
    return -1;
  };
  constexpr int kMain = 0, kOnlyThisForm = 1, kDialog = 2;
  int i =
      lastOf([](const SkinCandidate& s) { return s.formType == kOnlyThisForm && s.ownsWindow; });
  if (i < 0 && IsSystemDialogClass(className))
    i = lastOf([](const SkinCandidate& s) { return s.formType == kDialog; });
  if (i < 0) i = lastOf([](const SkinCandidate& s) { return s.formType == kMain; });
  if (i < 0 && !skins.empty()) i = 0;
  return i;
}

}  // namespace skin
