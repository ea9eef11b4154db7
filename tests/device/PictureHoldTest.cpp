// The picture hold on its own, with widgets in place of a clip's window and surface.
#include "device/PictureHold.h"

#include "TestClips.h"

#include <QHideEvent>
#include <QImage>
#include <QShowEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace quorix::device {
namespace {

using testing_support::WaitUntil;

// Counts the show and hide events that reach it: watching them, the hold must not take them.
class Watched final : public QWidget {
public:
    using QWidget::QWidget;
    int events = 0;

protected:
    void showEvent(QShowEvent*) override { ++events; }
    void hideEvent(QHideEvent*) override { ++events; }
};

TEST(PictureHoldTest, HeldFromTheHiddenAreaOrTheCloseUntilTheNextPictureOrNoneFollows) {
    QWidget window;
    window.resize(200, 150);
    Watched area(&window);
    area.setGeometry(20, 15, 160, 120);
    QWidget surface(&area);
    surface.setGeometry(0, 0, 160, 120);
    window.show();
    QImage last(16, 12, QImage::Format_RGB32);
    last.fill(Qt::blue);
    bool nextClip = true;
    PictureHold hold(false, [&] { return nextClip; });

    // Hidden while the clip shows: held at once, before anything is closed.
    hold.follow(area, surface, [&] { return last; });
    area.hide();
    EXPECT_TRUE(hold.holding());
    area.show();
    bool shown = false;
    hold.releaseWhen([&] { return shown; });
    WaitUntil([] { return false; }, 100);
    EXPECT_TRUE(hold.holding()) << "gone before the next picture was shown";
    shown = true;
    EXPECT_TRUE(WaitUntil([&] { return !hold.holding(); }));

    // Closed while its area shows: held as well, past the close while a clip is to open next,
    // and only through the close when none is (the menu, the logo, the end).
    for (const bool next : {true, false}) {
        nextClip = next;
        hold.follow(area, surface, [&] { return last; });
        hold.closing(&surface);
        EXPECT_TRUE(hold.holding());
        WaitUntil([] { return false; }, 50);
        EXPECT_EQ(hold.holding(), next);
    }
    EXPECT_EQ(area.events, 3) << "the area's hide or show was taken";
}

} // namespace
} // namespace quorix::device
