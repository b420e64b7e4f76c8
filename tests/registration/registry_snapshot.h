#pragma once
// Every key and value under a registry key, to tell whether something left
// the registry other than it found it.

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace quillant::testing {

// "path\\to\\key" -> "name=type:data" lines of its values, sorted.
using RegistrySnapshot = std::map<std::wstring, std::vector<std::wstring>>;

RegistrySnapshot TakeSnapshot(HKEY root, const std::wstring& path);

// The keys that differ between two snapshots, at most limit of them, for a
// readable failure message.
std::string DescribeDifferences(const RegistrySnapshot& before, const RegistrySnapshot& after, size_t limit = 10);

}  // namespace quillant::testing
