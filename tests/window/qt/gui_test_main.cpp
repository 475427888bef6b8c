#include "tests/tools/qt_headless.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    useOffscreenUnlessPlatformSet();
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
