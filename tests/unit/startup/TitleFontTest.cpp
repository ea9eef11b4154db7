#include "startup/TitleFont.h"

#include "ProgramFixture.h"

namespace quorix::testing {
namespace {

class TitleFont : public ProgramFixture {
protected:
    float sizeFor(const std::string& ini) {
        program_.state.MediaPath = "m:\\";
        profile_.setFile("m:\\quorix.ini", ini);
        program_.state.Settings.FontFactor = 3495;
        if (ini.find("factor=") != std::string::npos) {
            program_.state.Settings.FontFactor = std::stoi(ini.substr(ini.find("factor=") + 7));
        }
        SizeTitleFont(program_);
        return form_.clip[0].fontSize();
    }
};

TEST_F(TitleFont, GrowsUntilTheTitleTakesItsShareOfTheScreen) {
    const float size = sizeFor("[cliplist]\nclip00=Menu\n");
    EXPECT_GT(size, 6.0F);
    // The first size at which the title is wider than 1000/3495 of the screen.
    EXPECT_GT(twips().width(form_.clip[0]) * 3495, screen_.widthTwips() * 1000);
    EXPECT_FLOAT_EQ(form_.Shadow[0].fontSize(), size);
    EXPECT_EQ(form_.clip[0].caption(), "Menu");
}

TEST_F(TitleFont, EndsWhereTheLoopCouldNot) {
    // No title: nothing to measure.
    EXPECT_LT(sizeFor("[cliplist]\n"), 7.0F);
    // Factors that can never be reached, and one so small that no title ever gets wide enough.
    EXPECT_LT(sizeFor("[cliplist]\nclip00=Menu\n[font]\nfactor=0\n"), 7.0F);
    EXPECT_LT(sizeFor("[cliplist]\nclip00=Menu\n[font]\nfactor=-5\n"), 7.0F);
    const float capped = sizeFor("[cliplist]\nclip00=Menu\n[font]\nfactor=1\n");
    EXPECT_LE(capped, 200.0F);
    EXPECT_GT(capped, 190.0F);
}

TEST_F(TitleFont, ALongTitleStaysAtTheSmallestSize) {
    EXPECT_LT(sizeFor("[cliplist]\nclip00=" + std::string(120, 'W') + "\n"), 7.0F);
}

} // namespace
} // namespace quorix::testing
