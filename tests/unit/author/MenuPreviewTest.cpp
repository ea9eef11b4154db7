#include "author/MenuPreview.h"

#include "ReplayServices.h"
#include "SampleDisc.h"
#include "author/DiscCatalogue.h"
#include "author/SettingsFile.h"
#include "menu/Highlight.h"
#include "menu/ShowPicbase.h"
#include "platform/FileProfileReader.h"
#include "platform/mci/ScriptedMciDevice.h"
#include "playback/Supervisor.h"
#include "program/Program.h"
#include "startup/FormLoad.h"
#include "ui/Form1.h"

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
    platform::mci::ScriptedMciDevice device;
    replay::ReplayScreen screenService(transcript, screen.width(), screen.height(), 15);
    replay::ReplayTimer timer(transcript);
    replay::ReplayPointerCounter pointer(transcript);
    replay::ReplayDialogs dialogs(transcript, {});
    replay::ReplayEventPump events;
    replay::ReplayWindowSystem windows;
    replay::ReplayProgramEnd end([](int) { ADD_FAILURE() << "the presenter ended"; });
    platform::PathResolver paths;
    platform::FileProfileReader profile(paths);
    Form1 form(TwipsGeometry(15, 15));
    form.setWindowState(Qt::WindowNoState);
    form.setGeometry(0, 0, screen.width(), screen.height());
    Program program(form,
                    Services{device, dialogs, screenService, timer, events, end, pointer, profile,
                             paths, windows},
                    StartupPlace{disc.media().string(), "", '/'});
    Form_Load(program);
    form.show();
    Form_Activate(program);
    Timer1_Timer(program);
    EXPECT_EQ(program.state.PlayState, PlayState::Menu);
    EXPECT_EQ(program.state.MenuBuilt, 1);
    SetHilite(program, static_cast<std::int16_t>(selected));
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

} // namespace
} // namespace quorix::author
