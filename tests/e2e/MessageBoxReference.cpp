// Shows the presenter's own message box with the text given on the command line and waits until
// it is closed. The end-to-end tests show it on the same X display as the presenter and compare
// the two boxes pixel by pixel: a message box cannot be read back as text under X, but one drawn
// by the same code, font and display with the expected text must look the same.

#include "ui/QtDialogs.h"
#include "ui/TwipsGeometry.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorix_e2e_message_box TEXT\n");
        return 2;
    }
    const std::string text = argv[1];
    quorix::QtDialogs dialogs(quorix::TwipsGeometry::ForScreen(QGuiApplication::primaryScreen()));
    dialogs.showMessage(text);
    return 0;
}
