#include "tests/registration/registry_snapshot.h"

#include <algorithm>

#include "win32/registry_key.h"

namespace quillant::testing {
namespace {

std::wstring DescribeValue(const std::wstring& name, DWORD type, const std::vector<BYTE>& data, DWORD size) {
    std::wstring text = name + L"=" + std::to_wstring(type) + L":";
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
        text.append(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    } else {
        static const wchar_t digits[] = L"0123456789abcdef";
        for (DWORD i = 0; i < size; ++i) {
            text += digits[data[i] >> 4];
            text += digits[data[i] & 15];
        }
    }
    return text;
}

void Walk(HKEY key, const std::wstring& path, RegistrySnapshot& out) {
    DWORD subkeys = 0, values = 0, longestKey = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &longestKey, nullptr, &values, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
        return;
    }
    std::vector<std::wstring>& lines = out[path];
    std::vector<wchar_t> name(longestName + 2);
    std::vector<BYTE> data(longestData + 2);
    for (DWORD i = 0; i < values; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size()), size = static_cast<DWORD>(data.size()), type = 0;
        if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
            lines.push_back(DescribeValue(std::wstring(name.data(), nameLength), type, data, size));
        }
    }
    std::sort(lines.begin(), lines.end());

    std::vector<wchar_t> subkeyName(longestKey + 2);
    for (DWORD i = 0; i < subkeys; ++i) {
        DWORD length = static_cast<DWORD>(subkeyName.size());
        if (RegEnumKeyExW(key, i, subkeyName.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            continue;
        }
        const std::wstring child(subkeyName.data(), length);
        win32::RegistryKey opened;
        if (RegOpenKeyExW(key, child.c_str(), 0, KEY_READ, opened.Put()) == ERROR_SUCCESS) {
            Walk(opened.Get(), path + L"\\" + child, out);
        }
    }
}

}  // namespace

RegistrySnapshot TakeSnapshot(HKEY root, const std::wstring& path) {
    RegistrySnapshot snapshot;
    win32::RegistryKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS) Walk(key.Get(), path, snapshot);
    return snapshot;
}

std::string DescribeDifferences(const RegistrySnapshot& before, const RegistrySnapshot& after, size_t limit) {
    std::string text;
    size_t shown = 0;
    auto note = [&](const char* what, const std::wstring& key) {
        if (shown++ >= limit) return;
        text += what;
        text += ' ';
        for (wchar_t c : key) text += c < 128 ? static_cast<char>(c) : '?';
        text += '\n';
    };
    for (const auto& [key, values] : before) {
        const auto found = after.find(key);
        if (found == after.end()) {
            note("removed", key);
        } else if (found->second != values) {
            note("changed", key);
        }
    }
    for (const auto& [key, values] : after) {
        if (!before.count(key)) note("added", key);
    }
    return text;
}

}  // namespace quillant::testing
