// SPDX-License-Identifier: MIT
#pragma once
// Texts read from data files and index records are kept as the file's own bytes. For display they
// are decoded once, here: as UTF-8 when the bytes are valid UTF-8 and not plain ASCII (files
// written by newer tools carry degree signs and typographic dashes that way), else as Latin-1,
// which every byte sequence is.
#include <QtCore/QByteArrayView>
#include <QtCore/QString>

QString DisplayText(QByteArrayView bytes);
