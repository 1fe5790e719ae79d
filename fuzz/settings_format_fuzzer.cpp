// SPDX-License-Identifier: MIT
// Compares our settings format with Qt's own INI format on arbitrary input. The input is read
// as a settings file by both (the same keys and values, the same damage found), both then store
// a value made of the input's UTF-16 code units (the same bytes written), and ours keeps the
// file beside the new one exactly when Qt found damage, a value that is no text, or would not
// write it back unchanged.
#include "base/settings_file.h"
#include "tests/support/settings_snapshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "settings_format_fuzzer: %s\n", what);
    __builtin_trap();
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, QByteArrayView bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), bytes.size()) != bytes.size())
        fail("cannot write the input file");
}

// QSettings caches what it read per path, so every run uses paths of its own.
QString freshPath(const QString& name)
{
    static const QString folder = [] {
        const QString path =
            (QDir(u"/dev/shm"_s).exists() ? u"/dev/shm"_s : QDir::tempPath()) +
            u"/quillory-settings-fuzz-%1"_s.arg(QCoreApplication::applicationPid());
        QDir().mkpath(path);
        return path;
    }();
    static quint64 run = 0;
    return u"%1/%2-%3"_s.arg(folder).arg(++run).arg(name);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Qt warns of keys that read as empty; both formats meet them alike.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString ours = freshPath(u"ours.conf"_s);
    const QString qts = freshPath(u"qt.ini"_s);
    writeFile(ours, input);
    writeFile(qts, input);
    bool damaged = false;
    bool allText = true;
    {
        SettingsFile oursFile(ours);
        const SettingsContent read = oursFile.read();
        QSettings qtSettings(qts, QSettings::IniFormat);
        if (test::settingsSnapshot(read.ini.values) != test::settingsSnapshot(qtSettings))
            fail("a file reads differently");
        damaged = qtSettings.status() == QSettings::FormatError;
        for (const auto& [key, value] : test::settingsSnapshot(qtSettings))
            allText = allText && value.typeId() == QMetaType::QString;
        if (read.ini.damaged != damaged)
            fail("damage is found differently");
        const QString value(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
        if (!oursFile.write({{u"Quillory/Text1_0"_s, value}}))
            fail("a file is not written");
        qtSettings.setValue(u"Quillory/Text1_0"_s, value);
    }
    // A value that is no text is written back as the file had it, where Qt writes it anew.
    if (allText && !readIni(input).commaTexts && contents(ours) != contents(qts))
        fail("a file is written differently");
    const QString rewritten = freshPath(u"rewritten.ini"_s);
    writeFile(rewritten, input);
    test::rewriteThroughQt(rewritten);
    const bool kept = damaged || !allText || contents(rewritten) != input;
    const QString copy = ours + u".damaged"_s;
    if (QFile::exists(copy) != kept || (kept && contents(copy) != input))
        fail("the file is not kept as it was");
    for (const QString& path : QStringList{ours, qts, copy, rewritten, ours + u".lock"_s,
                                           qts + u".lock"_s, rewritten + u".lock"_s})
        QFile::remove(path);
    return 0;
}
