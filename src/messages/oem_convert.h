#pragma once

// Makes the catalog convert its texts with the system's OEM-to-ANSI call, so
// they follow the machine's code pages. Without it the catalog converts from
// code page 437 to 1252 itself. Call once at start-up, before the catalog
// opens.
void UseSystemOemConversion();
