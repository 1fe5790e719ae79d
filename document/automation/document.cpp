// SPDX-License-Identifier: MIT

#include "document/automation/document.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "document/automation/document_state.h"
#include "document/rtf/rtf_writer.h"
#include "document/saved_documents.h"

#include <QFileInfo>

namespace quillory::doc::automation {

using namespace Qt::StringLiterals;

namespace {

bool hasText(const std::vector<Paragraph>& paragraphs)
{
    return std::any_of(paragraphs.begin(), paragraphs.end(),
                       [](const Paragraph& paragraph) { return !paragraph.text().isEmpty(); });
}

bool samePath(const QString& one, const QString& other)
{
    return QFileInfo(one).absoluteFilePath() == QFileInfo(other).absoluteFilePath();
}

// Hands the RTF to the file piece by piece as the writer makes it: a long schedule's text is
// never held whole.
class FileSink final : public RtfSink {
public:
    explicit FileSink(const FileAppender& append)
        : m_append(append)
    {
    }
    void write(QByteArrayView bytes) override { m_append(bytes); }

private:
    const FileAppender& m_append;
};

} // namespace

TextFrame::TextFrame(std::shared_ptr<DocumentState> document, int shape)
    : m_document(std::move(document))
    , m_shape(shape)
{
}

bool TextFrame::HasText() const
{
    m_document->requireOpen();
    return hasText(m_document->content().shapes.at(m_shape).paragraphs);
}

Range TextFrame::TextRange() const
{
    m_document->requireOpen();
    return automation::Range(m_document, m_shape);
}

Shape::Shape(std::shared_ptr<DocumentState> document, int shape)
    : m_document(std::move(document))
    , m_shape(shape)
{
}

TextFrame Shape::TextFrame() const
{
    m_document->requireOpen();
    return automation::TextFrame(m_document, m_shape);
}

Document::Document(std::shared_ptr<DocumentState> state)
    : m_state(std::move(state))
{
}

StoryRanges Document::StoryRanges() const
{
    m_state->requireOpen();
    return automation::StoryRanges({automation::Range(m_state, -1)});
}

Shapes Document::Shapes() const
{
    m_state->requireOpen();
    std::vector<Shape> shapes;
    for (int i = 0; i < int(m_state->content().shapes.size()); ++i)
        shapes.emplace_back(m_state, i);
    return automation::Shapes(std::move(shapes));
}

Range Document::Range() const
{
    m_state->requireOpen();
    return automation::Range(m_state, -1);
}

void Document::SaveAs(const QString& path) const
{
    m_state->requireOpen();
    if (path.isEmpty())
        throw Failure(Failure::InvalidArgument,
                      u"The document cannot be saved under an empty name."_s);
    if (m_state->readOnly && samePath(path, m_state->path))
        throw Failure(Failure::InvalidArgument,
                      u"%1 was opened read-only; save it under another name."_s.arg(path));
    // Atomic, but without waiting for the disk: the program saves only its working document,
    // which lives for one preview, and the user's own copy of it is written durably.
    replaceFileAtomically(
        path,
        [&](const FileAppender& append) {
            FileSink sink(append);
            writeRtf(m_state->content(), sink);
        },
        Durability::Unsynced)
        .orRaise();
    // Opened again (as the page snapshot does), the file is not read back: its model is this.
    rememberSavedDocument(path, m_state->sharedContent());
    m_state->path = QFileInfo(path).absoluteFilePath();
    m_state->readOnly = false;
}

void Document::Close(int SaveChanges) const
{
    m_state->requireOpen();
    if (SaveChanges == wdSaveChanges)
        SaveAs(m_state->path);
    else if (SaveChanges != wdDoNotSaveChanges)
        throw Failure(Failure::InvalidArgument,
                      u"%1 is not a valid value for SaveChanges."_s.arg(SaveChanges));
    m_state->close();
}

QString Document::FullName() const
{
    m_state->requireOpen();
    return m_state->path;
}

const doc::Document& Document::content() const
{
    m_state->requireOpen();
    return m_state->content();
}

} // namespace quillory::doc::automation
