// SPDX-License-Identifier: GPL-3.0-or-later
#include "console_output.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <streambuf>
#include <string>

#include "paper/utf8.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

namespace haltrix::cli {

std::size_t wholeUtf8Characters(std::string_view utf8) {
    // The last lead byte within the last four bytes decides.
    const std::size_t size = utf8.size();
    for (std::size_t back = 1; back <= std::min<std::size_t>(4, size); ++back) {
        const auto byte = static_cast<unsigned char>(utf8[size - back]);
        if (isUtf8Continuation(byte))
            continue;
        const std::size_t length = byte < 0x80            ? 1
                                   : (byte & 0xE0) == 0xC0 ? 2
                                   : (byte & 0xF0) == 0xE0 ? 3
                                   : (byte & 0xF8) == 0xF0 ? 4
                                                           : 1;
        return back < length ? size - back : size;
    }
    return size;
}

#ifdef _WIN32

namespace {

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_CHAR &&
           GetConsoleMode(handle, &mode);
}

std::wstring wideOf(std::string_view utf8) {
    if (utf8.empty())
        return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

void writeConsole(HANDLE console, std::string_view utf8) {
    const std::wstring wide = wideOf(utf8);
    const wchar_t* next = wide.data();
    std::size_t left = wide.size();
    while (left > 0) {
        // The console takes a limited amount at once.
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(left, 8192));
        DWORD written = 0;
        if (!WriteConsoleW(console, next, piece, &written, nullptr) || written == 0)
            return;
        next += written;
        left -= written;
    }
}

// Collects what a stream writes and hands the console whole characters,
// at each line's end and whenever the stream is flushed.
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : m_console(console) {}

    // Everything, a character cut at the end included.
    void finish() {
        writeConsole(m_console, m_pending);
        m_pending.clear();
    }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        append(&byte, 1);
        return c;
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        append(text, static_cast<std::size_t>(count));
        return count;
    }
    int sync() override {
        writeWhole();
        return 0;
    }

private:
    void append(const char* text, std::size_t count) {
        m_pending.append(text, count);
        if (m_pending.size() >= 4096 || std::string_view(text, count).find('\n') != std::string_view::npos)
            writeWhole();
    }
    void writeWhole() {
        const std::size_t whole = wholeUtf8Characters(m_pending);
        writeConsole(m_console, std::string_view(m_pending).substr(0, whole));
        m_pending.erase(0, whole);
    }

    HANDLE m_console;
    std::string m_pending;
};

struct Redirect {
    Redirect(std::ostream& stream, HANDLE console)
        : stream(stream), buffer(console), previous(stream.rdbuf(&buffer)) {}
    ~Redirect() {
        stream.flush();
        buffer.finish();
        stream.rdbuf(previous);
    }
    std::ostream& stream;
    ConsoleBuffer buffer;
    std::streambuf* previous;
};

} // namespace

struct ConsoleOutput::Streams {
    std::unique_ptr<Redirect> out;
    std::unique_ptr<Redirect> err;
};

ConsoleOutput::ConsoleOutput() : m_streams(std::make_unique<Streams>()) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    std::fflush(stdout);
    std::fflush(stderr);
    if (isConsole(out))
        m_streams->out = std::make_unique<Redirect>(std::cout, out);
    if (isConsole(err))
        m_streams->err = std::make_unique<Redirect>(std::cerr, err);
}

void showInformation(std::string_view text, std::string_view title, bool error) {
    const HANDLE standard = GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (isConsole(standard)) {
        writeConsole(standard, text);
        return;
    }
    if (standard && standard != INVALID_HANDLE_VALUE && GetFileType(standard) != FILE_TYPE_UNKNOWN) {
        DWORD written = 0;
        WriteFile(standard, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, 0, nullptr);
        if (console != INVALID_HANDLE_VALUE) {
            // The prompt was written before this program began: start below it.
            writeConsole(console, "\n");
            writeConsole(console, text);
            CloseHandle(console);
            FreeConsole();
            return;
        }
        FreeConsole();
    }
    MessageBoxW(nullptr, wideOf(text).c_str(), wideOf(title).c_str(),
                MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

#else

struct ConsoleOutput::Streams {};

ConsoleOutput::ConsoleOutput() = default;

void showInformation(std::string_view text, std::string_view, bool error) {
    std::FILE* stream = error ? stderr : stdout;
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

#endif

ConsoleOutput::~ConsoleOutput() = default;

bool ConsoleOutput::wideOutput() const {
#ifdef _WIN32
    return m_streams->out != nullptr;
#else
    return false;
#endif
}

} // namespace haltrix::cli
