// SPDX-License-Identifier: MIT

#include "document/paint/picture_recorder.h"

#include "document/paint/picture_bytes.h"

#include <QDataStream>
#include <QIODevice>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <climits>
#include <optional>

namespace quillory::doc {

namespace {

constexpr int TwipsPerInch = 1440;
// Fonts given in points are resolved as on the screen the picture is played back on.
constexpr int ScreenDpi = 96;

// Notes what a painter draws as commands of the page being recorded.
class RecordingEngine final : public QPaintEngine {
public:
    explicit RecordingEngine(PictureRecorder& recorder)
        : QPaintEngine(AllFeatures)
        , m_recorder(recorder)
    {
    }

    bool begin(QPaintDevice*) override
    {
        m_transform = QTransform();
        m_pen = QPen();
        m_brush = QBrush();
        m_antialiased = false;
        m_clip.reset();
        m_clipEnabled = false;
        m_recordedClip.reset();
        return true;
    }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& state) override
    {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyTransform)
            m_transform = state.transform();
        if (dirty & DirtyPen)
            m_pen = state.pen();
        if (dirty & DirtyBrush)
            m_brush = state.brush();
        if (dirty & DirtyHints)
            m_antialiased = state.renderHints().testFlag(QPainter::Antialiasing);
        if (dirty & DirtyClipPath)
            clip(state.clipOperation(), state.clipPath().boundingRect());
        if (dirty & DirtyClipRegion)
            clip(state.clipOperation(), state.clipRegion().boundingRect());
        if (dirty & DirtyClipEnabled)
            m_clipEnabled = state.isClipEnabled();
    }

    void drawRects(const QRectF* rects, int count) override
    {
        const bool plainFill = m_pen.style() == Qt::NoPen && m_brush.style() == Qt::SolidPattern &&
                               m_transform.type() <= QTransform::TxTranslate;
        for (int i = 0; i < count; ++i) {
            if (plainFill) {
                PictureBytesWriter out = command(PictureCommand::Fill);
                out.put(quint32(m_brush.color().rgba()));
                out.putRect(m_transform.mapRect(rects[i]));
            } else {
                QPainterPath path;
                path.addRect(rects[i]);
                drawPath(path);
            }
        }
    }
    void drawRects(const QRect* rects, int count) override
    {
        for (int i = 0; i < count; ++i) {
            const QRectF rect(rects[i]);
            drawRects(&rect, 1);
        }
    }

    void drawPath(const QPainterPath& path) override
    {
        streamed(PictureCommand::Shape,
                 [&](QDataStream& stream) { stream << m_transform.map(path) << m_pen << m_brush; });
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode == PolylineMode) {
            const QBrush brush = std::exchange(m_brush, QBrush());
            drawPath(path);
            m_brush = brush;
            return;
        }
        path.closeSubpath();
        path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
        drawPath(path);
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override
    {
        const QPolygonF polygon(QPolygon(QList<QPoint>(points, points + count)));
        drawPolygon(polygon.constData(), int(polygon.size()), mode);
    }

    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override
    {
        drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
    }
    void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override
    {
        streamed(PictureCommand::Image, [&](QDataStream& stream) {
            stream << m_transform.mapRect(target) << source << image;
        });
    }

    // Text as its characters with their font: far smaller than outlines, and played back
    // through the same text layout, it keeps its glyphs and their places.
    void drawTextItem(const QPointF& point, const QTextItem& item) override
    {
        const QString text = item.text();
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); }))
            return;
        const quint16 font = m_recorder.fontIndex(item.font());
        PictureBytesWriter out = command(PictureCommand::Text);
        out.put(font);
        out.put(quint32(m_pen.color().rgba()));
        out.put(quint8(item.renderFlags().testFlag(QTextItem::RightToLeft) ? 1 : 0));
        const QPointF baseline = m_transform.map(point);
        out.putRect(QRectF(baseline.x(), baseline.y(), item.width(), item.ascent()));
        out.put(float(item.descent()));
        out.put(quint32(text.size()));
        out.putUnits(text);
    }

    // A fill of the page's own layout, written straight away under the clip it names.
    void gridFill(PictureCommand kind, const QRectF& rect, QRgb colour,
                  const std::optional<QRectF>& clip)
    {
        PictureBytesWriter out = command(kind, clip);
        out.put(quint32(colour));
        for (const qreal edge : {rect.x(), rect.y(), rect.width(), rect.height()})
            out.put(double(edge));
    }

private:
    void clip(Qt::ClipOperation operation, const QRectF& rect)
    {
        const QRectF mapped = m_transform.mapRect(rect);
        if (operation == Qt::NoClip)
            m_clip.reset();
        else if (operation == Qt::IntersectClip && m_clip)
            m_clip = *m_clip & mapped;
        else
            m_clip = mapped;
    }

    // A command's writer, after the clip it is drawn under where that has changed.
    PictureBytesWriter command(PictureCommand code)
    {
        return command(code, m_clipEnabled ? m_clip : std::nullopt);
    }
    PictureBytesWriter command(PictureCommand code, const std::optional<QRectF>& clip)
    {
        PictureBytesWriter out(m_recorder.body());
        if (clip != m_recordedClip) {
            out.put(quint8(PictureCommand::Clip));
            out.put(quint8(clip ? 1 : 0));
            out.putRect(clip.value_or(QRectF()));
            m_recordedClip = clip;
        }
        out.put(quint8(code));
        return out;
    }

    void streamed(PictureCommand code, const std::function<void(QDataStream&)>& write)
    {
        QByteArray bytes;
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(QDataStream::Qt_6_0);
        stream << m_antialiased;
        write(stream);
        PictureBytesWriter out = command(code);
        out.put(quint32(bytes.size()));
        out.putRaw(bytes.constData(), bytes.size());
    }

    PictureRecorder& m_recorder;
    QTransform m_transform;
    QPen m_pen;
    QBrush m_brush;
    bool m_antialiased = false;
    std::optional<QRectF> m_clip;
    bool m_clipEnabled = false;
    std::optional<QRectF> m_recordedClip;
};

} // namespace

// A page's paint device, a twip to its unit (its resolution is the screen's, for fonts).
class RecordingDevice final : public QPaintDevice {
public:
    explicit RecordingDevice(PictureRecorder& recorder)
        : m_engine(recorder)
    {
    }
    ~RecordingDevice() override
    {
        // A device must not go while a painter is still active on it.
        Q_ASSERT(!paintingActive());
    }
    QPaintEngine* paintEngine() const override { return &m_engine; }
    RecordingEngine& engine() { return m_engine; }
    void setSize(QSizeF size) { m_size = size.toSize(); }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmWidthMM: return m_size.width() * 254 / (TwipsPerInch * 10);
        case PdmHeightMM: return m_size.height() * 254 / (TwipsPerInch * 10);
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return ScreenDpi;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable RecordingEngine m_engine;
    QSize m_size;
};

PictureRecorder::PictureRecorder(qreal width, qreal gap)
    : m_width(width)
    , m_gap(gap)
    , m_device(std::make_unique<RecordingDevice>(*this))
{
}

PictureRecorder::~PictureRecorder() = default;

void PictureRecorder::recordPage(qreal height, const std::function<void(QPainter&)>& paint)
{
    const qint64 offset = m_body.size();
    m_device->setSize(QSizeF(m_width, height));
    {
        QPainter painter(m_device.get());
        paint(painter);
    }
    m_pages.push_back({m_top, height, offset, m_body.size() - offset});
    m_top += height + m_gap;
}

void PictureRecorder::gridFill(PictureCommand kind, const QRectF& rect, QRgb colour,
                               const std::optional<QRectF>& clip)
{
    m_device->engine().gridFill(kind, rect, colour, clip);
}

void PictureRecorder::endLastPageAt(qreal height)
{
    if (!m_pages.empty())
        m_pages.back().height = height;
}

qreal PictureRecorder::height() const
{
    return m_pages.empty() ? 0 : m_pages.back().top + m_pages.back().height;
}

VectorPicture PictureRecorder::picture(QSizeF extent)
{
    m_body.squeeze();
    return VectorPicture(extent, m_width, std::move(m_pages), std::move(m_fonts),
                         std::move(m_body));
}

quint16 PictureRecorder::fontIndex(const QFont& font)
{
    const auto known = m_fontIndex.constFind(font);
    if (known != m_fontIndex.constEnd())
        return *known;
    const auto index = quint16(m_fonts.size());
    m_fonts.push_back(font);
    m_fontIndex.insert(font, index);
    return index;
}

} // namespace quillory::doc
