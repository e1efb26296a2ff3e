// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_replace.h"

#include <random>
#include <sstream>

#include "files/system_error_reason.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace haltrix {

namespace {

std::string cannotWrite(const std::string& reason) {
    return "書き込めません（" + reason + "）";
}

std::string writeFailed(const std::string& reason) {
    return "書き込みに失敗しました（" + reason + "）";
}

std::filesystem::path temporaryPathFor(const std::filesystem::path& target) {
    std::random_device device;
    std::ostringstream suffix;
    suffix << ".tmp-" << std::hex << device() << device();
    std::filesystem::path temporary = target;
    temporary += suffix.str();
    return temporary;
}

#ifdef _WIN32

std::optional<std::string> writeAndReplace(const std::filesystem::path& temporary,
                                           const std::filesystem::path& target,
                                           std::string_view bytes) {
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return cannotWrite(windowsErrorReason(GetLastError()));
    auto abandon = [&](const std::string& text) {
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        DeleteFileW(temporary.c_str());
        return text;
    };
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr))
            return abandon(writeFailed(windowsErrorReason(GetLastError())));
        data += written;
        left -= written;
    }
    if (!FlushFileBuffers(file))
        return abandon(writeFailed(windowsErrorReason(GetLastError())));
    const BOOL closed = CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
    if (!closed)
        return abandon(writeFailed(windowsErrorReason(GetLastError())));
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return abandon(cannotWrite(windowsErrorReason(GetLastError())));
    return std::nullopt;
}

#else

// The folder's entry for the renamed file reaches the disk only with the
// folder itself. The file is already in place when this runs, so a folder
// that cannot be synced (some file systems refuse) does not fail the save.
void syncFolder(const std::filesystem::path& folder) {
    const std::string name = folder.empty() ? std::string(".") : folder.string();
    const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

std::optional<std::string> writeAndReplace(const std::filesystem::path& temporary,
                                           const std::filesystem::path& target,
                                           std::string_view bytes) {
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return cannotWrite(errnoReason(errno));
    auto abandon = [&](const std::string& text) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.c_str());
        return text;
    };
    // The replaced file keeps its permissions; where they cannot be given,
    // the new file has the usual ones.
    struct stat existing;
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(fd, existing.st_mode & 07777);
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return abandon(writeFailed(errnoReason(errno)));
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0)
        return abandon(writeFailed(errnoReason(errno)));
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return abandon(writeFailed(errnoReason(errno)));
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return abandon(cannotWrite(errnoReason(errno)));
    syncFolder(target.parent_path());
    return std::nullopt;
}

#endif

} // namespace

std::optional<std::string> replaceFile(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code ec;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(target, ec)) {
        const auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    // Said the same way on every system (a rename over a folder fails with
    // different errors).
    if (std::filesystem::is_directory(target, ec))
        return cannotWrite("フォルダーです");
    return writeAndReplace(temporaryPathFor(target), target, bytes);
}

} // namespace haltrix
