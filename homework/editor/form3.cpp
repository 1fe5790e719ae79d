// SPDX-License-Identifier: MIT

#include "homework/editor/form3.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "base/prompts.h"
#include "homework/editor/kept_line_breaks.h"
#include "homework/homework_list_model.h"
#include "homework/stored_form.h"
#include "widgets/accessible_text.h"
#include "widgets/enter_presses.h"
#include "widgets/form_colors.h"
#include "widgets/twips.h"
#include "widgets/window_fit.h"
#include "widgets/window_look.h"
#include "widgets/window_pointer.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>
#include <limits>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

struct DayFrame {
    const char16_t* caption;
    int left;
    int top;
};

// Monday, Wednesday and Friday on the left; Tuesday, Thursday and Saturday on the right;
// Sunday across the whole width.
constexpr std::array<DayFrame, DaysPerWeek> DayFrames{{{u"Monday", 120, 1020},
                                                       {u"Tuesday", 4080, 1020},
                                                       {u"Wednesday", 120, 2460},
                                                       {u"Thursday", 4080, 2460},
                                                       {u"Friday", 120, 3900},
                                                       {u"Saturday", 4080, 3900},
                                                       {u"Sunday", 120, 5340}}};
constexpr int Sunday = DaysPerWeek - 1;

// Only spaces are taken off the period for the check; other blanks are text of their own.
bool isOnlySpaces(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' '; });
}

QString boxName(int field)
{
    return field == 0 ? u"\"Period\""_s
                      : u"\"%1\""_s.arg(QString::fromUtf16(DayFrames.at(field - 1).caption));
}

// The first box whose text, with those before it, keeps the row from reading back.
int firstBreakingField(const HomeworkEntry& entry)
{
    HomeworkEntry before{entry.Period, {}};
    if (!readsBackAsItself(before))
        return 0;
    for (int day = 0; day + 1 < DaysPerWeek; ++day) {
        before.Days.at(day) = entry.Days.at(day);
        if (!readsBackAsItself(before))
            return day + 1;
    }
    return DaysPerWeek;
}

QPushButton* makeButton(const QString& name, const QString& caption, int left, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(rectFromTwips(left, 6840, 3840, 405));
    button->setFont(buttonFont());
    button->setAutoDefault(false);
    return button;
}

} // namespace

QString entryRefusal(const HomeworkEntry& entry)
{
    if (isOnlySpaces(entry.Period))
        return u"You forgot to input period."_s;
    if (readsBackAsItself(entry))
        return {};
    return u"The %1 box holds \"%2\" or \"%3\", or part of one where it meets the next box, "
           u"which Quillory uses to keep the classes of its list apart, so the class cannot be "
           u"saved. Please change it."_s.arg(boxName(firstBreakingField(entry)),
                                             QString::fromUtf16(FieldSeparator),
                                             QString::fromUtf16(RowSeparator));
}

Form3::Form3(HomeworkListModel& list, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
    , m_list(list)
    , m_pointer(new WindowPointer(this))
{
    setWindowTitle(u"Week Homework"_s);
    setFont(windowFont());
    setFixedSize(sizeFromTwips(8040, 7365));
    setModal(true);
    createControls();
    Form_Load();
    m_fit = new WindowFit(*this);
}

void Form3::createControls()
{
    Frame1 = new QGroupBox(u"Period"_s, this);
    Frame1->setGeometry(rectFromTwips(120, 90, 7800, 855));
    Frame1->setObjectName(u"Frame1"_s);
    Text2 = new QLineEdit(Frame1);
    Text2->setObjectName(u"Text2"_s);
    Text2->setGeometry(rectFromTwips(240, 300, 7320, 375));
    Text2->setMaxLength(std::numeric_limits<int>::max()); // a period of any length stays whole
    QWidget* previous = Text2;
    for (int day = 0; day < DaysPerWeek; ++day) {
        const DayFrame& place = DayFrames.at(day);
        const bool wide = day == Sunday;
        dayFrames.at(day) = new QGroupBox(QString::fromUtf16(place.caption), this);
        dayFrames.at(day)->setGeometry(
            rectFromTwips(place.left, place.top, wide ? 7800 : 3840, 1380));
        dayFrames.at(day)->setObjectName(u"Frame%1"_s.arg(day + 2));
        auto* box = new QPlainTextEdit(dayFrames.at(day));
        box->setObjectName(u"Text1_%1"_s.arg(day));
        box->setGeometry(rectFromTwips(240, 300, wide ? 7335 : 3375, 900));
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setTabChangesFocus(true);
        Text1.at(day) = box;
        m_dayTexts.at(day) = new KeptLineBreaks(box);
        setTabOrder(previous, box);
        previous = box;
    }
    PushButton3 = makeButton(u"PushButton3"_s, u"Save"_s, 120, this);
    PushButton4 = makeButton(u"PushButton4"_s, u"Cancel"_s, 4080, this);
    setTabOrder(previous, PushButton3);
    setTabOrder(PushButton3, PushButton4);
    describeControls();
    connect(PushButton3, &QPushButton::clicked, this, &Form3::PushButton3_Click);
    // Enter starts a new line in a day box; Ctrl+Enter saves from any box.
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_Return, Qt::CTRL | Qt::Key_Enter})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &Form3::PushButton3_Click);
    connect(PushButton4, &QPushButton::clicked, this, &Form3::PushButton4_Click);
    m_pointer->handOver({PushButton3, PushButton4});
    m_pointer->arrowOver({Frame1, dayFrames[0], dayFrames[1], dayFrames[2], dayFrames[3],
                          dayFrames[4], dayFrames[5], dayFrames[6]});
    letEnterPressButtons(*this);
}

void Form3::describeControls()
{
    describe(this, windowTitle(), u"One class: its period and the homework of each day."_s);
    describe(Frame1, Frame1->title(), u"The class's period label."_s);
    describe(Text2, u"Period"_s,
             u"The period label, for example 3. Band; it must not be left empty."_s);
    for (int day = 0; day < DaysPerWeek; ++day) {
        const QString name = dayFrames.at(day)->title();
        describe(dayFrames.at(day), name, u"The homework for %1."_s.arg(name));
        describe(
            Text1.at(day), u"%1 homework"_s.arg(name),
            u"The homework for %1; line breaks are kept. Tab goes on to the next box."_s.arg(name));
    }
    describe(PushButton3, PushButton3->text(),
             u"Puts the class into the list and closes the editor."_s);
    describe(PushButton4, PushButton4->text(),
             u"Closes the editor and leaves the list as it was."_s);
}

void Form3::Form_Load()
{
    // The one report shown without an icon.
    GuardedProcedure procedure(locations::Form3Load, ReportIcon::None);
    procedure.step(100, [this] { SetFormBackColors(this); });
    procedure.step(102, [this] { setWindowIcon(programIcon()); });
    const QString hand = handPointerPath();
    if (procedure.result(106, [&] { return FileExists(hand); }).value_or(false))
        procedure.step(108, [&] { m_pointer->setHand(loadHandPointer(hand).orRaise()); });
}

void Form3::setPeriod(const QString& period)
{
    Text2->setText(period);
}

void Form3::setDay(int day, const QString& text)
{
    m_dayTexts.at(day)->load(text);
}

void Form3::setIndex(qint16 index)
{
    m_Index = index;
}

void Form3::showCentred()
{
    m_fit->centre();
    show();
    Text2->setFocus(Qt::OtherFocusReason);
}

void Form3::showModal()
{
    showCentred();
    exec();
}

HomeworkEntry Form3::typedEntry() const
{
    HomeworkEntry entry{Text2->text(), {}};
    for (int day = 0; day < DaysPerWeek; ++day)
        entry.Days.at(day) = m_dayTexts.at(day)->text();
    return entry;
}

void Form3::PushButton3_Click()
{
    GuardedProcedure procedure(locations::Form3Save);
    const HomeworkEntry entry = typedEntry();
    const std::optional<QString> refusal =
        procedure.result(100, [&] { return entryRefusal(entry); });
    if (refusal && !refusal->isEmpty()) {
        procedure.step(124, [&] { prompts().note(*refusal); });
        return;
    }
    if (m_Index == -1) {
        procedure.step(104, [&] { m_list.append(entry); });
    } else {
        const std::optional<int> row = procedure.result(112, [&] { return editedRow(); });
        if (row)
            procedure.step(114, [&] { m_list.replace(*row, entry); });
    }
    procedure.step(122, [this] { accept(); });
}

void Form3::PushButton4_Click()
{
    GuardedProcedure(locations::Form3Cancel).step(100, [this] { reject(); });
}

int Form3::editedRow() const
{
    if (m_Index < 1 || m_Index > m_list.rowCount())
        throw Failure(Failure::InvalidState,
                      u"There is no class number %1 in the list."_s.arg(m_Index));
    return m_Index - 1;
}

void Form3::saveBeforeEnding()
{
    const HomeworkEntry entry = typedEntry();
    if (!entryRefusal(entry).isEmpty()) {
        reject();
        return;
    }
    try {
        if (m_Index == -1)
            m_list.append(entry);
        else
            m_list.replace(editedRow(), entry);
    } catch (const Failure&) {
        reject(); // the row is gone: there is nothing to save it into
        return;
    }
    accept();
}

} // namespace quillory
