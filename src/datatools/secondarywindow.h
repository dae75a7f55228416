#pragma once
#include <QWidget>

#include <functional>

class QPushButton;

// A window of the data-page tools: created hidden, stays on top, has a title bar without
// buttons (it is left through its "退出" button), shown non-modal by the main window.
class SecondaryWindow : public QWidget {
    Q_OBJECT
public:
    // Runs the opening work (FormShow) when the window goes from hidden to shown, then shows it;
    // a window already shown is only brought to the front. An error of the opening work is
    // reported and the window is shown all the same.
    void showWindow();
    // Shows the window as it was left, without the opening work (for a message about what it
    // holds), or brings it to the front.
    void bringToFront();

protected:
    SecondaryWindow(const QString &caption, int clientWidth, int clientHeight);
    virtual void FormShow() {}
    // Centres the window on the screen it will appear on.
    void centre();
    // A push button at `geometry` whose click runs `handler` under the handler guard.
    QPushButton *addButton(const QString &caption, const QRect &geometry, std::function<void()> handler);
};

// The font most controls of these windows use.
QFont songti(int pixels);
