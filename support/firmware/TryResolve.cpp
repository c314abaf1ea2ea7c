// TryResolve: finds a firmware symbol by name in the running program's global
// symbol scope (the firmware and every library it loaded), without linking
// against it.
//
// Contract: returns the symbol's address, or null when the scope cannot be
// opened, the name is null, or no such symbol exists.  The scope handle is
// always closed again.
#include <dlfcn.h>

#include "support.h"

extern "C" void* TryResolve(const char* name) {
    if (!name) return 0;
    // The program's own scope: lazy binding, global (flags 5 on the recorder).
    void* scope = dlopen(0, RTLD_LAZY | RTLD_GLOBAL);
    if (!scope) return 0;
    dlerror();  // forget an older error, so that only this look-up counts
    void* address = dlsym(scope, name);
    if (dlerror()) {
        dlclose(scope);
        return 0;
    }
    dlclose(scope);
    return address;
}
