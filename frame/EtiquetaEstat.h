#pragma once
// The status bar's message: a text longer than its place is drawn cut in the
// middle (the start and the end of a path stay readable) with the whole text
// as its tooltip, and the label never asks for more room than it has, so a
// long message never widens the window.
#include <QLabel>

class EtiquetaEstat : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The text as drawn in the label's present width.
    QString textMostrat() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
