// The texts the fill benchmark puts into a text box, each as the open command would hand it over
// (CR LF after every line) together with the size of the UTF-8 file it stands for.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace fill_bench {

struct FillText {
    std::u16string text;
    std::uint64_t file_bytes = 0;  // the file's size as UTF-8
};

inline constexpr std::uint64_t mib = 1024 * 1024;

// Units below U+0080 take one UTF-8 byte, the rest of these texts' characters three.
inline std::uint64_t utf8_size(std::u16string_view text) {
    std::uint64_t bytes = 0;
    for (const char16_t unit : text)
        bytes += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
    return bytes;
}

// Numbered lines taken from `lines` in turn, CR LF, up to `bytes` of UTF-8 (never past it: 256 MiB
// of them is the most a paste may bring).
inline std::u16string numbered_lines(std::span<const std::u16string_view> lines,
                                     std::uint64_t bytes) {
    std::u16string text;
    text.reserve(static_cast<std::size_t>(bytes * 2 / 3));
    std::uint64_t written = 0;
    for (unsigned number = 0;; ++number) {
        std::u16string line(8, u' ');
        for (unsigned n = number, digit = 7; digit-- > 0; n /= 10)
            line[digit] = static_cast<char16_t>(u'0' + n % 10);
        line += lines[number % lines.size()];
        line += u"\r\n";
        written += utf8_size(line);
        if (written > bytes)
            break;
        text += line;
    }
    return text;
}

// Numbered Japanese and English lines, as bench/open_e2e.py writes them.
inline std::u16string ordinary_lines(std::uint64_t bytes) {
    static constexpr std::u16string_view lines[] = {
        u"吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。",
        u"The quick brown fox jumps over the lazy dog; 0123456789 ABCDEFGHIJ.",
        u"何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。",
        u"Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod.",
    };
    return numbered_lines(lines, bytes);
}

// Numbered lines of Japanese prose alone.
inline std::u16string japanese_lines(std::uint64_t bytes) {
    static constexpr std::u16string_view lines[] = {
        u"吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。",
        u"吾輩はここで始めて人間というものを見た。しかもあとで聞くとそれは書生という人間中で一番獰"
        u"悪な種族であったそうだ。",
        u"何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。",
        u"この書生というのは時々我々を捕えて煮て食うという話である。",
    };
    return numbered_lines(lines, bytes);
}

// Letters with no break opportunity at all, a, b, c… z and again.
inline std::u16string unbroken_run(std::uint64_t units) {
    std::u16string run(static_cast<std::size_t>(units), u'a');
    for (std::size_t i = 0; i < run.size(); ++i)
        run[i] = static_cast<char16_t>(u'a' + i % 26);
    return run;
}

// Japanese prose with no space, as one line of a novel: `bytes` of UTF-8 at most.
inline std::u16string japanese_run(std::uint64_t bytes) {
    constexpr std::u16string_view prose =
        u"吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめ"
        u"した所でニャーニャー泣いていた事だけは記憶している。";
    std::u16string run;
    run.reserve(static_cast<std::size_t>(bytes / 3));
    while ((run.size() + prose.size()) * 3 <= bytes)
        run += prose;
    return run;
}

// Words of letters separated by spaces: one long line that can break at every space.
inline std::u16string spaced_words(std::uint64_t units) {
    std::u16string line = unbroken_run(units);
    for (std::size_t i = 7; i < line.size(); i += 8)
        line[i] = u' ';
    return line;
}

inline FillText measured(std::u16string text) {
    const std::uint64_t bytes = utf8_size(text);
    return {std::move(text), bytes};
}

// A long line between 16 KiB of ordinary lines on either side.
inline FillText between_lines(std::u16string line) {
    const std::u16string around = ordinary_lines(16 * 1024);
    return measured(around + line + u"\r\n" + around);
}

// The benchmark's cases by name: lines_<N>m, jlines_<N>m (Japanese alone), run_<N>k,
// japanese_<N>k (one line of Japanese, N KiB of UTF-8), words_<N>k, empty_<N>k (thousands of
// empty lines).
inline std::optional<FillText> fill_text(std::string_view name) {
    const auto number = [&](std::string_view prefix) -> std::uint64_t {
        std::uint64_t n = 0;
        for (const char c : name.substr(prefix.size(), name.size() - prefix.size() - 1))
            n = n * 10 + static_cast<std::uint64_t>(c - '0');
        return n;
    };
    if (name.starts_with("lines_") && name.ends_with("m"))
        return measured(ordinary_lines(number("lines_") * mib));
    if (name.starts_with("jlines_") && name.ends_with("m"))
        return measured(japanese_lines(number("jlines_") * mib));
    if (name.starts_with("run_") && name.ends_with("k"))
        return between_lines(unbroken_run(number("run_") * 1024));
    if (name.starts_with("japanese_") && name.ends_with("k"))
        return between_lines(japanese_run(number("japanese_") * 1024));
    if (name.starts_with("words_") && name.ends_with("k"))
        return between_lines(spaced_words(number("words_") * 1024));
    if (name.starts_with("empty_") && name.ends_with("k")) {
        std::u16string text;
        for (std::uint64_t i = number("empty_") * 1000; i > 0; --i)
            text += u"\r\n";
        return measured(std::move(text));
    }
    return std::nullopt;
}

}  // namespace fill_bench
