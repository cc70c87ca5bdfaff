#include "app/CommandLine.h"

namespace app {

ProgramOptions ParseProgramOptions(const std::vector<std::wstring>& args) {
  static const std::wstring kSkin = L"--skin";
  ProgramOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    if (arg == kSkin) {
      if (i + 1 < args.size() && !args[i + 1].empty()) {
        options.skinFile = args[++i];
      } else {
        options.problems.push_back(L"--skin needs a skin file name");
        if (i + 1 < args.size()) ++i;  // the empty value is consumed with its option
      }
    } else if (arg.rfind(kSkin + L"=", 0) == 0) {
      const std::wstring value = arg.substr(kSkin.size() + 1);
      if (value.empty())
        options.problems.push_back(L"--skin needs a skin file name");
      else
        options.skinFile = value;
    } else if (arg == L"--advanced") {
      options.openAdvanced = true;
    } else {
      options.problems.push_back(L"unknown argument: " + arg);
    }
  }
  return options;
}

}  // namespace app
