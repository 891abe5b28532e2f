// SPDX-License-Identifier: MIT
#pragma once
// The legend window: the maker's logo, the antenna's identification, its feed picture and the
// colour key of the traces. Rebuilt from the antenna on show every time it is activated.
#include <QtGui/QImage>
#include <QtWidgets/QDialog>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class GraphSession;

class LegendWindow : public QDialog {
    Q_OBJECT
public:
    explicit LegendWindow(GraphSession& session, QWidget* parent = nullptr);

    // Rebuilds the whole content from the session's antenna.
    void rebuild();
    // The picture drawn by the last rebuild.
    QImage picture() const { return picture_; }
    // The antenna's description under the picture.
    QPlainTextEdit* descriptionBox() const { return descriptionBox_; }

    QPushButton* closeButton = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    GraphSession& session_;
    QImage picture_;
    QFrame* pictureFrame_ = nullptr; // the sunken frame round the picture
    QLabel* pictureLabel_ = nullptr;
    QPlainTextEdit* descriptionBox_ = nullptr;
};
