// The program's command line: `Tarvimo.exe [--skin FILE] [--advanced]`. Portable, so the rules are tested
// natively; the entry point reads the arguments and reports the problems.
#pragma once

#include <string>
#include <vector>

namespace app {

struct ProgramOptions {
  std::wstring skinFile;               // empty: the embedded default skin
  bool openAdvanced = false;           // the advanced search window opens at start as well
  std::vector<std::wstring> problems;  // one line per argument that was not understood
};

// `args` without the program's own name. "--skin FILE" and "--skin=FILE" name a skin file; a
// later one wins. "--advanced" opens the advanced search window, as its button does. Anything else is reported and otherwise ignored, so a typo never stops the
// program from starting.
ProgramOptions ParseProgramOptions(const std::vector<std::wstring>& args);

}  // namespace app
