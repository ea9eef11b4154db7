#include "author/MenuPreview.h"

#include "ReplayServices.h"
#include "author/DocumentProfile.h"
#include "device/ScriptedMciDevice.h"
#include "menu/ClipMenu.h"
#include "menu/Highlight.h"
#include "menu/ShowPicbase.h"
#include "platform/TextDecoding.h"
#include "program/Program.h"
#include "startup/CatalogueReader.h"
#include "startup/FormLoad.h"
#include "startup/MediaFolder.h"
#include "ui/Form1.h"

#include <QPixmap>

namespace quorix::author {
namespace {

// The screen the preview stands for: 96 dots per inch, as the presenter's designs assume.
constexpr int PreviewTwipsPerPixel = 15;

std::string OffScreenProblem(int index, const std::string& title, QSize screen, bool partly) {
    return "title " + std::to_string(index + 1) + " \"" +
           platform::DecodeDisplayText(title).toStdString() + "\" lies " +
           (partly ? "partly " : "") + "off the screen at " + std::to_string(screen.width()) + "x" +
           std::to_string(screen.height());
}

} // namespace

MenuPicture DrawMenu(const IniDocument& document, const std::string& mediaPath,
                     const platform::PathResolver& paths, QSize screen, int selected) {
    MenuPicture picture;
    // Start-up finds the media folder from the current directory: a folder whose path holds
    // "quorix" is its own media folder. The document must lie where start-up will look for it.
    std::string folder = mediaPath;
    if (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) {
        folder.pop_back();
    }
    const std::string startupPath = FindMediaPath(folder, "", '/');
    platform::MemoryProfileReader profile = DocumentProfile(document, startupPath);

    // The presenter's headless services, as its scenario runner builds them. Nothing here
    // plays a clip, and start-up is only run on a disc with something to play, so it never
    // stops the program.
    replay::Transcript transcript;
    device::ScriptedMciDevice device;
    replay::ReplayScreen screenService(transcript, screen.width(), screen.height(),
                                       PreviewTwipsPerPixel);
    replay::ReplayTimer timer(transcript);
    replay::ReplayPointerCounter pointer(transcript);
    replay::ReplayDialogs dialogs(transcript, {});
    replay::ReplayEventPump events;
    replay::ReplayWindowSystem windows;
    replay::ReplayProgramEnd end([](int) { qFatal("the preview's start-up ended the program"); });

    Form1 form(TwipsGeometry(PreviewTwipsPerPixel, PreviewTwipsPerPixel));
    form.setWindowState(Qt::WindowNoState);
    form.setGeometry(0, 0, screen.width(), screen.height());

    const Services services{device, dialogs, screenService, timer, events,
                            end,    pointer, profile,       paths, windows};
    Program program(form, services, StartupPlace{folder, "", '/'});

    const bool playable = ReadCatalogue(profile, startupPath).LastClip >= 0;
    if (playable) {
        Form_Load(program);
        Form_Activate(program);
        if (program.state.Settings.MenuMode == 1) {
            ShowMenu(program);
            const int last = program.state.Catalogue.LastClip;
            if (selected >= 0 && selected <= last) {
                SetHilite(program, static_cast<std::int16_t>(selected));
            }
            picture.menuShown = true;
        }
    }

    picture.image = form.grab().toImage();
    const PictureBox& area = *form.Picture1;
    picture.area = QRect(area.mapTo(&form, QPoint(0, 0)), area.size());
    if (!picture.menuShown) {
        return picture;
    }
    // A title shows only where it lies inside both the menu area and the screen.
    const QRect visible = picture.area.intersected(QRect(QPoint(0, 0), screen));
    const ClipCatalogue& catalogue = program.state.Catalogue;
    for (int i = 0; i <= catalogue.LastClip; ++i) {
        const AutoSizeLabel& entry = form.clip[i];
        const QRect place(entry.mapTo(&form, QPoint(0, 0)), entry.size());
        picture.titles.push_back(place);
        if (!visible.contains(place)) {
            picture.problems.push_back(
                OffScreenProblem(i, catalogue.ClipTitles[static_cast<std::size_t>(i)], screen,
                                 visible.intersects(place)));
        }
    }
    return picture;
}

} // namespace quorix::author
