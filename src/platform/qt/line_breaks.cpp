// Break opportunities from Qt's boundary finder.
#include "platform/qt/line_breaks.h"

#include <QTextBoundaryFinder>

namespace platform::qt {

std::vector<std::uint8_t> break_opportunities(std::u16string_view text) {
    std::vector<std::uint8_t> breaks(text.size(), 0);
    const auto size = static_cast<qsizetype>(text.size());
    // Read in place: the finder keeps no copy of the text.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line,
                               reinterpret_cast<const QChar*>(text.data()), size);
    for (qsizetype at = finder.toNextBoundary(); at > 0 && at < size;
         at = finder.toNextBoundary()) {
        if (finder.boundaryReasons().testFlag(QTextBoundaryFinder::BreakOpportunity))
            breaks[static_cast<std::size_t>(at)] = 1;
    }
    return breaks;
}

}  // namespace platform::qt
