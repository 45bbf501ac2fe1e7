// Helpers of the fuzz targets: readers that take a file name get the input as
// a file of their own extension in the process's temporary folder.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace FuzzSupport {

inline std::string InputFile(const uint8_t* Data, size_t Size, const std::string& Extension) {
  const auto Path = std::filesystem::temp_directory_path() /
                    ("kv_fuzz_" + std::to_string(::getpid()) + Extension);
  std::ofstream(Path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(Data),
                                                                 static_cast<std::streamsize>(Size));
  return Path.string();
}

inline std::string Text(const uint8_t* Data, size_t Size) {
  return std::string(reinterpret_cast<const char*>(Data), Size);
}

}  // namespace FuzzSupport
