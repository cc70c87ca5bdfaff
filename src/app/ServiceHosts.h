// The hosts this run talks to. Built-in defaults come from the build; a tester or a local
// stand-in of the service replaces them through TARVIMO_QUERY_HOST / TARVIMO_SHOP_HOST.
#pragma once

#include <string>

namespace app {

struct ServiceHosts {
  std::string query;  // the ranking page
  std::string shop;   // the advanced-search page
};

// Reads the environment (Win32 only). An override that is not a plain host name with an
// optional port is ignored, so nothing odd can be spliced into a URL.
ServiceHosts CurrentServiceHosts();

}  // namespace app
