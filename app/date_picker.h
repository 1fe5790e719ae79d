// SPDX-License-Identifier: MIT

#pragma once

#include <QDateTimeEdit>

#include <optional>

namespace quillory {

/// The date picker: its value shown as "MMMM dd, yyyy" in the user's language, between the
/// first and the last date it can show, with a calendar to pick from. A date typed or pasted as
/// it is shown or in the user's short date form sets that date when Enter is pressed or the
/// picker is left; any other text leaves the value as it was. The arrow keys step the part the
/// cursor is in; F4 and Alt+Down open the calendar; Tab leaves the picker rather than stepping
/// through its parts.
class DatePicker final : public QDateTimeEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DatePicker)

public:
    explicit DatePicker(QWidget* parent = nullptr);

    /// Whether text has been typed that is not taken yet.
    bool hasTypingPending() const;
    /// Shows the picker's value again in place of the text typed.
    void takeBackTyping();

protected:
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    QDateTime dateTimeFromText(const QString& text) const override;

private:
    static bool opensCalendar(const QKeyEvent& event);
    void openCalendar();
    bool isTyping(const QKeyEvent& event) const;
    std::optional<QDate> typedDate(const QString& text) const;
};

} // namespace quillory
