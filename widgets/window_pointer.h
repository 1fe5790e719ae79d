// SPDX-License-Identifier: MIT

#pragma once

#include <QCursor>
#include <QObject>
#include <QString>

#include <optional>

class QWidget;

namespace quillory {

/// The hand pointer file beside the program.
inline constexpr char16_t HandPointerFile[] = u"HAND-M.CUR";

/// A file beside the program's executable.
QString programFolderFile(const QString& fileName);

/// Reads a Windows .cur file as a cursor with the hotspot the file names; nothing when the file
/// cannot be read as one.
std::optional<QCursor> loadCursorFile(const QString& path);

/// The pointer of one window: the arrow, the hand over buttons, or the hourglass while busy.
/// Hover feedback never replaces the hourglass.
class WindowPointer final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowPointer)

public:
    explicit WindowPointer(QWidget* window);

    /// Uses the cursor as the hand (otherwise the hand state shows the arrow).
    void setHand(const QCursor& hand) { m_hand = hand; }
    /// Shows the hand, unless busy.
    void showHand();
    /// Shows the arrow, unless busy.
    void showArrow();
    /// Shows the hourglass (true) or the arrow again (false).
    void setBusy(bool busy);
    bool isBusy() const { return m_busy; }
    /// Whether the hand (a loaded hand cursor) is showing.
    bool isShowingHand() const { return m_showingHand; }

    /// Shows the hand whenever the pointer moves over one of these widgets.
    void handOver(std::initializer_list<QWidget*> widgets);
    /// Shows the arrow whenever the pointer moves over one of these widgets.
    void arrowOver(std::initializer_list<QWidget*> widgets);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    std::optional<QCursor> m_hand;
    bool m_busy = false;
    bool m_showingHand = false;
};

} // namespace quillory
