#include <QtTest>

class SetsizeTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(SetsizeTest)
#include "setsize_test.moc"
