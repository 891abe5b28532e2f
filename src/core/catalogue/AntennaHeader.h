// SPDX-License-Identifier: MIT
#pragma once
// The header numbers of a data file (the lines before the first "NUPOIN") that the compliance
// check needs: band edges, the three gains, the two beamwidths, the feed orientation and the
// model number. The index record keeps none of them as numbers; the header reader of the index
// (ReadHeaderLines) fills them in the same pass as the record.
#include <QtCore/QByteArray>
#include <QtCore/QByteArrayView>
#include <optional>

// One header number. Absent when the keyword is missing or its value empty; `text` keeps a value
// that is not a number, which makes the value unusable rather than absent.
struct HeaderNumber {
    std::optional<double> value;
    QByteArray text; // the value as written, when present
    bool present() const { return !text.isEmpty(); }
    bool unreadable() const { return present() && !value; }

    // A value is the text up to its first blank (so "40.23 dBi" reads 40.23), as the index reads
    // its gain.
    static HeaderNumber parse(QByteArrayView value);
};

struct AntennaHeader {
    HeaderNumber lowFrequency;   // "LOWFRQ", MHz
    HeaderNumber highFrequency;  // "HGHFRQ", MHz
    HeaderNumber lowGain;        // "LWGAIN", dBi
    HeaderNumber midGain;        // "MDGAIN", dBi
    HeaderNumber highGain;       // "HGGAIN", dBi
    HeaderNumber azimuthWidth;   // "AZWIDT", degrees
    HeaderNumber elevationWidth; // "ELWIDT", degrees
    QByteArray feedOrientation;  // "FEDORN"
    QByteArray model;            // "MODNUM", as written

    // Middle of the band in MHz, when both edges are numbers.
    std::optional<double> midFrequency() const;

    // Takes one header line's keyword and value when it is one of the above; false otherwise.
    bool take(QByteArrayView keyword, QByteArrayView value);
};
