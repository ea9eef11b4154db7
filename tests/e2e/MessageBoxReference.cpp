// The presenter's own message box with the text given, to compare the presenter's boxes with
// pixel by pixel: a box cannot be read back as text under X.

#include "ui/QtDialogs.h"
#include "ui/TwipsGeometry.h"

#include <QApplication>
#include <QGuiApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 2) {
        return 2;
    }
    quorix::ui::QtDialogs dialogs(
        quorix::ui::TwipsGeometry::ForScreen(QGuiApplication::primaryScreen()));
    dialogs.showMessage(argv[1]);
    return 0;
}
