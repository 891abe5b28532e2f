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
    void FormActivate();
    // The picture drawn by the last FormActivate.
    QImage picture() const { return picture_; }

    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    GraphSession& session_;
    QImage picture_;
};
