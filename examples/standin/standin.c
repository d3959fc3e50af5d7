/* A stand-in for the outside programs a product CD starts: the registration
   program of a web control, an outside component installer and a product's
   own tool. It records how it was started in SAMPLECD.INI of the Windows
   directory, in a section named after its file name: "Command line" and
   "Folder" (its working directory), each written in double quotes, which the
   profile functions take off again on reading. When an .INI file of its own name
   lies beside it, it also installs like a component installer: the file
   named by key "copy" of section [install], taken from its own folder, is
   copied into the system directory ("Installed" holds where to).

   It uses kernel32 only, without the C run-time: the registration program
   runs from a CD folder that also holds the control's run-time DLLs, and a
   program importing msvcrt.dll (or a system DLL that does, as advapi32.dll
   may) would load the copy found beside it. */

#include <windows.h>

#define TEXT_SIZE (MAX_PATH + 64)

static void Append(char *to, const char *text) {
    const int used = lstrlenA(to);
    lstrcpynA(to + used, text, TEXT_SIZE - used);
}

/* The position just after the last backslash of a path. */
static char *FileNamePart(char *path) {
    char *name = path;
    char *at;
    for (at = path; *at; ++at)
        if (*at == '\\')
            name = at + 1;
    return name;
}

static void Record(const char *section, const char *name, const char *text) {
    char quoted[TEXT_SIZE + 2];
    lstrcpynA(quoted, "\"", 2);
    lstrcpynA(quoted + 1, text, TEXT_SIZE);
    Append(quoted, "\"");
    WritePrivateProfileStringA(section, name, quoted, "SAMPLECD.INI");
}

/* Copies the file the .INI beside this program names into the system
   directory. Writes the target into "installed", or leaves it empty. */
static void InstallComponent(const char *self, char *installed) {
    char ini[TEXT_SIZE];
    char source[TEXT_SIZE];
    char file[MAX_PATH];
    char *dot;
    installed[0] = '\0';
    lstrcpynA(ini, self, TEXT_SIZE);
    dot = FileNamePart(ini);
    while (*dot && *dot != '.')
        ++dot;
    lstrcpynA(dot, ".INI", TEXT_SIZE - (int)(dot - ini));
    if (GetFileAttributesA(ini) == INVALID_FILE_ATTRIBUTES)
        return;
    if (GetPrivateProfileStringA("install", "copy", "", file, MAX_PATH, ini) == 0)
        return;
    lstrcpynA(source, self, TEXT_SIZE);
    *FileNamePart(source) = '\0';
    Append(source, FileNamePart(file));
    if (GetSystemDirectoryA(installed, MAX_PATH) == 0)
        return;
    Append(installed, "\\");
    Append(installed, FileNamePart(file));
    if (!CopyFileA(source, installed, FALSE))
        installed[0] = '\0';
}

void WINAPI StandInStart(void) {
    char self[TEXT_SIZE];
    char folder[TEXT_SIZE];
    char installed[TEXT_SIZE];
    const char *section;

    self[0] = folder[0] = '\0';
    GetModuleFileNameA(NULL, self, MAX_PATH);
    GetCurrentDirectoryA(MAX_PATH, folder);
    InstallComponent(self, installed);

    section = FileNamePart(self);
    Record(section, "Command line", GetCommandLineA());
    Record(section, "Folder", folder);
    Record(section, "Installed", installed);
    ExitProcess(0);
}
