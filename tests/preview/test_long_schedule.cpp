// The real preview on a 1,000-class schedule, pictured at a lower ratio as long schedules are:
// the last class is reached by the bar, the wheel and the keys, and the part in view is painted
// as sharply as the schedule pictured at full resolution.
#include "document/document_file.h"
#include "document/layout.h"
#include "document/renderer.h"
#include "preview/form2.h"
#include "preview/laid_out_schedule.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/window_controls.h"

#include <QSpontaneKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

// The viewport's inside, in pixels: the picture ends here when its end is in view.
constexpr QSize Inside(618, 491);

// A wheel turn over the widget as the window system delivers it, travelling up to the parents.
void turnWheel(QWidget* over, QPoint angleDelta, Qt::KeyboardModifiers modifiers = {})
{
    const QPointF at(10, 10);
    QWheelEvent wheel(at, over->mapToGlobal(at), {}, angleDelta, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(over, &wheel); // sendEvent would make it a synthetic one, which stays put
}

// How many pixels differ from the reference by more than a trace of antialiasing.
int differingPixels(const QImage& shown, const QImage& reference)
{
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = shown.pixel(x, y);
            const QRgb b = reference.pixel(x, y);
            if (qAbs(qRed(a) - qRed(b)) > 8 || qAbs(qGreen(a) - qGreen(b)) > 8 ||
                qAbs(qBlue(a) - qBlue(b)) > 8)
                ++differing;
        }
    return differing;
}

} // namespace

class TestLongSchedule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void reachesTheLastClass_data();
    void reachesTheLastClass();
    void legibleAtOneToOne();

private:
    QTemporaryDir m_folder;
    test::IsolatedSettings m_settings;
    test::ScriptedPrompts m_prompts;
    QString m_wordFile;
    doc::DocumentLayout m_layout;
    std::unique_ptr<Form2> m_form;
};

void TestLongSchedule::initTestCase()
{
    m_wordFile = test::saveSchedule({u"Ann"_s, u"Sep 6, 2021"_s, test::numberedClasses(1000)},
                                    m_folder.path(), u"dravik10001000"_s);
    m_layout = doc::layOutDocument(doc::readDocumentFile(m_wordFile));
}

// The preview as a run leaves it: the picture at the ratio the snapshot takes, and the path.
void TestLongSchedule::init()
{
    const qreal ratio = doc::pictureRatio(m_layout, 1.0);
    QVERIFY(ratio < 0.6);
    m_form = std::make_unique<Form2>();
    m_form->setPicture(doc::renderMainText(m_layout, ratio));
    m_form->setWordFile(m_wordFile);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QTRY_VERIFY(test::Form2Controls(*m_form).Picture1->paintsFullResolution());
}

void TestLongSchedule::cleanup()
{
    m_form.reset();
    QCOMPARE(m_prompts.errorReports(), QStringList());
}

void TestLongSchedule::reachesTheLastClass_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("acrossToo"); // the horizontal end as well

    QTest::newRow("bar") << u"bar"_s << false;
    QTest::newRow("wheel") << u"wheel"_s << false;
    QTest::newRow("Shift+wheel and wheel") << u"shift wheel"_s << true;
    QTest::newRow("End") << u"End"_s << false;
    QTest::newRow("PageDown") << u"PageDown"_s << false;
}

void TestLongSchedule::reachesTheLastClass()
{
    QFETCH(QString, how);
    QFETCH(bool, acrossToo);
    const test::Form2Controls controls(*m_form);
    QVERIFY(controls.Picture1->height() > 50000);
    const QPoint manyNotches(0, -120 * 1500);
    if (how == u"bar"_s) {
        controls.VScroll1->setValue(controls.VScroll1->maximum());
    } else if (how.endsWith(u"wheel"_s)) {
        if (acrossToo)
            turnWheel(controls.Picture1, manyNotches, Qt::ShiftModifier);
        turnWheel(controls.Picture1, manyNotches);
    } else {
        const Qt::Key key = how == u"End"_s ? Qt::Key_End : Qt::Key_PageDown;
        for (int i = 0; i < (key == Qt::Key_End ? 1 : 130); ++i)
            QTest::keyClick(m_form.get(), key);
    }
    QCOMPARE(controls.Picture1->y() + controls.Picture1->height(), Inside.height());
    QCOMPARE(controls.VScroll1->value(), controls.VScroll1->maximum());
    QCOMPARE(controls.Picture1->x() + controls.Picture1->width() == Inside.width(), acrossToo);

    // The release after a drag leaves the picture where it is, not pages back.
    QTest::mousePress(controls.Picture1, Qt::LeftButton, {}, {300, 40});
    QTest::mouseMove(controls.Picture1, {300, 240});
    const int dragged = controls.Picture1->y();
    QTest::mouseRelease(controls.Picture1, Qt::LeftButton, {}, {300, 240});
    QCOMPARE(controls.Picture1->y(), dragged);
}

void TestLongSchedule::legibleAtOneToOne()
{
    const test::Form2Controls controls(*m_form);
    controls.VScroll1->setValue(controls.VScroll1->maximum() / 2);
    const QRect inView(-controls.Picture1->pos(), Inside);
    const QImage reference =
        doc::renderMainText(m_layout, 1.0).copy(inView).convertToFormat(QImage::Format_RGB32);
    const auto shown = [&] {
        return controls.Picture1->parentWidget()->grab().toImage().convertToFormat(
            QImage::Format_RGB32);
    };
    QCOMPARE(differingPixels(shown(), reference), 0);

    // Without the layout the same crop is the stretched snapshot: far from it.
    controls.Picture1->setFullResolution(nullptr);
    QVERIFY(differingPixels(shown(), reference) > 5000);
}

QTEST_MAIN(TestLongSchedule)
#include "test_long_schedule.moc"
