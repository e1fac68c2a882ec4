// Splitting the filter string at its bars.
#include "platform/win32/open_filter.h"

#include <vector>

namespace platform::win32 {
namespace {

std::vector<std::u16string_view> fields_of(std::u16string_view filter) {
    std::vector<std::u16string_view> fields;
    for (;;) {
        const auto bar = filter.find(u'|');
        fields.push_back(filter.substr(0, bar));
        if (bar == std::u16string_view::npos)
            return fields;
        filter.remove_prefix(bar + 1);
    }
}

}  // namespace

std::u16string filter_list_from_filter(std::u16string_view filter) {
    if (filter.empty())
        return {};
    const std::vector<std::u16string_view> fields = fields_of(filter);
    std::u16string list;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        list.append(fields[i]);
        list.push_back(u'\0');
        list.append(fields[i + 1]);
        list.push_back(u'\0');
    }
    if (list.empty())
        return {};
    list.push_back(u'\0');
    return list;
}

}  // namespace platform::win32
