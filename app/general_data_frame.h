// SPDX-License-Identifier: MIT

#pragma once

#include "app/general_data.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QString>

class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QUndoStack;

namespace quillory {

/// The "General Data" frame: the pupil's name and the week's date. Both are stored the moment
/// they change, whether typed or set by a command.
class GeneralDataFrame final : public QGroupBox, public GeneralData {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GeneralDataFrame)

public:
    explicit GeneralDataFrame(QWidget* parent = nullptr);

    /// The name box's text.
    QString name() const override;
    /// Sets the name box's text; it is stored as any change is.
    void setName(const QString& name) override;
    /// The picker's value.
    QDateTime date() const override;
    /// Sets the picker's value without storing it.
    void setDate(const QDateTime& date) override;

    /// Sets the name box from the stored name, without writing it back.
    void restoreName();
    /// Sets the picker from the stored date (kept as it is when none is readable), without
    /// writing it back.
    void restoreDate();

    /// Puts what is typed in the name box (a burst of typing as one step) and each change of
    /// the date on the window's undo history, whose Undo and Redo the boxes' keys and menus
    /// then use.
    void recordChangesIn(QUndoStack& history);

    /// The frame's last tab stop (the picker; the name box comes before it).
    QWidget* lastTabStop() const;

    /// Puts the focus in the name box with its whole text selected.
    void focusName();

    /// Stores the picker's current value (also run directly after a command sets the date).
    void DateTimePicker1_Change() override;

Q_SIGNALS:
    /// The user has changed the name or the date (and it has been stored, or reported).
    void edited();

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
    void dateChanged();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QUndoStack* m_history = nullptr;
    // What the boxes showed before the change being handled: where Undo takes them back to.
    QString m_shownName;
    QDateTime m_shownDate;
    QElapsedTimer m_clock;
};

} // namespace quillory
