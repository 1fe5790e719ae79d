// SPDX-License-Identifier: MIT

#include "document/paint/picture_mime.h"
#include "document/paint/picture_recorder.h"
#include "document/paint/renderer.h"
#include "tests/document/schedule_fixture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QTest>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace quillory::doc {

namespace {

Document withRows(int dataRows)
{
    Document document = test::scheduleDocument();
    auto& rows = std::get<Table>(document.body[2]).rows;
    rows.insert(rows.end(), dataRows - 1, rows[1]);
    return document;
}

// A data row of texts in many scripts and formats, as students type them.
Document withScripts()
{
    Document document = withRows(3);
    auto& rows = std::get<Table>(document.body[2]).rows;
    const QStringList texts{u"숙제 읽기 🧪 and प्रश्न ५"_s, u"การบ้าน บทที่ ๓"_s,
                            u"واجب الصفحة ١٢"_s, u"Ελληνικά, русский, 中文 日本語"_s};
    for (int day = 0; day < int(texts.size()); ++day) {
        Paragraph& cell = rows[2].cells[day + 1].paragraphs.front();
        cell.runs = {Run{texts[day], cell.mark}, Run{u" bold"_s, cell.mark}};
        cell.runs.back().format.bold = true;
    }
    return document;
}

// On whole steps of the grid, at least one wide and high.
QRectF onGrid(const QRectF& rect, qreal grid)
{
    return QRectF(std::round(rect.left() / grid) * grid, std::round(rect.top() / grid) * grid,
                  std::max(grid, std::round(rect.width() / grid) * grid),
                  std::max(grid, std::round(rect.height() / grid) * grid));
}

// A page painted straight, the reference: shadings and text clipped to the area, borders on
// top, each on the grid and moved inside the `shown` height of the page across its thickness.
void paintPageDirectly(QPainter& painter, const LaidOutPage& page, QSizeF area, qreal shown,
                       qreal grid)
{
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), area));
    for (const PlacedFill& shading : page.shadings)
        painter.fillRect(onGrid(shading.rect, grid), QColor::fromRgb(shading.color));
    for (const PlacedParagraph& placed : page.paragraphs) {
        for (int line = placed.firstLine; line < placed.firstLine + placed.lineCount; ++line)
            placed.layout->drawLine(painter, line, placed.origin);
    }
    painter.restore();
    for (const PlacedFill& border : page.borders) {
        QRectF line = onGrid(border.rect, grid);
        if (line.height() > line.width())
            line.moveLeft(std::clamp(line.left(), 0.0, area.width() - line.width()));
        else
            line.moveTop(std::clamp(line.top(), 0.0, shown - line.height()));
        painter.fillRect(line & QRectF(0, 0, area.width(), shown), QColor::fromRgb(border.color));
    }
}

QImage whiteImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// The pages painted straight onto a bitmap: the text areas one below the other, ten pixels of
// grey between them, the last ending at its content.
QImage paintedDirectly(const DocumentLayout& layout)
{
    const QSizeF area = layout.textArea();
    std::vector<qreal> shown(layout.pages().size(), area.height());
    shown.back() = contentBottom(layout.pages().back(), area);
    const qreal height = std::accumulate(shown.begin(), shown.end(), -150.0,
                                         [](qreal sum, qreal page) { return sum + page + 150; });
    QImage image =
        whiteImage(QSize(int(std::ceil(area.width() / 15)), int(std::ceil(height / 15))));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(1.0 / 15, 1.0 / 15);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        paintPageDirectly(painter, layout.pages()[i], area, shown[i], 15);
        if (i + 1 < shown.size())
            painter.fillRect(QRectF(0, shown[i], area.width(), 150), QColor(0xd0d0d0));
        painter.translate(0, shown[i] + 150);
    }
    return image;
}

// The top of the table in twips: the data row's day cells start 420 twips below it.
qreal tableTop(const DocumentLayout& layout)
{
    return layout.place(cellStart(2, 1, 1)).origin.y() - 420;
}

} // namespace

class TestRenderer final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pictureCoversTheTextItself_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("one") << 1.0;
        QTest::newRow("double density") << 2.0;
        QTest::newRow("fractional") << 1.5;
    }

    // From the top of the title to the bottom of the paragraph after the table: title line,
    // empty paragraph, heading row, data row, empty paragraph.
    void pictureCoversTheTextItself()
    {
        QFETCH(qreal, ratio);
        const VectorPicture recorded = recordDocument(withRows(1));
        const QImage picture = recorded.toImage(ratio);
        const qreal twips = test::fontLineHeight(32, true) + test::fontLineHeight(20) + 420 + 792 +
                            test::fontLineHeight(20);
        const QSize logical(912, int(std::ceil(twips / 15)));
        QCOMPARE(recorded.extent(), QSizeF(logical) * 15);
        QCOMPARE(picture.size(), (QSizeF(logical) * ratio).toSize());
        QCOMPARE(picture.devicePixelRatio(), ratio);
        QCOMPARE(picture.format(), QImage::Format_ARGB32_Premultiplied);
    }

    // Full pages one below the other with a grey gap; the last ends at its last content.
    void pagesAreStackedAndTheLastIsCut()
    {
        const DocumentLayout layout = layOutDocument(withRows(30));
        QCOMPARE(layout.pages().size(), std::size_t(3));
        const QImage picture = renderMainText(layout, 1);
        QVERIFY(picture.height() > 2 * 682 && picture.height() < 2 * 682 + 672);
        for (const int gap : {672, 681, 1354, 1363})
            QCOMPARE(picture.pixelColor(400, gap), QColor(0xd0, 0xd0, 0xd0));
        QCOMPARE(picture.pixelColor(400, 671), QColor(Qt::black)); // the part's closing line
        QCOMPARE(picture.pixelColor(400, picture.height() - 1), QColor(Qt::white));
    }

    // A long schedule's lowered ratio shrinks the drawing with the picture: the gaps between
    // pages move to half their place at half the ratio, and the table's right edge stays in.
    void aLoweredRatioShrinksTheDrawing()
    {
        const DocumentLayout layout = layOutDocument(withRows(30));
        const QImage picture = renderMainText(layout, 0.5);
        for (const int gap : {337, 340, 678, 681})
            QCOMPARE(picture.pixelColor(200, gap), QColor(0xd0, 0xd0, 0xd0));
        QCOMPARE(picture.pixelColor(200, 335), QColor(Qt::black)); // the part's closing line
        QCOMPARE(picture.pixelColor(picture.width() - 1, 200), QColor(Qt::black));
    }

    void bordersAndShadingAreCrisp()
    {
        const DocumentLayout layout = layOutDocument(test::scheduleDocument());
        const QImage picture = renderMainText(layout, 2);
        // Lines are a logical pixel thick, two device pixels at double density.
        const int borderRow = 2 * qRound((tableTop(layout) - 2.5) / 15);
        QCOMPARE(picture.pixelColor(600, borderRow - 1), QColor(Qt::white));
        QCOMPARE(picture.pixelColor(600, borderRow), QColor(Qt::black));
        QCOMPARE(picture.pixelColor(600, borderRow + 1), QColor(Qt::black));
        QCOMPARE(picture.pixelColor(600, borderRow + 2), QColor(217, 227, 239));
        // The outer lines of the full-width table stay inside the picture.
        QCOMPARE(picture.pixelColor(0, borderRow + 20), QColor(Qt::black));
        QCOMPARE(picture.pixelColor(picture.width() - 1, borderRow + 20), QColor(Qt::black));
        const int dataMiddle = qRound((tableTop(layout) + 420 + 396) / 7.5);
        QCOMPARE(picture.pixelColor(qRound(2000 / 7.5), dataMiddle), QColor(243, 243, 243));
        QCOMPARE(picture.pixelColor(qRound(4000 / 7.5), dataMiddle), QColor(Qt::white));
    }

    void textIsPaintedAntialiased()
    {
        const DocumentLayout layout = layOutDocument(test::scheduleDocument());
        const QImage title =
            renderMainText(layout, 2).copy(0, 0, 1200, qRound(tableTop(layout) / 7.5) - 2);
        int dark = 0;
        int between = 0;
        for (int y = 0; y < title.height(); ++y) {
            for (int x = 0; x < title.width(); ++x) {
                const int gray = qGray(title.pixel(x, y));
                dark += gray < 60;
                between += gray >= 60 && gray < 200;
            }
        }
        QVERIFY(dark > 1000);
        QVERIFY(between > 100);
    }

    void playbackIsPaintingItself_data()
    {
        QTest::addColumn<Document>("document");
        QTest::newRow("sample") << test::scheduleDocument();
        QTest::newRow("three pages") << withRows(30);
        QTest::newRow("scripts, emoji and bold runs") << withScripts();
    }

    // Played back at 100 %, the recorded picture is pixel for pixel the pages painted straight.
    void playbackIsPaintingItself()
    {
        QFETCH(Document, document);
        const DocumentLayout layout = layOutDocument(document);
        QCOMPARE(renderMainText(layout, 1), paintedDirectly(layout));
    }

    void recordingAsLaidOutIsTheWholeLayoutsRecording_data()
    {
        playbackIsPaintingItself_data();
        QTest::newRow("a hundred rows") << withRows(100);
    }

    // Recorded page by page as the layout makes them, the picture is byte for byte the one
    // recorded from the whole layout.
    void recordingAsLaidOutIsTheWholeLayoutsRecording()
    {
        QFETCH(Document, document);
        const VectorPicture streamed = recordDocument(document);
        const VectorPicture whole = recordMainText(layOutDocument(document));
        QCOMPARE(streamed.header(), whole.header());
        QCOMPARE(streamed.body(), whole.body());
    }

    void paperIsPaintingItself_data()
    {
        QTest::addColumn<Document>("document");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("dpi");
        QTest::newRow("sample, 96 dpi") << test::scheduleDocument() << 0 << 96;
        QTest::newRow("second of three pages, 300 dpi") << withRows(30) << 1 << 300;
        QTest::newRow("last of three pages, 150 dpi") << withRows(30) << 2 << 150;
        QTest::newRow("scripts, 200 dpi") << withScripts() << 0 << 200;
    }

    // A page of the picture played on paper, its fills joined, is the page painted straight at
    // the paper's resolution, its borders inside the whole text area.
    void paperIsPaintingItself()
    {
        QFETCH(Document, document);
        QFETCH(int, page);
        QFETCH(int, dpi);
        const DocumentLayout layout = layOutDocument(document);
        const QSizeF area = layout.textArea();
        const qreal grid = 1440.0 / dpi;
        QImage played = whiteImage((area / grid).toSize());
        QImage direct = played;
        for (QImage* image : {&played, &direct}) {
            QPainter painter(image);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            painter.scale(1 / grid, 1 / grid);
            if (image == &played)
                recordDocument(document).playOnPaper(painter, page, {area, grid, nullptr, true});
            else
                paintPageDirectly(painter, layout.pages()[page], area, area.height(), grid);
        }
        // Edges on fractions of a twip may round a level apart.
        QCOMPARE(played.size(), direct.size());
        int apart = 0;
        for (int y = 0; y < played.height(); ++y) {
            const auto* a = reinterpret_cast<const uchar*>(played.constScanLine(y));
            const auto* b = reinterpret_cast<const uchar*>(direct.constScanLine(y));
            for (int i = 0; i < 4 * played.width(); ++i)
                apart += std::abs(a[i] - b[i]) > 1;
        }
        QCOMPARE(apart, 0);
    }

    // What the schedule never paints comes back too: shapes, images, clipped text.
    void otherPaintingIsRecorded()
    {
        QImage dot(3, 3, QImage::Format_ARGB32_Premultiplied);
        dot.fill(Qt::red);
        const auto paint = [&](QPainter& painter) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(Qt::blue, 30));
            painter.drawRect(QRectF(100, 100, 600, 300));
            painter.drawEllipse(QRectF(900, 100, 300, 300));
            painter.drawImage(QRectF(1500, 150, 150, 150), dot);
            painter.setClipRect(QRectF(0, 600, 900, 120));
            painter.setFont(QFont(u"URW Gothic"_s, 300));
            painter.setPen(Qt::darkGreen);
            painter.drawText(QPointF(60, 760), u"Cut off"_s);
        };
        PictureRecorder recorder(1800);
        recorder.recordPage(900, paint);
        const QImage played = recorder.picture({1800, 900}).toImage(1);
        QImage direct(120, 60, QImage::Format_ARGB32_Premultiplied);
        direct.fill(Qt::white);
        QPainter painter(&direct);
        painter.scale(1.0 / 15, 1.0 / 15);
        paint(painter);
        painter.end();
        QCOMPARE(played, direct);
    }

    void recognisesItsOwnBytesOnly_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("recognised");
        const VectorPicture picture = recordMainText(layOutDocument(withRows(30)));
        const QByteArray whole = picture.header() + picture.body();
        QTest::newRow("whole") << whole << true;
        QTest::newRow("a bitmap") << QByteArray("BM") + whole.mid(2) << false;
        QTest::newRow("cut in the header") << whole.first(60) << false;
        QTest::newRow("last page cut short") << whole.chopped(1) << false;
        QByteArray pages = whole;
        pages.replace(12, 4, QByteArray::fromHex("ffffff7f")); // two billion pages
        QTest::newRow("a damaged page count") << pages << false;
    }

    void recognisesItsOwnBytesOnly()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, recognised);
        const std::optional<VectorPicture> read = VectorPicture::recognise(bytes);
        QCOMPARE(read.has_value(), recognised);
        if (read)
            QCOMPARE(read->toImage(1), renderMainText(layOutDocument(withRows(30)), 1));
    }

    // Commands cut anywhere end their page's playing; nothing is read past them.
    void damagedCommandsStopPlaying()
    {
        const VectorPicture picture = recordMainText(layOutDocument(test::scheduleDocument()));
        for (qsizetype cut = 0; cut < picture.body().size(); cut += 7) {
            const VectorPicture damaged(picture.extent(), picture.extent().width(),
                                        {{0, picture.extent().height(), 0, cut}}, {QFont()},
                                        picture.body().first(cut));
            QVERIFY(!damaged.toImage(1).isNull());
        }
    }

    void linesStayCrispAtEveryZoom_data()
    {
        QTest::addColumn<qreal>("scale"); // device pixels per logical pixel
        QTest::newRow("0.75") << 0.75;
        QTest::newRow("1.25") << 1.25;
        QTest::newRow("2.5") << 2.5;
    }

    // Played at any scale, the table's vertical lines cover whole device pixels: a column of
    // the picture is black or not, never a blend of the line and the shading.
    void linesStayCrispAtEveryZoom()
    {
        QFETCH(qreal, scale);
        const VectorPicture picture = recordMainText(layOutDocument(test::scheduleDocument()));
        QImage image((picture.extent() / 15 * scale).toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(scale / 15, scale / 15);
        picture.play(painter, QRectF(QPointF(0, 0), picture.extent()));
        painter.end();
        const int row = qRound(image.height() * 0.9); // in the last data row
        int blended = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, row);
            blended += c != QColor(Qt::black) && c != QColor(Qt::white) &&
                       c != QColor(243, 243, 243) && c != QColor(217, 227, 239);
        }
        QCOMPARE(blended, 0);
    }

    // Pasted, the picture is a bitmap at the screen's resolution; its own bytes read back whole.
    void clipboardOffersTheImageAndTheBytes()
    {
        const auto picture = std::make_shared<const VectorPicture>(
            recordMainText(layOutDocument(test::scheduleDocument())));
        PictureMimeData mime(picture);
        QVERIFY(mime.hasImage());
        const QImage image = qvariant_cast<QImage>(mime.imageData());
        QCOMPARE(image, picture->toImage(1));
        const QByteArray bytes = mime.data(u"application/x-quillory-picture"_s);
        QCOMPARE(VectorPicture::recognise(bytes)->toImage(1), image);
    }

    void pagesAreSeparatedAndTheHeadingRepeats()
    {
        const DocumentLayout layout = layOutDocument(withRows(30));
        const QImage picture = renderMainText(layout, 1);
        QCOMPARE(picture.pixelColor(400, 677), QColor(0xd0, 0xd0, 0xd0));
        // The second page begins with the heading row: its border, then its shading.
        QCOMPARE(picture.pixelColor(400, 682), QColor(Qt::black));
        QCOMPARE(picture.pixelColor(400, 684), QColor(217, 227, 239));
    }
};

} // namespace quillory::doc

QTEST_MAIN(quillory::doc::TestRenderer)
#include "test_renderer.moc"
