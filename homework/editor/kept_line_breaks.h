// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QPlainTextEdit;

namespace quillory {

/// Gives back a day box's text with the line breaks it was filled with (CR LF, CR, U+2029, …)
/// where the user has not changed them. The box turns each of them into a paragraph of its
/// own, which would otherwise all come back as LF once the box is touched; breaks the user
/// types come back as LF.
class KeptLineBreaks final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeptLineBreaks)

public:
    /// Follows every change of the box; owned by the box.
    explicit KeptLineBreaks(QPlainTextEdit* box);

    /// Fills the box with the text.
    void load(const QString& text);
    /// The box's text, with the loaded line breaks where they are unchanged.
    QString text() const;

private:
    void follow(int position, int removed, int added);
    int paragraphBreaks() const;

    QPlainTextEdit* m_box;
    // The line break behind each paragraph break of the box, in order.
    QStringList m_breaks;
    // The text last loaded, and the box's own text for it: unchanged, it comes back whole.
    QString m_loaded;
    QString m_loadedShown;
};

} // namespace quillory
