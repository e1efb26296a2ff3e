// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace haltrix::model {

// The SHA-1 digest of `bytes` (FIPS 180-4).
std::array<std::uint8_t, 20> sha1(std::string_view bytes);

// A name-based UUID (RFC 4122, version 5): the first 16 bytes of the SHA-1
// of a namespace of this program's own and `name`, with the version and
// variant bits set. The same name always gives the same UUID.
std::array<std::uint8_t, 16> nameBasedUuid(std::string_view name);

// A UUID in the 22 characters of an IFC GlobalId: the first character holds
// the top 2 bits (0 to 3), each of the other 21 six bits, from the alphabet
// 0-9 A-Z a-z _ $.
std::string compressedGuid(const std::array<std::uint8_t, 16>& uuid);

// The GlobalId of an element of a design: from the design file's name and
// the element's role ("beam", "bar/1/3", ...), so an export repeated gives
// the same ids and two roles never share one.
std::string ifcGlobalId(std::string_view designName, std::string_view role);

// Whether `text` is a valid compressed GlobalId: 22 characters of the IFC
// alphabet, the first one 0 to 3.
bool isValidGlobalId(std::string_view text);

} // namespace haltrix::model
