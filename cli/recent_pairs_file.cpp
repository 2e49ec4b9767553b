// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "cli/recent_pairs_file.h"

#include <filesystem>

namespace quantaro::cli {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// An unquoted ";" begins a comment that runs to the end of the line.
std::string_view withoutComment(std::string_view value)
{
    bool quoted = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '"')
            quoted = !quoted;
        else if (value[i] == ';' && !quoted)
            return value.substr(0, i);
    }
    return value;
}

} // namespace

std::string settingsFilePath(const char* xdgConfigHome, const char* home, std::string_view workingFolder)
{
    std::filesystem::path folder;
    if (xdgConfigHome && *xdgConfigHome)
        folder = xdgConfigHome;
    else
        folder = std::filesystem::path(home && *home ? home : "/") / ".config";
    if (folder.is_relative())
        folder = std::filesystem::path(workingFolder) / folder;
    return (folder / "Velkor" / "quantaro.conf").lexically_normal().string();
}

std::optional<std::string_view> iniValue(std::string_view file, std::string_view section, std::string_view key)
{
    std::optional<std::string_view> value;
    bool inside = false;
    while (!file.empty()) {
        const std::size_t end = file.find('\n');
        const std::string_view line = trimmed(file.substr(0, end));
        file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
        if (line.starts_with('[')) {
            inside = trimmed(line.substr(1, line.find(']') - 1)) == section;
            continue;
        }
        if (!inside || line.starts_with(';') || line.starts_with('#'))
            continue;
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && trimmed(line.substr(0, equals)) == key)
            value = trimmed(withoutComment(line.substr(equals + 1)));
    }
    return value;
}

} // namespace quantaro::cli
