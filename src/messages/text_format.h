#pragma once

#include <string>

// Text operations shared by every source of messages.

// The template with its first "[Insert String Here]" replaced by the
// insertion; a template without the marker comes back unchanged.
std::string InsertString(const std::string &templ, const std::string &insertion);

// The text with each %1 replaced by the name (texts of the string table).
std::string FillName(const std::string &text, const std::string &name);

// .\setup.ini cannot hold line breaks in a value: the currency sign (0xA4 in
// code page 1252) stands for one.
std::string CurrencySignsToLineFeeds(std::string text);

// "Message" followed by the number: the key of a message in .\setup.ini.
std::string MessageKey(int number);

// The text shown for a control message whose key is missing.
std::string NotFoundText(const std::string &key);
