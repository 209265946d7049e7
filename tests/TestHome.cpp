// Every test program reads and writes the user's folders under the build
// tree, before anything asks where they are.
#include <cstdlib>

namespace {

const bool kTestHome = [] {
    setenv("XDG_CONFIG_HOME", GLYPHORAMA_TEST_HOME "/config", 1);
    setenv("XDG_CACHE_HOME", GLYPHORAMA_TEST_HOME "/cache", 1);
    return true;
}();

}  // namespace
