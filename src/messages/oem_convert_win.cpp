#include "messages/oem_convert.h"

#include "core/app_state.h"

#include <windows.h>

void UseSystemOemConversion() {
    App().catalog.engine.oemToAnsi = [](char *text) { OemToCharA(text, text); };
}
