// SPDX-License-Identifier: MIT
#include "catalogue/AntennaHeader.h"

#include "base/NumberText.h"

HeaderNumber HeaderNumber::parse(QByteArrayView value) {
    HeaderNumber n;
    const qsizetype blank = value.indexOf(' ');
    const QByteArrayView number = blank < 0 ? value : value.first(blank);
    n.text = value.toByteArray();
    n.value = numtext::parseFloat(number);
    return n;
}

std::optional<double> AntennaHeader::midFrequency() const {
    if (!lowFrequency.value || !highFrequency.value)
        return std::nullopt;
    return (*lowFrequency.value + *highFrequency.value) / 2;
}

bool AntennaHeader::take(QByteArrayView k, QByteArrayView value) {
    if (k == "LOWFRQ")
        lowFrequency = HeaderNumber::parse(value);
    else if (k == "HGHFRQ")
        highFrequency = HeaderNumber::parse(value);
    else if (k == "LWGAIN")
        lowGain = HeaderNumber::parse(value);
    else if (k == "MDGAIN")
        midGain = HeaderNumber::parse(value);
    else if (k == "HGGAIN")
        highGain = HeaderNumber::parse(value);
    else if (k == "AZWIDT")
        azimuthWidth = HeaderNumber::parse(value);
    else if (k == "ELWIDT")
        elevationWidth = HeaderNumber::parse(value);
    else if (k == "FEDORN")
        feedOrientation = value.toByteArray();
    else if (k == "MODNUM")
        model = value.toByteArray();
    else
        return false;
    return true;
}
