#pragma once

#include "core/script_commands.h"
#include "script/graph_caps.h"

#include <memory>
#include <string>
#include <vector>

struct RunState;
class InstallView;

// The script talking to the user during the run: MESSAGE and TEST.
class DisplayCommands {
public:
    virtual ~DisplayCommands() = default;
    virtual void Run(const MessageCommand &command) = 0;
    virtual void Run(const TestCommand &command) = 0;
};

// What MESSAGE and TEST need from the machine: message texts, the language
// and the screen. Setup supplies the real ones; tests never change the
// display of the machine they run on.
class DisplaySystem {
public:
    virtual ~DisplaySystem() = default;
    virtual bool CatalogAvailable() const = 0;
    virtual int LanguageIndex() const = 0;
    // A numbered message for the message area: the catalog's "MESSAGE<n>"
    // or the .\setup.ini text of the language.
    virtual std::string NumberedMessage(int number) = 0;
    virtual DisplayMode CurrentMode() = 0;
    // The modes the display offers, in its own order.
    virtual std::vector<DisplayMode> Modes() = 0;
    // Switches the display, for good (the change outlives setup).
    virtual void ChangeMode(const DisplayMode &mode) = 0;
};

std::unique_ptr<DisplayCommands> MakeDisplayCommands(InstallView &view,
                                                     std::unique_ptr<DisplaySystem> system);
std::unique_ptr<DisplayCommands> MakeDisplayCommands(const RunState &run, InstallView &view);
