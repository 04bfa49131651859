// Test helper: a full disk, as the process sees it. While a FileSizeLimit lives, no file
// this process writes can grow past the limit: the write that would fails (EFBIG), with
// the SIGXFSZ that it raises ignored. Without a limit (nullopt) it changes nothing.
#pragma once

#include <cstdint>
#include <optional>

namespace tw_test {

class FileSizeLimit {
  public:
    explicit FileSizeLimit(std::optional<std::uint64_t> bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    bool set_;
    std::uint64_t previousLimit_;
    void (*previousHandler_)(int);
};

}  // namespace tw_test
