// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace haltrix {

// The core takes and gives file names as std::string. On Windows such a name
// is UTF-8 and files are opened through the wide (UTF-16) API, so every name
// a user can type works whatever the ANSI code page; elsewhere it is the
// bytes the system uses for the name, unchanged.
std::filesystem::path filesystemPath(const std::string& name);

// The name of `path` in that same form.
std::string coreFileName(const std::filesystem::path& path);

} // namespace haltrix
