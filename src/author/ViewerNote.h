#pragma once

#include "program/ClipCatalogue.h"
#include "program/SettingsRecord.h"

#include <QString>

namespace quorix::author {

// What the viewer sees at the start of the presentation when the presenter draws no menu there:
// the clips in turn (menumode other than 1), or the message that ends a disc without a playable
// entry. Empty when the menu comes up first.
QString WithoutMenuNote(const program::SettingsRecord& settings,
                        const program::ClipCatalogue& catalogue);

} // namespace quorix::author
