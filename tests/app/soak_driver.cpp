// SPDX-License-Identifier: MIT
// Quillory as its executable runs it, driven by commands on the standard input, one a line,
// fields apart by tabs, for the soak test. Each command is answered by one line when it is done:
// "ok", the prompts shown so far, the name, the date and the stored form of the list. Message
// boxes are recorded, never shown. QUILLORY_SOAK_MIDWRITE_PERMILLE ends the program by SIGKILL
// in the middle of that share of the journal's writes.
#include "app/application.h"
#include "app/form1.h"
#include "base/file_layer.h"
#include "document/automation/application_starter.h"
#include "homework/editor/form3.h"
#include "homework/general_fields.h"
#include "homework/stored_form.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/window_controls.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QTimer>
#include <QUndoStack>

#include <atomic>
#include <csignal>
#include <cstdio>

#include <sys/resource.h>
#include <unistd.h>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

Form1* mainWindow()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* form = qobject_cast<Form1*>(window))
            return form;
    }
    return nullptr;
}

ScriptedPrompts& recordedPrompts()
{
    static ScriptedPrompts prompts;
    return prompts;
}

void answer(const QString& line)
{
    std::fputs(line.toUtf8().append('\n').constData(), stdout);
    std::fflush(stdout);
}

QString stateLine(const QString& status)
{
    Form1& form = *mainWindow();
    return QStringList{status, QString::number(recordedPrompts().shown().size()), form.name(),
                       storedDateText(form.date()), toStoredForm(form.classList().entries())}
        .join(u'\t');
}

// Fills the next class editor with the period and Monday's homework, then "Save".
void saveInTheNextEditor(const QString& period, const QString& monday)
{
    QTimer::singleShot(0, [period, monday] {
        auto* editor = qobject_cast<Form3*>(QApplication::activeModalWidget());
        if (!editor)
            qFatal("no class editor opened");
        Form3Controls(*editor).Text2->setText(period);
        Form3Controls(*editor).Text1.at(0)->setPlainText(monday);
        Form3Controls(*editor).PushButton3->click();
    });
}

void selectRow(Form1& form, int row)
{
    auto* list = control<QTreeView>(form, u"ListView1"_s);
    list->setCurrentIndex(form.classList().index(row, 0));
}

QAction* listMenuItem(Form1& form, const QString& name)
{
    return control<QMenu>(form, u"mnuList"_s)->findChild<QAction*>(name);
}

QList<QAction*> earlierListItems(Form1& form)
{
    auto* menu = control<QMenu>(form, u"mnuList"_s);
    Q_EMIT menu->aboutToShow();
    return control<QMenu>(form, u"mnuEarlierLists"_s)->actions();
}

// Runs one command; the answer, or nothing when it ended the program.
QString run(const QStringList& command)
{
    Form1& form = *mainWindow();
    const QString& verb = command.at(0);
    if (verb == u"add") {
        saveInTheNextEditor(command.at(1), command.at(2));
        form.PushButton1_Click();
    } else if (verb == u"edit") {
        selectRow(form, command.at(1).toInt());
        saveInTheNextEditor(command.at(2), command.at(3));
        form.PushButton5_Click();
    } else if (verb == u"delete") {
        selectRow(form, command.at(1).toInt());
        form.PushButton2_Click();
    } else if (verb == u"up" || verb == u"down") {
        selectRow(form, command.at(1).toInt());
        verb == u"up" ? form.mnuMoveUp_Click() : form.mnuMoveDown_Click();
    } else if (verb == u"clear") {
        form.PushButton3_Click();
    } else if (verb == u"sample") {
        form.PushButton4_Click();
    } else if (verb == u"newweek") {
        form.mnuNewWeek_Click();
    } else if (verb == u"undo" || verb == u"redo") {
        listMenuItem(form, verb == u"undo" ? u"mnuUndo"_s : u"mnuRedo"_s)->trigger();
    } else if (verb == u"name") {
        control<QLineEdit>(form, u"Text1"_s)->setText(command.at(1));
    } else if (verb == u"date") {
        control<QDateTimeEdit>(form, u"DateTimePicker1"_s)
            ->setDateTime(dateFromStoredText(command.at(1)));
    } else if (verb == u"earlier") {
        earlierListItems(form).at(command.at(1).toInt())->trigger();
    } else if (verb == u"earliers") {
        QStringList texts{u"ok"_s};
        for (QAction* item : earlierListItems(form))
            texts.append(item->text());
        return texts.join(u'\t');
    } else if (verb == u"diskfull") {
        // Every write that would make a file larger fails, as on a full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit none{0, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &none);
    } else if (verb == u"close") {
        if (!form.close())
            return stateLine(u"refused"_s);
        return {};
    }
    return stateLine(u"ok"_s);
}

void readCommands()
{
    static QByteArray buffer;
    char bytes[4096];
    const ssize_t count = ::read(STDIN_FILENO, bytes, sizeof bytes);
    if (count <= 0) {
        QApplication::exit(0);
        return;
    }
    buffer.append(bytes, count);
    for (qsizetype end; (end = buffer.indexOf('\n')) >= 0;) {
        const QStringList command = QString::fromUtf8(buffer.first(end)).split(u'\t');
        buffer.remove(0, end + 1);
        const QString reply = run(command);
        if (!reply.isEmpty())
            answer(reply);
    }
}

// Writes end the program only once it has started and the soak is sending commands.
std::atomic<bool>& killingArmed()
{
    static std::atomic<bool> armed{false};
    return armed;
}

void startDriving()
{
    recordedPrompts();
    auto* commands = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, qApp);
    QObject::connect(commands, &QSocketNotifier::activated, qApp, readCommands);
    // Ready once the window shows and start-up has told what it found.
    QTimer::singleShot(0, qApp, [] {
        QTimer::singleShot(0, qApp, [] {
            answer(stateLine(u"started"_s));
            killingArmed() = true;
        });
    });
}

// Takes the home page that one start in a hundred opens, so no error box waits for an answer.
class HomePageTaker final : public QObject {
    Q_OBJECT

public Q_SLOTS:
    void open(const QUrl&) {}
};

// The program's files written through this layer end the program now and then in the middle
// of a write, after its first half, as a kill at that instant would.
class MidWriteKiller final : public FileLayer {
public:
    explicit MidWriteKiller(int permille)
        : m_permille(permille)
    {
    }

    bool writeAll(int handle, QByteArrayView bytes) const override
    {
        if (m_permille <= 0 || bytes.size() < 2 || !killingArmed())
            return FileLayer::writeAll(handle, bytes);
        const qsizetype half = bytes.size() / 2;
        if (!FileLayer::writeAll(handle, bytes.first(half)))
            return false;
        if (QRandomGenerator::global()->bounded(1000) < m_permille)
            ::kill(::getpid(), SIGKILL);
        return FileLayer::writeAll(handle, bytes.sliced(half));
    }

private:
    int m_permille;
};

} // namespace

int main(int argc, char** argv)
{
    HomePageTaker homePage;
    QDesktopServices::setUrlHandler(u"https"_s, &homePage, "open");
    const MidWriteKiller layer(qEnvironmentVariableIntValue("QUILLORY_SOAK_MIDWRITE_PERMILLE"));
    bool started = false;
    // The first start is the availability check at start-up, before the window shows.
    doc::setApplicationStarter([&started] {
        if (!std::exchange(started, true))
            startDriving();
        return std::make_unique<doc::Application>();
    });
    const int exitCode = runQuillory(argc, argv, layer);
    QDesktopServices::unsetUrlHandler(u"https"_s);
    return exitCode;
}

#include "soak_driver.moc"
