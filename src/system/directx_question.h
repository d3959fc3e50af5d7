#pragma once

#include <string>

// The question before DirectX is installed: "&1" of the text, where it has
// one, is replaced by the inserted text (the first one only).
std::string DirectXQuestionText(std::string text, const std::string &insertion);
