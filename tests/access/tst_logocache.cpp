// The login's logo drawn from the build's drawing cache: the same pixels as the SVG drawn over
// the same background, and the SVG itself wherever the background is not the one cached.

#include "access/password.h"
#include "core/base/fonts.h"
#include "ui/decor.h"
#include "ui/desktop.h"

#include <QApplication>
#include <QScreen>
#include <QSvgRenderer>
#include <QtTest/QtTest>

namespace {

QImage windowPixels(QWidget* window)
{
    return window->screen()
        ->grabWindow(window->winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Whether the picture has read its SVG, which it does only to draw it.
bool svgRead(Picture* picture)
{
    auto* renderer = picture->findChild<QSvgRenderer*>();
    return renderer && renderer->isValid();
}

} // namespace

class TestLogoCache : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        registerFonts();
        setupDesktop();
    }

    void cachedLogoIsTheDrawnOne()
    {
        TfrmPassword login;
        auto* logo = login.findChild<Picture*>(QStringLiteral("imgLogo"));
        QVERIFY(logo);
        login.show();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        QCoreApplication::processEvents();
        QVERIFY2(!svgRead(logo), "the first paint drew the SVG instead of the cache");
        const QImage fromCache = windowPixels(&login);

        // Repainted in two halves, the picture is drawn from its SVG.
        const int half = logo->width() / 2;
        logo->repaint(QRect(0, 0, half, logo->height()));
        logo->repaint(QRect(half, 0, logo->width() - half, logo->height()));
        QVERIFY(svgRead(logo));
        QCOMPARE(windowPixels(&login), fromCache);
    }

    void otherBackgroundDrawsTheSvg()
    {
        TfrmPassword login;
        auto* logo = login.findChild<Picture*>(QStringLiteral("imgLogo"));
        auto* sfondo = login.findChild<ShapeRect*>(QStringLiteral("shpSfondo"));
        QVERIFY(logo && sfondo);
        sfondo->gradient(QColor(0x80, 0x20, 0x20), Qt::white);
        login.show();
        QVERIFY(QTest::qWaitForWindowExposed(&login));
        QCoreApplication::processEvents();
        QVERIFY(svgRead(logo));
    }
};

QTEST_MAIN(TestLogoCache)
#include "tst_logocache.moc"
