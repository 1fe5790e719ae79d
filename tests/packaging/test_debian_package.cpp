// SPDX-License-Identifier: MIT
// The Debian package as CPack makes it, looked at from the outside without installing it: what
// it holds, what it depends on, and what lintian says of it. Nothing on the machine changes.
#include "tests/packaging/debian_package.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory::test;
using namespace Qt::StringLiterals;

class DebianPackageTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const QStringList missing = missingPackageTools();
        if (!missing.isEmpty())
            QSKIP(qPrintable(missing.join(u", "_s) + u" missing (scripts/install-deps.sh test)"_s));
        QString failure;
        m_package = makePackage(m_folder.path(), &failure);
        QVERIFY2(!m_package.isEmpty(), qPrintable(failure));
    }

    // The files, and the links, the package installs: man page and changelog compressed.
    void holdsWhatADistributionAsks()
    {
        QStringList files = packagePaths(m_package, false);
        files.sort();
        QCOMPARE(files.join(u'\n'), uR"(/usr/bin/quillory
/usr/libexec/quillory/HAND-M.CUR
/usr/libexec/quillory/quillory
/usr/share/applications/example.velmora.Quillory.desktop
/usr/share/doc/quillory/changelog.Debian.gz
/usr/share/doc/quillory/copyright
/usr/share/icons/hicolor/128x128/apps/example.velmora.Quillory.png
/usr/share/icons/hicolor/16x16/apps/example.velmora.Quillory.png
/usr/share/icons/hicolor/24x24/apps/example.velmora.Quillory.png
/usr/share/icons/hicolor/256x256/apps/example.velmora.Quillory.png
/usr/share/icons/hicolor/32x32/apps/example.velmora.Quillory.png
/usr/share/icons/hicolor/48x48/apps/example.velmora.Quillory.png
/usr/share/icons/hicolor/64x64/apps/example.velmora.Quillory.png
/usr/share/icons/hicolor/scalable/apps/example.velmora.Quillory.svg
/usr/share/lintian/overrides/quillory
/usr/share/man/man1/quillory.1.gz
/usr/share/metainfo/example.velmora.Quillory.metainfo.xml)"_s);
    }

    // The libraries come from the binary, the fonts from the package's own list.
    void dependsOnItsLibrariesAndFonts()
    {
        const QString depends = run(u"dpkg-deb"_s, {u"-f"_s, m_package, u"Depends"_s}).output;
        for (const QString& needed :
             {u"libqt6widgets6 ("_s, u"libqpdf29 ("_s, u"libqt6keychain1 ("_s, u"libzip4 ("_s,
              u"fonts-urw-base35"_s, u"fonts-liberation2"_s, u"fonts-noto-ui-core"_s,
              u"fonts-wqy-microhei"_s, u"fonts-symbola"_s, u"fonts-unifont"_s})
            QVERIFY2(depends.contains(needed), qPrintable(depends));
    }

    void lintianFindsNoErrorNorWarning()
    {
        if (QStandardPaths::findExecutable(u"lintian"_s).isEmpty())
            QSKIP("lintian is not installed (scripts/install-deps.sh test)");
        const Run checked = run(u"lintian"_s, {u"--tag-display-limit"_s, u"0"_s, m_package});
        QCOMPARE(checked.status, 0);
        QCOMPARE(checked.output, QString());
    }

private:
    QTemporaryDir m_folder;
    QString m_package;
};

QTEST_GUILESS_MAIN(DebianPackageTest)
#include "test_debian_package.moc"
