// SPDX-License-Identifier: MIT
// A file the component has just saved is opened from its model; any other file is read.
#include "document/paint/renderer.h"
#include "document/rtf/rtf_writer.h"
#include "document/saved_documents.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <utime.h>

using namespace quillory;
using namespace Qt::StringLiterals;

class TestSavedDocuments : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onlyTheFileAsSavedTakesTheModel_data();
    void onlyTheFileAsSavedTakesTheModel();
    void theModelGoesWithItsLastReader();
};

void TestSavedDocuments::onlyTheFileAsSavedTakesTheModel_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("taken");
    QTest::newRow("unchanged") << u"none"_s << true;
    QTest::newRow("the same bytes written again in place") << u"rewrite"_s << false;
    QTest::newRow("only its time changed") << u"touch"_s << false;
    QTest::newRow("a byte added") << u"append"_s << false;
    QTest::newRow("another file renamed over it") << u"replace"_s << false;
}

void TestSavedDocuments::onlyTheFileAsSavedTakesTheModel()
{
    QFETCH(QString, change);
    QFETCH(bool, taken);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"saved.doc"_s);
    const auto saved = std::make_shared<const doc::Document>(test::scheduleDocument());
    const QByteArray rtf = doc::toRtf(*saved);
    QVERIFY(test::writeBytes(path, rtf));
    doc::rememberSavedDocument(path, saved);
    if (change == u"rewrite"_s) {
        QTest::qSleep(20); // a later modification time
        QVERIFY(test::writeBytes(path, rtf));
    } else if (change == u"touch"_s) {
        const utimbuf later{1, 1};
        QCOMPARE(::utime(QFile::encodeName(path).constData(), &later), 0);
    } else if (change == u"append"_s) {
        QVERIFY(test::writeBytes(path, rtf + ' '));
    } else if (change == u"replace"_s) {
        QVERIFY(test::writeBytes(folder.filePath(u"other"_s), rtf));
        QVERIFY(::rename(QFile::encodeName(folder.filePath(u"other"_s)).constData(),
                         QFile::encodeName(path).constData()) == 0);
    }
    const std::shared_ptr<const doc::Document> opened =
        doc::openDocument(FileDescriptor::open(path, O_RDONLY), path);
    QCOMPARE(opened == saved, taken);
    QCOMPARE(doc::toRtf(*opened), rtf); // read or taken, the same document
}

// Once the preview has taken the model and its picture, the component keeps them no longer.
void TestSavedDocuments::theModelGoesWithItsLastReader()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"saved.doc"_s);
    auto saved = std::make_shared<const doc::Document>(test::scheduleDocument());
    QVERIFY(test::writeBytes(path, doc::toRtf(*saved)));
    doc::rememberSavedDocument(path, saved);
    const std::weak_ptr<const doc::Document> watch = saved;
    auto picture = std::make_shared<const doc::VectorPicture>(doc::recordDocument(*saved));
    const std::weak_ptr<const doc::VectorPicture> watchPicture = picture;
    doc::rememberPicture(saved, picture);
    doc::rememberPicture(std::make_shared<const doc::Document>(*saved),
                         nullptr); // not the saved one
    saved.reset();
    picture.reset();
    const FileDescriptor handle = FileDescriptor::open(path, O_RDONLY);
    std::optional<doc::SharedDocument> taken = doc::takeSavedDocument(handle);
    QVERIFY(taken && taken->picture == watchPicture.lock());
    QCOMPARE(doc::openDocument(handle, path), taken->document); // while it is held
    taken.reset();
    QVERIFY(watch.expired());
    QVERIFY(watchPicture.expired());
    QVERIFY(!doc::takeSavedDocument(handle));
}

QTEST_MAIN(TestSavedDocuments)
#include "test_saved_documents.moc"
