#pragma once

#include "platform/Controls.h"

namespace orvanto::win32 {

// The main window's class and its controls' ids, shared with the tests that drive the program.
inline constexpr const wchar_t* kMainClassName = L"OrvantoMain";
inline constexpr int kFirstControlId = 1000;  // clear of IDOK and IDCANCEL

constexpr int ControlId(Ctl control) { return kFirstControlId + static_cast<int>(Index(control)); }

// Resource ids: the lowest icon id becomes the program file's icon.
inline constexpr int kIconApp = 1;
inline constexpr int kIconGermanFlag = 2;
inline constexpr int kIconBritishFlag = 3;
inline constexpr int kIconFolderClosed = 4;
inline constexpr int kIconFolderOpen = 5;

}  // namespace orvanto::win32
