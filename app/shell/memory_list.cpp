#include "memory_list.h"

#include <dlfcn.h>

namespace kelvora {

MemoryComboSelectFunction LookUpMemoryComboSelect() {
    // RTLD_NOLOAD: only a library that is loaded already, never a second copy.
    void* library = dlopen(ABACOR_FILE_NAME, RTLD_LAZY | RTLD_NOLOAD);
    if (!library) return nullptr;
    auto* function = reinterpret_cast<MemoryComboSelectFunction>(dlsym(library, "ProcessMemoryComboSelect"));
    // The program itself keeps the library loaded, so the address outlives this handle.
    dlclose(library);
    return function;
}

}  // namespace kelvora
