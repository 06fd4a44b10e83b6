#pragma once
// Just enough JSON writing for one object per line.
#include <optional>
#include <string>
#include <string_view>

namespace muwu::json {

void appendString(std::string& out, std::string_view utf8);
void appendString(std::string& out, std::u16string_view text);

class Object {
  public:
    explicit Object(std::string& out) : out_(out) { out_ += '{'; }
    Object& key(std::string_view name);
    Object& field(std::string_view name, std::u16string_view value);
    Object& field(std::string_view name, std::string_view value);
    Object& field(std::string_view name, bool value);
    Object& field(std::string_view name, long long value);
    Object& field(std::string_view name, std::optional<long long> value);
    Object& field(std::string_view name, std::optional<std::u16string> value);
    Object& raw(std::string_view name, std::string_view json);
    void close() { out_ += '}'; }

  private:
    std::string& out_;
    bool first_ = true;
};

}  // namespace muwu::json
