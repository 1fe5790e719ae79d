// SPDX-License-Identifier: MIT
// Every window's text stands out from its background under light and dark palettes, measured on
// the rendered pixels with WCAG's contrast formula.
#include "app/form1.h"
#include "homework/editor/form3.h"
#include "preview/form2.h"
#include "tests/support/isolated_settings.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>

#include <cmath>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

double luminance(QRgb rgb)
{
    const auto linear = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

// The background is the area's commonest colour; the text, its pixel most distinct from it.
double textContrast(const QImage& area)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            ++counts[area.pixel(x, y)];
    const double back = luminance(
        std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
            return a.second < b.second;
        })->first);
    double best = 1;
    for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it)
        best = std::max(best, (std::max(back, luminance(*it)) + 0.05) /
                                  (std::min(back, luminance(*it)) + 0.05));
    return best;
}

// The style's light palette, a dark one, or a light one with dark buttons.
QPalette palette(const QString& name)
{
    QPalette palette = QApplication::style()->standardPalette();
    const auto darken = [&](QPalette::ColorRole back, QPalette::ColorRole text) {
        palette.setColor(back, QColor(53, 53, 53));
        palette.setColor(text, QColor(240, 240, 240));
    };
    if (name == u"dark"_s)
        darken(QPalette::Window, QPalette::WindowText);
    if (name != u"light"_s)
        darken(QPalette::Button, QPalette::ButtonText);
    return palette;
}

} // namespace

class TestWindowContrast : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textStandsOut_data();
    void textStandsOut();

private:
    test::IsolatedSettings m_settings;
};

void TestWindowContrast::textStandsOut_data()
{
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("palette");
    for (const QString& window : {u"main"_s, u"editor"_s, u"preview"_s, u"message box"_s}) {
        for (const QString& palette : {u"light"_s, u"dark"_s, u"dark buttons"_s})
            QTest::addRow("%s, %s", qPrintable(window), qPrintable(palette)) << window << palette;
    }
}

// Labels are measured whole, frames along their caption.
void TestWindowContrast::textStandsOut()
{
    QFETCH(QString, window);
    QFETCH(QString, palette);
    QApplication::setPalette(::palette(palette));
    HomeworkListModel list;
    std::unique_ptr<QWidget> shown;
    if (window == u"main"_s)
        shown = std::make_unique<Form1>(HomePageCall{});
    else if (window == u"editor"_s)
        shown = std::make_unique<Form3>(list);
    else if (window == u"preview"_s)
        shown = std::make_unique<Form2>();
    else
        shown = std::make_unique<QMessageBox>(QMessageBox::NoIcon, u"Quillory"_s, u"Done."_s);
    shown->show();
    const QImage picture = shown->grab().toImage();
    for (const QWidget* text : shown->findChildren<QWidget*>()) {
        QRect area = text->rect();
        if (const auto* frame = qobject_cast<const QGroupBox*>(text))
            area.setSize({text->fontMetrics().horizontalAdvance(frame->title()) + 16,
                          text->fontMetrics().height() + 2});
        else if (const auto* label = qobject_cast<const QLabel*>(text);
                 !label || label->text().isEmpty())
            continue;
        const double ratio =
            textContrast(picture.copy(area.translated(text->mapTo(shown.get(), QPoint()))));
        QVERIFY2(ratio >= 4.5, qPrintable(u"%1: %2"_s.arg(text->objectName()).arg(ratio)));
    }
}

QTEST_MAIN(TestWindowContrast)
#include "test_window_contrast.moc"
