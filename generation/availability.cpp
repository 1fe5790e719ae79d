// SPDX-License-Identifier: MIT

#include "generation/availability.h"

#include "base/prompts.h"
#include "document/automation/application_starter.h"
#include "document/document_file.h"
#include "document/paint/renderer.h"
#include "resources/schedule_template.h"

#include <QStringList>

#include <exception>

namespace quillory {

using namespace Qt::StringLiterals;

QString componentUnavailableMessage()
{
    return QStringList{
        u"Error 842001. A normal instance of Word could not be created."_s,
        u"1. Please make sure Word is installed on this computer."_s,
        u"2. Please open Word normally and make sure a blank document opens immediately without "
        "any interrupting window (such as an Word file recovery window)."_s,
        u"3. Please make sure that when you double-click on a DOC or DOCX file that Word opens "
        "normally without any interrupting messages."_s,
        u"4. All versions of Word are supported by this software except for the rare Word "
        "Starter and Student editions."_s,
    }
        .join(u"\r\n\r\n"_s);
}

bool CheckWordInstalled()
{
    std::unique_ptr<doc::Application> instance;
    try {
        instance = doc::startApplication();
    } catch (const std::exception&) {
        // Not starting is the one failure that counts; it is told below.
    }
    if (!instance) {
        prompts().note(componentUnavailableMessage());
        return false;
    }
    try {
        instance->Quit();
    } catch (const std::exception&) {
        // A failed quit must not keep the program from starting.
    }
    return true;
}

void prepareScheduleFonts()
{
    try {
        const doc::Document schedule = doc::readDocument(templateBytes(), QString());
        doc::renderMainText(doc::layOutDocument(schedule), 1);
    } catch (const std::exception&) {
        // Nothing is lost: the first run resolves them itself.
    }
}

} // namespace quillory
