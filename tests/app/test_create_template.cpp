// SPDX-License-Identifier: MIT
// "Start Creating Template" end to end through the real windows: the preview, going back,
// saving and closing.
#include "app/form1.h"
#include "base/failure.h"
#include "base/settings_store.h"
#include "document/automation/application_starter.h"
#include "document/layout/fonts.h"
#include "document/rtf/rtf_reader.h"
#include "homework/stored_form.h"
#include "preview/form2.h"
#include "preview/picture_area.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_entries.h"
#include "tests/support/test_files.h"
#include "tests/support/window_controls.h"
#include "widgets/window_pointer.h"

#include <QDir>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

HomePageCall noHomePage()
{
    return {[] { return 1; }, [](const QUrl&) { return true; }};
}

QStringList periodsIn(const QString& rtfPath)
{
    const doc::Document document =
        doc::readRtf(test::readBytes(rtfPath)).document.value_or(doc::Document{});
    QStringList periods;
    for (const doc::Block& block : document.body) {
        if (const auto* table = std::get_if<doc::Table>(&block)) {
            for (const doc::Row& row : table->rows)
                periods << row.cells.front().paragraphs.front().text();
        }
    }
    return periods;
}

} // namespace

class TestCreateTemplate : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void sampleDataToPreviewAndBack();
    void sampleOpensAtFullSizeAndZoomsBackToIt();
    void changesDuringTheRunsEventPassAreTyped();
    void pointerReturnsAfterThePreviewHasItsPicture();
    void closingThePreviewStoresTheListAndEnds();
    void clicksQueuedDuringARunAreDropped();
    void componentThatCannotStartKeepsTheMainWindow();
    void longSchedulesShowAndSaveEveryClass_data();
    void longSchedulesShowAndSaveEveryClass();

private:
    QStringList workingFiles() const;
    void start();

    std::unique_ptr<IsolatedSettings> m_settings;
    std::unique_ptr<QTemporaryDir> m_temp;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<Form1> m_form;
};

void TestCreateTemplate::initTestCase()
{
    doc::installFontSubstitutions();
}

void TestCreateTemplate::init()
{
    m_settings = std::make_unique<IsolatedSettings>();
    m_temp = std::make_unique<QTemporaryDir>();
    qputenv("TEMP", m_temp->path().toLocal8Bit());
    m_prompts = std::make_unique<ScriptedPrompts>();
}

void TestCreateTemplate::cleanup()
{
    m_form.reset();
    m_prompts.reset();
    doc::setApplicationStarter({});
}

void TestCreateTemplate::start()
{
    m_form = std::make_unique<Form1>(noHomePage());
    QVERIFY(m_form->Form_Load());
    m_form->showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

QStringList TestCreateTemplate::workingFiles() const
{
    return QDir(m_temp->path()).entryList(QDir::Files);
}

void TestCreateTemplate::sampleDataToPreviewAndBack()
{
    start();
    QTest::mouseClick(test::Form1Controls(*m_form).PushButton4, Qt::LeftButton);
    QTest::mouseClick(test::Form1Controls(*m_form).PushButton6, Qt::LeftButton);
    QVERIFY(m_prompts->errorReports().isEmpty());
    Form2* preview = m_form->preview();
    QVERIFY(preview && preview->isVisible());
    QVERIFY(m_form->isHidden());
    QVERIFY(!m_form->isBusy());
    QVERIFY(!m_form->pointer().isBusy());
    const QString first = preview->wordFile();
    QCOMPARE(workingFiles(), QStringList{QFileInfo(first).fileName()});
    QCOMPARE(periodsIn(first),
             (QStringList{u"Period"_s, u"1. Physical Science"_s, u"2. English"_s, u"3. Band"_s,
                          u"4. U.S. History"_s, u"5. Accounting"_s, u"6. Biz Applications I"_s,
                          u"7. Study Hall"_s, u"8. Geometry"_s}));
    QVERIFY(test::Form2Controls(*preview).Picture1->picture() != nullptr);

    QTest::mouseClick(test::Form2Controls(*preview).PushButton2, Qt::LeftButton); // zoom out
    QCOMPARE(preview->view().zoom(), 0.75f);
    QTest::mouseClick(test::Form2Controls(*preview).PushButton8, Qt::LeftButton);
    QVERIFY(m_form->isVisible());
    QVERIFY(preview->isHidden());
    QVERIFY(workingFiles().isEmpty());

    // A second run reuses the preview, at zoom 1.0, with a new working document.
    m_form->classList().remove(0);
    QTest::mouseClick(test::Form1Controls(*m_form).PushButton6, Qt::LeftButton);
    QCOMPARE(m_form->preview(), preview);
    QCOMPARE(preview->view().zoom(), 1.0f);
    QVERIFY(preview->wordFile() != first);
    QCOMPARE(periodsIn(preview->wordFile()).size(), 8);
    QCOMPARE(workingFiles(), QStringList{QFileInfo(preview->wordFile()).fileName()});
}

// The sample's picture is the text's own extent, small enough for the preview to draw it at
// 1.0; one step out and one in shows it at its opening size again.
void TestCreateTemplate::sampleOpensAtFullSizeAndZoomsBackToIt()
{
    start();
    QTest::mouseClick(test::Form1Controls(*m_form).PushButton4, Qt::LeftButton);
    QTest::mouseClick(test::Form1Controls(*m_form).PushButton6, Qt::LeftButton);
    Form2* preview = m_form->preview();
    QVERIFY(preview && preview->isVisible());
    const QSize twips = preview->view().originalSize();
    QCOMPARE(twips.width(), 13680 - 2); // the set-up takes two twips off the picture's size
    QVERIFY2(twips.height() > 5000 && twips.height() < 9700,
             qPrintable(QString::number(twips.height())));
    QCOMPARE(preview->view().zoom(), 1.0f);
    QCOMPARE(preview->view().zoomedSize(), twips);
    const QRectF opening = preview->view().picture1();
    // The picture's part of W0 x H0 twips, pixel for pixel.
    const auto openingPart = test::Form2Controls(*preview).Picture1->shownPart();
    QCOMPARE(openingPart, std::pair(QSizeF(twips), QSizeF(twips)));

    QTest::mouseClick(test::Form2Controls(*preview).PushButton2, Qt::LeftButton);
    QCOMPARE(preview->view().zoom(), 0.75f);
    QCOMPARE(preview->view().picture1().height(), std::floor(twips.height() * 0.75));
    QTest::mouseClick(test::Form2Controls(*preview).PushButton1, Qt::LeftButton);
    QCOMPARE(preview->view().zoom(), 1.0f);
    QCOMPARE(preview->view().picture1().size(), opening.size());
    QCOMPARE(test::Form2Controls(*preview).Picture1->shownPart(), openingPart);
    QVERIFY(m_prompts->errorReports().isEmpty());
}

// The name, the date and the list are read as the run uses them, after the event pass that
// writing the template copy makes.
void TestCreateTemplate::changesDuringTheRunsEventPassAreTyped()
{
    start();
    test::Form1Controls(*m_form).Text1->setText(u"Before"_s);
    m_form->classList().append(entry(u"First"_s, {u"Read"_s}));
    QTimer::singleShot(0, m_form.get(), [this] {
        test::Form1Controls(*m_form).Text1->setText(u"After"_s);
        m_form->classList().append(entry(u"Added while waiting"_s, {u"Write"_s}));
    });
    m_form->PushButton6_Click();
    QVERIFY(m_prompts->errorReports().isEmpty());
    const QString working = m_form->preview()->wordFile();
    QCOMPARE(periodsIn(working), (QStringList{u"Period"_s, u"First"_s, u"Added while waiting"_s}));
    const doc::Document document = doc::readRtf(test::readBytes(working)).document.value();
    QVERIFY(std::get<doc::Paragraph>(document.body.front())
                .text()
                .startsWith(u"Homework for After\t"_s));
    // The preview's calendar file is made of the same week.
    const QTemporaryDir saved;
    m_prompts->savePaths << saved.filePath(u"week.ics"_s);
    m_form->preview()->mnuAddToCalendar_Click();
    const QByteArray calendar = test::readBytes(saved.filePath(u"week.ics"_s));
    QVERIFY(calendar.contains("SUMMARY:First: Read") &&
            calendar.contains("SUMMARY:Added while waiting: Write"));
}

// Records whether the preview held a picture when the main window's hourglass went.
class ArrowWatcher final : public QObject {
public:
    explicit ArrowWatcher(Form1& form)
        : m_form(form)
    {
        form.installEventFilter(this);
    }
    QList<bool> previewHadPicture;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_form || event->type() != QEvent::CursorChange)
            return false;
        const bool busy = m_form.cursor().shape() == Qt::WaitCursor;
        if (m_busy && !busy)
            previewHadPicture << (m_form.preview() != nullptr &&
                                  test::Form2Controls(*m_form.preview()).Picture1->picture() !=
                                      nullptr);
        m_busy = busy;
        return false;
    }

private:
    Form1& m_form;
    bool m_busy = false;
};

void TestCreateTemplate::pointerReturnsAfterThePreviewHasItsPicture()
{
    start();
    ArrowWatcher watcher(*m_form);
    QTest::mouseClick(test::Form1Controls(*m_form).PushButton6, Qt::LeftButton);
    QVERIFY(m_prompts->errorReports().isEmpty());
    QCOMPARE(watcher.previewHadPicture, QList<bool>{true});
}

void TestCreateTemplate::closingThePreviewStoresTheListAndEnds()
{
    start();
    m_form->classList().append(entry(u"Typed this run"_s, {u"read"_s}));
    QTest::mouseClick(test::Form1Controls(*m_form).PushButton6, Qt::LeftButton);
    QSignalSpy ended(m_form.get(), &Form1::unloaded);
    QVERIFY(m_form->preview()->close());
    QCOMPARE(ended.size(), 1);
    QVERIFY(workingFiles().isEmpty());
    QCOMPARE(GetSetting(u"Homework"_s, QString()),
             toStoredForm({entry(u"Typed this run"_s, {u"read"_s})}));
}

// Clicks made while the run blocks the window wait in the queue, as the window system's do,
// and come after the run: on this button they would start it again, on another act behind the
// preview.
void TestCreateTemplate::clicksQueuedDuringARunAreDropped()
{
    start();
    const test::Form1Controls controls(*m_form);
    const int classes = m_form->classList().rowCount();
    doc::setApplicationStarter([&] {
        for (QPushButton* button : {controls.PushButton6, controls.PushButton3}) {
            for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QCoreApplication::postEvent(
                    button, new QMouseEvent(type, QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)),
                                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        }
        doc::setApplicationStarter({});
        return doc::startApplication();
    });
    m_form->classList().append(entry(u"Kept"_s));
    QTest::mouseClick(controls.PushButton6, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(m_prompts->errorReports().isEmpty());
    QCOMPARE(workingFiles(), QStringList{QFileInfo(m_form->preview()->wordFile()).fileName()});
    QCOMPARE(m_form->classList().rowCount(), classes + 1);
    // Once the run is over, the window answers again.
    QTest::mouseClick(controls.PushButton3, Qt::LeftButton);
    QCOMPARE(m_form->classList().rowCount(), 0);
}

void TestCreateTemplate::componentThatCannotStartKeepsTheMainWindow()
{
    start();
    doc::setApplicationStarter([]() -> std::unique_ptr<doc::Application> {
        throw Failure(Failure::Unavailable, u"The engine is broken."_s);
    });
    QTest::mouseClick(test::Form1Controls(*m_form).PushButton6, Qt::LeftButton);
    QVERIFY(m_prompts->errorReports().size() > 10);
    QVERIFY(m_form->isVisible());
    QVERIFY(!m_form->preview() || m_form->preview()->isHidden());
    QVERIFY(!m_form->isBusy());
    QVERIFY(!m_form->pointer().isBusy());
    QVERIFY(workingFiles().isEmpty());
}

void TestCreateTemplate::longSchedulesShowAndSaveEveryClass_data()
{
    QTest::addColumn<int>("classes");
    // Both pictures pass Qt's default limit for reading an image; the second one passes the
    // pixels a picture is rendered at in full and is kept at a lower resolution.
    QTest::newRow("1,000 classes") << 1000;
    QTest::newRow("5,000 classes") << 5000;
}

void TestCreateTemplate::longSchedulesShowAndSaveEveryClass()
{
    QFETCH(int, classes);
    start();
    QStringList expected{u"Period"_s};
    for (int i = 1; i <= classes; ++i) {
        expected << u"Class %1"_s.arg(i);
        m_form->classList().append(
            entry(expected.last(), {u"Read pages %1 to %2"_s.arg(i).arg(i + 9)}));
    }
    QTest::mouseClick(test::Form1Controls(*m_form).PushButton6, Qt::LeftButton);
    QVERIFY2(m_prompts->errorReports().isEmpty(),
             qPrintable(m_prompts->errorReports().join(u"; ")));
    Form2* preview = m_form->preview();
    QVERIFY(preview && preview->isVisible());
    QVERIFY(workingFiles().size() == 1); // the snapshot was read back and deleted
    // Every class's row is pictured: a row is at least 420 twips (28 pixels) high.
    const PictureArea* shown = test::Form2Controls(*preview).Picture1;
    QVERIFY(shown->picture()->extent().height() > classes * 420);
    QCOMPARE(shown->size(), (shown->picture()->extent() / 15).toSize());

    const QString saved = m_temp->filePath(u"saved.doc"_s);
    m_prompts->savePaths << saved;
    QTest::mouseClick(test::Form2Controls(*preview).PushButton6, Qt::LeftButton);
    QVERIFY(m_prompts->errorReports().isEmpty());
    QCOMPARE(periodsIn(saved), expected);
}

QTEST_MAIN(TestCreateTemplate)
#include "test_create_template.moc"
