#pragma once

#include "common/testsupport.h"
#include "registry/allegacartella.h"
#include "registry/cardscreen_support.h"
#include "ui/decor.h"
#include "ui/filedialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <memory>

// A control of an attachment slot (0 to 2) of dialog, by its name: txtFile01, btnApri02 ...
template <typename T> T* slotControl(const QWidget* dialog, const char* prefix, int slot)
{
    return named<T>(dialog, QString::fromLatin1(prefix)
                                + QStringLiteral("%1").arg(slot + 1, 2, 10, QLatin1Char('0')));
}
inline QLineEdit* slotFile(const QWidget* dialog, int slot)
{
    return slotControl<QLineEdit>(dialog, "txtFile", slot);
}
inline QLineEdit* slotDesc(const QWidget* dialog, int slot)
{
    return slotControl<QLineEdit>(dialog, "txtDesc", slot);
}
inline QPushButton* slotBrowse(const QWidget* dialog, int slot)
{
    return slotControl<QPushButton>(dialog, "btnSfoglia", slot);
}
inline QPushButton* slotOpen(const QWidget* dialog, int slot)
{
    return slotControl<QPushButton>(dialog, "btnApri", slot);
}
inline Picture* slotEraser(const QWidget* dialog, int slot)
{
    return slotControl<Picture>(dialog, "imgCancella", slot);
}

// A card screen on a fresh program folder, a folder of files to attach from and the attachment
// dialog opened by the card screen, with every file dialog recorded.
struct AttachFixture {
    CardScreen card;
    QTemporaryDir sources;
    FileDialogRecorder files;
    std::unique_ptr<TfrmAllegaCartella> dialog;

    AttachFixture() { dialog = std::make_unique<TfrmAllegaCartella>(card.screen.get()); }
    QString folder() const { return card.folder.file(QStringLiteral("Documenti_Allegati")); }
    QString stored(const QString& name) const { return folder() + QLatin1Char('/') + name; }
    QString source(const QString& name, const QByteArray& bytes) const
    {
        const QString path = sources.path() + QLatin1Char('/') + name;
        writeAll(path, bytes);
        return path;
    }
    // Clicks "Sfoglia..." of a slot; the file dialog answers with answer.
    void browse(int slot, const QString& answer)
    {
        files.setNextAnswer(answer);
        QTest::mouseClick(slotBrowse(dialog.get(), slot), Qt::LeftButton);
    }
};
