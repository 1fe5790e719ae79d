// SPDX-License-Identifier: MIT
// The text of every window stands out from its background under a light and a dark palette,
// measured on the rendered pixels with WCAG's contrast formula.
#include "app/form1.h"
#include "homework/editor/form3.h"
#include "homework/homework_list_model.h"
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
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
           0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b)
{
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

// The background is the commonest colour of the area; the text, its most distinct pixels.
double textContrast(const QImage& area)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            ++counts[area.pixel(x, y)];
    const QRgb background =
        std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
            return a.second < b.second;
        })->first;
    double best = 1;
    for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it)
        best = std::max(best, contrast(*it, background));
    return best;
}

// Where the widget writes its text: a label's whole area, a frame's caption line.
QRect textArea(const QWidget& widget)
{
    const auto* frame = qobject_cast<const QGroupBox*>(&widget);
    if (!frame)
        return widget.rect();
    return {0, 0, widget.fontMetrics().horizontalAdvance(frame->title()) + 16,
            widget.fontMetrics().height() + 2};
}

// The style's light palette; a dark one; a light one with dark buttons.
QPalette palette(const QString& name)
{
    QPalette palette = QApplication::style()->standardPalette();
    const QColor face(53, 53, 53);
    const QColor light(240, 240, 240);
    if (name == u"dark"_s) {
        for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base})
            palette.setColor(role, face);
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
            palette.setColor(role, light);
    }
    if (name != u"light"_s) {
        palette.setColor(QPalette::Button, face);
        palette.setColor(QPalette::ButtonText, light);
    }
    return palette;
}

} // namespace

class TestWindowContrast : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void textStandsOut_data();
    void textStandsOut();

private:
    test::IsolatedSettings m_settings;
};

void TestWindowContrast::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));
}

void TestWindowContrast::textStandsOut_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("palette");
    for (const QString& window : {u"main"_s, u"editor"_s, u"preview"_s, u"message box"_s}) {
        for (const QString& palette : {u"light"_s, u"dark"_s, u"dark buttons"_s})
            QTest::addRow("%s, %s", qPrintable(window), qPrintable(palette)) << window << palette;
    }
}

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
    QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
    const QImage picture = shown->grab().toImage();
    QList<QWidget*> texts;
    for (QWidget* widget : shown->findChildren<QWidget*>()) {
        if ((qobject_cast<QLabel*>(widget) && !qobject_cast<QLabel*>(widget)->text().isEmpty()) ||
            qobject_cast<QGroupBox*>(widget))
            texts << widget;
    }
    QVERIFY(!texts.isEmpty());
    for (const QWidget* text : texts) {
        const QRect area = textArea(*text).translated(text->mapTo(shown.get(), QPoint()));
        const double ratio = textContrast(picture.copy(area));
        QVERIFY2(ratio >= 4.5, qPrintable(u"%1: %2"_s.arg(text->objectName()).arg(ratio)));
    }
}

QTEST_MAIN(TestWindowContrast)
#include "test_window_contrast.moc"
