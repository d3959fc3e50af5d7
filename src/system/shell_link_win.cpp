#include "system/shell_link_win.h"

#include "core/install_view.h"
#include "system/shortcut_names.h"

#include <objidl.h>
#include <shlobj.h>

#include <cstdint>

namespace {

constexpr std::uint32_t kSettleTicks = 50;
// The fast timer may not tick at all (no window yet, or a stopped timer):
// the settling wait never lasts longer than this.
constexpr DWORD kSettleLimitMs = 2000;
// SLR_NO_UI with a one-second resolve time-out in the high word.
constexpr DWORD kResolveFlags = SLR_NO_UI | (1000u << 16);

// Releases a COM interface when it goes out of scope.
template <typename T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr &) = delete;
    ComPtr &operator=(const ComPtr &) = delete;
    ~ComPtr() {
        if (p_)
            p_->Release();
    }
    T *operator->() const { return p_; }
    T *Get() const { return p_; }
    void **Out() { return reinterpret_cast<void **>(&p_); }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T *p_ = nullptr;
};

HRESULT MakeShellLink(ComPtr<IShellLinkA> &link) {
    return CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                            link.Out());
}

// Lets the window live while the shell settles: until the fast timer moved
// on by more than the settle count, the window is gone, or the time limit.
void Settle(InstallView &view) {
    const std::uint32_t start = view.FastTicks();
    const DWORD started = GetTickCount();
    while (view.FastTicks() - start <= kSettleTicks && GetTickCount() - started < kSettleLimitMs) {
        if (!view.PumpMessage())
            break;
    }
}

// The ANSI path as the wide name IPersistFile takes (its one interface on
// every system, the Windows 95 family included).
bool WideName(const std::string &path, WCHAR (&wide)[MAX_PATH]) {
    wide[0] = 0;
    return MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) > 0;
}

} // namespace

HRESULT CreateShellLink(InstallView &view, const std::string &target, const std::string &arguments,
                        const std::string &linkPath, const std::string &description,
                        const std::string &iconPath) {
    const std::string workingDir = WorkingDirectoryOf(target);
    ComPtr<IShellLinkA> link;
    HRESULT status = MakeShellLink(link);
    Settle(view);
    if (FAILED(status) || !link)
        return FAILED(status) ? status : E_FAIL;

    link->SetPath(target.c_str());
    link->SetArguments(arguments.c_str());
    link->SetWorkingDirectory(workingDir.c_str());
    link->SetDescription(description.c_str());
    if (!iconPath.empty())
        link->SetIconLocation(iconPath.c_str(), 0);

    ComPtr<IPersistFile> file;
    status = link->QueryInterface(IID_IPersistFile, file.Out());
    if (FAILED(status) || !file)
        return FAILED(status) ? status : E_FAIL;
    WCHAR wide[MAX_PATH];
    if (!WideName(linkPath, wide))
        return E_INVALIDARG;
    status = file->Save(wide, TRUE);
    file->SaveCompleted(wide);
    return status;
}

namespace {

// A shell link object with the link file loaded into it.
HRESULT LoadShellLink(const std::string &linkPath, ComPtr<IShellLinkA> &link) {
    HRESULT status = MakeShellLink(link);
    if (FAILED(status) || !link)
        return FAILED(status) ? status : E_FAIL;
    ComPtr<IPersistFile> file;
    status = link->QueryInterface(IID_IPersistFile, file.Out());
    if (FAILED(status) || !file)
        return FAILED(status) ? status : E_FAIL;
    WCHAR wide[MAX_PATH];
    if (!WideName(linkPath, wide))
        return E_INVALIDARG;
    return file->Load(wide, STGM_READ);
}

} // namespace

HRESULT ResolveShellLink(HWND owner, const std::string &linkPath, std::string &target) {
    target.clear();
    ComPtr<IShellLinkA> link;
    HRESULT status = LoadShellLink(linkPath, link);
    if (FAILED(status))
        return status;
    status = link->Resolve(owner, kResolveFlags);
    if (FAILED(status))
        return status;
    char path[MAX_PATH] = {};
    status = link->GetPath(path, MAX_PATH, nullptr, 0);
    if (FAILED(status))
        return status;
    char description[MAX_PATH] = {};
    status = link->GetDescription(description, MAX_PATH);
    if (FAILED(status))
        return status;
    target = path;
    return S_OK;
}

HRESULT ReadShellLinkTarget(const std::string &linkPath, std::string &target) {
    target.clear();
    ComPtr<IShellLinkA> link;
    HRESULT status = LoadShellLink(linkPath, link);
    if (FAILED(status))
        return status;
    char path[MAX_PATH] = {};
    status = link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH);
    if (FAILED(status))
        return status;
    target = path;
    return S_OK;
}
