// A CD copied to a folder anyone may write to, with a version.dll left
// beside setup.exe: a whole installation from it never loads nor calls that
// file.
// Wine prefers its own copy of a system DLL; the ctest entry e2e_dll_search
// has WINEDLLOVERRIDES name version=n,b, which makes it look in the
// program's folder first, as Windows does.

#include "e2e_files.h"
#include "e2e_support.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <string>

using namespace e2e;

namespace {

constexpr char kCdDir[] = "D:\\cases\\planted-dll";
constexpr char kMarker[] = "D:\\cases\\planted-dll\\VERSION.LOADED";

// The sample CD in kCdDir with the planted version.dll beside its setup.exe,
// and a program that imports version.dll at load time.
bool CopySampleCdWithPlantedDll() {
    WaitForSetupWindowsToGo();
    RemoveTree(kCdDir);
    CreateDirectoryA("D:\\cases", nullptr);
    SHFILEOPSTRUCTA copy{};
    copy.wFunc = FO_COPY;
    copy.pFrom = "D:\\democd\0";
    copy.pTo = "D:\\cases\\planted-dll\0";
    copy.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI | FOF_SILENT;
    if (SHFileOperationA(&copy) != 0)
        return false;
    for (const char *file : {"version.dll", "planted_version_importer.exe"}) {
        const std::string to = std::string(kCdDir) + "\\" + file;
        if (!CopyFileA((std::string("D:\\bin\\planted\\") + file).c_str(), to.c_str(), FALSE))
            return false;
    }
    return Exists(std::string(kCdDir) + "\\setup.exe");
}

} // namespace

TEST(DllSearch, VersionDllBesideSetupIsNeitherLoadedBySetupNorCalledDuringAnInstallation) {
    ASSERT_TRUE(CopySampleCdWithPlantedDll());

    // This world does load and call a version.dll lying beside a program
    // that imports it: without that the scenario would prove nothing.
    {
        ui::Program importer(std::string(kCdDir) + "\\planted_version_importer.exe", kCdDir);
        ASSERT_TRUE(importer.Running());
        importer.WaitExit(15000);
    }
    const std::string control = ReadBytes(kMarker, "");
    ASSERT_NE(control.find("planted_version_importer.exe called GetFileVersionInfoSizeA"),
              std::string::npos)
        << "the planted version.dll was not used even by a program importing it "
           "(WINEDLLOVERRIDES=version=n,b missing?): "
        << control;
    ASSERT_TRUE(DeleteFileA(kMarker));

    // The sample CD looks up a component's version on the way.
    RemoveTree("C:\\Demo Title");
    ASSERT_NO_FATAL_FAILURE(InstallAndConfirm(kCdDir, "Setup is finished.", 60000,
                                              std::string(kCdDir) + "\\setup.exe"));

    // Wine's own user32.dll imports version.dll, and Wine looks for a system
    // library's imports in the program's folder too (Windows takes them from
    // the system folder): the file may be mapped at start-up whatever setup
    // does. Setup itself never asks for it and never calls it.
    const std::string record = ReadBytes(kMarker, "");
    EXPECT_EQ(record.find("on request"), std::string::npos) << record;
    EXPECT_EQ(record.find("called"), std::string::npos) << record;
    RemoveTree(kCdDir);
}
