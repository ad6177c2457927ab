#pragma once
// An in-process file system with Windows paths: drive roots, backslashes, letter case ignored,
// and a search that behaves as FindFirstFileA does (wildcards in the last component only,
// "." and ".." listed first in every folder but a drive root).
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace tavrosk::sim {

class FileSystem {
 public:
  // Adds an empty drive root such as "C:\".
  void add_drive(char letter);
  // Adds a folder and any missing parents. Nothing is added when the drive is missing or a
  // file stands in the way.
  void add_directory(const std::string& path);
  // Adds a file and any missing parent folders, on the same terms; never over a folder.
  void add_file(const std::string& path);
  // Folders under a read-only folder cannot be created (error 75); searches report the
  // entry with the read-only bit (0x1) beside its others.
  void set_read_only(const std::string& path, bool read_only);
  // Searches report the entry with the hidden bit (0x2) beside its others.
  void set_hidden(const std::string& path, bool hidden);
  void set_current_directory(const std::string& path);
  bool is_directory(const std::string& path) const;
  bool is_file(const std::string& path) const;
  // The folders created through the platform, in order.
  std::vector<std::string> created_directories() const;
  void reset();  // no drives, current folder C:\ (which then does not exist)

  std::optional<std::uint32_t> find_first(const std::string& pattern) const;
  int create_directory(const std::string& path);

 private:
  struct Entry {
    std::string name;  // as created
    bool directory = false;
    bool read_only = false;
    bool hidden = false;
  };
  // Full path with backslashes, folded to upper case, no trailing backslash except on roots.
  std::optional<std::string> absolute_key(const std::string& path) const;
  std::vector<std::string> children_of(const std::string& key) const;
  // Adds the folder `key` and its missing parents; false when the drive is missing or a file
  // is in the way. Called with the lock held.
  bool add_folders(const std::string& key);
  static std::uint32_t attributes(const Entry& entry);
  void set_flag(const std::string& path, bool Entry::*flag, bool on);

  mutable std::mutex mutex_;
  std::map<std::string, Entry> entries_;
  std::string current_ = "C:\\";
  std::vector<std::string> created_;
};

FileSystem& file_system();

}  // namespace tavrosk::sim
