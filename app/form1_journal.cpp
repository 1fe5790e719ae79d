// SPDX-License-Identifier: MIT
// The main window's journal: bringing back what the last run left unstored, and the earlier
// lists in the list's menu.
#include "app/form1.h"

#include "app/list_menu.h"
#include "base/prompts.h"
#include "session/week_replacement.h"

#include <QTimer>

namespace quillory {

using namespace Qt::StringLiterals;

QString Form1::openJournal()
{
    connect(mnuList, &QMenu::aboutToShow, this, &Form1::fillEarlierLists);
    // Told once, after the step that could not be written, not in the middle of it.
    connect(&m_session, &WeekSession::journalWriteFailed, this, [this](const QString& why) {
        QTimer::singleShot(0, this, [why] {
            prompts().note(u"Changes to your classes cannot be kept in the journal for now (%1). "
                           u"They are stored when Quillory closes."_s.arg(why));
        });
    });
    return m_session.openJournal();
}

void Form1::fillEarlierLists()
{
    QMenu* menu = mnuList->mnuEarlierLists;
    menu->clear();
    const QList<journal::EarlierList> lists = m_session.earlierLists();
    for (const journal::EarlierList& earlier : lists) {
        connect(menu->addAction(earlierListText(earlier)), &QAction::triggered, this,
                [this, earlier] { m_session.restoreEarlier(earlier); });
    }
    menu->menuAction()->setEnabled(!lists.isEmpty());
}

} // namespace quillory
