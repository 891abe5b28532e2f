// SPDX-License-Identifier: MIT
// Fuzz target: the mask table reader of the compliance check (a CSV table of bands, categories and
// suppression bins). Checks: a table it accepts holds bins that meet, bands whose edges are in
// order, and one value (or none) per bin in every row.
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "compliance/MaskTable.h"

#include <QtCore/QString>

int FuzzMaskTable(const std::uint8_t* data, std::size_t size) {
    const QByteArray text = fuzz::bytes(data, size).toByteArray();
    const MaskTableOrError result = ParseMaskTable(text, QStringLiteral("fcc-101-115.csv"));
    if (!result.table) {
        if (result.error.isEmpty())
            fuzz::fail("a refused table without a message");
        return 0;
    }
    const MaskTable& t = *result.table;
    if (t.bins.empty() || t.rows.empty())
        fuzz::fail("an accepted table without bins or rows");
    for (std::size_t i = 0; i < t.bins.size(); ++i) {
        if (!(t.bins[i].low < t.bins[i].high) || t.bins[i].high > 180)
            fuzz::fail("a bin outside 0 to 180 degrees");
        if (i > 0 && t.bins[i].low != t.bins[i - 1].high)
            fuzz::fail("bins that do not meet");
    }
    for (const MaskRow& row : t.rows) {
        if (!(row.bandLowMHz < row.bandHighMHz))
            fuzz::fail("a band whose edges are out of order");
        if (row.suppression.size() != t.bins.size())
            fuzz::fail("a row without one value per bin");
        (void)t.rowsFor((row.bandLowMHz + row.bandHighMHz) / 2);
        (void)row.group();
    }
    (void)t.noStandardText();
    return 0;
}

LOBEVIEW_FUZZ_ENTRY(FuzzMaskTable)
