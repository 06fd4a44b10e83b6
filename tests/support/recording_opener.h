#pragma once
// An opener that only notes what it was asked to open.
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/opener.h"

namespace muwu::test {

class RecordingOpener {
  public:
    [[nodiscard]] FileOpener opener() const {
        return [calls = calls_](const std::filesystem::path& file) { calls->push_back(file); };
    }
    [[nodiscard]] const std::vector<std::filesystem::path>& opened() const { return *calls_; }

  private:
    std::shared_ptr<std::vector<std::filesystem::path>> calls_ =
        std::make_shared<std::vector<std::filesystem::path>>();
};

}  // namespace muwu::test
