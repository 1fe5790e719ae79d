// SPDX-License-Identifier: MIT
// A skin restyles its own window, that window's controls and pop-ups, and nothing shown over it.
#include "widgets/window_skin.h"

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

const QColor Skinned(1, 2, 3);

QColor textColour(QWidget* widget)
{
    widget->ensurePolished();
    return widget->palette().color(QPalette::ButtonText);
}

} // namespace

class TestWindowSkin : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scopesEveryRule_data();
    void scopesEveryRule();
    void reachesOnlyTheWindow();
};

void TestWindowSkin::scopesEveryRule_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("scoped");
    const QString c = u"[quillorySkinned=\"true\"]"_s;
    QTest::newRow("type") << u"QPushButton { color: red; }"_s
                          << u"QPushButton"_s + c + u" { color: red; }\n"_s;
    QTest::newRow("list, name, state")
        << u"QLabel, #PushButton6:hover{color:red}"_s
        << u"QLabel"_s + c + u", #PushButton6"_s + c + u":hover {color:red}\n"_s;
    QTest::newRow("descendant, sub-control")
        << u"QGroupBox > QTreeView QScrollBar::handle:vertical {}"_s
        << u"QGroupBox > QTreeView QScrollBar"_s + c + u"::handle:vertical {}\n"_s;
    QTest::newRow("state alone") << u":hover {}"_s << u"*"_s + c + u":hover {}\n"_s;
    QTest::newRow("attribute, quotes, comments")
        << u"/* a, b */ QLabel[text=\"a:b, c\"] /* x */ { image: url(\"a{b}.png\"); }"_s
        << u"QLabel[text=\"a:b, c\"]"_s + c + u" { image: url(\"a{b}.png\"); }\n"_s;
    QTest::newRow("declarations alone") << u"color: red"_s << u"*"_s + c + u" { color: red }\n"_s;
}

void TestWindowSkin::scopesEveryRule()
{
    QFETCH(QString, sheet);
    QFETCH(QString, scoped);
    QCOMPARE(scopedStyleSheet(sheet), scoped);
}

void TestWindowSkin::reachesOnlyTheWindow()
{
    QWidget window;
    auto* own = new QPushButton(u"own"_s, &window);
    QDialog dialog(&window);
    auto* inDialog = new QPushButton(u"in dialog"_s, &dialog);
    applyWindowSkin(window, u"QPushButton { color: rgb(1, 2, 3); }"_s);
    auto* later = new QPushButton(u"later"_s, &window);
    QMessageBox box(QMessageBox::NoIcon, u"t"_s, u"note"_s, QMessageBox::Ok, &window);
    auto* popup = new QWidget(own, Qt::Popup);
    auto* inPopup = new QPushButton(u"in pop-up"_s, popup);

    QCOMPARE(textColour(own), Skinned);
    QCOMPARE(textColour(later), Skinned);
    QCOMPARE(textColour(inPopup), Skinned);
    QVERIFY(textColour(inDialog) != Skinned);
    QVERIFY(textColour(box.button(QMessageBox::Ok)) != Skinned);
}

QTEST_MAIN(TestWindowSkin)
#include "test_window_skin.moc"
