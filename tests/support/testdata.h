#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

// Builds throwaway data with the same code that builds the sample content.
namespace testdata {

// The bundled content folder (set by CTest in HANDBOOK_CONTENT).
QString contentDir();
// Builds the whole sample data directory into dir.
void buildSample(const QString &dir);
// Writes one table file at path from CSV text whose header holds field specs ("CID:A20").
void writeTable(const QString &path, const QString &csvText);

} // namespace testdata
