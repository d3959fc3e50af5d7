#pragma once

// The text form of a catalog, as authors write it and catdump prints it
// (UTF-8; see README.md in this folder):
//
//   # comment
//   [BONJOUR]                 a message name (key parts NAME and SECTION)
//   [PART1/PART2/NAME]        a message name under other key parts
//   F = Bienvenue !\nSuite    a row: field letter (or !), '=', the text
//   -G = Alter Text           a deleted row
//
// In texts \n is a line feed, \t a tab, \\ a backslash and \xHH the code
// page 437 byte HH. One blank after '=' is part of the syntax; further
// leading blanks belong to the text.

#include "catalog_writer.h"

#include <string>
#include <vector>

namespace catalog {

// Parses the text form into rows with code page 437 texts. False with a
// message naming the line when the source is malformed or a character has no
// code page 437 form.
bool ParseCatalogSource(const std::string &utf8, std::vector<CatalogRow> &rows, std::string &error);

// The text form of rows (texts in code page 437), trailing blanks of the
// texts dropped; ParseCatalogSource gives the rows back.
std::string FormatCatalogSource(const std::vector<CatalogRow> &rows);

} // namespace catalog
