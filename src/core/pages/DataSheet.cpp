// SPDX-License-Identifier: MIT
#include "pages/DataSheet.h"

#include "base/DisplayText.h"
#include "base/NumberText.h"
#include "base/Resources.h"

#include <QtGui/QFont>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <cstddef>
#include <cstdint>

namespace {

// The sheet's font name; it stays in force from the frame to the tables.
const QString SheetFontName = QStringLiteral("TIMES NEW ROMAN");

// Sets a font of the current family on the page canvas. Page fonts render the same on every
// desktop: no hinting, no sub-pixel colour fringes.
void SetSheetFont(PageMapper& map, const QString& family, int height, bool bold,
                  bool underline = false) {
    map.SetFont(family, height, bold);
    QFont font = map.Canvas->font();
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(
        static_cast<QFont::StyleStrategy>(font.styleStrategy() | QFont::NoSubpixelAntialias));
    font.setUnderline(underline);
    map.Canvas->setFont(font);
}

QString CurrentFamily(const PageMapper& map) {
    return map.Canvas->font().family();
}

// One point table: the cut it lists, its fixed title, its left edge and the rows of one column.
struct SheetTable {
    CutIndex Cut;
    const char* Title;
    int BaseX;
    int Rows;
};

constexpr SheetTable SheetTables[] = {
    {CutHH, "H/H   ", 50, 55},
    {CutVV, "V/V   ", 224, 55},
    {CutHV, "H/V   ", 400, 46},
    {CutVH, "V/H   ", 576, 46},
};

constexpr int TitleTop = 125;
constexpr int HeadingTop = 140;
constexpr int FirstRowTop = 160;
constexpr int RowStep = 14;

// Draws points [first, last) of `points` as one column, angles right-aligned at `angleX` and
// levels at `levelX`. Rows whose top lies below the page cannot put any ink on the surface, so
// the column stops there: a cut of any length costs no more than the rows that show.
void DrawColumn(PageMapper& map, const PatternPoints& points, std::size_t first, std::size_t last,
                int angleX, int levelX, const QLocale& locale) {
    for (std::size_t i = first; i < last; ++i) {
        const std::int64_t top =
            FirstRowTop + static_cast<std::int64_t>(RowStep) * static_cast<std::int64_t>(i - first);
        if (top >= map.LogicalHeight)
            break;
        const int y = static_cast<int>(top);
        map.AlignedText(angleX, y, SheetNumberText(points[i].Angle, locale), 2, 0);
        map.AlignedText(levelX, y, SheetNumberText(points[i].Level, locale), 2, 0);
    }
}

} // namespace

QString SheetNumberText(double value, const QLocale& locale) {
    QString text = QString::fromLatin1(numtext::formatFixedSignificant(value, 2, 15));
    const QString point = locale.decimalPoint();
    if (point != QLatin1String("."))
        text.replace(QLatin1Char('.'), point);
    return text;
}

void DrawSheetFrame(const PageSource& page) {
    PageMapper& map = page.PageMap;
    QPainter& canvas = *map.Canvas;
    // Texts are drawn transparent and shapes unfilled, so whatever overlaps (a long line, an
    // overflowing table) never erases the frame, the logo or the footer.
    canvas.setBackgroundMode(Qt::TransparentMode);
    canvas.setBrush(Qt::NoBrush);
    map.SetTextColor(Qt::black);

    // Six device pixels, through the horizontal scale; this pen serves every line of the sheet.
    map.SetPen(Qt::black, map.DeviceToLogicalX(6));
    map.Rectangle(50, 50, 750, 1000);
    map.Line(50, 950, 750, 950);
    map.Line(400, 950, 400, 1000);

    SetSheetFont(map, SheetFontName, 12, true);
    map.AlignedText(225, 962, QString::fromLatin1(MakerName), 1, 1);
    map.AlignedText(225, 975, QString::fromLatin1(MakerStreet), 1, 1);
    map.AlignedText(225, 987, QString::fromLatin1(MakerTown), 1, 1);
    map.AlignedText(575, 966, QString::fromLatin1(MakerWeb), 1, 1);
    map.AlignedText(575, 983, QString::fromLatin1(MakerPhone), 1, 1);
}

void DrawSheetHeader(const PageSource& page) {
    PageMapper& map = page.PageMap;
    const IndexRecord& record = page.Record;
    const QString family = CurrentFamily(map);

    map.Rectangle(60, 60, 740, 110);

    map.StretchBitmap(map.Canvas, 349, 72, 100, 34,
                      LoadResourceGifPicture(page.Color ? QStringLiteral("GIFCOLORFlASH")
                                                        : QStringLiteral("GIFFlASH")));

    SetSheetFont(map, family, 13, true);
    map.AlignedText(
        70, 70, QStringLiteral("Antenna Type Number: ") + DisplayText(record.modelNumber()), 0, 1);
    map.AlignedText(70, 84,
                    DisplayText(record.size()) + QStringLiteral(" Foot Antenna     ") +
                        DisplayText(record.frequencyRange()) + QStringLiteral(" GHz   ") +
                        DisplayText(record.polarization()) + QStringLiteral(" Polarized"),
                    0, 1);
    map.AlignedText(70, 98,
                    QStringLiteral("Gain:  ") + DisplayText(record.gain()) +
                        QStringLiteral(" dBi at ") + DisplayText(record.midFrequency()) +
                        QStringLiteral(" GHz"),
                    0, 1);

    SetSheetFont(map, family, 15, true);
    map.AlignedText(730, 75,
                    QStringLiteral("RPE     ") + DisplayText(record.rpeNumber()) +
                        QStringLiteral("   ") + DisplayText(record.description1()),
                    2, 1);
    SetSheetFont(map, family, 13, true);
    map.AlignedText(730, 90, QStringLiteral("Engineering Approved:  ") + DisplayText(record.date()),
                    2, 1);

    SetSheetFont(map, family, 12, true);
    map.Rectangle(400, 825, 740, 940);
    struct Line {
        int X, Y;
        const char* Text;
    };
    static constexpr Line Explanation[] = {
        {435, 845, "The RPE is defined by connecting these points with straight lines."},
        {435, 860, "PARALLEL POLARIZATION"},
        {450, 875, "HH - Horizontal port response to a horizontal signal"},
        {450, 885, "VV - Vertical port response to a vertical signal"},
        {435, 900, "CROSS POLARIZATION"},
        {450, 915, "HV - Horizontal port response to a vertical signal"},
        {450, 925, "VH - Vertical port response to a horizontal signal"},
    };
    for (const Line& line : Explanation)
        map.AlignedText(line.X, line.Y, QString::fromLatin1(line.Text), 0, 1);
}

void DrawSheetTables(const PageSource& page) {
    PageMapper& map = page.PageMap;
    const QString family = CurrentFamily(map);
    const QLocale locale = QLocale::system();
    const QString angle = QStringLiteral("Angle");
    const QString dB = QStringLiteral(" dB  ");

    for (const SheetTable& table : SheetTables) {
        const PatternPoints& points = page.Pattern.CutPoints[table.Cut];
        const std::size_t count = points.size();
        const std::size_t limit = static_cast<std::size_t>(table.Rows);
        const int b = table.BaseX;
        const QString title = QString::fromLatin1(table.Title);

        if (count <= limit) {
            SetSheetFont(map, family, 14, true);
            map.AlignedText(b + 85, TitleTop, title, 2, 0);
            SetSheetFont(map, family, 14, true, true);
            map.AlignedText(b + 85, HeadingTop, angle, 2, 0);
            map.AlignedText(b + 140, HeadingTop, dB, 2, 0);
            SetSheetFont(map, family, 14, false);
            DrawColumn(map, points, 0, count, b + 85, b + 140, locale);
        } else {
            SetSheetFont(map, family, 14, true);
            map.AlignedText(b + 43, TitleTop, title, 2, 0);
            SetSheetFont(map, family, 14, true, true);
            map.AlignedText(b + 43, HeadingTop, angle, 2, 0);
            map.AlignedText(b + 82, HeadingTop, dB, 2, 0);
            map.AlignedText(b + 129, HeadingTop, angle, 2, 0);
            map.AlignedText(b + 168, HeadingTop, dB, 2, 0);
            SetSheetFont(map, family, 14, false);
            // No third column: rows past twice the limit carry on down the second one.
            DrawColumn(map, points, 0, limit, b + 43, b + 82, locale);
            DrawColumn(map, points, limit, count, b + 129, b + 168, locale);
        }
    }
}
