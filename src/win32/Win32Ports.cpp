#include "win32/Win32Ports.h"

#include <windows.h>

#include "common/Wildcard.h"
#include "win32/ScopedWin.h"
#include "win32/Text.h"

namespace orvanto::win32 {

namespace {

bool IsReportedFile(const WIN32_FIND_DATAW& data, unsigned attributes) {
  const DWORD a = data.dwFileAttributes;
  if (a & FILE_ATTRIBUTE_DIRECTORY) return false;
  if ((a & FILE_ATTRIBUTE_HIDDEN) && !(attributes & kAttrHidden)) return false;
  if ((a & FILE_ATTRIBUTE_SYSTEM) && !(attributes & kAttrSystem)) return false;
  return true;
}

std::string Upper(const std::wstring& text) {
  std::wstring upper = text;
  if (!upper.empty()) CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  return Narrow(upper);
}

// Windows matches a wildcard against the short 8.3 name too, so "*.VOB" would also report
// "x.vobx" (short name X~1.VOB). Only the long name counts for this program.
bool LongNameMatches(const std::wstring& name, const std::wstring& namePattern) {
  if (namePattern.find_first_of(L"*?") == std::wstring::npos) return true;
  return MatchesWildcard(Upper(name), Upper(namePattern));
}

std::wstring LastComponent(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring DirectoryOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash + 1);
}

// Runs a search and hands each entry to `take`; false when the search itself failed.
template <typename Take>
bool Search(const std::wstring& pattern, FINDEX_SEARCH_OPS ops, Take take) {
  WIN32_FIND_DATAW data{};
  ScopedFind find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, ops, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH));
  if (!find) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
  }
  do {
    take(data);
  } while (FindNextFileW(find.Get(), &data));
  return GetLastError() == ERROR_NO_MORE_FILES;
}

// Puts the complete file `temp` in the place of `target` by a rename over the folder's entry,
// keeping what the user set on a file that was there (`attributes` of the old entry, or
// INVALID_FILE_ATTRIBUTES). A rename replaces the entry itself: a link in the target's place is
// replaced, the file it points to stays untouched, and no backup file is made (ReplaceFileW
// follows a link and moves its target away, and leaves its backup behind when it fails). The
// attributes go onto the new file before it takes the target's place, so it is never seen without
// them.
bool Replace(const std::wstring& target, const wchar_t* temp, DWORD attributes) {
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const bool keep = attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKept);
  if (keep && !SetFileAttributesW(temp, attributes & kKept)) return false;
  return MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace

std::optional<std::vector<std::string>> Win32FileSystem::FindFiles(std::string_view pattern,
                                                                   unsigned attributes) {
  const std::wstring wide = Widen(pattern);
  const std::wstring namePattern = LastComponent(wide);
  std::vector<std::string> names;
  const bool ok = Search(wide, FindExSearchNameMatch, [&](const WIN32_FIND_DATAW& data) {
    if (IsReportedFile(data, attributes) && LongNameMatches(data.cFileName, namePattern)) {
      names.push_back(Narrow(data.cFileName));
    }
  });
  if (!ok) return std::nullopt;
  return names;
}

std::optional<std::uint64_t> Win32FileSystem::FileLength(std::string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

bool Win32FileSystem::RemoveFile(std::string_view path) {
  return DeleteFileW(Widen(path).c_str()) != 0;
}

bool Win32FileSystem::WriteWholeFile(std::string_view path, std::string_view bytes) {
  // The new content goes to a fresh file beside the target first, and replaces the target in one
  // step only once it is complete on disk; a failure on the way leaves the old file as it was.
  const std::wstring target = Widen(path);
  // Replacing a file by renaming does not look at its read-only attribute everywhere (Wine run
  // by root does not); the user asked for that file to stay as it is.
  const DWORD existing = GetFileAttributesW(target.c_str());
  // A directory of that name is no file to replace.
  if (existing != INVALID_FILE_ATTRIBUTES &&
      (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    return false;
  }
  // GetTempFileNameW takes a directory of at most MAX_PATH - 14 characters and writes a name of
  // up to MAX_PATH; past that Wine writes beyond the buffer. A longer directory is refused.
  const std::wstring dir = DirectoryOf(target);
  wchar_t temp[MAX_PATH]{};
  if (dir.size() > MAX_PATH - 14 || !GetTempFileNameW(dir.c_str(), L"cff", 0, temp)) return false;

  bool written = false;
  {
    ScopedFile file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD done = 0;
    written =
        file &&
        WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
        done == bytes.size() && FlushFileBuffers(file.Get());
  }
  if (written && Replace(target, temp, existing)) return true;
  // Should the old file be gone after a failed replace, the temporary file is all that is left.
  const bool targetGone = existing != INVALID_FILE_ATTRIBUTES &&
                          GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES;
  if (!(written && targetGone)) DeleteFileW(temp);
  return false;
}

std::optional<std::string> Win32FileSystem::ToAnsi(std::string_view text) {
  if (GetACP() == CP_UTF8) return std::string(text);
  const std::wstring wide = Widen(text);
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr,
                                         0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string result(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, result.data(), length,
                      nullptr, &usedDefault);
  if (usedDefault) return std::nullopt;
  return result;
}

std::vector<std::string> Win32FileSystem::ListDrives() {
  std::vector<std::string> drives;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (mask & (1u << i)) drives.push_back({static_cast<char>('a' + i), ':'});
  }
  return drives;
}

std::string Win32FileSystem::DriveLabel(std::string_view drive) {
  const std::wstring root = Widen(drive) + L'\\';
  // Only fixed drives answer at once; asking a removable or network drive can wait for a medium
  // or a server.
  const UINT type = GetDriveTypeW(root.c_str());
  if (type != DRIVE_FIXED && type != DRIVE_RAMDISK) return {};
  wchar_t label[MAX_PATH + 1]{};
  if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                             0)) {
    return {};
  }
  return Narrow(label);
}

std::optional<std::vector<FoundDirectory>> Win32FileSystem::ListSubdirectories(
    std::string_view dir) {
  std::wstring pattern = Widen(dir);
  if (pattern.empty() || pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';
  std::vector<FoundDirectory> found;
  const bool ok =
      Search(pattern, FindExSearchLimitToDirectories, [&](const WIN32_FIND_DATAW& data) {
        const DWORD a = data.dwFileAttributes;
        const std::wstring_view name = data.cFileName;
        if (!(a & FILE_ATTRIBUTE_DIRECTORY) || name == L"." || name == L"..") return;
        found.push_back({Narrow(name), ((a & FILE_ATTRIBUTE_HIDDEN) ? kAttrHidden : 0u) |
                                           ((a & FILE_ATTRIBUTE_SYSTEM) ? kAttrSystem : 0u)});
      });
  if (!ok) return std::nullopt;
  return found;
}

std::optional<std::string> Win32FileSystem::DriveDirectory(std::string_view drive) {
  wchar_t full[MAX_PATH]{};
  const DWORD length = GetFullPathNameW(Widen(drive).c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  std::string current = Narrow(full);
  if (current.size() > 3 && current.back() == '\\') current.pop_back();
  return current;
}

bool Win32FileSystem::DirectoryExists(std::string_view dir) {
  const DWORD a = GetFileAttributesW(Widen(dir).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32FileSystem::CurrentDirectory() {
  wchar_t buffer[MAX_PATH]{};
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, buffer);
  return length > 0 && length < MAX_PATH ? Narrow(buffer) : std::string("C:\\");
}

std::string Win32FileSystem::FullPath(std::string_view path) {
  const std::wstring wide = Widen(path);
  // Asked for the length first: a full path may be longer than MAX_PATH.
  std::wstring full(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
  const DWORD length =
      GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length == 0 || length >= full.size()) return std::string(path);
  full.resize(length);
  return Narrow(full);
}

std::string RegistrySettings::Read(std::string_view app, std::string_view section,
                                   std::string_view key) {
  const std::wstring subkey = L"Software\\" + Widen(app) + L"\\" + Widen(section);
  wchar_t value[1024]{};
  DWORD size = sizeof(value) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, subkey.c_str(), Widen(key).c_str(), RRF_RT_REG_SZ, nullptr,
                   value, &size) != ERROR_SUCCESS) {
    return {};
  }
  return Narrow(value);
}

bool RegistrySettings::Write(std::string_view app, std::string_view section, std::string_view key,
                             std::string_view value) {
  const std::wstring subkey = L"Software\\" + Widen(app) + L"\\" + Widen(section);
  HKEY raw = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &raw, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  ScopedRegKey hkey(raw);
  const std::wstring text = Widen(value);
  const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(hkey.Get(), Widen(key).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

NumberSeparators UserNumberLocale::Separators() {
  // `length` counts the closing zero. An empty grouping separator is the user's "no grouping";
  // only a failed read falls back.
  const auto read = [](LCTYPE type, int shortest, const char* fallback) {
    wchar_t buffer[16]{};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 16);
    return length >= shortest ? Narrow(buffer) : std::string(fallback);
  };
  return {read(LOCALE_SDECIMAL, 2, "."), read(LOCALE_STHOUSAND, 1, ",")};
}

}  // namespace orvanto::win32
