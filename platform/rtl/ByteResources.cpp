#include "platform/rtl/ByteResources.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace {

std::string Key(const std::string& Name) {
  std::string k = Name;
  std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return k;
}

std::map<std::string, std::vector<uint8_t>>& Table() {
  static std::map<std::string, std::vector<uint8_t>> table;
  return table;
}

}  // namespace

void ByteResources::Register(const std::string& Name, std::vector<uint8_t> Data) {
  Table()[Key(Name)] = std::move(Data);
}

void ByteResources::Unregister(const std::string& Name) { Table().erase(Key(Name)); }

const std::vector<uint8_t>* ByteResources::Find(const std::string& Name) {
  const auto it = Table().find(Key(Name));
  return it == Table().end() ? nullptr : &it->second;
}

void ByteResources::Clear() { Table().clear(); }
