// SPDX-License-Identifier: MIT

#include "app/form1.h"

#include "app/general_data_frame.h"
#include "base/app_title.h"
#include "base/failure.h"
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "generation/availability.h"
#include "widgets/form_colors.h"
#include "widgets/twips.h"
#include "widgets/window_fit.h"
#include "widgets/window_look.h"
#include "widgets/window_pointer.h"
#include "widgets/window_skin.h"

#include <QDesktopServices>
#include <QFile>
#include <QRandomGenerator>
#include <QTreeView>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// The draw that opens the home page.
constexpr int HomePageDraw = 7;
constexpr int ColumnWidthTwips = 2000;

} // namespace

HomePageCall HomePageCall::real()
{
    return {[] { return int(QRandomGenerator::global()->bounded(1, 101)); },
            [](const QUrl& address) { return QDesktopServices::openUrl(address); }};
}

bool Form1::Form_Load()
{
    GuardedProcedure procedure = GuardedProcedure(locations::Form1Load);
    procedure.step(100, [this] { applySkin(); });
    procedure.step(104, [this] {
        setWindowTitle(QString::fromUtf16(ProductTitle));
        setWindowIcon(programIcon());
        setApplicationTitle(shortApplicationTitle(QString::fromUtf16(ProductTitle)));
    });
    const QString hand = handPointerPath();
    if (procedure.result(122, [&] { return FileExists(hand); }).value_or(false))
        procedure.step(124, [&] { m_pointer->setHand(loadHandPointer(hand).orRaise()); });
    procedure.step(126, [this] { callHomePage(); });
    // The settings file is read once; each step takes its key from what was read.
    m_session.readStored();
    procedure.step(128, [this] { m_session.restoreName(); });
    procedure.step(130, [this] { m_session.restoreDate(); });
    // Giving the list its model creates the eight columns with their headers.
    procedure.step(132, [this] {
        ListView1->setModel(&m_session.list());
        followTheList();
    });
    for (int column = 0; column < m_session.list().columnCount(); ++column) {
        procedure.step(148 + 2 * column,
                       [&] { ListView1->setColumnWidth(column, pixels(ColumnWidthTwips)); });
    }
    procedure.step(164, [this] { m_session.restoreList().orRaise(); });
    // A check that fails itself (rather than finding no component) is reported and start-up
    // goes on, as for every other step.
    return procedure.result(166, [] { return CheckWordInstalled(); }).value_or(true);
}

void Form1::applySkin()
{
    const QString skin = programFolderFile(QString::fromUtf16(SkinFile));
    if (!FileExists(skin))
        return;
    SetFormBackColors(this);
    QFile file(skin);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(Failure::SystemError,
                      u"The skin %1 cannot be read: %2"_s.arg(skin, file.errorString()));
    applyWindowSkin(*this, QString::fromUtf8(file.readAll()));
}

void Form1::callHomePage()
{
    if (m_homePage.draw() != HomePageDraw)
        return;
    if (!m_homePage.open(QUrl(QString::fromUtf16(HomePageAddress))))
        throw Failure(Failure::Unavailable, u"The home page %1 could not be opened."_s.arg(
                                                QString::fromUtf16(HomePageAddress)));
}

void Form1::showCentred()
{
    m_fit->centre();
    show();
    activateWindow();
    Frame1->focusName();
}

} // namespace quillory
