#include "messages/string_table.h"

#include "core/app_state.h"

#include <windows.h>

std::string ResourceText(int id) {
    char buffer[2048];
    const int length = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), buffer,
                                   static_cast<int>(sizeof buffer));
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string GroupText(int groupBase) {
    return ResourceText(groupBase + App().languageIndex);
}
