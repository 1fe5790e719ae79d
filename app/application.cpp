// SPDX-License-Identifier: MIT

#include "app/application.h"

#include "app/ending_requests.h"
#include "app/form1.h"
#include "app/single_instance.h"
#include "base/settings_store.h"
#include "document/layout/fonts.h"
#include "widgets/message_box_prompts.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>

namespace quillory {

namespace {

// The program ends here when the document component cannot start.
constexpr int ComponentUnavailableExit = 1;
// The program ends here when another copy holds the settings and does not answer.
constexpr int OtherCopySilentExit = 3;

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

int runQuillory(int argc, char** argv, const FileLayer& layer)
{
    QApplication application(argc, argv);
    MessageBoxPrompts messageBoxes;
    installPrompts(&messageBoxes);
    // Before anything is read: a copy that is ending stores its list first.
    SingleInstance instance(settingsFilePath());
    const Claim claim = instance.claim();
    if (claim == Claim::RaisedOther)
        return 0; // the running copy has come to the front instead
    if (claim == Claim::OtherSilent) {
        prompts().note(instance.problem());
        return OtherCopySilentExit;
    }
    QObject::connect(&instance, &SingleInstance::raiseRequested, &application, raiseVisibleWindows);
    doc::installFontSubstitutions();
    Form1 mainWindow(HomePageCall::real(), settingsFilePath(), layer);
    if (!mainWindow.Form_Load())
        return ComponentUnavailableExit;
    // Ends the program at once: the other windows go with it, without their own close handling.
    QObject::connect(&mainWindow, &Form1::unloaded, &application, [&instance] {
        instance.announceEnding();
        QApplication::exit(0);
    });
    // Shutdown, logout or a kill end the program as its close box does: the list is stored.
    EndingRequests endingRequests;
    QObject::connect(&endingRequests, &EndingRequests::requested, &mainWindow,
                     &Form1::endOnRequest);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &mainWindow,
                     [&mainWindow](QSessionManager&) { mainWindow.storeForSessionEnd(); });
    mainWindow.showCentred();
    // Read once the window is drawn: a long journal takes a moment, and what it brings back is
    // one step of the history, which the window shows as it comes.
    QTimer::singleShot(0, &mainWindow, [&mainWindow] {
        if (const QString told = mainWindow.openJournal(); !told.isEmpty())
            prompts().note(told);
    });
    // Once the window is on screen, while the user looks at it.
    QTimer::singleShot(0, &mainWindow, [&mainWindow] { mainWindow.prepareWhileIdle(); });
    if (claim == Claim::RunUnguarded) // told once, over the window, which runs all the same
        QTimer::singleShot(0, &mainWindow, [&instance] { prompts().note(instance.problem()); });
    return QApplication::exec();
}

} // namespace quillory
