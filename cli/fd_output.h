#pragma once
// Standard output as a stream that remembers why a write failed (a full disk, a closed pipe), so
// the command line can say so instead of ending as if all had been written.
#include <unistd.h>

#include <array>
#include <cerrno>
#include <streambuf>

namespace muwu::cli {

class FdOutput : public std::streambuf {
  public:
    explicit FdOutput(int fd) : fd_(fd) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }
    ~FdOutput() override { (void)drain(); }
    FdOutput(const FdOutput&) = delete;
    FdOutput& operator=(const FdOutput&) = delete;

    // errno of the first failed write; 0 while every write succeeded.
    [[nodiscard]] int error() const noexcept { return error_; }

  protected:
    int_type overflow(int_type c) override {
        if (!drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return drain() ? 0 : -1; }

  private:
    bool drain() {
        if (error_ != 0)
            return false;
        const char* p = pbase();
        while (p < pptr()) {
            const ssize_t n = ::write(fd_, p, static_cast<std::size_t>(pptr() - p));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                error_ = n < 0 ? errno : EIO;
                return false;
            }
            p += n;
        }
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return true;
    }

    int fd_;
    int error_ = 0;
    std::array<char, 1 << 16> buffer_;
};

}  // namespace muwu::cli
