// Shows the presenter's own message box with the text given and waits until it is closed. The
// end-to-end tests compare it pixel by pixel with the presenter's boxes on the same display: a
// box cannot be read back as text under X, but one drawn by the same code must look the same.

#include "ui/QtDialogs.h"
#include "ui/TwipsGeometry.h"

#include <QApplication>
#include <QGuiApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        return 2;
    }
    quorix::QtDialogs dialogs(quorix::TwipsGeometry::ForScreen(QGuiApplication::primaryScreen()));
    dialogs.showMessage(argv[1]);
    return 0;
}
