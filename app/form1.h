// SPDX-License-Identifier: MIT

#pragma once

#include "base/settings_store.h"
#include "generation/schedule_run.h"
#include "session/week_session.h"

#include <QDateTime>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QGroupBox;
class QPushButton;
class QTreeView;

namespace quillory {

class ClassEditor;
class ClassListMenu;
class GuardedProcedure;
class Form2;
class GeneralDataFrame;
class WindowPointer;

/// The maker's home page, opened at about one start in a hundred.
inline constexpr char16_t HomePageAddress[] = u"https://velmora.example/quillory";

/// The skin beside the program: a style sheet for the main window.
inline constexpr char16_t SkinFile[] = u"x/o.cjs";

/// How start-up draws its one-in-a-hundred chance and opens the home page. The program uses
/// real(); tests pass their own so that nothing is ever opened.
struct HomePageCall {
    /// A whole number from 1 to 100; the page opens on a 7.
    std::function<int()> draw;
    /// Opens the address without waiting; false when it cannot.
    std::function<bool(const QUrl&)> open;

    /// The random draw and the desktop's own browser.
    static HomePageCall real();
};

/// The main window: name and date, the class list and its commands, the sample data, and the
/// way to the schedule. Every change of the list, the name or the date that a command makes can
/// be undone during the run. Closing it stores the list and ends the program.
class Form1 final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1)

public:
    /// Creates the window and its controls for the week kept in the settings file at the path;
    /// nothing is read or shown until Form_Load.
    explicit Form1(HomePageCall homePage, const QString& settingsPath = settingsFilePath());
    ~Form1() override;

    /// Start-up: skin, caption and icon, hand pointer, home page, name, date, columns, list and
    /// the document component's check. False when the component cannot start: the program then
    /// ends at once, without showing or storing anything.
    bool Form_Load();
    /// Reads the journal the last run left, brings back as one step of the history what the
    /// settings file lacks of the week it shows, and begins the journal for this run. Returns
    /// what the user is to be told of the journal (empty when nothing).
    QString openJournal();
    /// Shows the window centred on the screen, with the focus in the name box (in the list when
    /// the journal brought the week back, so that Ctrl+Z takes it back).
    void showCentred();

    /// The close request: stores the class list. False when it could not be stored and the user
    /// has just been told so: the window then stays open, and the next request ends the program.
    bool Form_QueryUnload();
    /// Ends the program for a request that nobody may be there to answer (a signal): a class
    /// typed in the editor is saved when it passes the editor's checks, and the list is stored,
    /// or else kept in a rescue file named on the standard error.
    void endOnRequest();
    /// The session is ending: stores as endOnRequest does and leaves the windows to the session.
    void storeForSessionEnd();

    /// "Add Class".
    void PushButton1_Click();
    /// "Delete Selected Class".
    void PushButton2_Click();
    /// "Clear/Reset Data".
    void PushButton3_Click();
    /// "Load Sample/Example Data".
    void PushButton4_Click();
    /// "Edit Selected Class".
    void PushButton5_Click();
    /// "Start Creating Template".
    void PushButton6_Click();
    /// Work the first "Start Creating Template" would do once and for all (the preview window,
    /// hidden, and the template's fonts), done while the program waits for the user.
    void prepareWhileIdle();
    /// "Start a New Week" in the list's menu.
    void mnuNewWeek_Click();
    /// "Move Up" in the list's menu.
    void mnuMoveUp_Click();
    /// "Move Down" in the list's menu.
    void mnuMoveDown_Click();

    /// The name as typed.
    QString name() const;
    /// The chosen date.
    QDateTime date() const;
    /// The class list (the one in-memory copy).
    HomeworkListModel& classList() { return m_session.list(); }
    /// The week shown: list, name, date and their history.
    WeekSession& session() { return m_session; }
    /// The window's pointer (the hourglass while busy).
    WindowPointer& pointer() { return *m_pointer; }
    /// The selected row of the list (0-based), if any.
    std::optional<int> selectedRow() const;
    /// The preview window, once a schedule has been handed over to it.
    Form2* preview() const { return m_preview.get(); }

    /// True while "Start Creating Template" runs: a second click then does nothing.
    bool isBusy() const { return mBusy; }

Q_SIGNALS:
    /// The window has closed and its list is stored: the program ends now.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    /// True while "Start Creating Template" runs: a second click then does nothing.
    bool mBusy = false;

    /// "Start Creating Template".
    QPushButton* PushButton6;
    /// "Clear/Reset Data".
    QPushButton* PushButton3;
    /// "Load Sample/Example Data".
    QPushButton* PushButton4;
    /// "General Data": the name box and the date picker.
    GeneralDataFrame* Frame1;
    /// "Week Homeworks".
    QGroupBox* Frame2;
    /// The class list on screen.
    QTreeView* ListView1;
    /// "Add Class".
    QPushButton* PushButton1;
    /// "Edit Selected Class".
    QPushButton* PushButton5;
    /// "Delete Selected Class".
    QPushButton* PushButton2;
    /// The class list's menu.
    ClassListMenu* mnuList;

    void createControls();
    void createListFrame();
    void describeControls();
    void wireControls();
    void wireListMenu();
    void followTheList();
    void selectCurrentRow();
    void enableListMenu();
    void showRow(int row);
    ListPlace listPlace() const;
    void showPlace(const ListPlace& place);
    void moveSelectedClass(int by);
    void applySkin();
    void callHomePage();
    std::unique_ptr<ClassEditor> loadClassEditor();
    void Form_Unload();
    void storeOrRescue();
    void fillEarlierLists();
    ScheduleRequest scheduleRequest();
    Form2& previewWindow();
    bool showPreview(GuardedProcedure& procedure,
                     const std::shared_ptr<const OwnFile>& workingDocument);

    WeekSession m_session;
    int m_rowBeforeReset = -1;
    WindowPointer* m_pointer;
    HomePageCall m_homePage;
    std::unique_ptr<Form2> m_preview;
    // Nobody may be there to read a message: a list that cannot be stored goes to a rescue file.
    bool m_unattended = false;
    // The user was told that the list could not be stored: the next close ends the program.
    bool m_toldNotStored = false;
};

} // namespace quillory
