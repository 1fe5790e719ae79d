// SPDX-License-Identifier: MIT
// The real preview window: layout and look, zoom, drag and release with the mouse, the pointer
// over its controls, the ways out, how the scaled picture is made, and a long schedule.
#include "document/document_file.h"
#include "document/paint/renderer.h"
#include "preview/form2.h"
#include "preview/picture_area.h"
#include "preview/printable_schedule.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_files.h"
#include "tests/support/window_controls.h"

#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpontaneKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

// One-pixel squares in two colours: any blur or shift shows.
QImage checkerboardImage(QSize pixels, qreal pixelRatio = 1.0)
{
    QImage image(pixels, QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            image.setPixel(x, y, (x + y) % 2 ? 0xff000000 : 0xffffffff);
    image.setDevicePixelRatio(pixelRatio);
    return image;
}

std::shared_ptr<const doc::VectorPicture> checkerboard(QSize pixels)
{
    return std::make_shared<const doc::VectorPicture>(
        doc::VectorPicture::fromBitmap(checkerboardImage(pixels)));
}

} // namespace

class TestForm2 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void layout_data();
    void layout();
    void look();
    void zoomKeysAndWheel_data();
    void zoomKeysAndWheel();
    void centredWhenFirstShown();
    void zoomDragAndRelease();
    void pointerOverControls();
    void waysOut();
    void paintsTheVisiblePartOfATallPicture_data();
    void paintsTheVisiblePartOfATallPicture();
    void longScheduleReachedAndLegible();

private:
    test::IsolatedSettings m_settings;
    test::ScriptedPrompts m_prompts;
};

void TestForm2::cleanup()
{
    QCOMPARE(m_prompts.errorReports(), QStringList());
}

void TestForm2::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");

    QTest::newRow("viewport") << u"Picture2"_s << QRect(8, 8, 622, 495) << QString();
    QTest::newRow("vertical bar") << u"VScroll1"_s << QRect(630, 8, 17, 495) << QString();
    QTest::newRow("horizontal bar") << u"HScroll1"_s << QRect(8, 503, 622, 17) << QString();
    QTest::newRow("zoom frame") << u"Frame1"_s << QRect(8, 524, 640, 57) << u"Zoom:"_s;
    QTest::newRow("zoom in") << u"PushButton1"_s << QRect(16, 20, 296, 27) << u"Zoom In"_s;
    QTest::newRow("zoom out") << u"PushButton2"_s << QRect(320, 20, 304, 27) << u"Zoom Out"_s;
    QTest::newRow("back") << u"PushButton8"_s << QRect(8, 590, 312, 27) << u"< Back"_s;
    QTest::newRow("save") << u"PushButton6"_s << QRect(328, 590, 320, 27)
                          << u"Save Results To Word File"_s;
}

void TestForm2::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    Form2 form;
    const QWidget* control = form.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), place);
    if (const auto* button = qobject_cast<const QPushButton*>(control))
        QCOMPARE(button->text(), caption);
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        QCOMPARE(frame->title(), caption);
}

void TestForm2::look()
{
    Form2 form;
    QCOMPARE(form.windowTitle(), u"Quillory"_s);
    QVERIFY(!form.windowIcon().isNull());
    QCOMPARE(form.minimumSize(), QSize(656, 626));
    QCOMPARE(form.maximumSize(), QSize(656, 626));
    QCOMPARE(form.font().pointSizeF(), 9.0);
    QVERIFY(test::Form2Controls(form).Frame1->font().bold());
    QCOMPARE(test::Form2Controls(form).PushButton6->font().pointSizeF(), 11.25);
    QVERIFY(test::Form2Controls(form).PushButton6->font().bold());
    QCOMPARE(form.palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Active, QPalette::Button));
    QCOMPARE(test::Form2Controls(form).Picture1->parentWidget()->geometry(), QRect(2, 2, 618, 491));
    QCOMPARE(test::Form2Controls(form).Picture1->parentWidget()->palette().color(QPalette::Window),
             QColor(Qt::white));
    QVERIFY(test::Form2Controls(form).Zoom_Ori->isHidden());
}

// Ctrl with plus, minus, 0 or the wheel goes through the zoom buttons' rules.
void TestForm2::zoomKeysAndWheel_data()
{
    QTest::addColumn<QList<QKeyCombination>>("keys");
    QTest::addColumn<int>("wheel"); // then, with Ctrl held, in eighths of a degree
    QTest::addColumn<float>("zoom");
    QTest::newRow("Ctrl+plus") << QList{Qt::CTRL | Qt::Key_Plus} << 0 << 1.25f;
    QTest::newRow("Ctrl+=") << QList{Qt::CTRL | Qt::Key_Equal} << 0 << 1.25f;
    QTest::newRow("Ctrl+minus") << QList{Qt::CTRL | Qt::Key_Minus} << 0 << 0.75f;
    QTest::newRow("Ctrl+0 after two steps")
        << QList{Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_0} << 0
        << 1.0f;
    QTest::newRow("wheel away, a notch") << QList<QKeyCombination>() << 120 << 1.25f;
    QTest::newRow("wheel towards, two notches") << QList<QKeyCombination>() << -240 << 0.5f;
}

void TestForm2::zoomKeysAndWheel()
{
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(int, wheel);
    QFETCH(float, zoom);
    Form2 form;
    form.setPicture(checkerboard({600, 400}));
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    for (const QKeyCombination key : keys)
        QTest::keyClick(&form, key.key(), key.keyboardModifiers());
    QWheelEvent turn({10, 10}, {}, {}, {0, wheel}, {}, Qt::ControlModifier, Qt::NoScrollPhase,
                     false);
    QSpontaneKeyEvent::setSpontaneous(&turn);
    qApp->notify(test::Form2Controls(form).Picture1, &turn);
    QCOMPARE(form.view().zoom(), zoom);
}

void TestForm2::centredWhenFirstShown()
{
    Form2 form;
    form.setPicture(checkerboard({100, 100}));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QPoint centre = form.screen()->availableGeometry().center();
    // The frame's width is only known once shown: a few pixels of tolerance.
    QVERIFY((form.frameGeometry().center() - centre).manhattanLength() <= 8);
    form.hide();
    form.move(10, 10);
    form.show();
    QCOMPARE(form.pos(), QPoint(10, 10));
}

void TestForm2::zoomDragAndRelease()
{
    Form2 form;
    form.setPicture(checkerboard({600, 400}));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(test::Form2Controls(form).Picture1->geometry(), QRect(0, 0, 600, 400));
    QCOMPARE(
        test::Form2Controls(form).Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32),
        checkerboardImage({600, 400}));
    QVERIFY(!test::Form2Controls(form).HScroll1->isEnabled());

    QTest::mouseClick(test::Form2Controls(form).PushButton1, Qt::LeftButton);
    QCOMPARE(form.view().zoom(), 1.25f);
    // 11247 x 7497 twips, zoomed about the viewport's centre (1159 twips left; up only to the
    // bottom bound, 132 twips).
    QCOMPARE(test::Form2Controls(form).Picture1->geometry(), QRect(-77, -9, 750, 500));
    QCOMPARE(test::Form2Controls(form).Picture1->shownPart(),
             std::pair(QSizeF(8998, 5998), QSizeF(11247, 7497)));
    QVERIFY(test::Form2Controls(form).HScroll1->isEnabled() &&
            test::Form2Controls(form).VScroll1->isEnabled());
    QCOMPARE(test::Form2Controls(form).HScroll1->maximum(), 192);
    QCOMPARE(test::Form2Controls(form).VScroll1->maximum(), 72);
    test::Form2Controls(form).HScroll1->setValue(0);
    test::Form2Controls(form).VScroll1->setValue(0);

    // The right button drags as the others do.
    QTest::mousePress(test::Form2Controls(form).Picture1, Qt::RightButton, {}, {300, 200});
    QTest::mouseMove(test::Form2Controls(form).Picture1, {200, 150});
    // Left by 1500 twips; up only to the bottom bound, 7365 - 7497 twips.
    QCOMPARE(test::Form2Controls(form).Picture1->pos(), QPoint(-100, -9));
    QCOMPARE(test::Form2Controls(form).HScroll1->value(), 0); // the bars wait for the release
    QTest::mouseRelease(test::Form2Controls(form).Picture1, Qt::RightButton, {}, {200, 150});
    QCOMPARE(test::Form2Controls(form).HScroll1->value(), 150); // 78 % of 192
    QCOMPARE(test::Form2Controls(form).VScroll1->value(), 0);   // 183 % is ignored
    QCOMPARE(test::Form2Controls(form).Picture1->pos(), QPoint(-100, -9));
    auto* menu = test::control<QMenu>(form, u"mnuPicture"_s);
    QVERIFY(!menu->isVisible());
    // A right click opens the menu, though the hand trembles a little.
    QTest::mousePress(test::Form2Controls(form).Picture1, Qt::RightButton, {}, {200, 150});
    QTest::mouseMove(test::Form2Controls(form).Picture1, {203, 152});
    QTest::mouseRelease(test::Form2Controls(form).Picture1, Qt::RightButton, {}, {203, 152});
    QVERIFY(menu->isVisible());
    QCOMPARE(test::Form2Controls(form).Picture1->pos(), QPoint(-100, -9));
    menu->hide();

    test::Form2Controls(form).HScroll1->setValue(30);
    QCOMPARE(test::Form2Controls(form).Picture1->pos(), QPoint(-20, -9));
    form.SetVScrollbarByPercent(test::Form2Controls(form).VScroll1, 50);
    QCOMPARE(test::Form2Controls(form).Picture1->pos(), QPoint(-20, -2)); // value 36, one twip each
    QScrollBar other(Qt::Vertical);
    other.setRange(0, 10);
    form.SetVScrollbarByPercent(&other, 50);
    QCOMPARE(other.value(), 5);
}

void TestForm2::pointerOverControls()
{
    Form2 form;
    form.setPicture(checkerboard({600, 400}));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseMove(test::Form2Controls(form).PushButton2);
    QCOMPARE(form.cursor().shape(), Qt::BitmapCursor); // the hand from HAND-M.CUR
    QTest::mouseMove(test::Form2Controls(form).Picture1, {10, 10});
    QCOMPARE(form.cursor().shape(), Qt::BitmapCursor); // the picture leaves it alone
    QTest::mouseMove(test::Form2Controls(form).Frame1, {4, 50});
    QCOMPARE(form.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(test::Form2Controls(form).PushButton8);
    QCOMPARE(form.cursor().shape(), Qt::BitmapCursor);
    QTest::mouseMove(&form, {650, 300});
    QCOMPARE(form.cursor().shape(), Qt::ArrowCursor);
}

void TestForm2::waysOut()
{
    test::ScriptedPrompts prompts;
    QTemporaryDir folder;
    Form2 form;
    QSignalSpy back(&form, &Form2::backRequested);
    QSignalSpy unloaded(&form, &Form2::unloaded);
    QVERIFY(test::writeBytes(folder.filePath(u"dravik11111111.doc"_s), "first"));
    form.setWordFile(std::make_shared<const OwnFile>(folder.filePath(u"dravik11111111.doc"_s)));
    form.setPicture(checkerboard({600, 400}));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    prompts.savePaths << folder.filePath(u"saved.doc"_s);
    QTest::mouseClick(test::Form2Controls(form).PushButton6, Qt::LeftButton);
    QVERIFY(QFile::exists(folder.filePath(u"saved.doc"_s)));
    QCOMPARE(prompts.texts(test::ScriptedPrompts::Kind::Note), QStringList{u"Done."_s});
    QTest::mouseClick(test::Form2Controls(form).PushButton8, Qt::LeftButton);
    QCOMPARE(back.size(), 1);
    QVERIFY(form.isHidden());
    QVERIFY(!QFile::exists(form.wordFile()));

    // The next hand-over reuses the window and starts at 1.0 with the new picture.
    test::Form2Controls(form).PushButton1->click();
    QVERIFY(test::writeBytes(folder.filePath(u"dravik22222222.doc"_s), "second"));
    form.setWordFile(std::make_shared<const OwnFile>(folder.filePath(u"dravik22222222.doc"_s)));
    form.setPicture(checkerboard({300, 200}));
    form.show();
    QCOMPARE(form.view().zoom(), 1.0f);
    QCOMPARE(test::Form2Controls(form).Picture1->geometry(), QRect(0, 0, 300, 200));
    QCOMPARE(test::Form2Controls(form).Picture1->picture()->extent(), QSizeF(4500, 3000));
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_Escape); // as "< Back"
    QCOMPARE(back.size(), 2);
    QVERIFY(form.isHidden());

    QVERIFY(form.close());
    QCOMPARE(unloaded.size(), 1);
    QVERIFY(!QFile::exists(form.wordFile()));
    QVERIFY(prompts.errorReports().isEmpty());
}

void TestForm2::paintsTheVisiblePartOfATallPicture_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("screen's resolution") << 1.0;
    QTest::newRow("kept at half the resolution") << 0.5;
}

// Rows of the picture, each its own grey, must reach the viewport where the scrolling put them.
void TestForm2::paintsTheVisiblePartOfATallPicture()
{
    QFETCH(qreal, ratio);
    const int rows = int(6000 * ratio);
    QImage tall(int(300 * ratio), rows, QImage::Format_RGB32);
    for (int y = 0; y < rows; ++y)
        std::fill_n(reinterpret_cast<QRgb*>(tall.scanLine(y)), tall.width(),
                    qRgb(y % 251, y % 251, y % 251));
    tall.setDevicePixelRatio(ratio);
    Form2 form;
    form.setPicture(
        std::make_shared<const doc::VectorPicture>(doc::VectorPicture::fromBitmap(tall)));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const test::Form2Controls controls(form);
    QCOMPARE(controls.Picture1->size(), QSize(300, 6000));
    controls.VScroll1->setValue(400); // 4000 twips down, 10 a step: 266.67 pixels
    const int top = controls.Picture1->y();
    QCOMPARE(top, -267);
    const QImage shown = controls.Picture2->grab().toImage();
    for (const int y : {2, 100, 400}) { // in the viewport
        const int inPicture = y - top;
        const QPoint inViewport =
            controls.Picture1->mapTo(controls.Picture2, QPoint(150, inPicture));
        const int row = int((inPicture + 0.5) * ratio);
        // Stretched smoothly, a row may take one level from its neighbour.
        QVERIFY2(qAbs(qRed(shown.pixel(inViewport)) - row % 251) <= (ratio < 1 ? 1 : 0),
                 qPrintable(QString::number(qRed(shown.pixel(inViewport)))));
    }
}

// A 1,000-class schedule's picture: the last class is reached by the bar, the wheel and the
// keys, and the part in view is played back as the whole schedule's bitmap has it.
void TestForm2::longScheduleReachedAndLegible()
{
    QTemporaryDir folder;
    const QString wordFile = test::saveSchedule(
        {u"Ann"_s, u"Sep 6, 2021"_s, test::numberedClasses(1000)}, folder.path(), u"dravik"_s);
    const doc::DocumentLayout layout = doc::layOutDocument(doc::readDocumentFile(wordFile));
    Form2 form;
    form.setPicture(std::make_shared<const doc::VectorPicture>(doc::recordMainText(layout)));
    form.setWordFile(std::make_shared<const OwnFile>(wordFile));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const test::Form2Controls controls(form);
    // The picture's end meets the viewport's inner edge, 491 pixels down.
    const auto atTheEnd = [&] { return controls.Picture1->geometry().bottom() == 490; };

    controls.VScroll1->setValue(controls.VScroll1->maximum());
    QVERIFY(atTheEnd());
    QTest::keyClick(&form, Qt::Key_Home);
    // 1,500 notches as the window system sends them, so they travel up from the picture.
    QWheelEvent wheel({10, 10}, {}, {}, {0, -120 * 1500}, {}, {}, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(controls.Picture1, &wheel);
    QVERIFY(atTheEnd());
    QTest::keyClick(&form, Qt::Key_Home);
    QTest::keyClick(&form, Qt::Key_End);
    QVERIFY(atTheEnd());
    QCOMPARE(controls.VScroll1->value(), controls.VScroll1->maximum());

    // The crop in view against the end of the schedule's bitmap, pixel by pixel.
    const QImage shown =
        controls.Picture1->parentWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage full = doc::renderMainText(layout, 1.0)
                            .copy({-controls.Picture1->pos(), shown.size()})
                            .convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, full);
}

QTEST_MAIN(TestForm2)
#include "test_form2.moc"
