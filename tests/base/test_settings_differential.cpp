// SPDX-License-Identifier: MIT
// Our settings format against Qt's own INI format on thousands of generated cases: the same
// bytes written, the same keys and values read, the same damage found, for settings written
// through QSettings and for hand-edited and damaged files. Seeded: a failure names its case.
#include "base/settings_file.h"
#include "tests/base/ini_generator.h"
#include "tests/support/settings_snapshot.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int WriteCases = 2000;
constexpr int FileCases = 3000;

// Where Qt reads a list from plain text with unquoted commas, ours reads the text as written:
// split at its commas and stripped of blanks, it gives Qt's items.
bool isListReadAsText(const QVariant& ours, const QVariant& qts)
{
    if (ours.typeId() != QMetaType::QString || qts.typeId() != QMetaType::QStringList)
        return false;
    QStringList items = ours.toString().split(u',');
    for (QString& item : items)
        item.remove(QRegularExpression(u"^[ \t]+|[ \t]+$"_s));
    return items == qts.toStringList();
}

// The first key where the two differ, for the failure message.
QString difference(const test::SettingsSnapshot& ours, const test::SettingsSnapshot& qts)
{
    for (qsizetype i = 0; i < std::max(ours.size(), qts.size()); ++i) {
        const auto entry = [i](const test::SettingsSnapshot& s) {
            if (i >= s.size())
                return u"(none)"_s;
            QString text;
            QDebug(&text) << s.at(i).first << s.at(i).second;
            return text;
        };
        if (i >= ours.size() || i >= qts.size() ||
            (ours.at(i) != qts.at(i) && (ours.at(i).first != qts.at(i).first ||
                                         !isListReadAsText(ours.at(i).second, qts.at(i).second))))
            return u"ours %1, Qt's %2"_s.arg(entry(ours), entry(qts));
    }
    return {};
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A pair of files, ours and Qt's, under fresh names: QSettings caches what it read per path.
class FilePair {
public:
    FilePair(const QTemporaryDir& folder, int number)
        : ours(folder.filePath(u"ours%1.conf"_s.arg(number)))
        , qts(folder.filePath(u"qt%1.ini"_s.arg(number)))
        , m_oursFile(ours)
    {
    }

    void store(const QList<std::pair<QString, QString>>& settings) const
    {
        SettingTexts texts;
        QSettings qtSettings(qts, QSettings::IniFormat);
        for (const auto& [key, value] : settings) {
            texts.insert(key, value);
            qtSettings.setValue(key, value);
        }
        QVERIFY(m_oursFile.write(texts));
    }

    // What ours reads from its file.
    test::SettingsSnapshot oursRead() const
    {
        return test::settingsSnapshot(SettingsFile(ours).read().ini.values);
    }

    const QString ours;
    const QString qts;

private:
    // One for the pair's life, as the program keeps one for its run: like Qt's own, it does
    // not read back what it wrote itself.
    mutable SettingsFile m_oursFile;
};

// What Qt itself writes back for the values it reads from the bytes.
QByteArray rewrittenByQt(const QString& path, const QByteArray& bytes)
{
    writeFile(path, bytes);
    test::rewriteThroughQt(path);
    return contents(path);
}

QString describe(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.left(400).toPercentEncoding(" =[];,\"\\@"));
}

} // namespace

class TestSettingsDifferential : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writtenSettingsMatchQt();
    void readFilesMatchQt();

private:
    // In memory where the system has a place for it: QSettings makes every write durable.
    QTemporaryDir m_folder{QDir(u"/dev/shm"_s).exists() ? u"/dev/shm/quillory-XXXXXX"_s
                                                        : QDir::tempPath() + u"/quillory-XXXXXX"_s};
    int m_files = 0;
};

void TestSettingsDifferential::writtenSettingsMatchQt()
{
    for (int seed = 0; seed < WriteCases; ++seed) {
        IniGenerator generate{quint32(seed)};
        const int count = generate.below(20) == 0 ? 150 : 1 + generate.below(8);
        const FilePair files(m_folder, ++m_files);
        files.store(generate.settings(count));
        const QByteArray written = contents(files.qts);
        QVERIFY2(contents(files.ours) == written,
                 qPrintable(u"seed %1: %2"_s.arg(seed).arg(describe(written))));
        // Qt's file read back by both, each through a path neither has cached.
        const FilePair readers(m_folder, ++m_files);
        writeFile(readers.ours, written);
        writeFile(readers.qts, written);
        QSettings qtSettings(readers.qts, QSettings::IniFormat);
        const QString different =
            difference(readers.oursRead(), test::settingsSnapshot(qtSettings));
        QVERIFY2(different.isEmpty(),
                 qPrintable(u"seed %1: %2\n%3"_s.arg(seed).arg(describe(written), different)));
    }
}

void TestSettingsDifferential::readFilesMatchQt()
{
    for (int seed = 0; seed < FileCases; ++seed) {
        IniGenerator generate{quint32(seed) + 1'000'000};
        const QByteArray file = generate.file();
        const QString context = u"seed %1: %2"_s.arg(seed).arg(describe(file));
        const FilePair files(m_folder, ++m_files);
        writeFile(files.ours, file);
        writeFile(files.qts, file);
        bool damaged = false;
        bool allText = true;
        const bool listsReadAsText = readIni(file).commaTexts;
        {
            QSettings qtSettings(files.qts, QSettings::IniFormat);
            const QString different =
                difference(files.oursRead(), test::settingsSnapshot(qtSettings));
            QVERIFY2(different.isEmpty(), qPrintable(context + u'\n' + different));
            damaged = qtSettings.status() == QSettings::FormatError;
            for (const auto& [key, value] : test::settingsSnapshot(qtSettings))
                allText = allText && value.typeId() == QMetaType::QString;
            QVERIFY2(SettingsFile(files.ours).read().ini.damaged == damaged, qPrintable(context));
        }
        // Two writes in turn, as the program stores a key.
        for (int write = 0; write < 2; ++write)
            files.store({{generate.key(), generate.text()}});
        // Such a text is written back as one quoted text, where Qt writes its list; a value
        // that is no text is written back as the file had it, where Qt writes it anew.
        if (!listsReadAsText && allText)
            QVERIFY2(contents(files.ours) == contents(files.qts), qPrintable(context));
        // A file that is damaged, holds a value that is no text, or that Qt would not write back
        // as it was, is kept whole beside the new one, and only then.
        const bool kept =
            damaged || !allText ||
            rewrittenByQt(m_folder.filePath(u"rewrite%1.ini"_s.arg(seed)), file) != file;
        const QString copy = files.ours + u".damaged"_s;
        QVERIFY2(QFile::exists(copy) == kept, qPrintable(context));
        if (kept)
            QVERIFY2(contents(copy) == file, qPrintable(context));
    }
}

QTEST_GUILESS_MAIN(TestSettingsDifferential)
#include "test_settings_differential.moc"
