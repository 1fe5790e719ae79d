// SPDX-License-Identifier: MIT
// The settings file's text, case by case: what Qt's INI format writes and reads, written out.
#include "base/settings_format.h"

#include <QTest>

using namespace quillory;
using namespace Qt::StringLiterals;

class TestSettingsFormat : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writesValues_data();
    void writesValues();
    void ordersSectionsAndKeys();
    void readsHandEditedFiles_data();
    void readsHandEditedFiles();
};

void TestSettingsFormat::writesValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("plain") << u"Dana Whitlow"_s << QByteArray("k=Dana Whitlow\n");
    QTest::newRow("empty") << QString() << QByteArray("k=\n");
    QTest::newRow("outer blanks") << u" x "_s << QByteArray("k=\" x \"\n");
    QTest::newRow("ini specials") << u"a,b;c=d"_s << QByteArray("k=\"a,b;c=d\"\n");
    QTest::newRow("quotes, backslash") << u"\"C:\\\""_s << QByteArray("k=\\\"C:\\\\\\\"\n");
    QTest::newRow("line ends, tab") << u"1\r\n2\t"_s << QByteArray("k=1\\r\\n2\\t\n");
    // Every hex digit after a hex escape is escaped too, or it would join the number.
    QTest::newRow("control then hex digits") << u"\x01"
                                                u"12g3"_s
                                             << QByteArray("k=\\x1\\x31\\x32g3\n");
    QTest::newRow("NUL") << u"a\0b"_s << QByteArray("k=@String(a\\0\\x62)\n");
    QTest::newRow("leading at") << u"@x"_s << QByteArray("k=@@x\n");
    QTest::newRow("non-ASCII") << u"Zoë 😀"_s << QByteArray("k=Zo\xc3\xab \xf0\x9f\x98\x80\n");
    QTest::newRow("no-break space, U+2028")
        << u"\u00a0\u2028"_s << QByteArray("k=\xc2\xa0\xe2\x80\xa8\n");
}

void TestSettingsFormat::writesValues()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, line);
    const QByteArray text = writeIni({{u"k"_s, value}});
    QCOMPARE(text, "[General]\n" + line);
    QCOMPARE(readIni(text).values.value(u"k"_s), QVariant(value));
}

void TestSettingsFormat::ordersSectionsAndKeys()
{
    const QSettings::SettingsMap values{{u"Quillory/Text1_0"_s, u"Dana"_s},
                                        {u"Quillory/Homework"_s, u"h"_s},
                                        {u"Quillory/sub/key"_s, u"n"_s},
                                        {u"Top"_s, u"level"_s},
                                        {u"general/x"_s, u"1"_s}};
    // By name, whatever the order of the file; a section named "general" is marked.
    QCOMPARE(writeIni(values), QByteArray("[General]\nTop=level\n\n[Quillory]\nHomework=h\n"
                                          "Text1_0=Dana\nsub\\key=n\n\n[%General]\nx=1\n"));
}

void TestSettingsFormat::readsHandEditedFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("damaged");
    QTest::newRow("blanks, CR LF")
        << QByteArray("[Quillory]\r\n  k = Dana  \r\n") << QVariant(u"Dana"_s) << false;
    QTest::newRow("commas read as written") << QByteArray("[Quillory]\nk= Math, Algebra||x ,c \n")
                                            << QVariant(u"Math, Algebra||x ,c"_s) << false;
    QTest::newRow("quoted items: a list")
        << QByteArray("[Quillory]\nk=\"a\", b\n") << QVariant(QStringList{u"a"_s, u"b"_s}) << false;
    QTest::newRow("quoted, comment")
        << QByteArray("[Quillory]\nk=\"a, b\" ; note\n") << QVariant(u"a, b"_s) << false;
    QTest::newRow("escaped line end")
        << QByteArray("[Quillory]\nk=a\\\nb\n") << QVariant(u"ab"_s) << false;
    QTest::newRow("duplicate key")
        << QByteArray("[Quillory]\nk=1\nk=2\n") << QVariant(u"2"_s) << false;
    QTest::newRow("stray line") << QByteArray("[Quillory]\nno equals sign\nk=kept\n")
                                << QVariant(u"kept"_s) << true;
    QTest::newRow("binary junk") << QByteArray("[Quillory]\n\x01\xff\xfe\nk=kept\n", 21)
                                 << QVariant(u"kept"_s) << true;
    QTest::newRow("unclosed header")
        << QByteArray("[Quillory\nk=kept\n") << QVariant(u"kept"_s) << true;
    QTest::newRow("truncated in quotes")
        << QByteArray("[Quillory]\nk=\"cut") << QVariant(u"cut"_s) << false;
}

void TestSettingsFormat::readsHandEditedFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(QVariant, value);
    QFETCH(bool, damaged);
    const IniContent content = readIni(file);
    QCOMPARE(content.values.value(u"Quillory/k"_s), value);
    QCOMPARE(content.damaged, damaged);
}

QTEST_APPLESS_MAIN(TestSettingsFormat)
#include "test_settings_format.moc"
