// The unit tests load their DLLs as the programs do, before any test draws:
// a GL call that binds its function on the way loses its float arguments.
#include "system_library.h"

namespace {

[[maybe_unused]] const bool loaded = (LoadSystemDlls(), true);

}  // namespace
