#include "video/OpenVideo.h"

#include "ProgramFixture.h"

namespace quorix::testing {
namespace {

using namespace std::string_literals;

// Names no settings file of a replayed disc can hold: the open command must not be sent with
// them, since the device would read another file or other options than the name says.
TEST_F(ProgramFixture, OpenVideoNeverSendsANameWithADoubleQuoteOrANul) {
    struct Case {
        std::string file;
        const char* message;
    };
    const Case cases[] = {
        // Quoted, the quote would end the name early and turn the rest into options.
        {"b.mpg\" wait \"notify",
         "msgbox \"Having trouble in initializing the MPEG video file. (0: 0)\""},
        // The device would check the extension after the NUL and open the name before it.
        {"../../../../etc/shadow\0.mpg"s,
         "msgbox \"Having trouble in initializing the MPEG video file. (1: 275)\""},
    };
    program_.state.MediaPath = "d:\\quorix\\";
    program_.state.CurrentClip = 1;
    for (const Case& c : cases) {
        program_.state.Catalogue.ClipFiles[0] = c.file;
        messages();
        EXPECT_EQ(OpenVideo(program_), -1);
        EXPECT_TRUE(device_.sent().empty());
        EXPECT_EQ(messages(), std::vector<std::string>{c.message});
    }
}

} // namespace
} // namespace quorix::testing
