/* The program's version, read by the code and by the resource script (so: macros only). */
#pragma once

#define ORVANTO_VERSION_MAJOR 1
#define ORVANTO_VERSION_MINOR 0
#define ORVANTO_VERSION_REVISION 8
#define ORVANTO_VERSION_TEXT "1.00.0008"
