// SPDX-License-Identifier: MIT
#pragma once
// Regulatory antenna masks read from a CSV table: one row per band and category, with the maximum
// beamwidth, the minimum gain and the minimum radiation suppression for each angle bin.
//
//   band_low_mhz,band_high_mhz,category,max_beamwidth_deg,min_gain_dbi,s_5_10,...,s_140_180
//
// The angle bins come from the heading: a column s_LO_HI is the bin [LO, HI), and the last bin is
// closed at its upper end, so an angle on a boundary falls in the bin above it. An empty cell
// means the rule gives no value there.
#include "pages/MaskOverlay.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <optional>
#include <vector>

struct MaskBin {
    double low = 0;  // degrees from the main beam, included
    double high = 0; // excluded, except for the last bin
    QByteArray column;
};

struct MaskRow {
    double bandLowMHz = 0;
    double bandHighMHz = 0;
    QString category;                               // "A", "B", "B1", ...
    std::optional<double> maxBeamwidth;             // degrees, included angle at the 3 dB points
    std::optional<double> minGain;                  // dBi
    std::vector<std::optional<double>> suppression; // dB below the main beam, one per bin
    int line = 0;                                   // line of the table it was read from

    bool holds(double mhz) const { return mhz >= bandLowMHz && mhz <= bandHighMHz; }
    // "B" for "B1" and "B2"; the category itself when it has no number.
    QString group() const;
};

struct MaskTable {
    QString title; // "FCC 101.115" for fcc-101-115.csv, else the file's base name
    QString path;
    std::vector<MaskBin> bins;
    std::vector<MaskRow> rows;

    // The rows of the first band that holds the frequency, in table order; empty when none does.
    std::vector<const MaskRow*> rowsFor(double mhz) const;
    // "no FCC 101.115 standard for this band".
    QString noStandardText() const;
};

struct MaskTableOrError {
    std::optional<MaskTable> table;
    QString error; // "NAME, line N: what is wrong", when the table is not usable
};

// Reads a mask table from CSV text. `name` is used in messages and gives the title.
MaskTableOrError ParseMaskTable(const QByteArray& text, const QString& name);
// Reads a mask table file.
MaskTableOrError ReadMaskTable(const QString& path);

// The title of a table file: "fcc-101-115.csv" gives "FCC 101.115"; other names their base name.
QString MaskTableTitle(const QString& fileName);

// The table that ships beside the program.
inline constexpr char DefaultMaskFile[] = "masks/fcc-101-115.csv";

// The step line of one row, as a chart draws it: for every run of bins with a value, from each
// bin's low edge to its high edge at minus its suppression, with a vertical step between bins.
// Mirrored to negative angles as well when `twoSided`.
MaskOverlay MakeMaskOverlay(const MaskTable& table, const MaskRow& row, bool twoSided);

// "FCC 101.115 Cat. A".
QString MaskCaption(const QString& tableTitle, const QString& category);
