// SPDX-License-Identifier: MIT
// What assistive technology reads out for the main window's controls and the list's menu.
#include "app/form1.h"

#include "app/general_data_frame.h"
#include "app/list_menu.h"
#include "widgets/accessible_text.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTreeView>

namespace quillory {

using namespace Qt::StringLiterals;

void Form1::describeControls()
{
    describe(this, u"Quillory"_s,
             u"The homework of one week, with your name and the date, for a printable "
             u"schedule."_s);
    describe(PushButton6, PushButton6->text(),
             u"Pours the name, the date and the classes into the schedule and shows it in the "
             u"preview."_s);
    describe(PushButton3, PushButton3->text(),
             u"Empties the name and the class list; the date stays. Ctrl+Z brings them back."_s);
    describe(PushButton4, PushButton4->text(),
             u"Puts an example name, today's date and an example week in place of yours. "
             u"Ctrl+Z brings yours back."_s);
    describe(Frame1, Frame1->title(), u"The name and the date at the head of the schedule."_s);
    describe(Frame2, Frame2->title(), u"The classes of the week and the commands on them."_s);
    describe(ListView1, u"Classes"_s,
             u"One row per class: the period and the homework of each day, in the order of the "
             u"schedule. Enter edits the selected class, Delete removes it, Alt+Up and Alt+Down "
             u"move it, Ctrl+N starts a new week, Shift+F10 opens the list's menu."_s);
    describe(PushButton1, PushButton1->text(),
             u"Opens the class editor for a new class at the end of the list."_s);
    describe(PushButton5, PushButton5->text(), u"Opens the selected class in the class editor."_s);
    describe(PushButton2, PushButton2->text(),
             u"Removes the selected class from the list. Ctrl+Z brings it back."_s);
    describe(mnuList, u"Class list menu"_s,
             u"Commands on the selected class, a new week, Undo and Redo."_s);
}

} // namespace quillory
