#include "menu/ClipMenu.h"

#include "MenuFixture.h"
#include "menu/Highlight.h"
#include "menu/MenuLayout.h"
#include "menu/StartVideo.h"

#include <QObjectList>
#include <vector>

namespace quorix::menutest {
namespace {

using ClipMenu = MenuFixture;

// Where an entry lies relative to the area's centre line, in twips: at most one pixel off.
void ExpectCentred(std::int32_t left, std::int32_t width) {
    const std::int32_t centre = left + width / 2;
    EXPECT_LE(std::abs(centre - 6000), 15) << "left " << left << " width " << width;
    EXPECT_EQ(left % 15, 0);
}

TEST_F(ClipMenu, FourEntriesOfHeight600StandOnLines900Apart) {
    setTitles({"One", "Two", "Three", "Four"});
    setEntryHeight(600);
    ShowMenu(program_);

    const std::vector<std::int32_t> tops{2700, 3600, 4500, 5400};
    const std::vector<QString> captions{"One ", "Two ", "Three ", "Four "};
    for (int i = 0; i < 4; ++i) {
        const AutoSizeLabel& entry = form_.clip[i];
        EXPECT_FALSE(entry.isHidden()) << i;
        EXPECT_EQ(top(entry), tops[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(entry.caption(), captions[static_cast<std::size_t>(i)]) << i;
        ExpectCentred(left(entry), width(entry));
        EXPECT_EQ(left(entry), AutomaticLeft(12000, width(entry), 15)) << i;
        EXPECT_EQ(entry.foreColor(), i == 0 ? HiliteColor : FontColor) << i;
    }
    EXPECT_EQ(form_.clip.upperBound(), 3);
    EXPECT_EQ(form_.Shadow.upperBound(), 3);
    EXPECT_EQ(program_.state.MenuBuilt, 1);
    EXPECT_EQ(program_.state.HiliteIndex, 0);
    EXPECT_FALSE(form_.Image1->isHidden());
    // The pointer is shown first of all.
    EXPECT_EQ(transcript_.text().rfind("cursor show", 0), 0U) << transcript_.text();
}

TEST_F(ClipMenu, ExplicitLayoutUsesThePlacingValuesAndAZeroValueFallsBackToTheColumn) {
    setTitles({"First", "Second", "Third"});
    setEntryHeight(600);
    ClipCatalogue& c = program_.state.Catalogue;
    c.ClipXPos = {2000, 4000, 0};
    c.ClipYPos = {4000, 2000, 3000};
    ShowMenu(program_);

    // 12000 / 2000 * 1000 and 9000 / 4000 * 1000: not snapped (400 and 150 pixels exactly).
    EXPECT_EQ(left(form_.clip[0]), 6000);
    EXPECT_EQ(top(form_.clip[0]), 2250);
    EXPECT_EQ(left(form_.clip[1]), 3000);
    EXPECT_EQ(top(form_.clip[1]), 4500);
    // xpos 0: the automatic place of line 2 of 3: 2 * 900 + (4500 - 1350).
    const AutoSizeLabel& third = form_.clip[2];
    EXPECT_EQ(top(third), 4950);
    ExpectCentred(left(third), width(third));
}

TEST_F(ClipMenu, ExplicitPlacesBetweenPixelsGoToTheNearestPixel) {
    setTitles({"Only"});
    ClipCatalogue& c = program_.state.Catalogue;
    c.ClipXPos[0] = 7000; // 1714.29 twips: 114.29 pixels
    c.ClipYPos[0] = 3000; // 3000 twips
    ShowMenu(program_);
    EXPECT_EQ(left(form_.clip[0]), 1710);
    EXPECT_EQ(top(form_.clip[0]), 3000);
}

TEST_F(ClipMenu, OneEntryIsCentredBothWaysAndNothingIsCreated) {
    setTitles({"Alone"});
    setEntryHeight(600);
    ShowMenu(program_);
    const AutoSizeLabel& entry = form_.clip[0];
    EXPECT_EQ(form_.clip.upperBound(), 0);
    EXPECT_EQ(form_.Shadow.upperBound(), 0);
    // 4500 - 900 / 2
    EXPECT_EQ(top(entry), 4050);
    ExpectCentred(left(entry), width(entry));
    EXPECT_EQ(entry.foreColor(), HiliteColor);
}

TEST_F(ClipMenu, SixteenEntriesAreCreatedOnTheFirstCallOnlyAsCopiesOfEntryZero) {
    setTitles({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p"});
    form_.clip[0].setFontName(QStringLiteral("Arial Black"));
    form_.clip[0].setFontSize(18.0F);
    form_.clip[0].setFontBold(true);
    ShowMenu(program_);
    ASSERT_EQ(form_.clip.upperBound(), 15);
    ASSERT_EQ(form_.Shadow.upperBound(), 15);
    std::vector<const AutoSizeLabel*> first;
    for (int i = 0; i <= 15; ++i) {
        const AutoSizeLabel& entry = form_.clip[i];
        first.push_back(&entry);
        EXPECT_EQ(entry.fontName(), form_.clip[0].fontName()) << i;
        EXPECT_EQ(entry.fontSize(), form_.clip[0].fontSize()) << i;
        EXPECT_TRUE(entry.fontBold()) << i;
        EXPECT_EQ(entry.parentWidget(), form_.Picture1) << i;
        EXPECT_FALSE(entry.isHidden()) << i;
        EXPECT_EQ(entry.foreColor(), i == 0 ? HiliteColor : FontColor) << i;
    }
    HideMenu(program_);
    program_.state.CurrentClip = 16;
    ShowMenu(program_);
    EXPECT_EQ(form_.clip.upperBound(), 15);
    EXPECT_EQ(form_.Shadow.upperBound(), 15);
    for (int i = 0; i <= 15; ++i) {
        EXPECT_EQ(&form_.clip[i], first[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(form_.clip[15].foreColor(), HiliteColor);
    EXPECT_EQ(form_.clip[0].foreColor(), FontColor);
    EXPECT_EQ(program_.state.HiliteIndex, 15);
}

TEST_F(ClipMenu, ShadowsLieTwoPixelsDownAndRightBelowTheirEntries) {
    setTitles({"One", "Two", "Three"});
    program_.state.Settings.ShadowMode = 1;
    ShowMenu(program_);
    for (int i = 0; i < 3; ++i) {
        const AutoSizeLabel& entry = form_.clip[i];
        const AutoSizeLabel& shadow = form_.Shadow[i];
        EXPECT_FALSE(shadow.isHidden()) << i;
        EXPECT_EQ(shadow.caption(), entry.caption()) << i;
        EXPECT_EQ(left(shadow), left(entry) + 30) << i;
        EXPECT_EQ(top(shadow), top(entry) + 30) << i;
    }
    // Stacking, bottom to top: the background and the hint, then each shadow under its entry,
    // in index order.
    const QObjectList& stack = form_.Picture1->children();
    std::vector<const QObject*> expected{form_.Image1, form_.Label2};
    for (int i = 0; i < 3; ++i) {
        expected.push_back(&form_.Shadow[i]);
        expected.push_back(&form_.clip[i]);
    }
    std::vector<const QObject*> widgets;
    for (const QObject* child : stack) {
        if (child->isWidgetType()) {
            widgets.push_back(child);
        }
    }
    EXPECT_EQ(widgets, expected);
}

TEST_F(ClipMenu, WithoutShadowModeNoShadowIsEverShown) {
    setTitles({"One", "Two", "Three"});
    const QString designed = form_.Shadow[0].caption();
    const std::int32_t designedLeft = left(form_.Shadow[0]);
    ShowMenu(program_);
    ShowMenu(program_);
    EXPECT_EQ(form_.Shadow.upperBound(), 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(form_.Shadow[i].isHidden()) << i;
        // Created as copies of shadow 0, and never captioned or placed.
        EXPECT_EQ(form_.Shadow[i].caption(), designed) << i;
        EXPECT_EQ(left(form_.Shadow[i]), designedLeft) << i;
    }
    // Entries still come above one another in index order.
    const QObjectList& stack = form_.Picture1->children();
    EXPECT_LT(stack.indexOf(&form_.clip[0]), stack.indexOf(&form_.clip[1]));
    EXPECT_LT(stack.indexOf(&form_.clip[1]), stack.indexOf(&form_.clip[2]));
}

TEST_F(ClipMenu, HideModeCaptionsAreSpacesOfTheSameLength) {
    setTitles({"Four", "Caf\xc3\xa9"}); // a UTF-8 title counts characters, not bytes
    program_.state.Settings.HideMode = 1;
    program_.state.Settings.ShadowMode = 1;
    setEntryHeight(600);
    ShowMenu(program_);
    EXPECT_EQ(form_.clip[0].caption(), QStringLiteral("     "));
    EXPECT_EQ(form_.clip[1].caption(), QStringLiteral("     "));
    EXPECT_EQ(form_.Shadow[1].caption(), QStringLiteral("     "));
    // The entries keep a size and their places.
    EXPECT_GT(width(form_.clip[0]), 0);
    EXPECT_EQ(top(form_.clip[0]), 4500 - 900);
    EXPECT_EQ(top(form_.clip[1]), 4500);
    // Hide mode 1 moves no colour: the first showing marks entry 0 and nothing else.
    EXPECT_EQ(form_.clip[0].foreColor(), HiliteColor);
    EXPECT_EQ(form_.clip[1].foreColor(), FontColor);
    SetHilite(program_, 1);
    EXPECT_EQ(form_.clip[1].foreColor(), FontColor);
    EXPECT_EQ(program_.state.HiliteIndex, 0);
}

TEST_F(ClipMenu, OtherHideModesBlankTheCaptionsButStillMoveTheHighlight) {
    setTitles({"One", "Two"});
    program_.state.Settings.HideMode = 2;
    ShowMenu(program_);
    EXPECT_EQ(form_.clip[1].caption(), QStringLiteral("    "));
    SetHilite(program_, 1);
    EXPECT_EQ(form_.clip[0].foreColor(), FontColor);
    EXPECT_EQ(form_.clip[1].foreColor(), HiliteColor);
    EXPECT_EQ(program_.state.HiliteIndex, 1);
}

TEST_F(ClipMenu, LaterShowingsHighlightTheClipStartedLast) {
    setTitles({"One", "Two", "Three", "Four"});
    ShowMenu(program_);
    program_.state.CurrentClip = 3;
    StartVideo(program_);
    ShowMenu(program_);
    EXPECT_EQ(program_.state.HiliteIndex, 2);
    EXPECT_EQ(form_.clip[2].foreColor(), HiliteColor);
    EXPECT_EQ(form_.clip[0].foreColor(), FontColor);
    // A clip number that names no entry highlights the first.
    for (const std::int16_t clip : {std::int16_t{0}, std::int16_t{5}, std::int16_t{-3}}) {
        program_.state.CurrentClip = clip;
        ShowMenu(program_);
        EXPECT_EQ(program_.state.HiliteIndex, 0) << clip;
        EXPECT_EQ(form_.clip[0].foreColor(), HiliteColor) << clip;
        EXPECT_EQ(form_.clip[2].foreColor(), FontColor) << clip;
    }
}

TEST_F(ClipMenu, WithoutMenuModeOnlyThePointerIsShown) {
    setTitles({"One", "Two"});
    program_.state.Settings.MenuMode = 2;
    ShowMenu(program_);
    EXPECT_TRUE(transcribed("cursor show 1"));
    EXPECT_EQ(form_.clip.upperBound(), 0);
    EXPECT_TRUE(form_.clip[0].isHidden());
    EXPECT_TRUE(form_.Image1->isHidden());
    EXPECT_EQ(program_.state.MenuBuilt, 0);
    EXPECT_EQ(form_.clip[0].foreColor(), FontColor);
}

TEST_F(ClipMenu, HideMenuTakesTheEntriesAndBackgroundAwayButLeavesTheShadows) {
    setTitles({"One", "Two"});
    program_.state.Settings.ShadowMode = 1;
    ShowMenu(program_);
    HideMenu(program_);
    EXPECT_TRUE(form_.clip[0].isHidden());
    EXPECT_TRUE(form_.clip[1].isHidden());
    EXPECT_FALSE(form_.Shadow[0].isHidden());
    EXPECT_FALSE(form_.Shadow[1].isHidden());
    EXPECT_TRUE(form_.Image1->isHidden());
    // The highlight survives.
    EXPECT_EQ(form_.clip[0].foreColor(), HiliteColor);
    // Again, with entry 0 hidden: only the background is touched.
    form_.clip[1].setVisible(true);
    form_.Image1->setVisible(true);
    HideMenu(program_);
    EXPECT_FALSE(form_.clip[1].isHidden());
    EXPECT_TRUE(form_.Image1->isHidden());
}

TEST_F(ClipMenu, StartVideoSetsTheLoadStateBeforeEventsRun) {
    setTitles({"One", "Two"});
    ShowMenu(program_);
    program_.state.PlayState = PlayState::Menu;
    PlayState seen = PlayState::Exit;
    // A queued event runs inside HideMenu, as a tick could.
    QMetaObject::invokeMethod(
        &form_, [&] { seen = program_.state.PlayState; }, Qt::QueuedConnection);
    StartVideo(program_);
    EXPECT_EQ(seen, PlayState::Load);
    EXPECT_EQ(program_.state.PlayState, PlayState::Load);
    EXPECT_TRUE(form_.clip[0].isHidden());
}

TEST_F(ClipMenu, SetHiliteBeforeTheMenuIsBuiltChangesNothing) {
    setTitles({"One", "Two"});
    SetHilite(program_, 1);
    EXPECT_EQ(program_.state.HiliteIndex, 0);
    EXPECT_EQ(form_.clip[0].foreColor(), FontColor);
}

TEST_F(ClipMenu, EqualColoursLeaveEveryEntryHighlighted) {
    setTitles({"One", "Two", "Three"});
    program_.state.Settings.FontColor = HiliteColor;
    form_.clip[0].setForeColor(HiliteColor);
    ShowMenu(program_);
    SetHilite(program_, 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(form_.clip[i].foreColor(), HiliteColor) << i;
    }
    EXPECT_EQ(program_.state.HiliteIndex, 2);
}

} // namespace
} // namespace quorix::menutest
