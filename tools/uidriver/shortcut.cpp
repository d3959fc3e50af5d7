#include "shortcut.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

namespace ui {

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    LPITEMIDLIST list = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) {
        SHGetPathFromIDListA(list, path);
        CoTaskMemFree(list);
    }
    return path;
}

Shortcut ReadShortcut(const std::string &linkFile) {
    Shortcut fields;
    IShellLinkA *link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void **>(&link))))
        return fields;
    IPersistFile *persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&persist)))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, linkFile.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
            fields.loaded = true;
            char text[MAX_PATH] = {};
            link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
            fields.target = text;
            text[0] = 0;
            link->GetArguments(text, MAX_PATH);
            fields.arguments = text;
            text[0] = 0;
            link->GetWorkingDirectory(text, MAX_PATH);
            fields.workingDirectory = text;
            text[0] = 0;
            link->GetDescription(text, MAX_PATH);
            fields.description = text;
            text[0] = 0;
            link->GetIconLocation(text, MAX_PATH, &fields.iconIndex);
            fields.iconPath = text;
        }
        persist->Release();
    }
    link->Release();
    return fields;
}

} // namespace ui
