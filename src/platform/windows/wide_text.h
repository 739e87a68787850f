// Windows only: the programs keep every text in UTF-8 and speak UTF-16 to
// Windows' wide (W) functions, which reach every file name whatever the
// system's code page. These two turn one into the other.
#pragma once

#include <string>

// Text that is not valid UTF-8 keeps its valid parts; each bad byte becomes
// U+FFFD, so no call ever gets a name cut short.
std::wstring wide_from_utf8(const char *text);
std::string utf8_from_wide(const wchar_t *text);

// The full path of the running program; empty if Windows will not say.
std::wstring program_path(void);
