// SPDX-License-Identifier: MIT
// The main window's journal: bringing back what the last run left unstored, the earlier lists
// in the list's menu, and the mark that the settings file holds the list.
#include "app/form1.h"

#include "app/general_data_frame.h"
#include "app/journal_keeper.h"
#include "app/list_commands.h"
#include "app/list_menu.h"
#include "app/week_replacement.h"
#include "base/failure.h"
#include "base/prompts.h"
#include "base/settings_store.h"

#include <QTimer>

namespace quillory {

using namespace Qt::StringLiterals;

QString Form1::openJournal()
{
    m_journal = std::make_unique<JournalKeeper>(m_list, m_history, *Frame1, settingsFilePath());
    const journal::Week stored = m_journal->shownWeek();
    const journal::Opening opening = m_journal->open();
    if (opening.recovered)
        replaceWeek(weekData(), RecoverCaption, locations::Form1Recover, opening.recovered->entries,
                    opening.recovered->fields);
    connect(Frame1, &GeneralDataFrame::edited, m_journal.get(), &JournalKeeper::recordStep);
    connect(mnuList, &QMenu::aboutToShow, this, &Form1::fillEarlierLists);
    // Told once, after the step that could not be written, not in the middle of it.
    connect(m_journal.get(), &JournalKeeper::writeFailed, this, [this](const QString& why) {
        QTimer::singleShot(0, this, [why] {
            prompts().note(u"Changes to your classes cannot be kept in the journal for now (%1). "
                           u"They are stored when Quillory closes."_s.arg(why));
        });
    });
    try {
        m_journal->begin(stored);
    } catch (const Failure& failure) {
        return opening.problem.isEmpty() ? failure.description()
                                         : opening.problem + u' ' + failure.description();
    }
    return opening.problem;
}

void Form1::fillEarlierLists()
{
    QMenu* menu = mnuList->mnuEarlierLists;
    menu->clear();
    const QList<journal::EarlierList> lists =
        m_journal ? m_journal->earlierLists() : QList<journal::EarlierList>();
    for (const journal::EarlierList& earlier : lists) {
        connect(menu->addAction(earlierListText(earlier)), &QAction::triggered, this,
                [this, earlier] {
                    replaceWeek(weekData(), RestoreEarlierCaption, locations::Form1EarlierList,
                                earlier.entries, earlier.fields);
                });
    }
    menu->menuAction()->setEnabled(!lists.isEmpty());
}

void Form1::recordStored()
{
    if (m_journal)
        m_journal->recordStored();
}

} // namespace quillory
