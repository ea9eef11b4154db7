#include "TestClips.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace quorix::platform::mci::testing_support {
namespace {

std::string output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            text += buffer;
        }
        pclose(pipe);
    }
    return text;
}

} // namespace

TestClips::TestClips() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorix-clips-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
        folder_ = pattern;
    }
}

TestClips::~TestClips() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

bool TestClips::make(const std::string& name, const std::string& arguments) const {
    const std::string command =
        "ffmpeg -nostdin -v error -y " + arguments + " '" + path(name) + "'";
    return std::system(command.c_str()) == 0;
}

int TestClips::countFrames(const std::string& name) const {
    const std::string text =
        output("ffprobe -v error -count_frames -select_streams v:0 -show_entries "
               "stream=nb_read_frames -of csv=p=0 '" +
               path(name) + "'");
    return text.empty() ? -1 : std::atoi(text.c_str());
}

void TestClips::write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
}

} // namespace quorix::platform::mci::testing_support
