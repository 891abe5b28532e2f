// SPDX-License-Identifier: MIT
#include "base/JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace json {

void appendNumber(QByteArray& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char buffer[32];
    const auto res = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, res.ptr - buffer);
}

void appendString(QByteArray& out, const QString& text) {
    out += '"';
    for (QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20) {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04x", static_cast<unsigned>(u));
                out += esc;
            } else {
                out += QString(c).toUtf8();
            }
        }
    }
    out += '"';
}

} // namespace json
