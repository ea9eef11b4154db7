// quorix-replay: runs the presenter's real start-up and handlers headlessly from a scenario and
// prints what happened, or compares it with the scenario's stored transcript.

#include "ReplayRunner.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    bool check = false;
    const char* scenario = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0) {
            check = true;
        } else if (scenario == nullptr && argv[i][0] != '-') {
            scenario = argv[i];
        } else {
            scenario = nullptr;
            break;
        }
    }
    if (scenario == nullptr) {
        std::fprintf(stderr, "usage: quorix-replay [--check] SCENARIO\n");
        return 2;
    }

    // Headless: the real widgets on Qt's offscreen platform, whatever the environment says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QApplication application(argc, argv);

    return quorix::replay::RunScenario(scenario, check ? quorix::replay::Mode::Check
                                                       : quorix::replay::Mode::Print);
}
