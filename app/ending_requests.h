// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QSocketNotifier>

namespace quillory {

/// Turns the signals by which the system asks a program to end (SIGTERM at shutdown, SIGHUP
/// when the terminal goes, SIGINT for Ctrl+C) into a Qt signal delivered by the event loop, so
/// the program can end as when the user closes its window, with the class list stored. One
/// instance at a time.
class EndingRequests final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EndingRequests)

public:
    /// Installs the signal handlers; the previous ones come back on destruction.
    EndingRequests();
    ~EndingRequests() override;

Q_SIGNALS:
    /// The system asked the program to end.
    void requested();

private:
    void drain();

    QSocketNotifier* m_notifier = nullptr;
};

/// Whether the system has asked the program to end; true from the moment the signal arrives,
/// before the event loop hears of it.
bool endingRequested();

/// Closes every visible window of the program, dialogs first, each through its own close
/// handling: closing the main window or the preview stores the class list and ends the
/// program.
void closeVisibleWindows();

/// Saves the class typed in an open class editor as "Save" would, when it passes the editor's
/// checks, and closes the editor (as "Cancel" when it does not); for the ways out that cannot
/// wait for the user.
void saveOpenEditors();

} // namespace quillory
