// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether a text is a well-formed STEP exchange file as the IFC writer
// writes it: the header's three records, then one entity a line "#n=NAME(...);"
// with n counting up from 1, string literals closed, parentheses balanced,
// no lower-case letter outside a string (no "nan" or "inf" for a number),
// every reference to an entity that the file defines, every GlobalId (the
// first argument of a rooted entity) valid and unique, and no byte outside
// printable ASCII. Used by the model's tests and the fuzz road target.

#include <cctype>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace haltrix::testing {

// Entities whose first argument is a GlobalId.
inline bool isRooted(std::string_view name) {
    static const std::set<std::string_view> kRooted = {"IFCPROJECT",
                                                       "IFCSITE",
                                                       "IFCBRIDGE",
                                                       "IFCBRIDGEPART",
                                                       "IFCBEAM",
                                                       "IFCREINFORCINGBAR",
                                                       "IFCRELAGGREGATES",
                                                       "IFCRELCONTAINEDINSPATIALSTRUCTURE",
                                                       "IFCRELASSOCIATESMATERIAL",
                                                       "IFCPROPERTYSET",
                                                       "IFCELEMENTQUANTITY",
                                                       "IFCRELDEFINESBYPROPERTIES"};
    return kRooted.count(name) > 0;
}

inline bool isGlobalIdText(std::string_view id) {
    static constexpr std::string_view kAlphabet =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_$";
    if (id.size() != 22 || id[0] < '0' || id[0] > '3')
        return false;
    for (const char c : id) {
        if (kAlphabet.find(c) == std::string_view::npos)
            return false;
    }
    return true;
}

inline std::vector<std::string> stepFileProblems(const std::string& text, std::string_view schema) {
    std::vector<std::string> problems;
    for (const char c : text) {
        if (c != '\n' && (c < 0x20 || c > 0x7E)) {
            problems.push_back("a byte outside printable ASCII");
            break;
        }
    }
    const std::string head = "ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION(";
    if (text.compare(0, head.size(), head) != 0)
        problems.push_back("the file does not start with the header");
    if (text.find("FILE_NAME(") == std::string::npos)
        problems.push_back("no FILE_NAME");
    if (text.find("FILE_SCHEMA(('" + std::string(schema) + "'));\nENDSEC;\nDATA;\n") ==
        std::string::npos)
        problems.push_back("no FILE_SCHEMA " + std::string(schema));
    const std::string tail = "ENDSEC;\nEND-ISO-10303-21;\n";
    if (text.size() < tail.size() || text.compare(text.size() - tail.size(), tail.size(), tail))
        problems.push_back("the file does not end with END-ISO-10303-21;");
    const std::size_t data = text.find("DATA;\n");
    if (data == std::string::npos)
        return problems;

    std::istringstream lines(text.substr(data + 6));
    std::string line;
    long expected = 1;
    std::set<long> referenced;
    std::set<std::string> ids;
    while (std::getline(lines, line) && line != "ENDSEC;") {
        const std::string where = "entity #" + std::to_string(expected);
        const std::size_t equals = line.find('=');
        const std::size_t open = line.find('(');
        if (line.empty() || line[0] != '#' || equals == std::string::npos ||
            open == std::string::npos || open < equals || line.size() < 3 ||
            line.compare(line.size() - 2, 2, ");") != 0) {
            problems.push_back(where + ": not #n=NAME(...);");
            return problems;
        }
        if (line.substr(1, equals - 1) != std::to_string(expected))
            problems.push_back(where + ": numbered " + line.substr(1, equals - 1));
        ++expected;
        const std::string name = line.substr(equals + 1, open - equals - 1);
        for (const char c : name) {
            if (!std::isupper(static_cast<unsigned char>(c)) &&
                !std::isdigit(static_cast<unsigned char>(c)))
                problems.push_back(where + ": entity name " + name);
        }
        // The arguments: strings closed, parentheses balanced, references.
        int depth = 0;
        bool inString = false;
        std::string firstString;
        int stringsSeen = 0;
        for (std::size_t i = open; i < line.size() - 1; ++i) {
            const char c = line[i];
            if (inString) {
                if (c == '\'' && i + 1 < line.size() && line[i + 1] == '\'') {
                    ++i;
                } else if (c == '\'') {
                    inString = false;
                    ++stringsSeen;
                } else if (stringsSeen == 0) {
                    firstString += c;
                }
                continue;
            }
            if (std::islower(static_cast<unsigned char>(c))) {
                // Names and enumerations are upper case: a lower-case
                // letter outside a string is a number gone wrong (nan, inf).
                problems.push_back(where + ": \"" + std::string(1, c) + "\" outside a string");
                break;
            }
            if (c == '\'') {
                inString = true;
            } else if (c == '(') {
                ++depth;
            } else if (c == ')') {
                if (--depth < 0)
                    break;
            } else if (c == '#') {
                std::size_t end = i + 1;
                while (end < line.size() && std::isdigit(static_cast<unsigned char>(line[end])))
                    ++end;
                if (end == i + 1)
                    problems.push_back(where + ": # without a number");
                else
                    referenced.insert(std::stol(line.substr(i + 1, end - i - 1)));
            }
        }
        if (inString || depth != 0)
            problems.push_back(where + ": unbalanced arguments");
        if (isRooted(name)) {
            if (!isGlobalIdText(firstString))
                problems.push_back(where + ": GlobalId \"" + firstString + "\" not valid");
            else if (!ids.insert(firstString).second)
                problems.push_back(where + ": GlobalId " + firstString + " used twice");
        }
    }
    if (line != "ENDSEC;")
        problems.push_back("the data section is not closed");
    for (const long reference : referenced) {
        if (reference < 1 || reference >= expected) {
            problems.push_back("#" + std::to_string(reference) + " is referenced, not defined");
            break;
        }
    }
    return problems;
}

} // namespace haltrix::testing
