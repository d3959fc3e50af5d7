#include "bench_tree.h"

#include <algorithm>

Tree MakeTreeList(std::size_t bigBytes, int mediumFiles, int smallFiles) {
    Tree tree;
    tree.bigBytes = bigBytes;
    tree.mediumFiles = mediumFiles;
    tree.dirs = {"big", "medium", "small"};
    tree.files.push_back("big\\huge.bin");
    for (int i = 0; i < mediumFiles; ++i)
        tree.files.push_back("medium\\m" + std::to_string(i) + ".bin");
    for (int i = 0; i < smallFiles; ++i)
        tree.files.push_back("small\\s" + std::to_string(i) + ".bin");
    return tree;
}

bool WriteFilled(const std::string &path, std::size_t size, char fill) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> block(1 << 20, fill);
    std::size_t left = size;
    bool ok = true;
    while (left > 0 && ok) {
        DWORD n = static_cast<DWORD>(std::min(left, block.size())), written = 0;
        ok = WriteFile(file, block.data(), n, &written, nullptr) && written == n;
        left -= n;
    }
    CloseHandle(file);
    return ok;
}

void GenerateTree(const std::string &root, const Tree &tree) {
    if (GetFileAttributesA((root + "ready").c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    CreateDirectoryA(root.c_str(), nullptr);
    for (const auto &dir : tree.dirs)
        CreateDirectoryA((root + dir).c_str(), nullptr);
    WriteFilled(root + tree.files[0], tree.bigBytes, 'h');
    for (std::size_t i = 1; i < tree.files.size(); ++i) {
        const bool medium = i <= static_cast<std::size_t>(tree.mediumFiles);
        WriteFilled(root + tree.files[i], medium ? 100 * 1024 : 1024,
                    static_cast<char>('a' + i % 26));
    }
    WriteFilled(root + "ready", 0, 0);
}

void Warm(const std::string &root, const Tree &tree) {
    std::vector<char> block(1 << 20);
    for (const auto &file : tree.files) {
        HANDLE h = CreateFileA((root + file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        DWORD got = 0;
        while (ReadFile(h, block.data(), static_cast<DWORD>(block.size()), &got, nullptr) && got)
            ;
        CloseHandle(h);
    }
}

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
