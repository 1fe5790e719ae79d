// SPDX-License-Identifier: MIT
// The order pages go to the printer in: ranges, copies the program makes itself, reversed order.
#include "preview/print_order.h"

#include <QTest>

using namespace quillory;

Q_DECLARE_METATYPE(quillory::PrintChoice)

class TestPrintOrder final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sequence_data()
    {
        QTest::addColumn<PrintChoice>("choice");
        QTest::addColumn<std::vector<int>>("pages");
        QTest::newRow("every page")
            << PrintChoice{3, 0, 0, 1, true, false} << std::vector<int>{0, 1, 2};
        QTest::newRow("a range") << PrintChoice{5, 2, 3, 1, true, false} << std::vector<int>{1, 2};
        QTest::newRow("range past the end")
            << PrintChoice{3, 2, 9, 1, true, false} << std::vector<int>{1, 2};
        QTest::newRow("range outside")
            << PrintChoice{3, 4, 6, 1, true, false} << std::vector<int>{};
        QTest::newRow("collated copies")
            << PrintChoice{2, 0, 0, 2, true, false} << std::vector<int>{0, 1, 0, 1};
        QTest::newRow("copies page by page")
            << PrintChoice{2, 0, 0, 2, false, false} << std::vector<int>{0, 0, 1, 1};
        QTest::newRow("last page first")
            << PrintChoice{3, 0, 0, 2, true, true} << std::vector<int>{2, 1, 0, 2, 1, 0};
        QTest::newRow("no copies asked is one")
            << PrintChoice{1, 0, 0, 0, true, false} << std::vector<int>{0};
        QTest::newRow("empty document")
            << PrintChoice{0, 0, 0, 1, true, false} << std::vector<int>{};
    }

    void sequence()
    {
        QFETCH(PrintChoice, choice);
        QFETCH(std::vector<int>, pages);
        QCOMPARE(printSequence(choice), pages);
    }
};

QTEST_GUILESS_MAIN(TestPrintOrder)
#include "test_print_order.moc"
