#pragma once
// The small busy animation of the login window and the main window's search bar: a ring of dots
// turning while it runs. Hidden when idle is the owner's choice (setVisible).

#include <QWidget>

class QTimer;

namespace b2b {

class BusyIndicator : public QWidget {
    Q_OBJECT
public:
    explicit BusyIndicator(QWidget *parent = nullptr, QColor color = QColor(0xE2, 0x0A, 0x17));
    void start();
    void stop();
    bool isRunning() const;
    QSize sizeHint() const override { return {24, 24}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QTimer *timer_;
    QColor color_;
    int step_ = 0;
};

} // namespace b2b
