// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace haltrix {

// A short Japanese reason for the usual file-system errors, for the messages
// of the design file; other errors are named by the system's own text or code.
std::string errnoReason(int error);

#ifdef _WIN32
// The same for an error code of the Windows API (GetLastError()).
std::string windowsErrorReason(unsigned long error);
#endif

} // namespace haltrix
