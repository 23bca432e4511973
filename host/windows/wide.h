// Between the game's UTF-8 paths and texts and Windows' wide (UTF-16) ones, and from Windows' error codes to the
// C library's, which the host reports with strerror. Only the Windows files include this.
#pragma once

#include <string>

// UTF-8 to UTF-16, and back; invalid sequences become U+FFFD either way.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// A path as the game writes them: UTF-8, with "/" between folders.
std::string GamePath(const std::wstring& windowsPath);

// The errno that best says what GetLastError's `code` does; EIO when none is close.
int ErrnoOf(unsigned long code);
