// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quantaro::cli {

// The window's settings file, found as the window's settings library finds it
// on Linux: XDG_CONFIG_HOME when it is set and not empty, else HOME's
// ".config" (and "/.config" when HOME is unset or empty); a relative folder is
// taken from the working folder; ".", ".." and doubled slashes are resolved
// in the text, then "Velkor/quantaro.conf". A null pointer is an unset variable.
std::string settingsFilePath(const char* xdgConfigHome, const char* home, std::string_view workingFolder);

// The raw text of `key` in `[section]` of an INI file as the window's settings
// library writes and reads it: lines end with "\n" or "\r\n", blanks around the
// section name, the key and the value do not count, ";" and "#" begin comment
// lines and an unquoted ";" a comment after a value, a section may appear more
// than once, and the last value of a key wins. Quotes stay for the caller.
// Nothing when the key is not there.
std::optional<std::string_view> iniValue(std::string_view file, std::string_view section, std::string_view key);

} // namespace quantaro::cli
