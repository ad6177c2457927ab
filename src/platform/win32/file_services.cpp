// File searches and folder creation over kernel32's ANSI functions.
#include "platform/file_services.h"

#include <windows.h>

#include <cstddef>

#include "platform/run_time_error_table.h"

namespace tavrosk::platform {

static_assert(sizeof(WIN32_FIND_DATAA) == 320, "the find-data record the search fills");
static_assert(offsetof(WIN32_FIND_DATAA, dwFileAttributes) == 0);
static_assert(kFileAttributeDirectory == FILE_ATTRIBUTE_DIRECTORY);

namespace {

// A missing or malformed parent is "Path not found"; anything else, an existing entry of that
// name or a refused write among them, is "Path/File access error".
int run_time_error_of(DWORD windows_error) {
  switch (windows_error) {
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return error::kPathNotFound;
    default:
      return error::kPathFileAccess;
  }
}

}  // namespace

std::optional<std::uint32_t> find_first_file_attributes(const std::string& pattern) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(search);
  return found.dwFileAttributes;
}

int create_directory(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return 0;
  return run_time_error_of(GetLastError());
}

}  // namespace tavrosk::platform
