// SPDX-License-Identifier: MIT

#include "app/date_picker.h"

#include "homework/general_fields.h"
#include "homework/typed_date.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

bool isPlainKey(const QKeyEvent& event)
{
    return (event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier;
}

bool isPrintable(const QKeyEvent& event)
{
    return !event.text().isEmpty() && event.text().front().isPrint();
}

} // namespace

DatePicker::DatePicker(QWidget* parent)
    : QDateTimeEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(u"MMMM dd, yyyy"_s);
    setDateTimeRange(earliestPickerDate(), latestPickerDate());
    setDateTime(initialPickerDate());
}

bool DatePicker::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}

// Qt's picker takes typing one part at a time, and a space or a comma moves on to the next
// part (here: out of the picker), so a date typed whole was lost. Typed keys go into the text
// as into any text box; the picker's own handling of the text waits until the date is taken.
bool DatePicker::isTyping(const QKeyEvent& event) const
{
    if (!isPlainKey(event))
        return false;
    if (isPrintable(event) || event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete)
        return true;
    // Moving the cursor through text typed so far keeps it.
    return hasTypingPending() && (event.key() == Qt::Key_Left || event.key() == Qt::Key_Right ||
                                  event.key() == Qt::Key_Home || event.key() == Qt::Key_End);
}

// F4 and Alt+Down open the calendar, as in every desktop's date and list fields; Qt's picker
// would step the date with Alt+Down instead.
bool DatePicker::opensCalendar(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_F4 && modifiers == Qt::NoModifier) ||
           (event.key() == Qt::Key_Down && modifiers == Qt::AltModifier);
}

// Qt opens the calendar only for a press on the arrow: the key presses it there.
void DatePicker::openCalendar()
{
    QStyleOptionComboBox arrow;
    arrow.initFrom(this);
    arrow.editable = true;
    arrow.subControls = QStyle::SC_All;
    const QPointF centre =
        style()
            ->subControlRect(QStyle::CC_ComboBox, &arrow, QStyle::SC_ComboBoxArrow, this)
            .center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    mousePressEvent(&press);
}

void DatePicker::keyPressEvent(QKeyEvent* event)
{
    if (opensCalendar(*event)) {
        openCalendar();
        return;
    }
    if (!isTyping(*event)) {
        QDateTimeEdit::keyPressEvent(event);
        return;
    }
    const QSignalBlocker quiet(lineEdit());
    QAbstractSpinBox::keyPressEvent(event);
}

void DatePicker::focusOutEvent(QFocusEvent* event)
{
    interpretText();
    QDateTimeEdit::focusOutEvent(event);
}

std::optional<QDate> DatePicker::typedDate(const QString& text) const
{
    return readTypedDate(text, locale(), date().year());
}

QValidator::State DatePicker::validate(QString& input, int& pos) const
{
    if (typedDate(input))
        return QValidator::Acceptable;
    // Anything may be typed on the way to a date. Qt's own check makes a day the month lacks
    // ("April 31") the month's last day: that is no date the user typed.
    QString checked = input;
    int checkedPos = pos;
    const QValidator::State own = QDateTimeEdit::validate(checked, checkedPos);
    return own == QValidator::Invalid || checked != input ? QValidator::Intermediate : own;
}

void DatePicker::fixup(QString& /*input*/) const
{
    // A text that is no date is not made into one: the value stays as it was.
}

QDateTime DatePicker::dateTimeFromText(const QString& text) const
{
    // Qt's own reading makes a day the month lacks ("April 31") its last day: a text that is no
    // date leaves the value as it was.
    if (const std::optional<QDate> typed = typedDate(text))
        return QDateTime(*typed, time());
    return dateTime();
}

bool DatePicker::hasTypingPending() const
{
    return lineEdit()->text() != textFromDateTime(dateTime());
}

void DatePicker::takeBackTyping()
{
    const QSignalBlocker quiet(lineEdit());
    lineEdit()->setText(textFromDateTime(dateTime()));
}

} // namespace quillory
