#include "e2e_files.h"

#include <windows.h>

#include <cstdio>

namespace e2e {

std::string ReadBytes(const std::string &path, const std::string &missing) {
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file)
        return missing;
    std::string bytes;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    std::fclose(file);
    return bytes;
}

bool WriteBytes(const std::string &path, const std::string &bytes) {
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool Exists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string &dir) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = dir + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(dir.c_str());
}

std::string StandInRecord(const char *program, const char *key) {
    char text[1024] = "";
    GetPrivateProfileStringA(program, key, "<not run>", text, sizeof text, "SAMPLECD.INI");
    return text;
}

void ForgetStandIns() {
    char dir[MAX_PATH] = "";
    GetWindowsDirectoryA(dir, MAX_PATH);
    DeleteFileA((std::string(dir) + "\\SAMPLECD.INI").c_str());
    GetSystemDirectoryA(dir, MAX_PATH);
    DeleteFileA((std::string(dir) + "\\DEMOCOMP.DLL").c_str());
}

} // namespace e2e
