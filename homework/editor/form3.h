// SPDX-License-Identifier: MIT

#pragma once

#include "homework/class_editor.h"
#include "homework/homework_entry.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quillory {

class HomeworkListModel;
class KeptLineBreaks;
class WindowPointer;

/// Why the editor cannot save a row: no period, or a box holding a text the stored list uses
/// to keep rows and fields apart. Empty when the row can be saved.
QString entryRefusal(const HomeworkEntry& entry);

/// "Week Homework", the modal class editor. "Save" writes its row straight into the class list
/// (appended, or replacing the row at m_Index) and closes; "Cancel" and the close box leave the
/// list alone.
class Form3 final : public QDialog, public ClassEditor {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form3)

public:
    /// Loads the editor (empty boxes, add mode) for the list it writes into.
    explicit Form3(HomeworkListModel& list, QWidget* parent = nullptr);

    /// Fills the period box.
    void setPeriod(const QString& period) override;
    /// Fills the box of one day (0 = Monday).
    void setDay(int day, const QString& text) override;
    /// Sets m_Index.
    void setIndex(qint16 index) override;
    /// Shows the editor centred and waits until it closes.
    void showModal() override;

    /// Centres the editor on its screen with the focus in the period box, without waiting.
    void showCentred();

    /// "Save": checks the row, writes it into the list and closes; otherwise says what is wrong
    /// and stays open with everything typed.
    void PushButton3_Click();
    /// "Cancel": closes without touching the list.
    void PushButton4_Click();
    /// For the ways out of the program that cannot wait for the user: saves the row as "Save"
    /// would when it passes the checks, without any message, and closes; otherwise closes as
    /// "Cancel".
    void saveBeforeEnding();

    /// m_Index: -1 adds a row at the end; otherwise the 1-based position of the edited row.
    qint16 index() const { return m_Index; }

private:
    /// -1 adds a row at the end; otherwise the 1-based position of the row being edited.
    qint16 m_Index = -1;

    /// The "Period" frame.
    QGroupBox* Frame1;
    /// The period box.
    QLineEdit* Text2;
    /// The frames of the days, Monday (Frame2) to Sunday (Frame8).
    std::array<QGroupBox*, DaysPerWeek> dayFrames;
    /// The day boxes, index 0 = Monday … 6 = Sunday.
    std::array<QPlainTextEdit*, DaysPerWeek> Text1;
    /// "Save".
    QPushButton* PushButton3;
    /// "Cancel".
    QPushButton* PushButton4;

    void createControls();
    void describeControls();
    void Form_Load();
    HomeworkEntry typedEntry() const;
    int editedRow() const;

    HomeworkListModel& m_list;
    WindowPointer* m_pointer;
    std::array<KeptLineBreaks*, DaysPerWeek> m_dayTexts;
};

} // namespace quillory
