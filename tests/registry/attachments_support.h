#pragma once

#include "common/testsupport.h"
#include "registry/allegacartella.h"
#include "registry/cardscreen_support.h"
#include "ui/filedialog.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <memory>

// A card screen on a fresh program folder, a folder of files to attach from and the attachment
// dialog opened by the card screen, with every file dialog recorded.
struct AttachFixture {
    CardScreen card;
    QTemporaryDir sources;
    FileDialogRecorder files;
    std::unique_ptr<TfrmAllegaCartella> dialog;

    AttachFixture()
    {
        dialog = std::make_unique<TfrmAllegaCartella>(card.screen.get());
        dialog->lblMemory->setText(QStringLiteral("clienti"));
    }
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
        QTest::mouseClick(dialog->btnSfoglia[size_t(slot)], Qt::LeftButton);
    }
};
