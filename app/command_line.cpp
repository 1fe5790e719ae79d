// SPDX-License-Identifier: MIT

#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace quillory {

namespace {

constexpr int AnsweredExit = 0;
constexpr int WriteFailedExit = 1;
// What command-line programs return for arguments they do not understand.
constexpr int UsageExit = 2;

constexpr char16_t ProgramName[] = u"quillory";

// The options the program answers; the session manager's own is accepted and left to Qt.
struct Options {
    QCommandLineOption help{{u"h"_s, u"help"_s}, u"Displays this help."_s};
    QCommandLineOption version{{u"v"_s, u"version"_s}, u"Displays the version."_s};
    // A desktop that restores its session restarts the program with "-session <id>".
    QCommandLineOption session{u"session"_s, u"Restores a desktop session."_s, u"id"_s};
};

void describe(QCommandLineParser& parser, Options& options)
{
    parser.setApplicationDescription(u"Keeps a student's homework for one week and pours it "
                                     u"into a printable schedule."_s);
    // Qt's tools and the session manager write single-dash words ("-session"), never "-h -v".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    options.session.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({options.help, options.version, options.session});
}

// Why the arguments were not understood, or nothing when they were.
std::optional<QString> refusal(QCommandLineParser& parser, const QStringList& arguments)
{
    if (!parser.parse(arguments))
        return parser.errorText();
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty())
        return u"Unexpected argument '%1'."_s.arg(extra.first());
    return std::nullopt;
}

// Control characters in a quoted argument would break the one line apart.
QString printable(QString text)
{
    for (QChar& character : text) {
        if (character.category() == QChar::Other_Control)
            character = u'?';
    }
    return text;
}

int write(std::FILE* stream, const QString& text, int status)
{
    const QByteArray bytes = text.toLocal8Bit();
    const bool written =
        std::fwrite(bytes.constData(), 1, bytes.size(), stream) == std::size_t(bytes.size()) &&
        std::fflush(stream) == 0;
    return written ? status : WriteFailedExit;
}

} // namespace

void nameProgram()
{
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLORY_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLORY_APP_ID));
}

std::optional<int> answerCommandLine(int argc, char** argv)
{
    // The help text needs an application object; a core one needs no display. It works on a copy
    // of argv, which the real application then reads as it was.
    int count = argc;
    std::vector<char*> arguments(argv, argv + argc);
    arguments.push_back(nullptr);
    const QCoreApplication reader(count, arguments.data());

    QCommandLineParser parser;
    Options options;
    describe(parser, options);
    if (const std::optional<QString> reason = refusal(parser, QCoreApplication::arguments())) {
        const QString line = u"%1: %2 See '%1 --help'.\n"_s.arg(ProgramName, printable(*reason));
        return write(stderr, line, UsageExit);
    }
    if (parser.isSet(options.help))
        return write(stdout, parser.helpText(), AnsweredExit);
    if (parser.isSet(options.version))
        return write(stdout, u"%1 %2\n"_s.arg(ProgramName, QCoreApplication::applicationVersion()),
                     AnsweredExit);
    return std::nullopt;
}

} // namespace quillory
