// Comparing long decoded texts by their first difference, so a failure does not print them whole.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace text_test {

inline testing::AssertionResult same_text(const std::u16string& actual,
                                          const std::u16string& expected) {
    const auto [a, e] =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (a == actual.end() && e == expected.end())
        return testing::AssertionSuccess();
    const auto at = a - actual.begin();
    const auto unit = [](const std::u16string& text, std::ptrdiff_t i) {
        return i < static_cast<std::ptrdiff_t>(text.size()) ? std::to_string(text[i]) : "end";
    };
    return testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                       << ", first difference at unit " << at << ": "
                                       << unit(actual, at) << " instead of " << unit(expected, at);
}

}  // namespace text_test
