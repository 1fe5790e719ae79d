#include "app/application.h"

#include "app/ending_requests.h"
#include "app/form1.h"
#include "app/single_instance.h"
#include "document/fonts.h"
#include "widgets/message_box_prompts.h"

#include <QApplication>
#include <QSessionManager>

namespace quillory {

namespace {

// The program ends here when the document component cannot start.
constexpr int ComponentUnavailableExit = 1;

// Brings the program's visible window (the main window, or the preview while it stands in its
// place) to the front, out of the task bar if it was minimised.
void raiseVisibleWindows()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->windowType() == Qt::Popup)
            continue;
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->raise();
        window->activateWindow();
    }
}

} // namespace

int runQuillory(int argc, char** argv)
{
    QApplication application(argc, argv);
    SingleInstance instance(instanceFolder());
    if (!instance.claim())
        return 0; // the running copy has come to the front instead
    QObject::connect(&instance, &SingleInstance::raiseRequested, &application, raiseVisibleWindows);
    doc::installFontSubstitutions();
    MessageBoxPrompts messageBoxes;
    installPrompts(&messageBoxes);
    Form1 mainWindow(HomePageCall::real());
    if (!mainWindow.Form_Load())
        return ComponentUnavailableExit;
    // Ends the program at once: the other windows go with it, without their own close handling.
    QObject::connect(&mainWindow, &Form1::unloaded, &application, [] { QApplication::exit(0); });
    // Shutdown, logout or a kill end the program as its close box does: the list is stored.
    EndingRequests endingRequests;
    QObject::connect(&endingRequests, &EndingRequests::requested, &application,
                     closeVisibleWindows);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &mainWindow,
                     [&mainWindow](QSessionManager&) { mainWindow.Form_QueryUnload(); });
    mainWindow.showCentred();
    return QApplication::exec();
}

} // namespace quillory
