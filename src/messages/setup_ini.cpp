#include "messages/setup_ini.h"

#include "core/app_state.h"
#include "core/limits.h"
#include "messages/language.h"
#include "messages/text_format.h"

#include <windows.h>

namespace {

std::string ReadMessage(int number, const std::string &fallback) {
    char buffer[kMaxSetupIniValue + 1];
    const std::string key = MessageKey(number);
    const DWORD length =
        GetPrivateProfileStringA(SetupIniSection(App().languageIndex), key.c_str(),
                                 fallback.c_str(), buffer, sizeof buffer, ".\\setup.ini");
    return CurrencySignsToLineFeeds(std::string(buffer, length));
}

} // namespace

std::string SetupIniMessage(int number) {
    return ReadMessage(number, "");
}

std::string SetupIniControlMessage(int number) {
    return ReadMessage(number, NotFoundText(MessageKey(number)));
}
