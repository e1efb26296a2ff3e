// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/system_error_reason.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace haltrix {

std::string errnoReason(int error) {
    switch (error) {
    case ENOENT:
        return "ファイルまたはフォルダーがありません";
    case EACCES:
    case EPERM:
        return "アクセスが拒否されました";
    case ENOSPC:
        return "ディスクの空き容量が足りません";
    case EFBIG:
        return "ファイルが大きすぎます";
    case EROFS:
        return "読み取り専用の場所です";
    case EISDIR:
        return "フォルダーです";
    default:
        return std::strerror(error);
    }
}

#ifdef _WIN32
std::string windowsErrorReason(unsigned long error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "ファイルまたはフォルダーがありません";
    case ERROR_ACCESS_DENIED:
        return "アクセスが拒否されました";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "ほかのプログラムが使用しています";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "ディスクの空き容量が足りません";
    case ERROR_WRITE_PROTECT:
        return "読み取り専用の場所です";
    case ERROR_INVALID_NAME:
        return "ファイル名が正しくありません";
    default:
        return "Windows のエラー " + std::to_string(error);
    }
}
#endif

} // namespace haltrix
