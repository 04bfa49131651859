// The resource module of the tarnwell executable: dialog 102, icon 128, version text.
#pragma once

#include "platform/mfc/resource_module.h"
#include "resources/resource.h"

HINSTANCE TarnwellResources();
