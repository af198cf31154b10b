#pragma once

// Version of the program, shown in the version resource and read back at start-up.
#define TSY_VERSION_MAJOR 1
#define TSY_VERSION_MINOR 0
#define TSY_VERSION_RELEASE 0
#define TSY_VERSION_BUILD 1
#define TSY_VERSION_TEXT "1.0.0.1"

#define IDI_MAINICON 1
