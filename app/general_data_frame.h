// SPDX-License-Identifier: MIT

#pragma once

#include <QDateTime>
#include <QGroupBox>
#include <QString>

class QDateTimeEdit;
class QLabel;
class QLineEdit;

namespace quillory {

class WeekSession;

/// The "General Data" frame: the pupil's name and the week's date, as the week's session holds
/// them. What the user types or picks goes to the session, which stores it at once and makes it
/// a step of the history; what the commands set there shows here.
class GeneralDataFrame final : public QGroupBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GeneralDataFrame)

public:
    /// The frame of the session's name and date.
    explicit GeneralDataFrame(WeekSession& session, QWidget* parent = nullptr);

    /// The frame's last tab stop (the picker; the name box comes before it).
    QWidget* lastTabStop() const;

    /// Puts the focus in the name box with its whole text selected.
    void focusName();

private:
    /// "Your Name:" (index 0 of its label group).
    QLabel* Label2_0;
    /// The name box, index 0 of its group of text boxes.
    QLineEdit* Text1;
    /// "Date:" (index 12 of its label group).
    QLabel* Label2_12;
    /// The date picker.
    QDateTimeEdit* DateTimePicker1;

    void describeControls();
    void Text1_Change();
    void Text1_GotFocus();
    void DateTimePicker1_Change();
    void showName(const QString& name);
    void showDate(const QDateTime& date);
    bool eventFilter(QObject* watched, QEvent* event) override;

    WeekSession& m_session;
    // The name box got the focus from a mouse press: the text is selected once it is released.
    bool m_selectOnRelease = false;
};

} // namespace quillory
