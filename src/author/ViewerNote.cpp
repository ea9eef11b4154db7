#include "author/ViewerNote.h"

#include "platform/TextDecoding.h"
#include "startup/FormLoad.h"

namespace quorix::author {
namespace {

QString Entry(const program::ClipCatalogue& catalogue, int index) {
    return QStringLiteral("entry %1 \u201c%2\u201d")
        .arg(index + 1)
        .arg(platform::DecodeDisplayText(catalogue.ClipTitles[static_cast<std::size_t>(index)]));
}

} // namespace

QString WithoutMenuNote(const program::SettingsRecord& settings,
                        const program::ClipCatalogue& catalogue) {
    if (catalogue.LastClip < 0) {
        return QStringLiteral("No clip to play: the presenter shows \u201c%1\u201d and stops. Add "
                              "clips on the Catalogue tab.")
            .arg(QString::fromLatin1(startup::NothingToPlayMessage.data(),
                                     static_cast<qsizetype>(startup::NothingToPlayMessage.size())));
    }
    if (settings.MenuMode == 1) {
        return {};
    }
    // After the first clip the supervisor goes on by these tests.
    if (settings.MenuMode != 0) {
        return QStringLiteral("No menu at the start: %1 plays first, then %2.")
            .arg(Entry(catalogue, 0), settings.LoopMode != 0
                                          ? QStringLiteral("again and again until Esc")
                                          : QStringLiteral("the menu comes up"));
    }
    QString note = QStringLiteral("No menu: the viewer sees the clips one after another, from %1")
                       .arg(Entry(catalogue, 0));
    if (catalogue.LastClip > 0) {
        note += QStringLiteral(" to %1").arg(Entry(catalogue, catalogue.LastClip));
    }
    if (settings.LoopMode != 0) {
        note += QStringLiteral(", then from the start again until Esc");
    } else if (settings.LogoMode == 1) {
        note += QStringLiteral(", then the closing logo for three seconds; then the presenter "
                               "ends");
    } else {
        note += QStringLiteral("; then the presenter ends");
    }
    return note +
           QStringLiteral(". For a menu of titles choose it under Menu on the Settings tab.");
}

} // namespace quorix::author
