// SPDX-License-Identifier: MIT

#pragma once

#include "document/automation/constants.h"
#include "document/automation/range.h"
#include "document/rtf/model.h"

#include <QString>

#include <memory>
#include <vector>

namespace quillory::doc::automation {

class DocumentState;

/// The text frame of a shape.
class TextFrame {
public:
    /// The frame of one shape of the document.
    TextFrame(std::shared_ptr<DocumentState> document, int shape);

    /// Whether the frame holds any text.
    bool HasText() const;
    /// The frame's whole text.
    automation::Range TextRange() const;

private:
    std::shared_ptr<DocumentState> m_document;
    int m_shape;
};

/// A shape floating on a page.
class Shape {
public:
    /// One shape of the document.
    Shape(std::shared_ptr<DocumentState> document, int shape);

    /// The shape's text frame.
    automation::TextFrame TextFrame() const;

private:
    std::shared_ptr<DocumentState> m_document;
    int m_shape;
};

/// An enumerable list of items, numbered from 1 as automation collections are.
template <typename Element> class Collection {
public:
    /// The items, in order.
    explicit Collection(std::vector<Element> items)
        : m_items(std::move(items))
    {
    }

    /// How many items there are.
    int Count() const { return int(m_items.size()); }
    /// The item numbered `index`, from 1.
    Element& Item(int index) { return m_items.at(index - 1); }
    /// Iteration from the first item.
    auto begin() { return m_items.begin(); }
    /// Iteration's end.
    auto end() { return m_items.end(); }

private:
    std::vector<Element> m_items;
};

/// The stories of a document: here only the main text, which holds the tables too.
using StoryRanges = Collection<Range>;
/// The shapes of a document.
using Shapes = Collection<Shape>;

/// An open document. Every operation on a closed document, or on one whose instance has quit,
/// throws Failure.
class Document {
public:
    /// A handle on an open document.
    explicit Document(std::shared_ptr<DocumentState> state);

    /// The document's stories.
    automation::StoryRanges StoryRanges() const;
    /// The document's shapes.
    automation::Shapes Shapes() const;
    /// The whole main text.
    automation::Range Range() const;
    /// Writes the document as RTF to the path (replacing the file there atomically, never
    /// through a link, without waiting for the disk) and makes it the document's file. Throws
    /// when it cannot.
    void SaveAs(const QString& path) const;
    /// Closes the document, first saving it to its file with wdSaveChanges.
    void Close(int SaveChanges = wdDoNotSaveChanges) const;
    /// The path of the document's file.
    QString FullName() const;
    /// The content as it stands (for reading, not part of the automation names).
    const doc::Document& content() const;

private:
    std::shared_ptr<DocumentState> m_state;
};

} // namespace quillory::doc::automation
