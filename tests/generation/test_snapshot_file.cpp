// SPDX-License-Identifier: MIT
// The snapshot file: its bytes, what comes back from it, Qt's own bitmap reader as an oracle,
// other picture formats, and damaged files.
#include "base/failure.h"
#include "document/paint/picture_recorder.h"
#include "generation/snapshot_file.h"
#include "tests/support/test_files.h"

#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

// Every pixel different, with the alpha the format allows.
QImage pattern(QSize size, QImage::Format format, int alpha)
{
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgba(x * 37 % 256, y * 11 % 256, (x ^ y) % 256, alpha));
    return image.convertToFormat(format);
}

doc::VectorPicture bitmap(const QImage& image)
{
    return doc::VectorPicture::fromBitmap(image);
}

} // namespace

class TestSnapshotFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { m_folder = std::make_unique<QTemporaryDir>(); }
    void bytesOfATinyPicture();
    void picturesComeBackWhole_data();
    void picturesComeBackWhole();
    void otherFormatsAboveQtsLimitLoad();
    void vectorPicturesAreWrittenAsRecorded();
    void damagedFilesFail_data();
    void damagedFilesFail();

private:
    QString path() const { return m_folder->filePath(u"temp.bmp"_s); }
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestSnapshotFile::bytesOfATinyPicture()
{
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, 0xff102030);
    picture.setPixel(1, 0, 0xffa0b0c0);
    picture.setDevicePixelRatio(2);
    writeSnapshotFile(path(), bitmap(picture));
    const QByteArray expected =
        QByteArray::fromHex("424d82000000000000007a000000" // "BM", file size 130, pixels at 122
                            "6c000000"
                            "02000000"
                            "ffffffff"
                            "0100"
                            "2000" // header of 108, 2 wide, -1 high, 32 bits
                            "03000000"
                            "08000000"
                            "871d0000"
                            "871d0000" // bit fields, 8 bytes, 7559 dots a metre
                            "00000000"
                            "00000000" // no palette
                            "0000ff00"
                            "00ff0000"
                            "ff000000"
                            "00000000" // red, green, blue masks; no alpha
                            "42475273" +
                            QByteArray(96, '0') + // sRGB; end points and gammas unused
                            "302010ff"
                            "c0b0a0ff"); // the two pixels as they lie in memory
    QCOMPARE(test::readBytes(path()), expected);
}

void TestSnapshotFile::picturesComeBackWhole_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::addColumn<QImage::Format>("shownAs");
    QTest::addColumn<bool>("qtReadsTheSame");
    const auto at = [](QImage image, qreal ratio) {
        image.setDevicePixelRatio(ratio);
        return image;
    };
    QTest::newRow("opaque, 1 x 1")
        << pattern({1, 1}, QImage::Format_RGB32, 255) << QImage::Format_RGB32 << true;
    QTest::newRow("opaque, odd width, ratio 2")
        << at(pattern({37, 19}, QImage::Format_RGB32, 255), 2) << QImage::Format_RGB32 << true;
    QTest::newRow("lower resolution, ratio 28/64")
        << at(pattern({7, 300}, QImage::Format_RGB32, 255), 28.0 / 64) << QImage::Format_RGB32
        << true;
    QTest::newRow("rendered, premultiplied and opaque")
        << pattern({64, 9}, QImage::Format_ARGB32_Premultiplied, 255)
        << QImage::Format_ARGB32_Premultiplied << true;
    // Other readers take the alpha as unpremultiplied; only opaque pixels read the same there.
    QTest::newRow("translucent") << pattern({5, 5}, QImage::Format_ARGB32_Premultiplied, 128)
                                 << QImage::Format_ARGB32_Premultiplied << false;
    QTest::newRow("24-bit") << pattern({9, 4}, QImage::Format_RGB888, 255) << QImage::Format_RGB32
                            << true;
    QTest::newRow("unpremultiplied") << pattern({9, 4}, QImage::Format_ARGB32, 200)
                                     << QImage::Format_ARGB32_Premultiplied << false;
}

void TestSnapshotFile::picturesComeBackWhole()
{
    QFETCH(QImage, picture);
    QFETCH(QImage::Format, shownAs);
    QFETCH(bool, qtReadsTheSame);
    const QImage loaded = loadSnapshot(writeSnapshotFile(path(), bitmap(picture)))->bitmap();
    QCOMPARE(loaded.format(), shownAs);
    QCOMPARE(loaded, picture.convertToFormat(shownAs));
    // The picture outlives its file.
    QVERIFY(QFile::remove(path()));
    QCOMPARE(loaded.pixel(0, 0), picture.convertToFormat(shownAs).pixel(0, 0));
    if (qtReadsTheSame) {
        writeSnapshotFile(path(), bitmap(picture));
        QImageReader reader(path());
        QCOMPARE(reader.format(), QByteArray("bmp"));
        QImage read = reader.read().convertToFormat(QImage::Format_RGB32);
        read.setDevicePixelRatio(picture.devicePixelRatio());
        QCOMPARE(read, picture.convertToFormat(QImage::Format_RGB32));
    }
}

// A picture Qt's reader refuses by default, in a format other than ours: PNG.
void TestSnapshotFile::otherFormatsAboveQtsLimitLoad()
{
    const int side = int(std::sqrt(QImageReader::allocationLimit() * 1024.0 * 1024 / 4)) + 16;
    QImage large(side, side, QImage::Format_RGB32);
    large.fill(Qt::white);
    QPainter(&large).fillRect(side - 3, side - 2, 3, 2, Qt::blue);
    QVERIFY(large.save(path(), "PNG", 0));
    large = QImage();
    QVERIFY(QImageReader(path()).read().isNull());
    const QImage loaded = loadSnapshot(WrittenFile{path(), *identityAt(path())})->bitmap();
    QCOMPARE(loaded.size(), QSize(side, side));
    QCOMPARE(loaded.pixel(side - 1, side - 1), QColor(Qt::blue).rgb());
    QCOMPARE(loaded.pixel(0, 0), QColor(Qt::white).rgb());
}

// The file holds the picture's header and commands as they are; read back, the mapping plays the
// same picture, and it outlives the file.
void TestSnapshotFile::vectorPicturesAreWrittenAsRecorded()
{
    doc::PictureRecorder recorder(300);
    recorder.recordPage(150, [](QPainter& painter) { painter.fillRect(0, 0, 150, 150, Qt::red); });
    recorder.recordPage(150,
                        [](QPainter& painter) { painter.fillRect(150, 0, 150, 150, Qt::blue); });
    const doc::VectorPicture picture = recorder.picture({300, 300});
    writeSnapshotFile(path(), picture);
    QCOMPARE(test::readBytes(path()), picture.header() + picture.body());
    const SnapshotPicture loaded = loadSnapshot(WrittenFile{path(), *identityAt(path())});
    QVERIFY(QFile::remove(path()));
    QCOMPARE(loaded->pages().size(), std::size_t(2));
    const QImage image = loaded->toImage(1);
    QCOMPARE(image, picture.toImage(1));
    QCOMPARE(image.pixelColor(17, 17), QColor(Qt::blue));
}

void TestSnapshotFile::damagedFilesFail_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    writeSnapshotFile(m_folder->filePath(u"whole.bmp"_s), bitmap(picture));
    const QByteArray whole = test::readBytes(m_folder->filePath(u"whole.bmp"_s));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not a picture") << QByteArray("an older snapshot");
    QTest::newRow("header only") << whole.first(122);
    // Rows missing at the end: a mapping would read past the file.
    QTest::newRow("pixels cut short") << whole.first(whole.size() - 4);
    QByteArray huge = whole;
    huge.replace(22, 4, QByteArray::fromHex("000000c0")); // a billion rows
    QTest::newRow("claims a billion rows") << huge;
    doc::PictureRecorder recorder(300);
    recorder.recordPage(150, [](QPainter& painter) { painter.fillRect(0, 0, 15, 15, Qt::red); });
    const doc::VectorPicture vector = recorder.picture({300, 150});
    QTest::newRow("a vector picture cut in its header") << vector.header().chopped(1);
}

void TestSnapshotFile::damagedFilesFail()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(test::writeBytes(path(), bytes));
    const FileIdentity written = *identityAt(path());
    QVERIFY_THROWS_EXCEPTION(Failure, loadSnapshot(WrittenFile{path(), written}));
    QVERIFY_THROWS_EXCEPTION(
        Failure, loadSnapshot(WrittenFile{m_folder->filePath(u"missing.bmp"_s), written}));
}

QTEST_GUILESS_MAIN(TestSnapshotFile)
#include "test_snapshot_file.moc"
