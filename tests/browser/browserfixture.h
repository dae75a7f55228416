#pragma once
#include "core/sharedstate.h"
#include "storage/dataset.h"
#include "testdata.h"

#include <QTemporaryDir>

#include <memory>

// A scratch data directory built from the sample content, with AppDir pointing at it.
class BrowserFixture {
public:
    BrowserFixture()
    {
        testdata::buildSample(dir.path());
        core::shared() = core::SharedState();
        core::shared().AppDir = dir.path() + u'/';
    }

    QString path(const QString &rel) const { return dir.filePath(rel); }

    // Writes a catalogue-shaped table (eleven fields) into database/ from rows of
    // "CID,ParentID,CName,CFrame,COrder,Ctable,CMemo,Cimage".
    void writeCatalogue(const QString &file, const QStringList &rows) const
    {
        QString csv = QStringLiteral("CID:A20,ParentID:A20,CName:A100,CFrame:A10,COrder:S,ImageIndex:S,"
                                     "SelectedIndex:S,StateIndex:S,Ctable:A30,CMemo:M240,Cimage:A20\n");
        for (const QString &row : rows) {
            const QStringList c = row.split(u',');
            csv += QStringList{c[0], c[1], c[2], c[3], c[4], QString(), QString(), QString(), c[5], c[6], c[7]}.join(u',')
                   + u'\n';
        }
        testdata::writeTable(path(QStringLiteral("database/") + file), csv);
    }

    std::unique_ptr<storage::Dataset> table(const QString &name, const QString &folder = QStringLiteral("database")) const
    {
        auto ds = std::make_unique<storage::Dataset>();
        ds->setDirectory(path(folder));
        ds->setTableName(name);
        return ds;
    }

    QTemporaryDir dir;
};
