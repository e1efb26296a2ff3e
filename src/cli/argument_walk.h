// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "file_patterns.h"

namespace haltrix::cli {

// Walks a command's arguments as every command reads them: a word that does
// not start with "-" (or is "-" itself, or comes after "--") is a file; an
// option's value is the argument after it.
class ArgumentWalk {
public:
    ArgumentWalk(const std::vector<std::string>& args, std::string& error)
        : m_args(args), m_error(error) {}

    // Moves to the next argument (over a first "--"); false after the last.
    bool next() {
        while (++m_index < m_args.size()) {
            if (m_onlyFiles || m_args[m_index] != "--")
                return true;
            m_onlyFiles = true;
        }
        return false;
    }

    const std::string& arg() const { return m_args[m_index]; }

    bool isFile() const {
        const std::string& a = arg();
        return m_onlyFiles || a.empty() || a[0] != '-' || a == "-";
    }

    // Adds the file argument to `files` (on Windows, the files a wildcard
    // matches); a pattern that matches none sets the error and returns false.
    bool takeFile(std::vector<std::string>& files) { return addFileArgument(arg(), files, m_error); }

    // Takes the option's value; without one sets the error and returns false.
    bool value(std::string& out) {
        if (m_index + 1 >= m_args.size()) {
            m_error = arg() + " には値を指定してください";
            return false;
        }
        out = m_args[++m_index];
        return true;
    }

private:
    const std::vector<std::string>& m_args;
    std::string& m_error;
    std::size_t m_index = static_cast<std::size_t>(-1);
    bool m_onlyFiles = false;
};

} // namespace haltrix::cli
