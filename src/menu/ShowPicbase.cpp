#include "menu/ShowPicbase.h"

#include "platform/PictureFile.h"
#include "ui/Form1.h"

namespace quorix::menu {
namespace {

std::optional<QPixmap> MediaPicture(program::Program& program, const char* name) {
    return platform::LoadPictureFile(program.services.paths, program.state.MediaPath + name);
}

} // namespace

void ShowPicbase(program::Program& program) {
    ui::Form1& form = program.form;
    const ui::TwipsGeometry& twips = form.twips();
    const program::SettingsRecord& settings = program.state.Settings;
    program.services.screen.setMousePointer(11);

    // The logo, centred on the window by its current size.
    ui::PictureControl& logo = *form.FXImage1;
    twips.setTop(logo, form.heightTwips() / 2.0 - twips.height(logo) / 2.0);
    twips.setLeft(logo, form.widthTwips() / 2.0 - twips.width(logo) / 2.0);

    // The frame layer covers the window.
    ui::PictureBox& base = *form.PicBase;
    twips.setTop(base, 0);
    twips.setLeft(base, 0);
    twips.setWidth(base, form.widthTwips());
    twips.setHeight(base, form.heightTwips());
    if (auto frame = MediaPicture(program, "frame.jpg")) {
        base.setPicture(*frame);
    }

    // The menu and video area: full width, and full height or a 16:9 band centred vertically.
    ui::PictureBox& area = *form.Picture1;
    twips.setLeft(area, 0);
    twips.setWidth(area, form.widthTwips());
    if (settings.WideMode != 0) {
        const float formWidth = static_cast<float>(form.widthTwips());
        twips.setHeight(area, formWidth / 16.0F * 9.0F);
        const float formHeight = static_cast<float>(form.heightTwips());
        const float areaHeight = static_cast<float>(twips.height(area));
        twips.setTop(area, formHeight / 2.0F - areaHeight / 2.0F);
    } else {
        twips.setTop(area, 0);
        twips.setHeight(area, form.heightTwips());
    }

    if (settings.MenuMode == 1) {
        if (auto background = MediaPicture(program, "bgrd.jpg")) {
            ui::StretchImage& image = *form.Image1;
            twips.place(image, 0, 0, twips.width(area), twips.height(area));
            image.setPicture(*background);
            // With an intro clip the background waits until the menu is shown.
            if (settings.IntroClip == 0) {
                image.setVisible(true);
            }
        }
    }

    if (settings.LogoMode == 1) {
        if (auto picture = MediaPicture(program, "logo.bmp")) {
            logo.setPicture(*picture);
            const std::int32_t height = logo.pictureHeightTwips();
            twips.setTop(logo, twips.height(base) / 2.0 - height / 2.0);
            const std::int32_t width = logo.pictureWidthTwips();
            twips.setLeft(logo, twips.width(base) / 2.0 - width / 2.0);
        }
    }

    base.setVisible(true);
    program.services.screen.setMousePointer(0);
}

void Form_Activate(program::Program& program) {
    const program::ProgramState& state = program.state;
    if (state.PlayState == program::PlayState::IntroPending ||
        state.PlayState == program::PlayState::Menu) {
        ShowPicbase(program);
    } else if (state.Settings.MenuMode == 0 && state.PlayState == program::PlayState::Load) {
        ShowPicbase(program);
    }
}

} // namespace quorix::menu
