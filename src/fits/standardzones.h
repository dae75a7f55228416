#pragma once
#include <QString>

namespace fits {

// Where ISO 286 defines no zone although the tables hold a value that a rule would read: the
// table columns serve ranges of grades and every size of a step, the standard does not.
// - J holes exist in grades 6 to 8 only, j shafts in grades 5 to 8;
// - up to 1 mm there are no A, B, a, b zones, no N above grade 8 and no grade above 13;
// - above 3 mm up to 500 mm the standard gives Δ for grades 3 to 8 only, so K, M, N and P to Z
//   holes of grades 1 and 2 are not defined there.
// Letters are the zone letters of the letter boxes ("Js", "K", "js", ...).
bool standardDefinesHole(const QString &letter, int grade, float basicSize);
bool standardDefinesShaft(const QString &letter, int grade, float basicSize);

// IT14 to IT18 are not used for sizes up to 1 mm.
bool standardDefinesGrade(int grade, float basicSize);

} // namespace fits
