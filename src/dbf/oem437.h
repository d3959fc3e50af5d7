#pragma once

#include <cstdint>

// Code page 437, the DOS code page the catalog tables are written in.
namespace dbf {

// The character a code page 437 byte stands for (bytes below 0x80 are ASCII).
char32_t OemToUnicode(uint8_t byte);

// The code page 437 byte of a character, or -1 when the code page lacks it.
int UnicodeToOem(char32_t character);

// Converts a zero-terminated code page 437 text to code page 1252 in place;
// characters 1252 lacks (box drawing, most Greek) become '?'. This is what
// the system's OEM-to-ANSI conversion does on a machine with those two code
// pages, and it stands in for it where there is no such system call.
void Oem437ToAnsi1252(char *text);

} // namespace dbf
