// SPDX-License-Identifier: MIT

#include "session/week_session.h"

#include "base/settings_store.h"
#include "homework/general_fields.h"
#include "homework/homework_store.h"
#include "homework/stored_form.h"
#include "session/field_changes.h"
#include "session/journal_keeper.h"
#include "session/week_replacement.h"

namespace quillory {

namespace {

// Typing and picking are reported as the change handlers of the name box and the picker.
constexpr int ChangeStep = 100;

QString homeworkKey()
{
    return sectionKey(QString::fromUtf16(SettingKey::Homework));
}

} // namespace

WeekSession::WeekSession(const QString& settingsPath, const FileLayer& layer)
    : m_settingsPath(settingsPath)
    , m_writer(settingsPath, layer)
    , m_fields(m_writer)
{
    m_clock.start();
    connect(&m_writer, &SettingsWriter::failed, this, &WeekSession::reportStoreFailure);
    connect(&m_writer, &SettingsWriter::written, this, [this] { m_storesFailing = false; });
}

WeekSession::~WeekSession() = default;

void WeekSession::setView(RowShower showRow, ListPlaces places)
{
    m_showRow = std::move(showRow);
    m_places = std::move(places);
}

WeekData WeekSession::weekData()
{
    return {m_list, m_fields, m_history, m_showRow, m_places};
}

const SettingsContent& WeekSession::readStored()
{
    m_stored = SettingsFile(m_settingsPath).read();
    return m_stored;
}

Outcome WeekSession::restoreList()
{
    return LoadHomeworkList(m_list, m_stored);
}

void WeekSession::typeName(const QString& typed)
{
    const QString before = m_fields.name();
    if (typed == before)
        return;
    m_fields.showName(typed);
    m_fields.storeName({locations::Form1NameChange, ChangeStep});
    m_history.push(
        new NameTyped(m_fields, before, typed, textEdit(before, typed, m_clock.elapsed())));
    if (m_journal)
        m_journal->recordStep();
}

void WeekSession::pickDate(const QDateTime& picked)
{
    const QDateTime before = m_fields.date();
    if (picked == before)
        return;
    m_fields.setDate(picked);
    m_fields.storeDate({locations::Form1DateChange, ChangeStep});
    m_history.push(new DateChanged(m_fields, before, m_fields.date()));
    if (m_journal)
        m_journal->recordStep();
}

QString WeekSession::openJournal()
{
    m_journal = std::make_unique<JournalKeeper>(m_list, m_history, m_fields, m_settingsPath);
    const journal::Week stored = m_journal->shownWeek();
    const journal::Opening opening = m_journal->open();
    if (opening.recovered)
        replaceWeek(weekData(), CommandKind::RecoverSession, locations::Form1Recover,
                    opening.recovered->entries, opening.recovered->fields,
                    FieldsStored::WithTheList);
    connect(m_journal.get(), &JournalKeeper::writeFailed, this, &WeekSession::journalWriteFailed);
    try {
        m_journal->begin(stored);
    } catch (const Failure& failure) {
        return opening.problem.isEmpty() ? failure.description()
                                         : opening.problem + u' ' + failure.description();
    }
    return opening.problem;
}

QList<journal::EarlierList> WeekSession::earlierLists() const
{
    return m_journal ? m_journal->earlierLists() : QList<journal::EarlierList>();
}

void WeekSession::restoreEarlier(const journal::EarlierList& earlier)
{
    replaceWeek(weekData(), CommandKind::RestoreEarlier, locations::Form1EarlierList,
                earlier.entries, earlier.fields);
}

Outcome WeekSession::store()
{
    // A stored list that could not be read stays as it was until the user makes a list.
    const bool keptAsItWas =
        m_list.entries().isEmpty() && m_stored.ini.rawValues.contains(homeworkKey());
    if (!keptAsItWas)
        m_writer.storeLater(homeworkKey(), toStoredForm(m_list.entries()));
    // The caller tells of a failure here itself.
    m_storesFailing = true;
    const Outcome outcome = m_writer.flush();
    if (outcome && m_journal)
        m_journal->recordStored();
    return outcome;
}

Result<QString> WeekSession::rescue()
{
    return rescueHomeworkList(m_list, m_fields.name(), storedDateText(m_fields.date()));
}

void WeekSession::reportStoreFailure(const ProcedureStep& step, const Problem& problem)
{
    if (!std::exchange(m_storesFailing, true))
        reportFailedStep(step, problem.description);
}

} // namespace quillory
