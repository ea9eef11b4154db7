#pragma once

#include "ui/TwipsGeometry.h"

#include <QDialog>
#include <QPixmap>
#include <QPushButton>

namespace quorix::ui {

// The second window as designed: a small fixed tool window without a caption, teal, showing a
// picture that tells the viewer that this kind of clip cannot be played on this machine, and
// one button "Ok" (Command1) that closes it. Shown modally; each showing uses a new instance.
class Form2 : public QDialog {
    Q_OBJECT

public:
    explicit Form2(const TwipsGeometry& twips, QWidget* parent = nullptr);

    QPushButton* Command1 = nullptr; // "Ok": closes the window

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace quorix::ui
