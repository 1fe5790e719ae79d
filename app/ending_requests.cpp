// SPDX-License-Identifier: MIT

#include "app/ending_requests.h"

#include "base/file_descriptor.h"
#include "homework/editor/form3.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

#include <algorithm>
#include <array>
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quillory {

namespace {

constexpr std::array EndingSignals{SIGTERM, SIGHUP, SIGINT};

// A signal handler may only write to a descriptor; the event loop reads the other end. Both
// change only while no handler is installed.
FileDescriptor wakeUpWriter;
FileDescriptor wakeUpReader;
std::array<struct sigaction, EndingSignals.size()> previous{};
volatile std::sig_atomic_t endingSignalled = 0;

void onEndingSignal(int)
{
    endingSignalled = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeUpWriter.get(), &byte, 1);
}

} // namespace

EndingRequests::EndingRequests()
{
    int pair[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pair) != 0)
        return; // without the pair the signals keep their default: ending at once
    wakeUpWriter = FileDescriptor(pair[0]);
    wakeUpReader = FileDescriptor(pair[1]);
    m_notifier = new QSocketNotifier(pair[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndingRequests::drain);
    struct sigaction action {};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < EndingSignals.size(); ++i)
        sigaction(EndingSignals[i], &action, &previous[i]);
}

EndingRequests::~EndingRequests()
{
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < EndingSignals.size(); ++i)
        sigaction(EndingSignals[i], &previous[i], nullptr);
    wakeUpWriter.reset();
    wakeUpReader.reset();
}

void EndingRequests::drain()
{
    char bytes[64];
    while (::read(wakeUpReader.get(), bytes, sizeof bytes) > 0) {
    }
    Q_EMIT requested();
}

bool endingRequested()
{
    return endingSignalled != 0;
}

void closeVisibleWindows()
{
    QList<QWidget*> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() != Qt::Popup)
            windows.append(window);
    }
    // A modal dialog closes first (as Cancel), so that the window under it can close.
    std::stable_partition(windows.begin(), windows.end(),
                          [](QWidget* window) { return qobject_cast<QDialog*>(window); });
    for (QWidget* window : windows)
        window->close();
}

void saveOpenEditors()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* editor = qobject_cast<Form3*>(window); editor && editor->isVisible())
            editor->saveBeforeEnding();
    }
}

} // namespace quillory
