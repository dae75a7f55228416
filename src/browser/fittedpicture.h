#pragma once
#include <QLabel>

namespace browser {

// A picture shown whole in the space it has: centred, at its own size when it fits, otherwise
// scaled down with its proportions kept. pixmap() stays the picture at full size (the picture
// viewer shows that one).
class FittedPicture : public QLabel {
    Q_OBJECT
public:
    explicit FittedPicture(QWidget *parent = nullptr);
    // Where the picture is drawn, in the widget's coordinates (empty without a picture).
    QRect shownRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace browser
