#include <cstdlib>

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Window tests run without a display; discovery at build time must not
    // need one either.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
