// SPDX-License-Identifier: MIT
// Writes the fuzzer's seed corpus into the folder given as the argument: the template as carried
// and the writer's output for a filled schedule, text boxes and hostile text.
#include "document/rtf/rtf_reader.h"
#include "document/rtf/rtf_writer.h"
#include "resources/schedule_template.h"

#include <QDir>
#include <QFile>

#include <cstdio>

using namespace quillory::doc;
using quillory::templateBytes;
using namespace Qt::StringLiterals;

namespace {

bool save(const QString& folder, const QString& name, const QByteArray& bytes)
{
    QFile file(QDir(folder).filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The template with its data row copied and filled, cells of several paragraphs included.
Document filledSchedule(Document document)
{
    auto& table = std::get<Table>(document.body[2]);
    const Row data = table.rows[1];
    table.rows.pop_back();
    const QString texts[] = {u"Math"_s, u"p. 12 {ex. 3}\\par"_s, u"Caf\u00e9 \U0001F600"_s,
                             u"\u05E9\u05DC\u05D5\u05DD"_s, u"a;b\tc"_s};
    for (int i = 0; i < 3; ++i) {
        Row row = data;
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            Paragraph& paragraph = row.cells[c].paragraphs[0];
            paragraph.runs.push_back(Run{texts[(c + i) % std::size(texts)], paragraph.mark});
        }
        row.cells[1].paragraphs.push_back(row.cells[1].paragraphs[0]);
        table.rows.push_back(row);
    }
    document.shapes.push_back(Shape{{std::get<Paragraph>(document.body[0])}});
    return document;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: rtf_fuzz_seeds FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QByteArray templateRtf = templateBytes();
    const RtfReadResult read = readRtf(templateRtf);
    if (!read.document) {
        std::fprintf(stderr, "the template cannot be read\n");
        return 1;
    }
    const bool saved = save(folder, u"template.rtf"_s, templateRtf) &&
                       save(folder, u"filled.rtf"_s, toRtf(filledSchedule(*read.document))) &&
                       save(folder, u"empty.rtf"_s, toRtf(Document{}));
    return saved ? 0 : 1;
}
