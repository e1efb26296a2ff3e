// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace haltrix::cli {

// Neither cmd nor PowerShell expands wildcards in a command's arguments, so on
// Windows haltrix-calc does it itself, for the file arguments only.

// True when the last part of `argument` (after the last / or \) holds * or ?.
bool hasWildcard(std::string_view argument);

// Whether `name` matches `pattern`: * any run of characters, ? one character
// (a whole UTF-8 character), the letters A to Z in either case, as Windows
// matches file names.
bool wildcardMatches(std::string_view pattern, std::string_view name);

// The files (not folders) whose names match the last part of `pattern`, in
// the folder its other part names (the current one when it names none), each
// written with that folder part as given; sorted by name, letters in either
// case alike.
std::vector<std::string> filesMatching(const std::string& pattern);

// Adds the file argument `argument` to `files`: on Windows, when it holds a
// wildcard, the files it matches instead; a pattern that matches no file sets
// `error` naming it and returns false. Elsewhere the shell has expanded it
// already, and it is added as it is.
bool addFileArgument(const std::string& argument, std::vector<std::string>& files,
                     std::string& error);

} // namespace haltrix::cli
