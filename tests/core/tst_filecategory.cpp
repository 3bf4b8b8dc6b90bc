// File categories decided from MIME types, in rule order, for paths that exist and paths
// that are gone.

#include "core/FileCategory.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(FileCategory)

class TestFileCategory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void missingFilesAreJudgedByExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<FileCategory>("category");
        QTest::newRow("upper-case mp4") << u"clip.MP4"_qs << FileCategory::Video;
        QTest::newRow("json is code") << u"data.json"_qs << FileCategory::Code;
        QTest::newRow("tar.gz") << u"pack.tar.gz"_qs << FileCategory::Archive;
        QTest::newRow("shell") << u"run.sh"_qs << FileCategory::Code;
        QTest::newRow("postscript is no script") << u"page.ps"_qs << FileCategory::Text;
        QTest::newRow("markdown") << u"README.md"_qs << FileCategory::Text;
        QTest::newRow("unknown") << u"thing.zzqq"_qs << FileCategory::Other;
        QTest::newRow("AppImage") << u"tool.AppImage"_qs << FileCategory::App;
    }

    void missingFilesAreJudgedByExtension()
    {
        QFETCH(QString, name);
        QFETCH(FileCategory, category);
        QCOMPARE(FileCategories::classify(u"/does/not/exist/"_qs + name), category);
    }

    void foldersAreJudgedByTheirName()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(u"Tool.app"_qs));
        QVERIFY(QDir(dir.path()).mkpath(u"thing.bundle"_qs));
        QCOMPARE(FileCategories::classify(dir.filePath(u"Tool.app"_qs)), FileCategory::App);
        QCOMPARE(FileCategories::classify(dir.filePath(u"thing.bundle"_qs)), FileCategory::Folder);
    }
};

QTEST_GUILESS_MAIN(TestFileCategory)
#include "tst_filecategory.moc"
