#pragma once

#include "ProgramFixture.h"

#include <initializer_list>
#include <string>

namespace quorix::menutest {

// The main window with the program around it, on transcribing test services, at 15 twips per
// pixel, with menu mode on and the video area 12000 x 9000 twips (800 x 600 pixels).
class MenuFixture : public testing::ProgramFixture {
protected:
    static constexpr std::int32_t FontColor = 0x00FFFFFF;
    static constexpr std::int32_t HiliteColor = 0x0000FFFF;

    MenuFixture() {
        form_.twips().place(*form_.PicBase, 0, 0, 12000, 9000);
        form_.twips().place(*form_.Picture1, 0, 0, 12000, 9000);
        SettingsRecord& settings = program_.state.Settings;
        settings.MenuMode = 1;
        settings.LineOffset = 1.5F;
        settings.FontColor = FontColor;
        settings.HiliteColor = HiliteColor;
        form_.clip[0].setForeColor(FontColor);
    }

    void setTitles(std::initializer_list<const char*> titles) {
        ClipCatalogue& catalogue = program_.state.Catalogue;
        int i = 0;
        for (const char* title : titles) {
            catalogue.ClipTitles[static_cast<std::size_t>(i)] = title;
            catalogue.ClipFiles[static_cast<std::size_t>(i)] = std::string(title) + ".mpg";
            ++i;
        }
        catalogue.LastClip = static_cast<std::int16_t>(i - 1);
    }

    // Entry 0's height as the line pitch will read it (the caption set by the menu refits it
    // only afterwards).
    void setEntryHeight(std::int32_t twips) {
        AutoSizeLabel& entry = form_.clip[0];
        entry.resize(entry.width(), form_.twips().pixelsY(twips));
    }

    std::int32_t left(const QWidget& w) const { return form_.twips().left(w); }
    std::int32_t top(const QWidget& w) const { return form_.twips().top(w); }
    std::int32_t width(const QWidget& w) const { return form_.twips().width(w); }
};

} // namespace quorix::menutest
