#pragma once
// Lines of the batch input, for analyze --batch.
#include <unistd.h>

#include <cerrno>
#include <istream>
#include <string>

namespace muwu::cli {

// Lines of the batch input. From a file descriptor it reads blocks itself, so it knows exactly
// when new input arrived; from any other stream (tests) the whole stream counts as one block.
class LineReader {
  public:
    static constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

    LineReader(std::istream& in, int fd) : in_(in), fd_(fd) {}

    // False at the end. readInput tells whether input was read since the previous line.
    template <typename BeforeRead>
    bool next(std::string& line, bool& readInput, BeforeRead&& beforeRead) {
        readInput = false;
        if (fd_ < 0) {
            readInput = first_;
            first_ = false;
            if (std::getline(in_, line))
                return true;
            if (in_.bad())
                error_ = EIO;
            return false;
        }
        for (;;) {
            const std::size_t nl = buffer_.find('\n', pos_);
            if (nl != std::string::npos) {
                line.assign(buffer_, pos_, nl - pos_);
                pos_ = nl + 1;
                return true;
            }
            if (eof_) {
                if (pos_ >= buffer_.size())
                    return false;
                line.assign(buffer_, pos_);
                pos_ = buffer_.size();
                return true;
            }
            buffer_.erase(0, pos_);
            pos_ = 0;
            if (buffer_.size() > kMaxLineBytes) {
                // No name is that long: the input is something else (a device, a binary file).
                lineTooLong_ = true;
                return false;
            }
            beforeRead();
            char chunk[1 << 16];
            const ssize_t got = ::read(fd_, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                error_ = errno;  // a folder, a broken device: the end, and an error to tell
            if (got <= 0) {
                eof_ = true;
            } else {
                buffer_.append(chunk, static_cast<std::size_t>(got));
            }
            readInput = true;
        }
    }

    // errno of a failed read (the input ended there); 0 when the input ended normally.
    [[nodiscard]] int error() const noexcept { return error_; }
    // True when reading stopped at a line longer than kMaxLineBytes.
    [[nodiscard]] bool lineTooLong() const noexcept { return lineTooLong_; }

  private:
    std::istream& in_;
    int error_ = 0;
    bool lineTooLong_ = false;
    int fd_;
    bool first_ = true;
    bool eof_ = false;
    std::string buffer_;
    std::size_t pos_ = 0;
};

}  // namespace muwu::cli
