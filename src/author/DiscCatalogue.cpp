#include "author/DiscCatalogue.h"

#include "author/DocumentProfile.h"
#include "startup/SettingsReader.h"
#include "startup/SettingsTable.h"

#include <algorithm>

namespace quorix::author {
namespace {

const QString ClipList = QStringLiteral("cliplist");
const QString FileList = QStringLiteral("filelist");

QString IndexedKey(const char* stem, int index) {
    return QStringLiteral("%1%2").arg(QLatin1String(stem)).arg(index, 2, 10, QLatin1Char('0'));
}

struct PresenterReading {
    int intro = -1;
    bool closingLogo = false;
};

PresenterReading ReadAsPresenter(const IniDocument& document) {
    const std::string mediaPath = "/";
    platform::MemoryProfileReader reader = DocumentProfile(document, mediaPath);
    const program::SettingsRecord settings = startup::ReadSettings(reader, mediaPath);
    return {std::max(settings.IntroClip - 1, -1), settings.LogoMode == 1};
}

void SetOrRemove(IniDocument& document, const QString& key, const QString& value) {
    if (value.isEmpty()) {
        document.removeKey(ClipList, key);
    } else {
        document.setValue(ClipList, key, value);
    }
}

void SetSetting(IniDocument& document, const startup::SettingRow& row, const QString& value) {
    document.setValue(
        QString::fromLatin1(row.section.data(), static_cast<qsizetype>(row.section.size())),
        QString::fromLatin1(row.key.data(), static_cast<qsizetype>(row.key.size())), value);
}

} // namespace

DiscCatalogue ReadDiscCatalogue(const IniDocument& document) {
    DiscCatalogue catalogue;
    for (int i = 0; i < DiscCatalogue::MaxEntries; ++i) {
        const std::optional<QString> title = document.value(ClipList, IndexedKey("clip", i));
        if (!title || title->isEmpty()) {
            break;
        }
        CatalogueEntry entry;
        entry.title = *title;
        entry.writtenTitle = *title;
        entry.file = document.value(FileList, *title).value_or(QString());
        entry.xpos = document.value(ClipList, IndexedKey("xpos", i)).value_or(QString());
        entry.ypos = document.value(ClipList, IndexedKey("ypos", i)).value_or(QString());
        catalogue.entries.push_back(std::move(entry));
    }
    const PresenterReading reading = ReadAsPresenter(document);
    catalogue.intro = reading.intro;
    catalogue.closingLogo = reading.closingLogo;
    return catalogue;
}

void WriteDiscCatalogue(IniDocument& document, DiscCatalogue& catalogue) {
    std::vector<CatalogueEntry>& entries = catalogue.entries;
    const int count = std::min<int>(static_cast<int>(entries.size()), DiscCatalogue::MaxEntries);

    // The titles the document holds now, to find file entries whose title is gone.
    std::vector<QString> before;
    for (const CatalogueEntry& entry : ReadDiscCatalogue(document).entries) {
        before.push_back(entry.title);
    }

    for (int i = 0; i < DiscCatalogue::MaxEntries; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (i < count) {
            document.setValue(ClipList, IndexedKey("clip", i), entries[slot].title);
            SetOrRemove(document, IndexedKey("xpos", i), entries[slot].xpos);
            SetOrRemove(document, IndexedKey("ypos", i), entries[slot].ypos);
        } else {
            document.removeKey(ClipList, IndexedKey("clip", i));
            document.removeKey(ClipList, IndexedKey("xpos", i));
            document.removeKey(ClipList, IndexedKey("ypos", i));
        }
    }

    const auto usedAsTitle = [&](const QString& title) {
        return std::any_of(
            entries.begin(), entries.begin() + count,
            [&](const CatalogueEntry& entry) { return IniDocument::SameName(entry.title, title); });
    };
    for (int i = 0; i < count; ++i) {
        CatalogueEntry& entry = entries[static_cast<std::size_t>(i)];
        if (!IniDocument::KeyNameProblem(entry.title).isEmpty()) {
            continue;
        }
        // A renamed title takes its file entry along, in its place in the section.
        const bool renamed = !entry.writtenTitle.isEmpty() &&
                             !IniDocument::SameName(entry.writtenTitle, entry.title);
        if (renamed && !usedAsTitle(entry.writtenTitle) &&
            !document.value(FileList, entry.title).has_value()) {
            document.renameKey(FileList, entry.writtenTitle, entry.title);
        }
        if (!entry.file.isEmpty()) {
            document.setValue(FileList, entry.title, entry.file);
        }
        entry.writtenTitle = entry.title;
    }
    for (const QString& title : before) {
        if (!usedAsTitle(title)) {
            document.removeKey(FileList, title);
        }
    }

    const PresenterReading reading = ReadAsPresenter(document);
    const int intro = catalogue.intro >= 0 && catalogue.intro < count ? catalogue.intro : -1;
    if (reading.intro != intro) {
        SetSetting(document, startup::setting::Intro, QString::number(intro));
    }
    if (reading.closingLogo != catalogue.closingLogo) {
        SetSetting(document, startup::setting::LogoMode,
                   catalogue.closingLogo ? QStringLiteral("1") : QStringLiteral("0"));
    }
}

} // namespace quorix::author
