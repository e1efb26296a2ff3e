// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_patterns.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "files/file_path.h"
#include "paper/utf8.h"

namespace haltrix::cli {

namespace {

std::size_t lastPartStart(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? 0 : slash + 1;
}

// The length of the UTF-8 character that starts at `text[at]` (1 for a byte
// that starts none).
std::size_t characterLength(std::string_view text, std::size_t at) {
    std::size_t length = 1;
    while (at + length < text.size() &&
           isUtf8Continuation(static_cast<unsigned char>(text[at + length])))
        ++length;
    return length;
}

char foldedAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameCharacter(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return foldedAscii(x) == foldedAscii(y); });
}

} // namespace

bool hasWildcard(std::string_view argument) {
    return argument.find_first_of("*?", lastPartStart(argument)) != std::string_view::npos;
}

bool wildcardMatches(std::string_view pattern, std::string_view name) {
    // Greedy with one step back to the last *: linear for the patterns people type.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        const std::size_t nameLength = characterLength(name, n);
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
            continue;
        }
        if (p < pattern.size()) {
            const std::size_t patternLength = characterLength(pattern, p);
            if (pattern[p] == '?' ||
                sameCharacter(pattern.substr(p, patternLength), name.substr(n, nameLength))) {
                p += pattern[p] == '?' ? 1 : patternLength;
                n += nameLength;
                continue;
            }
        }
        if (starP == std::string_view::npos)
            return false;
        // The last * takes one more character.
        p = starP + 1;
        starN += characterLength(name, starN);
        n = starN;
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<std::string> filesMatching(const std::string& pattern) {
    const std::size_t start = lastPartStart(pattern);
    const std::string folder = pattern.substr(0, start);
    const std::string namePattern = pattern.substr(start);
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(filesystemPath(folder.empty() ? "." : folder),
                                                error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::error_code typeError;
        if (entries->is_directory(typeError))
            continue;
        std::string name = coreFileName(entries->path().filename());
        if (wildcardMatches(namePattern, name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto folded = [](const std::string& text) {
            std::string out = text;
            std::transform(out.begin(), out.end(), out.begin(), foldedAscii);
            return out;
        };
        const std::string foldedA = folded(a);
        const std::string foldedB = folded(b);
        return foldedA != foldedB ? foldedA < foldedB : a < b;
    });
    for (std::string& name : names)
        name = folder + name;
    return names;
}

bool addFileArgument(const std::string& argument, std::vector<std::string>& files,
                     std::string& error) {
#ifdef _WIN32
    if (hasWildcard(argument)) {
        const std::vector<std::string> matches = filesMatching(argument);
        if (matches.empty()) {
            error = "「" + argument + "」に合うファイルがありません";
            return false;
        }
        files.insert(files.end(), matches.begin(), matches.end());
        return true;
    }
#else
    (void)error;
#endif
    files.push_back(argument);
    return true;
}

} // namespace haltrix::cli
