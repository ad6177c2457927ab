#include "platform/sim/file_system.h"

#include <algorithm>
#include <cctype>

#include "platform/file_services.h"
#include "platform/run_time_error_table.h"

namespace tavrosk::sim {
namespace {

constexpr std::uint32_t kAttributeReadOnly = 0x1;
constexpr std::uint32_t kAttributeHidden = 0x2;
constexpr std::uint32_t kAttributeArchive = 0x20;

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool is_root_key(const std::string& key) {
  return key.size() == 3 && key[1] == ':';
}

std::string parent_key(const std::string& key) {
  auto slash = key.find_last_of('\\');
  if (slash == std::string::npos || is_root_key(key)) return {};
  return slash == 2 ? key.substr(0, 3) : key.substr(0, slash);
}

std::string leaf(const std::string& key) {
  auto slash = key.find_last_of('\\');
  return slash == std::string::npos ? key : key.substr(slash + 1);
}

// Windows wildcard match on one name, letter case ignored: * any run, ? one character.
// "*.*" matches every name, with or without a dot.
bool wildcard_match(const std::string& pattern, const std::string& name) {
  if (pattern == "*.*" || pattern == "*") return true;
  std::size_t p = 0, n = 0, star = std::string::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

// The attribute word as a search reports it: a read-only or hidden folder carries more than 0x10.
std::uint32_t FileSystem::attributes(const Entry& entry) {
  return (entry.directory ? platform::kFileAttributeDirectory : kAttributeArchive) |
         (entry.read_only ? kAttributeReadOnly : 0) | (entry.hidden ? kAttributeHidden : 0);
}

FileSystem& file_system() {
  static FileSystem instance;
  return instance;
}

std::optional<std::string> FileSystem::absolute_key(const std::string& raw) const {
  std::string path = raw;
  std::replace(path.begin(), path.end(), '/', '\\');
  if (path.empty()) return std::nullopt;
  std::string full;
  if (path.size() >= 2 && path[1] == ':') {
    if (path.size() == 2 || path[2] != '\\') return std::nullopt;  // drive-relative: unsupported
    full = path;
  } else if (path[0] == '\\') {
    if (path.size() >= 2 && path[1] == '\\') return std::nullopt;  // network paths: none here
    full = current_.substr(0, 2) + path;
  } else {
    full = current_ + (current_.back() == '\\' ? "" : "\\") + path;
  }
  // Resolve "." and ".." and drop empty components.
  std::vector<std::string> parts;
  std::size_t start = 3;
  while (start <= full.size()) {
    std::size_t end = full.find('\\', start);
    if (end == std::string::npos) end = full.size();
    std::string part = full.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string key = upper(full.substr(0, 3));
  for (std::size_t i = 0; i < parts.size(); ++i) key += (i ? "\\" : "") + upper(parts[i]);
  return key;
}

std::vector<std::string> FileSystem::children_of(const std::string& key) const {
  std::vector<std::string> names;
  for (const auto& [k, entry] : entries_) {
    if (k != key && parent_key(k) == key) names.push_back(entry.name);
  }
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return upper(a) < upper(b); });
  return names;
}

void FileSystem::add_drive(char letter) {
  std::lock_guard lock(mutex_);
  std::string key = upper(std::string(1, letter) + ":\\");
  entries_[key] = Entry{key, true, false};
}

bool FileSystem::add_folders(const std::string& key) {
  std::vector<std::string> chain;
  for (std::string k = key; !k.empty(); k = parent_key(k)) chain.push_back(k);
  if (chain.empty()) return false;
  std::reverse(chain.begin(), chain.end());
  // Drives are made only by add_drive, and no folder goes under a file.
  auto root = entries_.find(chain.front());
  if (!is_root_key(chain.front()) || root == entries_.end()) return false;
  for (const auto& k : chain) {
    auto it = entries_.find(k);
    if (it == entries_.end()) {
      entries_[k] = Entry{leaf(k), true, false};
    } else if (!it->second.directory) {
      return false;
    }
  }
  return true;
}

void FileSystem::add_directory(const std::string& path) {
  std::lock_guard lock(mutex_);
  if (auto key = absolute_key(path)) add_folders(*key);
}

void FileSystem::add_file(const std::string& path) {
  std::lock_guard lock(mutex_);
  auto key = absolute_key(path);
  if (!key || is_root_key(*key) || !add_folders(parent_key(*key))) return;
  if (auto it = entries_.find(*key); it != entries_.end() && it->second.directory) return;
  std::string name =
      path.substr(path.find_last_of("\\/") == std::string::npos ? 0 : path.find_last_of("\\/") + 1);
  entries_[*key] = Entry{name, false, false};
}

void FileSystem::set_read_only(const std::string& path, bool read_only) {
  set_flag(path, &Entry::read_only, read_only);
}

void FileSystem::set_hidden(const std::string& path, bool hidden) {
  set_flag(path, &Entry::hidden, hidden);
}

void FileSystem::set_flag(const std::string& path, bool Entry::*flag, bool on) {
  std::lock_guard lock(mutex_);
  if (auto key = absolute_key(path); key && entries_.count(*key)) entries_[*key].*flag = on;
}

void FileSystem::set_current_directory(const std::string& path) {
  std::lock_guard lock(mutex_);
  if (auto key = absolute_key(path)) current_ = *key;
}

bool FileSystem::is_directory(const std::string& path) const {
  std::lock_guard lock(mutex_);
  auto key = absolute_key(path);
  return key && entries_.count(*key) && entries_.at(*key).directory;
}

bool FileSystem::is_file(const std::string& path) const {
  std::lock_guard lock(mutex_);
  auto key = absolute_key(path);
  return key && entries_.count(*key) && !entries_.at(*key).directory;
}

std::vector<std::string> FileSystem::created_directories() const {
  std::lock_guard lock(mutex_);
  return created_;
}

void FileSystem::reset() {
  std::lock_guard lock(mutex_);
  entries_.clear();
  created_.clear();
  current_ = "C:\\";
}

std::optional<std::uint32_t> FileSystem::find_first(const std::string& pattern) const {
  std::lock_guard lock(mutex_);
  std::string path = pattern;
  std::replace(path.begin(), path.end(), '/', '\\');
  // A pattern that ends in a separator names no entry, as FindFirstFileA finds.
  if (path.empty() || path.back() == '\\') return std::nullopt;
  auto slash = path.find_last_of('\\');
  std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
  if (path.size() >= 2 && path[1] == ':' && slash == std::string::npos) return std::nullopt;
  bool wild = last.find_first_of("*?") != std::string::npos;
  if (!wild) {
    auto key = absolute_key(path);
    if (!key || is_root_key(*key)) return std::nullopt;  // a root is no entry of its own
    auto it = entries_.find(*key);
    if (it == entries_.end()) return std::nullopt;
    return attributes(it->second);
  }
  std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
  auto folder_key = absolute_key(folder);
  if (!folder_key) return std::nullopt;
  auto it = entries_.find(*folder_key);
  if (it == entries_.end() || !it->second.directory) return std::nullopt;
  std::string wanted = upper(last);
  if (!is_root_key(*folder_key)) {
    for (const char* dot : {".", ".."}) {
      if (wildcard_match(wanted, dot)) return platform::kFileAttributeDirectory;
    }
  }
  for (const auto& name : children_of(*folder_key)) {
    if (wildcard_match(wanted, upper(name))) {
      std::string child = *folder_key + (is_root_key(*folder_key) ? "" : "\\") + upper(name);
      return attributes(entries_.at(child));
    }
  }
  return std::nullopt;
}

int FileSystem::create_directory(const std::string& path) {
  std::lock_guard lock(mutex_);
  auto key = absolute_key(path);
  if (!key) return error::kPathNotFound;
  if (entries_.count(*key)) return error::kPathFileAccess;  // already exists, file or folder
  std::string parent = parent_key(*key);
  auto it = entries_.find(parent);
  if (parent.empty() || it == entries_.end() || !it->second.directory) return error::kPathNotFound;
  if (it->second.read_only) return error::kPathFileAccess;
  std::string trimmed = path;
  while (trimmed.size() > 1 && (trimmed.back() == '\\' || trimmed.back() == '/'))
    trimmed.pop_back();
  entries_[*key] = Entry{leaf(trimmed), true, false};
  created_.push_back(path);
  return 0;
}

}  // namespace tavrosk::sim

namespace tavrosk::platform {

std::optional<std::uint32_t> find_first_file_attributes(const std::string& pattern) {
  return sim::file_system().find_first(pattern);
}

int create_directory(const std::string& path) {
  return sim::file_system().create_directory(path);
}

}  // namespace tavrosk::platform
