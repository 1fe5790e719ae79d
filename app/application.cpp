#include "app/application.h"

#include "app/ui/message_box_prompts.h"
#include "document/fonts.h"

#include <QApplication>

namespace quillory {

int runQuillory(int argc, char** argv)
{
    QApplication application(argc, argv);
    doc::installFontSubstitutions();
    MessageBoxPrompts messageBoxes;
    installPrompts(&messageBoxes);
    return 0;
}

} // namespace quillory
