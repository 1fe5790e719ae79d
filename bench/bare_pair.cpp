// SPDX-License-Identifier: MIT
// The yardstick for the first click: a bare Qt pair of windows of the program's sizes, a 536 x
// 486 window whose button shows a 656 x 626 window, timed like first_click_bench in a fresh
// process: from the button's release to the second window's first paint on screen.
#include "bench/click_timing.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <cstdio>

using namespace quillory::bench;

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget main;
    main.setFixedSize(536, 486);
    auto* button = new QPushButton(QStringLiteral("Start"), &main);
    button->setGeometry(8, 440, 520, 36);
    QWidget shown;
    shown.setObjectName(QStringLiteral("second"));
    shown.setFixedSize(656, 626);
    QObject::connect(button, &QPushButton::clicked, &shown, [&] {
        shown.show();
        main.hide();
    });
    main.show();
    if (!QTest::qWaitForWindowExposed(&main, 10000))
        return 1;
    QTest::qWait(300); // the window manager places it
    ClickTiming timing(button, QStringLiteral("second"));
    clickOnScreen(button);
    if (!runUntil([&] { return timing.done(); }))
        return 1;
    std::printf("ms %.1f\n", timing.elapsedMs());
    return 0;
}
