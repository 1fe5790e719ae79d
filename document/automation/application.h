#pragma once

#include <memory>

namespace quillory::doc::automation {

struct ApplicationState;

/// One running instance of the document component, driven like a word processor's automation
/// object. Every operation on an instance that has quit throws Failure.
class Application {
public:
    /// Starts an instance: throws Failure when there is no QGuiApplication or the fonts the
    /// template is designed in cannot be resolved.
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /// Closes every open document without saving and ends the instance.
    void Quit();
    /// Whether the instance may ask questions (it never does; kept for the callers' sake).
    bool DisplayAlerts() const;
    /// Turns questions on or off.
    void setDisplayAlerts(bool displayAlerts);

private:
    std::shared_ptr<ApplicationState> m_state;
};

} // namespace quillory::doc::automation
