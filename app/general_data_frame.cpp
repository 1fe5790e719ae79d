// SPDX-License-Identifier: MIT

#include "app/general_data_frame.h"

#include "app/date_picker.h"
#include "app/history_keys.h"
#include "session/week_session.h"
#include "widgets/accessible_text.h"
#include "widgets/twips.h"

#include <QDateTimeEdit>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <limits>

namespace quillory {

using namespace Qt::StringLiterals;

GeneralDataFrame::GeneralDataFrame(WeekSession& session, QWidget* parent)
    : QGroupBox(u"General Data"_s, parent)
    , Label2_0(new QLabel(u"Your Name:"_s, this))
    , Text1(new QLineEdit(this))
    , Label2_12(new QLabel(u"Date:"_s, this))
    , DateTimePicker1(new DatePicker(this))
    , m_session(session)
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
    showName(session.fields().name());
    showDate(session.fields().date());

    describeControls();
    Text1->installEventFilter(this);
    new HistoryKeys(session.history(), {Text1, DateTimePicker1}, this);
    connect(Text1, &QLineEdit::textChanged, this, &GeneralDataFrame::Text1_Change);
    connect(DateTimePicker1, &QDateTimeEdit::dateTimeChanged, this,
            &GeneralDataFrame::DateTimePicker1_Change);
    connect(&session.fields(), &GeneralData::nameChanged, this, &GeneralDataFrame::showName);
    connect(&session.fields(), &GeneralData::dateChanged, this, &GeneralDataFrame::showDate);
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

void GeneralDataFrame::showName(const QString& name)
{
    if (Text1->text() == name)
        return;
    const QSignalBlocker quiet(Text1);
    Text1->setText(name);
}

void GeneralDataFrame::showDate(const QDateTime& date)
{
    const QSignalBlocker quiet(DateTimePicker1);
    DateTimePicker1->setDateTime(date);
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

void GeneralDataFrame::Text1_Change()
{
    m_session.typeName(Text1->text());
}

void GeneralDataFrame::DateTimePicker1_Change()
{
    m_session.pickDate(DateTimePicker1->dateTime());
}

void GeneralDataFrame::Text1_GotFocus()
{
    Text1->selectAll();
}

bool GeneralDataFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Text1)
        return QGroupBox::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // Coming back to the window or closing a pop-up menu is no move into the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::MouseFocusReason)
            m_selectOnRelease = true;
        else if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Text1_GotFocus();
    } else if (event->type() == QEvent::MouseButtonRelease &&
               std::exchange(m_selectOnRelease, false)) {
        // The press placed the cursor; a click into the box selects the whole text, a drag
        // keeps what it selected.
        if (!Text1->hasSelectedText())
            QMetaObject::invokeMethod(this, &GeneralDataFrame::Text1_GotFocus,
                                      Qt::QueuedConnection);
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace quillory
