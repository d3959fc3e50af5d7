#include "script/display_commands.h"

#include "core/app_state.h"
#include "core/ascii.h"
#include "messages/catalog.h"
#include "messages/setup_ini.h"
#include "messages/text_format.h"

#include <windows.h>

namespace {

class WinDisplaySystem : public DisplaySystem {
public:
    bool CatalogAvailable() const override { return ::CatalogAvailable(); }
    int LanguageIndex() const override { return App().languageIndex; }

    std::string NumberedMessage(int number) override {
        if (!::CatalogAvailable())
            return SetupIniControlMessage(number);
        return ScriptText(ToUpperAscii(MessageKey(number)).c_str());
    }

    DisplayMode CurrentMode() override {
        HDC screen = GetDC(nullptr);
        DisplayMode mode;
        mode.width = static_cast<std::uint32_t>(GetDeviceCaps(screen, HORZRES));
        mode.height = static_cast<std::uint32_t>(GetDeviceCaps(screen, VERTRES));
        mode.bitsPerPixel = static_cast<std::uint32_t>(GetDeviceCaps(screen, BITSPIXEL));
        ReleaseDC(nullptr, screen);
        return mode;
    }

    std::vector<DisplayMode> Modes() override {
        std::vector<DisplayMode> modes;
        DEVMODEA devMode{};
        devMode.dmSize = sizeof devMode;
        // A driver that never says "no more" must not hold the install.
        constexpr DWORD kMostModes = 65536;
        for (DWORD i = 0; i < kMostModes && EnumDisplaySettingsA(nullptr, i, &devMode); ++i) {
            modes.push_back({devMode.dmPelsWidth, devMode.dmPelsHeight, devMode.dmBitsPerPel,
                             devMode.dmDisplayFlags, devMode.dmDisplayFrequency});
        }
        return modes;
    }

    void ChangeMode(const DisplayMode &mode) override {
        DEVMODEA devMode{};
        devMode.dmSize = sizeof devMode;
        devMode.dmFields =
            DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS | DM_DISPLAYFREQUENCY;
        devMode.dmBitsPerPel = mode.bitsPerPixel;
        devMode.dmPelsWidth = mode.width;
        devMode.dmPelsHeight = mode.height;
        devMode.dmDisplayFlags = mode.displayFlags;
        devMode.dmDisplayFrequency = mode.frequency;
        ChangeDisplaySettingsA(&devMode, CDS_UPDATEREGISTRY);
    }
};

} // namespace

std::unique_ptr<DisplayCommands> MakeDisplayCommands(const RunState &, InstallView &view) {
    return MakeDisplayCommands(view, std::make_unique<WinDisplaySystem>());
}
