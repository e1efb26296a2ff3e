// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ifc_guid.h"

namespace haltrix::model {

namespace {

constexpr char kAlphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_$";

std::uint32_t rotateLeft(std::uint32_t value, int bits) {
    return (value << bits) | (value >> (32 - bits));
}

// The namespace the element names are hashed in (a UUID of this program's
// own, fixed once).
constexpr std::array<std::uint8_t, 16> kNamespace = {
    0x6b, 0x1f, 0x3c, 0x52, 0x8e, 0x0d, 0x4a, 0x77, 0x9c, 0x21, 0xd5, 0x40, 0x7e, 0x93, 0xa8, 0x16};

} // namespace

std::array<std::uint8_t, 20> sha1(std::string_view bytes) {
    std::uint32_t h[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    std::string message(bytes);
    const std::uint64_t bitLength = static_cast<std::uint64_t>(bytes.size()) * 8;
    message += static_cast<char>(0x80);
    while (message.size() % 64 != 56)
        message += '\0';
    for (int shift = 56; shift >= 0; shift -= 8)
        message += static_cast<char>((bitLength >> shift) & 0xFF);

    for (std::size_t block = 0; block < message.size(); block += 64) {
        std::uint32_t w[80];
        for (int t = 0; t < 16; ++t) {
            w[t] = 0;
            for (int k = 0; k < 4; ++k)
                w[t] = (w[t] << 8) | static_cast<unsigned char>(message[block + 4 * t + k]);
        }
        for (int t = 16; t < 80; ++t)
            w[t] = rotateLeft(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
        std::uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
        for (int t = 0; t < 80; ++t) {
            std::uint32_t f = 0, k = 0;
            if (t < 20) {
                f = (b & c) | (~b & d);
                k = 0x5A827999;
            } else if (t < 40) {
                f = b ^ c ^ d;
                k = 0x6ED9EBA1;
            } else if (t < 60) {
                f = (b & c) | (b & d) | (c & d);
                k = 0x8F1BBCDC;
            } else {
                f = b ^ c ^ d;
                k = 0xCA62C1D6;
            }
            const std::uint32_t next = rotateLeft(a, 5) + f + e + k + w[t];
            e = d;
            d = c;
            c = rotateLeft(b, 30);
            b = a;
            a = next;
        }
        h[0] += a;
        h[1] += b;
        h[2] += c;
        h[3] += d;
        h[4] += e;
    }
    std::array<std::uint8_t, 20> digest{};
    for (int i = 0; i < 20; ++i)
        digest[i] = static_cast<std::uint8_t>(h[i / 4] >> (24 - 8 * (i % 4)));
    return digest;
}

std::array<std::uint8_t, 16> nameBasedUuid(std::string_view name) {
    std::string input(kNamespace.begin(), kNamespace.end());
    input += name;
    const auto digest = sha1(input);
    std::array<std::uint8_t, 16> uuid{};
    for (int i = 0; i < 16; ++i)
        uuid[i] = digest[i];
    uuid[6] = static_cast<std::uint8_t>((uuid[6] & 0x0F) | 0x50);
    uuid[8] = static_cast<std::uint8_t>((uuid[8] & 0x3F) | 0x80);
    return uuid;
}

std::string compressedGuid(const std::array<std::uint8_t, 16>& uuid) {
    // 128 bits as 2 + 21 x 6: the first byte gives two characters (2 + 6
    // bits), then each three bytes four.
    std::string text;
    text.reserve(22);
    text += kAlphabet[uuid[0] >> 6];
    text += kAlphabet[uuid[0] & 0x3F];
    for (int i = 1; i < 16; i += 3) {
        const std::uint32_t group =
            (std::uint32_t(uuid[i]) << 16) | (std::uint32_t(uuid[i + 1]) << 8) | uuid[i + 2];
        for (int shift = 18; shift >= 0; shift -= 6)
            text += kAlphabet[(group >> shift) & 0x3F];
    }
    return text;
}

std::string ifcGlobalId(std::string_view designName, std::string_view role) {
    std::string name(designName);
    name += '\n';
    name += role;
    return compressedGuid(nameBasedUuid(name));
}

bool isValidGlobalId(std::string_view text) {
    if (text.size() != 22 || text[0] < '0' || text[0] > '3')
        return false;
    for (const char c : text) {
        if (std::string_view(kAlphabet).find(c) == std::string_view::npos)
            return false;
    }
    return true;
}

} // namespace haltrix::model
