// SPDX-License-Identifier: MIT

#include "journal/journal_reading.h"

#include "journal/journal_codec.h"
#include "journal/journal_file.h"
#include "journal/journal_state.h"

namespace quillory::journal {

using namespace Qt::StringLiterals;

namespace {

// No journal of ours is larger, unless its list is: a larger file is not read at all.
constexpr qint64 LargestRead = 64'000'000;

} // namespace

JournalReading readJournalReadOnly(const QString& settingsPath, const Week& stored)
{
    const QString path = settingsPath + u".journal"_s;
    const FoundFile found =
        readJournalFile(path, std::max(LargestRead, 8 * listSize(stored.entries)));
    if (found.kind == FoundFile::Kind::None)
        return {};
    if (found.kind == FoundFile::Kind::Unusable)
        return {ReadingStatus::Unusable, {}, found.problem};
    const ReadOutcome outcome = readRecords(found.bytes);
    if (outcome.status == ReadStatus::Foreign || outcome.status == ReadStatus::Damaged)
        return {ReadingStatus::Unusable, {}, u"%1 is damaged."_s.arg(path)};
    JournalState state;
    for (qsizetype i = 0; i < outcome.records.size(); ++i) {
        const Record& record = outcome.records.at(i);
        if ((i == 0 && !std::holds_alternative<SnapshotRecord>(record)) || !state.apply(record))
            return {ReadingStatus::Unusable, {}, u"%1 is damaged."_s.arg(path)};
    }
    const Week last{state.entries(), state.fields()};
    if (outcome.records.isEmpty() || state.endsStored() ||
        state.stored().listDigest != listDigest(stored.entries) || last == stored)
        return {ReadingStatus::NotNewer, {}, {}};
    return {ReadingStatus::Newer, last, {}};
}

} // namespace quillory::journal
