#include "system/control_install.h"

#include "system/program_launch.h"

namespace {

std::string WithBackslash(std::string dir) {
    if (dir.empty() || dir.back() != '\\')
        dir += '\\';
    return dir;
}

} // namespace

ControlInstall PlanControlInstall(ComponentKind kind, const std::string &sourceDir,
                                  const std::string &installDir, const std::string &targetDir) {
    ControlInstall plan;
    std::string control;
    if (kind == ComponentKind::WebViewer) {
        plan.sourceFolder = sourceDir + "Vcwebvr\\";
        plan.targetFolder = installDir;
        plan.files = {"MFC42.DLL",    "MSVCIRT.DLL",  "MSVCRT.DLL",
                      "OLEAUT32.DLL", "OLEPRO32.DLL", "VCWEB32.OCX"};
        control = "VCWEB32.OCX";
    } else {
        const bool ownDirectory = !targetDir.empty();
        plan.sourceFolder = sourceDir + (ownDirectory ? "Vorandel\\" : "Webster\\");
        plan.targetFolder = ownDirectory ? WithBackslash(targetDir) : installDir;
        plan.files = {"MFC42.DLL",    "MSVCRT.DLL",   "OLEAUT32.DLL",
                      "OLEPRO32.DLL", "STDOLE32.TLB", "WEBPRO32.OCX"};
        control = "WEBPRO32.OCX";
    }
    plan.registration = CommandLinePath(plan.sourceFolder + "REGSVR32.EXE") + " " +
                        CommandLinePath(plan.targetFolder + control) + " /S";
    return plan;
}
