#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vornelik {

// The length of a file in bytes; throws Failure when there is no such file or it is longer than
// a signed 32-bit length can say.
std::int32_t fileLength(const std::wstring& path);

// The whole file, byte for byte, followed by one 0. Throws Failure unless every byte was read.
std::vector<std::uint8_t> readSoundFile(const std::wstring& path);

}  // namespace vornelik
