// SPDX-License-Identifier: MIT

#include "app/general_data_frame.h"

#include "app/date_picker.h"
#include "app/field_changes.h"
#include "app/history_keys.h"
#include "base/guarded_procedure.h"
#include "homework/general_fields.h"
#include "widgets/accessible_text.h"
#include "widgets/twips.h"

#include <QDateTimeEdit>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QUndoStack>

#include <limits>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// The name box is index 0 of its group; the index is part of its setting key.
constexpr int NameBoxIndex = 0;

} // namespace

GeneralDataFrame::GeneralDataFrame(QWidget* parent)
    : QGroupBox(u"General Data"_s, parent)
    , Label2_0(new QLabel(u"Your Name:"_s, this))
    , Text1(new QLineEdit(this))
    , Label2_12(new QLabel(u"Date:"_s, this))
    , DateTimePicker1(new DatePicker(this))
{
    Label2_0->setObjectName(u"Label2_0"_s);
    Text1->setObjectName(u"Text1"_s);
    Label2_12->setObjectName(u"Label2_12"_s);
    DateTimePicker1->setObjectName(u"DateTimePicker1"_s);
    Label2_0->setGeometry(rectFromTwips(240, 345, 975, 225));
    Text1->setGeometry(rectFromTwips(1680, 300, 5895, 345));
    // The name has no length limit of its own: a longer stored name must not be cut on save.
    Text1->setMaxLength(std::numeric_limits<int>::max());
    Label2_12->setGeometry(rectFromTwips(240, 795, 435, 225));
    DateTimePicker1->setGeometry(rectFromTwips(1680, 750, 5895, 345));
    m_shownDate = DateTimePicker1->dateTime();
    m_clock.start();

    describeControls();
    Text1->installEventFilter(this);
    connect(Text1, &QLineEdit::textChanged, this, &GeneralDataFrame::Text1_Change);
    connect(DateTimePicker1, &QDateTimeEdit::dateTimeChanged, this, &GeneralDataFrame::dateChanged);
}

void GeneralDataFrame::recordChangesIn(QUndoStack& history)
{
    m_history = &history;
    new HistoryKeys(history, {Text1, DateTimePicker1}, this);
}

void GeneralDataFrame::describeControls()
{
    // The labels name the boxes beside them for assistive technology.
    Label2_0->setBuddy(Text1);
    Label2_12->setBuddy(DateTimePicker1);
    describe(Label2_0, Label2_0->text(), u"Names the box for your name."_s);
    describe(Label2_12, Label2_12->text(), u"Names the date picker."_s);
    describe(Text1, u"Your Name"_s,
             u"Your name at the head of the schedule; kept the moment it changes."_s);
    describe(DateTimePicker1, u"Date"_s,
             u"The date at the head of the schedule: type it, or change the month, day or year "
             u"the cursor is in with the up and down arrow keys; its button opens a calendar."_s);
}

QString GeneralDataFrame::name() const
{
    return Text1->text();
}

void GeneralDataFrame::setName(const QString& name)
{
    // Set and stored here rather than through the change signal, so that a failed write is
    // reported by the command that set the name.
    {
        const QSignalBlocker quiet(Text1);
        Text1->setText(name);
    }
    m_shownName = name;
    storeName(NameBoxIndex, name);
}

QDateTime GeneralDataFrame::date() const
{
    return DateTimePicker1->dateTime();
}

void GeneralDataFrame::setDate(const QDateTime& date)
{
    const QSignalBlocker quiet(DateTimePicker1);
    DateTimePicker1->setDateTime(date);
    m_shownDate = DateTimePicker1->dateTime();
}

void GeneralDataFrame::restoreName()
{
    // Writing the value just read back to the store would be a write for nothing.
    const QSignalBlocker quiet(Text1);
    Text1->setText(restoredName(NameBoxIndex));
    m_shownName = Text1->text();
}

void GeneralDataFrame::restoreDate()
{
    const QSignalBlocker quiet(DateTimePicker1);
    const QDateTime stored = restoredDate(DateTimePicker1->dateTime());
    // A date the picker cannot show leaves it where it is, rather than at its nearest end.
    if (stored >= DateTimePicker1->minimumDateTime() &&
        stored <= DateTimePicker1->maximumDateTime())
        DateTimePicker1->setDateTime(stored);
    m_shownDate = DateTimePicker1->dateTime();
}

QWidget* GeneralDataFrame::lastTabStop() const
{
    return DateTimePicker1;
}

void GeneralDataFrame::focusName()
{
    // At start-up the window may not be active yet; the focus then arrives with the window,
    // so the text is selected here rather than on its arrival.
    Text1->setFocus(Qt::OtherFocusReason);
    Text1_GotFocus();
}

void GeneralDataFrame::DateTimePicker1_Change()
{
    storeDate(DateTimePicker1->dateTime());
}

void GeneralDataFrame::Text1_Change()
{
    const QString typed = Text1->text();
    GuardedProcedure(locations::Form1NameChange).step(100, [&] { storeName(NameBoxIndex, typed); });
    if (m_history)
        m_history->push(new NameTyped(*this, m_shownName, typed,
                                      textEdit(m_shownName, typed, m_clock.elapsed())));
    m_shownName = typed;
    Q_EMIT edited();
}

void GeneralDataFrame::dateChanged()
{
    const QDateTime picked = DateTimePicker1->dateTime();
    GuardedProcedure(locations::Form1DateChange).step(100, [this] { DateTimePicker1_Change(); });
    // Enter tells of the date again, unchanged.
    if (m_history && picked != m_shownDate)
        m_history->push(new DateChanged(*this, m_shownDate, picked));
    m_shownDate = picked;
    Q_EMIT edited();
}

void GeneralDataFrame::Text1_GotFocus()
{
    Text1->selectAll();
}

bool GeneralDataFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text1 && event->type() == QEvent::FocusIn) {
        // Coming back to the window or closing a pop-up menu is no move into the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Text1_GotFocus();
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace quillory
