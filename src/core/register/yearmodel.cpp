#include "core/register/yearmodel.h"

#include "core/storage/text.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {

// The digest of the file's bytes as they are now; "missing" for no file, empty when it
// cannot be read.
QByteArray fileDigest(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return QByteArrayLiteral("missing");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError)
        return QByteArray();
    return hash.result();
}

} // namespace

YearModel::YearModel() : m_texts(emptyYear()), m_storedTexts(m_texts) {}

void YearModel::clear()
{
    m_path.clear();
    m_problem = YearProblem::None;
    m_texts = emptyYear();
    m_storedTexts = m_texts;
    m_fileDigest.clear();
}

void YearModel::open(const QString& path)
{
    clear();
    m_path = path;
    OpenedYear year = OpenYear(path);
    m_problem = year.problem;
    for (int s = 0; s < kDaysPerYear && s < year.texts.size(); ++s)
        m_texts[s] = trimText(year.texts.at(s));
    m_storedTexts = m_texts;
    if (m_problem != YearProblem::None)
        return;
    // Stored at once, as read: the save that each applied day makes is tried now, before
    // anything is typed. A new year's empty file becomes one record of empty days.
    m_fileDigest = fileDigest(path);
    if (store() != StoreOutcome::Stored)
        m_problem = YearProblem::NoRoom;
}

QString YearModel::text(int slot) const
{
    return slot >= 0 && slot < kDaysPerYear ? m_texts.at(slot) : QString();
}

bool YearModel::setText(int slot, const QString& text)
{
    if (slot < 0 || slot >= kDaysPerYear)
        return false;
    m_texts[slot] = trimText(text);
    return true;
}

YearModel::StoreOutcome YearModel::store()
{
    if (!storable())
        return StoreOutcome::CannotBeStored;
    if (m_fileDigest.isEmpty() || fileDigest(m_path) != m_fileDigest)
        return StoreOutcome::ChangedElsewhere;
    if (!SaveYear(m_path, m_texts)) {
        // A write in place that stopped part of the way is this model's own doing, not a
        // change made elsewhere: the next store goes over it.
        m_fileDigest = fileDigest(m_path);
        return StoreOutcome::Failed;
    }
    m_storedTexts = m_texts;
    m_fileDigest = fileDigest(m_path);
    return StoreOutcome::Stored;
}
