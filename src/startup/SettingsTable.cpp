#include "startup/SettingsTable.h"

#include "platform/BasicNumber.h"

#include <type_traits>

namespace quorix::startup {
namespace {

template <typename Field> constexpr bool FieldHolds(double low, double high) {
    if constexpr (std::is_same_v<Field, bool>) {
        return true;
    } else if constexpr (std::is_same_v<Field, std::optional<std::int32_t>>) {
        return FieldHolds<std::int32_t>(low, high);
    } else {
        return low >= static_cast<double>(std::numeric_limits<Field>::lowest()) &&
               high <= static_cast<double>(std::numeric_limits<Field>::max());
    }
}

// Every value a key's range lets through must fit the field it is kept in.
constexpr bool RangeFitsField(const SettingRow& row) {
    const double shift = row.rule == SettingRule::EntryNumber ? 1.0 : 0.0;
    const double scale = row.rule == SettingRule::Tenths ? 0.1 : 1.0;
    const double low = (row.range.minimum + shift) * scale;
    const double high = (row.range.maximum + shift) * scale;
    return row.range.minimum <= row.range.maximum &&
           std::visit(
               [&](auto member) {
                   using Field = std::remove_cvref_t<decltype(program::SettingsRecord{}.*member)>;
                   return FieldHolds<Field>(low, high);
               },
               row.field);
}

constexpr bool EveryRangeFits() {
    for (const SettingRow* row : SettingsTable) {
        if (!RangeFitsField(*row)) {
            return false;
        }
    }
    return true;
}
static_assert(EveryRangeFits());

} // namespace

std::optional<double> SettingValue(const SettingRow& row, std::string_view text) {
    const platform::BasicNumber number = platform::BasicVal(text);
    auto inRange = [&row](double keyNumber) {
        return keyNumber >= row.range.minimum && keyNumber <= row.range.maximum;
    };
    if (row.rule == SettingRule::TitleStyle) {
        return number.ok() && number.value != 0.0 ? 1.0 : 0.0;
    }
    if (!number.ok() || (row.rule == SettingRule::TitleColour && text.empty())) {
        return std::nullopt;
    }
    switch (row.rule) {
    case SettingRule::EntryNumber:
        if (const auto entry = platform::RoundToInt32(number.value + 1.0);
            entry && inRange(*entry - 1.0)) {
            return *entry;
        }
        return std::nullopt;
    case SettingRule::Tenths:
        if (inRange(number.value)) {
            return number.value / 10.0;
        }
        return std::nullopt;
    default:
        if (const auto whole = platform::RoundToInt32(number.value); whole && inRange(*whole)) {
            return *whole;
        }
        return std::nullopt;
    }
}

std::optional<std::int32_t> AbsentNumber(const SettingRow& row) {
    if (row.rule == SettingRule::TitleColour) {
        return std::nullopt;
    }
    return platform::RoundToInt32(platform::BasicVal(row.defaultText).value);
}

std::optional<double> FieldValue(const program::SettingsRecord& record, const SettingRow& row) {
    return std::visit(
        [&record](auto member) -> std::optional<double> {
            const auto& value = record.*member;
            using Field = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<Field, std::optional<std::int32_t>>) {
                return value ? std::optional<double>(*value) : std::nullopt;
            } else {
                return static_cast<double>(value);
            }
        },
        row.field);
}

} // namespace quorix::startup
