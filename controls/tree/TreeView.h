#pragma once

#include <QTreeWidget>
#include <functional>

namespace ostrevo
{

// The visible tree. Reports its input after handling it itself, so that a
// click has already been taken by the node under it when the host hears of it.
class TreeView : public QTreeWidget
{
public:
    explicit TreeView(QWidget *parent = nullptr);

    std::function<void(QEvent *)> inputObserver;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void report(QEvent *event);
};

} // namespace ostrevo
