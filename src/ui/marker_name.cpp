#include "ui/marker_name.h"

#include <cctype>
#include <cstdio>

MarkerInfo ParseMarkerName(const std::string &name) {
    MarkerInfo info;
    info.diskOne = !name.empty() && name.back() == '1';
    info.productCode = name.substr(0, 4);
    for (char &c : info.productCode)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name.size() > 4)
        info.languageLetter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[4])));

    // The layout of the name is read the way it always was: five characters,
    // a number of at most three digits, four characters. Widths bound every
    // field, so an odd name can only leave the version at 0.
    char prefix[6] = {};
    char suffix[5] = {};
    int version = 0;
    if (std::sscanf(name.c_str(), "%5s%3d%4s", prefix, &version, suffix) >= 2)
        info.version = version;
    return info;
}
