#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

// A fresh folder of the Wine world's temporary directory per test, removed
// with everything in it afterwards.
class TempFolder {
public:
    TempFolder() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        for (unsigned n = GetTickCount();; ++n) {
            path_ = std::string(base) + "files-" + std::to_string(n) + "\\";
            if (CreateDirectoryA(path_.c_str(), nullptr))
                break;
        }
    }
    ~TempFolder() { Remove(path_); }
    const std::string &Path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + name; }

private:
    static void Remove(const std::string &dir) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((dir + "*.*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..")
                    continue;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(dir + name + "\\");
                } else {
                    SetFileAttributesA((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA((dir + name).c_str());
                }
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(dir.c_str());
    }
    std::string path_;
};

inline void WriteBytes(const std::string &path, const std::string &bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

inline std::string ReadBytes(const std::string &path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

inline bool Exists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A time stamp some whole seconds after a fixed day in 2001.
inline FILETIME Stamp(std::int64_t seconds) {
    const std::uint64_t ticks = 126'200'000'000'000'000ull + seconds * 10'000'000ull;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

inline void SetTimes(const std::string &path, FILETIME modified, FILETIME created) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    ASSERT_TRUE(SetFileTime(file, &created, nullptr, &modified));
    CloseHandle(file);
    SetFileAttributesA(path.c_str(), attributes);
}

inline FILETIME ModifiedTime(const std::string &path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

inline bool SameTime(FILETIME a, FILETIME b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}
