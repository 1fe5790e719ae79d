// SPDX-License-Identifier: MIT
// The "General Data" frame: what typing, picking and moving into its boxes do.
#include "app/general_data_frame.h"
#include "base/settings_store.h"
#include "session/week_session.h"
#include "tests/support/failure_status.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/window_controls.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTest>

using namespace quillory;
using namespace Qt::StringLiterals;

class TestGeneralDataFrame : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void typingStoresTheLatestName();
    void movingIntoTheNameSelectsItAll_data();
    void movingIntoTheNameSelectsItAll();
    void datePicker();
    void aDateTypedAsItIsShown_data();
    void aDateTypedAsItIsShown();

private:
    QString stored(const QString& key);

    std::unique_ptr<test::IsolatedSettings> m_settings;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;
    std::unique_ptr<WeekSession> m_session;
};

void TestGeneralDataFrame::init()
{
    m_settings = std::make_unique<test::IsolatedSettings>();
    m_prompts = std::make_unique<test::ScriptedPrompts>();
    m_session = std::make_unique<WeekSession>(settingsFilePath());
}

void TestGeneralDataFrame::cleanup()
{
    m_session.reset();
    m_prompts.reset();
}

QString TestGeneralDataFrame::stored(const QString& key)
{
    QCoreApplication::processEvents();
    test::require(m_session->flushStores());
    return GetSetting(key, u"unset"_s);
}

// Each key is a change of the name; the settings end with the latest, whatever a burst of keys
// wrote on the way.
void TestGeneralDataFrame::typingStoresTheLatestName()
{
    GeneralDataFrame fields(*m_session);
    fields.show();
    QLineEdit* box = test::GeneralDataControls(fields).Text1;
    QStringList stores;
    for (const char letter : {'a', 'b', 'c'}) {
        QTest::keyClick(box, letter);
        stores.append(stored(u"Text1_0"_s));
    }
    QCOMPARE(stores, (QStringList{u"a"_s, u"ab"_s, u"abc"_s}));
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(stored(u"Text1_0"_s), QString());
    QTest::keyClicks(box, u"  spaced  "_s);
    QCOMPARE(stored(u"Text1_0"_s), u"  spaced  "_s);
    QCOMPARE(m_session->fields().name(), u"  spaced  "_s);
}

void TestGeneralDataFrame::movingIntoTheNameSelectsItAll_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Tab") << u"tab"_s;
    QTest::newRow("a click") << u"click"_s;
    QTest::newRow("by the program, as at start-up") << u"program"_s;
}

void TestGeneralDataFrame::movingIntoTheNameSelectsItAll()
{
    QFETCH(QString, how);
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* fields = new GeneralDataFrame(*m_session, &window);
    fields->move(0, 40);
    QLineEdit* box = test::GeneralDataControls(*fields).Text1;
    QWidget::setTabOrder(before, box);
    m_session->fields().showName(u"Dana Whitlow"_s);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    before->setFocus();
    if (how == u"tab"_s)
        QTest::keyClick(before, Qt::Key_Tab);
    else if (how == u"click"_s)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    else
        fields->focusName();
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(box->selectedText(), u"Dana Whitlow"_s);
    QTest::keyClicks(box, u"Jo"_s);
    QCOMPARE(m_session->fields().name(), u"Jo"_s);
}

void TestGeneralDataFrame::datePicker()
{
    GeneralDataFrame fields(*m_session);
    QDateTimeEdit* picker = test::GeneralDataControls(fields).DateTimePicker1;
    QCOMPARE(picker->displayFormat(), u"MMMM dd, yyyy"_s);
    QCOMPARE(picker->minimumDate(), QDate(1601, 1, 1));
    QCOMPARE(picker->maximumDate(), QDate(9999, 12, 31));
    QCOMPARE(picker->dateTime(), QDateTime(QDate(2013, 6, 8), QTime(11, 51, 22)));
    picker->setDate(QDate(2031, 12, 1));
    QCOMPARE(stored(u"DateTimePicker1"_s), u"2031-12-01T11:51:22"_s);
    QCOMPARE(m_prompts->shown().size(), 0);
}

void TestGeneralDataFrame::aDateTypedAsItIsShown_data()
{
    QTest::addColumn<QString>("typed"); // pasted when it starts with "^V"
    QTest::addColumn<QKeyCombination>("then");
    QTest::addColumn<QDate>("date");
    const QDate valentines(2027, 2, 14);
    const QDate unchanged(2013, 6, 8);
    QTest::newRow("as shown, Enter")
        << u"February 14, 2027"_s << QKeyCombination(Qt::Key_Return) << valentines;
    QTest::newRow("short form pasted, Tab")
        << u"^V2/14/27"_s << QKeyCombination(Qt::Key_Tab) << valentines;
    QTest::newRow("no date, Enter")
        << u"next Friday"_s << QKeyCombination(Qt::Key_Return) << unchanged;
    QTest::newRow("a day the month lacks, Enter")
        << u"April 31, 2025"_s << QKeyCombination(Qt::Key_Return) << unchanged;
    QTest::newRow("29 February of a common year, Tab")
        << u"February 29, 2023"_s << QKeyCombination(Qt::Key_Tab) << unchanged;
}

void TestGeneralDataFrame::aDateTypedAsItIsShown()
{
    QFETCH(QString, typed);
    QFETCH(QKeyCombination, then);
    QFETCH(QDate, date);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QWidget window;
    auto* fields = new GeneralDataFrame(*m_session, &window);
    new QLineEdit(&window); // where Tab goes
    QDateTimeEdit* picker = test::GeneralDataControls(*fields).DateTimePicker1;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    picker->setFocus();
    QTest::keyClick(picker, Qt::Key_A, Qt::ControlModifier);
    if (typed.startsWith(u"^V"_s)) {
        QGuiApplication::clipboard()->setText(typed.mid(2));
        QTest::keyClick(picker, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(picker, typed);
    }
    QTest::keyClick(picker, then.key(), then.keyboardModifiers());
    QLocale::setDefault(QLocale::system());
    QCOMPARE(m_session->fields().date(), QDateTime(date, QTime(11, 51, 22)));
    QCOMPARE(picker->text(), date.toString(u"MMMM dd, yyyy"_s));
    // Nothing changed, nothing written.
    QCOMPARE(stored(u"DateTimePicker1"_s) == u"unset"_s, date == QDate(2013, 6, 8));
}

QTEST_MAIN(TestGeneralDataFrame)
#include "test_general_data_frame.moc"
