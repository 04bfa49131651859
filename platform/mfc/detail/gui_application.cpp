#include "platform/mfc/detail/gui_application.h"

#include <QApplication>
#include <memory>

#include "platform/mfc/detail/window.h"
#include "platform/mfc/resource_module.h"

namespace mfc_detail {
namespace {

int g_argc = 0;
char** g_argv = nullptr;
char g_programName[] = "tarnwell";
char* g_defaultArgv[] = {g_programName, nullptr};
std::unique_ptr<QApplication> g_application;

}  // namespace

void SetGuiArguments(int argc, char** argv) {
    g_argc = argc;
    g_argv = argv;
}

void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if (g_argv == nullptr) {
        g_argc = 1;
        g_argv = g_defaultArgv;
    }
    g_application = std::make_unique<QApplication>(g_argc, g_argv);
    if (HINSTANCE module = AfxGetResourceHandle()) {
        QCoreApplication::setApplicationVersion(ToQString(module->version.fileVersion));
    }
}

void ReleaseGuiApplication() {
    g_application.reset();
}

}  // namespace mfc_detail
