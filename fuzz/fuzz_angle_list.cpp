// SPDX-License-Identifier: MIT
// Fuzz target: the comparison table's angle list as the user types it.
//
// Checks: a list taken holds 1 to 64 angles from 0 to 180, in increasing order without repeats,
// and its text reads back as the same list; a list refused says why.
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "compare/Comparison.h"

int FuzzAngleList(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(fuzz::bytes(data, size));
    QString why;
    const auto angles = compare::parseAngleList(text, &why);
    if (!angles) {
        if (why.isEmpty())
            fuzz::fail("a list refused without a reason");
        return 0;
    }
    if (angles->empty() || angles->size() > 64)
        fuzz::fail("a list of no angles or of more than 64");
    for (size_t i = 0; i < angles->size(); ++i) {
        const double a = (*angles)[i];
        if (!(a >= 0 && a <= 180))
            fuzz::fail("an angle outside 0 to 180 degrees");
        if (i > 0 && !((*angles)[i - 1] < a))
            fuzz::fail("angles out of order or repeated");
    }
    if (compare::parseAngleList(compare::angleListText(*angles)) != angles)
        fuzz::fail("the list's text reads back as another list");
    return 0;
}

LOBEVIEW_FUZZ_ENTRY(FuzzAngleList)
