#include "workbench/translation_switches.h"

#include "platform/win32/profile.h"
#include "workbench/product_files.h"

namespace {

constexpr const char16_t* kSwitches[] = {u"enable-dlg-translate", u"enable-code-translate",
                                         u"res-create-missing-file"};

}  // namespace

BOOL ReadTranslationSwitches() {
    bool allOn = true;
    for (const char16_t* key : kSwitches) {
        allOn = GetPrivateProfileIntW(u"translate", key, 0, kStaticIni) != 0 && allOn;
    }
    return allOn ? 1 : 0;
}

bool WriteTranslationSwitches(BOOL on) {
    ProfileWriteBatch batch;
    bool taken = true;
    for (const char16_t* key : kSwitches) {
        taken = WritePrivateProfileStringW(u"translate", key, on != 0 ? u"1" : u"0", kStaticIni) !=
                    FALSE &&
                taken;
    }
    return batch.Flush() && taken;
}
