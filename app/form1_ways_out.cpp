// SPDX-License-Identifier: MIT
// The ways out of the main window: its close, and the endings nobody may be there to answer.
#include "app/ending_requests.h"
#include "app/form1.h"

#include "base/guarded_procedure.h"
#include "base/settings_store.h"

#include <QCloseEvent>

#include <cstdio>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// Told after the reason why the list could not be stored at a close: what the next close does.
QString notStoredNote()
{
    return u" The classes are not stored, so Quillory stays open. Closing it again tries once "
           u"more and ends it; classes that still cannot be stored are kept in a rescue file "
           u"beside the settings (%1.rescued, or a numbered one after it), or else in your home "
           u"or temporary folder."_s.arg(settingsFilePath());
}

void tellStandardError(const QString& text)
{
    std::fprintf(stderr, "quillory: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

void Form1::closeEvent(QCloseEvent* event)
{
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    Form_Unload();
}

bool Form1::Form_QueryUnload()
{
    if (m_unattended || m_toldNotStored) {
        storeOrRescue();
        return true;
    }
    m_toldNotStored = !GuardedProcedure(locations::Form1QueryUnload).step(100, [this] {
        if (const Outcome stored = m_session.store(); !stored)
            throw Failure(stored.problem().status, stored.problem().description + notStoredNote());
    });
    return !m_toldNotStored;
}

void Form1::Form_Unload()
{
    Q_EMIT unloaded();
}

void Form1::endOnRequest()
{
    m_unattended = true;
    saveOpenEditors();
    closeVisibleWindows();
}

void Form1::storeForSessionEnd()
{
    m_unattended = true;
    saveOpenEditors();
    storeOrRescue();
}

void Form1::storeOrRescue()
{
    const Outcome stored = m_session.store();
    if (stored)
        return;
    tellStandardError(stored.problem().description);
    const Result<QString> rescued = m_session.rescue();
    if (rescued)
        tellStandardError(u"The classes are kept in %1 instead."_s.arg(rescued.value()));
    else
        tellStandardError(
            u"The classes could not be kept anywhere: %1"_s.arg(rescued.problem().description));
}

} // namespace quillory
