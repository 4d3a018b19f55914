#pragma once

#include "platform/Controls.h"
#include "win32/res/ResourceIds.h"

namespace orvanto::win32 {

// The main window's class and its controls' ids, shared with the tests that drive the program.
inline constexpr const wchar_t* kMainClassName = L"OrvantoMain";
inline constexpr int kFirstControlId = 1000;  // clear of IDOK and IDCANCEL

constexpr int ControlId(Ctl control) { return kFirstControlId + static_cast<int>(Index(control)); }

}  // namespace orvanto::win32
