#include "resources/tarnwell_resources.h"

#include <iterator>

#include "resources/dialog_102.h"
#include "resources/icon_128.xpm"

namespace {

const IconResource kIcons[] = {
    {IDR_MAINFRAME, {icon_128_xpm, std::size(icon_128_xpm)}},
};

const ResourceModule kModule{
    std::span<const DialogTemplate>(&kTarnwellDialog, 1),
    kIcons,
    VersionResource{
        u"翻译及个性化",
        u"1.0.0.1",
        u"Tarnwell",
        u"1.0.0.1",
        u"Copyright (C) Tarnwell developers",
    },
};

}  // namespace

HINSTANCE TarnwellResources() {
    return &kModule;
}
