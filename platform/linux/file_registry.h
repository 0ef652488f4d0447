#pragma once
// The per-user store on disk: one text file in the store's own REGEDIT4 form,
// rewritten atomically at every change. Several processes share it: writers
// take a file lock and bump a generation counter kept in the lock file,
// which every reader checks before it reads, so a change made by another
// process is seen at the next read.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/files.h"
#include "platform/tree_registry.h"

namespace zelvor {

class FileRegistry : public TreeRegistry {
 public:
  // Opens (or starts) the store in folder, which must exist. Fails with a
  // message when the lock file cannot be made.
  [[nodiscard]] static std::unique_ptr<FileRegistry> open(const std::string& folder, Files& files,
                                                          std::string& error);
  ~FileRegistry() override;
  FileRegistry(const FileRegistry&) = delete;
  FileRegistry& operator=(const FileRegistry&) = delete;

  [[nodiscard]] const std::string& path() const { return path_; }
  // Set when the file on disk could not be loaded. Malformed content was
  // moved aside (to path() + ".broken", or ".broken.N" when that exists)
  // and the store started empty; a file that could not be read was left in
  // place, and writes fail until it can be read.
  [[nodiscard]] const std::string& loadWarning() const { return loadWarning_; }

 protected:
  bool isStale() override;
  void reload(RegistryTree& tree) override;
  bool beginWrite(RegistryTree& tree) override;
  RegStatus commitWrite(const RegistryTree& tree) override;
  void endWrite() override;

 private:
  FileRegistry(std::string folder, Files& files);
  struct FileStamp {
    std::uint64_t inode = 0, size = 0;
    std::int64_t mtimeNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
  };
  [[nodiscard]] FileStamp stampOfFile() const;
  [[nodiscard]] std::uint64_t sharedGeneration() const;
  void setLoadedStamp(const FileStamp& stamp);
  [[nodiscard]] bool fileChangedSinceLoad() const;
  void warn(std::string text);

  std::string path_;
  std::string lockPath_;
  Files& files_;
  int lockFd_ = -1;
  std::uint64_t* generation_ = nullptr;  // in the mapped lock file
  std::atomic<std::uint64_t> loadedGeneration_{0};
  std::atomic<std::int64_t> nextStampCheckMs_{0};
  std::atomic<bool> unreadable_{false};
  mutable std::mutex stampMutex_;
  FileStamp loadedStamp_;
  std::string loadWarning_;
};

}  // namespace zelvor
