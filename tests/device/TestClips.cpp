#include "TestClips.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace quorix::platform::mci::testing_support {

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
    const std::string command = "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                                "stream=nb_read_frames -of csv=p=0 '" +
                                path(name) + "'";
    char text[64] = "";
    if (FILE* pipe = popen(command.c_str(), "r")) {
        const bool read = std::fgets(text, sizeof text, pipe) != nullptr;
        pclose(pipe);
        return read ? std::atoi(text) : -1;
    }
    return -1;
}

void TestClips::write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
}

} // namespace quorix::platform::mci::testing_support
