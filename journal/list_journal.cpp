// SPDX-License-Identifier: MIT

#include "journal/list_journal.h"

#include "base/failure.h"
#include "base/file_descriptor.h"
#include "homework/command_kind.h"
#include "journal/journal_codec.h"

#include <QDateTime>

namespace quillory::journal {

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 MsPerDay = 24 * 60 * 60 * 1000;
// No journal of ours is larger; a larger file is not read at all.
constexpr qint64 LargestRead = 64'000'000;
// A journal begun anew takes at most this share of its room, so steps fit after it.
constexpr qint64 BegunShareNumerator = 5;
constexpr qint64 BegunShareDenominator = 6;

qint64 now()
{
    return QDateTime::currentMSecsSinceEpoch();
}

// The file for the records: a snapshot first, then the newest earlier lists that fit the room
// (at least one).
QByteArray fileFor(const QList<Record>& records, qint64 room, QList<Record>& kept)
{
    QByteArray snapshot = frame(encodePayload(records.constFirst()));
    QList<QByteArray> earlier;
    qint64 size = snapshot.size();
    for (qsizetype i = records.size() - 1; i > 0; --i) {
        QByteArray framed = frame(encodePayload(records.at(i)));
        size += framed.size();
        if (!earlier.isEmpty() && size > room * BegunShareNumerator / BegunShareDenominator)
            break;
        earlier.prepend(std::move(framed));
    }
    kept = records.first(1) + records.last(earlier.size());
    QByteArray bytes = fileHeader() + snapshot;
    for (const QByteArray& framed : earlier)
        bytes += framed;
    return bytes;
}

ListOp replaceAll(const QList<HomeworkEntry>& entries)
{
    return ListOp{ListOp::Kind::ReplaceAll, 0, 0, {}, entries, 0};
}

QString disagreementText(bool journalWon)
{
    return journalWon ? u"Your classes in the settings file are older than the journal beside it, "
                        u"which Quillory keeps of every change: the journal's week is shown. The "
                        u"settings' week is under Earlier Lists in the list's menu."_s
                      : u"Your classes in the settings file were changed after Quillory last "
                        u"wrote them: that week is shown. The week Quillory last kept is under "
                        u"Earlier Lists in the list's menu."_s;
}

QString problemText(const QString& path, QString why, const QString& keptAs)
{
    if (why.endsWith(u'.'))
        why.chop(1);
    return u"The journal of your classes, %1, could not be read (%2). It is kept as %3, and a "
           u"new journal has begun."_s.arg(path, why, keptAs);
}

} // namespace

ListJournal::ListJournal(const QString& settingsPath, const FileLayer& layer,
                         std::function<void(const Problem&)> failed)
    : m_settingsPath(settingsPath)
    , m_path(settingsPath + u".journal"_s)
    , m_writer(m_path, layer, std::move(failed))
{
}

Opening ListJournal::open(const Week& stored)
{
    const FoundFile found =
        readJournalFile(m_path, std::max(LargestRead, 8 * listSize(stored.entries)));
    Opening opening;
    QString why = found.problem;
    bool replayed = false;
    if (found.kind == FoundFile::Kind::Read) {
        const ReadOutcome outcome = readRecords(found.bytes);
        replayed = !outcome.records.isEmpty();
        bool fits = outcome.status != ReadStatus::Foreign && outcome.status != ReadStatus::Damaged;
        for (qsizetype i = 0; fits && i < outcome.records.size(); ++i)
            fits = (i > 0 || std::holds_alternative<SnapshotRecord>(outcome.records.at(i))) &&
                   m_state.apply(outcome.records.at(i));
        if (!fits) {
            m_state = {};
            replayed = false;
            why = outcome.status == ReadStatus::Foreign ? u"it is no journal of Quillory's"_s
                                                        : u"it is damaged"_s;
        }
    }
    if (!why.isEmpty()) {
        try {
            opening.problem = problemText(m_path, why, setAside(m_path));
        } catch (const Failure& failure) {
            opening.problem = failure.description();
        }
        return opening;
    }
    if (replayed)
        settle(stored, opening);
    return opening;
}

// The week the journal ends with against the one the settings hold. When the settings still
// hold the list the journal knew them to hold, the journal's is the newer: the last run ended
// without storing it, and it is brought back whole, name and date included. When they hold
// another list, the two disagree: the newer of the two files wins, the other week is kept as an
// earlier list, and the user is told.
void ListJournal::settle(const Week& stored, Opening& opening)
{
    const Week last{m_state.entries(), m_state.fields()};
    if (last == stored)
        return;
    if (m_state.stored().listDigest == listDigest(stored.entries)) {
        if (!m_state.endsStored())
            opening.recovered = last;
        return;
    }
    if (isNewerThanSettings()) {
        opening.recovered = last;
        // The settings' week goes in first and is replaced by the journal's, which keeps it.
        m_state.apply(StepRecord{{replaceAll(stored.entries)}, stored.fields, {}, 0});
        m_state.apply(StepRecord{{replaceAll(last.entries)},
                                 last.fields,
                                 commandCaption(CommandKind::RecoverSession),
                                 now()});
    } else {
        m_state.apply(StepRecord{{replaceAll(stored.entries)},
                                 stored.fields,
                                 commandCaption(CommandKind::SettingsChanged),
                                 now()});
    }
    opening.notice = disagreementText(opening.recovered.has_value());
}

// The journal's last write against the settings file's; a settings file that is missing or
// empty holds no week the user made, and loses.
bool ListJournal::isNewerThanSettings() const
{
    const std::optional<struct stat> journal = statusAt(m_path);
    const std::optional<struct stat> settings = statusAt(m_settingsPath, Links::Followed);
    if (!settings || settings->st_size == 0)
        return true;
    return journal && FileStamp::of(*journal).modifiedNs >= FileStamp::of(*settings).modifiedNs;
}

Outcome ListJournal::begin(const Week& shown, const Week& stored)
{
    QList<Record> records = m_state.restarted(now());
    const quint64 nextId = std::get<SnapshotRecord>(records.constFirst()).nextEarlierId;
    records.first() = SnapshotRecord{shown.entries, shown.fields,
                                     StoredWeek{listDigest(stored.entries), stored.fields}, nextId};
    m_state = {};
    for (const Record& record : records)
        m_state.apply(record);
    return beginAnew();
}

Outcome ListJournal::beginAnew()
{
    QList<Record> kept;
    const QByteArray bytes = fileFor(m_state.restarted(now()), m_state.room(), kept);
    JournalState state;
    for (const Record& record : kept)
        state.apply(record);
    m_state = std::move(state);
    return m_writer.begin(bytes);
}

Outcome ListJournal::record(const StepRecord& step)
{
    m_state.apply(step);
    return write(step);
}

Outcome ListJournal::recordStored(const Week& stored)
{
    const StoredRecord record{StoredWeek{listDigest(stored.entries), stored.fields}};
    m_state.apply(record);
    return write(record);
}

// A journal that could not take the last record begins anew with the whole state.
Outcome ListJournal::write(const Record& record)
{
    const QByteArray framed = frame(encodePayload(record));
    if (m_writer.isOpen() && m_writer.size() + framed.size() <= m_state.room())
        return m_writer.append(framed);
    // A snapshot holds every step; that the settings hold the week is a record of its own.
    const Outcome begun = beginAnew();
    if (!begun || !std::holds_alternative<StoredRecord>(record))
        return begun;
    return m_writer.append(framed);
}

QList<EarlierList> ListJournal::earlierLists(qint64 nowMs) const
{
    QList<EarlierList> lists;
    for (const EarlierList& earlier : m_state.earlierLists()) {
        if (earlier.replacedAtMs >= nowMs - EarlierListDays * MsPerDay)
            lists.prepend(earlier);
    }
    return lists;
}

} // namespace quillory::journal
