#include "messages/text_ids.h"

#include "messages/language.h"

const char *CatalogNameOfMessage(int number) {
    if (number >= kTextFinished && number < kTextFinished + kLanguageCount)
        return "END_INSTALL";
    if (number >= kTextFinishedRestart && number < kTextFinishedRestart + kLanguageCount)
        return "END_INSTALL_REBOOT";
    return nullptr;
}
