// File-name helpers of the host's SysUtils. Both '/' and '\' separate path parts, so names
// written on the host's own platform split the same way as local ones.
#include "host/system/SysUtils.h"

#include <sys/stat.h>

namespace host {

namespace {
bool IsDelimiter(char c) {
    return c == '/' || c == '\\';
}

/// Index just past the last path delimiter (0 when there is none).
std::size_t NameStart(const AnsiString& FileName) {
    for (std::size_t i = FileName.size(); i > 0; --i)
        if (IsDelimiter(FileName[i - 1])) return i;
    return 0;
}

/// Index of the extension's dot in the name part, or npos.
std::size_t ExtStart(const AnsiString& FileName) {
    std::size_t start = NameStart(FileName);
    std::size_t dot = FileName.rfind('.');
    return dot != AnsiString::npos && dot >= start ? dot : AnsiString::npos;
}
} // namespace

bool FileExists(const AnsiString& FileName) {
    struct stat st {};
    return !FileName.empty() && ::stat(FileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const AnsiString& Directory) {
    struct stat st {};
    return !Directory.empty() && ::stat(Directory.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

AnsiString IncludeTrailingPathDelimiter(const AnsiString& S) {
    return !S.empty() && S.back() == '/' ? S : S + '/';
}

AnsiString ExtractFileName(const AnsiString& FileName) {
    return FileName.substr(NameStart(FileName));
}

AnsiString ExtractFilePath(const AnsiString& FileName) {
    return FileName.substr(0, NameStart(FileName));
}

AnsiString ExtractFileExt(const AnsiString& FileName) {
    std::size_t dot = ExtStart(FileName);
    return dot == AnsiString::npos ? AnsiString() : FileName.substr(dot);
}

AnsiString ChangeFileExt(const AnsiString& FileName, const AnsiString& Ext) {
    std::size_t dot = ExtStart(FileName);
    return (dot == AnsiString::npos ? FileName : FileName.substr(0, dot)) + Ext;
}

} // namespace host
