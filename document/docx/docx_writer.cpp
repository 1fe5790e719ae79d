// SPDX-License-Identifier: MIT

#include "document/docx/docx_writer.h"

#include "document/docx/docx_body.h"
#include "document/docx/docx_parts.h"

#include <zip.h>

#include <cstring>
#include <memory>
#include <optional>

namespace quillory::doc {

using namespace Qt::StringLiterals;

namespace {

// Deflate's fastest level: the markup repeats so much that it shrinks nearly as well.
constexpr zip_uint32_t CompressionLevel = 1;
// The most the main part hands the library in one read.
constexpr qsizetype LargestRead = 1 << 20;

// The main part as a source the ZIP library reads from: made piece by piece while it is
// compressed, never held whole.
class MainPartSource {
public:
    explicit MainPartSource(const Document& document)
        : m_document(document)
    {
        zip_error_init(&m_error);
    }
    ~MainPartSource() { zip_error_fini(&m_error); }
    MainPartSource(const MainPartSource&) = delete;
    MainPartSource& operator=(const MainPartSource&) = delete;

    static zip_int64_t callback(void* self, void* data, zip_uint64_t length,
                                zip_source_cmd_t command)
    {
        return static_cast<MainPartSource*>(self)->answer(data, length, command);
    }

private:
    zip_int64_t answer(void* data, zip_uint64_t length, zip_source_cmd_t command)
    {
        switch (command) {
        case ZIP_SOURCE_OPEN:
            m_writer.emplace(m_document);
            m_pending.clear();
            m_offset = 0;
            return 0;
        case ZIP_SOURCE_READ: return read(static_cast<char*>(data), length);
        case ZIP_SOURCE_CLOSE: m_writer.reset(); return 0;
        case ZIP_SOURCE_STAT: {
            zip_stat_t* stat = static_cast<zip_stat_t*>(data);
            zip_stat_init(stat);
            stat->size = size();
            stat->valid |= ZIP_STAT_SIZE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR: return zip_error_to_data(&m_error, data, length);
        case ZIP_SOURCE_FREE: return 0;
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ,
                                                  ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                                  ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default: zip_error_set(&m_error, ZIP_ER_OPNOTSUPP, 0); return -1;
        }
    }

    // The part's size, from a pass that makes it and counts it: with its size unknown, the
    // library would mark it as a ZIP64 entry, which older readers refuse.
    zip_uint64_t size()
    {
        if (!m_size) {
            docx::BodyWriter counter(m_document);
            QByteArray piece;
            zip_uint64_t size = 0;
            while (counter.next(piece)) {
                size += zip_uint64_t(piece.size());
                piece.resize(0); // its room is kept for the next piece
            }
            m_size = size;
        }
        return *m_size;
    }

    // Hands on what was made and not yet read, making more first when it falls short.
    zip_int64_t read(char* data, zip_uint64_t length)
    {
        const qsizetype wanted = qsizetype(std::min(length, zip_uint64_t(LargestRead)));
        if (m_pending.size() - m_offset < wanted) {
            m_pending.remove(0, m_offset); // less than is wanted: cheap to move
            m_offset = 0;
            while (m_pending.size() < wanted && m_writer && m_writer->next(m_pending)) {
            }
        }
        const qsizetype count = std::min(m_pending.size() - m_offset, wanted);
        std::memcpy(data, m_pending.constData() + m_offset, std::size_t(count));
        m_offset += count;
        return count;
    }

    const Document& m_document;
    std::optional<docx::BodyWriter> m_writer;
    QByteArray m_pending;
    qsizetype m_offset = 0;
    std::optional<zip_uint64_t> m_size;
    zip_error_t m_error;
};

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct SourceFreer {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Archive = std::unique_ptr<zip_t, ZipCloser>;
using Source = std::unique_ptr<zip_source_t, SourceFreer>;

DocxResult failed(zip_error_t* error)
{
    return {DocxStatus::PackageFailed,
            {},
            u"The Word file could not be packed: %1."_s.arg(
                QString::fromUtf8(zip_error_strerror(error)))};
}

// Adds one part, compressed; the source is the archive's from then on.
bool addPart(zip_t* archive, const char* name, zip_source_t* source)
{
    const zip_int64_t index = zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        return false;
    }
    return zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE,
                                    CompressionLevel) == 0;
}

// The bytes the archive was written to.
std::optional<QByteArray> writtenBytes(zip_source_t* buffer, zip_error_t* error)
{
    zip_stat_t stat;
    if (zip_source_stat(buffer, &stat) < 0 || zip_source_open(buffer) < 0) {
        zip_error_set(error, zip_error_code_zip(zip_source_error(buffer)), 0);
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_source_read(buffer, bytes.data(), stat.size);
    zip_source_close(buffer);
    if (read != zip_int64_t(stat.size)) {
        zip_error_set(error, ZIP_ER_READ, 0);
        return std::nullopt;
    }
    return bytes;
}

} // namespace

DocxResult toDocx(const Document& document, const QString& title)
{
    // The main part's source is the archive's until it is closed or discarded: it outlives it.
    MainPartSource main(document);
    zip_error_t error;
    zip_error_init(&error);
    const std::unique_ptr<zip_error_t, decltype(&zip_error_fini)> errorFini(&error, zip_error_fini);
    // The archive is written into memory; the buffer outlives the archive for its bytes.
    const Source buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer)
        return failed(&error);
    zip_source_keep(buffer.get());
    Archive archive(zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error));
    if (!archive) {
        zip_source_free(buffer.get()); // the kept reference
        return failed(&error);
    }
    const std::vector<docx::Part> parts = docx::surroundingParts(document, title);
    for (const docx::Part& part : parts) {
        zip_source_t* source = zip_source_buffer(archive.get(), part.bytes.constData(),
                                                 zip_uint64_t(part.bytes.size()), 0);
        if (!source || !addPart(archive.get(), part.name, source))
            return failed(zip_get_error(archive.get()));
    }
    zip_source_t* source = zip_source_function(archive.get(), MainPartSource::callback, &main);
    if (!source || !addPart(archive.get(), docx::MainPartName, source))
        return failed(zip_get_error(archive.get()));
    if (zip_close(archive.get()) < 0)
        return failed(zip_get_error(archive.get()));
    archive.release(); // closed
    const std::optional<QByteArray> bytes = writtenBytes(buffer.get(), &error);
    if (!bytes)
        return failed(&error);
    return {DocxStatus::Written, *bytes, {}};
}

} // namespace quillory::doc
