#include "author/SettingKeys.h"

#include "platform/MemoryProfileReader.h"
#include "startup/SettingsReader.h"
#include "ui/Form1.h"

#include <gtest/gtest.h>

namespace quorix::author {
namespace {

// The value the presenter keeps for one key when the file holds only that key with `value`; with
// a null value the file is empty.
std::optional<double> PresenterValue(const SettingKey& key, const QString& value) {
    const std::string media = "m\\";
    platform::MemoryProfileReader reader;
    reader.setFile(
        media + "quorix.ini",
        value.isNull()
            ? std::string()
            : QStringLiteral("[%1]\n%2=%3\n").arg(key.section, key.key, value).toStdString());
    program::SettingsRecord settings = startup::ReadSettings(reader, media);
    startup::ReadTitleStyle(settings, reader, media);
    for (const startup::SettingRow* row : startup::SettingsTable) {
        if (QLatin1String(row->section) == key.section && QLatin1String(row->key) == key.key) {
            return startup::FieldValue(settings, *row);
        }
    }
    ADD_FAILURE() << "the presenter reads no key " << key.key.toStdString();
    return std::nullopt;
}

// The settings page offers the keys the presenter reads, in its order; what it shows as the
// default is what the presenter takes without the key, each end of a number's range is read as
// written and one past it as an absent key, and every choice is read as itself.
TEST(SettingKeys, OfferExactlyWhatThePresenterReads) {
    const std::vector<SettingKey> keys = SettingKeys();
    ASSERT_EQ(keys.size(), startup::SettingsTable.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const SettingKey& key = keys[i];
        SCOPED_TRACE(key.key.toStdString());
        EXPECT_EQ(key.key, QLatin1String(startup::SettingsTable[i]->key));
        const std::optional<double> absent = PresenterValue(key, QString());
        if (key.kind == SettingKey::Kind::Colour && !absent) {
            // No colour given: the titles keep the colour they are designed with.
            ui::Form1 form(ui::TwipsGeometry(15, 15));
            EXPECT_EQ(key.presenterDefault, form.clip[0].foreColor());
        } else {
            EXPECT_EQ(PresenterValue(key, QString::number(key.presenterDefault)), absent);
        }
        for (const SettingKey::Choice& choice : key.choices) {
            EXPECT_EQ(PresenterValue(key, QString::number(choice.value)), choice.value);
        }
        if (key.kind != SettingKey::Kind::Number) {
            continue;
        }
        for (const qint64 end : {key.minimum, key.maximum}) {
            const std::optional<double> inside = PresenterValue(key, QString::number(end));
            EXPECT_TRUE(end == key.presenterDefault || inside != absent) << end;
            const qint64 past = end == key.minimum ? end - 1 : end + 1;
            EXPECT_EQ(PresenterValue(key, QString::number(past)), absent) << past;
        }
    }
}

} // namespace
} // namespace quorix::author
