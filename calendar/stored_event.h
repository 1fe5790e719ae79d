// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>

namespace quillory {

/// The property that marks an event this program put on a calendar server ("TRUE"). A calendar
/// file's events never carry it, so one imported by another program is never taken for ours.
inline constexpr char PublishedMark[] = "X-QUILLORY-PUBLISHED";

/// What an event on a calendar server says, as far as publishing compares events.
struct StoredEvent {
    QString uid;
    QDate day; ///< the start's date
    QString title;
    QString text;
    bool published = false; ///< whether it carries PublishedMark
    bool operator==(const StoredEvent&) const = default;
};

/// The first event of a calendar object, or nothing when libical finds none in the text.
std::optional<StoredEvent> readStoredEvent(const QByteArray& calendarObject);

/// Whether a UID has the form eventUid gives: 32 lowercase hexadecimal digits and "@quillory".
bool hasProgramUidForm(const QString& uid);

} // namespace quillory
