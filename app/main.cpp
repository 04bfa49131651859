// The process entry: hands the resource module and the command line to the class
// library's start-up, which runs the application object theApp.
#include "platform/mfc/winapp.h"
#include "resources/tarnwell_resources.h"

int main(int argc, char** argv) {
    return AfxWinMain(TarnwellResources(), argc, argv);
}
