// SPDX-License-Identifier: MIT
// Quillory as its executable runs it, in the working-file tests: once the main window is up it
// is asked to end (SIGTERM, which waits for the run's first pass through the window events)
// and "Start Creating Template" is pressed. Prints the path of the document the run handed to
// the preview.
#include "app/application.h"
#include "app/form1.h"
#include "document/automation/application_starter.h"
#include "preview/form2.h"

#include <QApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>

namespace {

void endWhilePressingStart()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* form = qobject_cast<quillory::Form1*>(window)) {
            std::raise(SIGTERM);
            form->PushButton6_Click();
            if (form->preview())
                std::printf("%s\n", qPrintable(form->preview()->wordFile()));
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    bool started = false;
    // The first start is the availability check at start-up; the press waits for the event loop.
    quillory::doc::setApplicationStarter([&started] {
        if (!std::exchange(started, true))
            QTimer::singleShot(0, qApp, endWhilePressingStart);
        return std::make_unique<quillory::doc::Application>();
    });
    return quillory::runQuillory(argc, argv);
}
