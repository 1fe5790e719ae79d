// SPDX-License-Identifier: MIT

#include "document/automation/find.h"

#include "base/failure.h"
#include "document/automation/document_state.h"
#include "document/automation/text_editing.h"
#include "document/automation/text_search.h"

namespace quillory::doc::automation {

using namespace Qt::StringLiterals;

namespace {

// An insertion point after a replaced match moves with the text; one inside it goes to the
// end of the new text.
void followEdit(TextPosition& caret, const TextMatch& match, int insertedLength)
{
    if (caret.paragraph != match.paragraph || caret.offset <= match.start)
        return;
    if (caret.offset >= match.start + match.length)
        caret.offset += insertedLength - match.length;
    else
        caret.offset = match.start + insertedLength;
}

// Later matches first, so the offsets of earlier ones in the same paragraph stay valid.
void replaceMatches(DocumentState& document, const std::vector<TextMatch>& matches,
                    const QString& text)
{
    doc::Document& content = document.edit();
    for (auto match = matches.rbegin(); match != matches.rend(); ++match) {
        replaceText(paragraphAt(content, match->paragraph), match->start, match->length, text);
        followEdit(document.selection.caret, *match, int(text.size()));
    }
}

} // namespace

Replacement::Replacement(std::shared_ptr<DocumentState> document)
    : m_document(std::move(document))
{
}

void Replacement::ClearFormatting()
{
    m_document->requireOpen();
}

void Replacement::setText(const QString& text)
{
    m_document->requireOpen();
    m_text = text;
}

Find::Find(std::shared_ptr<DocumentState> document, int shape)
    : m_document(document)
    , m_shape(shape)
    , m_replacement(std::move(document))
{
}

void Find::requireOpen() const
{
    m_document->requireOpen();
}

void Find::ClearFormatting()
{
    requireOpen();
}

automation::Replacement& Find::Replacement()
{
    requireOpen();
    return m_replacement;
}

void Find::setText(const QString& text)
{
    requireOpen();
    m_text = text;
}

void Find::setForward(bool forward)
{
    requireOpen();
    m_forward = forward;
}

void Find::setWrap(int wrap)
{
    requireOpen();
    if (wrap != wdFindStop && wrap != wdFindContinue && wrap != wdFindAsk)
        throw Failure(Failure::InvalidArgument, u"%1 is not a valid value for Wrap."_s.arg(wrap));
    m_wrap = wrap;
}

void Find::setFormat(bool format)
{
    requireOpen();
    m_format = format;
}

void Find::setMatchCase(bool matchCase)
{
    requireOpen();
    m_matchCase = matchCase;
}

void Find::setMatchWholeWord(bool matchWholeWord)
{
    requireOpen();
    m_matchWholeWord = matchWholeWord;
}

void Find::setMatchWildcards(bool matchWildcards)
{
    requireOpen();
    m_matchWildcards = matchWildcards;
}

void Find::setMatchSoundsLike(bool matchSoundsLike)
{
    requireOpen();
    m_matchSoundsLike = matchSoundsLike;
}

void Find::setMatchAllWordForms(bool matchAllWordForms)
{
    requireOpen();
    m_matchAllWordForms = matchAllWordForms;
}

// Doing a plain search instead of an unsupported one would replace the wrong text.
void Find::requireSupportedSwitches() const
{
    if (m_matchWildcards)
        throw Failure(Failure::Unsupported, u"Finding with wildcards is not supported."_s);
    if (m_matchSoundsLike)
        throw Failure(Failure::Unsupported, u"Finding words that sound alike is not supported."_s);
    if (m_matchAllWordForms)
        throw Failure(Failure::Unsupported, u"Finding all forms of a word is not supported."_s);
}

bool Find::Execute(int Replace)
{
    requireOpen();
    requireSupportedSwitches();
    if (Replace != wdReplaceNone && Replace != wdReplaceOne && Replace != wdReplaceAll)
        throw Failure(Failure::InvalidArgument,
                      u"%1 is not a valid value for Replace."_s.arg(Replace));
    std::vector<TextMatch> matches =
        findMatches(m_document->content(), m_shape, {m_text, m_matchCase, m_matchWholeWord});
    if (matches.empty())
        return false;
    if (Replace == wdReplaceOne)
        matches = {m_forward ? matches.front() : matches.back()};
    if (Replace != wdReplaceNone)
        replaceMatches(*m_document, matches, m_replacement.Text());
    return true;
}

bool Find::Execute(const QString& FindText, const QString& ReplaceWith, int Replace)
{
    setText(FindText);
    m_replacement.setText(ReplaceWith);
    return Execute(Replace);
}

} // namespace quillory::doc::automation
