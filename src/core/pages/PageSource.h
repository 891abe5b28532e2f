// SPDX-License-Identifier: MIT
#pragma once
// What a printed or exported page is drawn from: the graph window's page mapping with its target
// surface, the antenna on show and the print options. The graph window fills one for each page;
// the batch tool fills one from a data file. The chart page and the data sheet read nothing else.
#include "adf/Pattern.h"
#include "catalogue/IndexRecord.h"
#include "pages/PageMapper.h"

struct MaskOverlay;

struct PageSource {
    PageMapper& PageMap;          // its Canvas is the target surface, already mapped
    const IndexRecord& Record;    // CurrentRecord
    const LoadedPattern& Pattern; // CutPoints and FeedKind
    bool Color = false;           // Color1 checked: colour traces and the colour logo
    int PenFactor = 1;            // multiplier of the chart's device pen widths
    // A regulatory mask the chart page draws over the traces (dashed, with its caption); none
    // unless the user asked for it on pages.
    const MaskOverlay* Mask = nullptr;
};
