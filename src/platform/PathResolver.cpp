#include "platform/PathResolver.h"

#include "platform/TextDecoding.h"

#include <QChar>
#include <QList>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <utility>
#include <vector>

namespace quorix::platform {
namespace {

namespace fs = std::filesystem;

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// A name as text for matching without regard to case: decoded as titles are (UTF-8 when valid,
// else Windows-1252), then each character upper-cased on its own. Windows file systems compare
// names through such a one-to-one table, so every letter with a case matches its other case, and
// "ß" matches no "ss".
std::u32string CaselessKey(std::string_view name) {
    const QString text = DecodeDisplayText(name);
    std::u32string key;
    key.reserve(static_cast<std::size_t>(text.size()));
    for (const uint c : text.toUcs4()) {
        key += QChar::toUpper(c);
    }
    return key;
}

// The non-empty components between separators; doubled separators add nothing.
std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> components;
    std::size_t begin = 0;
    while (begin <= path.size()) {
        std::size_t end = begin;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        if (end > begin) {
            components.push_back(path.substr(begin, end - begin));
        }
        begin = end + 1;
    }
    return components;
}

// The entry of folder that name stands for: name itself when it exists, else name decoded as
// titles are, else the entry that matches the decoded name without regard to case, the byte-wise
// smallest when several do (so the choice does not depend on the order of the listing). No value
// when nothing matches or the folder cannot be listed.
std::optional<std::string> EntryNamed(const fs::path& folder, std::string_view name) {
    std::error_code error;
    // symlink_status: a link counts as present even when it leads nowhere; it is still the exact
    // name, and opening it fails on its own.
    if (fs::exists(fs::symlink_status(folder / fs::path(name), error))) {
        return std::string(name);
    }
    // A disc authored on Windows names its files in Windows-1252; this file system holds UTF-8.
    if (std::string decoded = DecodeToUtf8(name);
        decoded != name && fs::exists(fs::symlink_status(folder / fs::path(decoded), error))) {
        return decoded;
    }
    const std::u32string wanted = CaselessKey(name);
    std::optional<std::string> best;
    fs::directory_iterator entry(folder, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        std::string candidate = entry->path().filename().string();
        if ((!best || candidate < *best) && CaselessKey(candidate) == wanted) {
            best = std::move(candidate);
        }
    }
    return best;
}

void AppendComponent(std::string& path, std::string_view component) {
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += component;
}

} // namespace

PathResolver::PathResolver()
    : environment_([](const std::string& name) -> std::optional<std::string> {
          const char* value = std::getenv(name.c_str());
          if (value == nullptr) {
              return std::nullopt;
          }
          return std::string(value);
      }) {}

PathResolver::PathResolver(Environment environment) : environment_(std::move(environment)) {}

std::string PathResolver::resolve(std::string_view programPath) const {
    // No file name holds a NUL. Cutting the name there would make "../../secret<NUL>.mpg" name
    // another file than the one whose extension was judged; such a name names nothing.
    if (programPath.empty() || programPath.find('\0') != std::string_view::npos) {
        return {};
    }

    std::string resolved;
    std::string_view rest = programPath;
    if (programPath.size() >= 2 && IsAsciiLetter(programPath[0]) && programPath[1] == ':') {
        const char drive = programPath[0];
        const std::string variable =
            std::string("QUORIX_DRIVE_") + static_cast<char>(FoldAscii(drive) - 'a' + 'A');
        const std::optional<std::string> folder = environment_(variable);
        // An empty value names no folder; it would turn the path into a relative one.
        resolved = folder && !folder->empty() ? *folder : std::string("/mnt/") + FoldAscii(drive);
        rest = programPath.substr(2);
    } else if (IsSeparator(programPath.front())) {
        resolved = "/";
    } else {
        std::error_code error;
        const fs::path current = fs::current_path(error);
        // Without a current directory the path stays relative, and the caller finds it missing
        // or not as the host decides.
        resolved = error ? std::string(".") : current.string();
    }

    bool resolving = true;
    for (const std::string_view component : Components(rest)) {
        if (resolving) {
            if (std::optional<std::string> entry = EntryNamed(fs::path(resolved), component)) {
                AppendComponent(resolved, *entry);
                continue;
            }
            resolving = false;
        }
        AppendComponent(resolved, DecodeToUtf8(component));
    }
    if (IsSeparator(programPath.back()) && resolved.back() != '/') {
        resolved += '/';
    }
    return resolved;
}

} // namespace quorix::platform
