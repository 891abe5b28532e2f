// SPDX-License-Identifier: MIT
#include "graph/LegendWindow.h"

#include "base/DisplayText.h"
#include "base/Resources.h"
#include "dialogs/WindowPlacement.h"
#include "graph/GraphSession.h"
#include "pages/ScreenChart.h"

#include <QtGui/QPainter>
#include <QtGui/QWindow>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>

namespace {

constexpr int Bevel = 2;
constexpr int PanelHeight = 280;

QFont arial(int points, bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

// Text with its top-left corner at (x, y), on an opaque white background.
void textOut(QPainter& p, int x, int y, const QString& text) {
    const QFontMetrics fm(p.font(), p.device());
    const QRect box(x, y, fm.horizontalAdvance(text), fm.height());
    p.fillRect(box, Qt::white);
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

} // namespace

LegendWindow::LegendWindow(GraphSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("Legend"));
    setWindowTitle(QStringLiteral("Legend"));
    setModal(false);

    pictureFrame_ = new QFrame(this);
    pictureFrame_->setObjectName(QStringLiteral("pictureFrame"));
    pictureFrame_->setFrameShape(QFrame::Panel);
    pictureFrame_->setFrameShadow(QFrame::Sunken);
    pictureFrame_->setLineWidth(Bevel);
    pictureLabel_ = new QLabel(pictureFrame_);
    pictureLabel_->setObjectName(QStringLiteral("pictureLabel"));

    descriptionBox_ = new QPlainTextEdit(this);
    descriptionBox_->setObjectName(QStringLiteral("descriptionBox"));
    descriptionBox_->setReadOnly(true);
    descriptionBox_->setFrameShape(QFrame::NoFrame);
    QFont descriptionFont(QStringLiteral("Arial"));
    descriptionFont.setPixelSize(13);
    descriptionBox_->setFont(descriptionFont);
    QPalette pal = descriptionBox_->palette();
    pal.setColor(QPalette::Base, palette().color(QPalette::Window));
    descriptionBox_->setPalette(pal);

    closeButton = new QPushButton(QStringLiteral("&Close"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    // Esc closes the dialog as well (QDialog's own reject).

    rebuild();
    centreOnScreen(this);
}

void LegendWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        rebuild();
}

void LegendWindow::rebuild() {
    const FeedKind kind = session_.antenna.pattern.feedKind;
    const bool wide = kind != FeedKind::None;
    const IndexRecord& r = session_.antenna.record;

    // 1-2. Clear and size the window for the antenna. 540 and 287 are the widths of the whole
    // window, frame included; the frame is known once the window manager has framed it.
    descriptionBox_->clear();
    const int panelWidth = wide ? 500 : 249;
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    setFixedSize((wide ? 540 : 287) - frame.left() - frame.right(), 395);
    pictureFrame_->setGeometry(16, 8, panelWidth, PanelHeight);
    pictureLabel_->setGeometry(Bevel, Bevel, panelWidth - 2 * Bevel, PanelHeight - 2 * Bevel);
    descriptionBox_->setGeometry(16, 291, panelWidth, 65);
    closeButton->setGeometry(wide ? 231 : 101, 363, 77, 30);

    // 3. A fresh white picture of the image's size.
    picture_ = QImage(pictureLabel_->size(), QImage::Format_RGB32);
    picture_.fill(Qt::white);
    QPainter p(&picture_);
    p.setRenderHint(QPainter::Antialiasing, false);

    // 4. The maker's logo at its natural size.
    const QImage logo = LoadResourceBitmap(QStringLiteral("FLASH"));
    if (!logo.isNull())
        p.drawImage(20, 10, logo);

    // 5-6. Identification lines.
    p.setFont(arial(8));
    QPen pen(Qt::black);
    pen.setWidth(2);
    p.setPen(pen);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(Qt::white);
    textOut(p, 20, 90, QStringLiteral("Antenna Type Number:  ") + DisplayText(r.modelNumber()));
    textOut(p, 20, 110,
            QStringLiteral("RPE:  ") + DisplayText(r.rpeNumber()) + QStringLiteral("   ") +
                DisplayText(r.description1()));
    textOut(p, 20, 130,
            DisplayText(r.size()) + QStringLiteral(" Foot Antenna  ") +
                DisplayText(r.frequencyRange()) + QStringLiteral(" GHz"));
    textOut(p, 20, 150,
            QStringLiteral("Gain ") + DisplayText(r.gain()) + QStringLiteral(" dBi at ") +
                DisplayText(r.midFrequency()) + QStringLiteral(" GHz"));

    // 7. The long description.
    descriptionBox_->setPlainText(DisplayText(r.description2()));

    // 8. Feed picture and orientation texts.
    if (wide) {
        const bool right = kind == FeedKind::Right || kind == FeedKind::UhpRight;
        const char* name = kind == FeedKind::Right      ? "RIGHTFEED"
                           : kind == FeedKind::Left     ? "LEFTFEED"
                           : kind == FeedKind::UhpRight ? "UHP-RIGHT"
                                                        : "UHP-LEFT";
        const QImage feed = LoadResourceBitmap(QString::fromLatin1(name));
        if (!feed.isNull())
            p.drawImage(QRect(260, 15, 190, 130), feed);
        p.setFont(arial(10, true));
        textOut(p, 240, 175,
                right ? QStringLiteral("Red Right Feed Orientation")
                      : QStringLiteral("Red Left Feed Orientation"));
        p.setFont(arial(8));
        textOut(p, 250, 195, QStringLiteral("Feed is installed as illustrated"));
        textOut(p, 250, 210, QStringLiteral("with the RED indicator positioned"));
        textOut(p, 250, 225,
                right ? QStringLiteral("toward the RIGHT as viewed from")
                      : QStringLiteral("toward the LEFT as viewed from"));
        textOut(p, 250, 240, QStringLiteral("the back of the antenna."));
    }

    // 9. The colour key.
    for (int i = 0; i < CutCount; ++i) {
        QPen key(screen::cutColour(i));
        key.setWidth(2);
        p.setPen(key);
        p.drawLine(80, 188 + 20 * i, 150, 188 + 20 * i);
        p.setPen(Qt::black);
        textOut(p, 160, 180 + 20 * i,
                DisplayText(session_.antenna.pattern.PolarizationTexts[static_cast<size_t>(i)]));
    }
    p.end();
    pictureLabel_->setPixmap(QPixmap::fromImage(picture_));
}
