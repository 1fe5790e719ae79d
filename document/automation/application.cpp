#include "document/automation/application.h"

#include "app/core/failure.h"
#include "document/fonts.h"

#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>

namespace quillory::doc::automation {

using namespace Qt::StringLiterals;

struct ApplicationState {
    bool running = true;
    bool displayAlerts = true;

    void requireRunning() const {
        if (!running)
            throw Failure(u"The document component has quit."_s);
    }
};

namespace {

// The template is designed in Century Gothic; without it or its metric-compatible stand-in,
// every line break and row height would differ from the saved document's.
void requireTemplateFonts() {
    installFontSubstitutions();
    const QString wanted = u"Century Gothic"_s;
    // Fontconfig names a family with its foundry, "URW Gothic [UKWN]".
    const QString resolved = QFontInfo(QFont(wanted)).family().section(u" ["_s, 0, 0);
    if (resolved.compare(wanted, Qt::CaseInsensitive) != 0 &&
        resolved.compare(QFont::substitute(wanted), Qt::CaseInsensitive) != 0)
        throw Failure(u"The font %1 cannot be found (it resolves to %2)."_s.arg(wanted, resolved));
}

} // namespace

Application::Application() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        throw Failure(u"The document component needs a running graphical application."_s);
    requireTemplateFonts();
    m_state = std::make_shared<ApplicationState>();
}

Application::~Application() = default;

void Application::Quit() {
    m_state->requireRunning();
    m_state->running = false;
}

bool Application::DisplayAlerts() const {
    m_state->requireRunning();
    return m_state->displayAlerts;
}

void Application::setDisplayAlerts(bool displayAlerts) {
    m_state->requireRunning();
    m_state->displayAlerts = displayAlerts;
}

} // namespace quillory::doc::automation
