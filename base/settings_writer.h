// SPDX-License-Identifier: MIT

#pragma once

#include "base/guarded_procedure.h"
#include "base/result.h"
#include "base/settings_file.h"

#include <QObject>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace quillory {

/// Writes the settings file on a thread of its own, so that storing never makes the user wait
/// on the disk. Writes keep the order of the stores; each writes the latest text of every key
/// stored so far that is not yet on the disk, so a burst of stores costs one or two writes and
/// the file ends as the last store left it. A store waits for the event loop before it is
/// written: whatever the program records of the same change first (the journal) is never behind
/// the file. A key whose write failed stays due and goes with the next write.
class SettingsWriter final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsWriter)

public:
    /// Writes the file at the path through the layer.
    explicit SettingsWriter(const QString& path, const FileLayer& layer = FileLayer::system());
    /// Waits for the last write.
    ~SettingsWriter() override;

    /// Stores the text under its full key ("Quillory/Text1_0") in the background; a failure of
    /// its write is reported as one of `step`.
    void store(const QString& key, const QString& text, const ProcedureStep& step);
    /// Marks the text as due under its full key without writing it now: it goes with the next
    /// write (at the latest the one at the close).
    void storeLater(const QString& key, const QString& text);
    /// Writes what is due now and waits for it: success when nothing is due any more, else the
    /// outcome of the last write.
    Outcome flush();
    /// Whether some key's text has not reached the disk (due, or its write failed).
    bool hasUnstored() const;

Q_SIGNALS:
    /// A write reached the disk, on the thread that owns the writer.
    void written();
    /// A write failed, on the thread that owns the writer: reported as the step of the latest
    /// store it carried.
    void failed(const quillory::ProcedureStep& step, const quillory::Problem& problem);

private:
    void startWriting();
    void writeInBackground();

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    SettingsFile m_file;      // used on the writing thread alone
    SettingTexts m_due;       // the latest texts not yet on the disk
    ProcedureStep m_lastStep; // of the latest store
    quint64 m_asked = 0;      // writes asked for
    quint64 m_done = 0;       // writes finished, failed or not
    bool m_startPosted = false;
    bool m_stopping = false;
    Outcome m_lastOutcome;
    std::thread m_writer;
};

} // namespace quillory
