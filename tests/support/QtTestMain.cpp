#include <QApplication>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

// Widgets need an application object; listing the tests at build time, without a display, not.
int main(int argc, char** argv) {
    bool listing = false;
    for (int i = 1; i < argc; ++i) {
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    }
    testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QApplication> application;
    if (!listing) {
        // As the program does, so that the video surface's siblings stay non-native.
        QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
        application = std::make_unique<QApplication>(argc, argv);
    }
    return RUN_ALL_TESTS();
}
