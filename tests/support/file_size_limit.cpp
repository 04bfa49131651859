#include "tests/support/file_size_limit.h"

#include <sys/resource.h>

#include <csignal>
#include <stdexcept>

namespace tw_test {
namespace {

rlimit CurrentLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) {
        throw std::runtime_error("cannot read the file size limit");
    }
    return limit;
}

void SetLimit(std::uint64_t bytes) {
    rlimit limit = CurrentLimit();
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        throw std::runtime_error("cannot set the file size limit");
    }
}

}  // namespace

FileSizeLimit::FileSizeLimit(std::optional<std::uint64_t> bytes)
    : set_(bytes.has_value()), previousLimit_(CurrentLimit().rlim_cur), previousHandler_(nullptr) {
    if (set_) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        SetLimit(*bytes);
    }
}

FileSizeLimit::~FileSizeLimit() {
    if (set_) {
        SetLimit(previousLimit_);
        std::signal(SIGXFSZ, previousHandler_);
    }
}

}  // namespace tw_test
