// The settings file's text is the INI that Qt writes natively: each side reads the other's.
#include "base/settings_format.h"

#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace Qt::StringLiterals;

class TestSettingsFormat : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void interchangeWithQt_data();
    void interchangeWithQt();
    void writesPlainIni();
    void readsHandEditedFiles();
};

void TestSettingsFormat::interchangeWithQt_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("sameBytes"); // Qt marks texts with control characters as @String()
    QTest::newRow("plain") << u"Dana Whitlow"_s << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("outer blanks") << u"  both sides  "_s << true;
    QTest::newRow("ini specials") << u"a, b; c = d"_s << true;
    QTest::newRow("quotes and backslashes") << u"say \"hi\" C:\\dir\\"_s << true;
    QTest::newRow("line breaks and tabs") << u"one\ntwo\r\nthree\tfour\r"_s << true;
    QTest::newRow("control then hex digit") << u"\x01"
                                               u"a\x1f"
                                               u"F\x00"
                                               u"7"_s
                                            << false;
    QTest::newRow("at signs") << u"@Invalid() and @@"_s << true;
    QTest::newRow("leading at only") << u"@"_s << true;
    QTest::newRow("non-ASCII") << u"Zoë 日本語 😀 עברית"_s << true;
    QTest::newRow("brackets and hashes") << u"[Date] #1 [YourName]"_s << true;
    QTest::newRow("separators") << u"p||MySeparator123||m||MySeparator234||"_s << true;
}

void TestSettingsFormat::interchangeWithQt()
{
    QFETCH(QString, value);
    QFETCH(bool, sameBytes);
    QTemporaryDir folder;
    const QString ours = folder.filePath(u"ours.conf"_s);
    const QString qts = folder.filePath(u"qt.conf"_s);
    {
        QSettings writer(ours, settingsFileFormat());
        writer.setValue(u"Quillory/Key"_s, value);
        QSettings native(qts, QSettings::NativeFormat);
        native.setValue(u"Quillory/Key"_s, value);
    }
    QFile oursFile(ours), qtFile(qts);
    QVERIFY(oursFile.open(QIODevice::ReadOnly) && qtFile.open(QIODevice::ReadOnly));
    const QByteArray oursText = oursFile.readAll(), qtText = qtFile.readAll();
    if (sameBytes)
        QCOMPARE(oursText, qtText);
    // Through a fresh path each, so QSettings' in-process cache cannot answer for the file.
    const QString copy = folder.filePath(u"copy.conf"_s);
    QVERIFY(QFile::copy(ours, copy));
    QCOMPARE(QSettings(copy, QSettings::NativeFormat).value(u"Quillory/Key"_s).toString(), value);
    QSettings::SettingsMap read;
    QVERIFY(settingsFromIni(qtText, read));
    QCOMPARE(read.value(u"Quillory/Key"_s).toString(), value);
}

void TestSettingsFormat::writesPlainIni()
{
    QSettings::SettingsMap map;
    map.insert(u"Quillory/Text1_0"_s, u"Dana"_s);
    map.insert(u"Quillory/Homework"_s, u" x "_s);
    map.insert(u"Top"_s, u"level"_s);
    QCOMPARE(settingsToIni(map), QByteArray("[Quillory]\nHomework=\" x \"\nText1_0=Dana\n\n"
                                            "[General]\nTop=level\n"));
}

void TestSettingsFormat::readsHandEditedFiles()
{
    QSettings::SettingsMap map;
    QVERIFY(settingsFromIni("; a comment\r\n[Quillory]\r\n  Text1_0 = Dana  \r\n"
                            "List=a, b ,c\nQuoted=\"a, b\" ; trailing comment\n\n[General]\nx=1\n",
                            map));
    QCOMPARE(map.value(u"Quillory/Text1_0"_s).toString(), u"Dana"_s);
    QCOMPARE(map.value(u"Quillory/List"_s).toStringList(), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
    QCOMPARE(map.value(u"Quillory/Quoted"_s).toString(), u"a, b"_s);
    QCOMPARE(map.value(u"x"_s).toString(), u"1"_s);
    QSettings::SettingsMap broken;
    QVERIFY(!settingsFromIni("[Quillory\nno equals sign\n", broken));
}

QTEST_GUILESS_MAIN(TestSettingsFormat)
#include "test_settings_format.moc"
