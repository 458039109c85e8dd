#pragma once
// The job dialog's lines grid: reports a mouse press (with its height in the
// viewport) and the click it ends in, after the grid has made the pressed
// line current, and scrolls one line per wheel notch while it has the focus.
#include "Graella.h"

#include <functional>

class GraellaLinies : public Graella {
public:
    using Graella::Graella;

    std::function<void(int y)> premut;
    std::function<void()> clicat;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool premutAqui_ = false;
};
