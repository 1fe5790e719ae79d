// SPDX-License-Identifier: MIT

#pragma once

#include "document/automation/constants.h"

#include <QString>

#include <memory>

namespace quillory::doc::automation {

class DocumentState;

/// The replacement half of a search: the text that takes a match's place.
class Replacement {
public:
    /// The replacement of a search in the document.
    explicit Replacement(std::shared_ptr<DocumentState> document);

    /// Forgets formatting to apply (none is ever set here; kept for the callers' sake).
    void ClearFormatting();
    /// The text a match is replaced by, inserted literally.
    QString Text() const { return m_text; }
    /// Sets the text a match is replaced by.
    void setText(const QString& text);

private:
    std::shared_ptr<DocumentState> m_document;
    QString m_text;
};

/// A search over one story of a document (the main text or a shape's text), with the switches
/// of a word processor's find dialog. Every setter throws Failure on a closed document.
class Find {
public:
    /// A search in the main text (shape -1) or in one shape's text, with the default switches.
    Find(std::shared_ptr<DocumentState> document, int shape);

    /// Forgets formatting to look for (none is ever set here; kept for the callers' sake).
    void ClearFormatting();
    /// The replacement half of the search.
    automation::Replacement& Replacement();

    /// The text to find; plain text, brackets and all.
    QString Text() const { return m_text; }
    /// Sets the text to find.
    void setText(const QString& text);
    /// Whether the search runs towards the end of the story.
    bool Forward() const { return m_forward; }
    /// Sets the direction.
    void setForward(bool forward);
    /// What happens at the end of the story (wdFindStop, wdFindContinue, wdFindAsk).
    int Wrap() const { return m_wrap; }
    /// Sets what happens at the end of the story; throws on other values.
    void setWrap(int wrap);
    /// Whether formatting takes part in the search.
    bool Format() const { return m_format; }
    /// Sets whether formatting takes part (there is none to look for).
    void setFormat(bool format);
    /// Whether upper and lower case must match.
    bool MatchCase() const { return m_matchCase; }
    /// Sets whether case must match.
    void setMatchCase(bool matchCase);
    /// Whether a match must stand as a word of its own.
    bool MatchWholeWord() const { return m_matchWholeWord; }
    /// Sets whether a match must be a whole word.
    void setMatchWholeWord(bool matchWholeWord);
    /// Whether the text is a wildcard pattern (not supported: searching then throws).
    bool MatchWildcards() const { return m_matchWildcards; }
    /// Sets wildcard matching.
    void setMatchWildcards(bool matchWildcards);
    /// Whether words that sound alike match (not supported: searching then throws).
    bool MatchSoundsLike() const { return m_matchSoundsLike; }
    /// Sets sound-alike matching.
    void setMatchSoundsLike(bool matchSoundsLike);
    /// Whether all forms of a word match (not supported: searching then throws).
    bool MatchAllWordForms() const { return m_matchAllWordForms; }
    /// Sets word-form matching.
    void setMatchAllWordForms(bool matchAllWordForms);

    /// Searches the story; with wdReplaceOne or wdReplaceAll replaces the first (in the search
    /// direction) or every match. Replaced text keeps the format of the first character it
    /// replaces. True when something was found.
    bool Execute(int Replace = wdReplaceNone);
    /// Sets the text to find and its replacement, then searches as above.
    bool Execute(const QString& FindText, const QString& ReplaceWith, int Replace);

private:
    void requireOpen() const;
    void requireSupportedSwitches() const;

    std::shared_ptr<DocumentState> m_document;
    int m_shape = -1;
    automation::Replacement m_replacement;
    QString m_text;
    bool m_forward = true;
    int m_wrap = wdFindStop;
    bool m_format = false;
    bool m_matchCase = false;
    bool m_matchWholeWord = false;
    bool m_matchWildcards = false;
    bool m_matchSoundsLike = false;
    bool m_matchAllWordForms = false;
};

} // namespace quillory::doc::automation
