#pragma once
// The maker's update server: the product list, the usage ping, the installer and the page the
// too-slow ending opens all live under this one address. MUWU_UPDATE_SERVER points the program
// at another server (http://127.0.0.1:8080, an https:// address, …).
#include <cstdlib>
#include <string>
#include <string_view>

namespace muwu {

// A reserved name until the studio has a server of its own, so nobody else's host gets our
// requests.
inline constexpr std::string_view kUpdateServer = "http://update.muwu.example";
inline constexpr const char* kUpdateServerVariable = "MUWU_UPDATE_SERVER";

// The server's address from an override: blanks around it and trailing slashes are dropped, a
// bare host gets "http://" (a scheme is recognised in any case, as URL schemes are: HTTP:// is
// http://); an override of nothing but blanks gives the built-in address.
[[nodiscard]] inline std::string updateServerAddress(const char* override) {
    std::string_view v = override ? std::string_view(override) : std::string_view();
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!v.empty() && blank(v.front()))
        v.remove_prefix(1);
    while (!v.empty() && (blank(v.back()) || v.back() == '/'))
        v.remove_suffix(1);
    if (v.empty())
        return std::string(kUpdateServer);
    const auto startsWithScheme = [v](std::string_view scheme) {
        if (v.size() < scheme.size())
            return false;
        for (std::size_t i = 0; i < scheme.size(); ++i) {
            const char c = v[i] >= 'A' && v[i] <= 'Z' ? static_cast<char>(v[i] - 'A' + 'a') : v[i];
            if (c != scheme[i])
                return false;
        }
        return true;
    };
    std::string address(v);
    if (!startsWithScheme("http://") && !startsWithScheme("https://"))
        address.insert(0, "http://");
    return address;
}

// The address the running program uses.
[[nodiscard]] inline std::string updateServerAddress() {
    return updateServerAddress(std::getenv(kUpdateServerVariable));
}

// A file on the server: "/list.txt" and the like.
[[nodiscard]] inline std::string updateServerFile(std::string_view server, std::string_view path) {
    return std::string(server) + std::string(path);
}

}  // namespace muwu
