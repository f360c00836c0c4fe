#include "model/safe_file.h"

#include <atomic>
#include <fstream>
#include <system_error>

namespace corvane::model {

namespace {

std::filesystem::path temporarySibling(const std::filesystem::path& path)
{
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temp = path;
    temp += ".tmp~" + std::to_string(counter++);
    return temp;
}

} // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::uintmax_t> regularFileSize(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        return std::nullopt;
    }
    return size;
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes)
{
    const std::filesystem::path temp = temporarySibling(path);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return false;
    }
    return true;
}

} // namespace corvane::model
