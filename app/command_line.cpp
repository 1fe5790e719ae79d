// SPDX-License-Identifier: MIT

#include "app/command_line.h"

#include "app/publish_command.h"

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

// The options the program answers.
struct Options {
    QCommandLineOption help{{u"h"_s, u"help"_s}, u"Displays this help."_s};
    QCommandLineOption version{{u"v"_s, u"version"_s}, u"Displays the version."_s};
    QCommandLineOption publish{
        u"publish"_s, u"Publishes the stored week to the calendar at CALENDAR_URL (CalDAV) and "
                      u"ends; without it, to the account kept by \"Publish to Calendar "
                      u"Server\", with the password from the keyring."_s};
    QCommandLineOption user{u"user"_s, u"With --publish: the server's user name."_s, u"NAME"_s};
    QCommandLineOption passwordStdin{u"password-stdin"_s,
                                     u"With --publish: reads the password from standard input."_s};
    QCommandLineOption exportTo{
        u"export"_s,
        u"Writes the stored week to <file> in the form its name ends in: .doc (Word), .docx "
        u"(Word 2007-365), .pdf or .ics (calendar), without a window, and ends. Exit status: 0 "
        u"written, 1 not written (the reason on standard error), 2 not understood."_s,
        u"file"_s};
};

// The options every Qt program takes ("-style Fusion", "-reverse"; a desktop that restores its
// session restarts the program with "-session <id>"): accepted here and left to Qt.
const char16_t* const QtValueOptions[] = {
    u"style",   u"stylesheet",      u"platform",      u"platformpluginpath", u"platformtheme",
    u"plugin",  u"qwindowgeometry", u"qwindowicon",   u"qwindowtitle",       u"session",
    u"display", u"geometry",        u"qmljsdebugger", u"fontengine"};
const char16_t* const QtFlagOptions[] = {u"reverse", u"widgetcount"};

void acceptQtOptions(QCommandLineParser& parser)
{
    for (const char16_t* name : QtValueOptions) {
        QCommandLineOption option(QString::fromUtf16(name), QString(), u"value"_s);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char16_t* name : QtFlagOptions) {
        QCommandLineOption option(QString::fromUtf16(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

void describe(QCommandLineParser& parser, Options& options)
{
    parser.setApplicationDescription(u"Keeps a student's homework for one week and pours it "
                                     u"into a printable schedule."_s);
    // Qt's options and the session manager's are single-dash words ("-session"), never "-h -v".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({options.help, options.version, options.publish, options.user,
                       options.passwordStdin, options.exportTo});
    parser.addPositionalArgument(u"CALENDAR_URL"_s, u"With --publish: the calendar."_s,
                                 u"[CALENDAR_URL]"_s);
    acceptQtOptions(parser);
}

// Why the arguments were not understood, or nothing when they were.
std::optional<QString> refusal(QCommandLineParser& parser, const Options& options,
                               const QStringList& arguments)
{
    if (!parser.parse(arguments))
        return parser.errorText();
    const bool publishing = parser.isSet(options.publish);
    const QStringList extra = parser.positionalArguments();
    if (!extra.isEmpty() && (!publishing || extra.size() > 1))
        return u"Unexpected argument '%1'."_s.arg(extra.constLast());
    if (!publishing && (parser.isSet(options.user) || parser.isSet(options.passwordStdin)))
        return u"--user and --password-stdin go with --publish."_s;
    if (const QString target = parser.value(options.exportTo);
        parser.isSet(options.exportTo) && !exportFormatOf(target))
        return u"Cannot export to '%1': its name must end in .doc, .docx, .pdf or .ics."_s.arg(
            target);
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

CommandLineAnswer answerCommandLine(int argc, char** argv)
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
    if (const std::optional<QString> reason =
            refusal(parser, options, QCoreApplication::arguments())) {
        const QString line = u"%1: %2 See '%1 --help'.\n"_s.arg(ProgramName, printable(*reason));
        return {write(stderr, line, UsageExit), {}};
    }
    if (parser.isSet(options.help))
        return {write(stdout, parser.helpText(), AnsweredExit), {}};
    if (parser.isSet(options.version))
        return {write(stdout, u"%1 %2\n"_s.arg(ProgramName, QCoreApplication::applicationVersion()),
                      AnsweredExit),
                {}};
    if (parser.isSet(options.publish))
        return {
            runPublishCommand({parser.positionalArguments().value(0), parser.value(options.user),
                               parser.isSet(options.passwordStdin)}),
            {}};
    if (parser.isSet(options.exportTo)) {
        const QString target = parser.value(options.exportTo);
        return {std::nullopt, ExportRequest{target, *exportFormatOf(target)}};
    }
    return {};
}

} // namespace quillory
