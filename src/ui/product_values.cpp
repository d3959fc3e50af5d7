#include "ui/product_values.h"

std::string WithBackslash(std::string dir) {
    if (!dir.empty() && dir.back() != '\\')
        dir += '\\';
    return dir;
}

std::uint32_t MegabytesToBytes(const std::string &value) {
    std::size_t i = 0;
    while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-'))
        negative = value[i++] == '-';
    std::uint32_t megabytes = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        megabytes = megabytes * 10u + static_cast<std::uint32_t>(value[i] - '0');
    }
    if (negative)
        megabytes = 0u - megabytes;
    return megabytes << 20;
}

std::string SourceDirectoryOf(const std::string &currentDir, const std::string &value) {
    if (value == ".")
        return currentDir;
    return WithBackslash(currentDir + value);
}
