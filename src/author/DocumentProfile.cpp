#include "author/DocumentProfile.h"

#include "author/SettingsFile.h"
#include "startup/ReadSetting.h"

namespace quorix::author {

platform::MemoryProfileReader DocumentProfile(const IniDocument& document,
                                              const std::string& mediaPath) {
    platform::MemoryProfileReader reader;
    reader.setFile(mediaPath + std::string(startup::SettingsFileName),
                   document.toBytes(SavingEncoding(document)));
    return reader;
}

} // namespace quorix::author
