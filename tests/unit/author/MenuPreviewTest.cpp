#include "author/MenuPreview.h"

#include "ReplayServices.h"
#include "SampleDisc.h"
#include "author/DiscCatalogue.h"
#include "author/PreviewMarks.h"
#include "author/SettingsFile.h"
#include "device/ScriptedMciDevice.h"
#include "menu/Highlight.h"
#include "menu/ShowPicbase.h"
#include "platform/FileProfileReader.h"
#include "playback/Supervisor.h"
#include "program/Program.h"
#include "startup/FormLoad.h"
#include "ui/Form1.h"

#include <QBitmap>
#include <QRegion>
#include <array>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quorix::author {
namespace {

using ::testing::IsEmpty;
using testing_support::SampleDisc;

// The presenter itself on the disc, as its scenario runner builds it: start-up, activation and
// ticks until the menu is up, then the highlight moved to `selected`. Its window as drawn.
QImage PresenterMenu(const SampleDisc& disc, QSize screen, int selected) {
    replay::Transcript transcript;
    device::ScriptedMciDevice device;
    replay::ReplayScreen screenService(transcript, screen.width(), screen.height(), 15);
    replay::ReplayTimer timer(transcript);
    replay::ReplayPointerCounter pointer(transcript);
    replay::ReplayDialogs dialogs(transcript, {});
    replay::ReplayEventPump events;
    replay::ReplayWindowSystem windows;
    replay::ReplayProgramEnd end([](int) { ADD_FAILURE() << "the presenter ended"; });
    platform::PathResolver paths;
    platform::FileProfileReader profile(paths);
    ui::Form1 form(ui::TwipsGeometry(15, 15));
    form.setWindowState(Qt::WindowNoState);
    form.setGeometry(0, 0, screen.width(), screen.height());
    program::Program program(form,
                             program::Services{device, dialogs, screenService, timer, events, end,
                                               pointer, profile, paths, windows},
                             program::StartupPlace{disc.media().string(), "", '/'});
    startup::Form_Load(program);
    form.show();
    menu::Form_Activate(program);
    playback::Timer1_Timer(program);
    EXPECT_EQ(program.state.PlayState, program::PlayState::Menu);
    EXPECT_EQ(program.state.MenuBuilt, 1);
    menu::SetHilite(program, static_cast<std::int16_t>(selected));
    return form.grab().toImage();
}

TEST(MenuPreviewTest, DrawsTheMenuPixelForPixelAsThePresenterDoes) {
    SampleDisc disc;
    // The sample starts with an intro; without one the presenter's first tick shows the menu.
    IniDocument document = IniDocument::FromBytes(testing_support::ReadBytes(disc.settingsFile()));
    DiscCatalogue catalogue = ReadDiscCatalogue(document);
    catalogue.intro = -1;
    WriteDiscCatalogue(document, catalogue);
    document.setValue("settings", "widemode", "1");
    ASSERT_TRUE(
        SaveSettingsFile(QString::fromStdString(disc.settingsFile().string()), document).saved);

    const platform::PathResolver paths;
    for (const QSize screen : {QSize(1024, 768), QSize(1280, 720)}) {
        const MenuPicture preview = DrawMenu(document, disc.mediaPath(), paths, screen, 2);
        ASSERT_TRUE(preview.menuShown);
        const QImage presenter = PresenterMenu(disc, screen, 2);
        ASSERT_EQ(preview.image.size(), screen);
        EXPECT_TRUE(preview.image.convertToFormat(QImage::Format_RGB32) ==
                    presenter.convertToFormat(QImage::Format_RGB32))
            << screen.width() << "x" << screen.height();

        EXPECT_THAT(preview.problems, IsEmpty());
        // The 16:9 band across the screen's width.
        EXPECT_EQ(preview.area.width(), screen.width());
        EXPECT_EQ(preview.area.height(), screen.width() * 9 / 16);
    }
}

// The smallest rectangle around the pixels of one colour: left, top, width and height.
std::array<int, 4> Traced(const QImage& image, const QColor& colour) {
    // With MaskOutColor the pixels of the colour are the mask's set bits, which QRegion takes.
    const QRect traced =
        QRegion(QBitmap::fromImage(image.createMaskFromColor(colour.rgb(), Qt::MaskOutColor)))
            .boundingRect();
    return {traced.x(), traced.y(), traced.width(), traced.height()};
}

// On a screen of neither shape the 16:9 guide spans its width, the 4:3 guide its height.
TEST(PreviewMarksTest, FrameTheScreenShapesAndTheOverscanEdgeOnlyWhenAsked) {
    const QColor overscan(255, 60, 60);
    QImage screen(1000, 600, QImage::Format_RGB32);
    screen.fill(Qt::black);
    const QRect area(100, 50, 800, 500);
    const QImage marked = MarkPreview(screen, area, 10, true, true);
    // A pen two pixels wide reaches one pixel past the top and left of the rectangle it frames.
    EXPECT_EQ(Traced(marked, QColor(0, 200, 255)), (std::array{0, 18, 1000, 563})); // 0,19 1000x562
    EXPECT_EQ(Traced(marked, QColor(255, 200, 0)), (std::array{99, 0, 801, 600}));  // 100,0 800x600
    EXPECT_EQ(Traced(marked, overscan), (std::array{109, 59, 781, 481})); // 110,60 780x480
    EXPECT_EQ(Traced(MarkPreview(screen, area, -10, false, true), overscan),
              (std::array{89, 39, 821, 521})); // 90,40 820x520
    for (const QImage& plain :
         {MarkPreview(screen, area, 10, false, false), MarkPreview(screen, area, 0, false, true)}) {
        EXPECT_EQ(plain, screen);
    }
}

} // namespace
} // namespace quorix::author
