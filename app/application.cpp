#include "app/application.h"

#include "app/form1.h"
#include "document/fonts.h"
#include "widgets/message_box_prompts.h"

#include <QApplication>

namespace quillory {

namespace {

// The program ends here when the document component cannot start.
constexpr int ComponentUnavailableExit = 1;

} // namespace

int runQuillory(int argc, char** argv)
{
    QApplication application(argc, argv);
    doc::installFontSubstitutions();
    MessageBoxPrompts messageBoxes;
    installPrompts(&messageBoxes);
    Form1 mainWindow(HomePageCall::real());
    if (!mainWindow.Form_Load())
        return ComponentUnavailableExit;
    // Ends the program at once: the other windows go with it, without their own close handling.
    QObject::connect(&mainWindow, &Form1::unloaded, &application, [] { QApplication::exit(0); });
    mainWindow.showCentred();
    return QApplication::exec();
}

} // namespace quillory
