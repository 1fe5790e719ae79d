// A stand-in for the program in the working-file tests: runs Quillory as its executable does,
// presses "Start Creating Template" once the main window is up, and has the system ask the
// program to end (SIGTERM) at the moment its argument names: "run" (the signal waits in the
// run's first pass through the window events) or "preview" (the run is over, the preview shown).
// Prints the working document's path when the run handed one to the preview.
#include "app/application.h"
#include "app/form1.h"
#include "document/automation/application_starter.h"
#include "preview/form2.h"

#include <QApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

void pressStartAndEnd(bool duringRun)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* form = qobject_cast<quillory::Form1*>(window);
        if (!form)
            continue;
        if (duringRun)
            std::raise(SIGTERM);
        form->PushButton6_Click();
        if (form->preview())
            std::printf("%s\n", qPrintable(form->preview()->wordFile()));
        std::fflush(stdout);
        if (!duringRun)
            std::raise(SIGTERM);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const bool duringRun = argc > 1 && std::strcmp(argv[1], "run") == 0;
    int starts = 0;
    // The first start is the availability check at start-up: the press waits for the event loop.
    quillory::doc::setApplicationStarter([&starts, duringRun] {
        if (++starts == 1)
            QTimer::singleShot(0, qApp, [duringRun] { pressStartAndEnd(duringRun); });
        return std::make_unique<quillory::doc::Application>();
    });
    return quillory::runQuillory(argc, argv);
}
