#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// A generated product tree: one big file, medium files and small files in
// three folders.
struct Tree {
    std::vector<std::string> dirs;  // relative, created first
    std::vector<std::string> files; // relative; the big file first, then medium, then small
    std::size_t bigBytes = 0;
    int mediumFiles = 0;
};

Tree MakeTreeList(std::size_t bigBytes, int mediumFiles, int smallFiles);

bool WriteFilled(const std::string &path, std::size_t size, char fill);

// Writes the tree below root (ending in a backslash) once; later calls see
// the "ready" mark and return at once.
void GenerateTree(const std::string &root, const Tree &tree);

// Reads the whole tree once, untimed, so every variant starts from a warm
// page cache.
void Warm(const std::string &root, const Tree &tree);

double Seconds(LARGE_INTEGER start, LARGE_INTEGER end);
double Median(std::vector<double> values);

// Copies the tree file by file with copyOne(source, target) into target (a
// never-used folder) and returns the seconds it took; ends the program if a
// copy fails.
template <typename CopyOne>
double TimeCopy(const std::string &source, const std::string &target, const Tree &tree,
                CopyOne copyOne) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    CreateDirectoryA(target.c_str(), nullptr);
    for (const auto &dir : tree.dirs)
        CreateDirectoryA((target + dir).c_str(), nullptr);
    for (const auto &file : tree.files) {
        if (!copyOne(source + file, target + file)) {
            std::fprintf(stderr, "copy failed: %s\n", file.c_str());
            std::exit(1);
        }
    }
    QueryPerformanceCounter(&end);
    return Seconds(start, end);
}
