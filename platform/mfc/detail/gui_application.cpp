#include "platform/mfc/detail/gui_application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
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

constexpr const char* kQtTexts = "qtbase_zh_CN";

bool Named(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Qt ends the process when its platform plugin fails to start; say what to do instead.
QtMessageHandler g_qtHandler = nullptr;
void ReportFatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        ReportNoDisplay();
        std::_Exit(1);
    }
    if (g_qtHandler != nullptr) {
        g_qtHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

// Qt's own texts in Chinese (buttons and labels of the colour and file dialogs), once
// per application; English stays where the translations are not installed.
void InstallQtTexts(QCoreApplication& application) {
    if (application.findChild<QTranslator*>(kQtTexts, Qt::FindDirectChildrenOnly) != nullptr) {
        return;
    }
    auto* texts = new QTranslator(&application);
    texts->setObjectName(kQtTexts);
    if (texts->load(kQtTexts, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(texts);
    }
}

}  // namespace

void SetGuiArguments(int argc, char** argv) {
    g_argc = argc;
    g_argv = argv;
}

bool DisplayNamed() {
    return Named("DISPLAY") || Named("WAYLAND_DISPLAY") || Named("QT_QPA_PLATFORM");
}

void ReportNoDisplay() {
    std::fputs(
        "tarnwell: 没有可用的显示，无法打开窗口。请在图形桌面中运行，"
        "或在虚拟显示中运行: xvfb-run -a tarnwell\n",
        stderr);
}

void EnsureGuiApplication() {
    if (QCoreApplication::instance() == nullptr) {
        if (!DisplayNamed()) {
            ReportNoDisplay();
            std::exit(1);
        }
        if (g_argv == nullptr) {
            g_argc = 1;
            g_argv = g_defaultArgv;
        }
        g_qtHandler = qInstallMessageHandler(ReportFatal);
        g_application = std::make_unique<QApplication>(g_argc, g_argv);
        qInstallMessageHandler(g_qtHandler);
        if (HINSTANCE module = AfxGetResourceHandle()) {
            QCoreApplication::setApplicationVersion(ToQString(module->version.fileVersion));
        }
    }
    InstallQtTexts(*QCoreApplication::instance());
}

void ReleaseGuiApplication() {
    g_application.reset();
}

}  // namespace mfc_detail
