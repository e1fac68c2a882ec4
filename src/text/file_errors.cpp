// Japanese wording of file reading failures.
#include "text/file_errors.h"

#include <string>
#include <utility>

namespace text {
namespace {

std::u16string_view problem_text(FileProblem problem) {
    switch (problem) {
        case FileProblem::not_found:
            return u"ファイルが見つかりません。";
        case FileProblem::no_permission:
            return u"このファイルを読む権限がありません。";
        case FileProblem::folder:
            return u"フォルダーは開けません。";
        case FileProblem::not_regular_file:
            return u"通常のファイルではないため開けません。";
        case FileProblem::symlink_loop:
            return u"シンボリックリンクが循環しています。";
        case FileProblem::path_too_long:
            return u"ファイルのパスが長すぎます。";
        case FileProblem::invalid_name:
            return u"ファイル名が正しくありません。";
        case FileProblem::too_many_open_files:
            return u"開いているファイルが多すぎます。";
        case FileProblem::out_of_memory:
            return host::out_of_memory_text;
        case FileProblem::cannot_open:
            return u"ファイルを開けませんでした。";
        case FileProblem::cannot_read:
            break;
    }
    // cannot_read, and the fallback for a value outside the enumeration.
    return u"ファイルを読み込めませんでした。";
}

std::u16string decimal_text(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

}  // namespace

host::HostError file_error(FileProblem problem, std::u16string_view detail) {
    std::u16string message(problem_text(problem));
    if (!detail.empty()) {
        message += u'（';
        message += detail;
        message += u'）';
    }
    return host::HostError(std::move(message));
}

host::HostError file_too_large_error(std::uint64_t limit) {
    return host::HostError(u"ファイルが大きすぎます（" + limit_text(limit) + u"）。");
}

std::u16string byte_size_text(std::uint64_t bytes) {
    constexpr std::uint64_t kib = 1024;
    constexpr std::uint64_t mib = kib * 1024;
    constexpr std::uint64_t gib = mib * 1024;
    if (bytes == 0)
        return u"0 バイト";
    if (bytes % gib == 0)
        return decimal_text(bytes / gib) + u" GiB";
    if (bytes % mib == 0)
        return decimal_text(bytes / mib) + u" MiB";
    if (bytes % kib == 0)
        return decimal_text(bytes / kib) + u" KiB";
    return decimal_text(bytes) + u" バイト";
}

std::u16string limit_text(std::uint64_t bytes) {
    return u"上限 " + byte_size_text(bytes);
}

}  // namespace text
