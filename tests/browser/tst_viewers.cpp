// The picture viewer's zoom steps and dragging, and the note viewer following the page's note.
#include "datatools/uImage.h"
#include "datatools/uMemo.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolBar>

class TestViewers : public QObject {
    Q_OBJECT

private slots:
    void zoomSteps()
    {
        PictureViewState v;
        v.left = 5;
        v.top = 7;
        v.width = 100;
        v.height = 50;
        v.zoomIn();
        v.zoomIn();
        QCOMPARE(QRect(v.left, v.top, v.width, v.height), QRect(5, 7, 400, 200));
        QVERIFY(v.center && v.stretch && !v.autoSize);
        v.zoomOut();
        QCOMPARE(QRect(v.left, v.top, v.width, v.height), QRect(0, 0, 200, 100));
        v.width = 5;
        v.height = 3;
        v.zoomOut();
        QCOMPARE(QSize(v.width, v.height), QSize(2, 1));
        v.zoomOut();
        v.zoomOut();
        QCOMPARE(QSize(v.width, v.height), QSize(0, 0));
        v.zoomIn(); // 0 stays 0
        QCOMPARE(QSize(v.width, v.height), QSize(0, 0));
        v.restore(QSize(64, 48));
        QCOMPARE(QRect(v.left, v.top, v.width, v.height), QRect(0, 0, 64, 48));
        QVERIFY(v.autoSize && !v.stretch);
        QVERIFY(v.center); // restore leaves the centre flag
    }

    void drag_data()
    {
        QTest::addColumn<QRect>("picture");
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QPoint>("position");
        // the panel is 400 x 300
        QTest::newRow("large picture dragged right stays at 0") << QRect(0, 0, 800, 600) << int(Qt::LeftButton)
                                                                << QPoint(100, 100) << QPoint(150, 100) << QPoint(0, 0);
        QTest::newRow("dragged left until the right edges meet") << QRect(0, 0, 800, 600) << int(Qt::LeftButton)
                                                                 << QPoint(100, 100) << QPoint(-500, 100) << QPoint(-400, 0);
        QTest::newRow("follows the pointer inside the bounds") << QRect(-100, -50, 800, 600) << int(Qt::LeftButton)
                                                               << QPoint(100, 100) << QPoint(70, 120) << QPoint(-130, -30);
        QTest::newRow("small picture goes to 0, 0") << QRect(33, 17, 100, 50) << int(Qt::LeftButton) << QPoint(50, 50)
                                                    << QPoint(60, 50) << QPoint(0, 0);
        QTest::newRow("right button does nothing") << QRect(0, 0, 800, 600) << int(Qt::RightButton) << QPoint(100, 100)
                                                   << QPoint(-500, 100) << QPoint(0, 0);
    }
    void drag()
    {
        QFETCH(QRect, picture);
        QFETCH(int, button);
        QFETCH(QPoint, press);
        QFETCH(QPoint, to);
        PictureViewState v;
        v.left = picture.x();
        v.top = picture.y();
        v.width = picture.width();
        v.height = picture.height();
        PictureDrag d;
        d.press(Qt::MouseButton(button), press, v, QSize(400, 300));
        QTEST(d.move(to, v), "position");
        d.release();
        QCOMPARE(d.move(QPoint(-1000, -1000), v), QPoint(v.left, v.top)); // released: moves do nothing
    }

    // " 放大 " enlarges while the picture stays within its bound (16 Mpixel, 16,384 pixels a side)
    // and is disabled from there on; " 还原 " offers it again.
    void zoomInStopsAtItsBound_data()
    {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QSize>("largest");
        QTest::newRow("800 x 600") << QSize(800, 600) << 2 << QSize(3200, 2400);
        QTest::newRow("100 x 50") << QSize(100, 50) << 5 << QSize(3200, 1600);
        QTest::newRow("a long strip") << QSize(9000, 2) << 0 << QSize(9000, 2);
    }
    void zoomInStopsAtItsBound()
    {
        QFETCH(QSize, natural);
        QFETCH(int, presses);
        QLabel source;
        source.setPixmap(QPixmap(natural));
        TfrmImage viewer;
        viewer.setSourcePicture(&source);
        viewer.show();
        QWidget *zoomIn = viewer.ToolBar1->widgetForAction(viewer.ToolButton1);
        QWidget *restore = viewer.ToolBar1->widgetForAction(viewer.ToolButton2);
        QTest::mouseClick(restore, Qt::LeftButton);
        int pressed = 0;
        while (zoomIn->isEnabled() && pressed < 100) {
            QTest::mouseClick(zoomIn, Qt::LeftButton);
            ++pressed;
        }
        QCOMPARE(pressed, presses);
        QTEST(viewer.Img_show->size(), "largest");
        QTest::mouseClick(zoomIn, Qt::LeftButton); // disabled: nothing happens
        QTEST(viewer.Img_show->size(), "largest");
        QTest::mouseClick(restore, Qt::LeftButton);
        QCOMPARE(viewer.Img_show->size(), natural);
        QCOMPARE(zoomIn->isEnabled(), presses > 0);
    }

    void pictureViewerKeepsItsViewBetweenOpenings()
    {
        QLabel source;
        source.setPixmap(QPixmap(800, 600));
        TfrmImage viewer;
        viewer.setSourcePicture(&source);
        viewer.show();
        QCOMPARE(viewer.Img_show->geometry(), QRect(33, 17, 569, 336));
        QCOMPARE(viewer.Img_show->pixmap().size(), QSize(800, 600));
        viewer.ToolButton2->trigger(); // " 还原 ": natural size at 0, 0
        QCOMPARE(viewer.Img_show->geometry(), QRect(0, 0, 800, 600));
        // drag to the left with the mouse over the label
        const int panelWidth = viewer.Pan_imgshow->width();
        QTest::mousePress(viewer.Label1, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(viewer.Label1, QPoint(-900, 100));
        QTest::mouseRelease(viewer.Label1, Qt::LeftButton, {}, QPoint(-900, 100));
        QCOMPARE(viewer.Img_show->x(), panelWidth - 800);
        viewer.ToolButton5->trigger(); // " 退出 " hides
        QVERIFY(!viewer.isVisible());
        viewer.ToolButton1->trigger();
        const QRect zoomed = viewer.Img_show->geometry();
        source.setPixmap(QPixmap(20, 10));
        viewer.show();
        QCOMPARE(viewer.Img_show->geometry(), zoomed); // the view stays, the picture is the new one
        QCOMPARE(viewer.Img_show->pixmap().size(), QSize(20, 10));
        QCOMPARE(viewer.windowTitle(), QStringLiteral("图形浏览"));
    }

    void noteViewerFollowsThePageNote()
    {
        QPlainTextEdit pageNote;
        pageNote.setPlainText(QStringLiteral("第一页的说明\n第二行"));
        TfrmMemo viewer(&pageNote);
        QCOMPARE(viewer.DBMemo1->toPlainText(), pageNote.toPlainText());
        pageNote.setPlainText(QStringLiteral("另一页的说明"));
        QCOMPARE(viewer.DBMemo1->toPlainText(), QStringLiteral("另一页的说明"));
        QVERIFY(viewer.DBMemo1->isReadOnly());
    }
};

QTEST_MAIN(TestViewers)
#include "tst_viewers.moc"
