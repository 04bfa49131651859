// The process entry: hands the resource module and the command line to the class
// library's start-up, which runs the application object theApp.
#include "platform/mfc/winapp.h"
#include "resources/tarnwell_resources.h"

int main(int argc, char** argv) {
    // Without arguments the dialog runs, and it needs a screen; the generator does not.
    if (argc <= 1 && !CanShowWindows()) {
        return 1;
    }
    return AfxWinMain(TarnwellResources(), argc, argv);
}
