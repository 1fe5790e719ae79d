// The save dialog as the user meets it: where it opens, and a name typed with double quotes.
#include "widgets/message_box_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quillory;
using namespace Qt::StringLiterals;

class TestMessageBoxPrompts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void savesUnderTheTypedName_data();
    void savesUnderTheTypedName();
};

void TestMessageBoxPrompts::savesUnderTheTypedName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved"); // in the folder

    QTest::newRow("plain") << u"week.doc"_s << u"week.doc"_s;
    QTest::newRow("quoted word") << u"Week 3 \"final\".pdf"_s << u"Week 3 \"final\".pdf"_s;
    QTest::newRow("two quoted words") << u"\"a\" \"b\""_s << u"\"a\" \"b\""_s;
    // Qt's dialog would pick the existing file "old" in the list.
    QTest::newRow("the quoted word names a file") << u"\"old\" copy"_s << u"\"old\" copy"_s;
}

void TestMessageBoxPrompts::savesUnderTheTypedName()
{
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QTemporaryDir folder;
    QFile old(folder.filePath(u"old"_s));
    QVERIFY(old.open(QIODevice::WriteOnly));
    QString proposedName = u"-"_s;
    QString openedIn;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        openedIn = dialog->directory().absolutePath();
        auto* name = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
        QVERIFY(name);
        proposedName = name->text();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        name->setFocus();
        name->setText(typed); // as typed, without the completer's list in the way
        QTest::keyClick(name, Qt::Key_Return);
        if (dialog->isVisible())
            dialog->reject();
    });
    MessageBoxPrompts prompts;
    const SaveChoice choice = prompts.askSavePath(u"Save File"_s, u"PDF Files (*.pdf)"_s,
                                                  u"PDF Files (*.pdf)"_s, folder.path());
    QCOMPARE(openedIn, folder.path());
    QCOMPARE(proposedName, QString());
    QCOMPARE(choice.path, folder.filePath(saved));
    QCOMPARE(choice.filter, u"PDF Files (*.pdf)"_s);
}

QTEST_MAIN(TestMessageBoxPrompts)
#include "test_message_box_prompts.moc"
