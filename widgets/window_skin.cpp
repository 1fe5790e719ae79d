// SPDX-License-Identifier: MIT

#include "widgets/window_skin.h"

#include <QChildEvent>
#include <QStringList>
#include <QWidget>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

constexpr char SkinnedProperty[] = "quillorySkinned";
constexpr auto SkinnedCondition = "[quillorySkinned=\"true\"]"_L1;

// Skips a quoted text or a comment that starts at `at`; false when none starts there.
bool skipQuotedOrComment(const QString& text, qsizetype& at)
{
    const QChar c = text.at(at);
    if (c == u'"' || c == u'\'') {
        const qsizetype close = text.indexOf(c, at + 1);
        at = close < 0 ? text.size() : close + 1;
        return true;
    }
    if (c == u'/' && at + 1 < text.size() && text.at(at + 1) == u'*') {
        const qsizetype close = text.indexOf(u"*/"_s, at + 2);
        at = close < 0 ? text.size() : close + 2;
        return true;
    }
    return false;
}

// The places in a selector text, outside quotes, comments and [...], where `isMark` holds.
template <typename Mark> QList<qsizetype> marks(const QString& text, Mark isMark)
{
    QList<qsizetype> found;
    int brackets = 0;
    for (qsizetype at = 0; at < text.size();) {
        if (skipQuotedOrComment(text, at))
            continue;
        const QChar c = text.at(at);
        brackets += c == u'[' ? 1 : c == u']' ? -1 : 0;
        if (brackets == 0 && isMark(c))
            found.append(at);
        ++at;
    }
    return found;
}

// Adds the condition to the selector's last compound part (the widget the rule styles), before
// its first pseudo-state or sub-control.
QString scopedSelector(QString selector)
{
    selector = selector.trimmed();
    const QList<qsizetype> combinators =
        marks(selector, [](QChar c) { return c.isSpace() || c == u'>'; });
    const qsizetype subject = combinators.isEmpty() ? 0 : combinators.last() + 1;
    const QList<qsizetype> colons = marks(selector, [](QChar c) { return c == u':'; });
    qsizetype insertAt = selector.size();
    for (qsizetype colon : colons) {
        if (colon >= subject) {
            insertAt = colon;
            break;
        }
    }
    // A subject of pseudo-states only, such as ":hover", styles any widget.
    const bool bare = insertAt == subject;
    selector.insert(insertAt, bare ? u'*' + SkinnedCondition : QString(SkinnedCondition));
    return selector;
}

QString withoutComments(const QString& text)
{
    QString kept;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype start = at;
        if (!skipQuotedOrComment(text, at))
            ++at;
        if (text.at(start) != u'/')
            kept += text.sliced(start, at - start);
    }
    return kept;
}

QString scopedSelectors(const QString& selectorText)
{
    const QString selectors = withoutComments(selectorText);
    QStringList scoped;
    qsizetype start = 0;
    QList<qsizetype> commas = marks(selectors, [](QChar c) { return c == u','; });
    commas.append(selectors.size());
    for (qsizetype comma : commas) {
        scoped.append(scopedSelector(selectors.sliced(start, comma - start)));
        start = comma + 1;
    }
    return scoped.join(u", "_s);
}

// Whether a widget inside the window is a window of its own (a dialog or message box), rather
// than a control or a control's pop-up. Its type is not known yet when it joins the window, as
// it is still being built, but its window flags are.
bool isOwnWindow(const QWidget& widget)
{
    return widget.isWindow() && widget.windowType() != Qt::Popup;
}

// Marks the window's own widgets, now and as they are created.
class SkinMarker final : public QObject {
public:
    explicit SkinMarker(QWidget& window)
        : QObject(&window)
    {
        markTree(window);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded) {
            auto* child = static_cast<QChildEvent*>(event)->child();
            if (child->isWidgetType() && !isOwnWindow(*static_cast<QWidget*>(child)))
                markTree(*static_cast<QWidget*>(child));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void markTree(QWidget& widget)
    {
        if (widget.property(SkinnedProperty).toBool())
            return;
        widget.setProperty(SkinnedProperty, true);
        widget.installEventFilter(this);
        for (QWidget* child : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!isOwnWindow(*child))
                markTree(*child);
        }
    }
};

} // namespace

QString scopedStyleSheet(const QString& styleSheet)
{
    // A sheet of declarations alone applies to the widget it is set on and everything in it.
    const QString sheet = styleSheet.contains(u'{') ? styleSheet : u"* { "_s + styleSheet + u" }"_s;
    QString scoped;
    qsizetype at = 0;
    qsizetype selectorStart = 0;
    while (at < sheet.size()) {
        if (skipQuotedOrComment(sheet, at))
            continue;
        if (sheet.at(at) != u'{') {
            ++at;
            continue;
        }
        scoped += scopedSelectors(sheet.sliced(selectorStart, at - selectorStart));
        const qsizetype blockStart = at;
        int depth = 0;
        do {
            if (skipQuotedOrComment(sheet, at))
                continue;
            depth += sheet.at(at) == u'{' ? 1 : sheet.at(at) == u'}' ? -1 : 0;
            ++at;
        } while (at < sheet.size() && depth > 0);
        scoped += u' ' + sheet.sliced(blockStart, at - blockStart) + u'\n';
        selectorStart = at;
    }
    return scoped;
}

void applyWindowSkin(QWidget& window, const QString& styleSheet)
{
    if (!window.property(SkinnedProperty).toBool())
        new SkinMarker(window); // owned by the window
    window.setStyleSheet(scopedStyleSheet(styleSheet));
}

} // namespace quillory
