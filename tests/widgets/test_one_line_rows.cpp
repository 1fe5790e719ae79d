// SPDX-License-Identifier: MIT
// A list's rows stay one line high whatever line breaks their texts hold.
#include "widgets/one_line_delegate.h"
#include "widgets/window_look.h"

#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

using namespace quillory;
using namespace Qt::StringLiterals;

class TestOneLineRows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowsAreOneLineHigh_data();
    void rowsAreOneLineHigh();
};

void TestOneLineRows::rowsAreOneLineHigh_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no break") << u"a b"_s << u"a b"_s;
    QTest::newRow("LF") << u"a\nb"_s << u"a b"_s;
    QTest::newRow("CR LF") << u"a\r\nb"_s << u"a b"_s;
    QTest::newRow("CR") << u"a\rb"_s << u"a b"_s;
    QTest::newRow("line separator") << u"a\u2028b"_s << u"a b"_s;
    QTest::newRow("paragraph separator") << u"a\u2029b"_s << u"a b"_s;
    QTest::newRow("vertical tab, form feed, NEL") << u"a\vb\fc\u0085d"_s << u"a b c d"_s;
    QTest::newRow("many lines") << u"1\n2\n3\n4\n5\n6"_s << u"1 2 3 4 5 6"_s;
}

void TestOneLineRows::rowsAreOneLineHigh()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QStandardItemModel model;
    // The first row sets the height of all of them.
    model.appendRow({new QStandardItem(text), new QStandardItem(text)});
    model.appendRow({new QStandardItem(u"b"_s), new QStandardItem(u"c"_s)});
    QTreeView list;
    list.setFont(windowFont());
    list.setUniformRowHeights(true);
    list.setRootIsDecorated(false);
    list.setItemDelegate(new OneLineDelegate(&list));
    list.setModel(&model);
    list.resize(400, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    for (int row = 0; row < model.rowCount(); ++row)
        QCOMPARE(list.visualRect(model.index(row, 1)).height(), 14);
    QCOMPARE(list.itemDelegate()->sizeHint({}, model.index(0, 0)).height(), 14);
    QCOMPARE(static_cast<OneLineDelegate*>(list.itemDelegate())->displayText(text, {}), shown);
}

QTEST_MAIN(TestOneLineRows)
#include "test_one_line_rows.moc"
