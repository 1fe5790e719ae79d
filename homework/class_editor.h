// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace quillory {

/// Editor positions are 16-bit: the last row an editor can be handed.
inline constexpr int LastEditablePosition = 32767;

/// The class editor as the list commands drive it. The program's editor is the dialog Form3;
/// tests drive a scripted one.
class ClassEditor {
public:
    virtual ~ClassEditor() = default;

    /// Sets the period box.
    virtual void setPeriod(const QString& period) = 0;
    /// Sets the box of one day (0 = Monday … 6 = Sunday).
    virtual void setDay(int day, const QString& text) = 0;
    /// Sets the mode: -1 adds a row at the end, otherwise the 1-based position of the row that
    /// "Save" replaces.
    virtual void setIndex(qint16 index) = 0;
    /// Shows the editor modally; returns once it has closed, any change already made.
    virtual void showModal() = 0;
};

/// Loads a fresh editor (empty boxes) for one use.
using ClassEditorLoader = std::function<std::unique_ptr<ClassEditor>()>;

} // namespace quillory
