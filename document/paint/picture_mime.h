// SPDX-License-Identifier: MIT

#pragma once

#include "document/paint/vector_picture.h"

#include <QMimeData>

#include <memory>

namespace quillory::doc {

/// The clipboard's type for a vector picture's bytes.
inline constexpr char16_t VectorPictureMimeType[] = u"application/x-quillory-picture";

/// A vector picture on the clipboard: as its own bytes, and as an image drawn from it at the
/// screen's resolution (lowered for a long schedule so that it stays within MaxPicturePixels)
/// only when something asks for one, when it is pasted.
class PictureMimeData final : public QMimeData {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureMimeData)

public:
    /// The picture, shared.
    explicit PictureMimeData(std::shared_ptr<const VectorPicture> picture);
    ~PictureMimeData() override;

    /// The picture held.
    const std::shared_ptr<const VectorPicture>& picture() const { return m_picture; }

    /// An image and the picture's bytes.
    QStringList formats() const override;
    /// Whether the format is one of formats().
    bool hasFormat(const QString& mimeType) const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    std::shared_ptr<const VectorPicture> m_picture;
};

} // namespace quillory::doc
