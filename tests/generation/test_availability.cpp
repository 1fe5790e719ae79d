// SPDX-License-Identifier: MIT

#include "base/failure.h"
#include "document/automation/application_starter.h"
#include "generation/availability.h"
#include "tests/support/scripted_prompts.h"

#include <QGuiApplication>
#include <QTest>

using namespace Qt::StringLiterals;
using quillory::test::ScriptedPrompts;

namespace quillory::doc {

class TestAvailability final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { setApplicationStarter({}); }

    void startedComponentShowsNothing()
    {
        ScriptedPrompts prompts;
        QVERIFY(CheckWordInstalled());
        QVERIFY(prompts.shown().isEmpty());
    }

    void messageIsTheFivePartsJoinedByBlankLines()
    {
        QCOMPARE(componentUnavailableMessage(),
                 u"Error 842001. A normal instance of Word could not be created.\r\n\r\n"
                 "1. Please make sure Word is installed on this computer.\r\n\r\n"
                 "2. Please open Word normally and make sure a blank document opens immediately "
                 "without any interrupting window (such as an Word file recovery window).\r\n\r\n"
                 "3. Please make sure that when you double-click on a DOC or DOCX file that Word "
                 "opens normally without any interrupting messages.\r\n\r\n"
                 "4. All versions of Word are supported by this software except for the rare Word "
                 "Starter and Student editions."_s);
    }

    void failingStart_data()
    {
        QTest::addColumn<bool>("throws");
        QTest::newRow("starter throws") << true;
        QTest::newRow("starter yields nothing") << false;
    }

    void failingStart()
    {
        QFETCH(bool, throws);
        setApplicationStarter([throws]() -> std::unique_ptr<Application> {
            if (throws)
                throw Failure(Failure::Unavailable, u"cannot start"_s);
            return nullptr;
        });
        ScriptedPrompts prompts;
        QVERIFY(!CheckWordInstalled());
        QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Note),
                 QStringList{componentUnavailableMessage()});
        QCOMPARE(prompts.shown().size(), 1);
    }

    void emptyStarterRestoresTheRealOne()
    {
        setApplicationStarter([]() -> std::unique_ptr<Application> { return nullptr; });
        setApplicationStarter({});
        auto instance = startApplication();
        QVERIFY(instance);
        instance->Quit();
        QVERIFY_THROWS_EXCEPTION(Failure, instance->Quit());
    }
};

} // namespace quillory::doc

QTEST_MAIN(quillory::doc::TestAvailability)
#include "test_availability.moc"
