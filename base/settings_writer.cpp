// SPDX-License-Identifier: MIT

#include "base/settings_writer.h"

namespace quillory {

SettingsWriter::SettingsWriter(const QString& path, const FileLayer& layer)
    : m_file(path, layer)
    , m_writer([this] { writeInBackground(); })
{
}

SettingsWriter::~SettingsWriter()
{
    (void)flush();
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_writer.join();
}

void SettingsWriter::store(const QString& key, const QString& text, const ProcedureStep& step)
{
    const std::lock_guard lock(m_mutex);
    m_due.insert(key, text);
    m_lastStep = step;
    // Once the event that made the change is over, so that its journal record comes first.
    if (!std::exchange(m_startPosted, true))
        QMetaObject::invokeMethod(this, &SettingsWriter::startWriting, Qt::QueuedConnection);
}

void SettingsWriter::storeLater(const QString& key, const QString& text)
{
    const std::lock_guard lock(m_mutex);
    m_due.insert(key, text);
}

void SettingsWriter::startWriting()
{
    {
        const std::lock_guard lock(m_mutex);
        m_startPosted = false;
        if (m_due.isEmpty())
            return;
        ++m_asked;
    }
    m_changed.notify_all();
}

Outcome SettingsWriter::flush()
{
    std::unique_lock lock(m_mutex);
    if (!m_due.isEmpty()) {
        ++m_asked;
        m_changed.notify_all();
    }
    const quint64 awaited = m_asked;
    m_changed.wait(lock, [&] { return m_done >= awaited; });
    return m_due.isEmpty() ? Outcome() : m_lastOutcome;
}

bool SettingsWriter::hasUnstored() const
{
    const std::lock_guard lock(m_mutex);
    return !m_due.isEmpty();
}

void SettingsWriter::writeInBackground()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_done < m_asked || m_stopping; });
        if (m_done >= m_asked)
            return;
        const quint64 asked = m_asked;
        const SettingTexts texts = m_due;
        const ProcedureStep step = m_lastStep;
        lock.unlock();
        const Outcome outcome = m_file.write(texts);
        lock.lock();
        // What was stored again while the file was written stays due with its newer text.
        if (outcome) {
            for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
                if (m_due.value(it.key()) == it.value())
                    m_due.remove(it.key());
            }
            QMetaObject::invokeMethod(this, [this] { Q_EMIT written(); });
        } else {
            QMetaObject::invokeMethod(
                this, [this, step, problem = outcome.problem()] { Q_EMIT failed(step, problem); });
        }
        m_lastOutcome = outcome;
        m_done = asked;
        m_changed.notify_all();
    }
}

} // namespace quillory
