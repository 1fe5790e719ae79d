// SPDX-License-Identifier: MIT

#include "document/pdf/pdf_file.h"

#include "base/failure.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace quillory::doc {

using namespace Qt::StringLiterals;

namespace {

bool isWhite(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool isDelimiter(char c)
{
    return isWhite(c) || QByteArrayView("/[]<>(){}%").contains(c);
}

qsizetype skipWhite(QByteArrayView text, qsizetype at)
{
    while (at < text.size() && isWhite(text[at]))
        ++at;
    return at;
}

// Reads an unsigned number at `at` (after blanks); -1 when there is none.
qint64 readNumber(QByteArrayView text, qsizetype& at)
{
    at = skipWhite(text, at);
    qint64 value = -1;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = std::max<qint64>(value, 0) * 10 + (text[at] - '0');
    return value;
}

// Where the value of `key` starts in a dictionary, or -1: the key must be a whole name.
qsizetype valueOf(QByteArrayView dictionary, QByteArrayView key)
{
    for (qsizetype at = dictionary.indexOf(key); at >= 0; at = dictionary.indexOf(key, at + 1)) {
        const qsizetype end = at + key.size();
        if (end < dictionary.size() && isDelimiter(dictionary[end]))
            return skipWhite(dictionary, end);
    }
    return -1;
}

[[noreturn]] void unreadable()
{
    throw Failure(Failure::Malformed, u"The PDF's cross-reference table could not be read."_s);
}

} // namespace

PdfFile::PdfFile(QByteArray pdf)
    : m_pdf(std::move(pdf))
{
    const qsizetype startxref = m_pdf.lastIndexOf("startxref");
    qsizetype at = startxref + 9;
    m_tableStart = startxref < 0 ? -1 : readNumber(m_pdf, at);
    if (m_tableStart < 0 || !QByteArrayView(m_pdf).sliced(m_tableStart).startsWith("xref"))
        unreadable();
    at = m_tableStart + 4;
    for (;;) {
        const qint64 first = readNumber(m_pdf, at);
        const qint64 count = readNumber(m_pdf, at);
        if (first < 0 || count < 0)
            break;
        m_offsets.resize(std::max<std::size_t>(m_offsets.size(), std::size_t(first + count)), -1);
        for (qint64 i = 0; i < count; ++i) {
            const qint64 offset = readNumber(m_pdf, at);
            readNumber(m_pdf, at); // the generation
            at = skipWhite(m_pdf, at);
            if (offset < 0 || at >= m_pdf.size() || offset >= startxref)
                unreadable();
            m_offsets[std::size_t(first + i)] = m_pdf[at++] == 'n' ? offset : -1;
        }
    }
    const qsizetype open = m_pdf.indexOf("<<", at);
    const qsizetype close = m_pdf.lastIndexOf(">>", startxref);
    if (!QByteArrayView(m_pdf).sliced(skipWhite(m_pdf, at)).startsWith("trailer") || open < 0 ||
        close < open)
        unreadable();
    m_trailer = m_pdf.sliced(open, close + 2 - open);

    // An object ends where the next one (or the table) begins.
    std::vector<std::size_t> order(m_offsets.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return m_offsets[a] < m_offsets[b]; });
    m_bodies.assign(m_offsets.size(), -1);
    m_ends.assign(m_offsets.size(), -1);
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::size_t number = order[i];
        if (m_offsets[number] < 0)
            continue;
        const qsizetype next = i + 1 < order.size() ? m_offsets[order[i + 1]] : m_tableStart;
        const qsizetype obj = m_pdf.indexOf("obj", m_offsets[number]);
        const qsizetype end = m_pdf.lastIndexOf("endobj", next);
        if (obj < 0 || end < obj + 3)
            unreadable();
        m_bodies[number] = obj + 3;
        m_ends[number] = end;
    }
}

QByteArrayView PdfFile::object(int number) const
{
    if (number <= 0 || number >= objectCount() || m_bodies[std::size_t(number)] < 0)
        return {};
    const qsizetype body = m_bodies[std::size_t(number)];
    return QByteArrayView(m_pdf).sliced(body, m_ends[std::size_t(number)] - body);
}

QByteArrayView PdfFile::dictionary(int number) const
{
    const QByteArrayView text = object(number);
    const qsizetype stream = text.indexOf("stream");
    return stream < 0 ? text : text.first(stream);
}

int PdfFile::trailerReference(QByteArrayView key) const
{
    return referenceEntry(m_trailer, key);
}

void PdfFile::replace(int number, qsizetype at, qsizetype length, QByteArray text)
{
    const qsizetype start = m_bodies.at(std::size_t(number)) + at;
    m_replacements.push_back({start, start + length, std::move(text)});
}

void PdfFile::replaceObject(int number, QByteArray text)
{
    replace(number, 0, object(number).size(), std::move(text));
}

QByteArray PdfFile::written() const
{
    std::vector<const Replacement*> replacements;
    for (const Replacement& replacement : m_replacements)
        replacements.push_back(&replacement);
    std::sort(replacements.begin(), replacements.end(),
              [](const Replacement* a, const Replacement* b) { return a->start < b->start; });

    QByteArray out;
    out.reserve(m_pdf.size() + 4096);
    // Where each byte of the original before the table lands: its offset plus the growth of
    // every replacement before it.
    std::vector<std::pair<qsizetype, qsizetype>> growth; // original end → total growth so far
    qsizetype copied = 0;
    for (const Replacement* replacement : replacements) {
        out.append(QByteArrayView(m_pdf).sliced(copied, replacement->start - copied));
        out.append(replacement->text);
        copied = replacement->end;
        growth.emplace_back(copied, out.size() - copied);
    }
    out.append(QByteArrayView(m_pdf).sliced(copied, m_tableStart - copied));
    const auto moved = [&](qsizetype offset) {
        const auto after = std::upper_bound(growth.begin(), growth.end(), offset,
                                            [](qsizetype o, const auto& g) { return o < g.first; });
        return after == growth.begin() ? offset : offset + std::prev(after)->second;
    };

    const qsizetype table = out.size();
    out.append("xref\n0 " + QByteArray::number(objectCount()) + '\n');
    for (const qsizetype offset : m_offsets) {
        out.append(offset < 0
                       ? QByteArray("0000000000 65535 f \n")
                       : QByteArray::number(moved(offset)).rightJustified(10, '0') + " 00000 n \n");
    }
    out.append("trailer\n" + m_trailer + "\nstartxref\n" + QByteArray::number(table) + "\n%%EOF\n");
    return out;
}

NameValue nameEntry(QByteArrayView dictionary, QByteArrayView key)
{
    const qsizetype start = valueOf(dictionary, key);
    if (start < 0 || dictionary[start] != '/')
        return {};
    qsizetype end = start + 1;
    while (end < dictionary.size() && !isDelimiter(dictionary[end]))
        ++end;
    return {dictionary.sliced(start + 1, end - start - 1).toByteArray(), start, end};
}

int referenceEntry(QByteArrayView dictionary, QByteArrayView key)
{
    qsizetype at = valueOf(dictionary, key);
    if (at < 0)
        return 0;
    if (dictionary[at] == '[')
        ++at;
    const qint64 number = readNumber(dictionary, at);
    const qint64 generation = readNumber(dictionary, at);
    at = skipWhite(dictionary, at);
    const bool reference = generation >= 0 && at < dictionary.size() && dictionary[at] == 'R';
    return reference && number > 0 && number < std::numeric_limits<int>::max() ? int(number) : 0;
}

} // namespace quillory::doc
