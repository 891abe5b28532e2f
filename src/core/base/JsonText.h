// SPDX-License-Identifier: MIT
#pragma once
// Small JSON writing helpers: numbers at round-trip precision, strings escaped.
#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace json {
void appendNumber(QByteArray& out, double value);
void appendString(QByteArray& out, const QString& text);
} // namespace json
