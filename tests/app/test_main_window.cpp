// SPDX-License-Identifier: MIT
// The main window driven as a user drives it: start-up, the buttons, the pointer and closing.
#include "app/ending_requests.h"
#include "app/form1.h"
#include "app/general_data_frame.h"
#include "base/app_title.h"
#include "base/failure.h"
#include "base/settings_format.h"
#include "base/settings_store.h"
#include "document/automation/application_starter.h"
#include "generation/availability.h"
#include "homework/editor/form3.h"
#include "homework/general_fields.h"
#include "homework/sample_data.h"
#include "homework/stored_form.h"
#include "tests/support/failure_status.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_entries.h"
#include "tests/support/test_files.h"
#include "tests/support/window_controls.h"
#include "widgets/window_pointer.h"

#include <QDateTimeEdit>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <QTimer>
#include <QTreeView>

#include <csignal>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

// Start-up never opens anything here; it only counts what it would have opened.
struct HomePageSpy {
    int draw = 1;
    bool opens = true;
    QList<QUrl> opened;

    HomePageCall call()
    {
        return {[this] { return draw; },
                [this](const QUrl& address) {
                    opened.append(address);
                    return opens;
                }};
    }
};

QString besideTests(const QString& name)
{
    return QCoreApplication::applicationDirPath() + u'/' + name;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void layout_data();
    void layout();
    void tabOrder();
    void firstStart();
    void restoresWhatWasStored();
    void storedDateOutsideThePickerLeavesIt_data();
    void storedDateOutsideThePickerLeavesIt();
    void malformedStoredListIsReportedAndKept();
    void unavailableComponentEndsBeforeAnythingShows();
    void homePage_data();
    void homePage();
    void skin_data();
    void skin();
    void pointerFeedback();
    void showsCentredWithTheNameSelected();
    void commandsThroughTheButtons();
    void editThroughTheRealEditor();
    void closingStoresExactlyTheRowsShown();
    void aCloseThatCannotStoreKeepsTheWindowOnce();
    void endingSignalsStoreAsTheCloseBoxDoes_data();
    void endingSignalsStoreAsTheCloseBoxDoes();

private:
    std::unique_ptr<Form1> startedWindow();

    std::unique_ptr<test::IsolatedSettings> m_settings;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;
    HomePageSpy m_homePage;
};

void TestMainWindow::init()
{
    m_prompts.reset();
    m_settings = std::make_unique<test::IsolatedSettings>();
    m_prompts = std::make_unique<test::ScriptedPrompts>();
    m_homePage = {};
}

void TestMainWindow::cleanup()
{
    doc::setApplicationStarter({});
    QFile::remove(besideTests(u"HAND-M.CUR"_s));
    QDir(besideTests(u"x"_s)).removeRecursively();
}

std::unique_ptr<Form1> TestMainWindow::startedWindow()
{
    auto form = std::make_unique<Form1>(m_homePage.call());
    if (!form->Form_Load())
        return nullptr;
    return form;
}

void TestMainWindow::layout_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<qreal>("points");
    QTest::newRow("PushButton6") << u"PushButton6"_s << u"Start Creating Template"_s
                                 << QRect(8, 8, 520, 27) << 11.25;
    QTest::newRow("PushButton3") << u"PushButton3"_s << u"Clear/Reset Data"_s
                                 << QRect(8, 42, 256, 27) << 11.25;
    QTest::newRow("PushButton4") << u"PushButton4"_s << u"Load Sample/Example Data"_s
                                 << QRect(272, 42, 256, 27) << 11.25;
    QTest::newRow("Frame1") << u"Frame1"_s << u"General Data"_s << QRect(8, 74, 520, 85) << 9.0;
    QTest::newRow("Label2_0") << u"Label2_0"_s << u"Your Name:"_s << QRect(16, 23, 65, 15) << 9.0;
    QTest::newRow("Text1") << u"Text1"_s << QString() << QRect(112, 20, 393, 23) << 9.0;
    QTest::newRow("Label2_12") << u"Label2_12"_s << u"Date:"_s << QRect(16, 53, 29, 15) << 9.0;
    QTest::newRow("DateTimePicker1")
        << u"DateTimePicker1"_s << QString() << QRect(112, 50, 393, 23) << 9.0;
    QTest::newRow("Frame2") << u"Frame2"_s << u"Week Homeworks"_s << QRect(8, 164, 520, 315) << 9.0;
    QTest::newRow("ListView1") << u"ListView1"_s << QString() << QRect(16, 20, 488, 215) << 9.0;
    QTest::newRow("PushButton1") << u"PushButton1"_s << u"Add Class"_s << QRect(16, 242, 488, 27)
                                 << 11.25;
    QTest::newRow("PushButton5") << u"PushButton5"_s << u"Edit Selected Class"_s
                                 << QRect(16, 276, 240, 27) << 11.25;
    QTest::newRow("PushButton2") << u"PushButton2"_s << u"Delete Selected Class"_s
                                 << QRect(264, 276, 240, 27) << 11.25;
}

void TestMainWindow::layout()
{
    QFETCH(QString, control);
    QFETCH(QString, caption);
    QFETCH(QRect, place);
    QFETCH(qreal, points);
    Form1 form(m_homePage.call());
    QCOMPARE(form.size(), QSize(536, 486));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    auto* widget = form.findChild<QWidget*>(control);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), place);
    QCOMPARE(widget->font().family(), u"Arial"_s);
    QVERIFY(widget->font().bold());
    QCOMPARE(widget->font().pointSizeF(), points);
    if (auto* button = qobject_cast<QPushButton*>(widget))
        QCOMPARE(button->text(), caption);
    else if (auto* frame = qobject_cast<QGroupBox*>(widget))
        QCOMPARE(frame->title(), caption);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        QCOMPARE(label->text(), caption);
}

void TestMainWindow::tabOrder()
{
    Form1 form(m_homePage.call());
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    test::Form1Controls(form).Text1->setFocus();
    const QList<QWidget*> expected{test::Form1Controls(form).DateTimePicker1,
                                   test::Form1Controls(form).ListView1,
                                   test::Form1Controls(form).PushButton1,
                                   test::Form1Controls(form).PushButton2,
                                   test::Form1Controls(form).PushButton6,
                                   test::Form1Controls(form).PushButton3,
                                   test::Form1Controls(form).PushButton4,
                                   test::Form1Controls(form).PushButton5,
                                   test::Form1Controls(form).Text1};
    QList<QWidget*> visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(QApplication::focusWidget());
    }
    QCOMPARE(visited, expected);
}

void TestMainWindow::firstStart()
{
    std::unique_ptr<Form1> form = startedWindow();
    QVERIFY(form);
    QCOMPARE(form->windowTitle(), u"Quillory"_s);
    QVERIFY(!form->windowIcon().isNull());
    QCOMPARE(applicationTitle(), u"Quillory"_s);
    QVERIFY(form->name().isEmpty());
    QCOMPARE(form->date(), QDateTime(QDate(2013, 6, 8), QTime(11, 51, 22)));
    QCOMPARE(form->classList().rowCount(), 0);
    QHeaderView* header = test::Form1Controls(*form).ListView1->header();
    QCOMPARE(header->count(), 8);
    for (int column = 0; column < 8; ++column)
        QCOMPARE(header->sectionSize(column), 133);
    QCOMPARE(
        test::Form1Controls(*form).ListView1->model()->headerData(3, Qt::Horizontal).toString(),
        u" Wednesday"_s);
    QCOMPARE(form->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(form->styleSheet().isEmpty());
    QVERIFY(m_prompts->shown().isEmpty());
    QVERIFY(m_homePage.opened.isEmpty());
    QVERIFY(!QFile::exists(m_settings->filePath()));
}

void TestMainWindow::restoresWhatWasStored()
{
    test::require(SaveSetting(u"Text1_0"_s, u" Ada "_s));
    test::require(storeDate(QDateTime(QDate(2030, 1, 31), QTime(9, 5))));
    test::require(SaveSetting(u"Homework"_s, toStoredForm(sampleClasses())));
    std::unique_ptr<Form1> form = startedWindow();
    QVERIFY(form);
    QCOMPARE(form->name(), u" Ada "_s);
    QCOMPARE(form->date(), QDateTime(QDate(2030, 1, 31), QTime(9, 5)));
    QCOMPARE(form->classList().entries(), sampleClasses());
    QCOMPARE(test::Form1Controls(*form).DateTimePicker1->text(), u"January 31, 2030"_s);
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestMainWindow::storedDateOutsideThePickerLeavesIt_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QDateTime>("shown");
    const QDateTime initial(QDate(2013, 6, 8), QTime(11, 51, 22));
    QTest::newRow("1500") << u"1500-01-01T00:00:00"_s << initial;
    QTest::newRow("first of 1601")
        << u"1601-01-01T00:00:00"_s << QDateTime(QDate(1601, 1, 1), QTime(0, 0));
    QTest::newRow("past the last second of 9999") << u"9999-12-31T23:59:59.500"_s << initial;
}

void TestMainWindow::storedDateOutsideThePickerLeavesIt()
{
    QFETCH(QString, stored);
    QFETCH(QDateTime, shown);
    test::require(SaveSetting(u"DateTimePicker1"_s, stored));
    std::unique_ptr<Form1> form = startedWindow();
    QVERIFY(form);
    QCOMPARE(form->date(), shown);
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestMainWindow::malformedStoredListIsReportedAndKept()
{
    const QString stored = u"a"_s + F + u"mon"_s + R + u"b"_s + F.repeated(7) + R;
    test::require(SaveSetting(u"Homework"_s, stored));
    std::unique_ptr<Form1> form = startedWindow();
    QVERIFY(form);
    const QStringList reports = m_prompts->errorReports();
    QCOMPARE(reports.size(), 1);
    QVERIFY(reports.first().contains(u"in Brackwater2021/08/31.Form1.Form_Load at line 164"_s));
    QCOMPARE(form->classList().rowCount(), 2);
    QCOMPARE(form->classList().entry(0).Days.at(0), u"mon"_s);
    form->close();
    QCOMPARE(GetSetting(u"Homework"_s, {}),
             u"a"_s + F + u"mon"_s + F.repeated(6) + R + u"b"_s + F.repeated(7) + R);
}

void TestMainWindow::unavailableComponentEndsBeforeAnythingShows()
{
    test::require(SaveSetting(u"Homework"_s, toStoredForm(sampleClasses())));
    test::require(SaveSetting(u"Text1_0"_s, u"Kim"_s));
    const QByteArray before = readBytes(m_settings->filePath());
    doc::setApplicationStarter([]() -> std::unique_ptr<doc::Application> {
        throw Failure(Failure::Unavailable, u"The engine is switched off."_s);
    });
    {
        Form1 form(m_homePage.call());
        QVERIFY(!form.Form_Load());
        QVERIFY(!form.isVisible());
        QCOMPARE(m_prompts->texts(test::ScriptedPrompts::Kind::Note),
                 QStringList{componentUnavailableMessage()});
        QVERIFY(m_prompts->errorReports().isEmpty());
    }
    QCOMPARE(readBytes(m_settings->filePath()), before);
}

void TestMainWindow::homePage_data()
{
    QTest::addColumn<int>("draw");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<int>("openings");
    QTest::addColumn<bool>("reported");
    QTest::newRow("seven opens the page") << 7 << true << 1 << false;
    QTest::newRow("a page that cannot open") << 7 << false << 1 << true;
    QTest::newRow("one") << 1 << true << 0 << false;
    QTest::newRow("a hundred") << 100 << true << 0 << false;
}

void TestMainWindow::homePage()
{
    QFETCH(int, draw);
    QFETCH(bool, opens);
    QFETCH(int, openings);
    QFETCH(bool, reported);
    m_homePage.draw = draw;
    m_homePage.opens = opens;
    QVERIFY(startedWindow());
    QCOMPARE(m_homePage.opened.size(), openings);
    if (openings > 0)
        QCOMPARE(m_homePage.opened.first(), QUrl(QString::fromUtf16(HomePageAddress)));
    const QStringList reports = m_prompts->errorReports();
    QCOMPARE(reports.size(), reported ? 1 : 0);
    if (reported)
        QVERIFY(reports.first().contains(u"Form1.Form_Load at line 126"_s));
}

void TestMainWindow::skin_data()
{
    QTest::addColumn<bool>("readable");
    QTest::newRow("a style sheet") << true;
    QTest::newRow("a skin that cannot be read") << false;
}

void TestMainWindow::skin()
{
    QFETCH(bool, readable);
    const QByteArray sheet = "QPushButton#PushButton6 { color: rgb(1, 2, 3); }";
    QVERIFY(QDir().mkpath(besideTests(u"x"_s)));
    if (readable) {
        QFile file(besideTests(u"x/o.cjs"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(sheet);
    } else {
        QVERIFY(QDir().mkpath(besideTests(u"x/o.cjs"_s)));
    }
    std::unique_ptr<Form1> form = startedWindow();
    QVERIFY(form);
    const QColor face = form->palette().color(QPalette::Button);
    QCOMPARE(form->palette().color(QPalette::Window), face);
    QCOMPARE(test::Form1Controls(*form).Frame2->palette().color(QPalette::Window), face);
    QCOMPARE(test::Form1Controls(*form).Label2_0->palette().color(QPalette::Window), face);
    // Narrowed to the main window's own widgets, so dialogs over it keep their look.
    const QString scoped =
        u"QPushButton#PushButton6[quillorySkinned=\"true\"] { color: rgb(1, 2, 3); }\n"_s;
    QCOMPARE(form->styleSheet(), readable ? scoped : QString());
    QCOMPARE(m_prompts->errorReports().size(), readable ? 0 : 1);
    if (!readable)
        QVERIFY(m_prompts->errorReports().first().contains(u"at line 100"_s));
}

void TestMainWindow::pointerFeedback()
{
    QFile hand(u":/HAND-M.CUR"_s);
    QVERIFY(hand.copy(besideTests(u"HAND-M.CUR"_s)));
    std::unique_ptr<Form1> form = startedWindow();
    QVERIFY(form);
    form->showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    for (QPushButton* button :
         {test::Form1Controls(*form).PushButton6, test::Form1Controls(*form).PushButton1,
          test::Form1Controls(*form).PushButton2}) {
        QTest::mouseMove(button);
        QVERIFY2(form->pointer().isShowingHand(), qPrintable(button->text()));
        QCOMPARE(form->cursor().shape(), Qt::BitmapCursor);
        QTest::mouseMove(test::Form1Controls(*form).ListView1->viewport());
        QCOMPARE(form->cursor().shape(), Qt::ArrowCursor);
    }
    QTest::mouseMove(test::Form1Controls(*form).PushButton4);
    QTest::mouseMove(form.get(), QPoint(3, 3));
    QCOMPARE(form->cursor().shape(), Qt::ArrowCursor);
    form->pointer().setBusy(true);
    QTest::mouseMove(test::Form1Controls(*form).PushButton3);
    QTest::mouseMove(test::Form1Controls(*form).Frame2,
                     QPoint(4, test::Form1Controls(*form).Frame2->height() - 4));
    QCOMPARE(form->cursor().shape(), Qt::WaitCursor);
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestMainWindow::showsCentredWithTheNameSelected()
{
    test::require(SaveSetting(u"Text1_0"_s, u"Dana"_s));
    std::unique_ptr<Form1> form = startedWindow();
    QVERIFY(form);
    form->showCentred();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QCOMPARE(QApplication::focusWidget(), test::Form1Controls(*form).Text1);
    QCOMPARE(test::Form1Controls(*form).Text1->selectedText(), u"Dana"_s);
    const QRect screen = form->screen()->availableGeometry();
    // The window manager's frame is known only once the window is shown: a few pixels' leeway.
    const QPoint offset = form->frameGeometry().center() - screen.center();
    QVERIFY2(offset.manhattanLength() <= 6,
             qPrintable(u"%1, %2"_s.arg(offset.x()).arg(offset.y())));
}

void TestMainWindow::commandsThroughTheButtons()
{
    std::unique_ptr<Form1> form = startedWindow();
    QVERIFY(form);
    form->showCentred();
    QTest::mouseClick(test::Form1Controls(*form).PushButton4, Qt::LeftButton);
    QTest::mouseClick(test::Form1Controls(*form).PushButton4, Qt::LeftButton);
    QCOMPARE(form->classList().entries(), sampleClasses());
    test::Form1Controls(*form).ListView1->setCurrentIndex(form->classList().index(1, 0));
    QTest::mouseClick(test::Form1Controls(*form).PushButton2, Qt::LeftButton);
    QList<HomeworkEntry> expected = sampleClasses();
    expected.removeAt(1);
    QCOMPARE(form->classList().entries(), expected);
    // The selection moves on to the row that took the deleted one's place.
    QCOMPARE(form->selectedRow(), std::optional<int>(1));
    test::Form1Controls(*form).ListView1->clearSelection();
    QTest::mouseClick(test::Form1Controls(*form).PushButton2, Qt::LeftButton);
    QTest::mouseClick(test::Form1Controls(*form).PushButton5, Qt::LeftButton);
    QCOMPARE(form->classList().entries(), expected);
    QCOMPARE(m_prompts->texts(test::ScriptedPrompts::Kind::Note).size(), 2);
    const QDateTime date = form->date();
    QTest::mouseClick(test::Form1Controls(*form).PushButton3, Qt::LeftButton);
    QCOMPARE(form->classList().rowCount(), 0);
    QVERIFY(form->name().isEmpty());
    QCOMPARE(form->date(), date);
    QVERIFY(m_prompts->errorReports().isEmpty());
}

void TestMainWindow::editThroughTheRealEditor()
{
    std::unique_ptr<Form1> form = startedWindow();
    QVERIFY(form);
    form->showCentred();
    QTest::mouseClick(test::Form1Controls(*form).PushButton4, Qt::LeftButton);
    test::Form1Controls(*form).ListView1->setCurrentIndex(form->classList().index(2, 0));
    QStringList shown;
    QTimer::singleShot(0, this, [&] {
        auto* editor = qobject_cast<Form3*>(QApplication::activeModalWidget());
        QVERIFY(editor);
        shown.append(test::Form3Controls(*editor).Text2->text());
        for (QPlainTextEdit* day : test::Form3Controls(*editor).Text1)
            shown.append(day->toPlainText());
        test::Form3Controls(*editor).Text2->setText(u"changed"_s);
        QTest::mouseClick(test::Form3Controls(*editor).PushButton4, Qt::LeftButton);
    });
    QTest::mouseClick(test::Form1Controls(*form).PushButton5, Qt::LeftButton);
    const QString jazz = u"Jazz Band Practice"_s;
    QCOMPARE(shown, (QStringList{u"3. Band"_s, {}, jazz, {}, jazz, {}, jazz, {}}));
    QCOMPARE(form->classList().entries(), sampleClasses());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMainWindow::closingStoresExactlyTheRowsShown()
{
    test::require(SaveSetting(u"Homework"_s, toStoredForm(sampleClasses())));
    std::unique_ptr<Form1> form = startedWindow();
    QVERIFY(form);
    form->showCentred();
    form->classList().remove(0);
    form->classList().append({u"9. Choir"_s, {u"sing"_s}});
    QSignalSpy unloaded(form.get(), &Form1::unloaded);
    QVERIFY(form->close());
    QCOMPARE(unloaded.count(), 1);
    QCOMPARE(GetSetting(u"Homework"_s, {}), toStoredForm(form->classList().entries()));
    QCOMPARE(form->classList().entry(7).Period, u"9. Choir"_s);
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestMainWindow::aCloseThatCannotStoreKeepsTheWindowOnce()
{
    std::unique_ptr<Form1> form = startedWindow();
    QVERIFY(form);
    form->showCentred();
    form->classList().append({u"1. Choir"_s, {u"sing"_s}});
    // A folder where the settings file belongs makes every write fail.
    QVERIFY(QDir().mkpath(m_settings->filePath()));
    // A name typed now cannot be stored either (told once); it goes with the list.
    test::Form1Controls(*form).Text1->setText(u"Ada"_s);
    m_prompts->clear();
    QSignalSpy unloaded(form.get(), &Form1::unloaded);
    QVERIFY(!form->close());
    QVERIFY(form->isVisible());
    QCOMPARE(unloaded.count(), 0);
    QStringList reports = m_prompts->errorReports();
    QCOMPARE(reports.size(), 1);
    QVERIFY(reports.first().contains(
        u"something that is no file stands at its name. The classes are not stored, so Quillory "
        u"stays open. Closing it again tries once more and ends it; classes that still cannot "
        u"be stored are kept in a rescue file beside the settings ("_s +
        m_settings->filePath() +
        u".rescued, or a numbered one after it), or else in your home or temporary folder.\r\n"
        u"in Brackwater2021/08/31.Form1.Form_QueryUnload at line 100"_s));
    // The second close ends without a word; the list is kept in a rescue file all the same.
    QVERIFY(form->close());
    QCOMPARE(unloaded.count(), 1);
    QCOMPARE(m_prompts->errorReports().size(), 1);
    QCOMPARE(readIni(readBytes(m_settings->filePath() + u".rescued"_s)).values,
             (QSettings::SettingsMap{{u"Quillory/Homework"_s,
                                      u"1. Choir||MySeparator123||sing||MySeparator123||||"
                                      u"MySeparator123||||MySeparator123||||MySeparator123||||"
                                      u"MySeparator123||||MySeparator123||||MySeparator234||"_s},
                                     {u"Quillory/Text1_0"_s, u"Ada"_s},
                                     {u"Quillory/DateTimePicker1"_s, u"2013-06-08T11:51:22"_s}}));
}

void TestMainWindow::endingSignalsStoreAsTheCloseBoxDoes_data()
{
    const QString choir = u"1. Choir||MySeparator123||sing||MySeparator123||||MySeparator123||||"
                          u"MySeparator123||||MySeparator123||||MySeparator123||||MySeparator123||"
                          u"||MySeparator234||"_s;
    const QString art = u"2. Art||MySeparator123||draw||MySeparator123||||"
                        u"MySeparator123||||MySeparator123||||MySeparator123||||MySeparator123||"
                        u"||MySeparator123||||MySeparator234||"_s;
    QTest::addColumn<int>("signal");
    QTest::addColumn<qint16>("editing"); // the editor's m_Index, 0 when it is not open
    QTest::addColumn<QString>("period"); // typed into the open editor
    QTest::addColumn<QString>("stored");
    QTest::newRow("shutdown") << SIGTERM << qint16(0) << QString() << choir;
    QTest::newRow("terminal gone, a class being added")
        << SIGHUP << qint16(-1) << u"2. Art"_s << choir + art;
    QTest::newRow("shutdown, a class being edited") << SIGTERM << qint16(1) << u"2. Art"_s << art;
    QTest::newRow("Ctrl+C, a class without a period") << SIGINT << qint16(-1) << u" "_s << choir;
}

void TestMainWindow::endingSignalsStoreAsTheCloseBoxDoes()
{
    QFETCH(int, signal);
    QFETCH(qint16, editing);
    QFETCH(QString, period);
    QFETCH(QString, stored);
    std::unique_ptr<Form1> form = startedWindow();
    QVERIFY(form);
    form->showCentred();
    form->classList().append({u"1. Choir"_s, {u"sing"_s}});
    EndingRequests endingRequests;
    connect(&endingRequests, &EndingRequests::requested, form.get(), &Form1::endOnRequest);
    QSignalSpy unloaded(form.get(), &Form1::unloaded);
    QTimer::singleShot(0, this, [signal, period] {
        if (auto* editor = qobject_cast<Form3*>(QApplication::activeModalWidget())) {
            test::Form3Controls(*editor).Text2->selectAll();
            QTest::keyClicks(test::Form3Controls(*editor).Text2, period);
            test::Form3Controls(*editor).Text1.at(0)->setPlainText(u"draw"_s);
        }
        ::raise(signal);
    });
    if (editing != 0) { // the editor's own event loop must give way too
        test::Form1Controls(*form).ListView1->setCurrentIndex(form->classList().index(0, 0));
        QPushButton* command = editing == -1 ? test::Form1Controls(*form).PushButton1
                                             : test::Form1Controls(*form).PushButton5;
        command->click();
    }
    QTRY_COMPARE(unloaded.count(), 1);
    QCOMPARE(GetSetting(u"Homework"_s, {}), stored);
    QVERIFY(m_prompts->shown().isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
