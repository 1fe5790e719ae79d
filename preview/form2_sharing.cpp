// SPDX-License-Identifier: MIT
// Sharing the schedule from the preview: printing, a PDF, the week as a calendar file or on a
// calendar server, the picture on the clipboard.
#include "preview/form2.h"

#include "base/failure.h"
#include "base/guarded_procedure.h"
#include "calendar/caldav/dav_connection.h"
#include "calendar/caldav/password_keyring.h"
#include "document/paint/picture_mime.h"
#include "preview/calendar_server_dialog.h"
#include "preview/picture_area.h"
#include "preview/printable_schedule.h"
#include "preview/save_results.h"
#include "preview/schedule_printing.h"
#include "widgets/held_input.h"

#include <QAction>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

QAction* menuCommand(QMenu* menu, const QString& name, const QString& caption,
                     const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

} // namespace

// The menu opens on a right click; every button, the right one too, drags the picture.
void Form2::createPictureMenu()
{
    mnuPicture = new QMenu(this);
    mnuPicture->setObjectName(u"mnuPicture"_s);
    QAction* print = menuCommand(mnuPicture, u"mnuPrint"_s, u"Print…"_s, QKeySequence::Print);
    QAction* savePdf = menuCommand(mnuPicture, u"mnuSavePdf"_s, u"Save as PDF…"_s,
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QAction* calendar = menuCommand(mnuPicture, u"mnuAddToCalendar"_s, u"Add to Calendar…"_s,
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    QAction* publish =
        menuCommand(mnuPicture, u"mnuPublishToCalendar"_s, u"Publish to Calendar Server…"_s,
                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    QAction* copy =
        menuCommand(mnuPicture, u"mnuCopyPicture"_s, u"Copy Picture"_s, QKeySequence::Copy);
    // The shortcuts work with the menu closed, too.
    addActions({print, savePdf, calendar, publish, copy});
    // From the keyboard the menu opens in the middle of the page in view.
    auto* keyboardOpening = new QAction(this);
    keyboardOpening->setShortcuts({Qt::Key_Menu, Qt::SHIFT | Qt::Key_F10});
    addAction(keyboardOpening);
    connect(keyboardOpening, &QAction::triggered, this,
            [this] { mnuPicture->popup(Picture2->mapToGlobal(Picture2->rect().center())); });
    connect(print, &QAction::triggered, this, [this] { mnuPrint_Click(); });
    connect(savePdf, &QAction::triggered, this, [this] { mnuSavePdf_Click(); });
    connect(calendar, &QAction::triggered, this, [this] { mnuAddToCalendar_Click(); });
    connect(publish, &QAction::triggered, this, [this] { mnuPublishToCalendar_Click(); });
    connect(copy, &QAction::triggered, this, [this] { mnuCopyPicture_Click(); });
    Picture2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Picture2, &QWidget::customContextMenuRequested, this,
            [this](QPoint position) { mnuPicture->popup(Picture2->mapToGlobal(position)); });
    connect(Picture1, &PictureArea::menuRequested, this,
            [this](QPoint position) { mnuPicture->popup(Picture1->mapToGlobal(position)); });
}

void Form2::mnuPrint_Click()
{
    GuardedProcedure procedure(locations::Form2Print);
    std::unique_ptr<SchedulePrint> job;
    bool chosen = false;
    procedure.step(100, [&] {
        job = std::make_unique<SchedulePrint>(heldSchedule(m_schedule.get()).printable());
    });
    if (job)
        procedure.step(102, [&] { chosen = job->askPrinter(this); });
    if (chosen) {
        procedure.step(104, [&] {
            const HeldInput heldInput; // clicks made while the pages print are dropped
            job->print();
        });
    }
}

void Form2::mnuSavePdf_Click()
{
    saveResults(m_schedule.get(), SavedForm::Pdf, locations::Form2SavePdf);
}

void Form2::mnuAddToCalendar_Click()
{
    saveResults(m_schedule.get(), SavedForm::Calendar, locations::Form2AddToCalendar);
}

void Form2::mnuPublishToCalendar_Click()
{
    GuardedProcedure procedure(locations::Form2PublishToCalendar);
    procedure.step(100, [&] {
        auto* dialog = new CalendarServerDialog(heldSchedule(m_schedule.get()).week(),
                                                std::make_unique<caldav::SecretServiceKeyring>(),
                                                caldav::authoritiesFromEnvironment(), this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
}

void Form2::mnuCopyPicture_Click()
{
    GuardedProcedure procedure(locations::Form2CopyPicture);
    procedure.step(100, [&] {
        if (!Zoom_Ori->picture())
            throw Failure(Failure::InvalidState, u"The preview holds no picture."_s);
        QGuiApplication::clipboard()->setMimeData(new doc::PictureMimeData(Zoom_Ori->picture()));
    });
}

} // namespace quillory
