// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The 26-byte sound behind the expected files in tests/data.
inline const std::vector<std::uint8_t> kSoundBytes = {
    128, 130, 135, 141, 150, 162, 175, 190, 205, 220, 233, 243, 250,
    255, 252, 245, 234, 220, 204, 187, 170, 152, 135, 120, 105, 92,
};

// The sound as the window holds it: its bytes and one 0.
inline std::vector<std::uint8_t> soundDataOf(std::vector<std::uint8_t> bytes) {
    bytes.push_back(0);
    return bytes;
}

inline std::string expectedFile(const std::string& name) {
    std::ifstream in(std::string(VORNELIK_TEST_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
