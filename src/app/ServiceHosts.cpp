// The service hosts compiled into the program; CMake passes them in so a build can point
// elsewhere without touching the code.
#include "app/QueryBuilder.h"

#ifndef TARVIMO_BUILTIN_QUERY_HOST
#define TARVIMO_BUILTIN_QUERY_HOST "top10.tarvimo.example"
#endif
#ifndef TARVIMO_BUILTIN_SHOP_HOST
#define TARVIMO_BUILTIN_SHOP_HOST "s.tarvimo.example"
#endif

namespace app {

std::string_view BuiltinQueryHost() { return TARVIMO_BUILTIN_QUERY_HOST; }
std::string_view BuiltinShopHost() { return TARVIMO_BUILTIN_SHOP_HOST; }

}  // namespace app
