#pragma once
// ByteResources: the program's table of named byte resources (the data that
// "RES://" picture names and resource loaders look up). Names compare without
// regard to case. The program registers none; tests and later units may.

#include <cstdint>
#include <string>
#include <vector>

namespace ByteResources {

// Adds or replaces the resource Name.
void Register(const std::string& Name, std::vector<uint8_t> Data);
void Unregister(const std::string& Name);
// The bytes of Name; nullptr when no such resource exists.
const std::vector<uint8_t>* Find(const std::string& Name);
// Empties the table (tests).
void Clear();

}  // namespace ByteResources
