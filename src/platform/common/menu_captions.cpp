// Menu captions for toolkits that read '&' as an access key.
#include "platform/common/menu_captions.h"

namespace platform::common {

std::u16string caption_as_written(std::u16string_view caption) {
    std::u16string text;
    text.reserve(caption.size());
    for (const char16_t unit : caption) {
        if (unit == u'&')
            text.push_back(u'&');
        text.push_back(unit);
    }
    return text;
}

}  // namespace platform::common
