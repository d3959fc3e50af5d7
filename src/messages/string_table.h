#pragma once

#include <string>

// A text of the program's own string table ("" when the id has none).
std::string ResourceText(int id);

// The text of a group (see text_ids.h) in the current language.
std::string GroupText(int groupBase);
