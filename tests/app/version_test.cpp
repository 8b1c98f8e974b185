#include <QtTest>

class VersionTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(VersionTest)
#include "version_test.moc"
