// Linked into every test suite: whatever a test forgets to redirect, the settings
// it reads and writes land in the build tree, never in the user's own folder.

#include <cstdlib>

namespace {

const bool kSettingsFolderSet = [] {
    ::setenv("XDG_CONFIG_HOME", VENDREL_TEST_CONFIG_HOME, 1);
    return true;
}();

} // namespace
