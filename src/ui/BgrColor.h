#pragma once

#include <QColor>
#include <cstdint>

namespace quorix::ui {

// Colours travel through the program as 32-bit numbers &H00BBGGRR (red in the low byte), the
// form the settings file and the window designs use. Only the low three bytes give the colour.
QColor ColorFromBgr(std::int32_t bgr);
std::int32_t BgrFromColor(const QColor& color);

} // namespace quorix::ui
