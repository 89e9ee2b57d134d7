#include "ui/longwork.h"

#include "core/base/fonts.h"
#include "ui/decor.h"
#include "ui/window.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>

namespace {

int g_delay = 1000;
// The window is repainted at most this often: the count moves, the work does not wait on it.
constexpr qint64 kRepaintEvery = 100;

const QColor kWindowGrey(0xEE, 0xED, 0xED);

QString grouped(qint64 n)
{
    return QLocale(QLocale::Italian, QLocale::Italy).toString(n);
}

} // namespace

LongWork::LongWork(QWidget* owner, const QString& caption, const QString& counted)
    : m_owner(owner), m_caption(caption), m_counted(counted)
{
    m_clock.start();
}

LongWork::~LongWork()
{
    delete m_window.data();
}

void LongWork::setDelayForTests(int milliseconds)
{
    g_delay = milliseconds;
}

WorkProgress LongWork::progress()
{
    return [this](qint64 done, qint64 total) { return step(done, total); };
}

bool LongWork::step(qint64 done, qint64 total)
{
    if (m_stopped)
        return false;
    if (!m_window) {
        if (m_clock.elapsed() < g_delay)
            return true;
        open();
    }
    const qint64 now = m_clock.elapsed();
    if (m_lastShown < 0 || now - m_lastShown >= kRepaintEvery) {
        m_lastShown = now;
        update(done, total);
    }
    // Annulla, Escape, and everything else the program has to do (painting above all).
    QCoreApplication::processEvents();
    return !m_stopped;
}

void LongWork::open()
{
    auto* window = new QDialog(m_owner);
    window->setObjectName(QStringLiteral("frmAvanzamento"));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    setupFixedWindow(window, m_caption, QSize(420, 128),
                     m_owner ? CentreOn::Owner : CentreOn::Screen);
    setWindowFill(window, kWindowGrey);
    window->setWindowModality(Qt::ApplicationModal);

    m_count = new QLabel(window);
    m_count->setObjectName(QStringLiteral("lblAvanzamento"));
    m_count->setFont(uiFont(QStringLiteral("Verdana"), 12));
    m_count->setGeometry(16, 12, 388, 22);
    m_bar = new QProgressBar(window);
    m_bar->setObjectName(QStringLiteral("prgAvanzamento"));
    m_bar->setGeometry(16, 42, 388, 22);
    m_bar->setTextVisible(false);
    m_bar->setAccessibleName(m_caption.trimmed());
    QPushButton* cancel = makeCommandButton(window, QStringLiteral("btnAnnulla"),
                                            QStringLiteral("Annulla"), QRect(135, 82, 150, 30));
    cancel->setDefault(true);
    // Annulla and Escape both reject the window; either stops the work.
    QObject::connect(cancel, &QPushButton::clicked, window, &QDialog::reject);
    QObject::connect(window, &QDialog::rejected, window, [this] { m_stopped = true; });
    m_window = window;
    window->show();
    cancel->setFocus(Qt::OtherFocusReason);
}

void LongWork::update(qint64 done, qint64 total)
{
    m_count->setText(m_counted.arg(grouped(done), grouped(total)));
    m_count->setAccessibleName(m_count->text());
    // The bar counts in thousandths, whatever the total: it never overflows its int range.
    m_bar->setRange(0, 1000);
    m_bar->setValue(total > 0 ? int(qMin<qint64>(1000, done * 1000 / total)) : 0);
}
