/* Resource ids, read by the resource script and by the code (so: macros only).
   The lowest icon id becomes the program file's icon. */
#pragma once

#define IDI_ORVANTO 1
#define IDI_FLAG_DE 2
#define IDI_FLAG_EN 3
#define IDI_FOLDER_CLOSED 4
#define IDI_FOLDER_OPEN 5
