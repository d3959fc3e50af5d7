#include "system/directx_question.h"

std::string DirectXQuestionText(std::string text, const std::string &insertion) {
    const std::size_t at = text.find("&1");
    if (at != std::string::npos)
        text.replace(at, 2, insertion);
    return text;
}
