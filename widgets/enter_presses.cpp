// SPDX-License-Identifier: MIT

#include "widgets/enter_presses.h"

#include <QKeyEvent>
#include <QPushButton>

namespace quillory {

namespace {

class EnterPresses final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || event->type() != QEvent::KeyPress || !isEnter(*event))
            return false;
        button->click();
        return true;
    }

private:
    static bool isEnter(const QEvent& event)
    {
        const auto& key = static_cast<const QKeyEvent&>(event);
        return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
               (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    }
};

} // namespace

void letEnterPressButtons(QWidget& window)
{
    auto* filter = new EnterPresses(&window);
    for (QPushButton* button : window.findChildren<QPushButton*>())
        button->installEventFilter(filter);
}

} // namespace quillory
