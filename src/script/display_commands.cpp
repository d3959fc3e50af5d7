#include "script/display_commands.h"

#include "core/install_view.h"

namespace {

class ScreenDisplayCommands : public DisplayCommands {
public:
    ScreenDisplayCommands(InstallView &view, std::unique_ptr<DisplaySystem> system)
        : view_(view), system_(std::move(system)) {}

    void Run(const MessageCommand &command) override {
        view_.SetMessage(system_->NumberedMessage(command.number));
    }

    // GRAPHCAPS: a screen too small or with too few colours is told and then
    // switched to the best mode it offers; any other test is passed over.
    void Run(const TestCommand &command) override {
        const auto test = ReadGraphCapsTest(command, system_->CatalogAvailable());
        if (!test)
            return;
        const DisplayMode current = system_->CurrentMode();
        if (ScreenSuffices(current, *test))
            return; // the modes are not even asked for
        const auto mode = ChooseDisplayMode(current, *test, system_->Modes());
        if (!mode)
            return;
        MessageRequest request;
        request.mode = 1;
        request.number = test->messageNumber;
        request.insert = true;
        request.insertion = ModeText(*test, system_->LanguageIndex());
        request.width = test->windowWidth;
        request.height = test->windowHeight;
        view_.ShowMessage(request);
        system_->ChangeMode(*mode);
    }

private:
    InstallView &view_;
    std::unique_ptr<DisplaySystem> system_;
};

} // namespace

std::unique_ptr<DisplayCommands> MakeDisplayCommands(InstallView &view,
                                                     std::unique_ptr<DisplaySystem> system) {
    return std::make_unique<ScreenDisplayCommands>(view, std::move(system));
}
