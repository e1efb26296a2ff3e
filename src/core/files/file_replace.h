// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace haltrix {

// Replaces the file `path` with `bytes` so that a crash or a power cut at any
// moment leaves either the old file or the complete new one, never a short
// or empty one: the bytes go to a new temporary file in the same folder,
// which is forced to disk and only then renamed over the target (on POSIX
// the folder is forced to disk after the rename, on Windows the rename is
// written through). Through a symbolic link the file it points to is
// replaced; an existing file's permissions are kept (POSIX).
//
// On failure the target is as it was, no temporary file is left, and the
// result is the reason in Japanese, e.g. "書き込めません（フォルダーです）".
std::optional<std::string> replaceFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace haltrix
