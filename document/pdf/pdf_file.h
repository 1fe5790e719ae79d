// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace quillory::doc {

/// A PDF file with a classic cross-reference table (as QPdfWriter writes it), opened for
/// editing objects in place: changes are collected, then the file is written out once with every
/// object's new offset in a fresh table. Object numbers are the file's own; generation 0.
class PdfFile {
public:
    /// Reads the cross-reference table; throws a Failure when there is none to read.
    explicit PdfFile(QByteArray pdf);

    /// How many object numbers the table holds (object 0 included).
    int objectCount() const { return int(m_offsets.size()); }
    /// An object's text between "obj" and "endobj" (stream data included); empty when the
    /// object is not in use.
    QByteArrayView object(int number) const;
    /// An object's dictionary: its text up to the keyword "stream", or all of it.
    QByteArrayView dictionary(int number) const;
    /// The object number that an entry of the trailer refers to ("/Info"); 0 when none.
    int trailerReference(QByteArrayView key) const;

    /// Replaces `length` bytes of an object's text from `at` (an offset into object(number)).
    /// Replacements may not overlap.
    void replace(int number, qsizetype at, qsizetype length, QByteArray text);
    /// Replaces an object's whole text.
    void replaceObject(int number, QByteArray text);
    /// The file with every replacement made and a cross-reference table to match.
    QByteArray written() const;

private:
    struct Replacement {
        qsizetype start; ///< in the original file
        qsizetype end;
        QByteArray text;
    };

    QByteArray m_pdf;
    std::vector<qsizetype> m_offsets; ///< each object's "N 0 obj" offset; -1 when free
    std::vector<qsizetype> m_bodies;  ///< where each object's text starts
    std::vector<qsizetype> m_ends;    ///< where each object's "endobj" starts
    qsizetype m_tableStart = 0;       ///< the "xref" keyword
    QByteArray m_trailer;             ///< the trailer's dictionary, "<<" to ">>"
    std::vector<Replacement> m_replacements;
};

/// The value of a name entry in a dictionary ("/BaseFont /Arial" gives "Arial"), with where it
/// starts (its slash) and ends; start is -1 when the key is missing.
struct NameValue {
    QByteArray name;
    qsizetype start = -1;
    qsizetype end = -1;
};
NameValue nameEntry(QByteArrayView dictionary, QByteArrayView key);

/// The object number of a reference entry ("/ToUnicode 18 0 R" or "/DescendantFonts [17 0 R]"
/// gives 18 or 17); 0 when there is none.
int referenceEntry(QByteArrayView dictionary, QByteArrayView key);

} // namespace quillory::doc
