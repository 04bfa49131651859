#include "platform/mfc/resource_module.h"

#include <algorithm>

namespace {

HINSTANCE g_resourceModule = nullptr;

template <typename Resource>
const Resource* FindById(std::span<const Resource> resources, UINT id) {
    const auto it = std::find_if(resources.begin(), resources.end(),
                                 [id](const Resource& r) { return r.id == id; });
    return it != resources.end() ? &*it : nullptr;
}

}  // namespace

HINSTANCE AfxGetResourceHandle() {
    return g_resourceModule;
}

void AfxSetResourceHandle(HINSTANCE module) {
    g_resourceModule = module;
}

const DialogTemplate* FindDialogTemplate(HINSTANCE module, UINT id) {
    return module != nullptr ? FindById(module->dialogs, id) : nullptr;
}

const IconResource* FindIconResource(HINSTANCE module, UINT id) {
    return module != nullptr ? FindById(module->icons, id) : nullptr;
}
