// SPDX-License-Identifier: MIT

#include "app/form1.h"

#include "app/general_data_frame.h"
#include "app/list_menu.h"
#include "homework/editor/form3.h"
#include "preview/form2.h"
#include "session/list_commands.h"
#include "session/sample_data_command.h"
#include "widgets/enter_presses.h"
#include "widgets/form_colors.h"
#include "widgets/one_line_delegate.h"
#include "widgets/twips.h"
#include "widgets/window_look.h"
#include "widgets/window_pointer.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// Controls carry their names, so that a skin can address them.
QPushButton* makeButton(const QString& name, const QString& caption, const QRect& place,
                        QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setFont(buttonFont());
    return button;
}

} // namespace

Form1::Form1(HomePageCall homePage, const QString& settingsPath)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_session(settingsPath)
    , m_pointer(new WindowPointer(this))
    , m_homePage(std::move(homePage))
{
    setFont(windowFont());
    setFixedSize(sizeFromTwips(8040, 7290));
    // White, unless a skin says otherwise; frames and labels show the window's background.
    SetWhiteBackColor(this);
    createControls();
    describeControls();
    wireControls();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    PushButton6 = makeButton(u"PushButton6"_s, u"Start Creating Template"_s,
                             rectFromTwips(120, 120, 7800, 405), this);
    PushButton3 = makeButton(u"PushButton3"_s, commandCaption(CommandKind::ClearData),
                             rectFromTwips(120, 630, 3840, 405), this);
    PushButton4 = makeButton(u"PushButton4"_s, commandCaption(CommandKind::LoadSample),
                             rectFromTwips(4080, 630, 3840, 405), this);
    Frame1 = new GeneralDataFrame(m_session, this);
    Frame1->setObjectName(u"Frame1"_s);
    Frame1->setGeometry(rectFromTwips(120, 1110, 7800, 1275));
    createListFrame();

    setTabOrder(Frame1->lastTabStop(), ListView1);
    setTabOrder(ListView1, PushButton1);
    setTabOrder(PushButton1, PushButton2);
    setTabOrder(PushButton2, PushButton6);
    setTabOrder(PushButton6, PushButton3);
    setTabOrder(PushButton3, PushButton4);
    setTabOrder(PushButton4, PushButton5);
}

void Form1::createListFrame()
{
    Frame2 = new QGroupBox(u"Week Homeworks"_s, this);
    Frame2->setObjectName(u"Frame2"_s);
    Frame2->setGeometry(rectFromTwips(120, 2460, 7800, 4725));
    ListView1 = new QTreeView(Frame2);
    ListView1->setObjectName(u"ListView1"_s);
    ListView1->setGeometry(rectFromTwips(240, 300, 7320, 3225));
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setTextElideMode(Qt::ElideRight);
    ListView1->setItemDelegate(new OneLineDelegate(ListView1));
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionsMovable(false);
    PushButton1 = makeButton(u"PushButton1"_s, commandCaption(CommandKind::AddClass),
                             rectFromTwips(240, 3630, 7320, 405), Frame2);
    PushButton5 = makeButton(u"PushButton5"_s, commandCaption(CommandKind::EditClass),
                             rectFromTwips(240, 4140, 3600, 405), Frame2);
    PushButton2 = makeButton(u"PushButton2"_s, commandCaption(CommandKind::DeleteClass),
                             rectFromTwips(3960, 4140, 3600, 405), Frame2);
    mnuList = new ClassListMenu(*ListView1, m_session.history(), *this);
    m_session.setView(
        [this](int row) { showRow(row); },
        {[this] { return listPlace(); }, [this](const ListPlace& place) { showPlace(place); }});
}

void Form1::wireControls()
{
    connect(PushButton1, &QPushButton::clicked, this, &Form1::PushButton1_Click);
    connect(PushButton2, &QPushButton::clicked, this, &Form1::PushButton2_Click);
    connect(PushButton3, &QPushButton::clicked, this, &Form1::PushButton3_Click);
    connect(PushButton4, &QPushButton::clicked, this, &Form1::PushButton4_Click);
    connect(PushButton5, &QPushButton::clicked, this, &Form1::PushButton5_Click);
    connect(PushButton6, &QPushButton::clicked, this, &Form1::PushButton6_Click);
    m_pointer->handOver(
        {PushButton1, PushButton2, PushButton3, PushButton4, PushButton5, PushButton6});
    m_pointer->arrowOver({this, Frame1, Frame2, ListView1, ListView1->viewport()});
    letEnterPressButtons(*this);
    wireListMenu();
}

void Form1::wireListMenu()
{
    connect(mnuList->mnuEditClass, &QAction::triggered, this, &Form1::PushButton5_Click);
    connect(mnuList->mnuDeleteClass, &QAction::triggered, this, &Form1::PushButton2_Click);
    connect(mnuList->mnuMoveUp, &QAction::triggered, this, &Form1::mnuMoveUp_Click);
    connect(mnuList->mnuMoveDown, &QAction::triggered, this, &Form1::mnuMoveDown_Click);
    connect(mnuList->mnuNewWeek, &QAction::triggered, this, &Form1::mnuNewWeek_Click);
    connect(ListView1, &QAbstractItemView::doubleClicked, this, &Form1::PushButton5_Click);
}

void Form1::showRow(int row)
{
    ListView1->setCurrentIndex(m_session.list().index(row, 0));
    ListView1->scrollTo(ListView1->currentIndex());
}

// Connected once the list shows the model, so that these run after the view's own handling.
void Form1::followTheList()
{
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Form1::enableListMenu);
    // The row that shows the focus is the row the commands act on: the list, entered with the
    // keyboard, shows its first row current before any arrow key is pressed.
    connect(ListView1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &Form1::selectCurrentRow);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == ListView1)
            selectCurrentRow();
    });
    // A row added or moved can open a way down or up without a change of the selection.
    HomeworkListModel& list = m_session.list();
    connect(&list, &QAbstractItemModel::rowsInserted, this, &Form1::enableListMenu);
    connect(&list, &QAbstractItemModel::rowsRemoved, this, &Form1::enableListMenu);
    connect(&list, &QAbstractItemModel::rowsMoved, this, &Form1::enableListMenu);
    // A list replaced at once (a new week, an undone clearing) keeps the selected place.
    connect(&list, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_rowBeforeReset = ListView1->currentIndex().row(); });
    connect(&list, &QAbstractItemModel::modelReset, this, [this] {
        if (m_rowBeforeReset >= 0 && m_session.list().rowCount() > 0)
            showRow(std::min(m_rowBeforeReset, m_session.list().rowCount() - 1));
        enableListMenu();
    });
}

void Form1::selectCurrentRow()
{
    const QModelIndex current = ListView1->currentIndex();
    QItemSelectionModel* selection = ListView1->selectionModel();
    if (current.isValid() && !selection->isRowSelected(current.row(), current.parent()))
        selection->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void Form1::enableListMenu()
{
    mnuList->enableFor(selectedRowCommands(m_session.list().rowCount(), selectedRow()));
}

ListPlace Form1::listPlace() const
{
    return {selectedRow().value_or(-1), ListView1->verticalScrollBar()->value(),
            ListView1->horizontalScrollBar()->value()};
}

void Form1::showPlace(const ListPlace& place)
{
    // The scroll range follows the rows only once they are laid out.
    ListView1->doItemsLayout();
    if (place.row >= 0 && place.row < m_session.list().rowCount())
        ListView1->setCurrentIndex(m_session.list().index(place.row, 0));
    ListView1->verticalScrollBar()->setValue(place.vertical);
    ListView1->horizontalScrollBar()->setValue(place.horizontal);
}

std::unique_ptr<ClassEditor> Form1::loadClassEditor()
{
    return std::make_unique<Form3>(m_session.list(), this);
}

void Form1::PushButton1_Click()
{
    addClass(m_session.weekData(), [this] { return loadClassEditor(); });
}

void Form1::PushButton2_Click()
{
    deleteSelectedClass(m_session.weekData(), selectedRow());
}

void Form1::PushButton3_Click()
{
    clearData(m_session.weekData());
}

void Form1::PushButton4_Click()
{
    loadSampleData(m_session.weekData());
}

void Form1::PushButton5_Click()
{
    editSelectedClass(m_session.weekData(), selectedRow(), [this] { return loadClassEditor(); });
}

void Form1::mnuNewWeek_Click()
{
    startNewWeek(m_session.weekData());
}

void Form1::mnuMoveUp_Click()
{
    moveSelectedClass(-1);
}

void Form1::mnuMoveDown_Click()
{
    moveSelectedClass(1);
}

void Form1::moveSelectedClass(int by)
{
    quillory::moveSelectedClass(m_session.weekData(), selectedRow(), by);
    // The selection goes with the moved row; keep it in sight.
    ListView1->scrollTo(ListView1->currentIndex());
}

QString Form1::name() const
{
    return m_session.fields().name();
}

QDateTime Form1::date() const
{
    return m_session.fields().date();
}

std::optional<int> Form1::selectedRow() const
{
    const QModelIndexList rows = ListView1->selectionModel()
                                     ? ListView1->selectionModel()->selectedRows()
                                     : QModelIndexList();
    if (rows.isEmpty())
        return std::nullopt;
    return rows.constFirst().row();
}

} // namespace quillory
