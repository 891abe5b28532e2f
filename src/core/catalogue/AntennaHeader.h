#pragma once
// The header values the compliance check needs, read from a data file's header lines (the lines
// before the first "NUPOIN"): band edges, the three gains, the two beamwidths and the feed
// orientation. The index record keeps none of them as numbers, so they are read here.
#include "adf/LineReader.h"
#include "adf/Pattern.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <optional>

// One header number. Absent when the keyword is missing or its value empty; `text` keeps a value
// that is not a number, which makes the value unusable rather than absent.
struct HeaderNumber {
    std::optional<double> value;
    QByteArray text; // the value as written, when present
    bool present() const { return !text.isEmpty(); }
    bool unreadable() const { return present() && !value; }
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
};

// Reads header lines from the current position up to the first "NUPOIN" line or the end. A value
// is the text up to its first blank (so "40.23 dBi" reads 40.23), as the index reads its gain.
void ReadAntennaHeader(LineReader& in, AntennaHeader& header);

// Reads the header of one data file; nothing when it cannot be opened (only regular files are).
std::optional<AntennaHeader> ReadAntennaHeaderFile(const QString& path);

// A data file read for the check: its header and its pattern.
struct AntennaData {
    AntennaHeader header;
    LoadedPattern pattern;
};

struct AntennaDataOrError {
    std::optional<AntennaData> data;
    QString error; // "File was not found", "not an NSMA data file" or the conversion message
};

// Reads one data file whole: its header values and its pattern cuts, with the feed kind from its
// own "FEDORN" line. Only regular files are opened. A file the index rebuild takes for no data
// file gives its reason, NotNsmaFileReason.
AntennaDataOrError ReadAntennaFile(const QString& path);
