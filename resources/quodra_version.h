// The version of Quodra: the one value the program's version line, the version resources of every file and
// the release package's name are made from. Plain preprocessor lines, so the .rc scripts and
// tools/release.sh read it as well as the code.
#pragma once

#define QUODRA_VERSION_MAJOR 1
#define QUODRA_VERSION_MINOR 4

// The version as text, "1.04": the minor number always has two digits.
#define QUODRA_VERSION_STRINGIZE_(value) #value
#define QUODRA_VERSION_STRINGIZE(value) QUODRA_VERSION_STRINGIZE_(value)
#if QUODRA_VERSION_MINOR < 10
#define QUODRA_VERSION_TEXT QUODRA_VERSION_STRINGIZE(QUODRA_VERSION_MAJOR) ".0" QUODRA_VERSION_STRINGIZE(QUODRA_VERSION_MINOR)
#else
#define QUODRA_VERSION_TEXT QUODRA_VERSION_STRINGIZE(QUODRA_VERSION_MAJOR) "." QUODRA_VERSION_STRINGIZE(QUODRA_VERSION_MINOR)
#endif

#define QUODRA_PRODUCT_NAME "Quodra"
#define QUODRA_COPYRIGHT "Copyright (C) 2026 Quodra project"
