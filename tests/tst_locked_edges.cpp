// Where a control goes when its window's client area grows or shrinks: the
// sides it is locked to follow the window's edges.

#include <QtTest>

#include "framework/src/gui/backend.h"

class tst_LockedEdges : public QObject {
  Q_OBJECT

 private slots:
  void followLockedEdges_data() {
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("top");
    QTest::addColumn<bool>("right");
    QTest::addColumn<bool>("bottom");
    QTest::addColumn<int>("dw");
    QTest::addColumn<int>("dh");
    QTest::addColumn<QRect>("expected");
    // The box is (10, 20) 30 wide, 40 high.
    QTest::newRow("left and top stay")
        << true << true << false << false << 50 << 60 << QRect(10, 20, 30, 40);
    QTest::newRow("right and bottom move")
        << false << false << true << true << 50 << 60 << QRect(60, 80, 30, 40);
    QTest::newRow("both pairs stretch")
        << true << true << true << true << 50 << 60 << QRect(10, 20, 80, 100);
    QTest::newRow("stretched across, moved down")
        << true << false << true << true << 50 << 60 << QRect(10, 80, 80, 40);
    QTest::newRow("shrunk below nothing stays empty")
        << true << true << true << true << -50 << -60 << QRect(10, 20, 0, 0);
  }
  void followLockedEdges() {
    QFETCH(bool, left);
    QFETCH(bool, top);
    QFETCH(bool, right);
    QFETCH(bool, bottom);
    QFETCH(int, dw);
    QFETCH(int, dh);
    QFETCH(QRect, expected);
    fw::EdgeLocks locks;
    locks.left = left;
    locks.top = top;
    locks.right = right;
    locks.bottom = bottom;
    const fw::PixelBox box = fw::FollowLockedEdges({10, 20, 30, 40}, locks, dw, dh);
    QCOMPARE(QRect(box.x, box.y, box.width, box.height), expected);
  }
};

QTEST_APPLESS_MAIN(tst_LockedEdges)
#include "tst_locked_edges.moc"
